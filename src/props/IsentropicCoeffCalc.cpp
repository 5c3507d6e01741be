// Isentropic expansion coefficient k of P v^k = constant (about 1.3) for saturated vapour,
// superheated vapour and super critical fluid: a polynomial in T and P.

#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kTMax = R6(1473.0L);  // no lower limit
const long double kPMax = R6(25000.0L);

// Rows 1, P .. P^4; columns 1, T .. T^4.
constexpr long double kCoeff[5][5] = {
    {1.3355983L, 5.5240754e-05L, -3.2101115e-07L, 2.4311913e-10L, -6.044019e-14L},
    {-0.00015704894L, 6.2047169e-07L, -9.1029222e-10L, 5.8830195e-13L, -1.4113276e-16L},
    {1.8113193e-08L, -7.777339e-11L, 1.2440113e-13L, -8.7623934e-17L, 2.2913446e-20L},
    {-3.360078e-12L, 1.4022806e-14L, -2.1683495e-17L, 1.4726354e-20L, -3.7077622e-24L},
    {1.163113e-16L, -4.7762676e-19L, 7.2700765e-22L, -4.8610449e-25L, 1.2049343e-28L},
};

class IsentropicCoeffCalc final : public PropertyCalculator {
 public:
  IsentropicCoeffCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kIsentropicCoefficient, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (phase != Phase::kSatVapour && phase != Phase::kSuperheated && phase != Phase::kSuperCritical)
      return CalcResult::NotGiven();
    if (T > kTMax || P > kPMax) return CalcResult::OutOfRange();
    return CalcResult::Valid(R6(DoubleSeries(kCoeff, R6Powers<4>(P), R6Powers<4>(T))));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeIsentropicCoeffCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<IsentropicCoeffCalc>(table, ctx);
}

}  // namespace tulo
