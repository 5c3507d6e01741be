// Entropy.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Entropy, QuotedValues) {
  ExpectValues({
      {kEntropyItem, 3, 273.15L, 101.325L, -1.22077L, 0.000005L, "ice 273.15"},
      {kEntropyItem, 1, 273.16L, 0, 0.0000037L, 0.00000005L, "saturated liquid 273.16"},
      {kEntropyItem, 1, 373.15L, 0, 1.30662L, 0.000005L, "saturated liquid 373.15"},
      {kEntropyItem, 2, 373.15L, 0, 7.35392L, 0.000005L, "saturated vapour 373.15"},
      {kEntropyItem, 2, 273.16L, 0, 9.15585L, 0.000005L, "saturated vapour 273.16"},
      {kEntropyItem, 2, 273.15L, 0, 9.15353L, 0.000005L, "saturated vapour over ice 273.15"},
      {kEntropyItem, 2, 250, 0, 9.95159L, 0.000005L, "saturated vapour over ice 250"},
      {kEntropyItem, 7, 473.15L, 101.325L, 7.81357L, 0.000005L, "vapour 473.15/101.325"},
      {kEntropyItem, 7, 673.15L, 1000, 7.47201L, 0.000005L, "vapour 673.15/1000"},
      {kEntropyItem, 7, 873.15L, 10000, 6.90044L, 0.000005L, "vapour 873.15/10000"},
      {kEntropyItem, 8, 700, 25000, 5.49758L, 0.000005L, "super critical 700/25000"},
      {kEntropyItem, 8, 700, 40000, 4.56628L, 0.000005L, "super critical 700/40000"},
  });
}

TEST(Entropy, AgreesWithIndependentComputation) {
  ExpectReferences({
      {kEntropyItem, 5, 350, 30000, 1.0213324503911281L, "compressed liquid 350/30000"},
      {kEntropyItem, 7, 900, 5000, 7.3292869464639807L, "vapour above 648.15 K"},
      {kEntropyItem, 7, 500, 1000, 6.8339039251513896L, "vapour to 648.15 K"},
      {kEntropyItem, 8, 800, 25000, 6.0810252309092903L, "super critical to 30000 kPa"},
      {kEntropyItem, 8, 800, 60000, 5.1734364120275131L, "super critical above 30000 kPa"},
  });
}

TEST(Entropy, WetSteamMixesByMass) {
  CorrelationSession s;
  const long double sf = s.Eval(kEntropyItem, 1, 373.15L, 0).value;
  const long double sg = s.Eval(kEntropyItem, 2, 373.15L, 0).value;
  CorrelationSession w;
  w.quality = 25;
  Outcome r = w.Eval(kEntropyItem, 9, 373.15L, 101.325L);
  ASSERT_EQ(r.status, 0);
  EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(0.75L * sf + 0.25L * sg), 1e-9);
}

TEST(Entropy, StatusRules) {
  ExpectStatuses({
      {kEntropyItem, 4, 250, 0.1L, 1, 4, "phase 4"},
      {kEntropyItem, 6, 373.15L, 101.325L, 1, 6, "phase 6"},
      {kEntropyItem, 10, 373.15L, 101.325L, 1, 6, "phase 10"},
      {kEntropyItem, 7, 600, 22200, 2, 7, "vapour formula beyond 22100 kPa"},
      {kEntropyItem, 8, 700, 19000, 2, 8, "super critical formula below 20000 kPa"},
      {kEntropyItem, 5, 350, 30000, 1, 8, "compressed liquid asked in a super critical condition"},
      {kEntropyItem, 5, 160, 30000, 2, 5, "compressed liquid below the saturation line's range"},
  });
}

}  // namespace
}  // namespace tulo::testing
