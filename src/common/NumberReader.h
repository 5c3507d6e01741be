#pragma once

#include <optional>
#include <string_view>

namespace tulo {

// Reads a typed decimal number: blanks around it are ignored; then an optional sign, digits with
// "." as the decimal separator (at least one digit, "7." and ".5" allowed), and an optional
// exponent of E or e, an optional sign and digits. Nothing else: "inf", "nan", hex and "1,5"
// are not numbers, nor is a value too large for a Real6. The result is rounded to Real6.
std::optional<double> ReadNumber(std::string_view text);

// What ReadNumber reads, as the double nearest the decimal rather than a Real6: the typed numbers
// of a standard computed in double precision. Nothing for every text ReadNumber refuses, a value
// too large for a Real6 included; a value below the smallest double reads as zero.
std::optional<double> ReadDouble(std::string_view text);

// True when text has the form ReadNumber reads, whatever the size of its value: a text for which
// ReadNumber gives nothing is then a number out of range rather than no number at all.
bool IsNumberText(std::string_view text);

}  // namespace tulo
