#include "common/NumberReader.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
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
  const long double value = strtold_l(terminated, nullptr, ClassicLocale());
  // An overflow gives infinity (rejected here), an underflow zero or a subnormal (stored as 0).
  if (!std::isfinite(value)) return std::nullopt;
  auto stored = Real6::From(value);
  if (!stored) return std::nullopt;
  return stored->Value();
}

}  // namespace tulo
