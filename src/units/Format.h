#pragma once
// Number texts: the grids' FormatReal, the field notation of values written back into inputs and
// state labels, and the small text helpers of the main window.

#include <string>
#include <string_view>

namespace tulo {

// Decimals for about five significant figures: 4 - trunc(log10 |x|), with log10 taken as
// ln |x| * 0.4342944994430173; -1 (exponent form) outside 0.001..100000.
int AutoDecimals(long double x);

// x in a field of width w: fixed form with d decimals (d >= 0), the exponent form (d = -1, w - 8
// significant digits), or AutoDecimals' choice (d < -1). Rounds half away from zero. In the
// exponent form "E+0005" becomes "e+5"; a text that is still longer than w is laid out again in
// the exponent form, keeping "E" and its four digits. At most 20 characters.
std::string FormatReal(int w, int d, bool trim, long double x);

std::string TrimLeadingSpaces(std::string_view text);
std::string Spaces(int n);

// Drops trailing zeros that do not change the value: "100000.00" -> "100000", "2.50" -> "2.5";
// a one-digit value keeps one decimal ("5.00" -> "5.0").
std::string TrimZeros(std::string_view text);

// The notation of numbers written into input fields and state labels: rounded once, half away from
// zero, to the coarser of 5 significant digits (those of the value itself, before rounding) and
// 3 decimals, shown with 3 decimals (12.3456 -> "12.346", 0.0012345 -> "0.001", 99.7747 ->
// "99.775", 9999.77 -> "9999.800"); with more than 5 digits before the point a
// 5-digit mantissa with a signed exponent ("1.2346E+05"). With `toDecimals` the value is rounded
// to the 3 decimals it shows instead (179.886 -> "179.886", 12345.6789 -> "12345.679"): the state
// labels of a standard computed in double precision.
std::string FormatFieldNumber(long double x, bool toDecimals = false);

}  // namespace tulo
