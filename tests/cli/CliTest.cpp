// tulo-calc for engineers: the same forms as the window, driven from the command line.

#include <gtest/gtest.h>
#include <unistd.h>

#include "cli/RunCalc.h"

namespace tulo {
namespace {

using testing::RunCalc;

std::string Line(const std::string& text, int n) {
  std::size_t pos = 0;
  for (int i = 0; i < n; ++i) pos = text.find('\n', pos) + 1;
  return text.substr(pos, text.find('\n', pos) - pos);
}

TEST(TuloCalc, SaturatedStateInEuropeanUnits) {
  auto run = RunCalc("-T 100 --units European");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 0), "Tulo Calculation Results");
  EXPECT_EQ(Line(run.out, 1), "Temperature=                  100.000 Celsius");
  EXPECT_EQ(Line(run.out, 2), "Pressure=                     1.000 atm abs");
  EXPECT_EQ(Line(run.out, 3), "Condition=                    Saturated Liquid and Vapour");
  EXPECT_EQ(Line(run.out, 4), "");
  EXPECT_EQ(Line(run.out, 5), "Property                      Units        Liquid       Vapour");
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
  EXPECT_EQ(run.err, "");
}

TEST(TuloCalc, TabLayoutWetAndFixedGrids) {
  auto run = RunCalc("-T 373.15 --layout tabs --wet --quality 50 --fixed");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 1), "Temperature=\t373.150 Kelvin");
  EXPECT_NE(run.out.find("\nProperty\tUnits\tLiquid\tVapour\tWet St'm\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nProperty\tUnits\tValue\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nCritical Temperature\tKelvin\t647.29\t\n"), std::string::npos);
}

TEST(TuloCalc, NegativeValuesAreOptionValues) {
  auto run = RunCalc("-T -20.5 -P 101.325 --units European");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 1), "Temperature=                  -20.500 Celsius");
  EXPECT_EQ(Line(run.out, 3), "Condition=                    Sub-cooled Solid");
}

TEST(TuloCalc, Errors) {
  struct Case {
    const char* args;
    int status;
    const char* err;
  };
  const Case cases[] = {
      {"-T abc", 2, "tulo-calc: not a number: abc\n"},
      {"-T 2000 -P 100", 2, "Temperature must be between 166 and 1273.15 Kelvin\n"},
      {"-P 30000", 2, "For saturation the pressure must be less than 22090 kPa abs\n"},
      {"--units Metric -T 300", 2, "tulo-calc: unknown units: Metric\n"},
      {"-T 373.15 --wet --quality 150", 2, "Percentage Wet Steam can only be between 0% and 100%\n"},
      {"-T", 2, "tulo-calc: -T needs a value\n"},
      {"--layout html -T 300", 2, "tulo-calc: --layout must be spaces or tabs\n"},
  };
  for (const auto& c : cases) {
    auto run = RunCalc(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.err, c.err) << c.args;
  }
}

TEST(TuloCalc, HelpDescribesEveryCommand) {
  auto run = RunCalc("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* text : {"property ITEM PHASE", "--create-config", "search --property", "--wet", "--fixed",
                           "--layout", "--quality"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

TEST(TuloCalc, SearchFailureGoesToStderr) {
  auto run = RunCalc("search --property enthalpy --value 99999 --given pressure --at 101.325");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, " Conditions are out of Allowable Range \n");
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace tulo
