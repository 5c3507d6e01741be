#pragma once
// The phase condition of a state: sub-cooled solid, saturated solid and vapour, sub-cooled liquid,
// saturated liquid and vapour, superheated vapour or super critical, by the lines of the
// correlation set that made the calculators.

#include <string>

#include "props/CalculatorTable.h"
#include "results/CalcState.h"
#include "units/Units.h"

namespace tulo {

// Display text of a condition; empty for kNone.
std::string ConditionName(Condition condition);

// Classifies (T K, P kPa) and sets Condition and ConditionText.
void DetermineCondition(CalcState& state, const CalculatorTable& calculators, long double T, long double P);

// The condition of a state given by T and P as the window, the single values, the batch runs and
// the tables show it: DetermineCondition's, except that a state
// within the saturation band of a standard whose band states are not saturated
// (CorrelationSet::BandStatesAreSaturated) takes the side of the saturation line it lies on.
void DetermineValueCondition(CalcState& state, const CalculatorTable& calculators, long double T,
                             long double P);

// Completes a state given by temperature (SatGivenTemperature) or pressure alone along the
// saturation line, in internal and display units, and sets a saturated condition. A failing
// saturation calculator leaves the derived quantity as it was.
void SaturationCondition(CalcState& state, const CalculatorTable& calculators, UnitSettings& units);

// Copies the text of Condition into ConditionText; leaves it for kNone.
void SetConditionText(CalcState& state);

}  // namespace tulo
