#pragma once
// One calculation session for calculator tests: SI units, a steam quality and a condition code
// that tests may change, and the built-in calculators; and the table runners of the calculator
// tests, each case asked in a fresh session so that no kept call of another case answers it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "props/BuiltInSet.h"
#include "props/CalculatorTable.h"
#include "results/CellText.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace tulo::testing {

using Outcome = CalcResult;

class CorrelationSession {
 public:
  explicit CorrelationSession(Condition conditionCode = Condition::kSubCooledLiquid,
                              double steamQuality = 0.0)
      : quality(steamQuality), condition(conditionCode) {
    units.InitUnits(PresetSelection(UnitPreset::kSI));
  }

  PropertyCalculator& Calc(Item item) { return *table->VarPropCalc(item); }

  Outcome Eval(Item item, Phase phase, long double T, long double P) {
    PropertyCalculator* calc = table->VarPropCalc(item);
    if (calc == nullptr) {
      ADD_FAILURE() << "no calculator for " << PropName(item);
      return CalcResult::NotGiven();
    }
    return calc->Compute(phase, T, P);
  }

  std::string Text(Item item, Phase phase, long double T, long double P) {
    std::string text;
    ComputeText(Calc(item), phase, text, T, P, units);
    return text;
  }

  UnitSettings units;
  double quality;
  Condition condition;
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> table = BuiltInCorrelations().MakeCalculators(ctx);
};

// Single-phase states are asked in their own condition, the others in a saturated one.
inline Condition ConditionFor(Phase phase) {
  return ConditionOf(phase).value_or(Condition::kSatLiquidVapour);
}

// The steam quality of the sessions table cases are asked in, percent.
constexpr double kCaseQuality = 50.0;

// Names a table case in a failure message.
template <typename Case>
std::string Where(const Case& c) {
  return PropName(c.item) + " phase " + std::to_string(static_cast<int>(c.phase)) + " T " +
         std::to_string(static_cast<double>(c.T)) + " P " + std::to_string(static_cast<double>(c.P)) + " " +
         c.label;
}

// A value expected with status 0, within an absolute tolerance (half a unit of the last digit of
// a quoted value).
struct ValueCase {
  Item item;
  Phase phase;
  long double T, P, value, tol;
  const char* label = "";
};

inline void ExpectValues(const std::vector<ValueCase>& cases) {
  for (const auto& c : cases) {
    CorrelationSession s(ConditionFor(c.phase), kCaseQuality);
    Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
    EXPECT_EQ(static_cast<int>(r.status), 0) << Where(c);
    EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), static_cast<double>(c.tol))
        << Where(c);
  }
}

// A value recomputed apart from the code, from the coefficient tables with the same Real6 (and
// double) roundings: agreement to 1e-9 relative.
struct Reference {
  Item item;
  Phase phase;
  long double T, P, value;
  const char* label = "";
};

inline void ExpectReferences(const std::vector<Reference>& cases) {
  std::vector<ValueCase> values;
  values.reserve(cases.size());
  for (const auto& c : cases)
    values.push_back({c.item, c.phase, c.T, c.P, c.value, 1e-9L * std::fabs(c.value), c.label});
  ExpectValues(values);
}

// The status of a call, in the condition of its phase unless one is given; a valid value is
// finite and every other status comes with 0.
struct StatusCase {
  Item item;
  Phase phase;
  long double T, P;
  int status;
  std::optional<Condition> condition = std::nullopt;
  const char* label = "";
};

inline void ExpectStatuses(const std::vector<StatusCase>& cases) {
  for (const auto& c : cases) {
    CorrelationSession s(c.condition.value_or(ConditionFor(c.phase)), kCaseQuality);
    Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
    EXPECT_EQ(static_cast<int>(r.status), c.status) << Where(c);
    if (r.Ok()) {
      EXPECT_TRUE(std::isfinite(r.value)) << Where(c);
    } else {
      EXPECT_EQ(r.value, 0.0L) << Where(c);
    }
  }
}

// Phase codes without a value (two-phase conditions, wet steam, no phase, ...) answer status 1.
inline void ExpectNotGiven(Item item, const std::vector<Phase>& phases) {
  std::vector<StatusCase> cases;
  cases.reserve(phases.size());
  for (Phase phase : phases) cases.push_back({item, phase, 300.0L, 101.325L, 1});
  ExpectStatuses(cases);
}

}  // namespace tulo::testing
