// Volumetric thermal expansion coefficient beta = -(1/rho) d(rho)/dT of ice and liquid water, 1/K.

#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"

namespace tulo {
namespace {

// Cool liquid at low pressure (and saturated liquid below 323 K) has a fitted derivative.
const long double kPolynomialTMax = R6(323.0L);
const long double kPolynomialPMax = R6(500.0L);

class ThermalExpansionCalc final : public PropertyCalculator {
 public:
  ThermalExpansionCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kThermalExpansion, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        return Ice(phase, T, P);
      case Phase::kSatLiquid:
      case Phase::kSubCooledLiquid:
        if (T < kPolynomialTMax && (phase == Phase::kSatLiquid || P < kPolynomialPMax))
          return LiquidPolynomial(phase, T, P);
        return LiquidDifference(phase, T, P);
      default:
        return CalcResult::NotGiven();  // vapour and super critical fluid have none
    }
  }

 private:
  CalcResult Density(Phase phase, long double T, long double P) { return Ask(Item::kDensity, phase, T, P); }

  // The numerator is minus the temperature derivative of the ice density fit.
  CalcResult Ice(Phase phase, long double T, long double P) {
    const CalcResult rho = Density(phase, T, P);
    if (!rho.Ok()) return CalcResult::Failed(rho.status);
    return CalcResult::Valid(R6((0.0353808L + 0.000411512L * T) / rho.value));
  }

  CalcResult LiquidPolynomial(Phase phase, long double T, long double P) {
    auto t = R6Powers<3>(T);
    const CalcResult rho = Density(phase, T, P);
    if (!rho.Ok()) return CalcResult::Failed(rho.status);
    return CalcResult::Valid(
        R6((-50.889985L + 0.4656574L * T - 0.0014292153L * t[2] + 1.4850496e-06L * t[3]) / rho.value));
  }

  // One-kelvin backward difference; leaves the density calculator's kept call at T - 1.
  CalcResult LiquidDifference(Phase phase, long double T, long double P) {
    const CalcResult at = Density(phase, T, P);
    if (!at.Ok()) return CalcResult::Failed(at.status);
    const long double rho1 = R6(at.value);
    const long double T0 = R6(T - 1.0L);
    const CalcResult below = Density(phase, T0, P);
    if (!below.Ok()) return CalcResult::Failed(below.status);
    const long double rho0 = R6(below.value);
    return CalcResult::Valid(R6((rho0 - rho1) / rho1));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeThermalExpansionCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<ThermalExpansionCalc>(table, ctx);
}

}  // namespace tulo
