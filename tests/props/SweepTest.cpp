// Every calculator of the set, every phase code, over the whole temperature-pressure plane and
// every condition code: a call ends with status 1 or 2, or with status 0 and a finite value, and
// its cell text is a short, non-empty text that never shows nan or inf.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "common/Text.h"
#include "props/Catalogue.h"
#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

// Coarse, but with every range limit and branch boundary of the correlations.
constexpr long double kTemperatures[] = {150, 165.99L, 166,      200,  250,     273.15L, 273.16L,  300,
                                         323, 400,     550,      620,  647.29L, 647.3L,  648.15L,  660,
                                         673, 800,     1273.15L, 1274, 1274.5L, 1320,    1320.01L, 1400};
constexpr long double kPressures[] = {1e-7L, 3.41e-7L, 0.1L,   101.325L,  500,   5000,  20000,
                                      21900, 22090,    22091,  22100,     22114, 25000, 28000,
                                      30000, 50000,    100000, 100000.5L, 120000};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

TEST(Sweep, EveryCallEndsWithAStatusAndAShowableText) {
  long calls = 0;
  double quality = 0.0;
  for (Condition condition : kConditions) {
    CorrelationSession s(condition);
    s.quality = quality;  // 0 to 62.5 percent
    quality += 12.5;
    for (Item item : VariableItems()) {
      PropertyCalculator* calc = s.table->VarPropCalc(item);
      if (calc == nullptr) continue;  // not built yet
      for (int code = 0; code < kPhaseCount; ++code)
        for (long double T : kTemperatures)
          for (long double P : kPressures) {
            const Phase phase = *PhaseFromCode(code);
            const CalcResult r = calc->Compute(phase, T, P);
            std::string text;
            ComputeText(*calc, phase, text, T, P, s.units);
            ++calls;
            auto where = [&] {
              return PropName(item) + " phase " + std::to_string(code) + " T " +
                     std::to_string(static_cast<double>(T)) + " P " + std::to_string(static_cast<double>(P)) +
                     " condition " + std::to_string(static_cast<int>(condition));
            };
            ASSERT_LE(static_cast<int>(r.status), 2) << where();
            if (r.Ok()) {
              ASSERT_TRUE(std::isfinite(r.value)) << where();
            } else {
              ASSERT_EQ(r.value, 0.0L) << where();
            }
            ASSERT_FALSE(text.empty()) << where();
            ASSERT_LE(Utf8Length(text), 12u) << where() << " text " << text;
            const std::string lower = Lower(text);
            ASSERT_EQ(lower.find("nan"), std::string::npos) << where() << " text " << text;
            ASSERT_EQ(lower.find("inf"), std::string::npos) << where() << " text " << text;
          }
    }
  }
  EXPECT_GT(calls, 0);
}

// Just above the critical temperature the saturated formulas would need fractional powers of a
// negative number: those calls end out of range, never with a number.
TEST(Sweep, SaturatedPhasesJustAboveTheCriticalTemperatureAreOutOfRange) {
  struct Case {
    Item item;
    Phase phase;
  };
  const Case cases[] = {
      {Item::kEnthalpy, Phase::kSatLiquid},         {Item::kEnthalpy, Phase::kSatVapour},
      {Item::kEnthalpy, Phase::kSatLiquidVapour},   {Item::kEnthalpy, Phase::kWetSteam},
      {Item::kEntropy, Phase::kSatLiquid},          {Item::kEntropy, Phase::kSatVapour},
      {Item::kEntropy, Phase::kWetSteam},           {Item::kInternalEnergy, Phase::kSatLiquid},
      {Item::kInternalEnergy, Phase::kSatVapour},   {Item::kInternalEnergy, Phase::kWetSteam},
      {Item::kDensity, Phase::kSatLiquid},          {Item::kDensity, Phase::kSatVapour},
      {Item::kDensity, Phase::kWetSteam},           {Item::kVaporisationEnthalpy, Phase::kSatLiquid},
      {Item::kThermalExpansion, Phase::kSatLiquid}, {Item::kCompressibilityFactor, Phase::kSatVapour},
  };
  for (long double T : {647.295L, 647.3L}) {
    for (const auto& c : cases) {
      CorrelationSession s(Condition::kSatLiquidVapour);
      s.quality = 50;
      const std::string where = PropName(c.item) + " phase " + std::to_string(static_cast<int>(c.phase));
      EXPECT_EQ(s.Eval(c.item, c.phase, T, 22100).status, Status::kOutOfRange) << where;
      EXPECT_EQ(s.Text(c.item, c.phase, T, 22100), "Out of Range") << where;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
