// IAPWS-95 states from (p, h), (p, s), (h, s), (T, h) and (T, s): round trips from (T, p) over
// the fluid's range (liquid, vapour, supercritical, above IF97's 100 MPa, the liquid below
// 273.16 K, near the critical point, wet steam), pairs without a state, and values met at more
// than one pressure along an isotherm; a few states against an independent implementation.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "iapws/Iapws95.h"

namespace tulo::iapws95 {
namespace {

// The solvers hold h and s to 1e-12 of the value or of the formulation's round-off floor.
bool Reproduces(double value, double given, double floor) {
  return std::fabs(value - given) <= 1e-12 * std::fmax(std::fabs(given), floor);
}
bool ReproducesH(double h, double given) {
  return Reproduces(h, given, 150);
}
bool ReproducesS(double s, double given) {
  return Reproduces(s, given, 0.5);
}
bool Close(double a, double b, double relative) {
  return std::fabs(a - b) <= relative * std::fabs(b);
}

enum Isotherm { kUnique, kNotUnique };

struct SingleCase {
  const char* what;
  double T;  // K
  double p;  // MPa
  Isotherm byTH, byTS;
};

// (p, h) and (p, s) give T back to round-off; (h, s), (T, h) and (T, s) give the pressure, which
// in a liquid they fix only loosely ((ds/dp)_T = -v alphaV is some 1e-7 kJ/(kg K) per MPa): the
// check there is that h and s are reproduced.
void ExpectRoundTrip(const SingleCase& c) {
  const FluidProps f = StateTP(c.T, c.p);
  ASSERT_NE(f.region, Region::kNone) << c.what;
  for (const bool byH : {true, false}) {
    const std::optional<PairState> state = byH ? StateFromPH(c.p, f.h) : StateFromPS(c.p, f.s);
    ASSERT_TRUE(state.has_value()) << c.what << (byH ? " (p, h)" : " (p, s)");
    EXPECT_EQ(state->region, f.region) << c.what;
    EXPECT_TRUE(Close(state->T, c.T, 1e-9)) << c.what << ": T " << state->T;
    EXPECT_EQ(state->props.p, c.p) << c.what;
    EXPECT_TRUE(byH ? ReproducesH(state->props.h, f.h) : ReproducesS(state->props.s, f.s)) << c.what;
  }
  const std::optional<PairState> hs = StateFromHS(f.h, f.s);
  ASSERT_TRUE(hs.has_value()) << c.what << " (h, s)";
  EXPECT_EQ(hs->region, f.region) << c.what << " (h, s)";
  EXPECT_TRUE(Close(hs->T, c.T, 1e-9)) << c.what << " (h, s): T " << hs->T;
  EXPECT_TRUE(Close(hs->p, c.p, 1e-5)) << c.what << " (h, s): p " << hs->p;
  EXPECT_TRUE(ReproducesH(hs->props.h, f.h) && ReproducesS(hs->props.s, f.s)) << c.what << " (h, s)";
  for (const bool byH : {true, false}) {
    const IsothermAnswer a = byH ? StateFromTH(c.T, f.h) : StateFromTS(c.T, f.s);
    const Isotherm expected = byH ? c.byTH : c.byTS;
    const char* pair = byH ? " (T, h)" : " (T, s)";
    EXPECT_EQ(a.notUnique, expected == kNotUnique) << c.what << pair;
    if (expected == kNotUnique) continue;
    ASSERT_TRUE(a.state.has_value()) << c.what << pair;
    EXPECT_EQ(a.state->T, c.T) << c.what << pair;
    EXPECT_TRUE(Close(a.state->p, c.p, 1e-5)) << c.what << pair << ": p " << a.state->p;
    EXPECT_TRUE(byH ? ReproducesH(a.state->props.h, f.h) : ReproducesS(a.state->props.s, f.s))
        << c.what << pair;
  }
}

// Along an isotherm from 273.16 K up the liquid's h rises with p (or falls first and rises
// again) up to 1000 MPa, beyond h': no liquid is unique by (T, h), and above Tc the dense fluid's
// h has a minimum (from some 40 MPa at 660 K to 300 MPa at 1000 K). Below 277 K the liquid's s
// rises with p first (negative expansion coefficient): not unique by (T, s) either. Below the
// triple point the liquid lies between two melting curves and nothing else has its h or s.
TEST(Iapws95Pairs, SinglePhaseRoundTrips) {
  const SingleCase cases[] = {
      {"liquid", 300, 1, kNotUnique, kUnique},
      {"liquid near saturation", 450, 0.94, kNotUnique, kUnique},
      {"cold liquid", 275, 0.1, kNotUnique, kNotUnique},
      {"vapour", 500, 0.1, kUnique, kUnique},
      {"vapour near saturation", 600, 12.3, kUnique, kUnique},
      {"vapour below the triple point", 250, 5e-5, kUnique, kUnique},
      {"vapour at 1273 K", 1273, 10, kUnique, kUnique},
      {"supercritical", 700, 30, kUnique, kUnique},
      {"supercritical dense", 660, 40, kNotUnique, kUnique},
      {"near critical, liquid side", 647.0, 22.05, kNotUnique, kUnique},
      {"near critical, vapour side", 647.09, 22.0, kUnique, kUnique},
      {"near critical, supercritical", 647.2, 22.1, kNotUnique, kUnique},
      {"above IF97, 300 MPa", 500, 300, kNotUnique, kUnique},
      {"above IF97, 1000 MPa", 1000, 1000, kNotUnique, kUnique},
      {"above IF97, 1273 K and 800 MPa", 1273, 800, kNotUnique, kUnique},
      {"liquid below 273.16 K, 100 MPa", 265, 100, kUnique, kUnique},
      {"liquid below 273.16 K, 300 MPa", 260, 300, kUnique, kUnique},
      {"liquid beside ice III", 253, 220, kUnique, kUnique},
  };
  for (const SingleCase& c : cases) ExpectRoundTrip(c);
}

// Wet steam at T with quality x: every pair leads to T, x and the saturated phases; by (T, h) only
// where no liquid up to 1000 MPa has that h.
TEST(Iapws95Pairs, WetRoundTrips) {
  const struct {
    double T;
    double x;
    Isotherm byTH;
  } cases[] = {{273.16, 0.5, kUnique}, {300, 0.5, kUnique},    {450, 0.01, kNotUnique}, {450, 0.5, kUnique},
               {600, 0.99, kUnique},   {640, 0.3, kNotUnique}, {647, 0.5, kNotUnique}};
  for (const auto& c : cases) {
    const std::optional<Saturation> sat = SaturationAtT(c.T);
    ASSERT_TRUE(sat.has_value()) << c.T;
    const FluidProps &l = sat->liquid, &v = sat->vapour;
    const double h = l.h + c.x * (v.h - l.h), s = l.s + c.x * (v.s - l.s);
    const IsothermAnswer byTH = StateFromTH(c.T, h);
    EXPECT_EQ(byTH.notUnique, c.byTH == kNotUnique) << "T = " << c.T << ", x = " << c.x;
    std::vector<std::optional<PairState>> states{StateFromPH(sat->p, h), StateFromPS(sat->p, s),
                                                 StateFromHS(h, s), StateFromTS(c.T, s).state};
    if (c.byTH == kUnique) states.push_back(byTH.state);
    for (const std::optional<PairState>& state : states) {
      ASSERT_TRUE(state.has_value()) << "T = " << c.T;
      EXPECT_EQ(state->region, Region::k4) << "T = " << c.T;
      EXPECT_TRUE(Close(state->T, c.T, 1e-9)) << "T = " << c.T << ": " << state->T;
      EXPECT_TRUE(Close(state->p, sat->p, 1e-8)) << "T = " << c.T << ": p " << state->p;
      EXPECT_NEAR(state->x, c.x, 1e-8) << "T = " << c.T;
      EXPECT_TRUE(Close(state->liquid.rho, l.rho, 1e-8) && Close(state->vapour.rho, v.rho, 1e-8)) << c.T;
      EXPECT_TRUE(ReproducesH(state->props.h, h) || ReproducesS(state->props.s, s)) << "T = " << c.T;
    }
  }
}

TEST(Iapws95Pairs, PairsWithoutState) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  using Solver = std::optional<PairState> (*)(double, double);
  const struct {
    const char* what;
    Solver solve;
    double a, b;
  } cases[] = {
      {"h below the liquid on the melting curve", StateFromPH, 1, -10},
      {"h below the liquid at 300 MPa", StateFromPH, 300, 150},
      {"h above 1273 K", StateFromPH, 10, 5000},
      {"h above 1273 K at 1000 MPa", StateFromPH, 1000, 4500},
      {"p above 1000 MPa", StateFromPH, 1001, 1000},
      {"p zero", StateFromPH, 0, 1000},
      {"p not a number", StateFromPH, nan, 1000},
      {"h infinite", StateFromPH, 1, inf},
      {"s below the liquid on the melting curve", StateFromPS, 1, -0.1},
      {"s above 1273 K", StateFromPS, 10, 9},
      {"p negative", StateFromPS, -1, 5},
      {"s not a number", StateFromPS, 1, nan},
      {"(h, s) colder than the liquid", StateFromHS, -10, 0},
      {"(h, s) hotter than 1273 K", StateFromHS, 5000, 9},
      {"(h, s) denser than 1000 MPa allows", StateFromHS, 3000, 3},
      {"(h, s) not a number", StateFromHS, nan, 5},
      {"(h, s) infinite", StateFromHS, 2000, inf},
      // Those of liquid water supercooled to 260 K at 100 Pa: a metastable state, not offered.
      {"(h, s) of a supercooled liquid", StateFromHS, -55.97247536, -0.2100241791},
      // The formulation has a root of these at 619 K on a branch far above the liquid's density.
      {"(h, s) of no fluid", StateFromHS, -6.2214703653, 0.935195476024},
  };
  for (const auto& c : cases) EXPECT_FALSE(c.solve(c.a, c.b).has_value()) << c.what;
  const struct {
    const char* what;
    IsothermAnswer (*solve)(double, double);
    double T, y;
  } isotherms[] = {
      {"T below 200 K", StateFromTH, 199, 2400},        {"T above 1273 K", StateFromTS, 1274, 8},
      {"h above the vapour's", StateFromTH, 700, 3500}, {"s below that at 1000 MPa", StateFromTS, 700, 2},
      {"T not a number", StateFromTS, nan, 5},          {"h infinite", StateFromTH, 500, inf},
  };
  for (const auto& c : isotherms) {
    const IsothermAnswer a = c.solve(c.T, c.y);
    EXPECT_FALSE(a.state.has_value() || a.notUnique) << c.what;
  }
  // A vapour's h at a low pressure is its ideal-gas value to 1e-9: not unique.
  EXPECT_TRUE(StateFromTH(700, StateTP(700, 1e-9).h).notUnique);
}

// Values from python3-iapws's IAPWS95 (release 1.5), which solves the pairs with its own
// iterations to some 1e-10: agreement to a relative 1e-9 is asked.
TEST(Iapws95Pairs, AgreesWithAnIndependentImplementation) {
  constexpr double kTolerance = 1e-9;
  const struct {
    const char* what;
    std::optional<PairState> state;
    double T, p, rho;
  } cases[] = {
      {"(p, h) vapour", StateFromPH(1, 3000), 549.168497857, 1, 4.06500813564},
      {"(p, h) liquid", StateFromPH(50, 500), 383.600996945, 50, 973.110744078},
      {"(p, s) at 300 MPa", StateFromPS(300, 2), 467.920791885, 300, 1004.09440065},
      {"(p, s) wet", StateFromPS(0.1, 4), 372.755928897, 0.1, 1.32447785648},
      {"(h, s) vapour", StateFromHS(2800, 5.5), 681.861958769, 21.9938660027, 112.497107712},
      {"(h, s) low pressure", StateFromHS(3200, 7.5), 640.677699857, 0.749825527238, 2.56631524495},
      {"(T, h) vapour", StateFromTH(700, 3200).state, 700, 8.73043922638, 30.2638010266},
      {"(p, h) near critical", StateFromPH(22, 2244.21114687), 647, 22, 243.391675893},
      {"(p, s) liquid at 260 K", StateFromPS(300, -0.242759731429), 260, 300, 1117.66657794},
      {"(h, s) at 800 MPa", StateFromHS(3275.45107254, 4.48208741574), 1000, 800, 855.43020414},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.state.has_value()) << c.what;
    EXPECT_TRUE(Close(c.state->T, c.T, kTolerance)) << c.what << ": T " << c.state->T;
    EXPECT_TRUE(Close(c.state->p, c.p, kTolerance)) << c.what << ": p " << c.state->p;
    EXPECT_TRUE(Close(c.state->props.rho, c.rho, kTolerance)) << c.what << ": rho " << c.state->props.rho;
  }
  EXPECT_NEAR(StateFromPS(0.1, 4)->x, 0.445376723123, kTolerance);
}

}  // namespace
}  // namespace tulo::iapws95
