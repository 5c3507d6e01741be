// IAPWS R12-08, viscosity in the industrial form (mu2 = 1).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/PrintedValue.h"
#include "iapws/Viscosity.h"

namespace tulo::testing {
namespace {

struct ViscosityCheck {
  double T;             // K
  double rho;           // kg/m3
  const char* printed;  // micro Pa s
};

// R12-08 Table 4: sample points for the correlation without the critical enhancement. The points
// span the dilute gas (rho = 1), the dense liquid and compressed states up to 1200 kg/m3, so every
// row of Table 2 contributes somewhere.
const std::vector<ViscosityCheck> kTable4 = {
    {298.15, 998, "889.735100"}, {298.15, 1200, "1437.649467"}, {373.15, 1000, "307.883622"},
    {433.15, 1, "14.538324"},    {433.15, 1000, "217.685358"},  {873.15, 1, "32.619287"},
    {873.15, 100, "35.802262"},  {873.15, 600, "77.430195"},    {1173.15, 1, "44.217245"},
    {1173.15, 100, "47.640433"}, {1173.15, 400, "64.154608"},
};

TEST(ViscosityTest, ReleaseTable4) {
  for (const ViscosityCheck& c : kTable4) {
    EXPECT_TRUE(MatchesPrinted(iapws::Viscosity(c.rho, c.T) * 1e6, c.printed)) << c.T << " K, " << c.rho;
  }
}

TEST(ViscosityTest, FiniteAndPositiveOverTheRange) {
  for (double T = 250; T <= 1175; T += 25) {
    for (double rho = 0; rho <= 1250; rho += 50) {
      const double mu = iapws::Viscosity(rho, T);
      EXPECT_TRUE(std::isfinite(mu) && mu > 0) << T << " " << rho;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
