// IAPWS-95 (R6-95(2018)): the release's verification tables 6, 7 and 8 to the digits printed, the
// consistency of the states found by iteration, and the melting curves of R14-08 that bound it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "iapws/Iapws95.h"
#include "iapws/MeltingSublimation.h"
#include "iapws/PrintedValue.h"

namespace tulo::testing {
namespace {

using namespace tulo::iapws95;

void ExpectPhi(const Phi& phi, const char* const (&printed)[6], const std::string& what) {
  const double values[6] = {phi.f, phi.d, phi.dd, phi.t, phi.tt, phi.dt};
  for (int k = 0; k < 6; ++k)
    EXPECT_TRUE(MatchesPrinted(values[k], printed[k])) << what << " derivative " << k;
}

// Table 6: phi0 and phir with their derivatives f, _delta, _deltadelta, _tau, _tautau,
// _deltatau at two states.
TEST(Iapws95Test, ReleaseTable6) {
  struct Row {
    double T, rho;
    const char* ideal[6];
    const char* residual[6];
  };
  const Row rows[] = {
      {500,
       838.025,
       {"0.204797733e1", "0.384236747", "-0.147637878", "0.904611106e1", "-0.193249185e1", "0"},
       {"-0.342693206e1", "-0.364366650", "0.856063701", "-0.581403435e1", "-0.223440737e1",
        "-0.112176915e1"}},
      {647,
       358,
       {"-0.156319605e1", "0.899441341", "-0.808994726", "0.980343918e1", "-0.343316334e1", "0"},
       {"-0.121202657e1", "-0.714012024", "0.475730696", "-0.321722501e1", "-0.996029507e1",
        "-0.133214720e1"}},
  };
  for (const Row& row : rows) {
    const double delta = row.rho / kRhoc, tau = kTc / row.T;
    ExpectPhi(IdealPart(delta, tau), row.ideal, "phi0 at " + std::to_string(row.T));
    ExpectPhi(ResidualPart(delta, tau), row.residual, "phir at " + std::to_string(row.T));
  }
}

// Table 7: single-phase states at given (T, rho): p, cv, w, s.
TEST(Iapws95Test, ReleaseTable7) {
  struct Row {
    double T, rho;
    const char *p, *cv, *w, *s;
  };
  const Row rows[] = {
      {300, 0.9965560e3, "0.992418352e-1", "0.413018112e1", "0.150151914e4", "0.393062643"},
      {300, 0.1005308e4, "0.200022515e2", "0.406798347e1", "0.153492501e4", "0.387405401"},
      {300, 0.1188202e4, "0.700004704e3", "0.346135580e1", "0.244357992e4", "0.132609616"},
      {500, 0.4350000, "0.999679423e-1", "0.150817541e1", "0.548314253e3", "0.794488271e1"},
      {500, 0.4532000e1, "0.999938125", "0.166991025e1", "0.535739001e3", "0.682502725e1"},
      {500, 0.8380250e3, "0.100003858e2", "0.322106219e1", "0.127128441e4", "0.256690919e1"},
      {500, 0.1084564e4, "0.700000405e3", "0.307437693e1", "0.241200877e4", "0.203237509e1"},
      {647, 0.3580000e3, "0.220384756e2", "0.618315728e1", "0.252145078e3", "0.432092307e1"},
      {900, 0.2410000, "0.100062559", "0.175890657e1", "0.724027147e3", "0.916653194e1"},
      {900, 0.5261500e2, "0.200000690e2", "0.193510526e1", "0.698445674e3", "0.659070225e1"},
      {900, 0.8707690e3, "0.700000006e3", "0.266422350e1", "0.201933608e4", "0.417223802e1"},
  };
  for (const Row& row : rows) {
    const FluidProps st = StateTRho(row.T, row.rho);
    EXPECT_TRUE(MatchesPrinted(st.p, row.p)) << row.T << " K " << row.rho;
    EXPECT_TRUE(MatchesPrinted(st.cv, row.cv)) << row.T << " K " << row.rho;
    EXPECT_TRUE(MatchesPrinted(st.w, row.w)) << row.T << " K " << row.rho;
    EXPECT_TRUE(MatchesPrinted(st.s, row.s)) << row.T << " K " << row.rho;
    // The state at (T, p) is the same one, on its own branch: its density to what 1e-12 in p
    // allows, relative to p and to rho R T (the rounding of a liquid's p), times kappaT.
    const double tolerance = row.rho * st.kappaT * 1e-12 * (st.p + row.rho * kR * row.T / 1000);
    EXPECT_NEAR(StateTP(row.T, st.p).rho, row.rho, tolerance) << row.T << " K " << row.rho;
  }
}

// Table 8: the saturation states at 275, 450 and 625 K.
TEST(Iapws95Test, ReleaseTable8) {
  struct Row {
    double T;
    const char *p, *rhoL, *rhoV, *hL, *hV, *sL, *sV;
  };
  const Row rows[] = {
      {275, "0.698451167e-3", "0.999887406e3", "0.550664919e-2", "0.775972202e1", "0.250428995e4",
       "0.283094670e-1", "0.910660121e1"},
      {450, "0.932203564", "0.890341250e3", "0.481200360e1", "0.749161585e3", "0.277441078e4",
       "0.210865845e1", "0.660921221e1"},
      {625, "0.169082693e2", "0.567090385e3", "0.118290280e3", "0.168626976e4", "0.255071625e4",
       "0.380194683e1", "0.518506121e1"},
  };
  for (const Row& row : rows) {
    const std::optional<Saturation> sat = SaturationAtT(row.T);
    ASSERT_TRUE(sat) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->p, row.p)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->liquid.rho, row.rhoL)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->vapour.rho, row.rhoV)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->liquid.h, row.hL)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->vapour.h, row.hV)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->liquid.s, row.sL)) << row.T;
    EXPECT_TRUE(MatchesPrinted(sat->vapour.s, row.sV)) << row.T;
    const std::optional<Saturation> byP = SaturationAtP(sat->p);
    ASSERT_TRUE(byP) << row.T;
    EXPECT_NEAR(byP->T, row.T, 1e-10 * row.T);
  }
}

// Equal pressure and Gibbs energy of both phases along the line, into the last millikelvin where
// the densities come from the power law of the coexistence curve. g is compared on the scale R T
// (g passes through 0 near the triple point), p on that of its own terms, rho R T: the liquid's
// p is their small difference, 1e-7 of p near the triple point.
TEST(Iapws95Test, SaturationIsMaxwell) {
  std::vector<double> temperatures;
  for (double T = kTt; T < kTc - 0.5; T += 0.73) temperatures.push_back(T);
  for (double below = 0.5; below > 1e-9; below *= 0.37) temperatures.push_back(kTc - below);
  double lastP = 0;
  for (const double T : temperatures) {
    const std::optional<Saturation> sat = SaturationAtT(T);
    ASSERT_TRUE(sat) << T;
    const FluidProps liquid = StateTRho(T, sat->liquid.rho);
    const FluidProps vapour = StateTRho(T, sat->vapour.rho);
    EXPECT_NEAR(liquid.g, vapour.g, 1e-12 * kR * T) << T;
    EXPECT_NEAR(liquid.p, vapour.p, 1e-12 * liquid.rho * kR * T / 1000) << T;
    EXPECT_NEAR(vapour.p, sat->p, 1e-15 * sat->p) << T;
    EXPECT_GT(sat->liquid.rho, sat->vapour.rho) << T;
    EXPECT_GT(sat->p, lastP) << T;
    lastP = sat->p;
  }
  const std::optional<Saturation> critical = SaturationAtT(kTc);
  ASSERT_TRUE(critical);
  EXPECT_EQ(critical->liquid.rho, kRhoc);
  EXPECT_EQ(critical->vapour.rho, kRhoc);
  EXPECT_NEAR(critical->p, kPc, 1e-9);
  EXPECT_EQ(critical->liquid.cp, std::numeric_limits<double>::infinity());
  EXPECT_EQ(critical->vapour.kappaT, std::numeric_limits<double>::infinity());
  EXPECT_FALSE(SaturationAtT(kTt - 0.01));
  EXPECT_FALSE(SaturationAtT(kTc + 0.01));
}

// SaturationAtP inverts SaturationAtT from the triple point to the critical point.
TEST(Iapws95Test, SaturationAtPressure) {
  const double pt = TriplePointPressure();
  EXPECT_NEAR(pt * 1e6, 611.6548, 1e-4);  // Pa; the formulation's, 2.2 Pa below R14-08's measured one
  for (const double T : {kTt, 280.0, 373.124, 500.0, 600.0, 640.0, 647.0, 647.09}) {
    const std::optional<Saturation> byT = SaturationAtT(T);
    ASSERT_TRUE(byT);
    const std::optional<Saturation> byP = SaturationAtP(byT->p);
    ASSERT_TRUE(byP) << T;
    EXPECT_NEAR(byP->T, T, 1e-9 * T);
    EXPECT_NEAR(byP->p, byT->p, 1e-12 * byT->p);
  }
  ASSERT_TRUE(SaturationAtP(kPc));
  EXPECT_EQ(SaturationAtP(kPc)->T, kTc);
  EXPECT_FALSE(SaturationAtP(0.99 * pt));
  EXPECT_FALSE(SaturationAtP(kPc * 1.001));
}

// StateTP finds the density on the branch of the stable phase, across the range: both sides of
// the saturation line within 1e-6 of psat, supercooled liquid, vapour below the triple point, the
// dense fluid above IF97's 100 MPa and the hot fluid above its 50 MPa.
TEST(Iapws95Test, StateTPRoundTrip) {
  struct Case {
    double T, p;
    bool liquid;  // rho > rhoc expected
  };
  std::vector<Case> cases = {{300, 0.1, true},   {273.16, 0.001, true}, {266, 100, true},
                             {252, 210, true},   {256, 340, true},      {280, 640, true},
                             {301, 1000, true},  {1273, 1000, true},    {1273, 0.01, false},
                             {1100, 200, true},  {647.2, 22.1, true},   {700, 30, false},
                             {220, 1e-8, false}, {273.16, 5e-4, false}, {500, 1e-6, false}};
  for (const double T : {275.0, 373.15, 450.0, 600.0, 640.0, 646.9, 647.09}) {
    const double ps = SaturationAtT(T)->p;
    for (const double k : {1 - 1e-6, 1 - 1e-3, 0.5}) cases.push_back({T, ps * k, false});
    for (const double k : {1 + 1e-6, 1 + 1e-3, 2.0}) cases.push_back({T, ps * k, true});
  }
  for (const Case& c : cases) {
    const FluidProps st = StateTP(c.T, c.p);
    ASSERT_NE(st.region, Region::kNone) << c.T << " K " << c.p << " MPa";
    EXPECT_EQ(st.rho > kRhoc, c.liquid) << c.T << " K " << c.p << " MPa";
    EXPECT_EQ(st.p, c.p);
    const double pBack = StateTRho(c.T, st.rho).p;
    EXPECT_NEAR(pBack, c.p, 1e-12 * (c.p + st.rho * kR * c.T / 1000)) << c.T << " K " << c.p << " MPa";
    EXPECT_GT(st.kappaT, 0) << c.T << " K " << c.p << " MPa";
  }
}

// Over a grid of the whole range, and at liquid states where Newton's last correction rounds to
// nothing (once taken for a step out of the bracket): p back to its rounding, on the right side.
TEST(Iapws95Test, StateTPOverTheRange) {
  std::vector<std::pair<double, double>> states = {{279.17000000000201, 0.0015031419660901193},
                                                   {296.88900000000245, 0.023431495065942508}};
  // Vapour just below the triple point, within 1e-4 of the liquid's extrapolated vapour pressure.
  for (const double T : {273.159, 273.15, 272.5, 271.0})
    states.emplace_back(T, iapws::SublimationPressure(T) * (1 - 1e-9));
  for (double T = 200.5; T < kTmax; T += 7.3)
    for (double p = 1.3e-9; p < kPmax; p *= 1.7) states.emplace_back(T, p);
  for (const auto& [T, p] : states) {
    if (!InRange(T, p)) continue;
    const FluidProps st = StateTP(T, p);
    ASSERT_NE(st.region, Region::kNone) << T << " K " << p << " MPa";
    EXPECT_NEAR(StateTRho(T, st.rho).p, p, 1e-12 * (p + st.rho * kR * T / 1000)) << T << " K " << p << " MPa";
    if (T >= kTt && T < kTc) {
      EXPECT_EQ(st.rho > kRhoc, p >= SaturationAtT(T)->p) << T << " K " << p << " MPa";
    }
  }
}

// cp, alphaV and kappaT are the slopes of h and v along isobars and isotherms: central
// differences of StateTP's values, liquid, vapour and supercritical. The step in p is scaled by
// rho R T too, to stay clear of the rounding of a liquid's density.
TEST(Iapws95Test, DerivativesAgainstDifferenceQuotients) {
  const double states[][2] = {{300, 0.1}, {500, 50},   {900, 700}, {400, 0.01},
                              {700, 25},  {1200, 500}, {260, 150}};
  for (const auto& [T, p] : states) {
    const FluidProps st = StateTP(T, p);
    const double dT = 1e-5 * T, dp = 1e-5 * std::max(p, st.rho * kR * T / 1000);
    const FluidProps hot = StateTP(T + dT, p), cold = StateTP(T - dT, p);
    const FluidProps high = StateTP(T, p + dp), low = StateTP(T, p - dp);
    const double cp = (hot.h - cold.h) / (2 * dT);
    const double alphaV = (hot.v - cold.v) / (2 * dT) / st.v;
    const double kappaT = -(high.v - low.v) / (2 * dp) / st.v;
    EXPECT_NEAR(st.cp, cp, 1e-6 * cp) << T << " K " << p << " MPa";
    EXPECT_NEAR(st.alphaV, alphaV, 1e-6 * std::abs(alphaV)) << T << " K " << p << " MPa";
    EXPECT_NEAR(st.kappaT, kappaT, 1e-6 * kappaT) << T << " K " << p << " MPa";
  }
}

// The range: melting curves of ices Ih, III, V and VI, the sublimation curve, 200 K for the vapour,
// 1273 K and 1000 MPa; StateTP has nothing outside.
TEST(Iapws95Test, Range) {
  struct Case {
    double T, p;
    bool in;
  };
  const Case cases[] = {
      {273.16, 0.1, true}, {273.0, 0.1, false}, {255, 250, true},      {253, 300, false},
      {272, 600, true},    {270, 600, false},   {301, 1000, true},     {299, 1000, false},
      {1273, 1000, true},  {1273.01, 1, false}, {300, 1000.01, false}, {250, 5e-5, true},
      {250, 1e-3, false},  {200, 1e-7, true},   {199.9, 1e-8, false},  {400, 0, false},
      {NAN, 1, false},     {400, NAN, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InRange(c.T, c.p), c.in) << c.T << " K " << c.p << " MPa";
    EXPECT_EQ(StateTP(c.T, c.p).region != Region::kNone, c.in) << c.T << " K " << c.p << " MPa";
  }
}

// R14-08 Table 3, the check values of the melting curves of ices III, V and VI, and the stable
// ice's melting temperature continuous through the triple points between the ices.
TEST(Iapws95Test, MeltingCurvesOfTheHighPressureIces) {
  using namespace tulo::iapws;
  EXPECT_TRUE(MatchesPrinted(MeltingPressureIII(254), "268.685"));
  EXPECT_TRUE(MatchesPrinted(MeltingPressureV(265), "479.640"));
  EXPECT_TRUE(MatchesPrinted(MeltingPressureVI(320), "1356.76"));
  const double triplePoints[][2] = {{251.165, 208.566}, {256.164, 350.1}, {273.31, 632.4}};
  for (const auto& [T, p] : triplePoints) {
    EXPECT_NEAR(MeltingTemperature(p * (1 - 1e-9)), T, 1e-3) << p;
    EXPECT_NEAR(MeltingTemperature(p * (1 + 1e-9)), T, 1e-3) << p;
  }
  for (double T = 251.2; T < 256.1; T += 0.3)
    EXPECT_NEAR(MeltingTemperature(MeltingPressureIII(T)), T, 1e-10);
  for (double T = 256.2; T < 273.3; T += 0.9) EXPECT_NEAR(MeltingTemperature(MeltingPressureV(T)), T, 1e-10);
  for (double T = 273.4; T < 300.2; T += 1.3) EXPECT_NEAR(MeltingTemperature(MeltingPressureVI(T)), T, 1e-10);
  EXPECT_NEAR(MeltingTemperature(0.101325), MeltingTemperatureIh(0.101325), 1e-12);
}

// On the critical isochore the non-analytic terms' powers of (delta - 1)^2 vanish: delta = 1
// itself gives finite values, the limits of those beside it.
TEST(Iapws95Test, ResidualAtTheCriticalDensity) {
  for (const double tau : {0.5, 0.99, 0.9999, 1.0001, 1.01, 2.0}) {
    const Phi at = ResidualPart(1.0, tau);
    const Phi below = ResidualPart(1.0 - 1e-9, tau);
    const Phi above = ResidualPart(1.0 + 1e-9, tau);
    const double fields[][3] = {{at.f, below.f, above.f},    {at.d, below.d, above.d},
                                {at.dd, below.dd, above.dd}, {at.t, below.t, above.t},
                                {at.tt, below.tt, above.tt}, {at.dt, below.dt, above.dt}};
    for (const auto& [value, lower, upper] : fields) {
      ASSERT_TRUE(std::isfinite(value)) << tau;
      EXPECT_NEAR(value, 0.5 * (lower + upper), 1e-6 * (1 + std::abs(value))) << tau;
    }
  }
}

}  // namespace
}  // namespace tulo::testing
