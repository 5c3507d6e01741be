#include "props/PropertyCalculator.h"

#include "common/Real6.h"
#include "props/CorrelationSet.h"

namespace tulo {

PropertyCalculator::PropertyCalculator(CalculatorTable& table, CalcContext& ctx, Item item, CacheKey key)
    : table_(table), ctx_(ctx), item_(item), roundsToReal6_(table.Set().Storage().RoundsToReal6()), key_(key) {}

bool PropertyCalculator::Matches(Phase phase, double T, double P) const {
  if (!kept_) return false;
  // Wet steam is mixed at the steam quality of the context: a kept call at another quality is
  // another value.
  if (phase == Phase::kWetSteam && ctx_.steamQuality != kept_->quality) return false;
  switch (key_) {
    case CacheKey::kTemperature:
      return T == kept_->temp;
    case CacheKey::kPressure:
      return P == kept_->pres;
    case CacheKey::kTemperatureAndPhase:
      return T == kept_->temp && phase == kept_->phase;
    case CacheKey::kAll:
      return T == kept_->temp && P == kept_->pres && phase == kept_->phase;
  }
  return false;
}

// Stored, T and P are doubles exactly (a Real6 has a 40-bit mantissa and a narrower exponent), so
// they travel as doubles; the answer's value and status are read one by one, not copied whole:
// each call of every item passes here.
CalcResult PropertyCalculator::Compute(Phase phase, long double T, long double P) {
  const auto t = static_cast<double>(Store(T));
  const auto p = static_cast<double>(Store(P));
  if (Matches(phase, t, p)) return {kept_->result, kept_->status};
  ++evaluations_;
  keep_ = true;
  const CalcResult evaluated = Evaluate(phase, t, p);
  long double value = evaluated.value;
  Status status = evaluated.status;
  if (status == Status::kValid && !FitsReal6(value)) status = Status::kOutOfRange;
  if (status != Status::kValid) value = 0.0L;
  if (keep_) kept_ = KeptCall{t, p, phase, ctx_.steamQuality, static_cast<double>(Store(value)), status};
  keep_ = true;
  return {value, status};
}

CalcResult PropertyCalculator::Ask(Item item, Phase phase, long double T, long double P) {
  PropertyCalculator* calc = table_.VarPropCalc(item);
  if (calc == nullptr) return CalcResult::Inner(CalcResult::NotGiven());
  return CalcResult::Inner(calc->Compute(phase, T, P));
}

}  // namespace tulo
