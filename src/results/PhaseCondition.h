#pragma once
// The phase condition of a state: sub-cooled solid (3), saturated solid and vapour (4),
// sub-cooled liquid (5), saturated liquid and vapour (6), superheated vapour (7), super critical (8).

#include <cstdint>
#include <string>

#include "props/CalculatorSet.h"
#include "results/CalcState.h"
#include "units/Units.h"

namespace tulo {

// Display text of condition code 3..8; empty for other codes.
std::string ConditionName(int condition);

// Classifies (T K, P kPa) and sets Condition and ConditionText.
void DetermineCondition(CalcState& state, CalculatorSet& calculators, long double T, long double P);

// Completes a state given by temperature (SatGivenTemperature) or pressure alone along the
// saturation line, in internal and display units, and sets a saturated condition. A failing
// saturation calculator leaves the derived quantity as it was.
void SaturationCondition(CalcState& state, CalculatorSet& calculators, UnitSettings& units);

// Copies the text of Condition into ConditionText; leaves it for a code outside 3..8.
void SetConditionText(CalcState& state);

}  // namespace tulo
