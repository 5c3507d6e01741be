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
    std::uint8_t status = kOutOfRange;
    long double Tsat = 0.0L;
    if (PropertyCalculator* satT = calculators.VarPropCalc(Item::kSaturationTemperature))
      Tsat = R6(satT->Compute(Phase::kNoPhase, status, 0.0L, P));
    if (status == kValid && std::fabs(Tsat - T) < kSaturationBand) {
      condition = SaturatedAt(T);
    } else if (status == kValid && T > Tsat) {
      condition = Condition::kSuperheated;
    } else {
      condition = T >= MeltingTemperature(P) ? Condition::kSubCooledLiquid : Condition::kSubCooledSolid;
    }
  }
  state.Condition = condition;
  SetConditionText(state);
}

void SaturationCondition(CalcState& state, CalculatorSet& calculators, UnitSettings& units) {
  std::uint8_t status = kOutOfRange;
  if (state.SatGivenTemperature) {
    long double P = 0.0L;
    if (PropertyCalculator* satP = calculators.VarPropCalc(Item::kSaturationPressure))
      P = satP->Compute(Phase::kNoPhase, status, state.TempK, 0.0L);
    if (status == kValid) {
      state.PresKPa = static_cast<double>(R6(P));
      state.PresDisplay = static_cast<double>(units.ToDisplay(kPressure, state.PresKPa));
    }
  } else {
    long double T = 0.0L;
    if (PropertyCalculator* satT = calculators.VarPropCalc(Item::kSaturationTemperature))
      T = satT->Compute(Phase::kNoPhase, status, 0.0L, state.PresKPa);
    if (status == kValid) {
      state.TempK = static_cast<double>(R6(T));
      state.TempDisplay = static_cast<double>(units.ToDisplay(kTemperature, state.TempK));
    }
  }
  state.Condition = SaturatedAt(state.TempK);
  SetConditionText(state);
}

}  // namespace tulo
