// Enthalpy, enthalpy of vaporisation and internal energy.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Enthalpy, QuotedValues) {
  ExpectValues({
      {Item::kEnthalpy, Phase::kSubCooledSolid, 273.15L, 101.325L, -333.40L, 0.005L, "ice 273.15"},
      {Item::kEnthalpy, Phase::kSatLiquid, 373.15L, 0, 418.87L, 0.005L, "saturated liquid 373.15"},
      {Item::kEnthalpy, Phase::kSatVapour, 373.15L, 0, 2674.9L, 0.05L, "saturated vapour 373.15"},
      {Item::kEnthalpy, Phase::kSuperheated, 473.15L, 101.325L, 2874.73L, 0.005L, "vapour 473.15/101.325"},
      {Item::kEnthalpy, Phase::kSuperheated, 673.15L, 1000, 3264.35L, 0.005L, "vapour 673.15/1000"},
      {Item::kEnthalpy, Phase::kSuperheated, 873.15L, 10000, 3623.71L, 0.005L, "vapour 873.15/10000"},
      {Item::kEnthalpy, Phase::kSuperCritical, 700, 25000, 2832.45L, 0.005L, "super critical 700/25000"},
      {Item::kEnthalpy, Phase::kSuperCritical, 700, 40000, 2238.38L, 0.005L, "super critical 700/40000"},
      {Item::kVaporisationEnthalpy, Phase::kSatLiquid, 273.16L, 0, 2500.48L, 0.005L, "vaporisation 273.16"},
      {Item::kVaporisationEnthalpy, Phase::kSatLiquid, 373.15L, 0, 2256.02L, 0.005L, "vaporisation 373.15"},
      {Item::kVaporisationEnthalpy, Phase::kSatLiquid, 573.15L, 0, 1405.94L, 0.005L, "vaporisation 573.15"},
      {Item::kVaporisationEnthalpy, Phase::kSatLiquid, 647.0L, 0, 152.33L, 0.005L, "vaporisation 647"},
      {Item::kVaporisationEnthalpy, Phase::kSatSolid, 273.15L, 0, 2833.18L, 0.005L, "sublimation 273.15"},
      {Item::kVaporisationEnthalpy, Phase::kSatSolid, 200, 0, 2832.29L, 0.005L, "sublimation 200"},
      {Item::kInternalEnergy, Phase::kSatLiquid, 373.15L, 101.325L, 418.769L, 0.0005L,
       "internal energy 373.15"},
  });
}

TEST(Enthalpy, AgreesWithIndependentComputation) {
  ExpectReferences({
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 350, 30000, 346.36295105470344L,
       "compressed liquid 350/30000"},
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 300, 50000, 157.98110472201370L,
       "compressed liquid 300/50000"},
      {Item::kInternalEnergy, Phase::kSubCooledLiquid, 350, 30000, 315.97725811833516L,
       "internal energy 350/30000"},
      {Item::kEnthalpy, Phase::kSuperheated, 500, 1000, 2890.2780289947987L, "vapour below 647.3 K"},
      {Item::kEnthalpy, Phase::kSuperheated, 700, 5000, 3261.7281701453030L, "vapour from 647.3 K"},
      {Item::kEnthalpy, Phase::kSuperCritical, 800, 25000, 3253.3854588605464L,
       "super critical below 30000 kPa"},
      {Item::kEnthalpy, Phase::kSuperCritical, 800, 60000, 2752.4651262126863L,
       "super critical from 30000 kPa"},
      {Item::kVaporisationEnthalpy, Phase::kSatLiquid, 450, 0, 2023.3165655220583L, "vaporisation 450"},
  });
}

TEST(Enthalpy, SaturatedAndWetSteamAreBuiltFromTheirParts) {
  CorrelationSession s;
  const long double T = 373.15L;
  const long double hf = s.Eval(Item::kEnthalpy, Phase::kSatLiquid, T, 0).value;
  const long double hv = s.Eval(Item::kVaporisationEnthalpy, Phase::kSatLiquid, T, 0).value;
  // The inner calls return kept (Real6) values: agreement to a few Real6 units.
  EXPECT_NEAR(static_cast<double>(s.Eval(Item::kEnthalpy, Phase::kSatVapour, T, 0).value),
              static_cast<double>(hf + hv), 1e-8);
  EXPECT_EQ(s.Eval(Item::kEnthalpy, Phase::kSatLiquidVapour, T, 101.325L).value,
            hf);  // phase 6 is the saturated liquid

  // Over ice: ice plus the heat of sublimation.
  const long double Tice = 250;
  const long double hi = s.Eval(Item::kEnthalpy, Phase::kSatSolid, Tice, 0).value;
  const long double hs = s.Eval(Item::kVaporisationEnthalpy, Phase::kSatSolid, Tice, 0).value;
  EXPECT_NEAR(static_cast<double>(s.Eval(Item::kEnthalpy, Phase::kSatVapour, Tice, 0).value),
              static_cast<double>(hi + hs), 1e-8);

  const long double hg = s.Eval(Item::kEnthalpy, Phase::kSatVapour, T, 0).value;
  for (double quality : {0.0, 50.0, 100.0}) {
    CorrelationSession w;
    w.quality = quality;
    Outcome r = w.Eval(Item::kEnthalpy, Phase::kWetSteam, T, 101.325L);
    ASSERT_EQ(r.status, Status::kValid);
    EXPECT_NEAR(static_cast<double>(r.value),
                static_cast<double>(((100 - quality) * hf + quality * hg) / 100), 1e-8)
        << "quality " << quality;
  }
}

TEST(Enthalpy, StatusRules) {
  ExpectStatuses({
      {Item::kEnthalpy, Phase::kSuperheated, 1320, 101.325L, 0, Condition::kSuperheated, "1320 K is inside"},
      {Item::kEnthalpy, Phase::kSuperheated, 1320.01L, 101.325L, 2, Condition::kSuperheated, "above 1320 K"},
      {Item::kEnthalpy, Phase::kSubCooledSolid, 165.99L, 101.325L, 2, Condition::kSubCooledSolid,
       "below 166 K"},
      {Item::kEnthalpy, Phase::kSatSolidVapour, 250, 0.1L, 1, Condition::kSatSolidVapour, "phase 4"},
      {Item::kEnthalpy, Phase::kNoPhase, 300, 100, 1, Condition::kSubCooledLiquid, "phase 10"},
      {Item::kEnthalpy, Phase::kSuperheated, 600, 23000, 2, Condition::kSuperheated,
       "vapour formula beyond 22091 kPa"},
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 700, 30000, 1, Condition::kSubCooledLiquid,
       "compressed liquid above the saturation line"},
      {Item::kEnthalpy, Phase::kSubCooledLiquid, 350, 30000, 1, Condition::kSuperheated,
       "compressed liquid asked in a vapour condition"},
      {Item::kVaporisationEnthalpy, Phase::kSatVapour, 373.15L, 0, 1, Condition::kSatLiquidVapour,
       "vaporisation, vapour phase"},
      {Item::kVaporisationEnthalpy, Phase::kWetSteam, 373.15L, 0, 1, Condition::kSatLiquidVapour,
       "vaporisation, wet steam"},
      {Item::kVaporisationEnthalpy, Phase::kSubCooledLiquid, 373.15L, 0, 1, Condition::kSubCooledLiquid,
       "vaporisation, sub-cooled liquid"},
      {Item::kInternalEnergy, Phase::kSatSolidVapour, 250, 0.1L, 1, Condition::kSatSolidVapour,
       "no enthalpy for phase 4"},
      {Item::kInternalEnergy, Phase::kSatLiquidVapour, 373.15L, 101.325L, 1, Condition::kSatLiquidVapour,
       "no density for phase 6"},
      {Item::kInternalEnergy, Phase::kSuperheated, 1320.01L, 101.325L, 2, Condition::kSuperheated,
       "enthalpy out of range"},
      {Item::kInternalEnergy, Phase::kSuperheated, 1300, 101.325L, 2, Condition::kSuperheated,
       "density out of range"},
  });
}

TEST(Enthalpy, KeepsOnlyCallsInsideItsRange) {
  CorrelationSession s(Condition::kSuperheated);
  PropertyCalculator& h = s.Calc(Item::kEnthalpy);
  ASSERT_EQ(s.Eval(Item::kEnthalpy, Phase::kSuperheated, 1320, 101.325L).status, Status::kValid);
  for (long double T : {1320.01L, 165.99L}) {
    EXPECT_EQ(s.Eval(Item::kEnthalpy, Phase::kSuperheated, T, 101.325L).status, Status::kOutOfRange);
    EXPECT_EQ(h.LastTemp(), 1320.0);
    EXPECT_EQ(h.LastStatus(), Status::kValid);
  }
}

TEST(Enthalpy, RepeatedCallsAreNotEvaluatedAgain) {
  CorrelationSession s;
  PropertyCalculator& h = s.Calc(Item::kEnthalpy);
  const Outcome first = s.Eval(Item::kEnthalpy, Phase::kSubCooledLiquid, 350, 30000);
  const long evaluations = h.Evaluations();
  const Outcome again = s.Eval(Item::kEnthalpy, Phase::kSubCooledLiquid, 350, 30000);
  EXPECT_EQ(h.Evaluations(), evaluations);
  EXPECT_EQ(again.status, first.status);
  EXPECT_EQ(again.value, static_cast<long double>(h.LastResult()));

  // Internal energy right after the enthalpy of the same state reuses it.
  s.Eval(Item::kInternalEnergy, Phase::kSubCooledLiquid, 350, 30000);
  EXPECT_EQ(h.Evaluations(), evaluations);
}

TEST(VaporisationEnthalpy, KeyIsTemperatureAndPhase) {
  CorrelationSession s;
  PropertyCalculator& hv = s.Calc(Item::kVaporisationEnthalpy);
  const long double first = s.Eval(Item::kVaporisationEnthalpy, Phase::kSatLiquid, 373.15L, 0).value;
  const long evaluations = hv.Evaluations();
  EXPECT_EQ(s.Eval(Item::kVaporisationEnthalpy, Phase::kSatLiquid, 373.15L, 500).value,
            static_cast<long double>(hv.LastResult()));
  EXPECT_EQ(hv.Evaluations(), evaluations);
  EXPECT_NEAR(static_cast<double>(first), hv.LastResult(), 1e-8);  // kept as Real6
  s.Eval(Item::kVaporisationEnthalpy, Phase::kSatSolid, 373.15L, 500);
  EXPECT_EQ(hv.Evaluations(), evaluations + 1);
}

}  // namespace
}  // namespace tulo::testing
