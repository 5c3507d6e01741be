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

namespace detail {

long double R6Portable(long double x) {
  Rounded r = RoundToReal6(x);
  if (!r.ok) return std::numeric_limits<long double>::quiet_NaN();
  return ValueOf(r);
}

}  // namespace detail

}  // namespace tulo
