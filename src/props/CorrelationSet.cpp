#include "props/CorrelationSet.h"

#include "common/NumberReader.h"
#include "common/Real6.h"

namespace tulo {

long double StoreValue(bool roundsToReal6, long double x) {
  return roundsToReal6 ? R6(x) : static_cast<long double>(static_cast<double>(x));
}

long double CorrelationSet::Store(long double x) const {
  return StoreValue(roundsToReal6_, x);
}

std::optional<double> CorrelationSet::ReadTyped(std::string_view text) const {
  return roundsToReal6_ ? ReadNumber(text) : ReadDouble(text);
}

CalcResult CorrelationSet::SaturationTemperature(const CalculatorTable& calculators, long double P) const {
  return calculators.Compute(Item::kSaturationTemperature, Phase::kNoPhase, 0.0L, P);
}

CalcResult CorrelationSet::SaturationPressure(const CalculatorTable& calculators, long double T) const {
  return calculators.Compute(Item::kSaturationPressure, Phase::kNoPhase, T, 0.0L);
}

std::span<const Item> RowsFor(const GridRows& rows, Condition condition) {
  switch (condition) {
    case Condition::kSubCooledSolid:
      return rows.solid;
    case Condition::kSatSolidVapour:
      return rows.solidVapour;
    case Condition::kSubCooledLiquid:
      return rows.liquid;
    case Condition::kSatLiquidVapour:
      return rows.liquidVapour;
    case Condition::kSuperheated:
    case Condition::kSuperCritical:
      return rows.vapour;
    case Condition::kNone:
      break;
  }
  return {};
}

}  // namespace tulo
