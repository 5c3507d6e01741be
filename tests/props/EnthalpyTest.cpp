// Enthalpy, enthalpy of vaporisation and internal energy.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Enthalpy, QuotedValues) {
  ExpectValues({
      {kEnthalpyItem, 3, 273.15L, 101.325L, -333.40L, 0.005L, "ice 273.15"},
      {kEnthalpyItem, 1, 373.15L, 0, 418.87L, 0.005L, "saturated liquid 373.15"},
      {kEnthalpyItem, 2, 373.15L, 0, 2674.9L, 0.05L, "saturated vapour 373.15"},
      {kEnthalpyItem, 7, 473.15L, 101.325L, 2874.73L, 0.005L, "vapour 473.15/101.325"},
      {kEnthalpyItem, 7, 673.15L, 1000, 3264.35L, 0.005L, "vapour 673.15/1000"},
      {kEnthalpyItem, 7, 873.15L, 10000, 3623.71L, 0.005L, "vapour 873.15/10000"},
      {kEnthalpyItem, 8, 700, 25000, 2832.45L, 0.005L, "super critical 700/25000"},
      {kEnthalpyItem, 8, 700, 40000, 2238.38L, 0.005L, "super critical 700/40000"},
      {kVaporisationItem, 1, 273.16L, 0, 2500.48L, 0.005L, "vaporisation 273.16"},
      {kVaporisationItem, 1, 373.15L, 0, 2256.02L, 0.005L, "vaporisation 373.15"},
      {kVaporisationItem, 1, 573.15L, 0, 1405.94L, 0.005L, "vaporisation 573.15"},
      {kVaporisationItem, 1, 647.0L, 0, 152.33L, 0.005L, "vaporisation 647"},
      {kVaporisationItem, 0, 273.15L, 0, 2833.18L, 0.005L, "sublimation 273.15"},
      {kVaporisationItem, 0, 200, 0, 2832.29L, 0.005L, "sublimation 200"},
      {kInternalEnergyItem, 1, 373.15L, 101.325L, 418.769L, 0.0005L, "internal energy 373.15"},
  });
}

TEST(Enthalpy, AgreesWithIndependentComputation) {
  ExpectReferences({
      {kEnthalpyItem, 5, 350, 30000, 346.36295105470344L, "compressed liquid 350/30000"},
      {kEnthalpyItem, 5, 300, 50000, 157.98110472201370L, "compressed liquid 300/50000"},
      {kInternalEnergyItem, 5, 350, 30000, 315.97725811833516L, "internal energy 350/30000"},
      {kEnthalpyItem, 7, 500, 1000, 2890.2780289947987L, "vapour below 647.3 K"},
      {kEnthalpyItem, 7, 700, 5000, 3261.7281701453030L, "vapour from 647.3 K"},
      {kEnthalpyItem, 8, 800, 25000, 3253.3854588605464L, "super critical below 30000 kPa"},
      {kEnthalpyItem, 8, 800, 60000, 2752.4651262126863L, "super critical from 30000 kPa"},
      {kVaporisationItem, 1, 450, 0, 2023.3165655220583L, "vaporisation 450"},
  });
}

TEST(Enthalpy, SaturatedAndWetSteamAreBuiltFromTheirParts) {
  CorrelationSession s;
  const long double T = 373.15L;
  const long double hf = s.Eval(kEnthalpyItem, 1, T, 0).value;
  const long double hv = s.Eval(kVaporisationItem, 1, T, 0).value;
  // The inner calls return kept (Real6) values: agreement to a few Real6 units.
  EXPECT_NEAR(static_cast<double>(s.Eval(kEnthalpyItem, 2, T, 0).value), static_cast<double>(hf + hv), 1e-8);
  EXPECT_EQ(s.Eval(kEnthalpyItem, 6, T, 101.325L).value, hf);  // phase 6 is the saturated liquid

  // Over ice: ice plus the heat of sublimation.
  const long double Tice = 250;
  const long double hi = s.Eval(kEnthalpyItem, 0, Tice, 0).value;
  const long double hs = s.Eval(kVaporisationItem, 0, Tice, 0).value;
  EXPECT_NEAR(static_cast<double>(s.Eval(kEnthalpyItem, 2, Tice, 0).value), static_cast<double>(hi + hs),
              1e-8);

  const long double hg = s.Eval(kEnthalpyItem, 2, T, 0).value;
  for (double quality : {0.0, 50.0, 100.0}) {
    CorrelationSession w;
    w.quality = quality;
    Outcome r = w.Eval(kEnthalpyItem, 9, T, 101.325L);
    ASSERT_EQ(r.status, 0);
    EXPECT_NEAR(static_cast<double>(r.value),
                static_cast<double>(((100 - quality) * hf + quality * hg) / 100), 1e-8)
        << "quality " << quality;
  }
}

TEST(Enthalpy, StatusRules) {
  ExpectStatuses({
      {kEnthalpyItem, 7, 1320, 101.325L, 0, 7, "1320 K is inside"},
      {kEnthalpyItem, 7, 1320.01L, 101.325L, 2, 7, "above 1320 K"},
      {kEnthalpyItem, 3, 165.99L, 101.325L, 2, 3, "below 166 K"},
      {kEnthalpyItem, 4, 250, 0.1L, 1, 4, "phase 4"},
      {kEnthalpyItem, 10, 300, 100, 1, 5, "phase 10"},
      {kEnthalpyItem, 7, 600, 23000, 2, 7, "vapour formula beyond 22091 kPa"},
      {kEnthalpyItem, 5, 700, 30000, 1, 5, "compressed liquid above the saturation line"},
      {kEnthalpyItem, 5, 350, 30000, 1, 7, "compressed liquid asked in a vapour condition"},
      {kVaporisationItem, 2, 373.15L, 0, 1, 6, "vaporisation, vapour phase"},
      {kVaporisationItem, 9, 373.15L, 0, 1, 6, "vaporisation, wet steam"},
      {kVaporisationItem, 5, 373.15L, 0, 1, 5, "vaporisation, sub-cooled liquid"},
      {kInternalEnergyItem, 4, 250, 0.1L, 1, 4, "no enthalpy for phase 4"},
      {kInternalEnergyItem, 6, 373.15L, 101.325L, 1, 6, "no density for phase 6"},
      {kInternalEnergyItem, 7, 1320.01L, 101.325L, 2, 7, "enthalpy out of range"},
      {kInternalEnergyItem, 7, 1300, 101.325L, 2, 7, "density out of range"},
  });
}

TEST(Enthalpy, KeepsOnlyCallsInsideItsRange) {
  CorrelationSession s(7);
  PropertyCalculator& h = s.Calc(kEnthalpyItem);
  ASSERT_EQ(s.Eval(kEnthalpyItem, 7, 1320, 101.325L).status, 0);
  for (long double T : {1320.01L, 165.99L}) {
    EXPECT_EQ(s.Eval(kEnthalpyItem, 7, T, 101.325L).status, 2);
    EXPECT_EQ(h.LastTemp(), 1320.0);
    EXPECT_EQ(h.LastStatus(), 0);
  }
}

TEST(Enthalpy, RepeatedCallsAreNotEvaluatedAgain) {
  CorrelationSession s;
  PropertyCalculator& h = s.Calc(kEnthalpyItem);
  const Outcome first = s.Eval(kEnthalpyItem, 5, 350, 30000);
  const long evaluations = h.Evaluations();
  const Outcome again = s.Eval(kEnthalpyItem, 5, 350, 30000);
  EXPECT_EQ(h.Evaluations(), evaluations);
  EXPECT_EQ(again.status, first.status);
  EXPECT_EQ(again.value, static_cast<long double>(h.LastResult()));

  // Internal energy right after the enthalpy of the same state reuses it.
  s.Eval(kInternalEnergyItem, 5, 350, 30000);
  EXPECT_EQ(h.Evaluations(), evaluations);
}

TEST(VaporisationEnthalpy, KeyIsTemperatureAndPhase) {
  CorrelationSession s;
  PropertyCalculator& hv = s.Calc(kVaporisationItem);
  const long double first = s.Eval(kVaporisationItem, 1, 373.15L, 0).value;
  const long evaluations = hv.Evaluations();
  EXPECT_EQ(s.Eval(kVaporisationItem, 1, 373.15L, 500).value, static_cast<long double>(hv.LastResult()));
  EXPECT_EQ(hv.Evaluations(), evaluations);
  EXPECT_NEAR(static_cast<double>(first), hv.LastResult(), 1e-8);  // kept as Real6
  s.Eval(kVaporisationItem, 0, 373.15L, 500);
  EXPECT_EQ(hv.Evaluations(), evaluations + 1);
}

}  // namespace
}  // namespace tulo::testing
