#pragma once
// UTF-8 texts: lengths and cuts count characters, not bytes ("°" is one character).

#include <cstddef>
#include <string>
#include <string_view>

namespace tulo {

std::size_t Utf8Length(std::string_view text);
// The first n characters of text (all of it when it is shorter).
std::string Utf8Left(std::string_view text, std::size_t n);
// text followed by blanks up to n characters; never cut.
std::string PadRight(std::string_view text, std::size_t n);

// x with `digits` significant digits, as printf's "%.*Lg" writes it in the "C" locale, whatever
// the process locale ("1e+300", "0.1").
std::string GeneralText(long double x, int digits);

}  // namespace tulo
