#pragma once
// The text of a number the program writes into an input field or a search box.

#include <string>

#include "results/Session.h"
#include "units/Units.h"

namespace tulo {

// The value in internal units `internal` shown in the display unit of `quantity`, in the field
// notation, or in an exponent form with the digits needed where that notation would lose the value.
std::string InputText(UnitSettings& units, Quantity quantity, long double internal);

// The text the program writes into a field or a search box for an internal value of the session's
// state. The built-in standard's field notation (InputText; with trimZeros, the trailing zeros of
// its decimals dropped) reads back as the Real6 its state holds; a standard computed in double
// precision gets the display value to 15 significant digits, every decimal digit a double holds
// for certain (trailing zeros dropped), so that the state written back is the state meant rather
// than one rounded to the field notation: a typed 373.123456789 comes back as typed, and a
// search's root 523.1500000000001 as 523.15.
std::string StateFieldText(Session& s, Quantity quantity, long double internal, bool trimZeros);

}  // namespace tulo
