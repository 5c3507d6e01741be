#pragma once
// The calculator objects behind every variable property: a phase code, a temperature (K) and a
// pressure (kPa absolute) in; a value in the internal unit of the property and a status out.

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/Phase.h"

namespace tulo {

class CalculatorTable;

// A value stored as Real6 or as a double (CorrelationSet::Store).
long double StoreValue(bool roundsToReal6, long double x);

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

  // The kept call.
  double LastTemp() const { return lastTemp_; }
  double LastPres() const { return lastPres_; }
  double LastResult() const { return lastResult_; }
  Status LastStatus() const { return lastStatus_; }
  Phase LastPhase() const { return lastPhase_; }
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
  bool Matches(Phase phase, long double T, long double P) const;

  Item item_;
  bool roundsToReal6_;
  CacheKey key_;
  bool keep_ = true;
  double lastTemp_ = -3.0;
  double lastPres_ = -3.0;
  double lastResult_ = -3.0;
  Status lastStatus_ = Status::kNotGiven;
  Phase lastPhase_ = Phase::kNoPhase;
  double lastQuality_ = 0.0;  // percent, the context's steam quality at the kept call
  long evaluations_ = 0;
};

}  // namespace tulo
