#pragma once
// What the enthalpy and the entropy calculators share: both mix wet steam by mass from their own
// saturated values, and both take the compressed liquid from their own saturated liquid by an
// integral over pressure along the isotherm.

#include <cstdint>
#include <limits>

#include "common/Real6.h"
#include "props/PressureIntegral.h"
#include "props/PropertyCalculator.h"

namespace tulo {

class CaloricPropertyCalc : public PropertyCalculator {
 protected:
  CaloricPropertyCalc(CalculatorTable& table, CalcContext& ctx, Item item)
      : PropertyCalculator(table, ctx, item, CacheKey::kAll) {}

  // The own value on the saturation line at T (the pressure argument is not used there).
  CalcResult Self(Phase phase, long double T) { return Ask(GetItem(), phase, T, 0.0L); }

  // ((100 - x) * liquid + x * vapour) / 100 with the steam quality x in percent; Real6.
  CalcResult WetSteam(long double T) {
    long double x = ctx_.steamQuality;
    const CalcResult liquid = Self(Phase::kSatLiquid, T);
    if (!liquid.Ok()) return CalcResult::Failed(liquid.status);
    const CalcResult vapour = Self(Phase::kSatVapour, T);
    if (!vapour.Ok()) return CalcResult::Failed(vapour.status);
    return CalcResult::Valid(R6(((100.0L - x) * liquid.value + x * vapour.value) * 0.01L));
  }

  // The integral of slope(beta, rho), each value held as Real6, from the saturation pressure of T
  // to P (kPa) (see PressureIntegral), with beta the thermal expansion coefficient and rho the
  // density at each pressure point. The inner calls use the condition of the state as their phase
  // code. The status is that of the last inner call: a failed one ends the integration, and a
  // valid status may still come with a NaN integral (beyond what a Real6 holds).
  template <typename Slope>
  CalcResult IntegralFromSaturation(long double T, long double P, long double absTolerance, Slope slope) {
    const Phase phase = PhaseOf(ctx_.condition);
    const CalcResult ps = Ask(Item::kSaturationPressure, phase, T, P);
    if (!ps.Ok()) return CalcResult::Failed(ps.status);
    Status status = Status::kValid;
    auto integrand = [&](long double p) {
      const CalcResult beta = Ask(Item::kThermalExpansion, phase, T, p);
      status = beta.status;
      if (!beta.Ok()) return std::numeric_limits<long double>::quiet_NaN();
      const CalcResult rho = Ask(Item::kDensity, phase, T, p);
      status = rho.status;
      return R6(slope(beta.value, rho.value));
    };
    const long double integral = PressureIntegral(ps.value, P, absTolerance, integrand);
    return {integral, status};
  }
};

}  // namespace tulo
