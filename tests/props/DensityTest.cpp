// Density and compressibility factor.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Density, QuotedValues) {
  ExpectValues({
      {kDensityItem, 1, 273.16L, 0, 999.86L, 0.005L, "saturated liquid 273.16"},
      {kDensityItem, 1, 373.15L, 0, 958.37L, 0.005L, "saturated liquid 373.15"},
      {kDensityItem, 1, 573.15L, 0, 712.23L, 0.005L, "saturated liquid 573.15"},
      {kDensityItem, 2, 373.15L, 101.325L, 0.59792L, 0.000005L, "saturated vapour 373.15"},
      {kDensityItem, 3, 273.15L, 101.325L, 916.88L, 0.005L, "ice 273.15"},
      {kDensityItem, 5, 300, 101.325L, 993.96L, 0.005L, "liquid 300/101.325"},
      {kDensityItem, 5, 300, 10000, 997.42L, 0.005L, "liquid 300/10000"},
      {kZItem, 2, 373.15L, 101.325L, 0.98400L, 0.000005L, "Z saturated vapour 373.15"},
      {kZItem, 7, 400, 100, 0.9884L, 0.00005L, "Z region A"},
      {kZItem, 8, 700, 45000, 0.3108L, 0.00005L, "Z region E"},
      {kZItem, 8, 700, 60000, 0.3401L, 0.00005L, "Z region F"},
  });
}

// One state per formula and region, away from the quoted ones, and the region boundaries.
TEST(Density, AgreesWithIndependentComputation) {
  ExpectReferences({
      {kDensityItem, 8, 800, 50000, 217.46902421451826L, "super critical via region D"},
      {kDensityItem, 1, 450, 0, 889.95982906697048L, "saturated liquid 450"},
      {kDensityItem, 2, 450, 932.09537832159549L, 4.8134157316591169L, "saturated vapour 450"},
      {kZItem, 8, 800, 50000, 0.62271224828054983L, "region D"},
      {kZItem, 7, 700, 10000, 0.87481074891184107L, "region B"},
      {kZItem, 8, 660, 25000, 0.32936926254842547L, "region C"},
      {kZItem, 8, 660, 40000, 0.22947582498636621L, "region E"},
      {kZItem, 7, 500, 500, 0.97901075502522872L, "region A"},
      {kZItem, 8, 647.29L, 10000, 0.82473449288227130L, "647.29 K is region B (A would give 0.81877)"},
      {kZItem, 8, 650, 22090, 0.36210641778779973L, "22090 kPa is region C"},
      {kZItem, 8, 650, 27000, 0.17050871250444288L, "region C switched off (r^300 ~ 3e22)"},
      {kZItem, 8, 1274, 100000, 0.96940383566925448L, "both upper limits, region D"},
  });
}

TEST(Density, WetSteamMixesSpecificVolumes) {
  const long double T = 373.15L, P = 101.325L;
  CorrelationSession s;
  const long double liquid = s.Eval(kDensityItem, 1, T, 0).value;
  const long double vapour = s.Eval(kDensityItem, 2, T, P).value;
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
    Outcome r = w.Eval(kDensityItem, 9, T, P);
    ASSERT_EQ(r.status, 0);
    EXPECT_NEAR(static_cast<double>(r.value / c.expected), 1.0, 1e-11) << "quality " << c.quality;
  }
}

TEST(Density, StatusRules) {
  ExpectStatuses({
      {kDensityItem, 7, 1300, 101.325L, 2, 7, "vapour above 1274 K"},
      {kDensityItem, 8, 1300, 50000, 2, 8, "super critical above 1274 K"},
      {kDensityItem, 7, 1274, 101.325L, 0, 7, "1274 K is inside"},
      {kDensityItem, 8, 900, 100000.5L, 2, 8, "above 100000 kPa"},
      {kDensityItem, 4, 250, 0.1L, 1, 4, "phase 4"},
      {kDensityItem, 6, 373.15L, 101.325L, 1, 6, "phase 6"},
      {kDensityItem, 10, 373.15L, 101.325L, 1, 6, "phase 10"},
      {kZItem, 8, 1274.5L, 100000, 2, 8, "Z above 1274 K"},
      {kZItem, 8, 1000, 100000.5L, 2, 8, "Z above 100000 kPa"},
      {kZItem, 7, 600, 25000, 2, 7, "Z region A beyond 22114 kPa"},
      {kZItem, 1, 373.15L, 0, 1, 6, "Z of a liquid"},
      {kZItem, 5, 300, 101.325L, 1, 5, "Z of a sub-cooled liquid"},
      {kZItem, 3, 250, 101.325L, 1, 3, "Z of ice"},
      {kZItem, 6, 373.15L, 101.325L, 1, 6, "Z phase 6"},
  });
  CorrelationSession s;
  EXPECT_EQ(s.Text(kZItem, 1, 373.15L, 0), " -");
  EXPECT_EQ(s.Text(kDensityItem, 7, 1300, 101.325L), "Out of Range");
}

TEST(Density, KeepsFailedCallsToo) {
  CorrelationSession s;
  PropertyCalculator& rho = s.Calc(kDensityItem);
  EXPECT_EQ(s.Eval(kDensityItem, 7, 1300, 101.325L).status, 2);
  const long evaluations = rho.Evaluations();
  EXPECT_EQ(rho.LastStatus(), 2);
  EXPECT_EQ(s.Eval(kDensityItem, 7, 1300, 101.325L).status, 2);
  EXPECT_EQ(rho.Evaluations(), evaluations);
}

}  // namespace
}  // namespace tulo::testing
