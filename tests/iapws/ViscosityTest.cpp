// IAPWS R12-08, viscosity in the industrial form (mu2 = 1) and with the critical enhancement mu2.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/PrintedValue.h"
#include "iapws/TransportCritical.h"
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

struct CriticalCheck {
  double rho;           // kg/m3
  double drhodp;        // (kg/m3)/MPa, (d rho/d p)_T at 647.35 K
  double drhodpRef;     // (kg/m3)/MPa, the same at T_R = 1.5 Tc
  const char* xi;       // nm
  const char* mu2;      //
  const char* printed;  // micro Pa s
};

// R12-08 Table 5: sample points at 647.35 K near the critical point. The derivatives are those of
// IAPWS-95, computed once by scripts/iapws_releases_crosscheck.py from python3-iapws. 122 kg/m3
// takes Y from the series (xi < 0.3817 nm), 222 and 422 from Eq. 16 with q_C xi < 1, the others
// with q_C xi > 1.
const std::vector<CriticalCheck> kTable5 = {
    {122, 17.109308489110614, 2.9368916679972759, "0.309247", "1.00000289", "25.520677"},
    {222, 175.45698097311927, 3.1191774103243772, "1.571405", "1.00375120", "31.337589"},
    {272, 1508.2800390320626, 2.9996110408496999, "5.266522", "1.03416789", "36.228143"},
    {322, 12136.419501489307, 2.7514389633437304, "16.590209", "1.09190440", "42.961579"},
    {372, 1245.917204526975, 2.4154402387736686, "5.603768", "1.03665871", "45.688204"},
    {422, 130.39353796744192, 2.0465424405716117, "1.876244", "1.00596332", "49.436256"},
};

TEST(ViscosityTest, ReleaseTable5CriticalRegion) {
  constexpr double kT = 647.35;
  for (const CriticalCheck& c : kTable5) {
    const double xi =
        iapws::CriticalCorrelationLength(c.rho / 322.0, kT / 647.096, iapws::ReducedCompressibility(c.drhodp),
                                         iapws::ReducedCompressibility(c.drhodpRef));
    EXPECT_TRUE(MatchesPrinted(xi, c.xi)) << c.rho;
    EXPECT_TRUE(MatchesPrinted(iapws::ViscosityCriticalEnhancement(c.rho, kT, c.drhodp, c.drhodpRef), c.mu2))
        << c.rho;
    EXPECT_TRUE(MatchesPrinted(iapws::ViscosityScientific(c.rho, kT, c.drhodp, c.drhodpRef) * 1e6, c.printed))
        << c.rho;
  }
}

// Where the state is no more compressible than the scaled reference (the liquid, the dilute gas)
// mu2 is exactly 1. Towards the critical point mu2 grows smoothly and without bound: Y has two
// expressions (Eq. 15 below xi = 0.3817 nm, Eq. 16 above, with its logarithm for q_C xi > 1), and
// a wrong sign or term would show as a step or a fall along a fine sweep of the compressibility.
TEST(ViscosityTest, CriticalEnhancementLimitsAndContinuity) {
  EXPECT_EQ(iapws::ViscosityCriticalEnhancement(996.5, 300, 0.45, 0.19), 1.0);
  EXPECT_EQ(iapws::ViscosityCriticalEnhancement(0, 700, 0, 0), 1.0);
  EXPECT_EQ(iapws::ViscosityScientific(998, 298.15, 0.46, 0.19), iapws::Viscosity(998, 298.15));

  double previous = 1.0;
  for (double drhodp = 3.0; drhodp < 1e15; drhodp *= 1.01) {
    const double mu2 = iapws::ViscosityCriticalEnhancement(322, 647.35, drhodp, 2.75);
    ASSERT_TRUE(std::isfinite(mu2)) << drhodp;
    ASSERT_GE(mu2, previous) << drhodp;
    ASSERT_LT(mu2 - previous, 2e-3 * previous) << drhodp;
    previous = mu2;
  }
  EXPECT_GT(previous, 2.0);
}

}  // namespace
}  // namespace tulo::testing
