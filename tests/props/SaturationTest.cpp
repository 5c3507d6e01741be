#include <gtest/gtest.h>

#include "common/Real6.h"
#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(SaturationPressure, Examples) {
  ExpectValues({
      {20, 10, 273.16L, 0, 0.6112, 0.00005},
      {20, 10, 298.15L, 0, 3.165, 0.0005},
      {20, 10, 373.15L, 0, 101.33, 0.005},
      {20, 10, 473.15L, 0, 1555.3, 0.05},
      {20, 10, 573.15L, 0, 8589, 0.5},
      {20, 10, 647.29L, 0, 22110.6, 0.05},  // a typed 647.29 K is inside the range
      {20, 10, 166.0L, 0, 3.066e-07, 0.0005e-07},
      // Independently computed (sublimation branch and vapour-pressure branch just either side
      // of 273.198763 K, and a mid value).
      {20, 10, 250.0L, 0, 0.0759762, 0.0000001},
      {20, 10, 400.0L, 0, 245.577, 0.001},
  });
  ExpectStatuses({{20, 10, 165.99L, 0, 2}, {20, 10, 647.3L, 0, 1}});
}

TEST(SaturationTemperature, Examples) {
  ExpectValues({
      {33, 10, 0, 101.325L, 373.150, 0.0005},
      {33, 10, 0, 0.61074L, 273.150, 0.0005},
      {33, 10, 0, 0.1L, 252.82, 0.005},
      {33, 10, 0, 1000.0L, 453.03, 0.005},
      {33, 10, 0, 22090.0L, 647.21, 0.005},
      {33, 10, 0, 3.41e-7L, 166.0, 0.5},
  });
  ExpectStatuses({{33, 10, 0, 3.4e-7L, 2}, {33, 10, 0, 22090.5L, 1}});
}

TEST(SaturationTemperature, IsTheInverseOfSaturationPressure) {
  for (long double T : {170.0L, 200.0L, 273.16L, 300.0L, 450.0L, 600.0L, 647.0L}) {
    CorrelationSession c;
    auto p = c.Eval(20, 10, T, 0);
    ASSERT_EQ(p.status, 0);
    auto t = c.Eval(33, 10, 0, R6(p.value));
    ASSERT_EQ(t.status, 0);
    EXPECT_NEAR(static_cast<double>(t.value), static_cast<double>(T), 0.001) << static_cast<double>(T);
  }
}

TEST(SaturationCache, KeysAndRangeFailuresNotKept) {
  CorrelationSession c;
  PropertyCalculator* satT = c.set.VarPropCalc(33);
  std::uint8_t status = 9;
  long double first = satT->Compute(10, status, 0, 101.325L);
  long evaluations = satT->Evaluations();
  // Same pressure, another temperature and phase: the kept call answers.
  long double again = satT->Compute(5, status, 500.0L, 101.325L);
  EXPECT_EQ(satT->Evaluations(), evaluations);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(again, R6(first));
  // A pressure beyond the critical one fails and leaves the kept call as it was.
  satT->Compute(10, status, 0, 30000.0L);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(satT->LastPres(), static_cast<double>(R6(101.325L)));
  // The saturation pressure is keyed on temperature only.
  PropertyCalculator* satP = c.set.VarPropCalc(20);
  satP->Compute(10, status, 373.15L, 0);
  long before = satP->Evaluations();
  satP->Compute(3, status, 373.15L, 5000.0L);
  EXPECT_EQ(satP->Evaluations(), before);
  satP->Compute(10, status, 100.0L, 0);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(satP->LastTemp(), static_cast<double>(R6(373.15L)));
}

TEST(PointCalculators, MeltingAndBoiling) {
  ExpectValues({
      {31, 5, 300.0L, 101.325L, 273.152518, 1e-9},
      {31, 3, 1000.0L, 101.325L, 273.152518, 1e-9},
      {31, 1, 300.0L, 100000.0L, 265.73104, 0.00001},
      {31, 0, 300.0L, 0.1L, 273.1600, 0.00005},
      {32, 5, 300.0L, 101.325L, 373.150, 0.0005},
      {32, 7, 500.0L, 101.325L, 373.150, 0.0005},
  });
  ExpectStatuses({
      {31, 5, 300.0L, 100000.5L, 2},
      {31, 2, 300.0L, 101.325L, 1},
      {31, 7, 300.0L, 101.325L, 1},
      {31, 8, 300.0L, 101.325L, 1},
      {32, 8, 700.0L, 25000.0L, 1},
      {32, 3, 200.0L, 1e-8L, 2},
  });
}

TEST(PointCalculators, BoilingPointAsksSaturationTemperatureOnce) {
  CorrelationSession c;
  std::uint8_t status;
  c.set.VarPropCalc(32)->Compute(5, status, 300.0L, 101.325L);
  long satEvaluations = c.set.VarPropCalc(33)->Evaluations();
  // A new temperature misses the boiling point's own kept call but the saturation temperature
  // answers from its kept call.
  c.set.VarPropCalc(32)->Compute(5, status, 310.0L, 101.325L);
  EXPECT_EQ(c.set.VarPropCalc(32)->Evaluations(), 2);
  EXPECT_EQ(c.set.VarPropCalc(33)->Evaluations(), satEvaluations);
}

TEST(CalculatorText, StatusTexts) {
  CorrelationSession c;
  EXPECT_EQ(c.Text(20, 10, 373.15L, 0), "101.33");
  EXPECT_EQ(c.Text(20, 10, 647.3L, 0), " -");
  EXPECT_EQ(c.Text(20, 10, 100.0L, 0), "Out of Range");
  EXPECT_EQ(c.Text(31, 5, 300.0L, 101.325L), "273.15");
  c.units.InitUnits({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  // 373.14982 K is 99.99982 degrees Celsius: three decimals below 100.
  EXPECT_EQ(c.Text(32, 5, 300.0L, 101.325L), "100.000");
}

}  // namespace
}  // namespace tulo::testing
