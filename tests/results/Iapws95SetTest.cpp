// The IAPWS-95 standard as the program offers it: the evaluator's pairs, the range to 1273 K and
// 1000 MPa, the saturation line and the values of the formulation itself.

#include <gtest/gtest.h>

#include <cmath>

#include "iapws/Iapws95.h"
#include "results/IapwsSet.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"
#include "results/SteamSearch.h"

namespace tulo {
namespace {

double ValueOf(StateEvaluator& ev, const Evaluated& st, Item item) {
  const CalcResult r = ev.StateValue(st, item);
  EXPECT_TRUE(r.Ok()) << static_cast<int>(item);
  return static_cast<double>(r.value);
}

// (T, P) -> (h, s) -> back by every pair, beyond IF97's range too: the same state to 1e-9.
TEST(Iapws95SetTest, EveryPairGivesBackItsState) {
  struct TP {
    double T, P;  // K, kPa
    bool byTh;    // (T, h) unique there
  };
  const TP states[] = {
      {300.0, 100.0, false},       // liquid: its h is met in the wet region too
      {700.0, 40000.0, false},     // super critical: h falls to 200 MPa and rises again
      {640.0, 17000.0, true},      // vapour near the critical point
      {1200.0, 20000.0, true},     // hot vapour
      {1200.0, 500000.0, false},   // 500 MPa, beyond IF97 (h has a minimum below)
      {260.0, 150000.0, false},    // liquid below 273.15 K, above the ice Ih melting curve
      {400.0, 900000.0, false},    // 900 MPa (its h is a wet-steam value too)
  };
  StateEvaluator ev(Iapws95Correlations());
  for (const TP& tp : states) {
    const Evaluation given = ev.Evaluate({InputPair::kTP, tp.T, tp.P});
    ASSERT_TRUE(given.state) << given.error;
    const double h = ValueOf(ev, *given.state, Item::kEnthalpy);
    const double s = ValueOf(ev, *given.state, Item::kEntropy);
    const StateInput inputs[] = {{InputPair::kPH, tp.P, h}, {InputPair::kPS, tp.P, s}, {InputPair::kHS, h, s},
                                 {InputPair::kTS, tp.T, s}, {InputPair::kTH, tp.T, h}};
    for (const StateInput& in : inputs) {
      if (in.pair == InputPair::kTH && !tp.byTh) continue;
      SCOPED_TRACE(testing::Message() << "T=" << tp.T << " P=" << tp.P << " " << InfoOf(in.pair).label);
      const Evaluation e = ev.Evaluate(in);
      ASSERT_TRUE(e.state) << e.error;
      EXPECT_EQ(e.state->condition, given.state->condition);
      EXPECT_NEAR(e.state->T, tp.T, 1e-9 * tp.T);
      EXPECT_NEAR(e.state->P, tp.P, 1e-8 * tp.P);
    }
  }
}

// The values are the formulation's own, stored as doubles, nothing rounded on the way.
TEST(Iapws95SetTest, ValuesAreThoseOfTheFormulation) {
  StateEvaluator ev(Iapws95Correlations());
  for (auto [T, P] : {std::pair{500.0, 1000.0}, std::pair{300.0, 101.325}, std::pair{1000.0, 800000.0}}) {
    const Evaluation e = ev.Evaluate({InputPair::kTP, T, P});
    ASSERT_TRUE(e.state);
    const iapws::FluidProps f = iapws95::StateTP(T, P / 1000.0);
    EXPECT_EQ(ValueOf(ev, *e.state, Item::kEnthalpy), f.h);
    EXPECT_EQ(ValueOf(ev, *e.state, Item::kDensity), f.rho);
    EXPECT_EQ(ValueOf(ev, *e.state, Item::kSpeedOfSound), f.w);
  }
  EXPECT_EQ(Iapws95Correlations().Name(), "IAPWS-95");
}

// Table 8 of the release: the saturation pressure at 450 K is 0.932203564 MPa; the evaluator's
// T-x state lies on it, and its enthalpy mixes h' and h'' (749.161585 and 2774.41078 kJ/kg).
TEST(Iapws95SetTest, WetSteamLiesOnTheFormulationsSaturationLine) {
  StateEvaluator ev(Iapws95Correlations());
  const Evaluation e = ev.Evaluate({InputPair::kTx, 450.0, 25.0});
  ASSERT_TRUE(e.state) << e.error;
  EXPECT_EQ(e.state->condition, Condition::kSatLiquidVapour);
  EXPECT_NEAR(e.state->P, 932.203564, 5e-7);
  EXPECT_NEAR(ValueOf(ev, *e.state, Item::kEnthalpy), 0.75 * 749.161585 + 0.25 * 2774.41078, 1e-5);
}

// The range: to 1273 K and 1000 MPa; the high-pressure ices and the states beyond are not given.
TEST(Iapws95SetTest, RangeEndsAtTheReleasesLimits) {
  StateEvaluator ev(Iapws95Correlations());
  struct Case {
    double T, P;  // K, kPa
    bool state;   // the evaluator takes the input
    Status h;     // the status of its enthalpy
  };
  const Case cases[] = {
      {1273.0, 1e6, true, Status::kValid},
      {1274.0, 1000.0, false, Status::kValid},
      {500.0, 1.0001e6, false, Status::kValid},
      {270.0, 700000.0, true, Status::kOutOfRange},  // below the melting curve of ice VI: no equation
      {250.0, 0.05, true, Status::kValid},           // vapour over ice
      {190.0, 1e-6, true, Status::kOutOfRange},      // vapour below 200 K
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " P=" << c.P);
    const Evaluation e = ev.Evaluate({InputPair::kTP, c.T, c.P});
    ASSERT_EQ(e.state.has_value(), c.state) << e.error;
    if (c.state) {
      EXPECT_EQ(ev.StateValue(*e.state, Item::kEnthalpy).status, c.h);
    }
  }
}

// Viscosity and conductivity hold only in their releases' bands of pressure; the density search
// reaches the liquid up to where an ice of high pressure begins.
TEST(Iapws95SetTest, TransportBandsAndSearchEnds) {
  StateEvaluator ev(Iapws95Correlations());
  struct Case {
    double T, P;      // K, kPa
    Status mu, lambda;
  };
  const Case cases[] = {
      {1000.0, 250000.0, Status::kValid, Status::kOutOfRange},     // lambda: 874 K above 100 MPa
      {1000.0, 800000.0, Status::kOutOfRange, Status::kOutOfRange},
      {400.0, 900000.0, Status::kOutOfRange, Status::kOutOfRange},  // mu: 373.15 K above 500 MPa
      {340.0, 900000.0, Status::kValid, Status::kValid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " P=" << c.P);
    const Evaluation e = ev.Evaluate({InputPair::kTP, c.T, c.P});
    ASSERT_TRUE(e.state) << e.error;
    EXPECT_EQ(ev.StateValue(*e.state, Item::kViscosity).status, c.mu);
    EXPECT_EQ(ev.StateValue(*e.state, Item::kThermalConductivity).status, c.lambda);
  }
  Session s(Iapws95Correlations());
  // At 290 K the isotherm's liquid ends at ice VI (about 920 MPa), not at 1000 MPa.
  const SearchAnswer byT = SearchRegion(s, {Item::kDensity, Item::kTemperature, 1000.0L, 290.0L});
  ASSERT_TRUE(byT.found);
  EXPECT_NEAR(static_cast<double>(byT.x), 2689.49, 0.01);  // kPa
  // At 900 MPa the isobar's liquid starts on the melting curve of ice VI, above 273.16 K.
  const SearchAnswer byP = SearchRegion(s, {Item::kDensity, Item::kPressure, 1200.0L, 900000.0L});
  ASSERT_TRUE(byP.found);
  EXPECT_NEAR(static_cast<double>(byP.x), 343.656, 0.001);  // K
}

}  // namespace
}  // namespace tulo
