#pragma once
// The text of a number the program writes into an input field or a search box.

#include <string>

#include "units/Units.h"

namespace tulo {

// The value in internal units `internal` shown in the display unit of `quantity`, in the field
// notation, or in an exponent form with the digits needed where that notation would lose the value.
std::string InputText(UnitSettings& units, Quantity quantity, long double internal);

}  // namespace tulo
