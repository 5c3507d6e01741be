// Specific internal energy u = h - P/rho, kJ/kg (kPa over kg/m3 is kJ/kg), from the enthalpy and
// the density of the same state and phase.

#include "common/Real6.h"
#include "props/Calculators.h"

namespace tulo {
namespace {

class InternalEnergyCalc final : public PropertyCalculator {
 public:
  InternalEnergyCalc(CalculatorSet& set, CalcContext& ctx)
      : PropertyCalculator(set, ctx, Item::kInternalEnergy, CacheKey::kAll) {}

 protected:
  // P is the pressure argument itself, also for the saturated and wet-steam phases.
  long double Evaluate(Phase phase, std::uint8_t& status, long double T, long double P) override {
    long double h = Ask(Item::kEnthalpy, phase, status, T, P);
    if (status != kValid) return 0.0L;  // the density is not asked for then
    long double rho = Ask(Item::kDensity, phase, status, T, P);
    if (status != kValid) return 0.0L;
    return R6(h - P / rho);
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeInternalEnergyCalc(CalculatorSet& set, CalcContext& ctx) {
  return std::make_unique<InternalEnergyCalc>(set, ctx);
}

}  // namespace tulo
