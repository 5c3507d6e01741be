// IF97 region 3: the basic equation against Table 33, the Table 31 relations against difference
// quotients, and the density at (T, p) by Newton over the whole region.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws/IF97.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws {
namespace {

// IAPWS-IF97 (2012), Table 33: rho in kg/m3, T in K; p in MPa, h and u in kJ/kg, s and cp in
// kJ/(kg K), w in m/s.
struct Table33Row {
  double rho, T, p, h, u, s, cp, w;
};
constexpr Table33Row kTable33[] = {
    {500, 650, 0.255837018e2, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2, 0.502005554e3},
    {200, 650, 0.222930643e2, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2, 0.383444594e3},
    {500, 750, 0.783095639e2, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1, 0.760696041e3},
};

TEST(IF97Region3, Table33) {
  for (const Table33Row& row : kTable33) {
    SCOPED_TRACE(::testing::Message() << "rho " << row.rho << " T " << row.T);
    const FluidProps r = Region3(row.rho, row.T);
    EXPECT_EQ(r.region, Region::k3);
    EXPECT_TRUE(AgreesToPrintedDigits(r.p, row.p));
    EXPECT_TRUE(AgreesToPrintedDigits(r.h, row.h));
    EXPECT_TRUE(AgreesToPrintedDigits(r.u, row.u));
    EXPECT_TRUE(AgreesToPrintedDigits(r.s, row.s));
    EXPECT_TRUE(AgreesToPrintedDigits(r.cp, row.cp));
    EXPECT_TRUE(AgreesToPrintedDigits(r.w, row.w));
    EXPECT_DOUBLE_EQ(r.v * r.rho, 1);
    EXPECT_NEAR(r.g, r.h - r.T * r.s, 1e-12 * std::fabs(r.h));
  }
}

// Density at (T, p): Newton from the backward equations recovers the densities of Table 33.
TEST(IF97Region3, DensityAtTableStates) {
  for (const Table33Row& row : kTable33) {
    const FluidProps r = Region3TP(row.T, Region3(row.rho, row.T).p);
    EXPECT_EQ(r.region, Region::k3);
    EXPECT_NEAR(r.rho, row.rho, 1e-10 * row.rho) << "T " << row.T;
  }
}

// The quantities that Table 33 does not print (cv, alphaV, kappaT) and cp, against central
// difference quotients of the same equation: a fault in one of the Table 31 relations shows here.
TEST(IF97Region3, DerivedPropertiesMatchDifferenceQuotients) {
  const struct {
    double T, p;
  } states[] = {{650, 25}, {660, 22.5}, {700, 40}, {750, 80}, {630, 17}, {800, 60}};
  for (const auto& s : states) {
    SCOPED_TRACE(::testing::Message() << "T " << s.T << " p " << s.p);
    const FluidProps r = Region3TP(s.T, s.p);
    ASSERT_EQ(r.region, Region::k3);
    const double dT = 1e-5 * s.T, dp = 1e-5 * s.p;
    const FluidProps hotter = Region3TP(s.T + dT, s.p), colder = Region3TP(s.T - dT, s.p);
    const FluidProps higher = Region3TP(s.T, s.p + dp), lower = Region3TP(s.T, s.p - dp);
    EXPECT_NEAR(r.cp, (hotter.h - colder.h) / (2 * dT), 1e-5 * r.cp);
    EXPECT_NEAR(r.alphaV, (hotter.v - colder.v) / (2 * dT) / r.v, 1e-5 * std::fabs(r.alphaV));
    EXPECT_NEAR(r.kappaT, -(higher.v - lower.v) / (2 * dp) / r.v, 1e-5 * r.kappaT);
    const FluidProps warmer = Region3(r.rho, s.T + dT), cooler = Region3(r.rho, s.T - dT);
    EXPECT_NEAR(r.cv, (warmer.u - cooler.u) / (2 * dT), 1e-5 * r.cv);
    // Speed of sound: w^2 = (dp/drho)_s = cp / (cv kappaT rho), with p in Pa.
    EXPECT_NEAR(r.w * r.w, r.cp / (r.cv * r.kappaT * 1e-6 * r.rho), 1e-9 * r.w * r.w);
  }
}

// Newton converges everywhere in region 3: on a grid over the region, close to the critical point
// and hugging the saturation line from both sides, always to a relative pressure residual of
// 1e-12 or better, on the right side of the two-phase region.
TEST(IF97Region3, DensityConvergesOverTheWholeRegion) {
  int states = 0;
  const auto check = [&states](double T, double p) {
    if (RegionOf(T, p) != Region::k3) return;
    ++states;
    const FluidProps r = Region3TP(T, p);
    ASSERT_EQ(r.region, Region::k3) << "T " << T << " p " << p;
    EXPECT_LE(std::fabs(Region3(r.rho, T).p / p - 1), 1e-12) << "T " << T << " p " << p;
    EXPECT_TRUE(std::isfinite(r.cp) && r.cp > 0 && std::isfinite(r.w)) << "T " << T << " p " << p;
    if (T < kTc) {
      const double pSat = SaturationPressure(T);
      if (p > pSat) {
        EXPECT_GT(r.rho, kRhoc) << "liquid at T " << T << " p " << p;
      } else if (p < pSat) {
        EXPECT_LT(r.rho, kRhoc) << "vapour at T " << T << " p " << p;
      }
    }
  };
  for (double T = 623.2; T <= 863.15; T += 4.1) {
    for (double p = 16.6; p <= 100; p += 1.3) check(T, p);
  }
  for (double T = 645; T <= 650; T += 0.173) {
    for (double p = 21.5; p <= 23; p += 0.0611) check(T, p);
  }
  for (double T = 623.2; T < kTc; T += 0.77) {
    const double pSat = SaturationPressure(T);
    for (double factor : {1 - 1e-4, 1 - 1e-9, 1.0, 1 + 1e-9, 1 + 1e-4}) check(T, pSat * factor);
  }
  check(kTc, kPc);
  check(kTc + 1e-6, kPc);
  check(kTc, kPc * (1 + 1e-9));
  EXPECT_GT(states, 3000);
}

TEST(IF97Region3, BadInputIsNoState) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double T, p;
  } inputs[] = {{kNan, 30}, {700, kNan}, {kInf, 30}, {700, kInf}, {700, -1}, {-700, 30}, {700, 0}};
  for (const auto& in : inputs) {
    const FluidProps r = Region3TP(in.T, in.p);
    EXPECT_EQ(r.region, Region::kNone) << "T " << in.T << " p " << in.p;
    EXPECT_EQ(r.rho, 0);
    // The same inputs as (rho, T), the density in kg/m3.
    EXPECT_EQ(Region3(in.p * 10, in.T).region, Region::kNone) << "rho " << in.p * 10 << " T " << in.T;
  }
}

}  // namespace
}  // namespace tulo::iapws
