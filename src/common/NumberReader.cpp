#include "common/NumberReader.h"

#include <cmath>
#include <sstream>
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

std::string_view WithoutBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

bool IsNumberText(std::string_view text) {
  return IsDecimal(WithoutBlanks(text));
}

std::optional<double> ReadNumber(std::string_view text) {
  std::string_view body = WithoutBlanks(text);
  if (!IsDecimal(body)) return std::nullopt;
  // The classic locale reads "." whatever the user's locale says.
  std::istringstream in{std::string(body)};
  in.imbue(std::locale::classic());
  long double value = 0.0L;
  in >> value;
  // Out-of-range exponents leave the largest value (rejected below) or zero (an underflow).
  if (!std::isfinite(value)) return std::nullopt;
  auto stored = Real6::From(value);
  if (!stored) return std::nullopt;
  return stored->Value();
}

}  // namespace tulo
