#include "results/PhaseCondition.h"

#include <cmath>

#include "common/Real6.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

// Compared with stored values, so held as Real6.
const long double kSaturationBand = R6(0.1L);  // K either side of Tsat that counts as saturated

// The melting line: 273.152518 K at 101.325 kPa, falling 7.42901e-5 K per kPa above it. Its
// constants are stored values too: a typed 273.152518 K at a typed 101.325 kPa lies on it.
const long double kMeltingAtReference = R6(273.152518L);
const long double kMeltingReferenceP = R6(101.325L);
const long double kMeltingSlope = R6(7.42901e-5L);

long double MeltingTemperature(long double P) {
  return kMeltingAtReference - (P - kMeltingReferenceP) * kMeltingSlope;
}

// The saturated condition on the saturation line at T: solid and vapour up to the top of the
// sublimation line.
Condition SaturatedAt(long double T) {
  return T <= kSublimationTop ? Condition::kSatSolidVapour : Condition::kSatLiquidVapour;
}

}  // namespace

std::string ConditionName(Condition condition) {
  switch (condition) {
    case Condition::kSubCooledSolid:
      return "Sub-cooled Solid";
    case Condition::kSatSolidVapour:
      return "Saturated Solid and Vapour";
    case Condition::kSubCooledLiquid:
      return "Sub-cooled Liquid";
    case Condition::kSatLiquidVapour:
      return "Saturated Liquid and Vapour";
    case Condition::kSuperheated:
      return "Superheated Vapour";
    case Condition::kSuperCritical:
      return "Super Critical";
    case Condition::kNone:
      break;
  }
  return "";
}

void SetConditionText(CalcState& state) {
  if (state.Condition != Condition::kNone) state.ConditionText = ConditionName(state.Condition);
}

void DetermineCondition(CalcState& state, CalculatorSet& calculators, long double T, long double P) {
  Condition condition;
  if (T > kCriticalTemperature && P > kCriticalPressure) {
    condition = Condition::kSuperCritical;
  } else {
    const CalcResult sat = calculators.Compute(Item::kSaturationTemperature, Phase::kNoPhase, 0.0L, P);
    const long double Tsat = R6(sat.value);
    if (sat.Ok() && std::fabs(Tsat - T) < kSaturationBand) {
      condition = SaturatedAt(T);
    } else if (sat.Ok() && T > Tsat) {
      condition = Condition::kSuperheated;
    } else {
      condition = T >= MeltingTemperature(P) ? Condition::kSubCooledLiquid : Condition::kSubCooledSolid;
    }
  }
  state.Condition = condition;
  SetConditionText(state);
}

void SaturationCondition(CalcState& state, CalculatorSet& calculators, UnitSettings& units) {
  if (state.SatGivenTemperature) {
    const CalcResult P = calculators.Compute(Item::kSaturationPressure, Phase::kNoPhase, state.TempK, 0.0L);
    if (P.Ok()) {
      state.PresKPa = static_cast<double>(R6(P.value));
      state.PresDisplay = static_cast<double>(units.ToDisplay(kPressure, state.PresKPa));
    }
  } else {
    const CalcResult T =
        calculators.Compute(Item::kSaturationTemperature, Phase::kNoPhase, 0.0L, state.PresKPa);
    if (T.Ok()) {
      state.TempK = static_cast<double>(R6(T.value));
      state.TempDisplay = static_cast<double>(units.ToDisplay(kTemperature, state.TempK));
    }
  }
  state.Condition = SaturatedAt(state.TempK);
  SetConditionText(state);
}

}  // namespace tulo
