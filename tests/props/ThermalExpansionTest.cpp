// Thermal expansion coefficient, and the density calls it leaves behind.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(ThermalExpansion, Values) {
  ExpectValues(
      {{kExpansionItem, 3, 273.15L, 101.325L, 1.612e-04L, 0.0005e-04L, "ice 273.15, about 1.612e-4"}});
  ExpectReferences({
      {kExpansionItem, 3, 250, 0, 0.00015025075608265936L, "ice 250"},
      {kExpansionItem, 5, 300, 400, 0.00027584519332535251L, "liquid polynomial 300/400"},
      {kExpansionItem, 5, 400, 5000, 0.00095437132278064496L, "liquid difference 400/5000"},
  });
}

// The polynomial asks the density once at T; the difference asks at T and then at T - 1 K, so
// the density calculator keeps the call at T - 1 K.
TEST(ThermalExpansion, PolynomialOrDifferenceSeenThroughTheDensityKeptCall) {
  struct Case {
    int phase;
    long double T, P;
    bool difference;
    const char* label;
  };
  const Case cases[] = {
      {5, 300, 400, false, "cool liquid below 500 kPa"},
      {5, 300, 500, true, "500 kPa"},
      {5, 323, 101.325L, true, "323 K"},
      {1, 320, 1000, false, "saturated liquid below 323 K, any pressure"},
      {1, 330, 0, true, "saturated liquid from 323 K"},
  };
  for (const auto& c : cases) {
    CorrelationSession s;
    PropertyCalculator& rho = s.Calc(kDensityItem);
    ASSERT_EQ(s.Eval(kExpansionItem, c.phase, c.T, c.P).status, 0) << c.label;
    EXPECT_EQ(rho.Evaluations(), c.difference ? 2 : 1) << c.label;
    EXPECT_NEAR(rho.LastTemp(), static_cast<double>(c.difference ? c.T - 1 : c.T), 1e-9) << c.label;
    EXPECT_EQ(rho.LastPhase(), c.phase) << c.label;
  }
}

TEST(ThermalExpansion, StatusRules) {
  struct Case {
    int phase;
    long double T;
    int status;
  };
  const Case cases[] = {{2, 373.15L, 1}, {7, 500, 1},     {8, 700, 1},  {4, 250, 1},
                        {6, 373.15L, 1}, {9, 373.15L, 1}, {10, 300, 1}, {1, 647.3L, 2}};
  for (const auto& c : cases) {
    CorrelationSession s;
    EXPECT_EQ(s.Eval(kExpansionItem, c.phase, c.T, 1000).status, c.status) << "phase " << c.phase;
  }
  CorrelationSession s;
  EXPECT_EQ(s.Text(kExpansionItem, 7, 500, 100), " -");
}

}  // namespace
}  // namespace tulo::testing
