#include <gtest/gtest.h>

#include "common/Real6.h"
#include "props/CorrelationSession.h"
#include "results/PhaseCondition.h"

namespace tulo {
namespace {

using testing::CorrelationSession;

int Classify(long double T, long double P) {
  CorrelationSession c;
  CalcState state;
  DetermineCondition(state, c.set, R6(T), R6(P));
  EXPECT_EQ(state.ConditionText, ConditionName(state.Condition));
  return state.Condition;
}

TEST(DetermineCondition, Regions) {
  struct Case {
    long double T, P;
    int condition;
  };
  const Case cases[] = {
      {700.0L, 25000.0L, 8},      {647.29L, 25000.0L, 5},  // not strictly above the critical temperature
      {700.0L, 22090.0L, 7},                               // not strictly above the critical pressure
      {500.0L, 101.325L, 7},      {300.0L, 101.325L, 5},      {250.0L, 101.325L, 3},
      {373.15L, 101.325L, 6},     {250.0L, 0.0759762L, 4},  // on the sublimation line
      {300.0L, 50000.0L, 5},       // saturation temperature fails above the critical pressure
      {273.152518L, 101.325L, 5},  // on the melting line
      {273.1525L, 101.325L, 3},   {273.07823L, 1101.325L, 5},  // the melting line 0.0742901 K lower
      {273.0782L, 1101.325L, 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Classify(c.T, c.P), c.condition)
        << static_cast<double>(c.T) << " K " << static_cast<double>(c.P);
}

TEST(DetermineCondition, SaturationBandIsStrict) {
  CorrelationSession c;
  std::uint8_t status;
  long double Tsat = R6(c.set.VarPropCalc(33)->Compute(10, status, 0, R6(101.325L)));
  EXPECT_EQ(Classify(R6(Tsat + 0.0999L), 101.325L), 6);
  EXPECT_EQ(Classify(R6(Tsat - 0.0999L), 101.325L), 6);
  EXPECT_EQ(Classify(R6(Tsat + 0.1001L), 101.325L), 7);
  EXPECT_EQ(Classify(R6(Tsat - 0.1001L), 101.325L), 5);
}

TEST(SaturationCondition, GivenTemperatureOrPressure) {
  CorrelationSession c;
  c.units.InitUnits({2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});  // Celsius, atm
  CalcState s;
  s.SatGivenTemperature = true;
  s.TempK = static_cast<double>(R6(373.15L));
  SaturationCondition(s, c.set, c.units);
  EXPECT_EQ(s.Condition, 6);
  EXPECT_EQ(s.ConditionText, "Saturated Liquid and Vapour");
  EXPECT_NEAR(s.PresKPa, 101.33, 0.005);
  EXPECT_NEAR(s.PresDisplay, 101.33 * 0.0098692, 0.0001);

  s.TempK = static_cast<double>(R6(273.15L));
  SaturationCondition(s, c.set, c.units);
  EXPECT_EQ(s.Condition, 4);
  s.TempK = static_cast<double>(R6(273.16L));
  SaturationCondition(s, c.set, c.units);
  EXPECT_EQ(s.Condition, 6);

  s.SatGivenTemperature = false;
  s.PresKPa = static_cast<double>(R6(1000.0L));
  SaturationCondition(s, c.set, c.units);
  EXPECT_NEAR(s.TempK, 453.03, 0.005);
  EXPECT_NEAR(s.TempDisplay, 453.03 - 273.15, 0.005);

  // A failing saturation temperature leaves the temperature as it was; still a saturated condition.
  double before = s.TempK;
  s.PresKPa = static_cast<double>(R6(30000.0L));
  SaturationCondition(s, c.set, c.units);
  EXPECT_EQ(s.TempK, before);
  EXPECT_EQ(s.Condition, 6);
}

TEST(SetConditionText, KeepsTextForCodesOutsideRange) {
  CalcState s;
  s.ConditionText = "previous";
  s.Condition = 9;
  SetConditionText(s);
  EXPECT_EQ(s.ConditionText, "previous");
  s.Condition = 3;
  SetConditionText(s);
  EXPECT_EQ(s.ConditionText, "Sub-cooled Solid");
}

}  // namespace
}  // namespace tulo
