// Relative static permittivity of liquid water (about 78 at room temperature): a series in the
// square root of the pressure and in the distance of the temperature below 649 K.
//
// The variables and their powers are held in double precision; the sum runs in extended.

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kTMax = R6(624.0L);  // no lower temperature limit, no pressure limit

// Rows 1, x, x^2, x^3 with x = P^0.5; columns 1, t, t^2, t^3, t^4, t^-1.2, t^-5 with t = 649 - T.
constexpr long double kEpsilon[4][7] = {
    {9.0558L, 0.197413L, -0.000603487L, 2.196794e-06L, -1.321044e-09L, -529.9692L, -43636310.0L},
    {0.05223082L, -0.001145059L, 7.610009e-06L, -2.06683e-08L, 1.99283e-11L, 2.876869L, 866743.7L},
    {-0.0003124009L, 6.536737e-06L, -4.19544e-08L, 1.106137e-10L, -1.022682e-13L, 0.006250336L, -5079.514L},
    {7.375943e-07L, -1.258785e-08L, 7.781564e-11L, -2.028595e-13L, 1.884319e-16L, -3.13417e-05L, 8.765781L},
};

long double Permittivity(long double T, long double P) {
  const double t = Dbl(649.0L - T);
  auto p = DoublePowers<4>(t);
  const long double col[7] = {1.0L,
                              p[1],
                              p[2],
                              p[3],
                              p[4],
                              static_cast<double>(GenPower(t, -1.2L)),
                              static_cast<double>(GenPower(t, -5.0L))};
  return DoubleSeries(kEpsilon, DoublePowers<3>(Dbl(GenPower(P, 0.5L))), col);
}

class DielectricConstantCalc final : public PropertyCalculator {
 public:
  DielectricConstantCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kDielectricConstant, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (!IsLiquidPhase(phase)) return CalcResult::NotGiven();
    if (T > kTMax) return CalcResult::OutOfRange();
    return CalcResult::Valid(R6(Permittivity(T, P)));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeDielectricConstantCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<DielectricConstantCalc>(table, ctx);
}

}  // namespace tulo
