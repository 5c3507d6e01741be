#include "units/Format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "common/NumberReader.h"
#include "common/Text.h"

namespace tulo {
namespace {

// Adds one unit in the last place of a string of decimal digits. True when that carries out of
// the first digit: all nines then become "1" and as many zeros, one digit longer.
bool RoundUpDigits(std::string& digits) {
  int i = static_cast<int>(digits.size()) - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
    return false;
  }
  digits.insert(digits.begin(), '1');
  return true;
}

// "E", the sign and the magnitude of a decimal exponent in at least `width` digits.
std::string ExponentText(int exponent, int width) {
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%0*d", exponent < 0 ? '-' : '+', width, std::abs(exponent));
  return exp;
}

// |x| in fixed or exponent form with `precision` digits after the point, correctly rounded.
// std::to_chars writes "." whatever the process locale, where printf would write the decimal
// separator of LC_NUMERIC (a "," under a German or French locale). The buffer holds every digit
// of the largest long double.
std::string PrintedDigits(long double x, std::chars_format form, int precision) {
  char buf[5120];
  const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(x), form, precision).ptr;
  return std::string(buf, end);
}

// Decimal digits of |x| with `decimals` digits after the point, rounded half away from zero.
// The exact expansion is printed with 30 guard digits, far below the spacing of extended values
// near a tie, so the tie decision is exact.
std::string FixedDigits(long double x, int decimals) {
  const std::string s = PrintedDigits(x, std::chars_format::fixed, decimals + 30);
  std::size_t point = s.find('.');
  std::string digits = s.substr(0, point) + s.substr(point + 1, decimals);
  bool roundUp = s[point + 1 + decimals] >= '5';
  if (roundUp && RoundUpDigits(digits)) ++point;
  std::string out = digits.substr(0, point);
  if (decimals > 0) out.append(".").append(digits, point, std::string::npos);
  return out;
}

bool AllZero(const std::string& s) {
  return s.find_first_not_of("0.") == std::string::npos;
}

// |x| as `significant` digits d.ddd and a decimal exponent, rounded half away from zero.
void ExponentDigits(long double x, int significant, std::string& mantissa, int& exponent) {
  const std::string s = PrintedDigits(x, std::chars_format::scientific, significant - 1 + 30);
  const std::size_t e = s.find('e');
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  bool roundUp = digits[significant] >= '5';
  digits.resize(significant);
  if (roundUp && RoundUpDigits(digits)) {
    digits.pop_back();
    ++exponent;
  }
  if (x == 0.0L) exponent = 0;
  mantissa = digits.substr(0, 1);
  if (significant > 1) mantissa.append(".").append(digits, 1, std::string::npos);
}

std::string RightAlign(const std::string& s, int w) {
  int len = static_cast<int>(s.size());
  return len < w ? std::string(w - len, ' ') + s : s;
}

std::string FixedForm(long double x, int w, int d) {
  std::string digits = FixedDigits(x, d);
  std::string s = std::signbit(x) && !AllZero(digits) ? "-" : "";
  s += digits;
  return RightAlign(s, w);
}

std::string ExponentForm(long double x, int w) {
  int significant = w - 8;
  if (significant < 2) significant = 2;
  if (significant > 18) significant = 18;
  std::string mantissa;
  int exponent = 0;
  ExponentDigits(x, significant, mantissa, exponent);
  std::string s = std::signbit(x) && x != 0.0L ? "-" : " ";
  s.append(mantissa).append(ExponentText(exponent, 4));
  return RightAlign(s, w);
}

std::string Layout(long double x, int w, int d) {
  std::string s = (d < 0 || std::fabs(x) >= 1e36L) ? ExponentForm(x, w) : FixedForm(x, w, d);
  return s.size() > 20 ? s.substr(0, 20) : s;
}

}  // namespace

int AutoDecimals(long double x) {
  if (x == 0.0L) return 4;
  long double lg = std::log(std::fabs(x)) * 0.4342944994430173L;
  int d = 4 - static_cast<int>(std::trunc(lg));
  if (d < 1) return std::fabs(x) < 100000.0L ? 1 : -1;
  if (d > 6) return -1;
  return d;
}

std::string FormatReal(int w, int d, bool trim, long double x) {
  if (d < -1) d = AutoDecimals(x);
  std::string s = Layout(x, w, d);
  std::size_t e = s.find('E');
  if (e != std::string::npos) {
    s[e] = 'e';
    // Delete the zeros after the exponent's sign, keeping the last digit of a zero exponent.
    while (e + 3 < s.size() && s[e + 2] == '0') s.erase(e + 2, 1);
  }
  if (static_cast<int>(s.size()) > w) s = Layout(x, w, -1);
  if (trim) s = TrimLeadingSpaces(s);
  return s;
}

std::string TrimLeadingSpaces(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  std::string out(text.substr(first));
  return out.size() > 80 ? out.substr(0, 80) : out;
}

std::string Spaces(int n) {
  return std::string(n < 0 ? 0 : (n > 80 ? 80 : n), ' ');
}

std::string TrimZeros(std::string_view text) {
  std::string s(text);
  if (s.size() == 1) return s;
  auto value = ReadNumber(s);
  if (value && *value == 0.0) return "0";
  while (value && s.size() > 1) {
    std::string t = s.substr(0, s.size() - 1);
    auto shorter = ReadNumber(t);
    if (!shorter || *shorter != *value) break;
    s = t;
    if (GeneralText(std::fabs(*value), 15).size() == 1) break;
  }
  return s;
}

std::string FormatFieldNumber(long double x, bool toDecimals) {
  if (!std::isfinite(x)) return "0.000";
  std::string sign = std::signbit(x) ? "-" : "";
  // The value's own integer digits decide how many decimals 5 significant digits leave: 99.7747
  // has two and keeps three decimals (99.775), although rounding would carry it to 100. The
  // whole part is an integer, so its digits come out exactly.
  std::string whole = FixedDigits(std::floor(std::fabs(x)), 0);
  int intDigits = whole == "0" ? 0 : static_cast<int>(whole.size());
  int decimals = toDecimals ? 3 : std::min(3, 5 - intDigits);
  std::string fixed;
  if (decimals >= 0) {
    fixed = FixedDigits(x, decimals);
    std::size_t point = fixed.find('.');
    int digitsBefore = static_cast<int>(point == std::string::npos ? fixed.size() : point);
    if (digitsBefore <= 5) {
      if (point == std::string::npos) fixed += ".";
      while (static_cast<int>(fixed.size() - fixed.find('.')) <= 3) fixed += "0";
      return AllZero(fixed) ? fixed : sign + fixed;
    }
  }
  std::string mantissa;
  int exponent = 0;
  ExponentDigits(x, 5, mantissa, exponent);
  return sign.append(mantissa).append(ExponentText(exponent, 2));
}

}  // namespace tulo
