// Dynamic viscosity (Pa.s) of liquid water and steam. Ice and wet steam have none.
//
// Unlike the thermodynamic correlations this one holds its intermediates and powers in double
// precision: every such value below is declared double, formed in extended precision and rounded
// to double when held. Integer powers are successive products, fractional and negative ones come
// from GenPower.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kSatVapourTMin = R6(195.0L);
const long double kDiluteSatVapourTMax = R6(274.0L);  // saturated vapour below it: dilute formula
const long double kLiquidPMax = R6(100000.0L);
const long double kDenseTMin = R6(647.3L);  // vapour below it: dilute formula at any pressure
const long double kDenseTMax = R6(974.0L);
const long double kDensePMax = R6(80000.0L);
const long double kDenseTermPMin = R6(3500.0L);  // K = 0 up to this pressure
const long double kQLowPMax = R6(20000.0L);
const long double kQMidPMax = R6(40000.0L);

// The D row of the sub-cooled liquid table has a pole at 22090 kPa. Where its term exceeds this
// magnitude the fit gives absurd values (the grid would show 1.5e-6 Pa.s for water at 280 K and
// 22000 kPa), so the state counts as outside the correlation.
constexpr long double kPoleTermMax = 0.001L;

// Dilute vapour, terms 1, T, T^2, T^3, T^4.
constexpr long double kMuDilute[5] = {2.78324e-06L, 6.9556e-09L, 6.77572e-11L, -5.6532e-14L, 1.6543e-17L};

// ln mu of saturated liquid, t = 647.3 - T; terms 1, t, t^0.01, t^2, t^3, t^10, t^13.
constexpr long double kLnMuSatLiquid[7] = {-18.17318L,   0.00449106L,  8.17699L,    -1.53009e-05L,
                                           6.14032e-08L, -1.3017e-27L, 1.73171e-34L};

// Saturated vapour from 274 K, t = 647.3 - T; terms 1, t, t^0.2, t^0.4, t^0.8, t^2, t^3, t^4, t^5.
constexpr long double kMuSatVapour[9] = {4.33649e-05L, 2.37308e-07L,  -1.13182e-05L,
                                         9.55562e-07L, -5.5453e-07L,  -5.50822e-10L,
                                         1.72779e-12L, -3.63037e-15L, 3.32404e-18L};

// ln mu of sub-cooled liquid, t = 648.5 - T, D = |P - 22090|^-4.5.
// Rows 1, P, P^2, D; columns 1, t^0.74, t, t^2, t^3, t^10, t^13.
constexpr int kDRow = 3;
constexpr long double kLnMuLiquid[4][7] = {
    {-10.41101L, 0.1091458L, -0.02299636L, 1.025389e-05L, 3.891824e-08L, -9.516373e-28L, 1.69137e-34L},
    {2.658815e-05L, -3.498881e-06L, 9.039024e-07L, -8.984555e-10L, 8.292152e-13L, -7.170683e-32L,
     2.543242e-40L},
    {-1.632923e-10L, 2.524138e-11L, -6.797122e-12L, 8.010548e-15L, -9.058855e-18L, 1.728062e-36L,
     -1.859695e-44L},
    {14756340000.0L, -20500260000.0L, 8060219000.0L, -23230330.0L, 41509.14L, -1.591879e-14L, 1.941043e-22L},
};

// ln mu of dense vapour and super critical fluid without the K term, y = T^-5.
// Rows 1, P, P^2, P^3; columns 1, y, y^2, y^3, y^4.
constexpr long double kLnMuDense[4][5] = {
    {-9.94512L, -311289300000000.0L, 7.38124e+28L, -8.92767e+42L, 3.9698e+56L},
    {-5.6829e-06L, 10417430000.0L, -4.034669e+24L, 4.87414e+38L, -1.53136e+52L},
    {2.14647e-10L, -257568.0L, 9.19466e+19L, -3.63605e+33L, -4.95945e+47L},
    {-1.48868e-15L, 1.62551L, -352120000000000.0L, -6.6499e+28L, 1.04702e+43L},
};

// q(P) of the dense-fluid term in three pressure bands.
constexpr long double kQLow[2] = {-2.03183e-10L, 1.3055e-14L};  // P, P^2
constexpr long double kQMid[5] = {-0.001480683L, 1.86157e-07L, -8.56099e-12L, 1.74484e-16L,
                                  -1.32592e-21L};                              // 1, P .. P^4
constexpr long double kQHigh[3] = {2.7586e-05L, 4.43629e-10L, -2.87013e-15L};  // 1, P, P^2

// Viscosity of the dilute vapour; the powers of T are Real6.
long double DiluteViscosity(long double T) {
  return Series(kMuDilute, R6Powers<4>(T));
}

// t^10 = t.t^3.t^3.t^3 and t^13 = t^3.t^10 of the liquid fits, from t and t^3; held in double.
struct HighPowers {
  HighPowers(double t, double t3)
      : t10(Dbl(static_cast<long double>(t) * t3 * t3 * t3)), t13(Dbl(static_cast<long double>(t3) * t10)) {}
  double t10;
  double t13;
};

long double SatLiquidViscosity(long double T) {
  const double t = Dbl(647.3L - T);
  auto p = DoublePowers<3>(t);
  const HighPowers high(t, Dbl(p[3]));
  const long double terms[7] = {1.0L,     t,       static_cast<double>(GenPower(t, 0.01L)), p[2], p[3],
                                high.t10, high.t13};
  return std::exp(Series(kLnMuSatLiquid, terms));
}

long double SatVapourViscosity(long double T) {
  if (T < kDiluteSatVapourTMax) return DiluteViscosity(T);
  const double t = Dbl(647.3L - T);
  auto p = DoublePowers<5>(t);
  const long double terms[9] = {1.0L,
                                t,
                                static_cast<double>(GenPower(t, 0.2L)),
                                static_cast<double>(GenPower(t, 0.4L)),
                                static_cast<double>(GenPower(t, 0.8L)),
                                p[2],
                                p[3],
                                p[4],
                                p[5]};
  return Series(kMuSatVapour, terms);
}

// Sub-cooled liquid; out of range near the pole of the D row.
CalcResult LiquidViscosity(long double T, long double P) {
  const double t = Dbl(648.5L - T);
  auto p = DoublePowers<3>(t);
  const HighPowers high(t, Dbl(p[3]));
  const long double col[7] = {1.0L,    static_cast<double>(GenPower(t, 0.74L)), t, p[2], p[3], high.t10,
                              high.t13};
  const double D = Dbl(GenPower(std::fabs(P - 22090.0L), -4.5L));  // 0 at exactly 22090 kPa
  const long double row[4] = {1.0L, P, static_cast<double>(P * P), D};
  // Written so that a NaN fails the test too.
  if (!(std::fabs(D * Series(kLnMuLiquid[kDRow], col)) <= kPoleTermMax)) return CalcResult::OutOfRange();
  return CalcResult::Valid(std::exp(DoubleSeries(kLnMuLiquid, row, col)));
}

// q(P) of the dense-fluid term, by pressure band.
long double DenseQ(long double P) {
  auto p = DoublePowers<4>(Dbl(P));
  if (P < kQLowPMax) {
    const long double terms[2] = {p[1], p[2]};
    return Series(kQLow, terms);
  }
  if (P < kQMidPMax) return Series(kQMid, p);
  const long double terms[3] = {p[0], p[1], p[2]};
  return Series(kQHigh, terms);
}

// Vapour and super critical fluid from 647.3 K: the dense-fluid correlation.
long double DenseViscosity(long double T, long double P) {
  double K = 0.0;
  if (P > kDenseTermPMin) {
    const double q = Dbl(DenseQ(P));
    const double base = Dbl(T * 0.0015428527347064722L);  // T / 648.15
    const double exponent = Dbl(-220000.0L * GenPower(P, -0.86L));
    const double factor = Dbl(GenPower(base, exponent));
    K = Dbl(q * static_cast<long double>(factor));
  }
  const long double sum =
      DoubleSeries(kLnMuDense, DoublePowers<3>(Dbl(P)), DoublePowers<4>(Dbl(GenPower(T, -5.0L))));
  return std::exp(sum + 24730.9L * K);
}

class ViscosityCalc final : public PropertyCalculator {
 public:
  ViscosityCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kViscosity, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatLiquid:
        return CalcResult::Valid(SatLiquidViscosity(T));
      case Phase::kSatVapour:
        if (T < kSatVapourTMin) break;
        return CalcResult::Valid(SatVapourViscosity(T));
      case Phase::kSubCooledLiquid:
        if (P > kLiquidPMax) break;
        return LiquidViscosity(T, P);
      case Phase::kSuperheated:
      case Phase::kSuperCritical:
        if (T < kDenseTMin) return CalcResult::Valid(DiluteViscosity(T));
        if (T > kDenseTMax || P > kDensePMax) break;
        return CalcResult::Valid(DenseViscosity(T, P));
      default:  // ice, wet steam and the codes of two-phase conditions have no viscosity here
        return CalcResult::NotGiven();
    }
    return CalcResult::OutOfRange();
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeViscosityCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<ViscosityCalc>(table, ctx);
}

}  // namespace tulo
