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
  MeltingPointCalc(CalculatorSet& set, CalcContext& ctx)
      : PropertyCalculator(set, ctx, Item::kMeltingPoint, CacheKey::kAll) {}

 protected:
  long double Evaluate(Phase phase, std::uint8_t& status, long double, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSatLiquid:
      case Phase::kSubCooledSolid:
      case Phase::kSubCooledLiquid:
        if (P > kMeltingPMax) {
          status = kOutOfRange;
          return 0.0L;
        }
        status = kValid;
        return R6(273.152518L - (P - 101.325L) * 7.42901e-05L);
      default:  // vapour and super critical states melt nowhere; other codes are not treated
        status = kNotGiven;
        return 0.0L;
    }
  }
};

// The saturation temperature at the pressure, its value and status passed on, for every phase.
class BoilingPointCalc final : public PropertyCalculator {
 public:
  BoilingPointCalc(CalculatorSet& set, CalcContext& ctx)
      : PropertyCalculator(set, ctx, Item::kBoilingPoint, CacheKey::kAll) {}

 protected:
  long double Evaluate(Phase phase, std::uint8_t& status, long double, long double P) override {
    return R6(Ask(Item::kSaturationTemperature, phase, status, 0.0L, P));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeMeltingPointCalc(CalculatorSet& set, CalcContext& ctx) {
  return std::make_unique<MeltingPointCalc>(set, ctx);
}

std::unique_ptr<PropertyCalculator> MakeBoilingPointCalc(CalculatorSet& set, CalcContext& ctx) {
  return std::make_unique<BoilingPointCalc>(set, ctx);
}

}  // namespace tulo
