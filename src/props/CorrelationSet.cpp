#include "props/CorrelationSet.h"

#include "common/NumberReader.h"
#include "common/RangeLimit.h"
#include "common/Real6.h"

namespace tulo {
namespace {

// The inputs a value depends on.
struct Inputs {
  bool temperature;
  bool pressure;
};

Inputs InputsOf(Item item, Phase phase) {
  switch (item) {
    case Item::kSaturationPressure:
    case Item::kVaporisationEnthalpy:
      return {true, false};
    case Item::kSaturationTemperature:
    case Item::kBoilingPoint:
    case Item::kMeltingPoint:
      return {false, true};
    default:
      break;
  }
  switch (phase) {
    case Phase::kSatSolid:
    case Phase::kSatLiquid:
    case Phase::kSatVapour:
    case Phase::kSatSolidVapour:
    case Phase::kSatLiquidVapour:
    case Phase::kWetSteam:
      return {true, false};
    default:
      return {true, true};
  }
}

constexpr double kQualityMax = 100.0;  // percent by mass

}  // namespace

long double ValueStorage::Store(long double x) const {
  return StoreValue(roundsToReal6_, x);
}

std::optional<double> ValueStorage::ReadTyped(std::string_view text) const {
  return roundsToReal6_ ? ReadNumber(text) : ReadDouble(text);
}

std::optional<double> ValueStorage::TakeTyped(double x) const {
  const std::optional<Real6> r = Real6::From(x);
  if (!r) return std::nullopt;
  return roundsToReal6_ ? r->Value() : x;
}

CalcResult CorrelationSet::SaturationTemperature(const CalculatorTable& calculators, long double P) const {
  return calculators.Compute(Item::kSaturationTemperature, Phase::kNoPhase, 0.0L, P);
}

CalcResult CorrelationSet::SaturationPressure(const CalculatorTable& calculators, long double T) const {
  return calculators.Compute(Item::kSaturationPressure, Phase::kNoPhase, T, 0.0L);
}

SearchRanges CorrelationSet::SearchAlong(Quantity, long double) const {
  return Search();
}

bool CorrelationSet::InInputRange(Quantity quantity, long double internal) const {
  const InputRange range = InputLimits(quantity);
  return InClosedRange(internal, range.lowest, range.highest);
}

StateLimits::StateLimits(const CorrelationSet& set, long double T, long double P, double quality)
    : typedT_(set.InInputRange(kTemperature, T)),
      typedP_(set.InInputRange(kPressure, P)),
      phaseT_(InClosedRange(T, set.PhaseLimits(kTemperature).lowest, set.PhaseLimits(kTemperature).highest)),
      phaseP_(InClosedRange(P, set.PhaseLimits(kPressure).lowest, set.PhaseLimits(kPressure).highest)),
      quality_(InClosedRange(quality, 0.0, kQualityMax)) {}

bool StateLimits::InLimits(Item item, Phase phase) const {
  const Inputs inputs = InputsOf(item, phase);
  // No phase named: the stable phase of a typed state, within the window's limits. A named phase:
  // within its correlations' own range.
  const bool named = phase != Phase::kNoPhase;
  if (inputs.temperature && !(named ? phaseT_ : typedT_)) return false;
  if (inputs.pressure && !(named ? phaseP_ : typedP_)) return false;
  return phase != Phase::kWetSteam || quality_;
}

bool InputsInLimits(const CorrelationSet& set, Item item, Phase phase, long double T, long double P,
                    double quality) {
  return StateLimits(set, T, P, quality).InLimits(item, phase);
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
