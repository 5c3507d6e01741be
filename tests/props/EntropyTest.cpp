// Entropy.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Entropy, QuotedValues) {
  ExpectValues({
      {Item::kEntropy, Phase::kSubCooledSolid, 273.15L, 101.325L, -1.22077L, 0.000005L, "ice 273.15"},
      {Item::kEntropy, Phase::kSatLiquid, 273.16L, 0, 0.0000037L, 0.00000005L, "saturated liquid 273.16"},
      {Item::kEntropy, Phase::kSatLiquid, 373.15L, 0, 1.30662L, 0.000005L, "saturated liquid 373.15"},
      {Item::kEntropy, Phase::kSatVapour, 373.15L, 0, 7.35392L, 0.000005L, "saturated vapour 373.15"},
      {Item::kEntropy, Phase::kSatVapour, 273.16L, 0, 9.15585L, 0.000005L, "saturated vapour 273.16"},
      {Item::kEntropy, Phase::kSatVapour, 273.15L, 0, 9.15353L, 0.000005L,
       "saturated vapour over ice 273.15"},
      {Item::kEntropy, Phase::kSatVapour, 250, 0, 9.95159L, 0.000005L, "saturated vapour over ice 250"},
      {Item::kEntropy, Phase::kSuperheated, 473.15L, 101.325L, 7.81357L, 0.000005L, "vapour 473.15/101.325"},
      {Item::kEntropy, Phase::kSuperheated, 673.15L, 1000, 7.47201L, 0.000005L, "vapour 673.15/1000"},
      {Item::kEntropy, Phase::kSuperheated, 873.15L, 10000, 6.90044L, 0.000005L, "vapour 873.15/10000"},
      {Item::kEntropy, Phase::kSuperCritical, 700, 25000, 5.49758L, 0.000005L, "super critical 700/25000"},
      {Item::kEntropy, Phase::kSuperCritical, 700, 40000, 4.56628L, 0.000005L, "super critical 700/40000"},
  });
}

TEST(Entropy, AgreesWithIndependentComputation) {
  ExpectReferences({
      {Item::kEntropy, Phase::kSubCooledLiquid, 350, 30000, 1.0213324503911281L,
       "compressed liquid 350/30000"},
      {Item::kEntropy, Phase::kSuperheated, 900, 5000, 7.3292869464639807L, "vapour above 648.15 K"},
      {Item::kEntropy, Phase::kSuperheated, 500, 1000, 6.8339039251513896L, "vapour to 648.15 K"},
      {Item::kEntropy, Phase::kSuperCritical, 800, 25000, 6.0810252309092903L, "super critical to 30000 kPa"},
      {Item::kEntropy, Phase::kSuperCritical, 800, 60000, 5.1734364120275131L,
       "super critical above 30000 kPa"},
  });
}

TEST(Entropy, WetSteamMixesByMass) {
  CorrelationSession s;
  const long double sf = s.Eval(Item::kEntropy, Phase::kSatLiquid, 373.15L, 0).value;
  const long double sg = s.Eval(Item::kEntropy, Phase::kSatVapour, 373.15L, 0).value;
  CorrelationSession w;
  w.quality = 25;
  Outcome r = w.Eval(Item::kEntropy, Phase::kWetSteam, 373.15L, 101.325L);
  ASSERT_EQ(r.status, Status::kValid);
  EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(0.75L * sf + 0.25L * sg), 1e-9);
}

TEST(Entropy, StatusRules) {
  ExpectStatuses({
      {Item::kEntropy, Phase::kSatSolidVapour, 250, 0.1L, 1, Condition::kSatSolidVapour, "phase 4"},
      {Item::kEntropy, Phase::kSatLiquidVapour, 373.15L, 101.325L, 1, Condition::kSatLiquidVapour, "phase 6"},
      {Item::kEntropy, Phase::kNoPhase, 373.15L, 101.325L, 1, Condition::kSatLiquidVapour, "phase 10"},
      {Item::kEntropy, Phase::kSuperheated, 600, 22200, 2, Condition::kSuperheated,
       "vapour formula beyond 22100 kPa"},
      {Item::kEntropy, Phase::kSuperCritical, 700, 19000, 2, Condition::kSuperCritical,
       "super critical formula below 20000 kPa"},
      {Item::kEntropy, Phase::kSubCooledLiquid, 350, 30000, 1, Condition::kSuperCritical,
       "compressed liquid asked in a super critical condition"},
      {Item::kEntropy, Phase::kSubCooledLiquid, 160, 30000, 2, Condition::kSubCooledLiquid,
       "compressed liquid below the saturation line's range"},
  });
}

}  // namespace
}  // namespace tulo::testing
