// tulo-calc process and cycle: the refusals of bad input with their messages, the JSON of a
// turbine and a cycle read back, the text, and the chart's hook.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>

#include "cli/Commands.h"
#include "cli/RunCalc.h"

namespace tulo {
namespace {

using nlohmann::json;
using testing::RunCalc;

json JsonOf(const std::string& args) {
  const testing::CalcRun run = RunCalc(args + " --format json");
  EXPECT_EQ(run.status, 0) << args << ": " << run.err;
  EXPECT_EQ(run.err, "") << args;
  return json::parse(run.out, nullptr, false);
}

std::string Pair(const json& state, const char* a, const char* b) {
  return std::string(a) + "=" + state.at(a).dump() + "," + b + "=" + state.at(b).dump();
}

TEST(ProcessCommand, BadInputExitsTwoWithItsMessage) {
  struct Case {
    const char* args;
    const char* err;  // the whole first line of stderr after "tulo-calc "
  };
  const Case cases[] = {
      {"process",
       "process: no operation (turbine, pump, throttle, calorimeter, mix, desuperheat, flash or heat)"},
      {"process compressor",
       "process: unknown operation: compressor (turbine, pump, throttle, calorimeter, mix, "
       "desuperheat, flash or heat)"},
      {"process turbine --outlet-pressure 10 --efficiency 85", "process: missing --inlet"},
      {"process turbine --inlet T=773.15,P=10000 --efficiency 85",
       "process: missing --outlet or --outlet-pressure"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --outlet P=10,x=90",
       "process: --outlet and --outlet-pressure together: give one of them"},
      {"process turbine --inlet T=773.15,P=10000 --outlet P=10,x=90 --efficiency 80",
       "process: --outlet and --efficiency together: give one of them"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --efficiency 80",
       "process: option --efficiency given twice"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --pressure 5",
       "process: unknown argument: --pressure"},
      {"process turbine --inlet T=773.15 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: a state is two of T, P, h, s, x (NAME=VALUE,NAME=VALUE), not 1"},
      {"process turbine --inlet T=773.15,P=10000,h=3000 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: a state is two of T, P, h, s, x (NAME=VALUE,NAME=VALUE), not 3"},
      {"process turbine --inlet T=773.15,p=10000 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: p=10000 is not NAME=VALUE with NAME one of T, P, h, s, x"},
      {"process turbine --inlet T=773.15,T=800 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: T given twice"},
      {"process turbine --inlet h=3000,x=50 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: h and x: this pair is not supported (T, P, h, s and x two by two, but not h and "
       "x)"},
      {"process turbine --inlet T=nan,P=10000 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: not a number: nan"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure inf --efficiency 85",
       "process: --outlet-pressure: not a number: inf"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --flow 0",
       "process: --flow: the flow must be above zero, not 0"},
      {"process turbine --inlet T=773.15,P=10000,flow=2 --outlet-pressure 10 --efficiency 85",
       "process: --inlet: no flow= here (a stream's flow: --stream, --steam, flash --inlet)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --flow-unit kg/min",
       "process: unknown flow unit: kg/min (kg/s, kg/h, t/h or lb/h)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --power-unit GW",
       "process: unknown power unit: GW (kW or MW)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --format csv",
       "process: unknown format: csv (text or json)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --standard if97",
       "process: unknown standard: if97 (builtin, iapws or iapws95)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --diagram pt --output "
       "a.svg",
       "process: unknown diagram: pt (ts, hs or ph)"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --diagram ts",
       "process: --diagram needs --output FILE.svg or FILE.png"},
      {"process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --output a.svg",
       "process: --output goes with --diagram ts|hs|ph"},
      {"process throttle --inlet T=773.15,P=10000", "process: missing --outlet-pressure"},
      {"process mix --stream T=400,P=500,flow=1 --stream T=500,P=500 --pressure 500",
       "process: --stream: a stream needs its flow: NAME=VALUE,NAME=VALUE,flow=V"},
      {"process mix --stream T=400,P=500,flow=1 --stream T=500,P=500,flow=0 --pressure 500",
       "process: --stream: the flow must be above zero, not 0"},
      {"process mix --stream T=400,P=500,flow=1,flow=2 --pressure 500",
       "process: --stream: flow given twice"},
      {"process mix --pressure 500 --stream", "process: --stream needs a value"},
      {"process desuperheat --steam T=700,P=4000,flow=10 --water T=400,P=6000",
       "process: missing --target-temperature or --target-enthalpy"},
      {"process desuperheat --steam T=700,P=4000,flow=10 --water T=400,P=6000 --target-temperature 600 "
       "--target-enthalpy 3000",
       "process: --target-temperature and --target-enthalpy together: give one of them"},
      {"process desuperheat --water T=400,P=6000 --target-temperature 600", "process: missing --steam"},
      {"process flash --inlet T=450,P=2000 --pressure 200",
       "process: --inlet: a stream needs its flow: NAME=VALUE,NAME=VALUE,flow=V"},
      {"process heat --inlet T=300,P=1000 --outlet-pressure 1000",
       "process: --outlet-pressure and --heat go together: "
       "give both or neither"},
      {"process heat --inlet T=300,P=1000 --outlet T=400,P=1000 --heat 100",
       "process: --outlet and --heat together: give one of them"},
      {"cycle", "cycle: no cycle (rankine)"},
      {"cycle brayton", "cycle: unknown cycle: brayton (rankine)"},
      {"cycle rankine --boiler-pressure 10000 --condenser-pressure 10 --turbine-efficiency 85",
       "cycle: missing --turbine-inlet-temperature or --saturated-vapour"},
      {"cycle rankine --boiler-pressure 10000 --saturated-vapour --turbine-inlet-temperature 800 "
       "--condenser-pressure 10 --turbine-efficiency 85",
       "cycle: --turbine-inlet-temperature and --saturated-vapour together: give one of them"},
      {"cycle rankine --saturated-vapour --condenser-pressure 10 --turbine-efficiency 85",
       "cycle: missing --boiler-pressure"},
      {"cycle rankine --boiler-pressure 10000 --saturated-vapour --condenser-pressure 10 "
       "--turbine-efficiency 85 "
       "--reheat-pressure 2000",
       "cycle: --reheat-pressure and --reheat-temperature go together: give both or neither"},
      {"cycle rankine --boiler-pressure 10000 --saturated-vapour --condenser-pressure 10 "
       "--turbine-efficiency 85 "
       "--net-power 0",
       "cycle: --net-power: the power must be above zero, not 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const testing::CalcRun run = RunCalc(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, std::string("tulo-calc ") + c.err + "\n");
    EXPECT_EQ(run.out, "");
  }
}

// An operation's own error (a state out of range, an efficiency beyond 100 %) is refused as bad
// input is, with the operation's message.
TEST(ProcessCommand, OperationErrorsExitTwoWithTheirMessage) {
  const char* const cases[] = {
      "process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 150",
      "process turbine --inlet T=5000,P=10000 --outlet-pressure 10 --efficiency 85",
      "process pump --inlet T=300,P=100 --outlet-pressure 10 --efficiency 80",
      "process flash --inlet T=300,P=1000,flow=1 --pressure 100",
      "process mix --stream T=400,P=500,flow=1 --pressure 500",
      "cycle rankine --boiler-pressure 10 --saturated-vapour --condenser-pressure 1000 --turbine-efficiency "
      "85",
  };
  for (const char* args : cases) {
    SCOPED_TRACE(args);
    const testing::CalcRun run = RunCalc(args);
    EXPECT_EQ(run.status, 2);
    const std::string prefix = std::string("tulo-calc ") + (args[0] == 'p' ? "process: " : "cycle: ");
    EXPECT_EQ(run.err.substr(0, prefix.size()), prefix) << run.err;
    EXPECT_GT(run.err.size(), prefix.size() + 10) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

// The JSON of a turbine, read back: its inlet and outlet states, given as measured, give back its
// efficiency and its work, in SI and in Imperial units (every digit, so to 1e-7).
TEST(ProcessCommand, TurbineJsonReadsBackAsItsEfficiency) {
  struct Case {
    const char* units;
    const char* inlet;
    const char* outletPressure;
    double kJPerUnit;  // of work
    const char* workUnit;
  };
  const Case cases[] = {{"SI", "T=773.15,P=10000", "10", 1.0, "kJ/kg"},
                        {"Imperial", "T=932,P=1450", "1.5", 1.0 / 0.43011, "Btu/lb"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    const std::string common = std::string(" --flow 10 --standard iapws --units ") + c.units;
    const json forward = JsonOf(std::string("process turbine --inlet ") + c.inlet + " --outlet-pressure " +
                                c.outletPressure + " --efficiency 85" + common);
    ASSERT_TRUE(forward.is_object());
    EXPECT_EQ(forward.at("standard"), "iapws");
    EXPECT_TRUE(forward.at("inlet").at("x").is_null());
    EXPECT_TRUE(forward.at("outlet").at("x").is_number());  // wet
    EXPECT_TRUE(forward.at("outlet_isentropic").at("x").is_number());
    EXPECT_EQ(forward.at("units").at("work"), c.workUnit);
    EXPECT_EQ(forward.at("units").at("power"), "kW");
    const double work = forward.at("work").get<double>();
    EXPECT_NEAR(forward.at("power").get<double>(), work * c.kJPerUnit * 10.0,
                1e-9 * work * c.kJPerUnit * 10.0);
    const json inverse = JsonOf("process turbine --inlet " + Pair(forward.at("inlet"), "P", "h") +
                                " --outlet " + Pair(forward.at("outlet"), "P", "h") + common);
    ASSERT_TRUE(inverse.is_object());
    EXPECT_NEAR(inverse.at("efficiency").get<double>(), 85.0, 1e-7);
    EXPECT_NEAR(inverse.at("work").get<double>(), work, 1e-9 * work);
    EXPECT_NEAR(inverse.at("outlet").at("T").get<double>(), forward.at("outlet").at("T").get<double>(), 1e-9);
  }
}

// The JSON of a cycle: its states as a list in the order the water goes round, its figures in the
// units asked (the steam flow in t/h for a net power in MW).
TEST(ProcessCommand, CycleJsonListsItsStatesAndFigures) {
  const json cycle = JsonOf(
      "cycle rankine --boiler-pressure 100 --turbine-inlet-temperature 500 --condenser-pressure 0.1 "
      "--turbine-efficiency 85 --pump-efficiency 80 --reheat-pressure 20 --reheat-temperature 500 "
      "--net-power 100 --power-unit MW --flow-unit t/h --units European --standard iapws");
  ASSERT_TRUE(cycle.is_object());
  ASSERT_TRUE(cycle.at("states").is_array());
  ASSERT_GE(cycle.at("states").size(), 6u);
  for (const json& state : cycle.at("states")) {
    EXPECT_TRUE(state.at("name").is_string());
    for (const char* key : {"T", "P", "h", "s", "x"}) EXPECT_TRUE(state.contains(key)) << key;
  }
  EXPECT_EQ(cycle.at("units").at("T"), "Celsius");
  EXPECT_EQ(cycle.at("units").at("net_work"), "kcal/kg");
  EXPECT_EQ(cycle.at("units").at("steam_flow"), "t/h");
  EXPECT_EQ(cycle.at("units").at("heat_rate"), "kJ/kWh");
  const double net = cycle.at("net_work").get<double>();  // kcal/kg
  EXPECT_NEAR(net, cycle.at("turbine_work").get<double>() - cycle.at("pump_work").get<double>(), 1e-9 * net);
  // 100 MW over the net work per kg, in t/h.
  EXPECT_NEAR(cycle.at("steam_flow").get<double>(), 100e3 / (net / 0.23889) * 3.6,
              1e-9 * cycle.at("steam_flow").get<double>());
  EXPECT_NEAR(cycle.at("heat_rate").get<double>(), 3600.0 / (cycle.at("efficiency").get<double>() / 100.0),
              1e-6);
  const json& turbineInlet =
      *std::find_if(cycle.at("states").begin(), cycle.at("states").end(),
                    [](const json& s) { return s.at("name").get<std::string>().ends_with("turbine inlet"); });
  EXPECT_NEAR(turbineInlet.at("T").get<double>(), 500.0, 1e-9);
  EXPECT_NEAR(turbineInlet.at("P").get<double>(), 100.0, 1e-9);
}

// The text: the states as a table with their units, numbered, with the values of the JSON to 6
// significant digits; then the figures one a line with their units.
TEST(ProcessCommand, TextShowsTheJsonValuesToSixDigits) {
  const std::string args =
      "process turbine --inlet T=773.15,P=10000 --outlet-pressure 10 --efficiency 85 --flow 2 --power-unit "
      "MW";
  const testing::CalcRun run = RunCalc(args);
  ASSERT_EQ(run.status, 0) << run.err;
  const json values = JsonOf(args);
  std::istringstream text(run.out);
  std::string line;
  std::getline(text, line);
  EXPECT_EQ(line.substr(0, 5), "State");
  std::getline(text, line);
  for (const char* unit : {"Kelvin", "kPa abs", "kJ/kg", "kJ/kg.K", "%"})
    EXPECT_NE(line.find(unit), std::string::npos);
  struct Row {
    const char* state;
    const char* shown;  // its number and name
  };
  for (const Row row : {Row{"inlet", "1  inlet "}, Row{"outlet", "2  outlet "},
                        Row{"outlet_isentropic", "3  outlet isentropic "}}) {
    const char* state = row.state;
    std::getline(text, line);
    EXPECT_TRUE(line.starts_with(row.shown)) << line;
    std::istringstream cells(line.substr(std::string(row.shown).size()));
    for (const char* key : {"T", "P", "h", "s"}) {
      double shown = 0.0;
      cells >> shown;
      const double want = values.at(state).at(key).get<double>();
      EXPECT_NEAR(shown, want, 5e-6 * std::abs(want)) << state << " " << key << ": " << line;
    }
  }
  EXPECT_NE(run.out.find("\n\nwork        "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nefficiency  85 %\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" MW\n"), std::string::npos) << run.out;
  const testing::CalcRun full = RunCalc(args + " --full-precision");
  EXPECT_NE(full.out.find(values.at("inlet").at("h").dump() + "  "), std::string::npos) << full.out;
}

// The chart goes to the drawer the program hands over, with the result and its units; without
// one --diagram is refused before anything is computed.
TEST(ProcessCommand, ChartGoesToTheDrawer) {
  // What the drawer saw, copied: the request's pointers live as long as the call.
  static std::string seenKind, seenOutput, seenUnit;
  static int calls = 0;
  const cli::ProcessDrawer drawer = [](const cli::ProcessChartRequest& request) {
    seenKind = request.kind;
    seenOutput = request.output;
    seenUnit = request.units != nullptr ? request.units->UnitText(kTemperature) : "";
    ++calls;
    EXPECT_NE(request.result, nullptr);
    EXPECT_NE(request.evaluator, nullptr);
    if (request.result != nullptr) {
      EXPECT_NE(request.result->StateNamed("outlet"), nullptr);
    }
    return request.kind == "ph" ? 1 : 0;
  };
  const cli::Args args = {"turbine", "--inlet",      "T=500,P=100", "--outlet-pressure",
                          "0.1",     "--efficiency", "85",          "--diagram"};
  auto with = [&](const char* kind, cli::ProcessDrawer d) {
    cli::Args a = args;
    a.insert(a.end(), {kind, "--output", "chart.svg", "--units", "European"});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = cli::ProcessCommand(a, d);
    const std::string out = ::testing::internal::GetCapturedStdout(),
                      err = ::testing::internal::GetCapturedStderr();
    return std::tuple{status, out, err};
  };
  const auto [status, out, err] = with("hs", drawer);
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seenKind, "hs");
  EXPECT_EQ(seenOutput, "chart.svg");
  EXPECT_EQ(seenUnit, "Celsius");
  EXPECT_NE(out.find("outlet"), std::string::npos);
  // A drawer's failure is the command's, with nothing printed.
  const auto [failed, failedOut, failedErr] = with("ph", drawer);
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(failedOut, "");
  const auto [none, noneOut, noneErr] = with("ts", nullptr);
  EXPECT_EQ(none, 2);
  EXPECT_EQ(noneOut, "");
  EXPECT_EQ(noneErr,
            "tulo-calc process: --diagram: this build has no diagrams (they need the desktop program's Qt "
            "libraries)\n");
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace tulo
