// Density of ice, liquid water, vapour and wet steam, kg/m3. Superheated and super critical
// densities come from the compressibility factor through the gas law.

#include <array>
#include <optional>

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"
#include "props/WaterConstants.h"

namespace tulo {
namespace {

const long double kVapourPMax = R6(100000.0L);
const long double kVapourTMax = kHighestVapourTemperature;

// Saturated liquid. Terms: 1, th, th^0.8, th^0.83, th^0.9, th^2 ... th^8 with th = 647.29 - T.
constexpr long double kSatLiquidRho[12] = {
    315.432L,     -1026.2097L,  11260.0184L,   -16948.0281L,  6795.2635L,  0.09300897L,
    -0.00027007L, 6.42106e-07L, -2.40572e-10L, -3.49752e-12L, 9.1488e-15L, -7.44227e-18L,
};

// Compressibility of saturated vapour in powers 0..7 of r = (647.29 - T)^0.5.
constexpr long double kSatVapourZ[8] = {
    0.235122106L,    0.0608200024L,    -0.00199499197L, 0.000191817137L,
    3.88084074e-06L, -1.67235367e-06L, 7.42692921e-08L, -9.46060641e-10L,
};

// Sub-cooled liquid: rows q^0..q^3 with q = P^0.7, columns T^0..T^5.
constexpr long double kSubCooled[4][6] = {
    {6915.487L, -81.43682L, 0.44081377L, -0.00116847783L, 1.51349e-06L, -7.712383e-10L},
    {0.4379346L, 0.002828503L, -6.033844e-05L, 2.725995e-07L, -4.922155e-10L, 3.174859e-13L},
    {-0.0033074192L, 3.780877e-05L, -1.6459363e-07L, 3.377699e-10L, -3.203552e-13L, 1.077076e-16L},
    {8.167228e-07L, -9.681439e-09L, 4.435623e-11L, -9.795766e-14L, 1.03866e-16L, -4.205393e-20L},
};

// kg.K/kJ: rho = P / (Z R T) with R = 1/2.16673 kJ/(kg.K).
constexpr long double kInverseGasConstant = 2.16673L;

class DensityCalc final : public PropertyCalculator {
 public:
  DensityCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kDensity, CacheKey::kAll) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double P) override {
    switch (phase) {
      case Phase::kSatSolid:
      case Phase::kSubCooledSolid:
        return CalcResult::Valid(Ice(T));
      case Phase::kSatLiquid:
        return CalcResult::Valid(SaturatedLiquid(T));
      case Phase::kSatVapour:
        return CalcResult::Valid(SaturatedVapour(T, P));
      case Phase::kSubCooledLiquid:
        return CalcResult::Valid(SubCooledLiquidKept(T, P));
      case Phase::kSuperheated:
      case Phase::kSuperCritical:
        return FromCompressibility(phase, T, P);
      case Phase::kWetSteam:
        return WetSteam(T, P);
      default:
        return CalcResult::NotGiven();
    }
  }

 private:
  static long double Ice(long double T) {
    long double T2 = R6(T * T);
    return 941.892L - 0.0353808L * T - 0.000205756L * T2;
  }

  // Only T is used. Above 647.29 K th is negative and its fractional powers are not defined.
  static long double SaturatedLiquid(long double T) {
    long double th = R6(647.29L - T);
    auto p = R6Powers<8>(th);
    const long double term[12] = {1.0L,
                                  th,
                                  R6(GenPower(th, 0.8L)),
                                  R6(GenPower(th, 0.83L)),
                                  R6(GenPower(th, 0.9L)),
                                  p[2],
                                  p[3],
                                  p[4],
                                  p[5],
                                  p[6],
                                  p[7],
                                  p[8]};
    return Series(kSatLiquidRho, term);
  }

  // P is taken as the saturation pressure of T.
  static long double SaturatedVapour(long double T, long double P) {
    long double r = R6(GenPower(647.29L - T, 0.5L));
    long double Z = Series(kSatVapourZ, R6Powers<7>(r));
    return kInverseGasConstant * P / (T * Z);
  }

  static long double SubCooledLiquid(long double T, long double P) {
    return DoubleSeries(kSubCooled, R6Powers<3>(R6(GenPower(P, 0.7L))), R6Powers<5>(T));
  }

  // The pressure integrals of the enthalpy and entropy ask, at every point, the density at T and
  // (the thermal expansion's difference) at T - 1, then at T again: the last two values are kept.
  // SubCooledLiquid is a function of T and P alone, so a kept value is the one computed again.
  long double SubCooledLiquidKept(long double T, long double P) {
    for (const auto& kept : subCooled_)
      if (kept && kept->T == T && kept->P == P) return kept->value;
    const long double value = SubCooledLiquid(T, P);
    subCooled_[nextSlot_] = SubCooledValue{T, P, value};
    nextSlot_ = 1 - nextSlot_;
    return value;
  }

  struct SubCooledValue {
    long double T, P, value;
  };
  std::array<std::optional<SubCooledValue>, 2> subCooled_;
  std::size_t nextSlot_ = 0;

  CalcResult FromCompressibility(Phase phase, long double T, long double P) {
    if (P > kVapourPMax || T > kVapourTMax) return CalcResult::OutOfRange();
    const CalcResult Z = Ask(Item::kCompressibilityFactor, phase, T, P);
    if (!Z.Ok()) return CalcResult::Failed(Z.status);
    return CalcResult::Valid(kInverseGasConstant * P / (Z.value * T));
  }

  // Specific volumes mixed by mass; the vapour side at the given (saturation) pressure.
  CalcResult WetSteam(long double T, long double P) {
    long double x = ctx_.steamQuality;
    const CalcResult liquid = Ask(Item::kDensity, Phase::kSatLiquid, T, 0.0L);
    if (!liquid.Ok()) return CalcResult::Failed(liquid.status);
    const CalcResult vapour = Ask(Item::kDensity, Phase::kSatVapour, T, P);
    if (!vapour.Ok()) return CalcResult::Failed(vapour.status);
    return CalcResult::Valid(100.0L / ((100.0L - x) / liquid.value + x / vapour.value));
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeDensityCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<DensityCalc>(table, ctx);
}

}  // namespace tulo
