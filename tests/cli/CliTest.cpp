// tulo-calc for engineers: the same forms as the window, driven from the command line.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Version.h"
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
      {"-T 300 -P 0", 2, "Pressure must be between 3.41e-7 and 100000 kPa abs\n"},
      // The IAPWS limit, the sublimation pressure at 50 K, in kPa and in inch H2O.
      {"-T 300 -P 1e-44 --standard iapws", 2, "Pressure must be between 1.93e-43 and 100000 kPa abs\n"},
      {"-T 300 -P 1e-44 --units 1,4,1,1,1,1,1,1,1,1,1,1 --standard iapws", 2,
       "Pressure must be between 7.77e-43 and 401500 inch H2O abs\n"},
      {"-T 373.15 --wet --quality 150", 2, "Percentage Wet Steam can only be between 0% and 100%\n"},
      {"-T", 2, "tulo-calc: -T needs a value\n"},
      {"--layout html -T 300", 2, "tulo-calc: --layout must be spaces or tabs\n"},
  };
  for (const auto& c : cases) {
    auto run = RunCalc(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.err, c.err) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
  }
}

// Every refusal: its status, its message on stderr (of which `err` is a part), nothing on stdout.
TEST(TuloCalc, RefusalsExitTwoOrThreeWithTheMessageAlone) {
  struct Case {
    std::string args;
    int status;
    std::string err;
  };
  const std::string search = "search --property enthalpy ";
  const Case cases[] = {
      {search + "--value abc --given pressure --at 100", 2, "Invalid searching parameter.\n"},
      {search + "--value 2000 --given pressure --at 120000", 2,
       "Pressure must be between 3.41e-7 and 100000 kPa abs\n"},
      {search + "--value 2000 --given pressure --at 100001", 2,
       "Pressure must be between 3.41e-7 and 100000 kPa abs\n"},
      {search + "--given temperature --at 1300 --value 4600", 2,
       "Temperature must be between 166 and 1273.15 Kelvin\n"},
      {search + "--value 99999 --given pressure --at 101.325", 3,
       " Conditions are out of Allowable Range \n"},
      {"", 2, "tulo-calc: properties of water and steam\n"},
      {"--units SI", 2, "tulo-calc: no state given: -T, -P or both are needed\nusage: tulo-calc [-T VALUE]"},
      {"--wet", 2, "no state given"},
      {"--fixed", 2, "no state given"},
      {"-T 300 -P 100 --wet", 2, "Wet Steam Calculations are only possible for saturated steam.\n"},
      {"-T 300 -P 100 --quality 50", 2, "Wet Steam Calculations are only possible for saturated steam.\n"},
      {"-T 373.15 --quality -1", 2, "Percentage Wet Steam can only be between 0% and 100%\n"},
      {"-T 1e39", 2, "tulo-calc: number out of range: 1e39\n"},
      {"-P 1.6e38 --units European", 2, "tulo-calc: number out of range: 1.6e38 atm abs\n"},
      {"property 15 5 300 1e39", 2, "number out of range: 1e39\n"},
      {"-T " + std::string(45, '7') + "x", 2, "not a number: " + std::string(40, '7') + "...\n"},
      {"--bogus-" + std::string(50, 'y'), 2, "unknown argument: --bogus-" + std::string(32, 'y') + "...\n"},
      {"--units Metric -T 300", 2,
       "unknown units: Metric\n  valid: SI, Imperial, Customary, European, or twelve"},
      {"--units Metric -T 300", 2, "      U1  Pressure: 1 kPa abs,"},
      {"property 15 5 300 100 --units 1,25,1,1,1,1,1,1,1,1,1,1", 2, "23 MPa abs, 24 MPa gauge\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    auto run = RunCalc(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

// The window's other pairs: the state found shows the values it was given (the wet column of a
// wet state, the single column otherwise); options that are no pair, or a pair without a state,
// are refused with the message alone.
TEST(TuloCalc, OtherPairsOfTheWindow) {
  struct Case {
    const char* args;
    const char* condition;
    const char* row;  // a row of the output, tab-separated
  };
  const Case cases[] = {
      {"-P 1000 --enthalpy 2000 --wet", "Saturated Liquid and Vapour",
       "Enthalpy\tkJ/kg\t762.25\t2774.9\t2000.0\t"},
      {"--enthalpy 3000 -P 1000", "Superheated Vapour", "Enthalpy\tkJ/kg\t3000.0\t\t"},
      {"-P 1000 --entropy 7.0415", "Superheated Vapour", "Enthalpy\tkJ/kg\t3000.0\t\t"},
      {"--enthalpy 2000 --entropy 4.8708 --wet", "Saturated Liquid and Vapour",
       "Entropy\tkJ/kg.K\t2.1377\t6.5818\t4.8708\t"},
      {"-P 101.325 --quality 50", "Saturated Liquid and Vapour",
       "Density / Volume\tkg/m3\t958.37\t0.5979\t1.1951\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    auto run = RunCalc(std::string(c.args) + " --layout tabs");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Line(run.out, 3), std::string("Condition=\t") + c.condition);
    EXPECT_NE(run.out.find(std::string("\n") + c.row + "\n"), std::string::npos) << run.out;
  }
  const std::pair<const char*, const char*> refused[] = {
      {"-P 1000 --enthalpy 99999", "no state with P = 1000 kPa and h = 99999 kJ/kg"},
      {"--enthalpy 2000 --quality 50", "tulo-calc: these options give no state"},
      {"-T 300 -P 100 --entropy 1", "tulo-calc: these options give no state"},
      {"--entropy 7", "tulo-calc: these options give no state"},
      {"-P 100 --quality 101", "Percentage Wet Steam can only be between 0% and 100%\n"},
  };
  for (const auto& [args, err] : refused) {
    auto run = RunCalc(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.err.rfind(err, 0), 0u) << args << ": " << run.err;
    EXPECT_EQ(run.out, "") << args;
  }
}

TEST(TuloCalc, QualityImpliesWetAndMegapascalUnitsAreAccepted) {
  auto wet = RunCalc("-T 373.15 --quality 50");
  EXPECT_EQ(wet.status, 0) << wet.err;
  EXPECT_NE(wet.out.find("\nProperty                      Units        Liquid       Vapour       Wet St'm\n"),
            std::string::npos);
  auto mpa = RunCalc("-T 100 -P 0.101325 --units 2,23,1,1,1,1,1,1,1,1,1,1");
  EXPECT_EQ(mpa.status, 0) << mpa.err;
  EXPECT_EQ(Line(mpa.out, 2), "Pressure=                     0.101 MPa abs");
  // The saturation pressure at 373.15 K, 101.3256 kPa, in MPa abs and in MPa gauge.
  EXPECT_EQ(RunCalc("property 20 10 373.15 0 --units 1,23,1,1,1,1,1,1,1,1,1,1").out,
            "0\t101.325634152396\t0.1013\n");
  EXPECT_EQ(RunCalc("property 20 10 373.15 0 --units 1,24,1,1,1,1,1,1,1,1,1,1").out,
            "0\t101.325634152396\t6.342e-7\n");
}

// The blank layout keeps a blank between columns where a cell fills its column.
TEST(TuloCalc, FixedGridColumnsNeverRunTogether) {
  auto run = RunCalc("-T 373.15 --fixed");
  EXPECT_NE(run.out.find("\nStandard Enthalpy of Formation kJ/kg        -13420.0\n"), std::string::npos);
  EXPECT_EQ(run.out.find("FormationkJ"), std::string::npos);
}

TEST(TuloCalc, HelpOnEveryFormVersionAndUnitTable) {
  for (const char* args :
       {"--help", "search --help", "property --help", "-T 300 --help", "--create-config --help"}) {
    SCOPED_TRACE(args);
    auto run = RunCalc(args);
    EXPECT_EQ(run.status, 0);
    for (const char* text : {"-T VALUE",
                             "-P VALUE",
                             "--units U",
                             "--quality PCT",
                             "implies --wet",
                             "--wet",
                             "--fixed",
                             "--layout L",
                             "spaces",
                             "tabs",
                             "--property P",
                             "enthalpy, entropy or density",
                             "--value V",
                             "--given Q",
                             "temperature or pressure",
                             "--at V",
                             "property ITEM PHASE T_K P_KPA",
                             "--create-config PATH",
                             "--list-units",
                             "--version",
                             "U0  Temperature: 1 Kelvin, 2 Celsius, 3 Fahrenheit, 4 Rankine\n",
                             "23 MPa abs, 24 MPa gauge\n",
                             "U11 Compressibility: 1 m3/m3.kPa"})
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
  auto version = RunCalc("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tulo-calc ") + kVersion + "\n");
  auto units = RunCalc("--list-units");
  EXPECT_EQ(units.status, 0);
  EXPECT_EQ(Line(units.out, 0), "Quantity                  No.  Unit");
  EXPECT_EQ(Line(units.out, 1), "U0  Temperature             1  Kelvin");
  EXPECT_NE(units.out.find("\nU1  Pressure                1  kPa abs\n"), std::string::npos);
  EXPECT_NE(units.out.find("\n                           24  MPa gauge\nU2  Density"), std::string::npos);
}

// A result that does not reach its reader is a failure, told on stderr.
TEST(TuloCalc, LostOutputExitsOne) {
  for (const char* args : {"-T 300 >/dev/full", "--help >/dev/full", "property 15 5 300 100 >/dev/full"}) {
    auto run = RunCalc(args);
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.err, "tulo-calc: cannot write the output: No space left on device\n") << args;
  }
  auto piped = testing::RunIntoClosedPipe("-T 300 --fixed");
  EXPECT_EQ(piped.status, 1);
  EXPECT_EQ(piped.err, "tulo-calc: cannot write the output: Broken pipe\n");
}

TEST(TuloCalc, HelpDescribesEveryCommand) {
  auto run = RunCalc("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* text : {"property ITEM PHASE", "--create-config", "search --property", "--wet", "--fixed",
                           "--layout", "--quality", "process turbine|pump", "process mix", "cycle rankine"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

TEST(TuloCalc, SearchFailureGoesToStderr) {  // exit 3: nothing found
  auto run = RunCalc("search --property enthalpy --value 99999 --given pressure --at 101.325");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, " Conditions are out of Allowable Range \n");
  EXPECT_EQ(run.out, "");
}

// One quantity alone is saturated water given by that quantity, in both standards, as the state
// command shows it.
TEST(TuloCalc, CompareGivesTheSaturatedStateOfOneQuantity) {
  struct Case {
    const char* args;
    const char* typed;  // the first line
  };
  const Case cases[] = {{"-P 101.325", "Pressure=\t101.325 kPa abs"}, {"-T 373.15", "Temperature=\t373.15 Kelvin"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    auto run = RunCalc(std::string("compare --layout tabs ") + c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Line(run.out, 0), c.typed);
    EXPECT_EQ(Line(run.out, 1), "Condition (built-in)=\tSaturated Liquid and Vapour");
    EXPECT_EQ(Line(run.out, 2), "Condition (IAPWS-IF97)=\tSaturated Liquid and Vapour");
  }
}

// --standards: the values side by side, each standard's difference from the last one named.
TEST(TuloCalc, CompareSetsEveryStandardAgainstTheLast) {
  auto run = RunCalc("compare -T 500 -P 1000 --layout tabs --standards builtin,iapws,iapws95");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Line(run.out, 4), "Condition (IAPWS-95)=\tSuperheated Vapour");
  EXPECT_EQ(Line(run.out, 6), "Property\tPhase\tUnit\tBuilt-in\tIAPWS-IF97\tIAPWS-95\tBuilt-in diff\t%\tIAPWS-IF97 diff\t%");
  std::vector<double> cells;  // the enthalpy row's numbers
  std::istringstream row(Line(run.out, 7));
  for (std::string cell; std::getline(row, cell, '\t');)
    if (!cell.empty() && (std::isdigit(static_cast<unsigned char>(cell[0])) || cell[0] == '-'))
      cells.push_back(std::stod(cell));
  ASSERT_EQ(cells.size(), 7u) << Line(run.out, 7);
  const double builtIn = cells[0], if97 = cells[1], iapws95 = cells[2];
  EXPECT_NEAR(cells[3], builtIn - iapws95, 0.005);  // the built-in value is shown to six digits
  EXPECT_NEAR(cells[5], if97 - iapws95, 1e-3 * std::fabs(if97 - iapws95) + 1e-6);
  // A standard that does not take the state (IAPWS-95 ends at 1273 K) says so and has no values.
  auto beyond = RunCalc("compare -T 1300 -P 1000 --layout tabs --standards iapws,iapws95");
  ASSERT_EQ(beyond.status, 0) << beyond.err;
  EXPECT_EQ(Line(beyond.out, 3), "Condition (IAPWS-95)=\tOut of Range");
  EXPECT_EQ(Line(beyond.out, 6).substr(0, 28), "Enthalpy\t\tkJ/kg\t4706.81104\t-");
  for (const char* bad : {"builtin,builtin", "iapws", "iapws,if67"}) {
    auto refused = RunCalc(std::string("compare -T 500 --standards ") + bad);
    EXPECT_EQ(refused.status, 2) << bad;
    EXPECT_NE(refused.err.find("--standards takes two or more different names of builtin, iapws, iapws95"),
              std::string::npos)
        << refused.err;
  }
}

}  // namespace
}  // namespace tulo
