#pragma once
// The stored real of the system: 6 bytes, an exponent byte biased by 129 (0 means zero), a 39-bit
// fraction below a hidden leading 1, least significant byte first, and the sign in the top bit of
// the last byte. About 12 significant digits; magnitudes from 2^-128 to just under 2^127.

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace tulo {

using Real6Bytes = std::array<std::uint8_t, 6>;

class Real6 {
 public:
  Real6() = default;
  // Rounds x to a 40-bit mantissa, to nearest with ties away from zero. A result whose biased
  // exponent would be 0 or less is zero; nullopt when x is not finite or too large to store.
  static std::optional<Real6> From(long double x);
  static Real6 Decode(const Real6Bytes& bytes);
  Real6Bytes Encode() const;
  double Value() const { return value_; }

 private:
  explicit Real6(double value) : value_(value) {}
  double value_ = 0.0;
};

namespace detail {
// R6 through the stored form's rounding, where long double is not the x87 extended format.
long double R6Portable(long double x);
}  // namespace detail

// x rounded to the nearest Real6 value, in extended precision; NaN when x cannot be stored
// (not finite, or beyond the largest Real6). NaN carries the failure on to the caller's checks.
inline long double R6(long double x) {
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
  return detail::R6Portable(x);
#endif
}

// The smallest magnitude whose Real6 rounding overflows: 2^127 less half an ulp of a 40-bit
// mantissa rounds up to 2^127, whose biased exponent 256 does not fit the byte.
inline constexpr long double kReal6Overflow = 0x1p127L - 0x1p86L;

// True when x is finite and its Real6 rounding does not overflow (a small x rounds to zero and
// fits). Inline and without frexp: every calculated value is checked.
inline bool FitsReal6(long double x) {
  return std::fabs(x) < kReal6Overflow;
}
// The same for a double in double arithmetic, for loops over many values: the bound is a double
// (a 41-bit mantissa), so the comparison is the same.
inline bool DoubleFitsReal6(double x) {
  constexpr double kBound = static_cast<double>(kReal6Overflow);
  static_assert(static_cast<long double>(kBound) == kReal6Overflow);
  return std::fabs(x) < kBound;
}

}  // namespace tulo
