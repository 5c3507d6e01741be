#include "results/CellText.h"

#include <cmath>

#include "common/Real6.h"
#include "common/Text.h"
#include "units/Format.h"

namespace tulo {

std::string CellText(const PropertyCalculator& calc, const CalcResult& result, UnitSettings& units) {
  switch (result.status) {
    case Status::kValid: {
      return ValueCellText(R6(units.ToDisplay(PropQuantity(calc.GetItem()), calc.Store(result.value))));
    }
    case Status::kNotGiven:
      return " -";
    case Status::kOutOfRange:
      break;
  }
  return "Out of Range";
}

std::string ValueCellText(long double shown) {
  if (!std::isfinite(shown)) return "Out of Range";  // beyond what the display unit can hold
  return Utf8Left(FormatReal(12, AutoDecimals(shown), true, shown), 12);
}

void ComputeText(PropertyCalculator& calc, Phase phase, std::string& text, long double T, long double P,
                 UnitSettings& units) {
  text = CellText(calc, calc.Compute(phase, T, P), units);
}

}  // namespace tulo
