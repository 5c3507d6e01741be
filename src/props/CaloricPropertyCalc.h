#pragma once
// What the enthalpy and the entropy calculators share: both mix wet steam by mass from their own
// saturated values, and both take the compressed liquid from their own saturated liquid by an
// integral over pressure along the isotherm.

#include <cstdint>
#include <limits>
#include <utility>

#include "common/Real6.h"
#include "props/CalculatorTable.h"
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

  // The thermal expansion and the density at p on the isotherm T, the index-th point of an
  // integral (the density is not asked when the expansion failed): replayed from the table's
  // IntegrandMemo for the phases whose density and expansion ask no other calculator, when the
  // point's kept calls match; asked and recorded otherwise.
  std::pair<CalcResult, CalcResult> ExpansionAndDensity(Phase phase, long double T, long double p,
                                                        std::size_t index) {
    auto ask = [&]() -> std::pair<CalcResult, CalcResult> {
      const CalcResult beta = Ask(Item::kThermalExpansion, phase, T, p);
      if (!beta.Ok()) return {beta, CalcResult::NotGiven()};
      return {beta, Ask(Item::kDensity, phase, T, p)};
    };
    PropertyCalculator* betaCalc = table_.VarPropCalc(Item::kThermalExpansion);
    PropertyCalculator* rhoCalc = table_.VarPropCalc(Item::kDensity);
    const bool condensed = phase == Phase::kSatSolid || phase == Phase::kSubCooledSolid ||
                           phase == Phase::kSatLiquid || phase == Phase::kSubCooledLiquid;
    if (betaCalc == nullptr || rhoCalc == nullptr || !condensed) return ask();
    IntegrandMemo& memo = table_.Integrands();
    if (memo.phase != phase || memo.T != T || memo.quality != ctx_.steamQuality) {
      memo.phase = phase;
      memo.T = T;
      memo.quality = ctx_.steamQuality;
      memo.points.clear();
    }
    if (index < memo.points.size()) {
      const IntegrandMemo::Point& kept = memo.points[index];
      if (kept.p == p && kept.betaBefore == betaCalc->Kept() && kept.rhoBefore == rhoCalc->Kept()) {
        betaCalc->Restore(kept.betaAfter);
        rhoCalc->Restore(kept.rhoAfter);
        return {kept.beta, kept.rho};
      }
    }
    IntegrandMemo::Point point;
    point.p = p;
    point.betaBefore = betaCalc->Kept();
    point.rhoBefore = rhoCalc->Kept();
    std::tie(point.beta, point.rho) = ask();
    point.betaAfter = betaCalc->Kept();
    point.rhoAfter = rhoCalc->Kept();
    if (index < memo.points.size())
      memo.points[index] = point;
    else if (index == memo.points.size() && index < IntegrandMemo::kCapacity)
      memo.points.push_back(point);
    return {point.beta, point.rho};
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
    std::size_t index = 0;  // of the point in the integral's order
    auto integrand = [&](long double p) {
      const auto [beta, rho] = ExpansionAndDensity(phase, T, p, index++);
      status = beta.status;
      if (!beta.Ok()) return std::numeric_limits<long double>::quiet_NaN();
      status = rho.status;
      return R6(slope(beta.value, rho.value));
    };
    const long double integral = PressureIntegral(ps.value, P, absTolerance, integrand);
    return {integral, status};
  }
};

}  // namespace tulo
