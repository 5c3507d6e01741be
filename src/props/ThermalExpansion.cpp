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
  ThermalExpansionCalc(CalculatorSet& set, CalcContext& ctx)
      : PropertyCalculator(set, ctx, Item::kThermalExpansion, CacheKey::kAll) {}

 protected:
  long double Evaluate(Phase phase, std::uint8_t& status, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        status = kValid;
        return Ice(phase, status, T, P);
      case Phase::kSatLiquid:
      case Phase::kSubCooledLiquid:
        status = kValid;
        if (T < kPolynomialTMax && (phase == Phase::kSatLiquid || P < kPolynomialPMax))
          return LiquidPolynomial(phase, status, T, P);
        return LiquidDifference(phase, status, T, P);
      default:
        status = kNotGiven;
        return 0.0L;  // vapour and super critical fluid have none
    }
  }

 private:
  long double Density(Phase phase, std::uint8_t& status, long double T, long double P) {
    return Ask(Item::kDensity, phase, status, T, P);
  }

  // The numerator is minus the temperature derivative of the ice density fit.
  long double Ice(Phase phase, std::uint8_t& status, long double T, long double P) {
    long double rho = Density(phase, status, T, P);
    if (status != kValid) return 0.0L;
    return R6((0.0353808L + 0.000411512L * T) / rho);
  }

  long double LiquidPolynomial(Phase phase, std::uint8_t& status, long double T, long double P) {
    auto t = R6Powers<3>(T);
    long double rho = Density(phase, status, T, P);
    if (status != kValid) return 0.0L;
    return R6((-50.889985L + 0.4656574L * T - 0.0014292153L * t[2] + 1.4850496e-06L * t[3]) / rho);
  }

  // One-kelvin backward difference; leaves the density calculator's kept call at T - 1.
  long double LiquidDifference(Phase phase, std::uint8_t& status, long double T, long double P) {
    long double rho1 = R6(Density(phase, status, T, P));
    if (status != kValid) return 0.0L;
    long double T0 = R6(T - 1.0L);
    long double rho0 = R6(Density(phase, status, T0, P));
    if (status != kValid) return 0.0L;
    return R6((rho0 - rho1) / rho1);
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeThermalExpansionCalc(CalculatorSet& set, CalcContext& ctx) {
  return std::make_unique<ThermalExpansionCalc>(set, ctx);
}

}  // namespace tulo
