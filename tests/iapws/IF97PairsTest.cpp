// States from (p, h), (p, s), (h, s), (T, h) and (T, s): round trips (T, p) -> (h, s) -> back over
// every region, the wet region and the boundaries between regions, the pairs that have no state
// and, along isotherms, the values met at more than one pressure.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "iapws/IF97Pairs.h"

namespace tulo::iapws {
namespace {

constexpr double kRoundTrip = 1e-9;

bool Close(double a, double b, double relative) {
  return std::fabs(a - b) <= relative * std::fabs(b);
}

using Solver = std::optional<PairState> (*)(double, double);

// A single-phase state at (T, p): both pairs must lead back to it, in its region, and reproduce
// the given h or s to round-off.
struct SingleCase {
  const char* what;
  double T;  // K
  double p;  // MPa
};

void ExpectSingleRoundTrip(const SingleCase& c) {
  const FluidProps f = StateTP(c.T, c.p);
  ASSERT_NE(f.region, Region::kNone) << c.what;
  const struct {
    Solver solve;
    double given;
    double (*value)(const FluidProps&);
  } pairs[] = {
      {StateFromPH, f.h, [](const FluidProps& g) { return g.h; }},
      {StateFromPS, f.s, [](const FluidProps& g) { return g.s; }},
  };
  for (const auto& pair : pairs) {
    const std::optional<PairState> state = pair.solve(c.p, pair.given);
    ASSERT_TRUE(state.has_value()) << c.what << (pair.solve == StateFromPH ? " (p, h)" : " (p, s)");
    EXPECT_EQ(state->region, f.region) << c.what;
    EXPECT_TRUE(Close(state->T, c.T, kRoundTrip)) << c.what << ": T " << state->T;
    EXPECT_EQ(state->p, c.p) << c.what;
    EXPECT_TRUE(Close(state->props.rho, f.rho, kRoundTrip)) << c.what << ": rho " << state->props.rho;
    EXPECT_LE(std::fabs(pair.value(state->props) - pair.given),
              1e-12 * std::fmax(std::fabs(pair.given), 10.0))
        << c.what;
  }
  const std::optional<PairState> fromHS = StateFromHS(f.h, f.s);
  ASSERT_TRUE(fromHS.has_value()) << c.what << " (h, s)";
  EXPECT_EQ(fromHS->region, f.region) << c.what << " (h, s)";
  EXPECT_TRUE(Close(fromHS->T, c.T, kRoundTrip)) << c.what << " (h, s): T " << fromHS->T;
  EXPECT_TRUE(Close(fromHS->p, c.p, kRoundTrip)) << c.what << " (h, s): p " << fromHS->p;
  EXPECT_TRUE(Close(fromHS->props.rho, f.rho, kRoundTrip)) << c.what << " (h, s): rho " << fromHS->props.rho;
}

// Next to a boundary between regions 1 | 3, 2 | 3 and 2 | 5 the basic equations of the two
// regions disagree by up to some 0.04 K in the temperature of a given h or s: a pair within that
// band has a state on both sides, and the one found reproduces it (the region may be the other
// one). States on a boundary, and 0.1 K from it, come back to themselves.
TEST(IF97Pairs, SinglePhaseRoundTrips) {
  const double T23at40 = B23Temperature(40);
  const double Ts1 = SaturationTemperature(1);
  const SingleCase cases[] = {
      {"region 1 cold", 273.15, 0.1},
      {"region 1 cold, 100 MPa", 273.15, 100},
      {"region 1", 300, 3},
      {"region 1 high p", 500, 80},
      {"region 1 at 623.15 K", 623.15, 50},
      {"region 1 below saturation", Ts1 - 1e-6, 1},
      {"region 2 low p", 300, 0.0035},
      {"region 2 below 273.15 K's psat", 400, 0.0005},
      {"region 2 above saturation", Ts1 + 1e-6, 1},
      {"region 2", 700, 30},
      {"region 2 2c", 800, 60},
      {"region 2 at 1073.15 K", 1073.15, 10},
      {"region 2 on B23", T23at40, 40},
      {"region 2 at 1073.15 K, 100 MPa", 1073.15, 100},
      {"region 3 liquid", 650, 25.5837018},
      {"region 3 vapour side", 650, 22.2930643},
      {"region 3 dense", 750, 78.3095639},
      {"region 3 above 623.15 K", 623.15 + 0.1, 50},
      {"region 3 below B23", T23at40 - 0.1, 40},
      {"region 3 near-critical liquid", 647.0, 22.1},
      {"region 3 near-critical vapour", 647.05, 22.0},
      {"region 3 supercritical", 647.5, 22.5},
      {"region 3 just below saturation", SaturationTemperature(20) - 1e-4, 20},
      {"region 3 just above saturation", SaturationTemperature(20) + 1e-4, 20},
      {"region 5", 1500, 0.5},
      {"region 5 above 1073.15 K", 1073.15 + 0.1, 10},
      {"region 5 high", 2273.15, 50},
  };
  for (const SingleCase& c : cases) ExpectSingleRoundTrip(c);
}

// Halfway between the two regions' values of h and s on a boundary: a state on one side, or in
// a gap between them the boundary state itself, never "no state".
TEST(IF97Pairs, BetweenTheRegionsOnABoundary) {
  const struct {
    const char* what;
    double T;  // K, on the boundary
    double p;  // MPa
    FluidProps (*below)(double, double);
    FluidProps (*above)(double, double);
  } cases[] = {
      {"623.15 K", 623.15, 50, Region1, Region3TP},
      {"B23", B23Temperature(40), 40, Region3TP, Region2},
      {"B23 at 60 MPa", B23Temperature(60), 60, Region3TP, Region2},
      {"1073.15 K", 1073.15, 10, Region2, Region5},
      {"1073.15 K at 50 MPa", 1073.15, 50, Region2, Region5},
  };
  for (const auto& c : cases) {
    const FluidProps a = c.below(c.T, c.p), b = c.above(c.T, c.p);
    const struct {
      Solver solve;
      double given;
      double (*value)(const FluidProps&);
    } pairs[] = {
        {StateFromPH, 0.5 * (a.h + b.h), [](const FluidProps& f) { return f.h; }},
        {StateFromPS, 0.5 * (a.s + b.s), [](const FluidProps& f) { return f.s; }},
    };
    for (const auto& pair : pairs) {
      const std::optional<PairState> state = pair.solve(c.p, pair.given);
      ASSERT_TRUE(state.has_value()) << c.what;
      const double off = std::fabs(pair.value(state->props) - pair.given);
      const bool reproduces = off <= 1e-12 * std::fabs(pair.given);
      const bool boundary = Close(state->T, c.T, 1e-9) && off <= 1e-4 * std::fabs(pair.given);
      EXPECT_TRUE(reproduces || boundary) << c.what << ": T " << state->T << ", off by " << off;
    }
  }
}

// Wet steam at T with quality x: (h, s) at psat(T) lead back to T, x and the saturated phases.
TEST(IF97Pairs, WetRoundTrips) {
  const struct {
    double T;
    double x;
  } cases[] = {{273.16, 0.5}, {300, 0.5}, {450, 0.01}, {600, 0.99},
               {623.15, 0.5}, {640, 0.3}, {646, 0.5},  {647, 0.5}};
  for (const auto& c : cases) {
    const FluidProps liquid = SaturatedLiquid(c.T);
    const FluidProps vapour = SaturatedVapour(c.T);
    const double p = SaturationPressure(c.T);
    const double h = liquid.h + c.x * (vapour.h - liquid.h);
    const double s = liquid.s + c.x * (vapour.s - liquid.s);
    for (const std::optional<PairState>& state : {StateFromPH(p, h), StateFromPS(p, s), StateFromHS(h, s)}) {
      ASSERT_TRUE(state.has_value()) << "T = " << c.T;
      EXPECT_EQ(state->region, Region::k4) << "T = " << c.T;
      EXPECT_TRUE(Close(state->T, c.T, kRoundTrip)) << "T = " << c.T << ": " << state->T;
      EXPECT_TRUE(Close(state->p, p, kRoundTrip)) << "T = " << c.T << ": p " << state->p;
      EXPECT_NEAR(state->x, c.x, 1e-9) << "T = " << c.T;
      EXPECT_TRUE(Close(state->liquid.rho, liquid.rho, kRoundTrip)) << "T = " << c.T;
      EXPECT_TRUE(Close(state->vapour.rho, vapour.rho, kRoundTrip)) << "T = " << c.T;
      EXPECT_TRUE(Close(state->props.h, h, 1e-12)) << "T = " << c.T;
    }
  }
}

TEST(IF97Pairs, PairsWithoutState) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* what;
    Solver solve;
    double p;
    double y;
  } cases[] = {
      {"h below the cold liquid", StateFromPH, 1, -10},
      {"h below the cold liquid at 100 MPa", StateFromPH, 100, 90},
      {"h above 1073.15 K over 50 MPa", StateFromPH, 60, 5000},
      {"h above 2273.15 K", StateFromPH, 10, 8000},
      {"p above 100 MPa", StateFromPH, 101, 1000},
      {"p zero", StateFromPH, 0, 1000},
      {"p not a number", StateFromPH, nan, 1000},
      {"h infinite", StateFromPH, 1, inf},
      {"s below the cold liquid", StateFromPS, 1, -0.01},
      {"s above 1073.15 K over 50 MPa", StateFromPS, 60, 8},
      {"s above 2273.15 K", StateFromPS, 10, 12},
      {"p negative", StateFromPS, -1, 5},
      {"s not a number", StateFromPS, 1, nan},
  };
  for (const auto& c : cases) EXPECT_FALSE(c.solve(c.p, c.y).has_value()) << c.what;
  // (h, s) beyond the range: colder than the liquid at 273.15 K, hotter than 2273.15 K, denser
  // than 100 MPa allows.
  const struct {
    double h;
    double s;
  } outside[] = {{-10, 0}, {100, 1}, {8000, 9}, {3000, 4}, {nan, 5}, {2000, inf}};
  for (const auto& c : outside) EXPECT_FALSE(StateFromHS(c.h, c.s).has_value()) << c.h << ", " << c.s;
}

// States from (T, h) and (T, s): each pair listed must lead back to the state's pressure and
// region and reproduce its value to round-off. Compressed liquid below 520.7 K is never unique by
// (T, h), so those states are checked by (T, s) alone, as are the low-pressure vapours whose h
// does not tell pressures apart.
using IsothermSolver = IsothermAnswer (*)(double, double);

TEST(IF97Pairs, IsothermRoundTrips) {
  const struct {
    const char* what;
    double T;  // K
    double p;  // MPa
    bool byH;
  } cases[] = {
      {"region 1", 300, 3, false},
      {"region 1 high p", 500, 80, false},
      {"region 1 where h falls with p", 600, 50, true},
      {"region 1 at 100 MPa", 620, 100, true},
      {"region 2", 300, 0.0035, true},
      {"region 2 very low p", 400, 1e-9, false},
      {"region 2 2c", 800, 60, true},
      {"region 2 at 1073.15 K, 100 MPa", 1073.15, 100, true},
      {"region 3 liquid", 640, 50, true},
      {"region 3 vapour below psat", 640, 19.5, true},
      {"region 3 supercritical", 650, 25.5837018, true},
      {"region 3 near-critical", 647.5, 22.5, true},
      {"region 3 dense", 750, 78.3095639, true},
      {"region 5", 1500, 0.5, true},
      {"region 5 high", 2273.15, 50, true},
  };
  for (const auto& c : cases) {
    const FluidProps f = StateTP(c.T, c.p);
    ASSERT_NE(f.region, Region::kNone) << c.what;
    const struct {
      IsothermSolver solve;
      double given;
      double (*value)(const FluidProps&);
      bool check;
    } pairs[] = {
        {StateFromTH, f.h, [](const FluidProps& g) { return g.h; }, c.byH},
        {StateFromTS, f.s, [](const FluidProps& g) { return g.s; }, true},
    };
    for (const auto& pair : pairs) {
      if (!pair.check) continue;
      const IsothermAnswer answer = pair.solve(c.T, pair.given);
      const char* name = pair.solve == StateFromTH ? " (T, h)" : " (T, s)";
      ASSERT_TRUE(answer.state.has_value()) << c.what << name << (answer.notUnique ? ": not unique" : "");
      EXPECT_FALSE(answer.notUnique) << c.what << name;
      EXPECT_EQ(answer.state->region, f.region) << c.what << name;
      EXPECT_EQ(answer.state->T, c.T) << c.what << name;
      EXPECT_TRUE(Close(answer.state->p, c.p, kRoundTrip)) << c.what << name << ": p " << answer.state->p;
      EXPECT_LE(std::fabs(pair.value(answer.state->props) - pair.given),
                1e-12 * std::fmax(std::fabs(pair.given), 0.01))
          << c.what << name;
    }
  }
}

// Wet steam at (T, x): the wet point at psat(T), with the saturated phases. By h only where the
// liquid's h stays below it (x high enough).
TEST(IF97Pairs, IsothermWetRoundTrips) {
  const struct {
    double T;
    double x;
    bool byH;
  } cases[] = {{273.16, 0.9, true}, {300, 0.01, false}, {300, 0.5, true}, {450, 0.3, true},
               {600, 0.01, true},   {640, 0.5, true},   {646, 0.99, true}};
  for (const auto& c : cases) {
    const FluidProps liquid = SaturatedLiquid(c.T);
    const FluidProps vapour = SaturatedVapour(c.T);
    const double h = liquid.h + c.x * (vapour.h - liquid.h);
    const double s = liquid.s + c.x * (vapour.s - liquid.s);
    for (const IsothermAnswer& answer :
         {c.byH ? StateFromTH(c.T, h) : StateFromTS(c.T, s), StateFromTS(c.T, s)}) {
      ASSERT_TRUE(answer.state.has_value()) << "T = " << c.T;
      EXPECT_EQ(answer.state->region, Region::k4) << "T = " << c.T;
      EXPECT_EQ(answer.state->p, SaturationPressure(c.T)) << "T = " << c.T;
      EXPECT_NEAR(answer.state->x, c.x, 1e-9) << "T = " << c.T;
      EXPECT_EQ(answer.state->liquid.rho, liquid.rho) << "T = " << c.T;
      EXPECT_EQ(answer.state->vapour.rho, vapour.rho) << "T = " << c.T;
    }
  }
}

// Values met at more than one pressure, met nowhere, or at temperatures outside the range; and on
// the B23 line, a value between the two regions' values where they overlap (met on both sides)
// and where they leave a gap (the boundary state).
TEST(IF97Pairs, IsothermNotUniqueOrNone) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const auto h = [](double T, double p) { return StateTP(T, p).h; };
  const auto s = [](double T, double p) { return StateTP(T, p).s; };
  const auto b23 = [](double T, FluidProps (*value)(double, double), bool entropy) {
    const double p = B23Pressure(T);
    const FluidProps f2 = Region2(T, p), f3 = value(T, p);
    return entropy ? 0.5 * (f2.s + f3.s) : 0.5 * (f2.h + f3.h);
  };
  const struct {
    const char* what;
    IsothermSolver solve;
    double T;
    double y;
    bool notUnique;
  } cases[] = {
      {"liquid h also a wet h", StateFromTH, 400, h(400, 10), true},
      {"liquid h near its minimum", StateFromTH, 600, 1448.0, true},
      {"vapour h on the flat ideal-gas part", StateFromTH, 2273.15, h(2273.15, 1e-3), true},
      {"h between regions 2 and 3 where they overlap", StateFromTH, 650, b23(650, Region3TP, false), true},
      {"h above the ideal gas", StateFromTH, 300, 2600, false},
      {"h below the saturated liquid", StateFromTH, 300, 50, false},
      {"h below 273.15 K", StateFromTH, 273.1, 1000, false},
      {"h above 2273.15 K", StateFromTH, 2300, 7000, false},
      {"T not a number", StateFromTH, nan, 1000, false},
      {"cold liquid s also a wet s", StateFromTS, 273.15, s(273.15, 5), true},
      {"s between regions 2 and 3 where they overlap", StateFromTS, 650, b23(650, Region3TP, true), true},
      {"s below the liquid at 100 MPa", StateFromTS, 300, 0.3, false},
      {"s above the lowest pressure's", StateFromTS, 300, 60, false},
      {"s not a number", StateFromTS, 300, nan, false},
  };
  for (const auto& c : cases) {
    const IsothermAnswer answer = c.solve(c.T, c.y);
    EXPECT_FALSE(answer.state.has_value()) << c.what << ": p " << answer.state.value_or(PairState{}).p;
    EXPECT_EQ(answer.notUnique, c.notUnique) << c.what;
  }
  for (const bool entropy : {false, true}) {
    const double T = 700, y = b23(T, Region3TP, entropy);
    const IsothermAnswer answer = entropy ? StateFromTS(T, y) : StateFromTH(T, y);
    ASSERT_TRUE(answer.state.has_value()) << (entropy ? "s" : "h") << " in the B23 gap";
    EXPECT_EQ(answer.state->region, Region::k2);
    EXPECT_EQ(answer.state->p, B23Pressure(T));
  }
}

}  // namespace
}  // namespace tulo::iapws
