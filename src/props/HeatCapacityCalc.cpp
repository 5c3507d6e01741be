// Isobaric specific heat capacity (kJ/kg.K): closed fits for ice, liquid and saturated vapour; for
// superheated vapour and super critical fluid the slope of the enthalpy along the isobar.
//
// Every power is rounded to Real6 when it is formed: integer powers by successive products,
// fractional ones by GenPower.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kLiquidTMax = R6(635.0L);
const long double kSatVapourTMax = R6(622.0L);
const long double kLogFormulaTMax = R6(323.0L);  // saturated vapour below it: cpv0
const long double kVapourTMin = R6(166.0L);
const long double kVapourTMax = R6(1273.0L);
// Open band around the critical temperature where the enthalpy slope is not taken.
const long double kCriticalBandLow = R6(647.2L);
const long double kCriticalBandHigh = R6(647.4L);

// ln cp of liquid. Rows 1, pi, pi^2 with pi = P^0.2; columns 1, tau .. tau^4 with
// tau = (647.3 - T)^0.05.
constexpr long double kLnCpLiquid[3][5] = {
    {27917.773L, -84361.6651L, 95622.3779L, -48182.0712L, 9106.13537L},
    {-6094.48882L, 18360.80834L, -20734.26344L, 10402.00746L, -1956.11131L},
    {328.188837L, -985.783634L, 1109.249965L, -554.181967L, 103.719456L},
};

// Saturated vapour below 323 K, terms 1, L .. L^6 with L = ln T.
constexpr long double kCpVapourLog[7] = {543.7270153L, -533.6117677L, 216.3410994L, -46.1733794L,
                                         5.46548692L,  -0.339886266L, 0.0086741258L};

// ln cp of saturated vapour from 323 K, terms 1, T .. T^5.
constexpr long double kLnCpVapour[6] = {-94.7712618L,     1.10105659L,       -0.00503636088L,
                                        1.140891779e-05L, -1.280351536e-08L, 5.71592837e-12L};

long double IceHeatCapacity(long double T) {
  return 0.118804L + 0.00726288L * T;
}

long double LiquidHeatCapacity(long double T, long double P) {
  const long double tau = R6(GenPower(647.3L - T, 0.05L));
  const long double pi = R6(GenPower(P, 0.2L));
  return std::exp(DoubleSeries(kLnCpLiquid, R6Powers<2>(pi), R6Powers<4>(tau)));
}

long double SatVapourHeatCapacity(long double T) {
  if (T < kLogFormulaTMax) return Series(kCpVapourLog, R6Powers<6>(R6(std::log(T))));
  return std::exp(Series(kLnCpVapour, R6Powers<5>(T)));
}

class HeatCapacityCalc final : public PropertyCalculator {
 public:
  HeatCapacityCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kHeatCapacity, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        return CalcResult::Valid(IceHeatCapacity(T));
      case Phase::kSatLiquid:  // the pressure argument is used for saturated liquid too
      case Phase::kSubCooledLiquid:
        if (T > kLiquidTMax) break;
        return CalcResult::Valid(LiquidHeatCapacity(T, P));
      case Phase::kSatVapour:
        if (T > kSatVapourTMax) break;
        return CalcResult::Valid(SatVapourHeatCapacity(T));
      case Phase::kSuperheated:
      case Phase::kSuperCritical:
        if (T < kVapourTMin || T > kVapourTMax) break;
        if (T > kCriticalBandLow && T < kCriticalBandHigh) break;
        return EnthalpySlope(phase, T, P);
      default:  // wet steam and the codes of two-phase conditions
        return CalcResult::NotGiven();
    }
    return CalcResult::OutOfRange();
  }

 private:
  // Central difference of the enthalpy over 0.1 K at the same phase and pressure. Both are asked
  // and the status is the second one's; should only the first fail, its NaN in the difference
  // still ends the call as out of range.
  CalcResult EnthalpySlope(Phase phase, long double T, long double P) {
    const CalcResult hHigh = Ask(Item::kEnthalpy, phase, R6(T + 0.05L), P);
    const CalcResult hLow = Ask(Item::kEnthalpy, phase, R6(T - 0.05L), P);
    return {(hHigh.value - hLow.value) * 10.0L, hLow.status};
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeHeatCapacityCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<HeatCapacityCalc>(table, ctx);
}

}  // namespace tulo
