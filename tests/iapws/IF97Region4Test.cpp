// IF97 region 4: the saturation equation against Tables 35 and 36, and the saturated phases.

#include <gtest/gtest.h>

#include <cmath>

#include "iapws/IF97.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws {
namespace {

TEST(IF97Region4, Table35SaturationPressure) {
  const struct { double T, p; } rows[] = {{300, 0.353658941e-2}, {500, 0.263889776e1}, {600, 0.123443146e2}};
  for (const auto& row : rows) EXPECT_TRUE(AgreesToPrintedDigits(SaturationPressure(row.T), row.p)) << row.T;
}

TEST(IF97Region4, Table36SaturationTemperature) {
  const struct { double p, T; } rows[] = {{0.1, 0.372755919e3}, {1, 0.453035632e3}, {10, 0.584149488e3}};
  for (const auto& row : rows)
    EXPECT_TRUE(AgreesToPrintedDigits(SaturationTemperature(row.p), row.T)) << row.p;
}

// Eqs. 30 and 31 are the two solutions of one quadratic: each inverts the other.
TEST(IF97Region4, SaturationEquationsInvertEachOther) {
  for (double T = 273.15; T <= kTc; T += 1.7) {
    EXPECT_NEAR(SaturationTemperature(SaturationPressure(T)), T, 1e-12 * T) << T;
  }
  EXPECT_NEAR(SaturationPressure(kTc), kPc, 1e-6);
  EXPECT_NEAR(SaturationTemperature(kPc), kTc, 1e-6);
}

TEST(IF97Region4, OutsideTheSaturationLineIsZero) {
  EXPECT_EQ(SaturationPressure(273.14), 0);
  EXPECT_EQ(SaturationPressure(kTc + 0.01), 0);
  EXPECT_EQ(SaturationPressure(std::nan("")), 0);
  EXPECT_EQ(SaturationTemperature(611e-6), 0);
  EXPECT_EQ(SaturationTemperature(kPc + 1e-6), 0);
  EXPECT_EQ(SaturationTemperature(-1), 0);
  for (double T : {273.14, kTc + 0.01, 1000.0}) {
    EXPECT_EQ(SaturatedLiquid(T).region, Region::kNone) << T;
    EXPECT_EQ(SaturatedVapour(T).region, Region::kNone) << T;
    EXPECT_EQ(SaturatedVapour(T).p, 0) << T;
  }
}

// Above 623.15 K both phases come from Eq. 28 with the saturation condition, solved to full
// precision: equal pressure and equal Gibbs energy, the liquid denser than the critical density
// and the vapour lighter. Their pressure differs from Eq. 30 by the consistency of the two
// equations, at most 2.6e-5 relative (at 638.7 K, on a 0.01 K scan from 623.16 K to Tc).
TEST(IF97Region4, SaturatedPhasesInRegion3SatisfyTheSaturationCondition) {
  for (double T : {623.2, 630.0, 635.5, 640.0, 643.15, 645.0, 646.0, 647.0, 647.05, 647.09, 647.0959}) {
    SCOPED_TRACE(::testing::Message() << "T " << T);
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    ASSERT_EQ(liquid.region, Region::k3);
    ASSERT_EQ(vapour.region, Region::k3);
    EXPECT_NEAR(liquid.p, vapour.p, 1e-9 * liquid.p);
    EXPECT_NEAR(liquid.g, vapour.g, 1e-9 * std::fabs(liquid.g));
    EXPECT_GT(liquid.rho, kRhoc);
    EXPECT_LT(vapour.rho, kRhoc);
    EXPECT_GT(liquid.rho - vapour.rho, 1);
    EXPECT_NEAR(liquid.p, SaturationPressure(T), 3e-5 * liquid.p);
    EXPECT_EQ(liquid.T, T);
    EXPECT_GT(vapour.h, liquid.h);
  }
}

// Below 623.15 K the phases are regions 1 and 2 at the pressure of Eq. 30.
TEST(IF97Region4, SaturatedPhasesInRegions1And2) {
  for (double T : {273.15, 300.0, 373.15, 500.0, 623.15}) {
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    EXPECT_EQ(liquid.region, Region::k1) << T;
    EXPECT_EQ(vapour.region, Region::k2) << T;
    EXPECT_EQ(liquid.p, SaturationPressure(T)) << T;
    EXPECT_EQ(vapour.p, SaturationPressure(T)) << T;
    EXPECT_EQ(liquid.h, Region1(T, SaturationPressure(T)).h) << T;
    EXPECT_EQ(vapour.h, Region2(T, SaturationPressure(T)).h) << T;
  }
}

// Across 623.15 K the saturated phases change equation; they agree within the consistency of
// regions 1, 2 and 3 on their boundaries, which a wrong branch or density would far exceed.
TEST(IF97Region4, SaturatedPhasesAreContinuousAt623K) {
  const double below = 623.15, above = 623.15 + 1e-9;
  const FluidProps pairs[][2] = {{SaturatedLiquid(below), SaturatedLiquid(above)},
                                 {SaturatedVapour(below), SaturatedVapour(above)}};
  for (const auto& pair : pairs) {
    EXPECT_NE(pair[0].region, pair[1].region);
    EXPECT_NEAR(pair[0].v, pair[1].v, 2e-4 * pair[0].v);
    EXPECT_NEAR(pair[0].h, pair[1].h, 0.1);
    EXPECT_NEAR(pair[0].s, pair[1].s, 1e-4);
    EXPECT_NEAR(pair[0].p, pair[1].p, 1e-5 * pair[0].p);
  }
}

// At the critical point both phases are the critical state of Eq. 28.
TEST(IF97Region4, BothPhasesMeetAtTheCriticalPoint) {
  const FluidProps liquid = SaturatedLiquid(kTc), vapour = SaturatedVapour(kTc);
  EXPECT_EQ(liquid.region, Region::k3);
  EXPECT_EQ(liquid.rho, kRhoc);
  EXPECT_EQ(vapour.rho, kRhoc);
  EXPECT_NEAR(liquid.p, kPc, 1e-8);
  EXPECT_TRUE(std::isinf(liquid.cp) && liquid.cp > 0);
  EXPECT_TRUE(std::isfinite(liquid.w) && std::isfinite(liquid.cv));
  const FluidProps close = SaturatedLiquid(kTc - 1e-6);
  EXPECT_NEAR(close.rho, kRhoc, 0.2);
  EXPECT_NEAR(close.h, liquid.h, 0.5);
}

}  // namespace
}  // namespace tulo::iapws
