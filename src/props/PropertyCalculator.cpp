#include "props/PropertyCalculator.h"

#include <cmath>
#include <limits>

#include "common/Real6.h"
#include "common/Text.h"
#include "props/CalculatorSet.h"
#include "units/Format.h"
#include "units/Units.h"

namespace tulo {

PropertyCalculator::PropertyCalculator(CalculatorSet& set, CalcContext& ctx, Item item, CacheKey key)
    : set_(set), ctx_(ctx), item_(item), key_(key) {}

bool PropertyCalculator::Matches(Phase phase, long double T, long double P) const {
  switch (key_) {
    case CacheKey::kTemperature:
      return T == lastTemp_;
    case CacheKey::kPressure:
      return P == lastPres_;
    case CacheKey::kTemperatureAndPhase:
      return T == lastTemp_ && phase == lastPhase_;
    case CacheKey::kAll:
      return T == lastTemp_ && P == lastPres_ && phase == lastPhase_;
  }
  return false;
}

CalcResult PropertyCalculator::Compute(Phase phase, long double T, long double P) {
  T = R6(T);
  P = R6(P);
  if (Matches(phase, T, P)) return {lastResult_, lastStatus_};
  ++evaluations_;
  keep_ = true;
  CalcResult r = Evaluate(phase, T, P);
  if (r.Ok() && !FitsReal6(r.value)) r.status = Status::kOutOfRange;
  if (!r.Ok()) r.value = 0.0L;
  if (keep_) {
    lastTemp_ = static_cast<double>(T);
    lastPres_ = static_cast<double>(P);
    lastPhase_ = phase;
    lastResult_ = static_cast<double>(R6(r.value));
    lastStatus_ = r.status;
  }
  keep_ = true;
  return r;
}

void PropertyCalculator::ComputeText(Phase phase, std::string& text, long double T, long double P) {
  CalcResult r = Compute(phase, T, P);
  switch (r.status) {
    case Status::kValid: {
      long double shown = R6(ctx_.units.ToDisplay(PropQuantity(item_), R6(r.value)));
      if (!std::isfinite(shown)) {
        text = "Out of Range";  // beyond what the display unit can hold
        return;
      }
      text = Utf8Left(FormatReal(12, AutoDecimals(shown), true, shown), 12);
      return;
    }
    case Status::kNotGiven:
      text = " -";
      return;
    case Status::kOutOfRange:
      text = "Out of Range";
      return;
  }
}

CalcResult PropertyCalculator::Ask(Item item, Phase phase, long double T, long double P) {
  PropertyCalculator* calc = set_.VarPropCalc(item);
  if (calc == nullptr) return CalcResult::Inner(CalcResult::NotGiven());
  return CalcResult::Inner(calc->Compute(phase, T, P));
}

}  // namespace tulo
