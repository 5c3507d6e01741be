// The one formatting of a process or cycle result: units, digits, JSON names and CSV quoting,
// over hand-built results (the operations' own tests check the values).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "common/CommaLocale.h"
#include "process/ProcessReport.h"
#include "props/BuiltInSet.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo {
namespace {

using nlohmann::json;

ProcessState StateOf(double T, double P, double h, double s, std::optional<double> x = std::nullopt) {
  ProcessState state;
  state.T = T;
  state.P = P;
  state.h = h;
  state.s = s;
  state.x = x;
  return state;
}

// A turbine's result: a superheated inlet, a wet outlet.
ProcessResult Turbine() {
  ProcessResult r;
  r.states = {{"inlet", StateOf(773.15, 10000.0, 3375.0571927, 6.5994557)},
              {"outlet", StateOf(318.95575, 10.0, 2197.3561, 6.9391174, 84.123456789)}};
  r.figures = {{"work", 1177.7010927, FigureKind::kSpecificEnergy},
               {"power", 11777.010927, FigureKind::kPower},
               {"efficiency", 85.0, FigureKind::kPercent}};
  return r;
}

struct Units {
  UnitSettings settings;
  ReportUnits report;
  Units(UnitPreset preset, const CorrelationSet& set, FlowUnit flow = FlowUnit::kKgPerS,
        PowerUnit power = PowerUnit::kKW) {
    settings.InitUnits(PresetSelection(preset));
    report = {&settings, &set, flow, power};
  }
};

const CorrelationSet& Iapws() {
  return *CorrelationSetNamed("iapws");
}

TEST(ProcessReport, FiguresInTheirDisplayUnits) {
  struct Case {
    FigureKind kind;
    double value;  // internal
    UnitPreset preset;
    FlowUnit flow;
    PowerUnit power;
    double shown;
    const char* unit;
  };
  const Case cases[] = {
      {FigureKind::kSpecificEnergy, 1000.0, UnitPreset::kSI, FlowUnit::kKgPerS, PowerUnit::kKW, 1000.0,
       "kJ/kg"},
      {FigureKind::kSpecificEnergy, 1000.0, UnitPreset::kImperial, FlowUnit::kKgPerS, PowerUnit::kKW, 430.11,
       "Btu/lb"},
      {FigureKind::kPower, 2500.0, UnitPreset::kSI, FlowUnit::kKgPerS, PowerUnit::kKW, 2500.0, "kW"},
      {FigureKind::kPower, 2500.0, UnitPreset::kImperial, FlowUnit::kKgPerS, PowerUnit::kMW, 2.5, "MW"},
      {FigureKind::kFlow, 2.0, UnitPreset::kSI, FlowUnit::kKgPerS, PowerUnit::kKW, 2.0, "kg/s"},
      {FigureKind::kFlow, 2.0, UnitPreset::kSI, FlowUnit::kKgPerH, PowerUnit::kKW, 7200.0, "kg/h"},
      {FigureKind::kFlow, 2.0, UnitPreset::kSI, FlowUnit::kTonnePerH, PowerUnit::kKW, 7.2, "t/h"},
      {FigureKind::kFlow, 0.45359237, UnitPreset::kSI, FlowUnit::kLbPerH, PowerUnit::kKW, 3600.0, "lb/h"},
      {FigureKind::kPercent, 42.5, UnitPreset::kImperial, FlowUnit::kLbPerH, PowerUnit::kMW, 42.5, "%"},
      {FigureKind::kHeatRate, 9000.0, UnitPreset::kImperial, FlowUnit::kLbPerH, PowerUnit::kMW, 9000.0,
       "kJ/kWh"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    const Units units(c.preset, Iapws(), c.flow, c.power);
    const ReportValue v = FigureShown(Figure{"f", c.value, c.kind}, units.report);
    EXPECT_NEAR(v.value, c.shown, 1e-12 * c.shown);
    EXPECT_EQ(v.unit, c.unit);
  }
}

TEST(ProcessReport, FlowAndPowerUnitsByNameAndBack) {
  for (const char* name : {"kg/s", "kg/h", "t/h", "lb/h"}) {
    const std::optional<FlowUnit> unit = FlowUnitNamed(name);
    ASSERT_TRUE(unit) << name;
    EXPECT_EQ(FlowUnitText(*unit), name);
    const Units units(UnitPreset::kSI, Iapws(), *unit);
    const ReportValue shown = FigureShown(Figure{"flow", 3.0, FigureKind::kFlow}, units.report);
    EXPECT_NEAR(FlowToInternal(shown.value, *unit), 3.0, 1e-14) << name;
  }
  for (const char* name : {"kW", "MW"}) {
    const std::optional<PowerUnit> unit = PowerUnitNamed(name);
    ASSERT_TRUE(unit) << name;
    EXPECT_EQ(PowerUnitText(*unit), name);
    EXPECT_EQ(PowerToInternal(1.5, *unit), *unit == PowerUnit::kMW ? 1500.0 : 1.5);
  }
  for (const char* name : {"kg/min", "KG/S", "t/s", "", "W", "mw"}) {
    EXPECT_FALSE(FlowUnitNamed(name)) << name;
    EXPECT_FALSE(PowerUnitNamed(name)) << name;
  }
}

TEST(ProcessReport, StateValuesInTheUnitsInUseAndNoQualityForASinglePhase) {
  const Units units(UnitPreset::kEuropean, Iapws());
  const ProcessResult r = Turbine();
  const std::optional<ReportValue> T = StateValueShown(r.states[0].state, PairName::kT, units.report);
  ASSERT_TRUE(T);
  EXPECT_NEAR(T->value, 500.0, 1e-9);
  EXPECT_EQ(T->unit, "Celsius");
  const std::optional<ReportValue> P = StateValueShown(r.states[0].state, PairName::kP, units.report);
  ASSERT_TRUE(P);
  EXPECT_EQ(P->unit, "atm abs");
  EXPECT_FALSE(StateValueShown(r.states[0].state, PairName::kX, units.report));
  const std::optional<ReportValue> x = StateValueShown(r.states[1].state, PairName::kX, units.report);
  ASSERT_TRUE(x);
  EXPECT_EQ(x->value, 84.123456789);
  EXPECT_EQ(x->unit, "%");
}

TEST(ProcessReport, JsonNamesEveryDigitNullAndUnits) {
  const Units units(UnitPreset::kEuropean, Iapws(), FlowUnit::kTonnePerH, PowerUnit::kMW);
  ProcessResult r = Turbine();
  r.figures.push_back({"duty", std::numeric_limits<double>::quiet_NaN(), FigureKind::kPower});
  const std::string text = ProcessJson(r, units.report);
  ASSERT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\n'), text.size() - 1);
  const json j = json::parse(text, nullptr, false);
  ASSERT_TRUE(j.is_object()) << text;
  EXPECT_EQ(j.at("standard"), "iapws");
  for (const char* state : {"inlet", "outlet"})
    for (const char* key : {"T", "P", "h", "s", "x"}) EXPECT_TRUE(j.at(state).contains(key)) << state << key;
  EXPECT_TRUE(j.at("inlet").at("x").is_null());
  EXPECT_EQ(j.at("outlet").at("x").get<double>(), 84.123456789);
  // Every digit: the number reads back as the shown double.
  EXPECT_EQ(j.at("outlet").at("h").get<double>(),
            StateValueShown(r.states[1].state, PairName::kH, units.report)->value);
  EXPECT_EQ(j.at("power").get<double>(), 11.777010927);
  EXPECT_TRUE(j.at("duty").is_null());
  const json want = {{"T", "Celsius"},         {"P", "atm abs"},    {"h", "kcal/kg"},
                     {"s", "kcal/kg.\u00B0C"}, {"x", "%"},          {"work", "kcal/kg"},
                     {"power", "MW"},          {"efficiency", "%"}, {"duty", "MW"}};
  EXPECT_EQ(j.at("units"), want);
  EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST(ProcessReport, JsonOfACycleListsItsStatesWithTheirNames) {
  const Units units(UnitPreset::kSI, BuiltInCorrelations());
  ProcessResult r = Turbine();
  r.stateList = true;
  r.states[0].name = "turbine inlet";
  r.states[1].name = "turbine \"exit\"";
  const json j = json::parse(ProcessJson(r, units.report), nullptr, false);
  ASSERT_TRUE(j.is_object());
  EXPECT_EQ(j.at("standard"), "builtin");
  EXPECT_FALSE(j.contains("turbine inlet"));
  ASSERT_EQ(j.at("states").size(), 2u);
  EXPECT_EQ(j.at("states")[0].at("name"), "turbine inlet");
  EXPECT_EQ(j.at("states")[1].at("name"), "turbine \"exit\"");
  EXPECT_EQ(j.at("states")[0].at("T").get<double>(), 773.15);
  EXPECT_TRUE(j.at("states")[0].at("x").is_null());
}

TEST(ProcessReport, TextHasSixDigitsOrEveryStoredOne) {
  const Units units(UnitPreset::kSI, Iapws());
  const ProcessResult r = Turbine();
  const std::string brief = ProcessText(r, units.report, false);
  const std::string full = ProcessText(r, units.report, true);
  for (const char* unit : {"Kelvin", "kPa abs", "kJ/kg", "kJ/kg.K", "%"})
    EXPECT_NE(brief.find(unit), std::string::npos);
  EXPECT_NE(brief.find(" 3375.06 "), std::string::npos) << brief;
  EXPECT_NE(brief.find("84.1235\n"), std::string::npos) << brief;
  EXPECT_NE(brief.find("work        1177.7 kJ/kg\n"), std::string::npos) << brief;
  EXPECT_NE(brief.find("efficiency  85 %\n"), std::string::npos) << brief;
  EXPECT_NE(full.find(" 3375.0571927 "), std::string::npos) << full;
  EXPECT_NE(full.find("84.123456789\n"), std::string::npos) << full;
  // The inlet's row ends with its entropy: no quality for a single phase.
  EXPECT_NE(brief.find(" 6.59946\n"), std::string::npos) << brief;
  EXPECT_NE(brief.find("2  outlet"), std::string::npos) << brief;
}

TEST(ProcessReport, DelimitedQuotesTextsWithTheSeparatorOrAQuote) {
  const Units units(UnitPreset::kSI, BuiltInCorrelations());
  ProcessResult r = Turbine();
  r.states[0].name = "inlet, \"main\"";
  r.figures.resize(1);
  const std::string csv = ProcessDelimited(r, units.report, ',', false);
  EXPECT_EQ(csv,
            "State,T [Kelvin],P [kPa abs],h [kJ/kg],s [kJ/kg.K],x [%]\n"
            "\"inlet, \"\"main\"\"\",773.15,10000,3375.06,6.59946,\n"
            "outlet,318.956,10,2197.36,6.93912,84.1235\n"
            "work,1177.7,kJ/kg\n");
  const std::string tabs = ProcessDelimited(r, units.report, '\t', true);
  EXPECT_NE(tabs.find("\"inlet, \"\"main\"\"\"\t773.15\t10000\t"), std::string::npos) << tabs;
  // Every digit the built-in standard stores: a Real6, x too.
  EXPECT_NE(tabs.find("outlet\t318.95575\t10\t2197.3561\t6.9391174\t84.1234567889\n"), std::string::npos)
      << tabs;
}

TEST(ProcessReport, NumbersIgnoreTheProcessLocale) {
  const Units units(UnitPreset::kSI, Iapws());
  const ProcessResult r = Turbine();
  const std::string text = ProcessText(r, units.report, false), object = ProcessJson(r, units.report),
                    csv = ProcessDelimited(r, units.report, ';', true);
  for (const char* name : testing::kCommaLocales) {
    const testing::CommaLocale locale(name);
    ASSERT_TRUE(locale.Active()) << name;
    EXPECT_EQ(ProcessText(r, units.report, false), text);
    EXPECT_EQ(ProcessJson(r, units.report), object);
    EXPECT_EQ(ProcessDelimited(r, units.report, ';', true), csv);
  }
  EXPECT_NE(text.find("3375.06"), std::string::npos);
}

}  // namespace
}  // namespace tulo
