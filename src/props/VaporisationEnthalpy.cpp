// Enthalpy of vaporisation of saturated liquid, and of sublimation of ice below the triple
// point, kJ/kg. Depends on the temperature only; the pressure argument is not used.

#include "common/Power.h"
#include "common/Real6.h"
#include "props/Calculators.h"
#include "props/PowerChain.h"
#include "props/Series.h"

namespace tulo {
namespace {

// Terms th, th^0.83, th^0.84, th^0.9, th^2 ... th^5 with th = 647.29 - T. No constant term: the
// value falls to zero at the critical temperature. The large fractional-power coefficients
// cancel, so the sum needs extended precision.
constexpr long double kVaporisation[8] = {
    -3279.4714L, 141138.6026L,   -167997.0362L, 30397.4171L,
    0.1305792L,  -0.0001832024L, 2.2729e-07L,   -1.28247e-10L,
};

class VaporisationEnthalpyCalc final : public PropertyCalculator {
 public:
  VaporisationEnthalpyCalc(CalculatorTable& table, CalcContext& ctx)
      : PropertyCalculator(table, ctx, Item::kVaporisationEnthalpy, CacheKey::kTemperatureAndPhase) {}

 protected:
  CalcResult Evaluate(Phase phase, long double T, long double) override {
    switch (phase) {
      case Phase::kSatSolid:
        return CalcResult::Valid(Sublimation(T));
      case Phase::kSatLiquid:
        return CalcResult::Valid(Vaporisation(T));
      default:
        return CalcResult::NotGiven();  // vapour and wet steam show " -"
    }
  }

 private:
  static long double Sublimation(long double T) {
    auto t = R6Powers<3>(T);
    return 2643.461L + 1.55428L * T - 0.00278644L * t[2] - 1.32153e-06L * t[3];
  }

  // Above 647.29 K th is negative: its fractional powers give NaN and the call ends out of range.
  static long double Vaporisation(long double T) {
    long double th = R6(647.29L - T);
    auto p = R6Powers<5>(th);
    const long double term[8] = {
        th, R6(GenPower(th, 0.83L)), R6(GenPower(th, 0.84L)), R6(GenPower(th, 0.9L)), p[2], p[3], p[4], p[5]};
    return Series(kVaporisation, term);
  }
};

}  // namespace

std::unique_ptr<PropertyCalculator> MakeVaporisationEnthalpyCalc(CalculatorTable& table, CalcContext& ctx) {
  return std::make_unique<VaporisationEnthalpyCalc>(table, ctx);
}

}  // namespace tulo
