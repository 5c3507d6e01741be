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

constexpr const char* kConditionTexts[] = {"Sub-cooled Solid",   "Saturated Solid and Vapour",
                                           "Sub-cooled Liquid",  "Saturated Liquid and Vapour",
                                           "Superheated Vapour", "Super Critical"};

}  // namespace

std::string ConditionName(int condition) {
  return condition >= 3 && condition <= 8 ? kConditionTexts[condition - 3] : "";
}

void SetConditionText(CalcState& state) {
  if (state.Condition >= 3 && state.Condition <= 8) state.ConditionText = ConditionName(state.Condition);
}

void DetermineCondition(CalcState& state, CalculatorSet& calculators, long double T, long double P) {
  std::uint8_t condition;
  if (T > kCriticalTemperature && P > kCriticalPressure) {
    condition = 8;
  } else {
    std::uint8_t status = kOutOfRange;
    long double Tsat = 0.0L;
    if (PropertyCalculator* satT = calculators.VarPropCalc(33))
      Tsat = R6(satT->Compute(kNoPhase, status, 0.0L, P));
    if (status == kValid && std::fabs(Tsat - T) < kSaturationBand) {
      condition = T <= kSublimationTop ? 4 : 6;
    } else if (status == kValid && T > Tsat) {
      condition = 7;
    } else {
      condition = T >= MeltingTemperature(P) ? 5 : 3;
    }
  }
  state.Condition = condition;
  SetConditionText(state);
}

void SaturationCondition(CalcState& state, CalculatorSet& calculators, UnitSettings& units) {
  std::uint8_t status = kOutOfRange;
  if (state.SatGivenTemperature) {
    long double P = 0.0L;
    if (PropertyCalculator* satP = calculators.VarPropCalc(20))
      P = satP->Compute(kNoPhase, status, state.TempK, 0.0L);
    if (status == kValid) {
      state.PresKPa = static_cast<double>(R6(P));
      state.PresDisplay = static_cast<double>(units.ToDisplay(kPressure, state.PresKPa));
    }
  } else {
    long double T = 0.0L;
    if (PropertyCalculator* satT = calculators.VarPropCalc(33))
      T = satT->Compute(kNoPhase, status, 0.0L, state.PresKPa);
    if (status == kValid) {
      state.TempK = static_cast<double>(R6(T));
      state.TempDisplay = static_cast<double>(units.ToDisplay(kTemperature, state.TempK));
    }
  }
  state.Condition = state.TempK <= kSublimationTop ? 4 : 6;
  SetConditionText(state);
}

}  // namespace tulo
