// IAPWS R10-06(2009), the equation of state of ice Ih.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "iapws/IceIh.h"
#include "iapws/PrintedValue.h"

namespace tulo::testing {
namespace {

using iapws::Ice;
using iapws::IceGibbs;
using iapws::IceGibbsDerivatives;
using iapws::IceProps;

enum class IceQuantity {
  kG,
  kGp,
  kGT,
  kGpp,
  kGTp,
  kGTT,
  kH,
  kF,
  kU,
  kS,
  kCp,
  kRho,
  kAlpha,
  kBeta,
  kKappaT,
  kKappaS
};

// The quantity in the units Table 6 prints it in (J, kg, K, Pa, m3).
double InTableUnits(double T, double p, IceQuantity q) {
  const IceGibbsDerivatives d = IceGibbs(T, p);
  const IceProps ice = Ice(T, p);
  switch (q) {
    case IceQuantity::kG:
      return d.g;
    case IceQuantity::kGp:
      return d.gp;
    case IceQuantity::kGT:
      return d.gT;
    case IceQuantity::kGpp:
      return d.gpp;
    case IceQuantity::kGTp:
      return d.gTp;
    case IceQuantity::kGTT:
      return d.gTT;
    case IceQuantity::kH:
      return ice.h * 1e3;
    case IceQuantity::kF:
      return ice.f * 1e3;
    case IceQuantity::kU:
      return ice.u * 1e3;
    case IceQuantity::kS:
      return ice.s * 1e3;
    case IceQuantity::kCp:
      return ice.cp * 1e3;
    case IceQuantity::kRho:
      return ice.rho;
    case IceQuantity::kAlpha:
      return ice.alpha;
    case IceQuantity::kBeta:
      return ice.beta * 1e6;
    case IceQuantity::kKappaT:
      return ice.kappaT * 1e-6;
    case IceQuantity::kKappaS:
      return ice.kappaS * 1e-6;
  }
  return NAN;
}

struct IceCheck {
  double T;  // K
  double p;  // MPa
  IceQuantity q;
  const char* printed;
};

// R10-06(2009) Table 6: the triple point, the normal melting point and 100 K at 100 MPa.
constexpr double kTt = 273.16, kPt = 611.657e-6;
constexpr double kTm = 273.152519, kPm = 0.101325;
constexpr double kT3 = 100, kP3 = 100;
const std::vector<IceCheck> kTable6 = {
    {kTt, kPt, IceQuantity::kG, "0.611784135"},
    {kTm, kPm, IceQuantity::kG, "0.10134274069e3"},
    {kT3, kP3, IceQuantity::kG, "-0.222296513088e6"},
    {kTt, kPt, IceQuantity::kGp, "0.109085812737e-2"},
    {kTm, kPm, IceQuantity::kGp, "0.109084388214e-2"},
    {kT3, kP3, IceQuantity::kGp, "0.106193389260e-2"},
    {kTt, kPt, IceQuantity::kGT, "0.122069433940e4"},
    {kTm, kPm, IceQuantity::kGT, "0.122076932550e4"},
    {kT3, kP3, IceQuantity::kGT, "0.261195122589e4"},
    {kTt, kPt, IceQuantity::kGpp, "-0.128495941571e-12"},
    {kTm, kPm, IceQuantity::kGpp, "-0.128485364928e-12"},
    {kT3, kP3, IceQuantity::kGpp, "-0.941807981761e-13"},
    {kTt, kPt, IceQuantity::kGTp, "0.174387964700e-6"},
    {kTm, kPm, IceQuantity::kGTp, "0.174362219972e-6"},
    {kT3, kP3, IceQuantity::kGTp, "0.274505162488e-7"},
    {kTt, kPt, IceQuantity::kGTT, "-0.767602985875e1"},
    {kTm, kPm, IceQuantity::kGTT, "-0.767598233365e1"},
    {kT3, kP3, IceQuantity::kGTT, "-0.866333195517e1"},
    {kTt, kPt, IceQuantity::kH, "-0.333444253966e6"},
    {kTm, kPm, IceQuantity::kH, "-0.333354873637e6"},
    {kT3, kP3, IceQuantity::kH, "-0.483491635676e6"},
    {kTt, kPt, IceQuantity::kF, "-0.55446875e-1"},
    {kTm, kPm, IceQuantity::kF, "-0.918701567e1"},
    {kT3, kP3, IceQuantity::kF, "-0.328489902347e6"},
    {kTt, kPt, IceQuantity::kU, "-0.333444921197e6"},
    {kTm, kPm, IceQuantity::kU, "-0.333465403393e6"},
    {kT3, kP3, IceQuantity::kU, "-0.589685024936e6"},
    {kTt, kPt, IceQuantity::kS, "-0.122069433940e4"},
    {kTm, kPm, IceQuantity::kS, "-0.122076932550e4"},
    {kT3, kP3, IceQuantity::kS, "-0.261195122589e4"},
    {kTt, kPt, IceQuantity::kCp, "0.209678431622e4"},
    {kTm, kPm, IceQuantity::kCp, "0.209671391024e4"},
    {kT3, kP3, IceQuantity::kCp, "0.866333195517e3"},
    {kTt, kPt, IceQuantity::kRho, "0.916709492200e3"},
    {kTm, kPm, IceQuantity::kRho, "0.916721463419e3"},
    {kT3, kP3, IceQuantity::kRho, "0.941678203297e3"},
    {kTt, kPt, IceQuantity::kAlpha, "0.159863102566e-3"},
    {kTm, kPm, IceQuantity::kAlpha, "0.159841589458e-3"},
    {kT3, kP3, IceQuantity::kAlpha, "0.258495528207e-4"},
    {kTt, kPt, IceQuantity::kBeta, "0.135714764659e7"},
    {kTm, kPm, IceQuantity::kBeta, "0.135705899321e7"},
    {kT3, kP3, IceQuantity::kBeta, "0.291466166994e6"},
    {kTt, kPt, IceQuantity::kKappaT, "0.117793449348e-9"},
    {kTm, kPm, IceQuantity::kKappaT, "0.117785291765e-9"},
    {kT3, kP3, IceQuantity::kKappaT, "0.886880048115e-10"},
    {kTt, kPt, IceQuantity::kKappaS, "0.114161597779e-9"},
    {kTm, kPm, IceQuantity::kKappaS, "0.114154442556e-9"},
    {kT3, kP3, IceQuantity::kKappaS, "0.886060982687e-10"},
};

TEST(IceIhTest, ReleaseTable6) {
  for (const IceCheck& c : kTable6) {
    EXPECT_TRUE(MatchesPrinted(InTableUnits(c.T, c.p, c.q), c.printed))
        << "T = " << c.T << " K, p = " << c.p << " MPa, quantity " << static_cast<int>(c.q);
  }
}

// The properties are the Gibbs energy's derivatives: h against a central difference of g/T in 1/T
// (Gibbs-Helmholtz), v against a difference of g in p, cp against a difference of h in T.
TEST(IceIhTest, PropertiesAreConsistentDerivatives) {
  struct State {
    double T, p;
  };
  for (const State s : std::vector<State>{{270, 0.1}, {200, 50}, {100, 100}, {30, 1}, {5, 200}}) {
    const IceProps ice = Ice(s.T, s.p);
    const double dT = 1e-4 * s.T;
    const double cpQuotient = (Ice(s.T + dT, s.p).h - Ice(s.T - dT, s.p).h) / (2 * dT);
    EXPECT_NEAR(ice.cp, cpQuotient, 1e-6 * ice.cp + 1e-12) << s.T;
    const double dp = 1e-3;
    const double vQuotient = (Ice(s.T, s.p + dp).g - Ice(s.T, s.p - dp).g) / (2 * dp) * 1e-3;  // kJ/MPa -> m3
    EXPECT_NEAR(ice.v, vQuotient, 1e-9 * ice.v) << s.T;
    const double sQuotient = -(Ice(s.T + dT, s.p).g - Ice(s.T - dT, s.p).g) / (2 * dT);
    EXPECT_NEAR(ice.s, sQuotient, 1e-7 * std::abs(ice.s)) << s.T;
    // kappa_T - kappa_S = T v alpha^2 / cp (all in per MPa after the kJ -> MJ scaling)
    EXPECT_NEAR(ice.kappaT - ice.kappaS, s.T * ice.v * ice.alpha * ice.alpha / (ice.cp * 1e-3),
                1e-12 * ice.kappaT)
        << s.T;
    EXPECT_NEAR(ice.u, ice.h - s.p * 1e3 * ice.v, 1e-9 * std::abs(ice.u));
  }
}

// Near 0 K the logarithms of Eq. 1 cancel; the series that replaces them must join the closed
// form without a step and keep cp and kappa_S finite and positive down to the smallest T.
TEST(IceIhTest, LowTemperaturesStayFiniteAndSmooth) {
  // The series hands over to the logarithms where |tau/t_k| = 0.1.
  for (const double tSwitch :
       {0.1 * std::abs(std::complex<double>(0.368017112855051e-1, 0.510878114959572e-1)),
        0.1 * std::abs(std::complex<double>(0.337315741065416, 0.335449415919309))}) {
    const double T = tSwitch * 273.16;
    const IceProps below = Ice(T * (1 - 1e-9), 10);
    const IceProps above = Ice(T * (1 + 1e-9), 10);
    EXPECT_NEAR(below.cp, above.cp, 1e-8 * above.cp) << T;
    EXPECT_NEAR(below.alpha, above.alpha, 1e-8 * std::abs(above.alpha)) << T;
    EXPECT_NEAR(below.s, above.s, 1e-8 * std::abs(above.s)) << T;
  }
  // Debye T^3 law at the lowest temperatures: cp(2T)/cp(T) -> 8.
  EXPECT_NEAR(Ice(0.02, 0.1).cp / Ice(0.01, 0.1).cp, 8.0, 1e-3);
  for (const double T : {1e-300, 1e-30, 1e-6, 1e-3, 0.5, 2.0, 13.0, 150.0, 273.16}) {
    for (const double p : {0.0, 611.657e-6, 0.1, 100.0, 210.0}) {
      const IceProps ice = Ice(T, p);
      for (const double v : {ice.rho, ice.h, ice.u, ice.s, ice.g, ice.f, ice.cp, ice.alpha, ice.beta,
                             ice.kappaT, ice.kappaS}) {
        EXPECT_TRUE(std::isfinite(v)) << "T = " << T << " p = " << p;
      }
      EXPECT_GE(ice.cp, 0.0);
      EXPECT_GT(ice.kappaS, 0.0);
      EXPECT_LE(ice.kappaS, ice.kappaT);
      EXPECT_GT(ice.rho, 900.0);
      EXPECT_LT(ice.rho, 1000.0);
    }
  }
}

// Between 1.7 K and 13 K one bracket of Eq. 1 comes from its series and the other from the
// logarithms; cp and alpha there against python3-iapws (closed form throughout, about 1e-12 from
// exact at these temperatures), values computed once.
TEST(IceIhTest, LowTemperatureReference) {
  struct Row {
    double T, p, cp, alpha;
  };
  for (const Row& r : std::vector<Row>{{2, 50, 7.550167578123003e-05, 2.467010934167040e-10},
                                       {5, 1, 1.383808121890155e-03, 4.179711475124900e-09},
                                       {8, 0.1, 6.858901103413044e-03, 1.714677193993385e-08},
                                       {12, 100, 2.716049426641619e-02, 4.868841087801010e-08},
                                       {20, 10, 1.114230590665307e-01, 2.640178428308881e-07}}) {
    const IceProps ice = Ice(r.T, r.p);
    EXPECT_NEAR(ice.cp, r.cp, 1e-9 * r.cp) << r.T;
    EXPECT_NEAR(ice.alpha, r.alpha, 1e-9 * r.alpha) << r.T;
  }
}

}  // namespace
}  // namespace tulo::testing
