// Density and compressibility factor.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Density, QuotedValues) {
  ExpectValues({
      {Item::kDensity, Phase::kSatLiquid, 273.16L, 0, 999.86L, 0.005L, "saturated liquid 273.16"},
      {Item::kDensity, Phase::kSatLiquid, 373.15L, 0, 958.37L, 0.005L, "saturated liquid 373.15"},
      {Item::kDensity, Phase::kSatLiquid, 573.15L, 0, 712.23L, 0.005L, "saturated liquid 573.15"},
      {Item::kDensity, Phase::kSatVapour, 373.15L, 101.325L, 0.59792L, 0.000005L, "saturated vapour 373.15"},
      {Item::kDensity, Phase::kSubCooledSolid, 273.15L, 101.325L, 916.88L, 0.005L, "ice 273.15"},
      {Item::kDensity, Phase::kSubCooledLiquid, 300, 101.325L, 993.96L, 0.005L, "liquid 300/101.325"},
      {Item::kDensity, Phase::kSubCooledLiquid, 300, 10000, 997.42L, 0.005L, "liquid 300/10000"},
      {Item::kCompressibilityFactor, Phase::kSatVapour, 373.15L, 101.325L, 0.98400L, 0.000005L,
       "Z saturated vapour 373.15"},
      {Item::kCompressibilityFactor, Phase::kSuperheated, 400, 100, 0.9884L, 0.00005L, "Z region A"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 700, 45000, 0.3108L, 0.00005L, "Z region E"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 700, 60000, 0.3401L, 0.00005L, "Z region F"},
  });
}

// One state per formula and region, away from the quoted ones, and the region boundaries.
TEST(Density, AgreesWithIndependentComputation) {
  ExpectReferences({
      {Item::kDensity, Phase::kSuperCritical, 800, 50000, 217.46902421451826L, "super critical via region D"},
      {Item::kDensity, Phase::kSatLiquid, 450, 0, 889.95982906697048L, "saturated liquid 450"},
      {Item::kDensity, Phase::kSatVapour, 450, 932.09537832159549L, 4.8134157316591169L,
       "saturated vapour 450"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 800, 50000, 0.62271224828054983L, "region D"},
      {Item::kCompressibilityFactor, Phase::kSuperheated, 700, 10000, 0.87481074891184107L, "region B"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 660, 25000, 0.32936926254842547L, "region C"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 660, 40000, 0.22947582498636621L, "region E"},
      {Item::kCompressibilityFactor, Phase::kSuperheated, 500, 500, 0.97901075502522872L, "region A"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 647.29L, 10000, 0.82473449288227130L,
       "647.29 K is region B (A would give 0.81877)"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 650, 22090, 0.36210641778779973L,
       "22090 kPa is region C"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 650, 27000, 0.17050871250444288L,
       "region C switched off (r^300 ~ 3e22)"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 1274, 100000, 0.96940383566925448L,
       "both upper limits, region D"},
  });
}

TEST(Density, WetSteamMixesSpecificVolumes) {
  const long double T = 373.15L, P = 101.325L;
  CorrelationSession s;
  const long double liquid = s.Eval(Item::kDensity, Phase::kSatLiquid, T, 0).value;
  const long double vapour = s.Eval(Item::kDensity, Phase::kSatVapour, T, P).value;
  const struct {
    double quality;
    long double expected;
  } cases[] = {
      {0, liquid},
      {100, vapour},
      {50, 100.0L / (50.0L / liquid + 50.0L / vapour)},
  };
  for (const auto& c : cases) {
    CorrelationSession w;
    w.quality = c.quality;
    Outcome r = w.Eval(Item::kDensity, Phase::kWetSteam, T, P);
    ASSERT_EQ(r.status, Status::kValid);
    EXPECT_NEAR(static_cast<double>(r.value / c.expected), 1.0, 1e-11) << "quality " << c.quality;
  }
}

TEST(Density, StatusRules) {
  ExpectStatuses({
      {Item::kDensity, Phase::kSuperheated, 1300, 101.325L, 2, Condition::kSuperheated,
       "vapour above 1274 K"},
      {Item::kDensity, Phase::kSuperCritical, 1300, 50000, 2, Condition::kSuperCritical,
       "super critical above 1274 K"},
      {Item::kDensity, Phase::kSuperheated, 1274, 101.325L, 0, Condition::kSuperheated, "1274 K is inside"},
      {Item::kDensity, Phase::kSuperCritical, 900, 100000.5L, 2, Condition::kSuperCritical,
       "above 100000 kPa"},
      {Item::kDensity, Phase::kSatSolidVapour, 250, 0.1L, 1, Condition::kSatSolidVapour, "phase 4"},
      {Item::kDensity, Phase::kSatLiquidVapour, 373.15L, 101.325L, 1, Condition::kSatLiquidVapour, "phase 6"},
      {Item::kDensity, Phase::kNoPhase, 373.15L, 101.325L, 1, Condition::kSatLiquidVapour, "phase 10"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 1274.5L, 100000, 2, Condition::kSuperCritical,
       "Z above 1274 K"},
      {Item::kCompressibilityFactor, Phase::kSuperCritical, 1000, 100000.5L, 2, Condition::kSuperCritical,
       "Z above 100000 kPa"},
      {Item::kCompressibilityFactor, Phase::kSuperheated, 600, 25000, 2, Condition::kSuperheated,
       "Z region A beyond 22114 kPa"},
      {Item::kCompressibilityFactor, Phase::kSatLiquid, 373.15L, 0, 1, Condition::kSatLiquidVapour,
       "Z of a liquid"},
      {Item::kCompressibilityFactor, Phase::kSubCooledLiquid, 300, 101.325L, 1, Condition::kSubCooledLiquid,
       "Z of a sub-cooled liquid"},
      {Item::kCompressibilityFactor, Phase::kSubCooledSolid, 250, 101.325L, 1, Condition::kSubCooledSolid,
       "Z of ice"},
      {Item::kCompressibilityFactor, Phase::kSatLiquidVapour, 373.15L, 101.325L, 1,
       Condition::kSatLiquidVapour, "Z phase 6"},
  });
  CorrelationSession s;
  EXPECT_EQ(s.Text(Item::kCompressibilityFactor, Phase::kSatLiquid, 373.15L, 0), " -");
  EXPECT_EQ(s.Text(Item::kDensity, Phase::kSuperheated, 1300, 101.325L), "Out of Range");
}

TEST(Density, KeepsFailedCallsToo) {
  CorrelationSession s;
  PropertyCalculator& rho = s.Calc(Item::kDensity);
  EXPECT_EQ(s.Eval(Item::kDensity, Phase::kSuperheated, 1300, 101.325L).status, Status::kOutOfRange);
  const long evaluations = rho.Evaluations();
  EXPECT_EQ(rho.LastStatus(), Status::kOutOfRange);
  EXPECT_EQ(s.Eval(Item::kDensity, Phase::kSuperheated, 1300, 101.325L).status, Status::kOutOfRange);
  EXPECT_EQ(rho.Evaluations(), evaluations);
}

}  // namespace
}  // namespace tulo::testing
