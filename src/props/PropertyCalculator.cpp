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

long double PropertyCalculator::Compute(Phase phase, std::uint8_t& status, long double T, long double P) {
  T = R6(T);
  P = R6(P);
  if (Matches(phase, T, P)) {
    status = lastStatus_;
    return lastResult_;
  }
  ++evaluations_;
  keep_ = true;
  long double value = Evaluate(phase, status, T, P);
  if (status == kValid && !FitsReal6(value)) status = kOutOfRange;
  if (status != kValid) value = 0.0L;
  if (keep_) {
    lastTemp_ = static_cast<double>(T);
    lastPres_ = static_cast<double>(P);
    lastPhase_ = phase;
    lastResult_ = static_cast<double>(R6(value));
    lastStatus_ = status;
  }
  keep_ = true;
  return value;
}

void PropertyCalculator::ComputeText(Phase phase, std::string& text, long double T, long double P) {
  std::uint8_t status = kValid;
  long double value = R6(Compute(phase, status, T, P));
  switch (status) {
    case kValid: {
      long double shown = R6(ctx_.units.ToDisplay(PropQuantity(item_), value));
      if (!std::isfinite(shown)) {
        text = "Out of Range";  // beyond what the display unit can hold
        return;
      }
      text = Utf8Left(FormatReal(12, AutoDecimals(shown), true, shown), 12);
      return;
    }
    case kNotGiven:
      text = " -";
      return;
    case kOutOfRange:
      text = "Out of Range";
      return;
    default:
      return;
  }
}

long double PropertyCalculator::Ask(Item item, Phase phase, std::uint8_t& status, long double T,
                                    long double P) {
  PropertyCalculator* calc = set_.VarPropCalc(item);
  if (calc == nullptr) {
    status = kNotGiven;
    return std::numeric_limits<long double>::quiet_NaN();
  }
  long double v = calc->Compute(phase, status, T, P);
  return status == kValid ? v : std::numeric_limits<long double>::quiet_NaN();
}

}  // namespace tulo
