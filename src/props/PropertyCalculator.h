#pragma once
// The calculator objects behind every variable property: a phase code, a temperature (K) and a
// pressure (kPa absolute) in; a value in the internal unit of the property and a status out.

#include <optional>

#include "common/Real6.h"
#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/Phase.h"

namespace tulo {

class CalculatorTable;

// A value stored as Real6 or as a double (CorrelationSet::Store). Inline: every call of a
// calculator stores its T, P and result.
inline long double StoreValue(bool roundsToReal6, long double x) {
  return roundsToReal6 ? R6(x) : static_cast<long double>(static_cast<double>(x));
}

// What calculators read from the calculation that owns them. References, never globals: the
// steam quality (percent by mass) lives in the configuration record, the condition in the
// calculation state.
struct CalcContext {
  const double& steamQuality;
  const Condition& condition;
};

// Which arguments a kept call is compared on.
enum class CacheKey { kTemperature, kPressure, kTemperatureAndPhase, kAll };

class PropertyCalculator {
 public:
  virtual ~PropertyCalculator() = default;
  PropertyCalculator(const PropertyCalculator&) = delete;
  PropertyCalculator& operator=(const PropertyCalculator&) = delete;

  // T and P are stored (Store) on entry. A repeat of the kept call (the same T, P and phase as
  // the key says, and for wet steam the same steam quality) returns the kept (stored) result and
  // status. A status other than kValid always comes with the value 0; a value that is
  // not finite or does not fit a Real6 ends the call out of range.
  CalcResult Compute(Phase phase, long double T, long double P);

  // A value as the calculator's standard stores it (CorrelationSet::Store).
  long double Store(long double x) const { return StoreValue(roundsToReal6_, x); }

  // The catalogue item the calculator answers for.
  Item GetItem() const { return item_; }

  // The kept call (before the first call: T and P -3, result -3, not given, no phase).
  double LastTemp() const { return kept_ ? kept_->temp : kNoCall; }
  double LastPres() const { return kept_ ? kept_->pres : kNoCall; }
  double LastResult() const { return kept_ ? kept_->result : kNoCall; }
  Status LastStatus() const { return kept_ ? kept_->status : Status::kNotGiven; }
  Phase LastPhase() const { return kept_ ? kept_->phase : Phase::kNoPhase; }
  // Number of correlation evaluations (calls that missed the kept call); for tests and benches.
  long Evaluations() const { return evaluations_; }

 protected:
  PropertyCalculator(CalculatorTable& table, CalcContext& ctx, Item item, CacheKey key);

  // The correlation: the value in extended precision with its status. Phases it does not treat
  // answer kNotGiven. Where an inner call fails, its status is the answer's (CalcResult::Failed).
  virtual CalcResult Evaluate(Phase phase, long double T, long double P) = 0;

  // Saturated or sub-cooled liquid: the only phases of the liquid-only properties.
  static bool IsLiquidPhase(Phase phase) {
    return phase == Phase::kSatLiquid || phase == Phase::kSubCooledLiquid;
  }

  // For calculators that keep a call only when their own range check has passed.
  void DoNotKeep() { keep_ = false; }

  // The calculator of catalogue item `item`, as an inner call (CalcResult::Inner: a failed value
  // is NaN). An absent calculator answers kNotGiven.
  CalcResult Ask(Item item, Phase phase, long double T, long double P);

  CalculatorTable& table_;
  CalcContext& ctx_;

 private:
  bool Matches(Phase phase, double T, double P) const;

  Item item_;
  bool roundsToReal6_;
  CacheKey key_;
  bool keep_ = true;
  // The last call whose result is kept: its arguments, its stored result and, for wet steam, the
  // steam quality of the context (percent) it was made at.
  struct KeptCall {
    double temp, pres;
    Phase phase;
    double quality;
    double result;
    Status status;
  };
  static constexpr double kNoCall = -3.0;
  std::optional<KeptCall> kept_;
  long evaluations_ = 0;
};

}  // namespace tulo
