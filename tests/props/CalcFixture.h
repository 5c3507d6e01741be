#pragma once
// A fresh calculation in SI units with all its calculators, and table runners for the
// correlation tests.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "props/CalculatorSet.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace tulo::test {

struct Answer {
  std::uint8_t status;
  long double value;
};

// A value expected with status 0, within an absolute tolerance.
struct ValueCase {
  int item;
  int phase;
  double T;  // K
  double P;  // kPa
  double expected;
  double tol;
};

struct StatusCase {
  int item;
  int phase;
  double T;
  double P;
  int status;
};

// Relative tolerance of the reference values, whose script follows the same roundings.
constexpr double kRefTol = 1e-9;

class CalcFixture : public ::testing::Test {
 protected:
  CalcFixture() { units_.InitUnits(PresetSelection(UnitPreset::kSI)); }

  Answer Run(int item, int phase, long double T, long double P) {
    PropertyCalculator* calc = set_.VarPropCalc(item);
    if (calc == nullptr) {
      ADD_FAILURE() << "no calculator for item " << item;
      return {255, 0.0L};
    }
    std::uint8_t status = 99;
    long double value = calc->Compute(static_cast<std::uint8_t>(phase), status, T, P);
    return {status, value};
  }

  void ExpectValues(const std::vector<ValueCase>& cases) {
    for (const auto& c : cases) {
      Answer a = Run(c.item, c.phase, c.T, c.P);
      SCOPED_TRACE(::testing::Message()
                   << "item " << c.item << " phase " << c.phase << " T " << c.T << " P " << c.P);
      EXPECT_EQ(a.status, 0);
      EXPECT_NEAR(static_cast<double>(a.value), c.expected, c.tol);
    }
  }

  // Reference values, compared to kRefTol relative.
  void ExpectReferences(const std::vector<ValueCase>& cases) {
    std::vector<ValueCase> scaled = cases;
    for (auto& c : scaled) c.tol = kRefTol * std::fabs(c.expected);
    ExpectValues(scaled);
  }

  void ExpectStatuses(const std::vector<StatusCase>& cases) {
    for (const auto& c : cases) {
      Answer a = Run(c.item, c.phase, c.T, c.P);
      EXPECT_EQ(a.status, c.status) << "item " << c.item << " phase " << c.phase << " T " << c.T << " P "
                                    << c.P;
      if (c.status != 0) {
        EXPECT_EQ(a.value, 0.0L);
      }
    }
  }

  // Phase codes without a value (two-phase conditions, wet steam, no phase, ...) answer status 1.
  void ExpectNotGiven(int item, const std::vector<int>& phases) {
    for (int phase : phases) {
      Answer a = Run(item, phase, 300.0L, 101.325L);
      EXPECT_EQ(a.status, 1) << "item " << item << " phase " << phase;
    }
  }

  UnitSettings units_;
  double quality_ = 50.0;
  std::uint8_t condition_ = 5;
  CalcContext ctx_{units_, quality_, condition_};
  CalculatorSet set_{ctx_};
};

}  // namespace tulo::test
