// Thermal conductivity (kW/m.K) of ice, liquid water, saturated vapour, and superheated vapour and
// super critical fluid. Every power is stored as a Real6, and so is the result.

#include <cmath>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

const long double kIceTMin = R6(223.0L);
const long double kLiquidPMax = R6(52000.0L);
const long double kSatVapourTMax = R6(646.16L);
const long double kVapourTMin = R6(273.0L);
const long double kVapourTMax = R6(1088.0L);
const long double kVapourPMax = R6(52000.0L);

constexpr long double kKIce = 0.00225L;  // at every temperature from 223 K and every pressure

// Liquid: rows 1, P, P^2; columns 1, T .. T^4.
constexpr long double kKLiquid[3][5] = {
    {-0.00157847L, 1.759647e-05L, -5.336241e-08L, 7.77937e-11L, -4.74255e-14L},
    {-2.82072e-08L, 2.693938e-10L, -8.65636e-13L, 1.093983e-15L, -4.09001e-19L},
    {6.51581e-13L, -6.31595e-15L, 2.18568e-17L, -3.18562e-20L, 1.63003e-23L},
};

// ln k of saturated vapour, t = 647.3 - T; terms 1, t^0.001, t, t^2, t^3, t^4.
constexpr long double kLnKSatVapour[6] = {397.24236L,    -404.7296L,    -0.007030028L,
                                          4.538758e-05L, -1.67915e-07L, 2.04034e-10L};

// Vapour and super critical fluid: rows 1, b, b^2, b^3 with b = P^1.7; columns 1, a, a^2, a^3
// with a = T^0.1.
constexpr long double kKVapour[4][4] = {
    {-0.010128798L, 0.01800635L, -0.010691602L, 0.0021230124L},
    {6.7292178e-08L, -1.0315397e-07L, 5.2700349e-08L, -8.9730199e-09L},
    {4.1015753e-15L, -6.1876616e-15L, 3.1113101e-15L, -5.2143871e-16L},
    {-4.0735111e-23L, 6.163251e-23L, -3.1080874e-23L, 5.2242078e-24L},
};

long double LiquidConductivity(long double T, long double P) {
  return DoubleSeries(kKLiquid, R6Powers<2>(P), R6Powers<4>(T));
}

long double SatVapourConductivity(long double T) {
  auto t = R6Powers<4>(R6(647.3L - T));
  const long double terms[6] = {1.0L, R6(GenPower(t[1], 0.001L)), t[1], t[2], t[3], t[4]};
  return std::exp(Series(kLnKSatVapour, terms));
}

long double VapourConductivity(long double T, long double P) {
  return DoubleSeries(kKVapour, R6Powers<3>(R6(GenPower(P, 1.7L))), R6Powers<3>(R6(GenPower(T, 0.1L))));
}

class ThermalConductivityCalc final : public PropertyCalculator {
 public:
  ThermalConductivityCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kThermalConductivity, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        if (T < kIceTMin) break;
        return CalcResult::Valid(R6(kKIce));
      case Phase::kSatLiquid:
      case Phase::kSubCooledLiquid:  // no temperature limit of its own
        if (P > kLiquidPMax) break;
        return CalcResult::Valid(R6(LiquidConductivity(T, P)));
      case Phase::kSatVapour:
        if (T > kSatVapourTMax) break;
        return CalcResult::Valid(R6(SatVapourConductivity(T)));
      case Phase::kSuperheated:
      case Phase::kSuperCritical:
        if (T > kVapourTMax || T < kVapourTMin || P > kVapourPMax) break;
        return CalcResult::Valid(R6(VapourConductivity(T, P)));
      default:  // wet steam and the codes of two-phase conditions
        return CalcResult::NotGiven();
    }
    return CalcResult::OutOfRange();
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeThermalConductivityCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<ThermalConductivityCalc>(table, ctx);
}

}  // namespace tulo
