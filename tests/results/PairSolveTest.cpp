// States from pairs of properties with the built-in correlations: a state given by T and P (or by
// P and a quality) goes to h and s through the calculators and back through each pair; the state
// found must give back the pair to the precision of the stored values.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "results/PairSolve.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

struct Values {
  long double h, s;
};

// h and s of a state as the calculators store them; a fresh session each time, so that no kept
// call of an earlier state (or quality) answers.
Values StoredValues(const PairState& st) {
  Session s;
  s.state.Condition = st.condition;
  s.steamQuality = static_cast<double>(st.quality);
  const Phase phase = IsSaturated(st.condition) ? Phase::kWetSteam : PhaseOf(st.condition);
  const long double h = s.Calculators().Compute(Item::kEnthalpy, phase, st.T, st.P).value;
  const long double e = s.Calculators().Compute(Item::kEntropy, phase, st.T, st.P).value;
  return {s.Set().Storage().Store(h), s.Set().Storage().Store(e)};
}

// The state at (T, P), or on the saturation line at P with `quality` when T is 0.
PairState StateOf(long double T, long double P, long double quality) {
  Session s;
  const CorrelationSet& set = s.Set();
  P = set.Storage().Store(P);
  T = T > 0 ? set.Storage().Store(T) : set.Storage().Store(set.SaturationTemperature(s.Calculators(), P).value);
  DetermineCondition(s.state, s.Calculators(), T, P);
  return {T, P, s.state.Condition, IsSaturated(s.state.Condition) ? quality : 0.0L};
}

TEST(PairSolve, RoundTripsReproduceThePairToTheStoredPrecision) {
  using enum Condition;
  using enum InputPair;
  struct Case {
    long double T, P, quality;  // T = 0: saturated at P
    Condition condition;
    std::vector<InputPair> pairs;  // T-h and T-s only where the isotherm gives one state
  };
  const Case cases[] = {
      {300, 101.325, 0, kSubCooledLiquid, {kPH, kPS, kHS, kTS}},
      {450, 5000, 0, kSubCooledLiquid, {kPH, kPS, kHS, kTS}},
      {290, 100000, 0, kSubCooledLiquid, {kPH, kPS, kHS, kTS}},
      {600, 30000, 0, kSubCooledLiquid, {kPH, kPS, kHS, kTH, kTS}},
      {400, 10, 0, kSuperheated, {kPH, kPS, kHS, kTH, kTS}},
      {700, 1000, 0, kSuperheated, {kPH, kPS, kHS, kTH, kTS}},
      {1200, 100, 0, kSuperheated, {kPH, kPS, kHS, kTH, kTS}},
      {300, 0.01, 0, kSuperheated, {kPH, kPS, kHS, kTS}},  // h nearly independent of P
      {900, 50000, 0, kSuperCritical, {kPH, kPS, kHS, kTH, kTS}},
      {700, 40000, 0, kSuperCritical, {kPH, kPS, kHS, kTH, kTS}},
      {800, 25000, 0, kSuperCritical, {kPH, kPS, kHS, kTH, kTS}},
      {0, 101.325, 37.5, kSatLiquidVapour, {kPH, kPS, kHS, kTH, kTS}},
      {0, 5000, 80, kSatLiquidVapour, {kPH, kPS, kHS, kTH, kTS}},
      {0, 15000, 10, kSatLiquidVapour, {kPH, kPS, kHS, kTH, kTS}},
      {0, 0.7, 37.5, kSatLiquidVapour, {kPH, kPS, kHS}},
  };
  for (const Case& c : cases) {
    const PairState given = StateOf(c.T, c.P, c.quality);
    ASSERT_EQ(given.condition, c.condition) << c.T << " K " << c.P << " kPa";
    const Values v = StoredValues(given);
    for (const InputPair pair : c.pairs) {
      const std::string label = std::string(InfoOf(pair).label) + " at " +
                                std::to_string(static_cast<double>(given.T)) + " K, " +
                                std::to_string(static_cast<double>(given.P)) + " kPa";
      const bool byT = pair == kTH || pair == kTS;
      const long double a = pair == kHS ? v.h : byT ? given.T : given.P;
      const long double b = pair == kPH || pair == kTH ? v.h : v.s;
      const PairAnswer answer = SolvePair(BuiltInCorrelations(), pair, a, b);
      ASSERT_TRUE(answer.ok) << label << ": " << answer.error;
      const PairState& found = answer.state;
      EXPECT_EQ(found.condition, c.condition) << label;
      // Measured: at most 5e-9 of the value (the flatness of the liquid's entropy in h-s).
      const Values back = StoredValues(found);
      if (pair != kPS && pair != kTS) {
        EXPECT_NEAR(static_cast<double>(back.h / v.h), 1.0, 1e-8) << label;
      }
      if (pair != kPH && pair != kTH) {
        EXPECT_NEAR(static_cast<double>(back.s / v.s), 1.0, 1e-8) << label;
      }
      // The same state, not another branch with the same values.
      EXPECT_NEAR(static_cast<double>(found.T), static_cast<double>(given.T), 1e-5) << label;
      EXPECT_NEAR(static_cast<double>(found.P / given.P), 1.0, pair == kTH ? 2e-4 : 1e-4) << label;
      EXPECT_NEAR(static_cast<double>(found.quality), static_cast<double>(given.quality), 1e-6) << label;
    }
  }
}

TEST(PairSolve, PairsWithoutOneStateAreErrorsThatSayWhy) {
  using enum InputPair;
  struct Case {
    InputPair pair;
    long double a, b;
    const char* text;   // the start of the message
    const char* range;  // what it says about the range, or nothing
  };
  const Case cases[] = {
      {kPH, 8000, -50, "no state with P = 8000 kPa and h = -50 kJ/kg", ": at P = 8000 kPa h lies between "},
      {kPH, 100, 6000, "no state with P = 100 kPa and h = 6000 kJ/kg", ": at P = 100 kPa h lies between "},
      {kPS, 1000, 20, "no state with P = 1000 kPa and s = 20 kJ/(kg K)", ": at P = 1000 kPa s lies between "},
      {kHS, 3000, 2, "no state with h = 3000 kJ/kg and s = 2 kJ/(kg K)",
       ": at h = 3000 kJ/kg s lies between "},
      {kHS, 9000, 8, "no state with h = 9000 kJ/kg and s = 8 kJ/(kg K)", ": no pressure from "},
      {kTS, 500, 30, "no state with T = 500 K and s = 30 kJ/(kg K)", ": at T = 500 K s lies between "},
      {kPH, -5, 100, "no state with P = -5 kPa: P lies between ", nullptr},
      {kTS, 2000, 7, "no state with T = 2000 K: T lies between ", nullptr},
      {kHS, std::nan(""), 7, "no state: a value of the pair is not a number", nullptr},
      // T-P, T-x and the like are the evaluator's own: no state from the pair solution.
      {kTP, 500, 1000, "no state: only P-h, P-s, h-s, T-h and T-s are solved", nullptr},
      {kPx, 1000, 50, "no state: only P-h, P-s, h-s, T-h and T-s are solved", nullptr},
      // Above the critical pressure the liquid's enthalpy near the critical temperature exceeds
      // the super critical enthalpy just above it: two temperatures.
      {kPH, 25000, 1900, "the state with P = 25000 kPa and h = 1900 kJ/kg is not unique", nullptr},
      {kTH, 647.5L, 1800, "the state with T = 647.5 K and h = 1800 kJ/kg is not unique", nullptr},
      // The super critical enthalpy changes formula at 30000 kPa: the values overlap there.
      {kTH, 700, StoredValues(StateOf(700, 30000, 0)).h,
       "the state with T = 700 K and h = 2612.63 kJ/kg is not unique", nullptr},
      {kHS, StoredValues(StateOf(700, 30000, 0)).h, StoredValues(StateOf(700, 30000, 0)).s,
       "the state with h = 2612.63 kJ/kg and s = 5.15894 kJ/(kg K) is not unique", nullptr},
      {kPS, 25000, 4.1L, "the state with P = 25000 kPa and s = 4.1 kJ/(kg K) is not unique", nullptr},
      // Liquid h at 300 K rises with P into the wet range at 300 K.
      {kTH, 300, 150, "the state with T = 300 K and h = 150 kJ/kg is not unique", nullptr},
      // Vapour h at 300 K hardly depends on P at low pressure: many pressures store this value.
      {kTH, 300, StoredValues(StateOf(300, 1e-5L, 0)).h,
       "the state with T = 300 K and h = 2550.28 kJ/kg is not unique", nullptr},
  };
  for (const Case& c : cases) {
    const PairAnswer answer = SolvePair(BuiltInCorrelations(), c.pair, c.a, c.b);
    ASSERT_FALSE(answer.ok) << c.text;
    EXPECT_EQ(answer.error.rfind(c.text, 0), 0u) << answer.error;
    if (c.range != nullptr) {
      EXPECT_NE(answer.error.find(c.range), std::string::npos) << answer.error;
    }
  }
}

}  // namespace
}  // namespace tulo
