// IF97 region 4: the saturation equation against Tables 35 and 36, and the saturated phases.

#include <gtest/gtest.h>

#include <cmath>

#include "iapws/IF97.h"
#include "iapws/IF97TestSupport.h"
#include "iapws/Water.h"

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

// Above 623.15 K both phases are Eq. 28 at the pressure of Eq. 30, to a relative pressure
// residual of 1e-12: the liquid denser than the critical density and the vapour lighter, their
// field p the pressure of Eq. 30. Eq. 28's own phase equilibrium would miss Eq. 30 by up to
// 2.6e-5 relative (0.5 kPa at 640 K), so this also tells the two definitions apart.
TEST(IF97Region4, SaturatedPhasesInRegion3AreAtTheSaturationPressure) {
  for (double T :
       {623.2, 630.0, 635.5, 640.0, 643.15, 645.0, 646.0, 647.0, 647.05, 647.09, 647.095, 647.0959}) {
    SCOPED_TRACE(::testing::Message() << "T " << T);
    const double ps = SaturationPressure(T);
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    ASSERT_EQ(liquid.region, Region::k3);
    ASSERT_EQ(vapour.region, Region::k3);
    EXPECT_NEAR(Region3(liquid.rho, T).p, ps, 1e-12 * ps);
    EXPECT_NEAR(Region3(vapour.rho, T).p, ps, 1e-12 * ps);
    EXPECT_EQ(liquid.p, ps);
    EXPECT_EQ(vapour.p, ps);
    EXPECT_GT(liquid.rho, kRhoc);
    EXPECT_LT(vapour.rho, kRhoc);
    EXPECT_GT(liquid.rho - vapour.rho, 1);
    EXPECT_EQ(liquid.T, T);
    EXPECT_GT(vapour.h, liquid.h);
  }
}

// Reference values from python3-iapws 1.5.3 (Debian): its Eq. 28 (_Region3) solved with scipy's
// brentq to 1e-15 at its Eq. 30 (_PSat_T), or at p with T from its Eq. 31 (_TSat_P); h in kJ/kg,
// cp in kJ/(kg K). Near the critical point the isotherms are flat (dp/drho ~ 1e-5 MPa m3/kg at
// 647.09 K), so a pressure residual of 1e-12 leaves the densities 1e-9 uncertain there.
TEST(IF97Region4, SaturatedPhasesInRegion3AgreeWithAnIndependentSolution) {
  struct Row {
    double T, p;  // one of them given: T > 0 is by temperature, otherwise by pressure
    double rhoL, rhoV, hL, hV, cpL, cpV;
  };
  const Row rows[] = {
      {630.0, 0, 544.328377062, 132.89447774, 1730.6910348, 2510.7815625, 12.7625418, 22.7885064},
      {640.0, 0, 481.612172212, 177.40124275, 1841.98403689, 2394.41643509, 26.4683971, 52.5208185},
      {645.0, 0, 422.697838659, 224.921458028, 1934.31065237, 2280.22618411, 93.0934081, 176.453966},
      {646.0, 0, 400.257301812, 244.64342185, 1967.59201828, 2236.27531099, 195.295833, 344.024143},
      {647.0, 0, 349.557839581, 293.919406423, 2043.30570805, 2136.96760774, 3291.93647, 4401.30511},
      {647.09, 0, 329.276802174, 314.848984173, 2075.51026258, 2099.66563769, 60822.996, 71255.6487},
      {0, 20.0, 490.521350426, 170.698658935, 1827.10062422, 2411.38721139, 0, 0},
      {0, 21.5, 423.699880671, 224.064399469, 1932.80961433, 2282.18491566, 0, 0},
      {0, 22.0, 363.585121736, 279.593427438, 2021.91665078, 2164.18176761, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "T " << row.T << " p " << row.p);
    const double T = row.T > 0 ? row.T : SaturationTemperature(row.p);
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    EXPECT_NEAR(liquid.rho, row.rhoL, 1e-8 * row.rhoL);
    EXPECT_NEAR(vapour.rho, row.rhoV, 1e-8 * row.rhoV);
    EXPECT_NEAR(liquid.h, row.hL, 1e-9 * row.hL);
    EXPECT_NEAR(vapour.h, row.hV, 1e-9 * row.hV);
    if (row.cpL > 0) {
      EXPECT_NEAR(liquid.cp, row.cpL, 1e-7 * row.cpL);
      EXPECT_NEAR(vapour.cp, row.cpV, 1e-7 * row.cpV);
    }
  }
}

// Within 3.4e-5 K of Tc Eq. 28's vapour isotherm peaks just below Eq. 30: the vapour is then the
// spinodal, still lighter than the critical density and within 4e-11 of the pressure, and the
// liquid stays the exact solution on its own branch.
TEST(IF97Region4, NearTheCriticalPointEachPhaseKeepsToItsBranch) {
  for (double below : {1e-4, 3e-5, 1e-5, 1e-6, 1e-7, 2e-8}) {
    SCOPED_TRACE(::testing::Message() << "Tc - " << below);
    const double T = kTc - below, ps = SaturationPressure(T);
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    ASSERT_EQ(liquid.region, Region::k3);
    ASSERT_EQ(vapour.region, Region::k3);
    EXPECT_GT(liquid.rho, kRhoc);
    EXPECT_LT(vapour.rho, kRhoc);
    EXPECT_NEAR(Region3(liquid.rho, T).p, ps, 1e-12 * ps);
    EXPECT_NEAR(Region3(vapour.rho, T).p, ps, 4e-11 * ps);
    EXPECT_GT(Region3(vapour.rho, T).w, 0);
    EXPECT_GT(VaporisationEnthalpy(T), 0);
    EXPECT_LT(VaporisationEnthalpy(T), 3.5);
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

// At the critical point both phases are the critical state of Eq. 28, also a few roundings
// below Tc: 647.096 K stored as a Real6, and Eq. 31 at pc. The enthalpy of vaporisation is 0.
TEST(IF97Region4, BothPhasesMeetAtTheCriticalPoint) {
  for (double T : {kTc, 647.0959999999031, SaturationTemperature(kPc)}) {
    SCOPED_TRACE(::testing::Message() << "Tc - " << kTc - T);
    const FluidProps liquid = SaturatedLiquid(T), vapour = SaturatedVapour(T);
    EXPECT_EQ(liquid.region, Region::k3);
    EXPECT_EQ(liquid.rho, kRhoc);
    EXPECT_EQ(vapour.rho, kRhoc);
    EXPECT_EQ(VaporisationEnthalpy(T), 0.0);
    EXPECT_NEAR(liquid.p, kPc, 1e-8);
    EXPECT_TRUE(std::isinf(liquid.cp) && liquid.cp > 0);
    EXPECT_TRUE(std::isfinite(liquid.w) && std::isfinite(liquid.cv));
  }
  // Eq. 30 passes 3.7e-10 MPa above Eq. 28's critical pressure: 1e-6 K below Tc the liquid at
  // psat(T) lies 0.21 kg/m3 above the critical density (the cube root of that offset).
  const FluidProps close = SaturatedLiquid(kTc - 1e-6), critical = SaturatedLiquid(kTc);
  EXPECT_NEAR(close.rho, kRhoc, 0.25);
  EXPECT_NEAR(close.h, critical.h, 0.5);
}

}  // namespace
}  // namespace tulo::iapws
