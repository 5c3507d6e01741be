// IAPWS R14-08(2011), the melting curve of ice Ih and the sublimation curve.

#include <gtest/gtest.h>

#include <cmath>

#include "iapws/MeltingSublimation.h"
#include "iapws/PrintedValue.h"

namespace tulo::testing {
namespace {

using namespace tulo::iapws;

// R14-08 Table 3, the check values of the two equations the program uses.
TEST(MeltingSublimationTest, ReleaseCheckValues) {
  EXPECT_TRUE(MatchesPrinted(MeltingPressureIh(260), "138.268"));
  EXPECT_TRUE(MatchesPrinted(SublimationPressure(230), "8.94735e-6"));
}

// Both curves start at the triple point, and the melting curve of ice Ih ends at the ice III triple
// point.
TEST(MeltingSublimationTest, CurveEnds) {
  EXPECT_DOUBLE_EQ(MeltingPressureIh(273.16), 611.657e-6);
  EXPECT_DOUBLE_EQ(SublimationPressure(273.16), 611.657e-6);
  EXPECT_NEAR(MeltingPressureIh(kMeltingIhTMin), kMeltingIhPMax, 0.001);
  EXPECT_NEAR(MeltingTemperatureIh(kMeltingIhPMin), 273.16, 1e-12);
  EXPECT_NEAR(SublimationTemperature(611.657e-6), 273.16, 1e-12);
  EXPECT_NEAR(MeltingTemperatureIh(kMeltingIhPMax), kMeltingIhTMin, 1e-4);
}

TEST(MeltingSublimationTest, InversesRoundTrip) {
  for (double T = kMeltingIhTMin; T <= kMeltingIhTMax; T += 0.37) {
    EXPECT_NEAR(MeltingTemperatureIh(MeltingPressureIh(T)), T, 1e-10) << T;
  }
  for (double T = kSublimationTMin; T <= kSublimationTMax; T += 3.7) {
    EXPECT_NEAR(SublimationTemperature(SublimationPressure(T)), T, 1e-10) << T;
  }
  // 1 atm: ice melts just below the triple point, 273.152519 K by the ice equation's check state.
  EXPECT_NEAR(MeltingTemperatureIh(0.101325), 273.152519, 2e-5);
  // The tiny pressures at the cold end of the sublimation curve.
  const double pCold = SublimationPressure(kSublimationTMin);
  EXPECT_GT(pCold, 0.0);
  EXPECT_LT(pCold, 1e-40);
  EXPECT_NEAR(SublimationTemperature(pCold), kSublimationTMin, 1e-10);
}

TEST(MeltingSublimationTest, InversesClampOutsideTheCurves) {
  EXPECT_DOUBLE_EQ(MeltingTemperatureIh(1e-9), kMeltingIhTMax);
  EXPECT_DOUBLE_EQ(MeltingTemperatureIh(500), kMeltingIhTMin);
  EXPECT_DOUBLE_EQ(SublimationTemperature(0.1), kSublimationTMax);
  EXPECT_DOUBLE_EQ(SublimationTemperature(1e-300), kSublimationTMin);
  EXPECT_DOUBLE_EQ(SublimationTemperature(0.0), kSublimationTMin);
}

// The slope is the derivative of the pressure: a central difference agrees to its truncation
// error, and the Clausius-Clapeyron form (dp/dT)/p = L/(R T^2) gives the sublimation enthalpy of
// ice, about 2834 kJ/kg at the triple point.
TEST(MeltingSublimationTest, SublimationSlope) {
  for (const double T : {50.5, 120.0, 200.0, 250.0, 273.0}) {
    const double h = 1e-5 * T;
    const double quotient = (SublimationPressure(T + h) - SublimationPressure(T - h)) / (2 * h);
    EXPECT_NEAR(SublimationPressureSlope(T), quotient, 1e-6 * quotient) << T;
  }
  const double T = 273.16;
  const double latent = SublimationPressureSlope(T) / SublimationPressure(T) * 0.461526 * T * T;
  EXPECT_NEAR(latent, 2834.0, 2.0);
}

}  // namespace
}  // namespace tulo::testing
