#pragma once
// The text of a grid cell: a calculator's answer in the display unit of its item. Above the
// correlations, so that a calculator knows nothing of display units.

#include <string>

#include "props/PropertyCalculator.h"
#include "units/Units.h"

namespace tulo {

// The value as the calculator's standard stores it, in the display unit of the calculator's item,
// FormatReal(12, AutoDecimals, trimmed) cut to 12 characters; " -" when not given; "Out of Range"
// when out of range or beyond what the display unit can hold.
std::string CellText(const PropertyCalculator& calc, const CalcResult& result, UnitSettings& units);

// The text of a valid value already in its display unit (a Real6): the number as a cell shows
// it, or "Out of Range" when it is not finite.
std::string ValueCellText(long double shown);

// Asks the calculator and writes the text of its answer.
void ComputeText(PropertyCalculator& calc, Phase phase, std::string& text, long double T, long double P,
                 UnitSettings& units);

}  // namespace tulo
