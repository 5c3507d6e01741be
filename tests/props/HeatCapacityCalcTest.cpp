// Heat capacity at constant pressure, kJ/kg.K.

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

constexpr Item kCp = Item::kHeatCapacity;

TEST(HeatCapacityCalcTest, PublishedValues) {
  ExpectValues({
      {kCp, Phase::kSubCooledSolid, 273.15, 101.325, 2.10266, 0.000005},
      {kCp, Phase::kSubCooledLiquid, 300, 101.325, 4.20870, 0.000005},
      {kCp, Phase::kSubCooledLiquid, 373.15, 101.33, 4.22479, 0.000005},
      {kCp, Phase::kSubCooledLiquid, 573.15, 8589, 5.64889, 0.000005},
      {kCp, Phase::kSatVapour, 300, 0, 1.86743, 0.000005},  // logarithmic formula
      {kCp, Phase::kSatVapour, 373.15, 0, 2.05420, 0.000005},
      {kCp, Phase::kSatVapour, 573.15, 0, 6.00350, 0.000005},
  });
}

TEST(HeatCapacityCalcTest, IndependentReferenceValues) {
  ExpectReferences({
      {kCp, Phase::kSatSolid, 250, 101.325, 1.934524},
      {kCp, Phase::kSubCooledLiquid, 350, 5000, 4.2010087763390947},
      {kCp, Phase::kSatLiquid, 400, 245.6, 4.2631721142349296},  // saturated liquid uses the pressure too
      {kCp, Phase::kSatVapour, 310, 0, 1.8697746983180499},
      {kCp, Phase::kSatVapour, 500, 0, 3.2693412515840837},
  });
}

TEST(HeatCapacityCalcTest, RangeLimits) {
  ExpectStatuses({
      {kCp, Phase::kSubCooledLiquid, 635, 30000, 0},
      {kCp, Phase::kSubCooledLiquid, 635.1, 30000, 2},
      {kCp, Phase::kSubCooledLiquid, 640, 30000, 2},
      {kCp, Phase::kSatVapour, 622, 0, 0},
      {kCp, Phase::kSatVapour, 622.1, 0, 2},
      {kCp, Phase::kSatVapour, 630, 0, 2},
      {kCp, Phase::kSuperheated, 165.9, 1, 2},
      {kCp, Phase::kSuperCritical, 1273.1, 30000, 2},
      {kCp, Phase::kSuperheated, 647.25, 1000, 2},
      {kCp, Phase::kSuperheated, 647.3, 1000, 2},
      {kCp, Phase::kSuperCritical, 647.35, 25000, 2},
  });
  ExpectNotGiven(kCp, {Phase::kSatSolidVapour, Phase::kSatLiquidVapour, Phase::kWetSteam, Phase::kNoPhase});
}

// Vapour and super critical states inside the range, up to the edges of the band around the
// critical temperature, take the slope of the enthalpy.
TEST(HeatCapacityCalcTest, VapourInsideItsRangeAsksTheEnthalpy) {
  ExpectStatuses({{kCp, Phase::kSuperheated, 647.2, 1000, 0},
                  {kCp, Phase::kSuperheated, 647.4, 1000, 0},
                  {kCp, Phase::kSuperCritical, 1273, 30000, 0},
                  {kCp, Phase::kSuperheated, 473.15, 101.325, 0}});
}

// Central difference of the enthalpy over T +- 0.05 K; the expected values come from the vapour and
// super critical enthalpy fits evaluated by hand (to about 1e-8: the enthalpies are Real6).
TEST(HeatCapacityCalcTest, VapourSlopeOfTheEnthalpy) {
  ExpectValues({
      {kCp, Phase::kSuperheated, 473.15, 101.325, 1.9799719750881195, 2e-6},
      {kCp, Phase::kSuperheated, 647.4, 1000, 2.1615660190582275, 2e-6},
      {kCp, Phase::kSuperheated, 673.15, 1000, 2.1465903893113136, 2e-6},
      {kCp, Phase::kSuperheated, 1273, 100, 2.4666942656040192, 2e-6},
      {kCp, Phase::kSuperCritical, 700, 25000, 6.2203269824385643, 2e-6},
      {kCp, Phase::kSuperCritical, 800, 40000, 5.230974406003952, 2e-6},
  });
  // 166 K passes the own range test, but the enthalpy's range ends at 166 K: 165.95 K fails there.
  ExpectStatuses({{kCp, Phase::kSuperheated, 166, 0.0001, 2}});
}

TEST(HeatCapacityCalcTest, DifferenceQuotientAsksBothTemperaturesEachTime) {
  CorrelationSession s(Condition::kSuperheated);
  PropertyCalculator& h = s.Calc(Item::kEnthalpy);
  long before = h.Evaluations();
  ASSERT_EQ(s.Eval(kCp, Phase::kSuperheated, 600.0L, 1000.0L).status, Status::kValid);
  EXPECT_EQ(h.Evaluations(), before + 2);  // T + 0.05 K and T - 0.05 K
  // The enthalpy keeps only its last call: the next state asks both temperatures again, even
  // when one of them is the other state's.
  ASSERT_EQ(s.Eval(kCp, Phase::kSuperheated, 600.1L, 1000.0L).status, Status::kValid);
  EXPECT_EQ(h.Evaluations(), before + 4);
  // A repeat of the heat capacity's own kept call asks nothing.
  ASSERT_EQ(s.Eval(kCp, Phase::kSuperheated, 600.1L, 1000.0L).status, Status::kValid);
  EXPECT_EQ(h.Evaluations(), before + 4);
}

}  // namespace
}  // namespace tulo::testing
