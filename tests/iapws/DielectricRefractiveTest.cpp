// IAPWS R8-97 (static dielectric constant) and R9-97 (refractive index).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/Dielectric.h"
#include "iapws/PrintedValue.h"
#include "iapws/RefractiveIndex.h"

namespace tulo::testing {
namespace {

struct DielectricCheck {
  double T;             // K
  double p;             // MPa, the release's state
  double rho;           // kg/m3 at (T, p)
  const char* printed;  // epsilon
};

// R8-97 sample values of epsilon at (T, p), from the supercooled liquid to 870 K and 1000 MPa. The
// release evaluates them at IAPWS-95 densities; those were computed once with python3-iapws
// (scripts/iapws_releases_crosscheck.py) and are given to ten digits, far more than the five
// decimals of epsilon need.
const std::vector<DielectricCheck> kDielectric = {
    {240, 0.101325, 978.8957878, "104.34982"}, {300, 0.101325, 996.5569353, "77.74735"},
    {300, 10, 1000.95503, "78.11269"},         {300, 1000, 1237.516574, "103.69632"},
    {650, 10, 40.47886785, "1.26715"},         {650, 100, 726.2117441, "17.71733"},
    {650, 500, 947.3573503, "26.62132"},       {870, 10, 26.17173869, "1.12721"},
    {870, 100, 378.1274114, "4.98281"},        {870, 500, 810.9348836, "15.09746"},
};

TEST(DielectricTest, ReleaseSampleValues) {
  for (const DielectricCheck& c : kDielectric) {
    EXPECT_TRUE(MatchesPrinted(iapws::DielectricConstant(c.rho, c.T), c.printed))
        << c.T << " K, " << c.p << " MPa";
  }
}

TEST(DielectricTest, Limits) {
  // The dilute gas is the vacuum.
  EXPECT_DOUBLE_EQ(iapws::DielectricConstant(0, 500), 1.0);
  // Finite down to the bottom of the release's range, above the pole of g at 228 K.
  EXPECT_TRUE(std::isfinite(iapws::DielectricConstant(1000, 238)));
  EXPECT_GT(iapws::DielectricConstant(1000, 238), iapws::DielectricConstant(1000, 300));
}

struct RefractiveCheck {
  double T;             // K
  double p;             // MPa, the release's state
  double rho;           // kg/m3 at (T, p)
  double wavelength;    // micrometres
  const char* printed;  // n
};

// R9-97 sample values of n at (T, p) for three wavelengths, at IAPWS-95 densities computed once
// with python3-iapws as above.
const std::vector<RefractiveCheck> kRefractive = {
    {273.15, 0.1, 999.8424114, 0.2265, "1.394527"},  {273.15, 10, 1004.821444, 0.2265, "1.396526"},
    {373.15, 1, 958.7706558, 0.2265, "1.375622"},    {373.15, 100, 999.7617888, 0.2265, "1.391983"},
    {473.15, 0.1, 0.4603136527, 0.589, "1.0001456"}, {773.15, 1, 2.823959952, 0.589, "1.0008773"},
    {273.15, 10, 1004.821444, 1.01398, "1.327710"},  {473.15, 100, 923.7401722, 1.01398, "1.298369"},
};

TEST(RefractiveIndexTest, ReleaseSampleValues) {
  for (const RefractiveCheck& c : kRefractive) {
    EXPECT_TRUE(MatchesPrinted(iapws::RefractiveIndex(c.rho, c.T, c.wavelength), c.printed))
        << c.T << " K, " << c.p << " MPa, " << c.wavelength << " um";
  }
}

TEST(RefractiveIndexTest, ProgramWavelengthAndLimits) {
  EXPECT_DOUBLE_EQ(iapws::kRefractiveWavelength, 0.5893);
  EXPECT_DOUBLE_EQ(iapws::RefractiveIndex(0, 400, iapws::kRefractiveWavelength), 1.0);
  // Liquid water at room temperature, sodium D line: the textbook 1.333.
  EXPECT_NEAR(iapws::RefractiveIndex(997.05, 298.15, iapws::kRefractiveWavelength), 1.3329, 2e-4);
  // Normal dispersion: shorter wavelengths refract more.
  EXPECT_GT(iapws::RefractiveIndex(997.05, 298.15, 0.4), iapws::RefractiveIndex(997.05, 298.15, 0.7));
  for (double T = 261.15; T <= 773.15; T += 16) {
    for (double rho = 0; rho <= 1060; rho += 53) {
      EXPECT_TRUE(std::isfinite(iapws::RefractiveIndex(rho, T, iapws::kRefractiveWavelength)))
          << T << " " << rho;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
