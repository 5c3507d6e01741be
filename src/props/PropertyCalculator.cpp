#include "props/PropertyCalculator.h"

#include "common/Real6.h"
#include "props/CorrelationSet.h"

namespace tulo {

PropertyCalculator::PropertyCalculator(CalculatorTable& table, CalcContext& ctx, Item item, CacheKey key)
    : table_(table), ctx_(ctx), item_(item), roundsToReal6_(table.Set().Storage().RoundsToReal6()), key_(key) {}

bool PropertyCalculator::Matches(Phase phase, long double T, long double P) const {
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

CalcResult PropertyCalculator::Compute(Phase phase, long double T, long double P) {
  T = Store(T);
  P = Store(P);
  if (Matches(phase, T, P)) return {kept_->result, kept_->status};
  ++evaluations_;
  keep_ = true;
  CalcResult r = Evaluate(phase, T, P);
  if (r.Ok() && !FitsReal6(r.value)) r.status = Status::kOutOfRange;
  if (!r.Ok()) r.value = 0.0L;
  if (keep_)
    kept_ = KeptCall{static_cast<double>(T), static_cast<double>(P), phase, ctx_.steamQuality,
                     static_cast<double>(Store(r.value)), r.status};
  keep_ = true;
  return r;
}

CalcResult PropertyCalculator::Ask(Item item, Phase phase, long double T, long double P) {
  PropertyCalculator* calc = table_.VarPropCalc(item);
  if (calc == nullptr) return CalcResult::Inner(CalcResult::NotGiven());
  return CalcResult::Inner(calc->Compute(phase, T, P));
}

}  // namespace tulo
