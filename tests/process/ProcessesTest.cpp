#include "process/Processes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

constexpr double kC = 273.15;  // K at 0 degC

const CorrelationSet* const kSets[] = {&IapwsCorrelations(), &BuiltInCorrelations()};

// The published answers come from tables of IAPWS-95 and hold for IF97 to their digits; the
// built-in correlations are older and lie within 1.5 % of them.
double Tolerance(const CorrelationSet* set, double printed, double digits) {
  return set == kSets[0] ? digits : std::max(digits, 0.015 * printed);
}

ProcessResult Ok(const ProcessOutcome& outcome) {
  EXPECT_TRUE(outcome.result) << outcome.error;
  return outcome.result.value_or(ProcessResult{});
}

double FigureOf(const ProcessResult& r, std::string_view name) {
  const std::optional<double> v = r.FigureNamed(name);
  EXPECT_TRUE(v) << name;
  return v.value_or(NAN);
}

const ProcessState& StateOf(const ProcessResult& r, std::string_view name) {
  static const ProcessState none;
  const ProcessState* s = r.StateNamed(name);
  EXPECT_TRUE(s) << name;
  return s ? *s : none;
}

// Textbook cycles with their published answers (steam tables to 4-5 digits; the tolerances
// follow the digits printed).
struct CycleCase {
  const char* source;
  RankineInput input;
  double efficiency;  // percent, as printed
  double efficiencyTol;
  double netWork;  // kJ/kg, as printed (0: not printed)
  double netWorkTol;
  double steamFlow;  // kg/s (0: not printed)
};

const CycleCase kCycles[] = {
    // Cengel and Boles, Thermodynamics: An Engineering Approach, 7th ed., Example 10-1: the simple
    // ideal cycle, 3 MPa and 350 degC, condenser at 75 kPa: w_net = 710.0 kJ/kg, eta = 26.0 %.
    {"Cengel 10-1", {.boilerPressure = 3000, .turbineInletTemperature = 350 + kC, .condenserPressure = 75},
     26.0, 0.05, 710.0, 1.0, 0},
    // Ibid., Example 10-4: ideal reheat cycle, 15 MPa and 600 degC, reheat at 4 MPa to 600 degC,
    // condenser at 10 kPa: q_in = 3896.1 kJ/kg, eta = 45.0 %.
    {"Cengel 10-4",
     {.boilerPressure = 15000, .turbineInletTemperature = 600 + kC, .condenserPressure = 10,
      .reheatPressure = 4000, .reheatTemperature = 600 + kC},
     45.0, 0.05, 3896.1 - 2143.9, 2.0, 0},
    // Ibid., Example 10-5: ideal regenerative cycle, 15 MPa and 600 degC, one open feedwater
    // heater at 1.2 MPa, condenser at 10 kPa: y = 0.2270, w_net = 1282.4 kJ/kg, eta = 46.3 %.
    {"Cengel 10-5",
     {.boilerPressure = 15000, .turbineInletTemperature = 600 + kC, .condenserPressure = 10,
      .feedwaterHeaterPressure = 1200},
     46.3, 0.05, 1282.4, 1.5, 0},
    // Moran and Shapiro, Fundamentals of Engineering Thermodynamics, 5th ed., Example 8.1: ideal
    // cycle, saturated vapour at 8 MPa, condenser at 8 kPa, 100 MW net: eta = 37.1 %,
    // 3.77e5 kg/h.
    {"Moran 8.1", {.boilerPressure = 8000, .condenserPressure = 8, .netPower = 100e3}, 37.1, 0.05, 0, 0,
     3.77e5 / 3600},
    // Ibid., Example 8.2: the same with turbine and pump at 85 %: eta = 31.4 %, 4.449e5 kg/h.
    {"Moran 8.2",
     {.boilerPressure = 8000, .condenserPressure = 8, .turbineEfficiency = 85, .pumpEfficiency = 85,
      .netPower = 100e3},
     31.4, 0.05, 0, 0, 4.449e5 / 3600},
};

TEST(ProcessesTest, TextbookCyclesGiveTheirPublishedAnswersAndBalance) {
  for (const CorrelationSet* set : kSets) {
    StateEvaluator ev(*set);
    for (const CycleCase& c : kCycles) {
      SCOPED_TRACE(std::string(c.source) + " " + (set == kSets[0] ? "iapws" : "builtin"));
      const ProcessResult r = Ok(Rankine(ev, c.input));
      EXPECT_NEAR(FigureOf(r, "efficiency"), c.efficiency, Tolerance(set, c.efficiency, c.efficiencyTol));
      if (c.netWork > 0) {
        EXPECT_NEAR(FigureOf(r, "net_work"), c.netWork, Tolerance(set, c.netWork, c.netWorkTol));
      }
      if (c.steamFlow > 0) {
        EXPECT_NEAR(FigureOf(r, "steam_flow") / c.steamFlow, 1.0, Tolerance(set, 1.0, 2e-3));
      }
      // The first law over the cycle, to round-off.
      const double net = FigureOf(r, "net_work");
      EXPECT_NEAR(FigureOf(r, "heat_in") - FigureOf(r, "heat_out"), net, 1e-9 * FigureOf(r, "heat_in"));
      EXPECT_NEAR(FigureOf(r, "turbine_work") - FigureOf(r, "pump_work"), net, 1e-12 * net);
    }
  }
}

TEST(ProcessesTest, RegenerativeBleedFractionAsPublished) {
  StateEvaluator ev(IapwsCorrelations());
  const ProcessResult r = Ok(Rankine(ev, kCycles[2].input));
  EXPECT_NEAR(FigureOf(r, "bleed_fraction"), 22.70, 0.02);  // Cengel Example 10-5: y = 0.2270
  ASSERT_EQ(r.states.size(), 7u);
  EXPECT_EQ(r.states[4].name, "turbine inlet");
  EXPECT_EQ(r.states[5].name, "bleed");
}

// Cengel and Boles, 7th ed., Example 7-14: steam from 3 MPa and 400 degC to 50 kPa and 100 degC,
// 2 MW: eta_T = 66.7 %, w = 549.3 kJ/kg (so 3.64 kg/s).
TEST(ProcessesTest, TurbineEfficiencyFromMeasuredStates) {
  for (const CorrelationSet* set : kSets) {
    SCOPED_TRACE(set == kSets[0] ? "iapws" : "builtin");
    StateEvaluator ev(*set);
    const ProcessResult r = Ok(MachineEfficiency(ev, Machine::kTurbine, {InputPair::kTP, 400 + kC, 3000},
                                                 {InputPair::kTP, 100 + kC, 50}, 3.64));
    EXPECT_NEAR(FigureOf(r, "efficiency"), 66.7, Tolerance(set, 66.7, 0.05));
    EXPECT_NEAR(FigureOf(r, "work"), 549.3, Tolerance(set, 549.3, 0.5));
    EXPECT_NEAR(FigureOf(r, "power"), 2000.0, Tolerance(set, 2000.0, 3.0));
    // The efficiency found gives the measured outlet back.
    const ProcessResult again = Ok(Expand(ev, {Machine::kTurbine, {InputPair::kTP, 400 + kC, 3000}, 50,
                                                FigureOf(r, "efficiency")}));
    EXPECT_NEAR(StateOf(again, "outlet").T, 100 + kC, 1e-6);
  }
}

TEST(ProcessesTest, FullEfficiencyIsTheIsentropicStateAndValvesKeepEnthalpy) {
  for (const CorrelationSet* set : kSets) {
    StateEvaluator ev(*set);
    const StateInput steam{InputPair::kTP, 500 + kC, 8000};
    for (const auto& [machine, P] : {std::pair{Machine::kTurbine, 20.0}, std::pair{Machine::kPump, 20000.0}}) {
      const ProcessResult r = Ok(Expand(ev, {machine, steam, P, 100.0}));
      EXPECT_EQ(StateOf(r, "outlet").h, StateOf(r, "outlet_isentropic").h);
      EXPECT_NEAR(StateOf(r, "outlet").s, StateOf(r, "inlet").s, 1e-9);
    }
    const ProcessResult v = Ok(Throttle(ev, {InputPair::kPx, 2000, 97}, 100));
    EXPECT_NEAR(StateOf(v, "outlet").h, StateOf(v, "inlet").h, 1e-9 * StateOf(v, "inlet").h);
    const ProcessResult cal = Ok(ThrottlingCalorimeter(ev, {InputPair::kTP, 120 + kC, 100}, 2000));
    ASSERT_TRUE(StateOf(cal, "inlet").x);
    EXPECT_NEAR(*StateOf(cal, "inlet").x, *StateOf(v, "inlet").x, 1.5);  // 120 degC after the valve: x near 97 %
    EXPECT_NEAR(StateOf(cal, "inlet").h, StateOf(cal, "outlet").h, 1e-9 * StateOf(cal, "outlet").h);
  }
}

TEST(ProcessesTest, StreamBalancesClose) {
  for (const CorrelationSet* set : kSets) {
    StateEvaluator ev(*set);
    const std::vector<StreamInput> streams = {{{InputPair::kTP, 300 + kC, 1000}, 2.0},
                                              {{InputPair::kTP, 20 + kC, 1000}, 0.5},
                                              {{InputPair::kPx, 1000, 50}, 1.0}};
    const ProcessResult m = Ok(Mix(ev, streams, 1000));
    double in = 0.0;
    for (std::size_t i = 0; i < streams.size(); ++i) in += streams[i].flow * m.states[i].state.h;
    EXPECT_NEAR(FigureOf(m, "outlet_flow") * StateOf(m, "outlet").h, in, 1e-9 * in);

    const ProcessResult d = Ok(Desuperheat(ev, {{{InputPair::kTP, 450 + kC, 4000}, 10.0},
                                                {InputPair::kTP, 120 + kC, 5000}, 300 + kC}));
    const double spray = FigureOf(d, "water_flow");
    EXPECT_NEAR(StateOf(d, "outlet").T, 300 + kC, 1e-9);
    EXPECT_NEAR(10.0 * StateOf(d, "steam").h + spray * StateOf(d, "water").h,
                FigureOf(d, "outlet_flow") * StateOf(d, "outlet").h, 1e-9 * 10 * StateOf(d, "steam").h);

    const ProcessResult f = Ok(Flash(ev, {{InputPair::kTP, 180 + kC, 1500}, 5.0}, 200));
    const double v = FigureOf(f, "vapour_flow"), l = FigureOf(f, "liquid_flow");
    EXPECT_NEAR(v + l, 5.0, 1e-12);
    EXPECT_NEAR(v * StateOf(f, "vapour").h + l * StateOf(f, "liquid").h, 5.0 * StateOf(f, "inlet").h,
                1e-6 * StateOf(f, "inlet").h);
    EXPECT_NEAR(FigureOf(f, "vapour_fraction"), 100.0 * v / 5.0, 1e-12);

    const ProcessResult h = Ok(HeatTo(ev, {InputPair::kPx, 500, 0}, 500, 1500.0, 2.0));
    EXPECT_NEAR(StateOf(h, "outlet").h - StateOf(h, "inlet").h, 1500.0, 1e-6);
    EXPECT_NEAR(FigureOf(h, "duty"), 2.0 * FigureOf(h, "heat"), 1e-9);
  }
}

// What a user will get wrong: a message naming the quantity and its limit, never a result.
TEST(ProcessesTest, ImpossibleRequestsAreRefusedByName) {
  StateEvaluator ev(IapwsCorrelations());
  const StateInput steam{InputPair::kTP, 500 + kC, 8000};
  const struct {
    ProcessOutcome outcome;
    const char* says;
  } cases[] = {
      {Expand(ev, {Machine::kTurbine, steam, 9000, 85}), "outlet pressure (9000 kPa) lies above the inlet"},
      {Expand(ev, {Machine::kPump, steam, 100, 85}), "lies below the inlet pressure"},
      {Expand(ev, {Machine::kTurbine, steam, 100, 0}), "isentropic efficiency (0 %) lies outside (0, 100] %"},
      {Expand(ev, {Machine::kTurbine, steam, 100, 100.5}), "lies outside (0, 100] %"},
      {Expand(ev, {Machine::kTurbine, steam, 100, 85, -1.0}), "the mass flow (-1 kg/s) must be above 0"},
      {Expand(ev, {Machine::kTurbine, steam, NAN, 85}), "the outlet pressure is not a number"},
      {Expand(ev, {Machine::kTurbine, {InputPair::kT, 400, 0}, 100, 85}), "needs its quality"},
      {Throttle(ev, steam, 9000), "a valve lowers the pressure"},
      {Mix(ev, std::vector<StreamInput>{{steam, 1.0}}, 1000), "two or more streams"},
      {Desuperheat(ev, {{steam, 1.0}, {InputPair::kTP, 350, 9000}, 600 + kC}), "nothing to desuperheat"},
      {Desuperheat(ev, {{steam, 1.0}, {InputPair::kTP, 350, 9000}, 320}), "cannot be reached with spray water"},
      {Desuperheat(ev, {{steam, 1.0}, {InputPair::kTP, 350, 9000}, std::nullopt, std::nullopt}), "give one target"},
      {Flash(ev, {{InputPair::kTP, 100 + kC, 500}, 1.0}, 200), "not below the inlet's saturation pressure"},
      {Flash(ev, {steam, 1.0}, 100), "no liquid separates"},
      {Rankine(ev, {.boilerPressure = 8000, .condenserPressure = 0.1}), "pump inlet: no state with P = 0.1 kPa"},
      {Rankine(ev, {.boilerPressure = 8000, .turbineInletTemperature = 500, .condenserPressure = 10}),
       "is not above the saturation temperature"},
      {Rankine(ev, {.boilerPressure = 8000, .condenserPressure = 10, .reheatPressure = 1000}),
       "both its pressure and its temperature"},
      {Rankine(ev, {.boilerPressure = 8000, .condenserPressure = 10, .feedwaterHeaterPressure = 9000}),
       "feedwater heater pressure (9000 kPa) lies outside"},
      {Rankine(ev, {.boilerPressure = 8000, .condenserPressure = 10, .pumpEfficiency = 0}),
       "the pump efficiency (0 %)"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(c.outcome.result) << c.says;
    EXPECT_NE(c.outcome.error.find(c.says), std::string::npos) << c.outcome.error << "\n  wanted: " << c.says;
  }
}

// A chart's path starts and ends on its states and follows its kind in between.
TEST(ProcessesTest, TracedLegsFollowTheirPaths) {
  StateEvaluator ev(IapwsCorrelations());
  const ProcessResult cycle =
      Ok(Rankine(ev, {.boilerPressure = 8000, .turbineInletTemperature = 480 + kC, .condenserPressure = 8,
                      .turbineEfficiency = 85, .pumpEfficiency = 85}));
  const ProcessOverlay overlay = OverlayOf(ev, cycle, 12);
  ASSERT_EQ(overlay.paths.size(), cycle.legs.size());
  for (std::size_t i = 0; i < cycle.legs.size(); ++i) {
    const auto& path = overlay.paths[i];
    const Leg& leg = cycle.legs[i];
    EXPECT_EQ(path.front().h, cycle.states[leg.from].state.h);
    EXPECT_EQ(path.back().h, cycle.states[leg.to].state.h);
    EXPECT_EQ(path.size(), 12u);
    for (const ProcessState& p : path) {
      if (leg.kind == PathKind::kIsobaric) {
        EXPECT_NEAR(p.P, path.front().P, 1e-9 * p.P);
      }
      // An expansion at 85 % gains entropy all the way down.
      if (leg.kind == PathKind::kExpansion) {
        EXPECT_GE(p.s, path.front().s - 1e-12);
      }
    }
  }
}

}  // namespace
}  // namespace tulo
