// Compressibility factor Z = P v / (R T) of vapour and super critical fluid: six fitted power
// series, each valid in one region of the temperature-pressure plane. Z of saturated vapour is
// taken back from the saturated vapour density.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

const long double kZPMax = R6(100000.0L);
const long double kZTMax = kHighestVapourTemperature;
const long double kRegionCPMax = R6(28000.0L);
const long double kRegionCTMax = R6(673.0L);
const long double kRegionEPMax = R6(50000.0L);

constexpr long double kInverseGasConstant = 2.16673L;  // kg.K/kJ

// Each table: rows are the powers of y (region B: 1, y, y^2, w), columns the powers of x.

// Region A, T < 647.29 K: x = (647.3 - T)^0.55, y = (22114 - P)^0.35.
constexpr long double kRegionA[5][5] = {
    {0.225346L, -0.086207L, -0.137383L, 0.008895695L, -0.001587722L},
    {0.00907048L, 0.0290148L, 0.01675209L, -0.001556939L, 0.00021292867L},
    {0.00102726L, -0.00275816L, -0.000660169L, 8.699061e-05L, -1.08297475e-05L},
    {-2.9643e-05L, 9.9992e-05L, 8.029993e-06L, -1.8652119e-06L, 2.42578947e-07L},
    {3.51668e-07L, -1.231627e-06L, 1.242634e-08L, 1.2478266e-08L, -1.992998e-09L},
};

// Region B, P < 22090 kPa: x = (T - 647.28)^0.41, y = (22114 - P)^0.72, w = y^0.41.
constexpr long double kRegionB[4][6] = {
    {0.152712L, 0.175277L, -0.0209231L, 0.00197118L, -0.000112339L, 2.58338e-06L},
    {0.00018523L, 0.000408187L, -0.0001451044L, 1.893746e-05L, -1.106848e-06L, 2.436266e-08L},
    {-1.539e-08L, -8.28637e-08L, 3.50337e-08L, -5.11953e-09L, 3.211383e-10L, -7.39367e-12L},
    {0.0326628L, -0.029947L, 0.007964714L, -0.0009485996L, 5.32417e-05L, -1.14722e-06L},
};

// Region C, near the critical point: x = T - 630, y = P - 22089; columns x^2 and x^3 are
// switched off above a pseudo-saturation line.
constexpr long double kRegionC[6][6] = {
    {-0.3613755L, 0.02516837L, 0.002173602L, -0.0001116962L, 1.655376e-06L, -6.421448e-09L},
    {0.0005102108L, -2.435794e-05L, -2.083733e-06L, 1.323587e-07L, -2.192073e-09L, 9.088194e-12L},
    {-3.32146e-07L, 1.748396e-08L, 8.262521e-10L, -6.013366e-11L, 9.552211e-13L, -2.951611e-15L},
    {1.128608e-10L, -6.374623e-12L, -1.590524e-13L, 1.3052577e-14L, -1.672129e-16L, -7.375281e-20L},
    {-1.708131e-14L, 1.002904e-15L, 1.399121e-17L, -1.345409e-18L, 1.137652e-20L, 1.094694e-22L},
    {9.259024e-19L, -5.560024e-20L, -4.31973e-22L, 5.291144e-23L, -1.757968e-25L, -9.05841e-27L},
};

// Region D, above the boundary curve: x = 1/sqrt(T - 635), y = P.
constexpr long double kRegionD[4][6] = {
    {1.002955L, 14.86446L, -850.6435L, 16014.88L, -108385.72L, 169857.2L},
    {1.532488e-05L, -0.001873379L, 0.07473229L, -1.209364L, 6.603251L, -1.823966L},
    {-8.338007e-10L, 7.033459e-08L, -2.037861e-06L, 2.205793e-05L, -2.547883e-05L, -0.0006096L},
    {1.177647e-15L, 1.253946e-14L, -6.461991e-12L, 2.51311e-10L, -3.625899e-09L, 1.819777e-08L},
};

// Region E, on or below the boundary curve below 50000 kPa: x = T - 647, y = P.
constexpr long double kRegionE[6][4] = {
    {-5.024517L, 0.780615L, 0.03259328L, -0.0002762877L},
    {0.0006947428L, -0.00010956805L, -3.455951e-06L, 3.6092043e-08L},
    {-3.694172e-08L, 6.023865e-09L, 1.407876e-10L, -1.7742756e-12L},
    {9.724404e-13L, -1.6213817e-13L, -2.7296786e-15L, 4.179861e-17L},
    {-1.261046e-17L, 2.139709e-18L, 2.474306e-20L, -4.764119e-22L},
    {6.451994e-23L, -1.109533e-23L, -8.061926e-26L, 2.112693e-27L},
};

// Region F, on or below the boundary curve from 50000 kPa: x = (T - 647)^1.3, y = (P - 22080)^0.3.
constexpr long double kRegionF[4][6] = {
    {0.265873L, 3.24525e-05L, -1.88103e-06L, 4.05873e-07L, -1.060942e-09L, 7.104049e-13L},
    {-0.0160336L, 0.000114129L, -5.1134e-07L, -4.161625e-08L, 1.134855e-10L, -7.739152e-14L},
    {0.000623588L, -7.35277e-06L, 4.48826e-08L, 1.417698e-09L, -4.039411e-12L, 2.803734e-15L},
    {5.01165e-06L, 1.19958e-07L, -8.60042e-10L, -1.603557e-11L, 4.783856e-14L, -3.378035e-17L},
};

// The reduced variables and all their powers are held in double precision.
// Sum over a table whose rows are y^0..y^(R-1) and columns x^0..x^(C-1).
template <std::size_t R, std::size_t C>
long double PlainSeries(const long double (&c)[R][C], double x, double y) {
  return DoubleSeries(c, DoublePowers<R - 1>(y), DoublePowers<C - 1>(x));
}

long double RegionA(long double T, long double P) {
  return PlainSeries(kRegionA, Dbl(GenPower(647.3L - T, 0.55L)), Dbl(GenPower(22114.0L - P, 0.35L)));
}

long double RegionB(long double T, long double P) {
  auto xs = DoublePowers<5>(Dbl(GenPower(T - 647.28L, 0.41L)));
  auto ys = DoublePowers<2>(Dbl(GenPower(22114.0L - P, 0.72L)));
  double w = Dbl(GenPower(ys[1], 0.41L));
  const long double row[4] = {ys[0], ys[1], ys[2], w};
  return DoubleSeries(kRegionB, row, xs);
}

// The switch factor f = exp(-r^300) of region C; exactly 0 once r^300 exceeds 100, so no
// underflow. Written so that a NaN would carry through rather than pick a branch.
long double RegionCSwitch(long double T, long double P) {
  long double T2 = T * T;
  long double r = P / (8.39492L * T2 - 10688.7L * T + 3423524.0L);
  long double q = GenPower(r, 300.0L);
  return q > 100.0L ? 0.0L : std::exp(-q);
}

long double RegionC(long double T, long double P) {
  long double f = RegionCSwitch(T, P);
  long double c[6][6];
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) c[i][j] = (j == 2 || j == 3) ? kRegionC[i][j] * f : kRegionC[i][j];
  return DoubleSeries(c, DoublePowers<5>(Dbl(P - 22089.0L)), DoublePowers<5>(Dbl(T - 630.0L)));
}

long double RegionD(long double T, long double P) {
  return PlainSeries(kRegionD, Dbl(1.0L / std::sqrt(T - 635.0L)), Dbl(P));
}

long double RegionE(long double T, long double P) {
  return PlainSeries(kRegionE, Dbl(T - 647.0L), Dbl(P));
}

long double RegionF(long double T, long double P) {
  return PlainSeries(kRegionF, Dbl(GenPower(T - 647.0L, 1.3L)), Dbl(GenPower(P - 22080.0L, 0.3L)));
}

// Boundary between regions D and E/F, K at a pressure in kPa.
long double BoundaryTemperature(long double P) {
  return 552.45L + 0.00455L * P - 1.884e-08L * (P * P);
}

// The first region whose test holds, in this order.
long double RegionalZ(long double T, long double P) {
  if (T < kCriticalTemperature) return RegionA(T, P);
  if (P < kCriticalPressure) return RegionB(T, P);
  if (P < kRegionCPMax && T < kRegionCTMax) return RegionC(T, P);
  if (T > BoundaryTemperature(P)) return RegionD(T, P);
  if (P < kRegionEPMax) return RegionE(T, P);
  return RegionF(T, P);
}

class CompressibilityFactorCalc final : public PropertyCalculator {
 public:
  CompressibilityFactorCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kCompressibilityFactor, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatVapour: {
        const CalcResult rho = Ask(Item::kDensity, Phase::kSatVapour, T, P);
        if (!rho.Ok()) return CalcResult::Failed(rho.status);
        return CalcResult::Valid(P * kInverseGasConstant / (rho.value * T));
      }
      case Phase::kSuperheated:
      case Phase::kSuperCritical:
        if (P > kZPMax || T > kZTMax) return CalcResult::OutOfRange();
        // Region A above 22114 kPa (a vapour below 647.29 K beyond its saturation pressure) has
        // no real power of 22114 - P: the NaN ends the call out of range.
        return CalcResult::Valid(R6(RegionalZ(T, P)));
      default:
        return CalcResult::NotGiven();
    }
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeCompressibilityFactorCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<CompressibilityFactorCalc>(table, ctx);
}

}  // namespace tulo
