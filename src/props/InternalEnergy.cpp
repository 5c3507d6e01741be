// Specific internal energy u = h - P/rho, kJ/kg (kPa over kg/m3 is kJ/kg), from the enthalpy and
// the density of the same state and phase.

#include "common/Real6.h"
#include "props/Calculators.h"

namespace tulo {
namespace {

class InternalEnergyCalc final : public PropertyCalculator {
 public:
  InternalEnergyCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kInternalEnergy, CacheKey::kAll) {}

 protected:
  // P is the pressure argument itself, also for the saturated and wet-steam phases.
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    const CalcResult h = Ask(Item::kEnthalpy, phase, T, P);
    if (!h.Ok()) return CalcResult::Failed(h.status);  // the density is not asked for then
    const CalcResult rho = Ask(Item::kDensity, phase, T, P);
    if (!rho.Ok()) return CalcResult::Failed(rho.status);
    return CalcResult::Valid(R6(h.value - P / rho.value));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeInternalEnergyCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<InternalEnergyCalc>(table, ctx);
}

}  // namespace tulo
