#include "results/PhaseCondition.h"

#include <cmath>

#include "props/CorrelationSet.h"
#include "results/DisplayValue.h"

namespace tulo {
namespace {

// The saturated condition on the saturation line at T: solid and vapour up to the top of the
// sublimation line.
Condition SaturatedAt(const CorrelationSet& set, long double T) {
  return T <= set.SublimationTop() ? Condition::kSatSolidVapour : Condition::kSatLiquidVapour;
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

namespace {

// The condition of (T, P), saturated within `band` K of the saturation temperature.
Condition Classify(const CalculatorTable& calculators, long double T, long double P, long double band) {
  const CorrelationSet& set = calculators.Set();
  const CriticalPoint critical = set.Critical();
  Condition condition;
  if (T > critical.temperature && P > critical.pressure) {
    condition = Condition::kSuperCritical;
  } else {
    const CalcResult sat = set.SaturationTemperature(calculators, P);
    const long double Tsat = set.Storage().Store(sat.value);
    if (sat.Ok() && std::fabs(Tsat - T) < band) {
      condition = SaturatedAt(set, T);
    } else if (sat.Ok() && T > Tsat) {
      condition = Condition::kSuperheated;
    } else {
      // The melting temperature costs an inversion of the melting curve in some standards.
      const bool liquid = T > set.HighestMeltingTemperature() || T >= set.MeltingTemperature(P);
      condition = liquid ? Condition::kSubCooledLiquid : Condition::kSubCooledSolid;
    }
  }
  return condition;
}

}  // namespace

void DetermineCondition(CalcState& state, const CalculatorTable& calculators, long double T, long double P) {
  state.Condition = Classify(calculators, T, P, calculators.Set().SaturationBand());
  SetConditionText(state);
}

void DetermineValueCondition(CalcState& state, const CalculatorTable& calculators, long double T,
                             long double P) {
  const CorrelationSet& set = calculators.Set();
  // Without a band no state is saturated; one exactly at the saturation temperature is the
  // condensed one, as the IF97 regions put it.
  state.Condition = Classify(calculators, T, P, set.BandStatesAreSaturated() ? set.SaturationBand() : 0.0L);
  SetConditionText(state);
}

void SaturationCondition(CalcState& state, const CalculatorTable& calculators, UnitSettings& units) {
  const CorrelationSet& set = calculators.Set();
  if (state.SatGivenTemperature) {
    const CalcResult P = set.SaturationPressure(calculators, state.TempK);
    if (P.Ok()) {
      state.PresKPa = static_cast<double>(set.Storage().Store(P.value));
      state.PresDisplay = static_cast<double>(UnitConversion(units, set, kPressure).ToDisplay(state.PresKPa));
    }
  } else {
    const CalcResult T = set.SaturationTemperature(calculators, state.PresKPa);
    if (T.Ok()) {
      state.TempK = static_cast<double>(set.Storage().Store(T.value));
      state.TempDisplay =
          static_cast<double>(UnitConversion(units, set, kTemperature).ToDisplay(state.TempK));
    }
  }
  state.Condition = SaturatedAt(set, state.TempK);
  SetConditionText(state);
}

}  // namespace tulo
