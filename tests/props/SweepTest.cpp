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
  for (int condition = 3; condition <= 8; ++condition) {
    CorrelationSession s(static_cast<std::uint8_t>(condition));
    s.quality = 12.5 * (condition - 3);  // 0 to 62.5 percent
    for (int item = kFirstVarItem; item <= kLastVarItem; ++item) {
      PropertyCalculator* calc = s.set.VarPropCalc(item);
      if (calc == nullptr) continue;  // not built yet
      for (int phase = 0; phase <= 10; ++phase)
        for (long double T : kTemperatures)
          for (long double P : kPressures) {
            std::uint8_t status = 0;
            long double v = calc->Compute(static_cast<std::uint8_t>(phase), status, T, P);
            std::string text;
            calc->ComputeText(static_cast<std::uint8_t>(phase), text, T, P);
            ++calls;
            auto where = [&] {
              return "item " + std::to_string(item) + " phase " + std::to_string(phase) + " T " +
                     std::to_string(static_cast<double>(T)) + " P " + std::to_string(static_cast<double>(P)) +
                     " condition " + std::to_string(condition);
            };
            ASSERT_LE(status, 2) << where();
            if (status == 0) {
              ASSERT_TRUE(std::isfinite(v)) << where();
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
    int item;
    int phase;
  };
  const Case cases[] = {
      {kEnthalpyItem, 1},       {kEnthalpyItem, 2},       {kEnthalpyItem, 6},  {kEnthalpyItem, 9},
      {kEntropyItem, 1},        {kEntropyItem, 2},        {kEntropyItem, 9},   {kInternalEnergyItem, 1},
      {kInternalEnergyItem, 2}, {kInternalEnergyItem, 9}, {kDensityItem, 1},   {kDensityItem, 2},
      {kDensityItem, 9},        {kVaporisationItem, 1},   {kExpansionItem, 1}, {kZItem, 2},
  };
  for (long double T : {647.295L, 647.3L}) {
    for (const auto& c : cases) {
      CorrelationSession s(6);
      s.quality = 50;
      EXPECT_EQ(s.Eval(c.item, c.phase, T, 22100).status, 2) << "item " << c.item << " phase " << c.phase;
      EXPECT_EQ(s.Text(c.item, c.phase, T, 22100), "Out of Range")
          << "item " << c.item << " phase " << c.phase;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
