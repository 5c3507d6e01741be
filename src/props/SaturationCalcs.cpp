// The saturation line from 166 K to the critical point: pressure at a temperature and
// temperature at a pressure.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

// Range ends and branch boundaries are compared with stored values, so they are held as Real6.
const long double kSatTMin = R6(166.0L);
const long double kSatTMax = kCriticalTemperature;
const long double kSublimationBoundary = R6(273.198763L);
const long double kSatPMin = R6(3.41e-07L);
const long double kSatPMax = kCriticalPressure;
const long double kStartFormulaBoundary = R6(0.61074L);

// ln P (kPa) = sum of coefficient x term, for the sublimation branch (T < 273.198763 K) and the
// vapour-pressure branch. Terms: 1, T^0.01, exp(T/540), T, T^2, T^3, T^4.
constexpr long double kLnPSublimation[7] = {-14171.911741089L, 13599.10354L,     0.0L,
                                            -1.3350961268L,    0.0031129919188L, -4.845608213554e-06L,
                                            3.3715253769e-09L};
constexpr long double kLnPVapour[7] = {-7992.3105463381L,   7576.1047141322L,     61.661704445201L,
                                       -0.52274259870714L,  0.00035907886922599L, -3.9421856090563e-07L,
                                       5.6858847798462e-11L};

class SatPressureCalc final : public PropertyCalculator {
 public:
  SatPressureCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kSaturationPressure, CacheKey::kTemperature) {}

 protected:
  CalcResult Evaluate(Phase, long double T, long double) override {
    if (T < kSatTMin) {
      DoNotKeep();
      return CalcResult::OutOfRange();
    }
    if (T > kSatTMax) {
      DoNotKeep();
      return CalcResult::NotGiven();
    }
    long double x = R6(GenPower(T, 0.01L));
    auto t = R6Powers<4>(T);
    const long double* a = T < kSublimationBoundary ? kLnPSublimation : kLnPVapour;
    long double expTerm = T < kSublimationBoundary ? 0.0L : std::exp(T * 0.001851851851851852L);
    long double lnP = a[0] + a[1] * x + a[2] * expTerm + a[3] * T + a[4] * t[2] + a[5] * t[3] + a[6] * t[4];
    return CalcResult::Valid(R6(std::exp(lnP)));
  }
};

class SatTemperatureCalc final : public PropertyCalculator {
 public:
  SatTemperatureCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kSaturationTemperature, CacheKey::kPressure) {}

 protected:
  CalcResult Evaluate(Phase, long double, long double P) override {
    if (P < kSatPMin) {
      DoNotKeep();
      return CalcResult::OutOfRange();
    }
    if (P > kSatPMax) {
      DoNotKeep();
      return CalcResult::NotGiven();
    }
    long double Ta = StartingValue(P);
    if (!(Ta > kSatTMin)) Ta = kSatTMin;
    long double Tb = R6(Ta + 1.0L);
    if (Tb > kSatTMax) {
      Tb = R6(647.2899L);
      Ta = R6(646.0L);
    }
    // The status looked at is the one of the last saturation pressure asked.
    const CalcResult a = SatPressure(Ta);
    CalcResult last = SatPressure(Tb);
    long double Pa = a.value;
    long double Pb = last.value;
    long double Tprev = 0.0L;
    long double Tnew = Ta;
    // The bracket end replaced is chosen by the side of the midpoint; it normally ends after two
    // or three steps. The guard keeps the last estimate should it ever fail to settle.
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
      // A trial temperature left the saturation line (below 166 K or above 647.29 K).
      if (!last.Ok()) return CalcResult::OutOfRange();
      Tnew = R6(Ta + (Tb - Ta) * (P - Pa) / (Pb - Pa));
      if (std::fabs(Tnew - Tprev) < 0.0005L) break;
      Tprev = Tnew;
      if (Tnew < (Ta + Tb) * 0.5L) {
        Ta = Tnew;
        last = SatPressure(Tnew);
        Pa = last.value;
      } else {
        Tb = Tnew;
        last = SatPressure(Tnew);
        Pb = last.value;
      }
    }
    // Should the guard end the loop, the status of the last saturation pressure passes on.
    return {Tnew, last.status};
  }

 private:
  static constexpr int kMaxIterations = 50;

  CalcResult SatPressure(long double T) { return Ask(Item::kSaturationPressure, Phase::kNoPhase, T, 0.0L); }

  // The starting estimate T0 = exp(L), in two pieces meeting at 0.61074 kPa.
  static long double StartingValue(long double P) {
    long double L;
    if (P < kStartFormulaBoundary) {
      auto y = R6Powers<4>(R6(GenPower(P, 0.05L)));
      L = 4.38307L + 2.1099292L * y[1] - 1.614609L * y[2] + 0.9884335L * y[3] - 0.234685L * y[4];
    } else {
      auto y = R6Powers<6>(R6(GenPower(P, 0.15L)));
      L = 5.134366L + 0.7406339L * y[1] - 0.3503571L * y[2] + 0.14023241L * y[3] - 0.033908573L * y[4] +
          0.004534425L * y[5] - 0.000257474L * y[6];
    }
    return R6(std::exp(L));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeSatPressureCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<SatPressureCalc>(table, ctx);
}

std::unique_ptr<PropertyCalculator> MakeSatTemperatureCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<SatTemperatureCalc>(table, ctx);
}

}  // namespace tulo
