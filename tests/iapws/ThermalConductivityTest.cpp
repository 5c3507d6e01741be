// IAPWS R15-11, thermal conductivity in the industrial and the scientific form.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/PrintedValue.h"
#include "iapws/ThermalConductivity.h"
#include "iapws/Viscosity.h"

namespace tulo::testing {
namespace {

using iapws::ConductivityState;
using iapws::ThermalConductivity;
using iapws::ThermalConductivityBackground;

struct BackgroundCheck {
  double T;             // K
  double rho;           // kg/m3
  const char* printed;  // mW/(m K)
};

// R15-11 sample points for lambda0 lambda1 alone (lambda2 = 0): the dilute gas at 298.15 and
// 873.15 K and the liquid at 298.15 K, where (1/Tbar - 1) = 1.17 makes every row of Table 2 count.
TEST(ThermalConductivityTest, ReleaseValuesWithoutEnhancement) {
  const std::vector<BackgroundCheck> checks = {
      {298.15, 0, "18.4341883"},
      {298.15, 998, "607.712868"},
      {298.15, 1200, "799.038144"},
      {873.15, 0, "79.1034659"},
  };
  for (const BackgroundCheck& c : checks) {
    EXPECT_TRUE(MatchesPrinted(ThermalConductivityBackground(c.rho, c.T) * 1e3, c.printed))
        << c.T << " " << c.rho;
  }
}

// R15-11 sample points on the 647.35 K isotherm print lambda0 = 51.5764797 and lambda1 for each
// density; lambda2 there comes from IAPWS-95 and is not the industrial one, but lambda1 is.
TEST(ThermalConductivityTest, ReleaseLambda1Near647K) {
  constexpr double kT = 647.35;
  EXPECT_TRUE(MatchesPrinted(ThermalConductivityBackground(0, kT) * 1e3, "51.5764797"));
  const double lambda0 = ThermalConductivityBackground(0, kT);
  struct Row {
    double rho;
    const char* lambda1;
  };
  for (const Row& r : std::vector<Row>{{1, "1.0068497"},
                                       {122, "2.1445173"},
                                       {222, "3.4840736"},
                                       {272, "4.2233708"},
                                       {322, "4.9681953"},
                                       {372, "5.6961250"},
                                       {422, "6.3973429"},
                                       {750, "11.5870532"}}) {
    EXPECT_TRUE(MatchesPrinted(ThermalConductivityBackground(r.rho, kT) / lambda0, r.lambda1)) << r.rho;
  }
}

struct IndustrialCheck {
  ConductivityState state;
  const char* printed;  // mW/(m K)
};

// R15-11 sample points for the industrial formulation, lambda with the simplified critical
// enhancement from IAPWS-IF97. The release states them by (T, p) (and by (T, rho) in region 3);
// the IF97 quantities below were computed once by scripts/iapws_releases_crosscheck.py from
// python3-iapws's IF97 region functions: rho, T, cp, cv, (d rho/d p)_T, mu (mu2 = 1).
const std::vector<IndustrialCheck> kIndustrial = {
    // 620 K, 20 MPa (region 1)
    {{613.22777744032442, 620, 7.6343370467914342, 3.0379344121048866, 5.2093781979168199,
      7.0905106751524409e-05},
     "481.485195"},
    // 620 K, 50 MPa (region 1)
    {{699.22604328539705, 620, 5.3204772488166778, 2.9169265252399255, 1.8486900655161944,
      8.4152794486849278e-05},
     "545.038940"},
    // 650 K, 0.3 MPa (region 2)
    {{1.0045214073538451, 650, 2.0701003508321469, 1.5967531295054858, 3.3635141905715074,
      2.348774534716522e-05},
     "52.2311024"},
    // 800 K, 50 MPa (region 2)
    {{218.03001215204739, 800, 5.907187069885496, 2.5234342568171066, 6.6148449279226389,
      3.9372753443050024e-05},
     "177.709914"},
    // 647.35 K, 222 kg/m3 (region 3)
    {{222, 647.35, 101.05448772062739, 4.3746645764578709, 177.77859461476879, 3.1220474923991426e-05},
     "366.879411"},
    // 647.35 K, 322 kg/m3 (region 3)
    {{322, 647.35, 3120.9012417077001, 4.5216344876083809, 6926.5113800810668, 3.9345549543701225e-05},
     "1241.82415"},
};

TEST(ThermalConductivityTest, ReleaseIndustrialValues) {
  for (const IndustrialCheck& c : kIndustrial) {
    EXPECT_TRUE(MatchesPrinted(ThermalConductivity(c.state) * 1e3, c.printed))
        << c.state.T << " " << c.state.rho;
  }
}

// Table 6 stands in for IAPWS-95 at T_R = 1.5 Tc = 970.644 K; it must follow the equation of state
// to the accuracy of its fit (about 1e-3) in every density range. Reference values: IAPWS-95
// (d rho/d p)_T at 970.644 K in (kg/m3)/MPa, computed once with python3-iapws.
TEST(ThermalConductivityTest, ReferenceCompressibilityFollowsIapws95) {
  struct Row {
    double rho, drhodp;
  };
  for (const Row& r : std::vector<Row>{{1, 2.238144143},
                                       {50, 2.540531077},
                                       {99, 2.826497162},
                                       {200, 3.126284384},
                                       {249, 3.072109729},
                                       {322, 2.751438963},
                                       {399, 2.216852913},
                                       {500, 1.512245102},
                                       {599, 0.994634235},
                                       {800, 0.4106014846},
                                       {1000, 0.1871236157}}) {
    EXPECT_NEAR(iapws::ConductivityReferenceDrhoDp(r.rho), r.drhodp, 1.5e-3 * r.drhodp) << r.rho;
  }
}

struct ScientificCheck {
  double rho;           // kg/m3
  double cp, cv;        // kJ/(kg K)
  double drhodp;        // (kg/m3)/MPa, (d rho/d p)_T at 647.35 K
  double drhodpRef;     // (kg/m3)/MPa, the same at T_R = 1.5 Tc
  const char* printed;  // mW/(m K)
};

// R15-11 Table 5: lambda with the critical enhancement at 647.35 K, every quantity of lambda2 from
// IAPWS-95 (computed once by scripts/iapws_releases_crosscheck.py from python3-iapws) and mu from
// R12-08 with its own enhancement mu2. At 1 and 750 kg/m3 lambda2 is small but not zero.
const std::vector<ScientificCheck> kTable5 = {
    {1, 2.0690812064568447, 1.5956990729197902, 3.3774067394654912, 2.2381441426032094, "51.9298924"},
    {122, 11.353470032452684, 3.2437913257242967, 17.109308489110614, 2.9368916679972759, "130.922885"},
    {222, 101.24330196528572, 4.523436913569463, 175.45698097311927, 3.1191774103243772, "367.787459"},
    {272, 794.91603855740232, 5.4912641957508947, 1508.2800390320626, 2.9996110408496999, "757.959776"},
    {322, 5420.6112771390199, 6.1887494611880083, 12136.419501489307, 2.7514389633437304, "1443.75556"},
    {372, 500.23765198868483, 5.1814066424407965, 1245.917204526975, 2.4154402387736686, "650.319402"},
    {422, 62.663672844393027, 3.904379773638194, 130.39353796744192, 2.0465424405716117, "448.883487"},
    {750, 4.5706245651737483, 2.8336557941040645, 1.0510776327653402, 0.51058283740340837, "600.961346"},
};

TEST(ThermalConductivityTest, ReleaseTable5Scientific) {
  constexpr double kT = 647.35;
  for (const ScientificCheck& c : kTable5) {
    const double mu = iapws::ViscosityScientific(c.rho, kT, c.drhodp, c.drhodpRef);
    const ConductivityState state{
        .rho = c.rho, .T = kT, .cp = c.cp, .cv = c.cv, .drhodp = c.drhodp, .mu = mu};
    EXPECT_TRUE(MatchesPrinted(iapws::ThermalConductivityScientific(state, c.drhodpRef) * 1e3, c.printed))
        << c.rho;
  }
}

// Away from the critical point the enhancement vanishes (Delta chi <= 0 in the compressed liquid)
// or is small; it never turns the conductivity into nan or inf, even at huge compressibility.
TEST(ThermalConductivityTest, EnhancementLimits) {
  const ConductivityState liquid{
      .rho = 996.5, .T = 300, .cp = 4.18, .cv = 4.13, .drhodp = 0.45, .mu = 8.5e-4};
  EXPECT_EQ(iapws::ThermalConductivityCriticalEnhancement(liquid), 0.0);
  EXPECT_EQ(ThermalConductivity(liquid), ThermalConductivityBackground(liquid.rho, liquid.T));

  const ConductivityState dilute{.rho = 0, .T = 700, .cp = 2.1, .cv = 1.6, .drhodp = 0, .mu = 2.5e-5};
  EXPECT_EQ(iapws::ThermalConductivityCriticalEnhancement(dilute), 0.0);

  // Next to the critical point cp and (d rho/d p)_T diverge; lambda stays finite and above the
  // background, also where cp = cv would make kappa = 1.
  for (const ConductivityState& s : std::vector<ConductivityState>{
           {.rho = 322, .T = 647.1, .cp = 1e6, .cv = 6, .drhodp = 1e9, .mu = 4e-5},
           {.rho = 322, .T = 647.1, .cp = 1e12, .cv = 6, .drhodp = 1e15, .mu = 4e-5},
           {.rho = 300, .T = 650, .cp = 50, .cv = 50, .drhodp = 500, .mu = 4e-5},
           {.rho = 1e-9, .T = 650, .cp = 2, .cv = 1.5, .drhodp = 1e-3, .mu = 2e-5}}) {
    const double lambda = ThermalConductivity(s);
    EXPECT_TRUE(std::isfinite(lambda)) << s.cp;
    EXPECT_GE(lambda, ThermalConductivityBackground(s.rho, s.T)) << s.cp;
  }
}

}  // namespace
}  // namespace tulo::testing
