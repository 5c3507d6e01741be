#include <gtest/gtest.h>

#include "common/Real6.h"
#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(SaturationPressure, Examples) {
  ExpectValues({
      {Item::kSaturationPressure, Phase::kNoPhase, 273.16L, 0, 0.6112, 0.00005},
      {Item::kSaturationPressure, Phase::kNoPhase, 298.15L, 0, 3.165, 0.0005},
      {Item::kSaturationPressure, Phase::kNoPhase, 373.15L, 0, 101.33, 0.005},
      {Item::kSaturationPressure, Phase::kNoPhase, 473.15L, 0, 1555.3, 0.05},
      {Item::kSaturationPressure, Phase::kNoPhase, 573.15L, 0, 8589, 0.5},
      {Item::kSaturationPressure, Phase::kNoPhase, 647.29L, 0, 22110.6,
       0.05},  // a typed 647.29 K is inside the range
      {Item::kSaturationPressure, Phase::kNoPhase, 166.0L, 0, 3.066e-07, 0.0005e-07},
      // Independently computed (sublimation branch and vapour-pressure branch just either side
      // of 273.198763 K, and a mid value).
      {Item::kSaturationPressure, Phase::kNoPhase, 250.0L, 0, 0.0759762, 0.0000001},
      {Item::kSaturationPressure, Phase::kNoPhase, 400.0L, 0, 245.577, 0.001},
  });
  ExpectStatuses({{Item::kSaturationPressure, Phase::kNoPhase, 165.99L, 0, 2},
                  {Item::kSaturationPressure, Phase::kNoPhase, 647.3L, 0, 1}});
}

TEST(SaturationTemperature, Examples) {
  ExpectValues({
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 101.325L, 373.150, 0.0005},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 0.61074L, 273.150, 0.0005},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 0.1L, 252.82, 0.005},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 1000.0L, 453.03, 0.005},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 22090.0L, 647.21, 0.005},
      {Item::kSaturationTemperature, Phase::kNoPhase, 0, 3.41e-7L, 166.0, 0.5},
  });
  ExpectStatuses({{Item::kSaturationTemperature, Phase::kNoPhase, 0, 3.4e-7L, 2},
                  {Item::kSaturationTemperature, Phase::kNoPhase, 0, 22090.5L, 1}});
}

TEST(SaturationTemperature, IsTheInverseOfSaturationPressure) {
  for (long double T : {170.0L, 200.0L, 273.16L, 300.0L, 450.0L, 600.0L, 647.0L}) {
    CorrelationSession c;
    auto p = c.Eval(Item::kSaturationPressure, Phase::kNoPhase, T, 0);
    ASSERT_EQ(p.status, Status::kValid);
    auto t = c.Eval(Item::kSaturationTemperature, Phase::kNoPhase, 0, R6(p.value));
    ASSERT_EQ(t.status, Status::kValid);
    EXPECT_NEAR(static_cast<double>(t.value), static_cast<double>(T), 0.001) << static_cast<double>(T);
  }
}

TEST(SaturationCache, KeysAndRangeFailuresNotKept) {
  CorrelationSession c;
  PropertyCalculator* satT = c.table->VarPropCalc(Item::kSaturationTemperature);
  const long double first = satT->Compute(Phase::kNoPhase, 0, 101.325L).value;
  long evaluations = satT->Evaluations();
  // Same pressure, another temperature and phase: the kept call answers.
  const CalcResult again = satT->Compute(Phase::kSubCooledLiquid, 500.0L, 101.325L);
  EXPECT_EQ(satT->Evaluations(), evaluations);
  EXPECT_EQ(again.status, Status::kValid);
  EXPECT_EQ(again.value, R6(first));
  // A pressure beyond the critical one fails and leaves the kept call as it was.
  EXPECT_EQ(satT->Compute(Phase::kNoPhase, 0, 30000.0L).status, Status::kNotGiven);
  EXPECT_EQ(satT->LastPres(), static_cast<double>(R6(101.325L)));
  // The saturation pressure is keyed on temperature only.
  PropertyCalculator* satP = c.table->VarPropCalc(Item::kSaturationPressure);
  satP->Compute(Phase::kNoPhase, 373.15L, 0);
  long before = satP->Evaluations();
  satP->Compute(Phase::kSubCooledSolid, 373.15L, 5000.0L);
  EXPECT_EQ(satP->Evaluations(), before);
  EXPECT_EQ(satP->Compute(Phase::kNoPhase, 100.0L, 0).status, Status::kOutOfRange);
  EXPECT_EQ(satP->LastTemp(), static_cast<double>(R6(373.15L)));
}

TEST(PointCalculators, MeltingAndBoiling) {
  ExpectValues({
      {Item::kMeltingPoint, Phase::kSubCooledLiquid, 300.0L, 101.325L, 273.152518, 1e-9},
      {Item::kMeltingPoint, Phase::kSubCooledSolid, 1000.0L, 101.325L, 273.152518, 1e-9},
      {Item::kMeltingPoint, Phase::kSatLiquid, 300.0L, 100000.0L, 265.73104, 0.00001},
      {Item::kMeltingPoint, Phase::kSatSolid, 300.0L, 0.1L, 273.1600, 0.00005},
      {Item::kBoilingPoint, Phase::kSubCooledLiquid, 300.0L, 101.325L, 373.150, 0.0005},
      {Item::kBoilingPoint, Phase::kSuperheated, 500.0L, 101.325L, 373.150, 0.0005},
  });
  ExpectStatuses({
      {Item::kMeltingPoint, Phase::kSubCooledLiquid, 300.0L, 100000.5L, 2},
      {Item::kMeltingPoint, Phase::kSatVapour, 300.0L, 101.325L, 1},
      {Item::kMeltingPoint, Phase::kSuperheated, 300.0L, 101.325L, 1},
      {Item::kMeltingPoint, Phase::kSuperCritical, 300.0L, 101.325L, 1},
      {Item::kBoilingPoint, Phase::kSuperCritical, 700.0L, 25000.0L, 1},
      {Item::kBoilingPoint, Phase::kSubCooledSolid, 200.0L, 1e-8L, 2},
  });
}

TEST(PointCalculators, BoilingPointAsksSaturationTemperatureOnce) {
  CorrelationSession c;
  c.table->VarPropCalc(Item::kBoilingPoint)->Compute(Phase::kSubCooledLiquid, 300.0L, 101.325L);
  long satEvaluations = c.table->VarPropCalc(Item::kSaturationTemperature)->Evaluations();
  // A new temperature misses the boiling point's own kept call but the saturation temperature
  // answers from its kept call.
  c.table->VarPropCalc(Item::kBoilingPoint)->Compute(Phase::kSubCooledLiquid, 310.0L, 101.325L);
  EXPECT_EQ(c.table->VarPropCalc(Item::kBoilingPoint)->Evaluations(), 2);
  EXPECT_EQ(c.table->VarPropCalc(Item::kSaturationTemperature)->Evaluations(), satEvaluations);
}

TEST(CalculatorText, StatusTexts) {
  CorrelationSession c;
  EXPECT_EQ(c.Text(Item::kSaturationPressure, Phase::kNoPhase, 373.15L, 0), "101.33");
  EXPECT_EQ(c.Text(Item::kSaturationPressure, Phase::kNoPhase, 647.3L, 0), " -");
  EXPECT_EQ(c.Text(Item::kSaturationPressure, Phase::kNoPhase, 100.0L, 0), "Out of Range");
  EXPECT_EQ(c.Text(Item::kMeltingPoint, Phase::kSubCooledLiquid, 300.0L, 101.325L), "273.15");
  c.units.InitUnits({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  // 373.14982 K is 99.99982 degrees Celsius: three decimals below 100.
  EXPECT_EQ(c.Text(Item::kBoilingPoint, Phase::kSubCooledLiquid, 300.0L, 101.325L), "100.000");
}

}  // namespace
}  // namespace tulo::testing
