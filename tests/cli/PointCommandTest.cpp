// tulo-calc point: a state given by any pair, as one JSON object on one line.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/RunCalc.h"

namespace tulo {
namespace {

using nlohmann::json;
using testing::RunCalc;

// The object printed by a successful run (null when the run failed or printed something else).
json Point(const std::string& args) {
  const testing::CalcRun run = RunCalc("point " + args);
  EXPECT_EQ(run.status, 0) << args << ": " << run.err;
  EXPECT_EQ(run.err, "") << args;
  if (run.out.empty() || run.out.back() != '\n' || run.out.find('\n') != run.out.size() - 1) {
    ADD_FAILURE() << args << ": not one line: " << run.out;
    return nullptr;
  }
  return json::parse(run.out, nullptr, false);
}

// NAME=VALUE with the value as the object holds it, every digit.
std::string Arg(const json& state, const std::string& name) {
  return name + "=" + state.at(name).dump();
}

void ExpectNear(const json& got, const json& want, const char* key, double tolerance) {
  ASSERT_TRUE(got.at(key).is_number()) << key << " " << got.dump();
  const double a = got.at(key).get<double>(), b = want.at(key).get<double>();
  EXPECT_LE(std::abs(a - b), tolerance * std::abs(b)) << key << ": " << a << " against " << b;
}

// A state found by each pair reproduces the state T-P (single phase) or T-x (wet steam) gave:
// the same condition, T and P, and for wet steam the same quality.
TEST(PointCommand, EveryPairGivesBackTheForwardState) {
  struct Standard {
    const char* key;
    double tolerance;  // relative: a double's solution in iapws, a Real6's in builtin
  };
  struct Forward {
    const char* given;
    std::vector<std::vector<std::string>> pairs;
  };
  const Forward forwards[] = {
      {"T=600 P=1000", {{"P", "h"}, {"P", "s"}, {"h", "s"}, {"T", "h"}, {"T", "s"}}},
      {"P=20000 T=500", {{"h", "P"}, {"s", "P"}, {"s", "h"}}},
      {"T=400 x=50", {{"P", "x"}, {"P", "h"}, {"P", "s"}, {"h", "s"}, {"T", "h"}, {"s", "T"}}},
  };
  for (const Standard standard : {Standard{"builtin", 1e-6}, Standard{"iapws", 1e-9}}) {
    for (const Forward& forward : forwards) {
      const std::string option = std::string(" --standard ") + standard.key;
      const json want = Point(forward.given + option);
      ASSERT_TRUE(want.is_object()) << forward.given;
      EXPECT_EQ(want.at("standard"), standard.key);
      for (const auto& pair : forward.pairs) {
        const std::string args = Arg(want, pair[0]) + " " + Arg(want, pair[1]) + option;
        SCOPED_TRACE(args);
        const json got = Point(args);
        ASSERT_TRUE(got.is_object());
        EXPECT_EQ(got.at("condition"), want.at("condition"));
        for (const char* key : {"T", "P", "h", "s", "rho"}) ExpectNear(got, want, key, standard.tolerance);
        if (want.at("x").is_null())
          EXPECT_TRUE(got.at("x").is_null());
        else
          EXPECT_NEAR(got.at("x").get<double>(), want.at("x").get<double>(), 100 * standard.tolerance);
      }
    }
  }
}

TEST(PointCommand, KeysInOrderWithTheItemsAsBatchNamesThem) {
  const json state = Point("T=373.15 x=25 --items mu,cp,15 --standard iapws");
  ASSERT_TRUE(state.is_object());
  // nlohmann's json sorts keys: the order is checked on the text.
  const std::string text = RunCalc("point T=373.15 x=25 --items mu,cp,15 --standard iapws").out;
  std::size_t at = 0;
  for (const char* key :
       {"standard", "condition", "T", "P", "x", "h", "s", "rho", "viscosity", "heat_capacity", "enthalpy"}) {
    const std::size_t found = text.find(std::string("\"") + key + "\":", at);
    EXPECT_NE(found, std::string::npos) << key << " in order in " << text;
    at = found == std::string::npos ? at : found;
  }
  EXPECT_EQ(state.size(), 11u);
  EXPECT_EQ(state.at("condition"), "Saturated Liquid and Vapour");
  EXPECT_EQ(state.at("x").get<double>(), 25.0);
  // Wet steam's values mix the saturated ones at the quality.
  EXPECT_EQ(state.at("enthalpy"), state.at("h"));
  const json liquid = Point("T=373.15 x=0 --standard iapws"),
             vapour = Point("T=373.15 x=100 --standard iapws");
  EXPECT_NEAR(state.at("h").get<double>(),
              0.75 * liquid.at("h").get<double>() + 0.25 * vapour.at("h").get<double>(), 1e-9);
}

TEST(PointCommand, ValuesInTheUnitsChosen) {
  // 300 Celsius and 10 bar (abs, and as 8.98675 bar gauge) are 573.15 K and 1000 kPa.
  const json si = Point("T=573.15 P=1000 --standard iapws");
  const json bar = Point("T=300 P=10 --units 2,3,1,1,1,1,1,1,1,1,1,1 --standard iapws");
  const json gauge = Point("T=300 P=8.98675 --units 2,14,1,1,1,1,1,1,1,1,1,1 --standard iapws");
  ASSERT_TRUE(si.is_object() && bar.is_object() && gauge.is_object());
  EXPECT_EQ(bar.at("T"), 300);
  EXPECT_EQ(bar.at("P"), 10);
  EXPECT_EQ(gauge.at("P"), 8.98675);
  for (const json* other : {&bar, &gauge}) ExpectNear(*other, si, "h", 1e-12);
  // Imperial: 572 Fahrenheit and 145.04 PSI abs are 573.15 K and 1000 kPa to the five digits of the
  // unit table's factors; h in Btu/lb and rho in lb/ft3 as the SI state shows them in those units.
  // The state is found back from P and h there.
  const json imperial = Point("T=572 P=145.04 --units Imperial --standard iapws");
  const json siState = Point("T=573.15 P=1000 --units 1,1,4,2,1,1,1,1,1,1,1,1 --standard iapws");
  ASSERT_TRUE(imperial.is_object() && siState.is_object());
  for (const char* key : {"h", "rho"}) ExpectNear(imperial, siState, key, 1e-6);
  const json back =
      Point(Arg(imperial, "P") + " " + Arg(imperial, "h") + " --units Imperial --standard iapws");
  ASSERT_TRUE(back.is_object());
  ExpectNear(back, imperial, "T", 1e-9);
  // In the built-in standard a T typed in Celsius is echoed as typed, not as Kelvin and back.
  EXPECT_NE(RunCalc("point T=300 P=10 --units 2,3,1,1,1,1,1,1,1,1,1,1").out.find(",\"T\":300,\"P\":10,"),
            std::string::npos);
}

TEST(PointCommand, RefusalsExitTwoOrThreeWithNothingOnStdout) {
  struct Case {
    std::string args;
    int status;
    std::string err;  // a part of the message
  };
  const Case cases[] = {
      {"T=300", 2, "two of T=VALUE, P=VALUE, h=VALUE, s=VALUE, x=VALUE are needed, not 1\nusage: "},
      {"T=300 P=100 s=7", 2, "are needed, not 3"},
      {"T=300 T=400", 2, "T given twice"},
      {"h=2000 x=50", 2, "h and x: this pair is not supported"},
      {"x=50 h=2000", 2, "x and h: this pair is not supported"},
      {"t=300 P=100", 2, "unknown argument: t=300 (NAME=VALUE"},
      {"300 P=100", 2, "unknown argument: 300 "},
      {"T=abc P=100", 2, "not a number: abc\n"},
      {"T=1,5 P=100", 2, "not a number: 1,5\n"},
      {"T= P=100", 2, "not a number: \n"},
      {"T=1e39 P=100", 2, "number out of range: 1e39\n"},
      {"T=300 P=100 --units Metric", 2, "unknown units: Metric\n"},
      {"T=300 P=100 --standard if97", 2, "unknown standard: if97 (builtin, iapws or iapws95)\n"},
      {"T=300 P=100 --items viscosity,bogus", 2, "unknown item: bogus"},
      {"T=300 P=100 --items speed_of_sound", 2, "the builtin standard does not give speed_of_sound"},
      {"T=300 P=100 --items", 2, "--items needs a value"},
      {"T=300 P=100 --quality 5", 2, "unknown argument: --quality"},
      {"T=300 P=100 --units SI --units SI", 2, "option --units given twice"},
      {"T=2000 P=100", 3, ""},
      {"P=100 h=1e6", 3, ""},
      {"h=100000 s=0.1 --standard iapws", 3, ""},
      {"T=600 h=1e4 --standard iapws", 3, "no state with T = 600 K and h = 10000 kJ/kg"},
      {"T=400 x=101", 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const testing::CalcRun run = RunCalc("point " + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_GT(run.err.size(), 1u);  // a message, also where its words are the evaluator's
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace tulo
