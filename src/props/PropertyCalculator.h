#pragma once
// The calculator objects behind every variable property: a phase code, a temperature (K) and a
// pressure (kPa absolute) in; a value in the internal unit of the property and a status out.

#include <cstdint>
#include <string>

#include "props/Catalogue.h"
#include "props/Phase.h"

namespace tulo {

class UnitSettings;
class CalculatorSet;

// Calculator status.
enum Status : std::uint8_t {
  kValid = 0,       // the value stands
  kNotGiven = 1,    // no such property for this phase: " -"
  kOutOfRange = 2,  // outside the correlation: "Out of Range"
};

// What calculators read from the calculation that owns them. References, never globals: the
// steam quality (percent by mass) lives in the configuration record, the condition code in the
// calculation state.
struct CalcContext {
  UnitSettings& units;
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

  // T and P are rounded to Real6 on entry. A repeat of the kept call returns the kept (Real6)
  // result and status. A status other than 0 always comes with the value 0; a value that is not
  // finite or does not fit a Real6 ends the call with status 2.
  long double Compute(Phase phase, std::uint8_t& status, long double T, long double P);

  // The cell text: the value in the display unit, FormatReal(12, AutoDecimals, trimmed), cut to
  // 12 characters; " -" for status 1, "Out of Range" for status 2.
  void ComputeText(Phase phase, std::string& text, long double T, long double P);

  // The catalogue item the calculator answers for.
  Item GetItem() const { return item_; }

  // The kept call.
  double LastTemp() const { return lastTemp_; }
  double LastPres() const { return lastPres_; }
  double LastResult() const { return lastResult_; }
  std::uint8_t LastStatus() const { return lastStatus_; }
  Phase LastPhase() const { return lastPhase_; }
  // Number of correlation evaluations (calls that missed the kept call); for tests and benches.
  long Evaluations() const { return evaluations_; }

 protected:
  PropertyCalculator(CalculatorSet& set, CalcContext& ctx, Item item, CacheKey key);

  // The correlation. Writes the status (the caller's status byte, passed on to inner calls) and
  // returns the value in extended precision. Phases it does not treat answer status 1.
  virtual long double Evaluate(Phase phase, std::uint8_t& status, long double T, long double P) = 0;

  // Saturated or sub-cooled liquid: the only phases of the liquid-only properties.
  static bool IsLiquidPhase(Phase phase) {
    return phase == Phase::kSatLiquid || phase == Phase::kSubCooledLiquid;
  }
  // Ends a call for a phase without the property: status 1 and the value 0.
  static long double NotGiven(std::uint8_t& status) {
    status = kNotGiven;
    return 0.0L;
  }

  // For calculators that keep a call only when their own range check has passed.
  void DoNotKeep() { keep_ = false; }

  // The calculator of catalogue item `item`, asked with the caller's status byte. NaN when that
  // call ends with a status other than 0, so a failed inner value can never pass as a number.
  long double Ask(Item item, Phase phase, std::uint8_t& status, long double T, long double P);

  CalculatorSet& set_;
  CalcContext& ctx_;

 private:
  bool Matches(Phase phase, long double T, long double P) const;

  Item item_;
  CacheKey key_;
  bool keep_ = true;
  double lastTemp_ = -3.0;
  double lastPres_ = -3.0;
  double lastResult_ = -3.0;
  std::uint8_t lastStatus_ = kNotGiven;
  Phase lastPhase_ = Phase::kNoPhase;
  long evaluations_ = 0;
};

}  // namespace tulo
