// Isothermal compressibility (1/kPa) of liquid water, a double series in ln P and a power of the
// temperature above 273 K.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kTMin = R6(273.0L);
const long double kTMax = R6(640.0L);
const long double kPMax = R6(100000.0L);
const long double kLowestLogP = R6(100.0L);  // lower pressures are evaluated at 100 kPa

// Rows 1, u .. u^5 with u = ((T - 273) / 100)^4; columns 1, L, L^2, L^3 with L = ln P.
constexpr long double kKappa[6][4] = {
    {9.763855e-07L, -2.207402e-07L, 3.067107e-08L, -1.400074e-09L},
    {-6.019909e-07L, 2.00398e-07L, -2.041526e-08L, 6.633629e-10L},
    {6.68183e-08L, -2.1925617e-08L, 2.3236376e-09L, -8.029886e-11L},
    {-1.3773237e-09L, 4.818671e-10L, -5.3283911e-11L, 1.8965745e-12L},
    {2.688432e-12L, -1.7947078e-12L, 2.5799987e-13L, -1.0638565e-14L},
    {8.122914e-14L, -1.8517132e-14L, 1.3583685e-15L, -3.149833e-17L},
};

long double Compressibility(long double T, long double P) {
  const long double L = std::log(P < kLowestLogP ? 100.0L : P);
  const long double u = GenPower((T - 273.0L) * 0.01L, 4.0L);  // exp(4 ln theta); 0 at 273 K
  const double kappa =
      Dbl(DoubleSeries(kKappa, ExtendedPowers<5>(u), ExtendedPowers<3>(L)));  // held in double
  return R6(kappa);
}

class IsothermalCompressibilityCalc final : public PropertyCalculator {
 public:
  IsothermalCompressibilityCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kIsothermalCompressibility, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (!IsLiquidPhase(phase)) return CalcResult::NotGiven();
    if (P > kPMax || T > kTMax || T < kTMin) return CalcResult::OutOfRange();
    return CalcResult::Valid(Compressibility(T, P));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeIsothermalCompressibilityCalc(CalculatorTable& table,
                                                                      CalcContext& ctx) {
  return std::make_unique<IsothermalCompressibilityCalc>(table, ctx);
}

}  // namespace tulo
