// Thermal expansion coefficient, and the density calls it leaves behind.

#include <gtest/gtest.h>

#include "props/CorrelationSession.h"

namespace tulo::testing {
namespace {

TEST(ThermalExpansion, Values) {
  ExpectValues({{Item::kThermalExpansion, Phase::kSubCooledSolid, 273.15L, 101.325L, 1.612e-04L, 0.0005e-04L,
                 "ice 273.15, about 1.612e-4"}});
  ExpectReferences({
      {Item::kThermalExpansion, Phase::kSubCooledSolid, 250, 0, 0.00015025075608265936L, "ice 250"},
      {Item::kThermalExpansion, Phase::kSubCooledLiquid, 300, 400, 0.00027584519332535251L,
       "liquid polynomial 300/400"},
      {Item::kThermalExpansion, Phase::kSubCooledLiquid, 400, 5000, 0.00095437132278064496L,
       "liquid difference 400/5000"},
  });
}

// The polynomial asks the density once at T; the difference asks at T and then at T - 1 K, so
// the density calculator keeps the call at T - 1 K.
TEST(ThermalExpansion, PolynomialOrDifferenceSeenThroughTheDensityKeptCall) {
  struct Case {
    Phase phase;
    long double T, P;
    bool difference;
    const char* label;
  };
  const Case cases[] = {
      {Phase::kSubCooledLiquid, 300, 400, false, "cool liquid below 500 kPa"},
      {Phase::kSubCooledLiquid, 300, 500, true, "500 kPa"},
      {Phase::kSubCooledLiquid, 323, 101.325L, true, "323 K"},
      {Phase::kSatLiquid, 320, 1000, false, "saturated liquid below 323 K, any pressure"},
      {Phase::kSatLiquid, 330, 0, true, "saturated liquid from 323 K"},
  };
  for (const auto& c : cases) {
    CorrelationSession s;
    PropertyCalculator& rho = s.Calc(Item::kDensity);
    ASSERT_EQ(s.Eval(Item::kThermalExpansion, c.phase, c.T, c.P).status, Status::kValid) << c.label;
    EXPECT_EQ(rho.Evaluations(), c.difference ? 2 : 1) << c.label;
    EXPECT_NEAR(rho.LastTemp(), static_cast<double>(c.difference ? c.T - 1 : c.T), 1e-9) << c.label;
    EXPECT_EQ(rho.LastPhase(), c.phase) << c.label;
  }
}

TEST(ThermalExpansion, StatusRules) {
  struct Case {
    Phase phase;
    long double T;
    int status;
  };
  const Case cases[] = {{Phase::kSatVapour, 373.15L, 1},
                        {Phase::kSuperheated, 500, 1},
                        {Phase::kSuperCritical, 700, 1},
                        {Phase::kSatSolidVapour, 250, 1},
                        {Phase::kSatLiquidVapour, 373.15L, 1},
                        {Phase::kWetSteam, 373.15L, 1},
                        {Phase::kNoPhase, 300, 1},
                        {Phase::kSatLiquid, 647.3L, 2}};
  for (const auto& c : cases) {
    CorrelationSession s;
    EXPECT_EQ(static_cast<int>(s.Eval(Item::kThermalExpansion, c.phase, c.T, 1000).status), c.status)
        << "phase " << static_cast<int>(c.phase);
  }
  CorrelationSession s;
  EXPECT_EQ(s.Text(Item::kThermalExpansion, Phase::kSuperheated, 500, 100), " -");
}

}  // namespace
}  // namespace tulo::testing
