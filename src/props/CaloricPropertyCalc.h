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
  CaloricPropertyCalc(CalculatorSet& set, CalcContext& ctx, Item item)
      : PropertyCalculator(set, ctx, item, CacheKey::kAll) {}

  // The own value on the saturation line at T (the pressure argument is not used there).
  long double Self(Phase phase, std::uint8_t& status, long double T) {
    return Ask(GetItem(), phase, status, T, 0.0L);
  }

  // ((100 - x) * liquid + x * vapour) / 100 with the steam quality x in percent; Real6.
  long double WetSteam(std::uint8_t& status, long double T) {
    long double x = ctx_.steamQuality;
    long double liquid = Self(Phase::kSatLiquid, status, T);
    if (status != kValid) return 0.0L;
    long double vapour = Self(Phase::kSatVapour, status, T);
    if (status != kValid) return 0.0L;
    return R6(((100.0L - x) * liquid + x * vapour) * 0.01L);
  }

  // The integral of slope(beta, rho), each value held as Real6, from the saturation pressure of T
  // to P (kPa) (see PressureIntegral), with beta the thermal expansion coefficient and rho the
  // density at each pressure point. The inner calls use the condition of the state as their phase
  // code. Check the status before using the result.
  template <typename Slope>
  long double IntegralFromSaturation(std::uint8_t& status, long double T, long double P,
                                     long double absTolerance, Slope slope) {
    const Phase phase = PhaseOf(ctx_.condition);
    long double ps = Ask(Item::kSaturationPressure, phase, status, T, P);
    if (status != kValid) return 0.0L;
    auto integrand = [&](long double p) {
      long double beta = Ask(Item::kThermalExpansion, phase, status, T, p);
      if (status != kValid) return std::numeric_limits<long double>::quiet_NaN();
      long double rho = Ask(Item::kDensity, phase, status, T, p);
      return R6(slope(beta, rho));
    };
    return PressureIntegral(ps, P, absTolerance, integrand);
  }
};

}  // namespace tulo
