// Surface tension (N/m) of the liquid against its vapour, from the distance to the critical
// temperature. Other phases have none.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kTMax = R6(646.15L);
const long double kPMax = R6(25000.0L);

// ln sigma, t = 647.29 - T; terms 1, t, t^2, t^3, t^4, t^0.001, t^0.002. The constant and the two
// fractional terms are of order 1e4..1e5 and cancel to about -3, so the stored Real6 powers and
// the extended sum in this order decide the last digits.
constexpr long double kLnSigma[7] = {-41186.14599L, 0.00443974L,  -2.34707e-05L, 5.79279e-08L,
                                     -5.79228e-11L, 80957.83304L, -39781.43108L};

long double SurfaceTension(long double T) {
  auto t = R6Powers<4>(R6(647.29L - T));
  const long double terms[7] = {
      1.0L, t[1], t[2], t[3], t[4], R6(GenPower(t[1], 0.001L)), R6(GenPower(t[1], 0.002L))};
  return std::exp(Series(kLnSigma, terms));
}

class SurfaceTensionCalc final : public PropertyCalculator {
 public:
  SurfaceTensionCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kSurfaceTension, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (!IsLiquidPhase(phase)) return CalcResult::NotGiven();
    if (T > kTMax || P > kPMax) return CalcResult::OutOfRange();  // no lower temperature limit
    return CalcResult::Valid(R6(SurfaceTension(T)));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeSurfaceTensionCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<SurfaceTensionCalc>(table, ctx);
}

}  // namespace tulo
