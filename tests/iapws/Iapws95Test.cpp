// IAPWS-95 (R6-95(2018)): the release's verification tables 6, 7 and 8 to the digits printed, the
// consistency of the states found by iteration, and the melting curves of R14-08 that bound it.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

}  // namespace
}  // namespace tulo::testing
