// The correlation set is a parameter of the session: swapped at run time, the phase condition,
// the saturated states and the steam search follow the lines and ranges of the set in use.

#include <gtest/gtest.h>

#include "results/FakeCorrelationSet.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/SteamSearch.h"

namespace tulo::testing {
namespace {

Condition Classify(Session& s, long double T, long double P) {
  DetermineCondition(s.state, s.Calculators(), T, P);
  return s.state.Condition;
}

TEST(CorrelationSetSwap, PhaseConditionFollowsTheSetInUse) {
  using enum Condition;
  struct Case {
    long double T, P;
    Condition builtIn, fake;
    const char* label;
  };
  const Case cases[] = {
      {610, 16000, kSubCooledLiquid, kSuperCritical, "above the fake critical point only"},
      {460, 1000, kSuperheated, kSubCooledLiquid, "between the two saturation lines"},
      {464.3L, 1000, kSuperheated, kSatLiquidVapour, "inside the fake 0.5 K band around 464.6 K"},
      {275, 50, kSubCooledLiquid, kSubCooledSolid, "below the fake melting line"},
      {270, Fake::SatPressure(270), kSubCooledSolid, kSatSolidVapour, "on the fake sublimation line"},
  };
  FakeCorrelationSet fake;
  Session s;
  for (const auto& c : cases) {
    s.UseCorrelationSet(BuiltInCorrelations());
    EXPECT_EQ(Classify(s, c.T, c.P), c.builtIn) << c.label;
    s.UseCorrelationSet(fake);
    EXPECT_EQ(&s.Set(), &fake);
    EXPECT_EQ(Classify(s, c.T, c.P), c.fake) << c.label;
    EXPECT_EQ(s.state.ConditionText, ConditionName(c.fake)) << c.label;
  }
}

TEST(CorrelationSetSwap, SaturatedStatesFollowTheSaturationLineOfTheSet) {
  FakeCorrelationSet fake;
  Session s(fake);
  s.state.SatGivenTemperature = true;
  s.state.TempK = 500.0;
  SaturationCondition(s.state, s.Calculators(), s.units);
  EXPECT_NEAR(s.state.PresKPa, static_cast<double>(Fake::SatPressure(500)), 1e-9);
  EXPECT_EQ(s.state.Condition, Condition::kSatLiquidVapour);

  s.state.SatGivenTemperature = false;
  s.state.PresKPa = 1000.0;
  SaturationCondition(s.state, s.Calculators(), s.units);
  EXPECT_NEAR(s.state.TempK, static_cast<double>(Fake::SatTemperature(1000)), 1e-9);
  // Above the fake critical pressure its saturation temperature is not given: T stays.
  const double before = s.state.TempK;
  s.state.PresKPa = 16000.0;
  SaturationCondition(s.state, s.Calculators(), s.units);
  EXPECT_EQ(s.state.TempK, before);
}

TEST(CorrelationSetSwap, SteamSearchFollowsTheSetInUse) {
  FakeCorrelationSet fake;
  Session s;
  s.UseCorrelationSet(fake);
  SearchRequest request;
  request.searchItem = Item::kEnthalpy;
  request.givenItem = Item::kPressure;
  request.fixedValue = 1000;

  // Superheated: h = 2500 + 2 (T - 273.15).
  request.target = 3000;
  SearchAnswer answer = SearchRegion(s, request);
  ASSERT_TRUE(answer.found);
  EXPECT_NEAR(static_cast<double>(answer.x), 523.15, 0.01);
  EXPECT_EQ(s.state.Condition, Condition::kSuperheated);

  // Between the saturated values at 464.6 K: wet steam mixed by mass.
  request.target = 1500;
  answer = SearchRegion(s, request);
  ASSERT_TRUE(answer.found);
  const long double Tsat = Fake::SatTemperature(1000);
  EXPECT_NEAR(static_cast<double>(answer.x), static_cast<double>(Tsat), 1e-9);
  const long double hL = Fake::LiquidH(Tsat), hV = Fake::VapourH(Tsat);
  EXPECT_NEAR(s.steamQuality, static_cast<double>(100 * (1500 - hL) / (hV - hL)), 1e-6);
  EXPECT_EQ(s.state.Condition, Condition::kSatLiquidVapour);

  // 923 K lies beyond the fake search range (840 K); the built-in range reaches 1273.15 K.
  request.target = Fake::VapourH(923);
  EXPECT_FALSE(SearchRegion(s, request).found);
  s.UseCorrelationSet(BuiltInCorrelations());
  EXPECT_TRUE(SearchRegion(s, request).found);
}

}  // namespace
}  // namespace tulo::testing
