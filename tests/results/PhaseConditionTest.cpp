#include <gtest/gtest.h>

#include "common/Real6.h"
#include "props/CorrelationSession.h"
#include "results/PhaseCondition.h"

namespace tulo {
namespace {

using testing::CorrelationSession;

Condition Classify(long double T, long double P) {
  CorrelationSession c;
  CalcState state;
  DetermineCondition(state, *c.table, R6(T), R6(P));
  EXPECT_EQ(state.ConditionText, ConditionName(state.Condition));
  return state.Condition;
}

TEST(DetermineCondition, Regions) {
  using enum Condition;
  struct Case {
    long double T, P;
    Condition condition;
  };
  const Case cases[] = {
      {700.0L, 25000.0L, kSuperCritical},
      {647.29L, 25000.0L, kSubCooledLiquid},  // not strictly above the critical temperature
      {700.0L, 22090.0L, kSuperheated},       // not strictly above the critical pressure
      {500.0L, 101.325L, kSuperheated},
      {300.0L, 101.325L, kSubCooledLiquid},
      {250.0L, 101.325L, kSubCooledSolid},
      {373.15L, 101.325L, kSatLiquidVapour},
      {250.0L, 0.0759762L, kSatSolidVapour},      // on the sublimation line
      {300.0L, 50000.0L, kSubCooledLiquid},       // saturation temperature fails above the critical pressure
      {273.152518L, 101.325L, kSubCooledLiquid},  // on the melting line
      {273.1525L, 101.325L, kSubCooledSolid},
      {273.07823L, 1101.325L, kSubCooledLiquid},  // the melting line 0.0742901 K lower
      {273.0782L, 1101.325L, kSubCooledSolid},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Classify(c.T, c.P), c.condition)
        << static_cast<double>(c.T) << " K " << static_cast<double>(c.P);
}

TEST(DetermineCondition, SaturationBandIsStrict) {
  CorrelationSession c;
  long double Tsat =
      R6(c.table->VarPropCalc(Item::kSaturationTemperature)->Compute(Phase::kNoPhase, 0, R6(101.325L)).value);
  EXPECT_EQ(Classify(R6(Tsat + 0.0999L), 101.325L), Condition::kSatLiquidVapour);
  EXPECT_EQ(Classify(R6(Tsat - 0.0999L), 101.325L), Condition::kSatLiquidVapour);
  EXPECT_EQ(Classify(R6(Tsat + 0.1001L), 101.325L), Condition::kSuperheated);
  EXPECT_EQ(Classify(R6(Tsat - 0.1001L), 101.325L), Condition::kSubCooledLiquid);
}

TEST(SaturationCondition, GivenTemperatureOrPressure) {
  CorrelationSession c;
  c.units.InitUnits({2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});  // Celsius, atm
  CalcState s;
  s.SatGivenTemperature = true;
  s.TempK = static_cast<double>(R6(373.15L));
  SaturationCondition(s, *c.table, c.units);
  EXPECT_EQ(s.Condition, Condition::kSatLiquidVapour);
  EXPECT_EQ(s.ConditionText, "Saturated Liquid and Vapour");
  EXPECT_NEAR(s.PresKPa, 101.33, 0.005);
  EXPECT_NEAR(s.PresDisplay, 101.33 * 0.0098692, 0.0001);

  s.TempK = static_cast<double>(R6(273.15L));
  SaturationCondition(s, *c.table, c.units);
  EXPECT_EQ(s.Condition, Condition::kSatSolidVapour);
  s.TempK = static_cast<double>(R6(273.16L));
  SaturationCondition(s, *c.table, c.units);
  EXPECT_EQ(s.Condition, Condition::kSatLiquidVapour);

  s.SatGivenTemperature = false;
  s.PresKPa = static_cast<double>(R6(1000.0L));
  SaturationCondition(s, *c.table, c.units);
  EXPECT_NEAR(s.TempK, 453.03, 0.005);
  EXPECT_NEAR(s.TempDisplay, 453.03 - 273.15, 0.005);

  // A failing saturation temperature leaves the temperature as it was; still a saturated condition.
  double before = s.TempK;
  s.PresKPa = static_cast<double>(R6(30000.0L));
  SaturationCondition(s, *c.table, c.units);
  EXPECT_EQ(s.TempK, before);
  EXPECT_EQ(s.Condition, Condition::kSatLiquidVapour);
}

TEST(SetConditionText, KeepsTextWithoutACondition) {
  CalcState s;
  s.ConditionText = "previous";
  s.Condition = Condition::kNone;
  SetConditionText(s);
  EXPECT_EQ(s.ConditionText, "previous");
  s.Condition = Condition::kSubCooledSolid;
  SetConditionText(s);
  EXPECT_EQ(s.ConditionText, "Sub-cooled Solid");
}

}  // namespace
}  // namespace tulo
