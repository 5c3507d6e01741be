// Refractive index of liquid water at low pressure between 288 K and 373.15 K: a quartic in T.
// The pressure only limits the range.

#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kTMin = R6(288.0L);
const long double kTMax = R6(373.15L);
const long double kPMax = R6(500.0L);

// Terms 1, T .. T^4.
constexpr long double kIndex[5] = {0.850616L, 0.00544571L, -2.255391e-05L, 4.15164e-08L, -2.99742e-11L};

class RefractiveIndexCalc final : public PropertyCalculator {
 public:
  RefractiveIndexCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kRefractiveIndex, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (!IsLiquidPhase(phase)) return CalcResult::NotGiven();
    if (T > kTMax || T < kTMin || P > kPMax) return CalcResult::OutOfRange();
    return CalcResult::Valid(R6(Series(kIndex, R6Powers<4>(T))));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeRefractiveIndexCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<RefractiveIndexCalc>(table, ctx);
}

}  // namespace tulo
