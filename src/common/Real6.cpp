#include "common/Real6.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace tulo {
namespace {

constexpr int kBias = 129;
constexpr long double kMantissaScale = 1099511627776.0L;  // 2^40
constexpr std::uint64_t kHidden = std::uint64_t{1} << 39;

struct Rounded {
  bool ok = false;
  bool zero = false;
  bool negative = false;
  std::uint64_t mantissa = 0;  // 40 bits, top bit set
  int biasedExponent = 0;
};

Rounded RoundToReal6(long double x) {
  Rounded r;
  if (!std::isfinite(x)) return r;
  r.ok = true;
  if (x == 0.0L) {
    r.zero = true;
    return r;
  }
  r.negative = std::signbit(x);
  int e = 0;
  long double m = std::frexp(std::fabs(x), &e);  // m in [0.5, 1)
  // m * 2^40 is exact in the 64-bit mantissa of long double; round half away from zero.
  long double scaled = std::floor(m * kMantissaScale + 0.5L);
  if (scaled >= kMantissaScale) {
    scaled /= 2.0L;
    ++e;
  }
  r.mantissa = static_cast<std::uint64_t>(scaled);
  r.biasedExponent = e - 1 + kBias;  // value = (mantissa / 2^39) * 2^(e - 1)
  if (r.biasedExponent <= 0) {
    r.zero = true;
  } else if (r.biasedExponent > 255) {
    r.ok = false;
  }
  return r;
}

long double ValueOf(const Rounded& r) {
  if (r.zero) return 0.0L;
  long double v = std::ldexp(static_cast<long double>(r.mantissa), r.biasedExponent - kBias - 39);
  return r.negative ? -v : v;
}

}  // namespace

std::optional<Real6> Real6::From(long double x) {
  Rounded r = RoundToReal6(x);
  if (!r.ok) return std::nullopt;
  return Real6(static_cast<double>(ValueOf(r)));
}

Real6 Real6::Decode(const Real6Bytes& bytes) {
  if (bytes[0] == 0) return Real6(0.0);
  std::uint64_t fraction = 0;
  for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | bytes[i];
  bool negative = (fraction >> 39) & 1;
  fraction &= kHidden - 1;
  long double v = std::ldexp(static_cast<long double>(kHidden | fraction), bytes[0] - kBias - 39);
  return Real6(static_cast<double>(negative ? -v : v));
}

Real6Bytes Real6::Encode() const {
  Real6Bytes out{};
  Rounded r = RoundToReal6(value_);
  if (!r.ok || r.zero) return out;
  out[0] = static_cast<std::uint8_t>(r.biasedExponent);
  std::uint64_t fraction = r.mantissa & (kHidden - 1);
  if (r.negative) fraction |= kHidden;
  for (int i = 1; i <= 5; ++i) {
    out[i] = static_cast<std::uint8_t>(fraction & 0xFF);
    fraction >>= 8;
  }
  return out;
}

long double R6(long double x) {
#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384
  // x87 extended: a 64-bit mantissa with its leading 1 explicit, then 15 exponent bits and the
  // sign. The correlations round here millions of times a second, so the rounding works on the
  // bits: add half of the 24 dropped bits (ties away from zero), carry into the exponent, cut.
  std::uint64_t mantissa;
  std::uint16_t signExponent;
  unsigned char raw[sizeof(long double)] = {};
  std::memcpy(raw, &x, sizeof x);
  std::memcpy(&mantissa, raw, 8);
  std::memcpy(&signExponent, raw + 8, 2);
  int exponent = signExponent & 0x7FFF;
  if (exponent == 0x7FFF) return std::numeric_limits<long double>::quiet_NaN();
  if (exponent == 0 || mantissa == 0) return 0.0L;
  std::uint64_t rounded = mantissa + (std::uint64_t{1} << 23);
  if (rounded < mantissa) {
    rounded = std::uint64_t{1} << 63;
    ++exponent;
  }
  rounded &= ~((std::uint64_t{1} << 24) - 1);
  int biased = exponent - 16254;  // the Real6 exponent byte of the rounded value
  if (biased <= 0) return 0.0L;
  if (biased > 255) return std::numeric_limits<long double>::quiet_NaN();
  signExponent = static_cast<std::uint16_t>((signExponent & 0x8000) | exponent);
  std::memcpy(raw, &rounded, 8);
  std::memcpy(raw + 8, &signExponent, 2);
  long double out;
  std::memcpy(&out, raw, sizeof out);
  return out;
#else
  Rounded r = RoundToReal6(x);
  if (!r.ok) return std::numeric_limits<long double>::quiet_NaN();
  return ValueOf(r);
#endif
}

}  // namespace tulo
