// Specific enthalpy of water in every phase, kJ/kg, zero at saturated liquid at the triple
// point. Every variable and power is rounded to Real6 as it is formed; sums run in extended
// precision and the result is rounded to Real6.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/CaloricPropertyCalc.h"
#include "props/PowerChain.h"
#include "props/Series.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

const long double kEnthalpyTMin = R6(166.0L);
const long double kEnthalpyTMax = R6(1320.0L);
const long double kSublimationTMax = R6(273.15L);  // saturated vapour over ice up to here
const long double kVapourLowTMax = kEnthalpyVapourSeam;
const long double kSuperCriticalLowPMax = kSuperCriticalSeam;

// Saturated liquid. Terms: 1, tau ... tau^5, eps ... eps^5 with tau = (647.29 - T)^0.176 and
// eps = exp(T/172).
constexpr long double kSatLiquidH[11] = {
    -5283.5807L, -1094.2138L, 2597.804L,   -3222.4408L,    1767.1018L,     -296.57048L,
    246.72457L,  -5.6637172L, 0.18212293L, -0.0033097617L, 2.8840889e-05L,
};

// Superheated vapour below 647.3 K. Rows 1, pi^-3, pi^0.5, pi, pi^2, pi^3 with pi = 22091 - P;
// columns 1, th^0.2, th, th^2, th^3 with th = 648.5 - T.
constexpr long double kVapourLow[6][5] = {
    {2422.325L, -195.0189L, -18.46262L, 0.7621131L, 0.003343028L},
    {-7611579000.0L, 12434420000.0L, -8629734000.0L, 5073420000.0L, -1296435000.0L},
    {2.995558L, 6.098608L, 0.1024963L, -0.01635537L, -3.372699e-05L},
    {0.03252598L, -0.05330147L, 0.0008770147L, 0.00010153065L, 2.76807e-08L},
    {-1.106436e-06L, 1.45007e-06L, -6.507966e-08L, -1.370992e-09L, 3.78875e-12L},
    {1.693406e-11L, -2.23853e-11L, 1.25754e-12L, 8.799431e-15L, -6.220434e-17L},
};

// Superheated vapour from 647.3 K. Rows 1, pi^0.61, pi, pi^2, pi^3, pi^5 with pi = 22091 - P;
// columns 1, phi^0.63, phi, phi^2, phi^3 with phi = (T - 642)^0.455.
constexpr long double kVapourHigh[6][5] = {
    {534.4516L, 2037.659L, -771.1114L, 19.91849L, -0.2172965L},
    {39.44809L, -50.34673L, 22.63768L, -0.6193893L, 0.01109848L},
    {-1.1178463L, 1.5849959L, -0.7364863L, 0.02113703L, -0.0003875257L},
    {3.59333e-05L, -5.445539e-05L, 2.610805e-05L, -7.953715e-07L, 1.511525e-08L},
    {-8.441725e-10L, 1.309273e-09L, -6.346093e-10L, 1.97617e-11L, -3.809956e-13L},
    {2.535377e-19L, -4.050989e-19L, 1.985285e-19L, -6.302959e-21L, 1.229465e-22L},
};

// Super critical below 30000 kPa. Rows b^0..b^3 with b = (P - 21900)^0.84; columns 1, a^-1, a,
// a^2, a^2.5, a^3, a^4, a^5 with a = (T - 620)^-1.2.
constexpr long double kSuperCriticalLow[4][8] = {
    {3441.582L, 0.5403164L, -447142.5L, 302706300.0L, -5678335000.0L, 35643170000.0L, -614368500000.0L,
     6555126000000.0L},
    {-0.8656552L, 0.0001670559L, 1445.032L, -1531831.0L, 31335630.0L, -206479930.0L, 3665179000.0L,
     -38699670000.0L},
    {0.00137692L, -2.707271e-07L, -2.268881L, 2262.96L, -45110.56L, 289695.55L, -4911565.0L, 50057340.0L},
    {-5.196703e-07L, 1.040478e-10L, 0.000831062L, -0.8018914L, 15.701505L, -99.1667L, 1635.8515L, -16345.24L},
};

// Super critical from 30000 kPa: the sum is the reciprocal enthalpy. Rows e^0..e^3 with
// e = (P - 21900)^0.3; columns 1, w^-0.58, w, w^1.6, w^2, w^3, w^4, w^5 with w = (T - 620)^-0.95.
constexpr long double kSuperCriticalHigh[4][8] = {
    {0.001711029L, -3.1423984e-06L, -2.400723L, 125.20797L, -670.14314L, 12742.067L, -195924.06L, 1242406.2L},
    {-0.0004833537L, 3.894365e-06L, 0.49581066L, -23.0511L, 117.604613L, -2080.9504L, 30792.592L,
     -190831.44L},
    {3.5593083e-05L, -3.6777509e-07L, -0.029580497L, 1.283323L, -6.3344825L, 106.23202L, -1524.9392L,
     9274.8952L},
    {-7.1577397e-07L, 8.1491169e-09L, 0.0005301528L, -0.021930969L, 0.1057033L, -1.7028905L, 23.87094L,
     -142.9982L},
};

// A sub-cooled integration stops early once a halving changes it by less than this, kJ/kg.
constexpr long double kIntegralTolerance = 0.05L;

long double Ice(long double T) {
  auto t = R6Powers<3>(T);
  return -638.9054L + 0.152501L * T + 0.00346808L * t[2] + 2.4991e-07L * t[3];
}

// Above 647.29 K the base of tau is negative: NaN, out of range.
long double SaturatedLiquid(long double T) {
  auto tau = R6Powers<5>(R6(GenPower(647.29L - T, 0.176L)));
  auto eps = R6Powers<5>(R6(std::exp(T * 0.005813953488372093L)));
  const long double term[11] = {1.0L,   tau[1], tau[2], tau[3], tau[4], tau[5],
                                eps[1], eps[2], eps[3], eps[4], eps[5]};
  return Series(kSatLiquidH, term);
}

// Beyond 22091 kPa pi is negative and its powers -3 and 0.5 are NaN: out of range.
long double VapourLow(long double T, long double P) {
  long double th = R6(648.5L - T);
  long double pi = R6(22091.0L - P);
  auto ths = R6Powers<3>(th);
  auto pis = R6Powers<3>(pi);
  const long double row[6] = {1.0L, R6(GenPower(pi, -3.0L)), R6(std::sqrt(pi)), pi, pis[2], pis[3]};
  const long double col[5] = {1.0L, R6(GenPower(th, 0.2L)), th, ths[2], ths[3]};
  return DoubleSeries(kVapourLow, row, col);
}

long double VapourHigh(long double T, long double P) {
  long double phi = R6(GenPower(T - 642.0L, 0.455L));
  long double pi = R6(22091.0L - P);
  auto phis = R6Powers<3>(phi);
  auto pis = R6Powers<3>(pi);
  long double pi5 = R6(pis[2] * pis[3]);
  const long double row[6] = {1.0L, R6(GenPower(pi, 0.61L)), pi, pis[2], pis[3], pi5};
  const long double col[5] = {1.0L, R6(GenPower(phi, 0.63L)), phi, phis[2], phis[3]};
  return DoubleSeries(kVapourHigh, row, col);
}

long double SuperCriticalLow(long double T, long double P) {
  long double a = R6(GenPower(T - 620.0L, -1.2L));
  auto as = R6Powers<5>(a);
  const long double col[8] = {1.0L, R6(1.0L / a), a, as[2], R6(GenPower(a, 2.5L)), as[3], as[4], as[5]};
  return DoubleSeries(kSuperCriticalLow, R6Powers<3>(R6(GenPower(P - 21900.0L, 0.84L))), col);
}

long double SuperCriticalHigh(long double T, long double P) {
  long double w = R6(GenPower(T - 620.0L, -0.95L));
  auto ws = R6Powers<5>(w);
  const long double col[8] = {1.0L, R6(GenPower(w, -0.58L)), w, R6(GenPower(w, 1.6L)), ws[2], ws[3], ws[4],
                              ws[5]};
  return 1.0L / DoubleSeries(kSuperCriticalHigh, R6Powers<3>(R6(GenPower(P - 21900.0L, 0.3L))), col);
}

class EnthalpyCalc final : public CaloricPropertyCalc {
 public:
  EnthalpyCalc(CalculatorTable& table, CalcContext& ctx) : CaloricPropertyCalc(table, ctx, Item::kEnthalpy) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    if (T < kEnthalpyTMin || T > kEnthalpyTMax) {
      DoNotKeep();
      return CalcResult::OutOfRange();
    }
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        return CalcResult::Valid(R6(Ice(T)));
      case Phase::kSatLiquid:
      case Phase::kSatLiquidVapour:
        return CalcResult::Valid(R6(SaturatedLiquid(T)));
      case Phase::kSatVapour:
        return SaturatedVapour(T);
      case Phase::kSubCooledLiquid:
        return SubCooledLiquid(T, P);
      case Phase::kSuperheated:
        return CalcResult::Valid(R6(T < kVapourLowTMax ? VapourLow(T, P) : VapourHigh(T, P)));
      case Phase::kSuperCritical:
        return CalcResult::Valid(
            R6(P < kSuperCriticalLowPMax ? SuperCriticalLow(T, P) : SuperCriticalHigh(T, P)));
      case Phase::kWetSteam:
        return WetSteam(T);
      default:
        return CalcResult::NotGiven();
    }
  }

 private:
  // Saturated liquid plus the heat of vaporisation; below 273.15 K ice plus that of sublimation.
  CalcResult SaturatedVapour(long double T) {
    Phase base = T > kSublimationTMax ? Phase::kSatLiquid : Phase::kSatSolid;
    const CalcResult h = Self(base, T);
    if (!h.Ok()) return CalcResult::Failed(h.status);
    const CalcResult latent = Ask(Item::kVaporisationEnthalpy, base, T, 0.0L);
    if (!latent.Ok()) return CalcResult::Failed(latent.status);
    return CalcResult::Valid(R6(h.value + latent.value));
  }

  // Saturated liquid plus the integral of dh/dp = (1 - T beta) / rho along the isotherm from the
  // saturation pressure.
  CalcResult SubCooledLiquid(long double T, long double P) {
    auto dhdp = [T](long double beta, long double rho) { return (1.0L - T * beta) / rho; };
    const CalcResult integral = IntegralFromSaturation(T, P, kIntegralTolerance, dhdp);
    if (!integral.Ok()) return CalcResult::Failed(integral.status);
    const CalcResult hf = Self(Phase::kSatLiquid, T);
    if (!hf.Ok()) return CalcResult::Failed(hf.status);
    return CalcResult::Valid(R6(hf.value + integral.value));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeEnthalpyCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<EnthalpyCalc>(table, ctx);
}

}  // namespace tulo
