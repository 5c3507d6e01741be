// Entropy.

#include <gtest/gtest.h>

#include <cmath>

#include "CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(Entropy, QuotedValues) {
  const Quoted cases[] = {
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
  };
  for (const auto& c : cases) {
    CorrelationSession s;
    Outcome r = s.Eval(c.item, c.phase, c.T, c.P);
    EXPECT_EQ(r.status, 0) << c.label;
    EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.value), static_cast<double>(c.halfUnit))
        << c.label;
  }
}

// Recomputed from the coefficient tables with decimal arithmetic and the same Real6 rounding
// (and double precision for the logarithmic pressure variable).
TEST(Entropy, AgreesWithIndependentComputation) {
  struct Case {
    int phase;
    long double T, P, value;
    const char* label;
  };
  const Case cases[] = {
      {5, 350, 30000, 1.0213324503911281L, "compressed liquid 350/30000"},
      {7, 900, 5000, 7.3292869464639807L, "vapour above 648.15 K"},
      {7, 500, 1000, 6.8339039251513896L, "vapour to 648.15 K"},
      {8, 800, 25000, 6.0810252309092903L, "super critical to 30000 kPa"},
      {8, 800, 60000, 5.1734364120275131L, "super critical above 30000 kPa"},
  };
  for (const auto& c : cases) {
    CorrelationSession s(static_cast<std::uint8_t>(c.phase));
    Outcome r = s.Eval(kEntropyItem, c.phase, c.T, c.P);
    ASSERT_EQ(r.status, 0) << c.label;
    EXPECT_NEAR(static_cast<double>(r.value / c.value), 1.0, 1e-9) << c.label;
  }
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
  struct Case {
    int phase;
    long double T, P;
    int condition;
    int status;
    const char* label;
  };
  const Case cases[] = {
      {4, 250, 0.1L, 4, 1, "phase 4"},
      {6, 373.15L, 101.325L, 6, 1, "phase 6"},
      {10, 373.15L, 101.325L, 6, 1, "phase 10"},
      {1, 647.3L, 0, 6, 2, "saturated liquid above 647.29 K"},
      {2, 647.3L, 0, 6, 2, "saturated vapour above 647.29 K"},
      {9, 647.3L, 0, 6, 2, "wet steam above 647.29 K"},
      {7, 600, 22200, 7, 2, "vapour formula beyond 22100 kPa"},
      {8, 700, 19000, 8, 2, "super critical formula below 20000 kPa"},
      {5, 350, 30000, 8, 1, "compressed liquid asked in a super critical condition"},
      {5, 160, 30000, 5, 2, "compressed liquid below the saturation line's range"},
  };
  for (const auto& c : cases) {
    CorrelationSession s(static_cast<std::uint8_t>(c.condition));
    Outcome r = s.Eval(kEntropyItem, c.phase, c.T, c.P);
    EXPECT_EQ(r.status, c.status) << c.label;
    if (r.status == 0) {
      EXPECT_TRUE(std::isfinite(r.value)) << c.label;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
