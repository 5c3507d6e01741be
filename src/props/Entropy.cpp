// Specific entropy of water, kJ/(kg.K), zero at saturated liquid at the triple point. Variables
// and powers are rounded to Real6 as they are formed, except the logarithmic pressure variable
// of the superheated formulas and its powers, which are held in double precision.

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

const long double kSublimationTMax = R6(273.15L);  // saturated vapour over ice up to here
const long double kVapourLowTMax = kEntropyVapourSeam;
const long double kSuperCriticalLowPMax = kSuperCriticalSeam;

// Saturated liquid. Terms 1, th, th^0.69, th^0.83, th^0.875, th^2 ... th^5; th = 647.29 - T.
constexpr long double kSatLiquidS[9] = {
    4.451413L,     0.9392625L,  -2.57091L,     10.72417L,    -9.303039L,
    -8.15304e-05L, 9.0974e-08L, -8.45579e-11L, -9.6452e-15L,
};

// Saturated vapour above 273.15 K. Terms 1, th, th^0.3, th^0.4, th^0.6, th^2 ... th^7.
constexpr long double kSatVapourS[11] = {
    4.45736L,    0.0236715L,    -0.637698L,   1.10191L,      -0.302254L,   -0.000102761L,
    7.2809e-07L, -3.29397e-09L, 9.41581e-12L, -1.46405e-14L, 1.00624e-17L,
};

// Saturated vapour over ice. Terms 1, th^3, th^6, th^9, th^12.
constexpr long double kSatVapourOverIce[5] = {5.84514L, 5.30359e-08L, 2.05126e-16L, -8.12842e-25L,
                                              1.1285e-32L};

// Superheated vapour to 648.15 K. Rows 1, sigma, lam, lam^14, lam^16, lam^18, lam^20 with
// sigma = (22100 - P)^0.24 and lam = ln(P 1e10); columns T^0 ... T^4.
constexpr long double kVapourLow[7][5] = {
    {-19556.8455L, 128.274959L, -0.3141794L, 0.000340384015L, -1.37467937e-07L},
    {1774.2204L, -11.625907L, 0.0284762094L, -3.085173e-05L, 1.24599195e-08L},
    {-0.489727433L, 0.000350475L, -1.429543e-06L, 2.375338e-09L, -1.3871169e-12L},
    {2.1811996e-18L, -2.9389519e-20L, 1.20687891e-22L, -1.98222781e-25L, 1.1410313e-28L},
    {-4.9685432e-21L, 8.8258758e-23L, -3.95072605e-25L, 6.75071145e-28L, -3.97045804e-31L},
    {4.2787638e-25L, -7.0590357e-26L, 3.89841884e-28L, -7.2118378e-31L, 4.41488371e-34L},
    {3.3509176e-27L, 5.2201389e-30L, -9.95484547e-32L, 2.27143272e-34L, -1.51632287e-37L},
};

// Superheated vapour above 648.15 K. Rows 1, sigma, u^0.5, u, u^2, u^3, u^5 with
// sigma = (22100 - P)^0.4 and u = lam^3; columns 1, g^0.62, g, g^2, g^3 with g = (T - 643)^0.1.
constexpr long double kVapourHigh[7][5] = {
    {-129.21169L, 389.8795L, -256.1499L, 8.79727L, 3.700303L},
    {-4.0911147L, 17.18021L, -15.789032L, 3.165028L, -0.4248162L},
    {21.967757L, -80.785356L, 69.400122L, -12.133234L, 1.4752004L},
    {-0.230805476L, 0.838876708L, -0.71704234L, 0.12369509L, -0.014840947L},
    {6.6211304e-06L, -2.33919816e-05L, 1.963738e-05L, -3.2225536e-06L, 3.6682936e-07L},
    {-9.3069322e-11L, 3.10325736e-10L, -2.50247164e-10L, 3.6258712e-11L, -3.524359e-12L},
    {2.5817054e-21L, 1.205406e-21L, -6.7322304e-21L, 3.7658146e-21L, -7.596853e-22L},
};

// Super critical to 30000 kPa: the sum is ln s. Rows n^0..n^3 with n = (P - 20000)^-0.25;
// columns 1, m^-0.25, m, m^2, m^5, m^6, m^8, m^10 with m = (T - 610)^-1.6.
constexpr long double kSuperCriticalLow[4][8] = {
    {-2.8940825L, 0.311697957L, 11557.267L, -18506285.4L, 8231233000000000.0L, -3.7809245e+18L,
     1.61980464e+23L, -3.08194372e+27L},
    {97.992312L, -6.17585213L, -267352.39L, 425254902.0L, -1.95430109e+17L, 9.02920759e+19L, -3.89691476e+24L,
     7.44497227e+28L},
    {-716.334248L, 45.38952L, 2024863.53L, -3227328700.0L, 1.529301097e+18L, -7.10558563e+20L,
     3.089033216e+25L, -5.9256098e+29L},
    {1737.28018L, -110.38572L, -5049216.8L, 8097432830.0L, -3.94852712e+18L, 1.84445938e+21L,
     -8.07460919e+25L, 1.5550665e+30L},
};

// Super critical above 30000 kPa. Rows q^0..q^3 with q = (P - 21900)^0.2; columns 1, k^-0.4,
// k ... k^5, k^10 with k = (T - 600)^-0.94.
constexpr long double kSuperCriticalHigh[4][8] = {
    {39.62307L, -2.8830247L, 7882.5118L, -4613917.09L, 632000630.0L, -32869625100.0L, 591994190000.0L,
     -1.6145245e+18L},
    {-1.0286663L, 0.55863845L, -6233.249L, 2309133.15L, -285621390.0L, 14212803500.0L, -249807953000.0L,
     6.5264894e+17L},
    {-1.522306L, 0.01677125L, 1198.8576L, -358835.756L, 41296090.8L, -1984577590.0L, 34186205800.0L,
     -8.6072214e+16L},
    {0.13050308L, -0.004298779L, -66.721937L, 17588.303L, -1918880.4L, 89690068.0L, -1519501940.0L,
     3705617100000000.0L},
};

// A sub-cooled integration stops early once a halving changes it by less than this, kJ/(kg.K).
constexpr long double kIntegralTolerance = 0.0001L;

long double Ice(long double T) {
  auto t = R6Powers<3>(T);
  return -3.46975L + 0.0091951L * T - 5.12695e-06L * t[2] + 5.8813e-09L * t[3];
}

// Above 647.29 K th is negative and its fractional powers are NaN: out of range.
long double SaturatedLiquid(long double T) {
  long double th = R6(647.29L - T);
  auto p = R6Powers<5>(th);
  const long double term[9] = {
      1.0L, th,  R6(GenPower(th, 0.69L)), R6(GenPower(th, 0.83L)), R6(GenPower(th, 0.875L)), p[2], p[3],
      p[4], p[5]};
  return Series(kSatLiquidS, term);
}

long double SaturatedVapour(long double T) {
  long double th = R6(647.29L - T);
  if (T > kSublimationTMax) {
    auto p = R6Powers<7>(th);
    const long double term[11] = {1.0L,
                                  th,
                                  R6(GenPower(th, 0.3L)),
                                  R6(GenPower(th, 0.4L)),
                                  R6(GenPower(th, 0.6L)),
                                  p[2],
                                  p[3],
                                  p[4],
                                  p[5],
                                  p[6],
                                  p[7]};
    return Series(kSatVapourS, term);
  }
  // Over ice th^3 comes from the general power; th^6, th^9, th^12 are products with it.
  return Series(kSatVapourOverIce, R6Powers<4>(R6(GenPower(th, 3.0L))));
}

// P in kPa. Below 1e-10 kPa lam is negative and its general powers are NaN: out of range.
double LogPressure(long double P) {
  return Dbl(std::log(P * 10000000000.0L));
}

long double VapourLow(long double T, long double P) {
  double lam = LogPressure(P);
  double lam14 = Dbl(GenPower(lam, 14.0L));
  double lam16 = Dbl(static_cast<long double>(lam14) * lam * lam);
  double lam18 = Dbl(static_cast<long double>(lam16) * lam * lam);
  double lam20 = Dbl(static_cast<long double>(lam18) * lam * lam);
  long double sigma = R6(GenPower(22100.0L - P, 0.24L));
  const long double row[7] = {1.0L, sigma, lam, lam14, lam16, lam18, lam20};
  return DoubleSeries(kVapourLow, row, R6Powers<4>(T));
}

long double VapourHigh(long double T, long double P) {
  double lam = LogPressure(P);
  double u = Dbl(static_cast<long double>(lam) * lam * lam);
  auto us = DoublePowers<3>(u);
  double u5 = Dbl(us[3] * us[2]);
  double uHalf = Dbl(std::sqrt(static_cast<long double>(u)));
  long double g = R6(GenPower(T - 643.0L, 0.1L));
  auto gs = R6Powers<3>(g);
  long double sigma = R6(GenPower(22100.0L - P, 0.4L));
  const long double row[7] = {1.0L, sigma, uHalf, u, us[2], us[3], u5};
  const long double col[5] = {1.0L, R6(GenPower(g, 0.62L)), g, gs[2], gs[3]};
  return DoubleSeries(kVapourHigh, row, col);
}

long double SuperCriticalLow(long double T, long double P) {
  long double m = R6(GenPower(T - 610.0L, -1.6L));
  auto ms = R6Powers<10>(m);
  const long double col[8] = {1.0L, R6(GenPower(m, -0.25L)), m, ms[2], ms[5], ms[6], ms[8], ms[10]};
  return std::exp(DoubleSeries(kSuperCriticalLow, R6Powers<3>(R6(GenPower(P - 20000.0L, -0.25L))), col));
}

long double SuperCriticalHigh(long double T, long double P) {
  long double k = R6(GenPower(T - 600.0L, -0.94L));
  auto ks = R6Powers<10>(k);
  const long double col[8] = {1.0L, R6(GenPower(k, -0.4L)), k, ks[2], ks[3], ks[4], ks[5], ks[10]};
  return DoubleSeries(kSuperCriticalHigh, R6Powers<3>(R6(GenPower(P - 21900.0L, 0.2L))), col);
}

class EntropyCalc final : public CaloricPropertyCalc {
 public:
  EntropyCalc(CalculatorTable& table, CalcContext& ctx) : CaloricPropertyCalc(table, ctx, Item::kEntropy) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        return CalcResult::Valid(R6(Ice(T)));
      case Phase::kSatLiquid:
        return CalcResult::Valid(R6(SaturatedLiquid(T)));
      case Phase::kSatVapour:
        return CalcResult::Valid(R6(SaturatedVapour(T)));
      case Phase::kSubCooledLiquid:
        return SubCooledLiquid(T, P);
      case Phase::kSuperheated:
        return CalcResult::Valid(R6(T > kVapourLowTMax ? VapourHigh(T, P) : VapourLow(T, P)));
      case Phase::kSuperCritical:
        return CalcResult::Valid(
            R6(P > kSuperCriticalLowPMax ? SuperCriticalHigh(T, P) : SuperCriticalLow(T, P)));
      case Phase::kWetSteam:
        return WetSteam(T);
      default:
        return CalcResult::NotGiven();
    }
  }

 private:
  // Saturated liquid minus the integral of beta / rho (the isothermal pressure derivative of
  // entropy, with the sign taken out) from the saturation pressure.
  CalcResult SubCooledLiquid(long double T, long double P) {
    auto dsdp = [](long double beta, long double rho) { return beta / rho; };
    const CalcResult integral = IntegralFromSaturation(T, P, kIntegralTolerance, dsdp);
    if (!integral.Ok()) return CalcResult::Failed(integral.status);
    const CalcResult sf = Self(Phase::kSatLiquid, T);
    if (!sf.Ok()) return CalcResult::Failed(sf.status);
    return CalcResult::Valid(R6(sf.value - integral.value));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeEntropyCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<EntropyCalc>(table, ctx);
}

}  // namespace tulo
