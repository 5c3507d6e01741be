#pragma once
// One calculation session for calculator tests: SI units, a steam quality and a condition code
// that tests may change, and a full set of calculators.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "props/CalculatorSet.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace tulo::testing {

struct Outcome {
  std::uint8_t status;
  long double value;
};

class CorrelationSession {
 public:
  explicit CorrelationSession(std::uint8_t conditionCode = 5) : condition(conditionCode) {
    units.InitUnits(PresetSelection(UnitPreset::kSI));
  }

  PropertyCalculator& Calc(int item) { return *set.VarPropCalc(item); }

  Outcome Eval(int item, int phase, long double T, long double P) {
    std::uint8_t status = 0;
    long double v = Calc(item).Compute(static_cast<std::uint8_t>(phase), status, T, P);
    return {status, v};
  }

  std::string Text(int item, int phase, long double T, long double P) {
    std::string text;
    Calc(item).ComputeText(static_cast<std::uint8_t>(phase), text, T, P);
    return text;
  }

  UnitSettings units;
  double quality = 0.0;
  std::uint8_t condition;
  CalcContext ctx{units, quality, condition};
  CalculatorSet set{ctx};
};

// Items of the calculators in this family.
enum Item : int {
  kEnthalpyItem = 15,
  kEntropyItem = 16,
  kInternalEnergyItem = 17,
  kDensityItem = 18,
  kVaporisationItem = 19,
  kExpansionItem = 25,
  kZItem = 28,
};

// Single-phase states are asked in their own condition, the others in a saturated one.
inline std::uint8_t ConditionFor(int phase) {
  return static_cast<std::uint8_t>(phase >= 3 && phase <= 8 ? phase : 6);
}

// A value quoted to a given number of digits, checked to half a unit of its last digit.
struct Quoted {
  int item, phase;
  long double T, P, value, halfUnit;
  const char* label;
};

inline void ExpectQuoted(const Quoted& c) {
  CorrelationSession s(ConditionFor(c.phase));
  Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
  EXPECT_EQ(r.status, 0) << c.label;
  EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), static_cast<double>(c.halfUnit))
      << c.label;
}

// A value recomputed apart from the code, from the coefficient tables in decimal arithmetic
// with the same Real6 (and double) roundings: agreement to 1e-9.
struct Recomputed {
  int item, phase;
  long double T, P, value;
  const char* label;
};

inline void ExpectRecomputed(const Recomputed& c) {
  CorrelationSession s(ConditionFor(c.phase));
  Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
  ASSERT_EQ(r.status, 0) << c.label;
  EXPECT_NEAR(static_cast<double>(r.value / c.value), 1.0, 1e-9) << c.label;
}

// The status of a call in a given condition; a valid value must be finite.
struct StatusCase {
  int item, phase;
  long double T, P;
  int condition, status;
  const char* label;
};

inline void ExpectStatus(const StatusCase& c) {
  CorrelationSession s(static_cast<std::uint8_t>(c.condition));
  s.quality = 50;
  Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
  EXPECT_EQ(r.status, c.status) << c.label;
  if (r.status == 0) {
    EXPECT_TRUE(std::isfinite(r.value)) << c.label;
  }
}

}  // namespace tulo::testing
