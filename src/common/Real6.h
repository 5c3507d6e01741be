#pragma once
// The stored real of the system: 6 bytes, an exponent byte biased by 129 (0 means zero), a 39-bit
// fraction below a hidden leading 1, least significant byte first, and the sign in the top bit of
// the last byte. About 12 significant digits; magnitudes from 2^-128 to just under 2^127.

#include <array>
#include <cmath>
#include <cstdint>
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

// x rounded to the nearest Real6 value, in extended precision; NaN when x cannot be stored
// (not finite, or beyond the largest Real6). NaN carries the failure on to the caller's checks.
long double R6(long double x);

// The smallest magnitude whose Real6 rounding overflows: 2^127 less half an ulp of a 40-bit
// mantissa rounds up to 2^127, whose biased exponent 256 does not fit the byte.
inline constexpr long double kReal6Overflow = 0x1p127L - 0x1p86L;

// True when x is finite and its Real6 rounding does not overflow (a small x rounds to zero and
// fits). Inline and without frexp: every calculated value is checked.
inline bool FitsReal6(long double x) {
  return std::fabs(x) < kReal6Overflow;
}

}  // namespace tulo
