#include "results/StateEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

struct TPState {
  double T, P;  // K, kPa
};

// One state per region of IF97 and per phase of the built-in correlations.
constexpr TPState kStates[] = {
    {300.0, 100.0},      // liquid (region 1)
    {500.0, 20000.0},    // compressed liquid
    {700.0, 40000.0},    // super critical (region 3)
    {640.0, 17000.0},    // vapour (region 3 below the critical point)
    {700.0, 1000.0},     // superheated (region 2)
    {1500.0, 20000.0},   // region 5 in IF97
    {373.0, 50.0},       // low-pressure vapour
};

double Stored(StateEvaluator& ev, const Evaluated& st, Item item) {
  const CalcResult r = ev.StateValue(st, item);
  EXPECT_TRUE(r.Ok()) << static_cast<int>(item);
  return static_cast<double>(ev.Set().Storage().Store(r.value));
}

// (T, P) -> (h, s) -> back by every pair: the same state, to round-off in IF97 and to the
// precision of the stored values in the built-in standard.
TEST(StateEvaluatorTest, PairsGiveBackTheStateOfTheirValues) {
  struct Case {
    const CorrelationSet* set;
    double tolerance;  // relative
  };
  for (const Case c : {Case{&IapwsCorrelations(), 1e-9}, Case{&BuiltInCorrelations(), 2e-6}}) {
    StateEvaluator ev(*c.set);
    for (const TPState& tp : kStates) {
      if (c.set->Storage().RoundsToReal6() && tp.T > 1273.0) continue;
      const Evaluation given = ev.Evaluate({InputPair::kTP, tp.T, tp.P});
      ASSERT_TRUE(given.state) << given.error;
      const double h = Stored(ev, *given.state, Item::kEnthalpy);
      const double s = Stored(ev, *given.state, Item::kEntropy);
      const StateInput inputs[] = {{InputPair::kPH, tp.P, h}, {InputPair::kPS, tp.P, s}, {InputPair::kHS, h, s}};
      for (const StateInput& in : inputs) {
        SCOPED_TRACE(testing::Message() << c.set->Name() << " T=" << tp.T << " P=" << tp.P
                                        << " pair=" << InfoOf(in.pair).label);
        const Evaluation e = ev.Evaluate(in);
        if (c.set->Storage().RoundsToReal6() && !e.state) continue;  // not unique near the critical point
        ASSERT_TRUE(e.state) << e.error;
        EXPECT_EQ(e.state->condition, given.state->condition);
        EXPECT_NEAR(e.state->T, tp.T, c.tolerance * tp.T);
        EXPECT_NEAR(e.state->P, tp.P, c.tolerance * tp.P * 10);
        EXPECT_NEAR(Stored(ev, *e.state, Item::kEnthalpy), h, c.tolerance * std::fabs(h));
      }
    }
  }
}

// Wet steam by its quality, and the same state found from its enthalpy and entropy; the values
// of wet steam follow each state's own quality (the calculators' kept calls are keyed on it).
TEST(StateEvaluatorTest, WetSteamByQualityAndByPairs) {
  for (const CorrelationSet* set : {&IapwsCorrelations(), &BuiltInCorrelations()}) {
    SCOPED_TRACE(set->Name());
    StateEvaluator ev(*set);
    const Evaluation a = ev.Evaluate({InputPair::kPx, 1000.0, 30.0});
    const Evaluation b = ev.Evaluate({InputPair::kPx, 1000.0, 80.0});
    ASSERT_TRUE(a.state && b.state);
    EXPECT_EQ(a.state->condition, Condition::kSatLiquidVapour);
    const double ha = Stored(ev, *a.state, Item::kEnthalpy);
    const double hb = Stored(ev, *b.state, Item::kEnthalpy);
    EXPECT_LT(ha, hb);
    EXPECT_EQ(Stored(ev, *a.state, Item::kEnthalpy), ha);
    const Evaluation t = ev.Evaluate({InputPair::kTx, a.state->T, 30.0});
    ASSERT_TRUE(t.state);
    EXPECT_NEAR(t.state->P, 1000.0, 1e-6 * 1000.0);
    const double s = Stored(ev, *b.state, Item::kEntropy);
    for (const StateInput& in : {StateInput{InputPair::kPH, 1000.0, hb}, StateInput{InputPair::kHS, hb, s}}) {
      const Evaluation e = ev.Evaluate(in);
      ASSERT_TRUE(e.state) << e.error;
      ASSERT_TRUE(e.state->quality);
      EXPECT_NEAR(*e.state->quality, 80.0, set->Storage().RoundsToReal6() ? 1e-3 : 1e-9);
    }
  }
}

TEST(StateEvaluatorTest, PairsWithoutStateSayWhy) {
  struct Case {
    StateInput input;
    const char* text;
  };
  const Case cases[] = {
      {{InputPair::kPH, 8000.0, -500.0}, "no state with P = 8000 kPa and h = -500 kJ/kg: at P = 8000 kPa h lies between"},
      {{InputPair::kTP, 300.0, 1e9}, "P lies between"},
      {{InputPair::kTx, 300.0, 120.0}, "x lies between 0 and 100 %"},
      {{InputPair::kT, 700.0, 0.0}, "a saturated state has T up to"},
      {{InputPair::kHS, 100.0, 9.0}, "no state with h = 100 kJ/kg and s = 9 kJ/(kg K)"},
      {{InputPair::kPS, NAN, 1.0}, "not a number"},
  };
  for (const CorrelationSet* set : {&IapwsCorrelations(), &BuiltInCorrelations()}) {
    StateEvaluator ev(*set);
    for (const Case& c : cases) {
      const Evaluation e = ev.Evaluate(c.input);
      EXPECT_FALSE(e.state) << set->Name() << " " << c.text;
      EXPECT_NE(e.error.find(c.text), std::string::npos) << set->Name() << ": " << e.error;
    }
  }
}

TEST(StateEvaluatorTest, NamesMakePairsInEitherOrder) {
  using enum PairName;
  EXPECT_EQ(PairOf(kH, kP), InputPair::kPH);
  EXPECT_EQ(PairOf(kS, kH), InputPair::kHS);
  EXPECT_EQ(PairOf(kX, kT), InputPair::kTx);
  EXPECT_FALSE(PairOf(kH, kX));
  EXPECT_FALSE(PairOf(kT, kT));
  EXPECT_EQ(PairNamed("s"), kS);
  EXPECT_FALSE(PairNamed("S"));
}

}  // namespace
}  // namespace tulo
