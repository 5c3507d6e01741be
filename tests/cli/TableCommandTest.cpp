// tulo-calc table: its options, the exit status and message of every kind of bad input, the
// formats, items by name or code, and an output that cannot be written.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/RunCalc.h"

namespace tulo {
namespace {

using testing::RunCalc;

std::size_t CountLines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(TableCommand, BadInput) {
  struct Case {
    const char* args;
    const char* err;  // the whole of stderr
  };
  const Case cases[] = {
      {"table",
       "tulo-calc table: the kind of table is needed: saturation, isobar or isotherm (tulo-calc --help tells "
       "more)\n"},
      {"table isochore --from 1 --to 2 --step 1",
       "tulo-calc table: the kind must be saturation, isobar or isotherm: isochore\n"},
      {"table isobar --by pressure --from 300 --to 400 --step 10 --at 100",
       "tulo-calc table: an isobar varies the temperature: --by pressure does not fit it\n"},
      {"table saturation --by volume --from 300 --to 400 --step 10",
       "tulo-calc table: --by must be temperature or pressure: volume\n"},
      {"table saturation --from 300 --to 400 --step", "tulo-calc table: --step needs a value\n"},
      {"table saturation --from 300 --to 400 --step 10 --colour red",
       "tulo-calc table: unknown argument: --colour\n"},
      {"table saturation --from 300 --to 400 --step 10 --format xml",
       "tulo-calc table: --format must be text, csv, tsv or json: xml\n"},
      {"table saturation --from 300 --to 400 --step 10 --standard if67",
       "tulo-calc table: unknown standard: if67 (builtin, iapws or iapws95)\n"},
      {"table saturation --from 400 --to 300 --step 10", "tulo-calc table: From must not be above To.\n"},
      {"table saturation --from 300 --to 400 --step 0", "tulo-calc table: The Step must not be zero.\n"},
      {"table saturation --from 300 --to 400 --step -10",
       "tulo-calc table: The Step must be positive: the table runs from From up to To.\n"},
      {"table saturation --from 300 --to 700 --step 10",
       "tulo-calc table: For saturation the temperature must be less than 647.29 Kelvin\n"},
      {"table isobar --from 20 --to 1500 --step 10 --at 1 --units European",
       "tulo-calc table: Temperature must be between -107.15 and 1000 Celsius\n"},
      {"table isotherm --from 1 --to 200000 --rows 10 --at 300 --standard iapws",
       "tulo-calc table: Pressure must be between 1.93e-43 and 100000 kPa abs\n"},
      {"table isobar --from 300 --to 1000 --rows 1000001 --at 100",
       "tulo-calc table: A table has at most 1 000 000 rows.\n"},
      {"table isobar --from 300 --to 1000 --step 1e-6 --at 100",
       "tulo-calc table: The Step gives too many rows: a table has at most 1 000 000.\n"},
      {"table isobar --from 300 --to 1000 --step 1e-300 --at 100",
       "tulo-calc table: The Step gives too many rows: a table has at most 1 000 000.\n"},
      {"table isobar --from 300 --to 400 --step 10",
       "tulo-calc table: Please enter the pressure of the isobar (At).\n"},
      {"table isobar --from x --to 400 --step 10 --at 1", "tulo-calc table: From is not a number: x\n"},
      {"table isobar --from 300 --to 400 --step 10 --at 1 --items enthalpy,volume",
       "tulo-calc table: --items: not a property: volume (a name such as enthalpy, entropy, density, or a "
       "code 15 "
       "to 33 or 36 to 41)\n"},
      {"table isobar --from 300 --to 400 --step 10 --at 1 --items 3",
       "tulo-calc table: --items: not a property: 3 (a name such as enthalpy, entropy, density, or a code 15 "
       "to 33 "
       "or 36 to 41)\n"},
      {"table isobar --from 300 --to 400 --step 10 --at 1 --items speed_of_sound",
       "tulo-calc table: Speed of Sound is not given by the Built-in correlations.\n"},
  };
  for (const Case& c : cases) {
    const auto run = RunCalc(c.args);
    EXPECT_EQ(run.status, 2) << c.args;
    EXPECT_EQ(run.err, c.err) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
  }
}

TEST(TableCommand, SaturationTableInText) {
  const auto run = RunCalc("table saturation --from 0 --to 100 --step 20 --units European --items enthalpy");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(CountLines(run.out), 3u + 6u);
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
  // 100 Celsius, 1 atm, and the grid's 100.06 and 639.01 kcal/kg.
  EXPECT_NE(
      run.out.find(
          "\n           100          1.0000        100.06        639.01  Saturated Liquid and Vapour\n"),
      std::string::npos)
      << run.out;
}

TEST(TableCommand, ItemsByNameOrCode) {
  const auto byName = RunCalc(
      "table isotherm --from 100 --to 1000 --rows 4 --at 400 --items enthalpy,entropy,density --format csv");
  const auto byCode =
      RunCalc("table isotherm --from 100 --to 1000 --rows 4 --at 400 --items 15,16,18 --format csv");
  ASSERT_EQ(byName.status, 0) << byName.err;
  EXPECT_EQ(byName.out, byCode.out);
  EXPECT_EQ(byName.out.substr(0, byName.out.find('\n')),
            "Temperature (Kelvin),Pressure (kPa abs),Enthalpy (kJ/kg),Entropy (kJ/kg.K),Density / Volume "
            "(kg/m3),Condition");
  EXPECT_EQ(CountLines(byName.out), 5u);
}

TEST(TableCommand, JsonInTheIapwsStandard) {
  const auto run =
      RunCalc("table isobar --from 300 --to 2000 --step 50 --at 80000 --standard iapws --format json");
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json rows = nlohmann::json::parse(run.out);
  ASSERT_EQ(rows.size(), 35u);
  EXPECT_EQ(rows[0]["T"], 300);
  EXPECT_EQ(rows[0]["P"], 80000);
  EXPECT_TRUE(rows[0]["speed_of_sound"].is_number());
  EXPECT_EQ(rows[34]["enthalpy"], "Out of Range");  // above 1073.15 K at 80 MPa
  EXPECT_EQ(rows[34]["condition"], "Super Critical");
}

// Many blocks of rows, one after the other.
TEST(TableCommand, LargeTable) {
  const auto run =
      RunCalc("table isobar --from 300 --to 800 --rows 50000 --at 1000 --items enthalpy --format tsv");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(CountLines(run.out), 50001u);
  EXPECT_NE(run.out.find("\n800\t1000\t"), std::string::npos);
}

TEST(TableCommand, HelpAndFailedWrite) {
  const auto help = RunCalc("table --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("tulo-calc table saturation|isobar|isotherm"), std::string::npos);
  EXPECT_NE(help.out.find("--items LIST"), std::string::npos);
  const auto full = RunCalc("table isobar --from 300 --to 800 --rows 100000 --at 1000 >/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "tulo-calc: cannot write the output: No space left on device\n");
}

}  // namespace
}  // namespace tulo
