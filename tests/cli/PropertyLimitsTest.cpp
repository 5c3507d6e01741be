// tulo-calc property and compare at the limits: inputs beyond a standard's limits have no value,
// the closed ends of the IAPWS ranges hold, and compare takes per cent of absolute quantities.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/RunCalc.h"

namespace tulo::cli {
namespace {

using testing::RunCalc;

TEST(PropertyCommand, InputsBeyondTheLimitsAreOutOfRange) {
  const struct {
    const char* args;
    const char* status;
  } cases[] = {
      {"property 18 10 300 1e6", "2"},  // the density would turn negative at 636 MPa
      {"property 18 5 300 1e6", "2"},
      {"property 18 5 300 100000", "0"},
      {"property 15 10 300 0", "2"},
      {"property 15 10 300 3e-7", "2"},
      {"property 18 10 10 100", "2"},
      // A named phase answers in its correlation's range: the built-in vapour to 1274 K, the
      // limit included, beyond the window's 1273.15 K.
      {"property 28 8 1274 100000", "0"},
      {"property 28 8 1274.5 100000", "2"},
      {"property 15 10 1274 100000", "2"},
      {"property 18 3 10 100 --standard iapws", "2"},  // below the sublimation curve's 50 K
      {"property 15 10 300 1e6 --standard iapws", "2"},
      // A saturated phase rests on the temperature; the saturation pressure on it alone.
      {"property 18 1 373.15 0", "0"},
      {"property 20 10 373.15 0", "0"},
      {"property 20 10 1300 0", "2"},
      {"property 33 10 0 101.325", "0"},
      // The steam quality of wet steam lies in 0..100.
      {"property 15 9 373.15 0 --quality 100", "0"},
      {"property 15 9 373.15 0 --quality 100.5", "2"},
      {"property 15 9 373.15 0 --quality -1", "2"},
      {"property 15 5 300 1000 --quality 150", "0"},  // a liquid has no quality
      // The closed ends of the IAPWS releases.
      {"property 21 7 1173.15 1000 --standard iapws", "0"},
      {"property 21 7 1173.16 1000 --standard iapws", "2"},
      {"property 15 7 1073.15 80000 --standard iapws", "0"},
      {"property 15 7 1073.16 80000 --standard iapws", "2"},
      {"property 15 2 273.15 0 --standard iapws", "0"},
      {"property 15 2 273.14 0 --standard iapws", "2"},
      {"property 15 3 273.16 0.611657 --standard iapws", "0"},
      {"property 29 7 873.15 1000 --standard iapws", "0"},
      {"property 30 7 773.15 1000 --standard iapws", "0"},
      {"property 30 7 773.16 1000 --standard iapws", "2"},
  };
  for (const auto& c : cases) {
    const auto run = RunCalc(c.args);
    ASSERT_EQ(run.status, 0) << c.args << ": " << run.err;
    const std::string status = run.out.substr(0, run.out.find('\t'));
    EXPECT_EQ(status, c.status) << c.args << ": " << run.out;
    if (status == "2") {
      EXPECT_EQ(run.out, "2\t\tOut of Range\n") << c.args;
    }
  }
}

// The window's path: a limit typed in Celsius lands a rounding step beyond the kelvin value.
TEST(PropertyCommand, LimitsTypedInCelsiusLandInside) {
  const struct {
    const char* args;
    const char* row;
    bool inside;
  } cases[] = {
      {"-T 900 -P 1000 --units 2,1,1,1,1,1,1,1,1,1,1,1", "Viscosity ", true},
      {"-T 900 -P 1000 --units 2,1,1,1,1,1,1,1,1,1,1,1", "Thermal Conductivity ", true},
      {"-T 900.01 -P 1000 --units 2,1,1,1,1,1,1,1,1,1,1,1", "Viscosity ", false},
      {"-T 800 -P 80 --units 2,23,1,1,1,1,1,1,1,1,1,1", "Enthalpy ", true},
      {"-T 800.01 -P 80 --units 2,23,1,1,1,1,1,1,1,1,1,1", "Enthalpy ", false},
      {"-T 1173.15 -P 1000", "Viscosity ", true},
      {"-T 273.15 -P 0.5", "Enthalpy ", true},
  };
  for (const auto& c : cases) {
    const auto run = RunCalc(std::string(c.args) + " --standard iapws");
    ASSERT_EQ(run.status, 0) << c.args << ": " << run.err;
    const std::size_t at = run.out.find(std::string("\n") + c.row);
    ASSERT_NE(at, std::string::npos) << c.args << "\n" << run.out;
    const std::string line = run.out.substr(at + 1, run.out.find('\n', at + 1) - at - 1);
    EXPECT_EQ(line.find("Out of Range") == std::string::npos, c.inside) << c.args << ": " << line;
  }
}

// The last cell of a compare row: the difference in per cent.
std::string PercentOf(const std::string& out, const std::string& row) {
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(row, 0) == 0) return line.substr(line.find_last_of('\t') + 1);
  return "no row " + row;
}

TEST(CompareCommand, PerCentOfTemperaturesAndPressuresIsOfAbsoluteValues) {
  // The same states in Celsius and kelvin, in gauge and absolute pressure.
  const struct {
    const char* shown;
    const char* absolute;
  } pairs[] = {
      {"-T 250 -P 20 --units 2,23,1,1,1,1,1,1,1,1,1,1", "-T 523.15 -P 20 --units 1,23,1,1,1,1,1,1,1,1,1,1"},
      {"-T 250 -P 20 --units 2,24,1,1,1,1,1,1,1,1,1,1",
       "-T 523.15 -P 20.101325 --units 1,23,1,1,1,1,1,1,1,1,1,1"},
  };
  for (const auto& c : pairs) {
    const auto shown = RunCalc(std::string("compare --layout tabs ") + c.shown);
    const auto absolute = RunCalc(std::string("compare --layout tabs ") + c.absolute);
    ASSERT_EQ(shown.status, 0) << shown.err;
    ASSERT_EQ(absolute.status, 0) << absolute.err;
    for (const char* row :
         {"Melting Point (@ pressure)", "Boiling Point (@ pressure)", "Saturation Pressure"})
      EXPECT_EQ(PercentOf(shown.out, row), PercentOf(absolute.out, row)) << c.shown << ": " << row;
  }
}

}  // namespace
}  // namespace tulo::cli
