#include "common/NumberReader.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Real6.h"

namespace tulo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// True when s matches [+-]? (digits [. digits?] | . digits) ([eE] [+-]? digits)?
bool IsDecimal(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// The C locale: "." is the decimal point whatever locale the process has set (the desktop
// program takes the user's). Made once, never changed.
locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return classic;
}

// The powers of ten a long double (64-bit mantissa) holds exactly: 10^27 = 5^27 * 2^27, and
// 5^27 < 2^63.
constexpr long double kExactPowersOfTen[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr int kMaxExactPower = 27;
constexpr int kMaxExactDigits = 19;  // 10^19 < 2^64

// A decimal (IsDecimal's form) whose significant digits make an integer below 10^19 and whose
// power of ten is exact: the integer and the power are exact long doubles, so their product or
// quotient, rounded once, is the correctly rounded value strtold gives (Clinger's fast path),
// at a tenth of its cost. Nothing for other decimals.
std::optional<long double> ExactDecimal(std::string_view s) {
  std::size_t i = 0;
  const bool negative = s[0] == '-';
  if (s[0] == '+' || s[0] == '-') ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int scale = 0;  // the power of ten of the last digit read
  bool afterPoint = false;
  for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
    if (s[i] == '.') {
      afterPoint = true;
      continue;
    }
    if (afterPoint) --scale;
    if (mantissa == 0 && s[i] == '0') continue;  // leading zeros are not significant
    if (++digits > kMaxExactDigits) return std::nullopt;
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(s[i] - '0');
  }
  if (i < s.size()) {
    ++i;
    const bool negativeExponent = s[i] == '-';
    if (s[i] == '+' || s[i] == '-') ++i;
    if (s.size() - i > 4) return std::nullopt;
    int exponent = 0;
    for (; i < s.size(); ++i) exponent = exponent * 10 + (s[i] - '0');
    scale += negativeExponent ? -exponent : exponent;
  }
  if (scale < -kMaxExactPower || scale > kMaxExactPower) return std::nullopt;
  long double value = static_cast<long double>(mantissa);
  value = scale < 0 ? value / kExactPowersOfTen[-scale] : value * kExactPowersOfTen[scale];
  return negative ? -value : value;
}

std::string_view WithoutBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The value as a Real6. An overflow of strtold gives infinity (rejected here), an underflow zero
// or a subnormal (stored as 0).
std::optional<double> Stored(long double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const std::optional<Real6> stored = Real6::From(value);
  if (!stored) return std::nullopt;
  return stored->Value();
}

}  // namespace

bool IsNumberText(std::string_view text) {
  return IsDecimal(WithoutBlanks(text));
}

std::optional<double> ReadNumber(std::string_view text) {
  std::string_view body = WithoutBlanks(text);
  if (!IsDecimal(body)) return std::nullopt;
  if (const std::optional<long double> exact = ExactDecimal(body)) return Stored(*exact);
  // strtold_l, as a stream reads a long double but without building one (a stream per number
  // was most of the time of a batch row). It needs a terminated copy: on the stack when short.
  char small[64];
  std::string large;
  const char* terminated = small;
  if (body.size() < sizeof small) {
    std::memcpy(small, body.data(), body.size());
    small[body.size()] = '\0';
  } else {
    large.assign(body);
    terminated = large.c_str();
  }
  return Stored(strtold_l(terminated, nullptr, ClassicLocale()));
}

std::optional<double> ReadDouble(std::string_view text) {
  std::string_view body = WithoutBlanks(text);
  if (!IsDecimal(body)) return std::nullopt;
  if (body.front() == '+') body.remove_prefix(1);  // from_chars takes a minus sign only
  double value = 0.0;
  // std::from_chars reads "." as the decimal point whatever the process locale.
  if (std::from_chars(body.data(), body.data() + body.size(), value).ec == std::errc::result_out_of_range)
    return ReadNumber(body);  // beyond the doubles: too large (nothing) or below the smallest (zero)
  if (!FitsReal6(value)) return std::nullopt;
  return value == 0.0 ? 0.0 : value;  // "-0" is zero, as ReadNumber reads it
}

}  // namespace tulo
