// Melting point and boiling point at the pressure of the state.

#include "common/Real6.h"
#include "props/Calculators.h"

namespace tulo {
namespace {

const long double kMeltingPMax = R6(100000.0L);

// The straight melting line shared with the phase condition: 273.152518 K at 101.325 kPa,
// falling 7.42901e-5 K per kPa above it. The temperature argument is not used.
class MeltingPointCalc final : public PropertyCalculator {
 public:
  MeltingPointCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kMeltingPoint, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSatLiquid:
      case Phase::kSubCooledSolid:
      case Phase::kSubCooledLiquid:
        if (P > kMeltingPMax) return CalcResult::OutOfRange();
        return CalcResult::Valid(R6(273.152518L - (P - 101.325L) * 7.42901e-05L));
      default:  // vapour and super critical states melt nowhere; other codes are not treated
        return CalcResult::NotGiven();
    }
  }
};

// The saturation temperature at the pressure, its value and status passed on, for every phase.
class BoilingPointCalc final : public PropertyCalculator {
 public:
  BoilingPointCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kBoilingPoint, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double, long double P) override {
    CalcResult t = Ask(Item::kSaturationTemperature, phase, 0.0L, P);
    t.value = R6(t.value);
    return t;
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeMeltingPointCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<MeltingPointCalc>(table, ctx);
}

std::unique_ptr<PropertyCalculator> MakeBoilingPointCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<BoilingPointCalc>(table, ctx);
}

}  // namespace tulo
