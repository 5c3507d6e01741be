// IF97 regions 1, 2 and 5 and the B23 boundary: the release's verification tables, and the
// thermodynamic consistency of every property with the Gibbs free energy it comes from.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "iapws/IF97.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws {
namespace {

using RegionFunction = FluidProps (*)(double T, double p);

// One column of a verification table: the state and its printed values.
struct PrintedState {
  double T, p;  // K, MPa
  double v, h, u, s, cp, cv, w, alphaV, kappaT;
};

void ExpectPrinted(RegionFunction region, Region expected, const PrintedState& row) {
  SCOPED_TRACE("T = " + std::to_string(row.T) + " K, p = " + std::to_string(row.p) + " MPa");
  const FluidProps f = region(row.T, row.p);
  EXPECT_EQ(f.region, expected);
  EXPECT_EQ(f.T, row.T);
  EXPECT_EQ(f.p, row.p);
  EXPECT_TRUE(AgreesToPrintedDigits(f.v, row.v)) << "v";
  EXPECT_TRUE(AgreesToPrintedDigits(f.h, row.h)) << "h";
  EXPECT_TRUE(AgreesToPrintedDigits(f.u, row.u)) << "u";
  EXPECT_TRUE(AgreesToPrintedDigits(f.s, row.s)) << "s";
  EXPECT_TRUE(AgreesToPrintedDigits(f.cp, row.cp)) << "cp";
  EXPECT_TRUE(AgreesToPrintedDigits(f.cv, row.cv)) << "cv";
  EXPECT_TRUE(AgreesToPrintedDigits(f.w, row.w)) << "w";
  EXPECT_TRUE(AgreesToPrintedDigits(f.alphaV, row.alphaV)) << "alphaV";
  EXPECT_TRUE(AgreesToPrintedDigits(f.kappaT, row.kappaT)) << "kappaT";
  EXPECT_DOUBLE_EQ(f.rho * f.v, 1.0);
}

// Values of the 2012 revision's Tables 5, 15 and 42 (cv, alphaV and kappaT are the rows that
// revision added).
TEST(IF97Region1, Table5) {
  const PrintedState table[] = {
      {300, 3, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1, 0.412120160e1,
       0.150773921e4, 0.277354533e-3, 0.446382123e-3},
      {300, 80, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1, 0.391736606e1,
       0.163469054e4, 0.344095843e-3, 0.372039437e-3},
      {500, 3, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1, 0.322139223e1,
       0.124071337e4, 0.164118128e-2, 0.112892188e-2},
  };
  for (const PrintedState& row : table) ExpectPrinted(Region1, Region::k1, row);
}

TEST(IF97Region2, Table15) {
  const PrintedState table[] = {
      {300, 0.0035, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1, 0.144132662e1,
       0.427920172e3, 0.337578289e-2, 0.286239651e3},
      {700, 0.0035, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1, 0.161978333e1,
       0.644289068e3, 0.142878736e-2, 0.285725461e3},
      {700, 30, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2, 0.297553837e1,
       0.480386523e3, 0.126019688e-1, 0.818411389e-1},
  };
  for (const PrintedState& row : table) ExpectPrinted(Region2, Region::k2, row);
}

TEST(IF97Region5, Table42) {
  const PrintedState table[] = {
      {1500, 0.5, 0.138455090e1, 0.521976855e4, 0.452749310e4, 0.965408875e1, 0.261609445e1, 0.215337784e1,
       0.917068690e3, 0.667539000e-3, 0.200003859e1},
      {1500, 30, 0.230761299e-1, 0.516723514e4, 0.447495124e4, 0.772970133e1, 0.272724317e1, 0.219274829e1,
       0.928548002e3, 0.716950754e-3, 0.332881253e-1},
      {2000, 30, 0.311385219e-1, 0.657122604e4, 0.563707038e4, 0.853640523e1, 0.288569882e1, 0.239589436e1,
       0.106736948e4, 0.508830641e-3, 0.329193892e-1},
  };
  for (const PrintedState& row : table) ExpectPrinted(Region5, Region::k5, row);
}

// The check values under Eqs. 5 and 6.
TEST(IF97B23, CheckValues) {
  EXPECT_TRUE(AgreesToPrintedDigits(B23Pressure(623.15), 0.165291643e2));
  EXPECT_TRUE(AgreesToPrintedDigits(B23Temperature(0.165291643e2), 0.623150000e3));
  // The two equations are inverse to each other along the whole boundary (623.15 .. 863.15 K).
  for (double T = 623.15; T <= 863.15; T += 20) EXPECT_NEAR(B23Temperature(B23Pressure(T)), T, 1e-9 * T);
  EXPECT_TRUE(AgreesToPrintedDigits(B23Pressure(863.15), 100.0, 4));
  // No real solution below n5 = 13.9 MPa: a temperature below the boundary's range, not a nan.
  EXPECT_LT(B23Temperature(10.0), 623.15);
  EXPECT_FALSE(std::isnan(B23Temperature(0.0)));
}

// Every property against difference quotients of the Gibbs free energy and of its first
// derivatives, on states across each region (low and high pressure, near the boundaries):
// s = -(dg/dT)p, v = (dg/dp)T, cp = (dh/dT)p, alphaV = (dv/dT)p / v, kappaT = -(dv/dp)T / v,
// and cv and w from the thermodynamic identities cv = cp - T v alphaV^2 / kappaT and
// w^2 = cp / (cv rho kappaT). A wrong derivative, factor or unit in any relation shows.
struct ConsistencyCase {
  RegionFunction region;
  double T, p;
};

TEST(IF97Regions125, PropertiesAgreeWithDifferenceQuotients) {
  const ConsistencyCase cases[] = {
      {Region1, 273.16, 0.001},  {Region1, 285, 1},       {Region1, 300, 50},       {Region1, 450, 5},
      {Region1, 600, 20},        {Region1, 623.15, 100},  {Region1, 273.15, 100},   {Region2, 273.16, 0.0005},
      {Region2, 400, 0.1},       {Region2, 650, 10},      {Region2, 700, 30},       {Region2, 900, 60},
      {Region2, 1073.15, 0.001}, {Region2, 1073.15, 100}, {Region5, 1073.15, 0.01}, {Region5, 1500, 5},
      {Region5, 2273.15, 50},
  };
  for (const ConsistencyCase& c : cases) {
    SCOPED_TRACE("T = " + std::to_string(c.T) + " K, p = " + std::to_string(c.p) + " MPa");
    const FluidProps f = c.region(c.T, c.p);
    const double dT = 0.01;  // K
    // MPa; the liquid's volume hardly moves with pressure, so its step is larger to keep the
    // quotient clear of rounding.
    const double dp = f.region == Region::k1 ? std::min(0.01, 0.5 * c.p) : 1e-4 * c.p;
    const FluidProps hotter = c.region(c.T + dT, c.p), colder = c.region(c.T - dT, c.p);
    const FluidProps higher = c.region(c.T, c.p + dp), lower = c.region(c.T, c.p - dp);

    const double s = -(hotter.g - colder.g) / (2 * dT);
    const double v = (higher.g - lower.g) / (2 * dp) / 1000.0;  // kJ/(kg MPa) = 1e-3 m3/kg
    const double cp = (hotter.h - colder.h) / (2 * dT);
    const double alphaV = (hotter.v - colder.v) / (2 * dT) / f.v;
    const double kappaT = -(higher.v - lower.v) / (2 * dp) / f.v;
    const double cv = cp - 1000.0 * c.T * f.v * alphaV * alphaV / kappaT;  // MPa m3/kg = 1e3 kJ/kg
    const double w = std::sqrt(cp / (cv * f.rho * kappaT * 1e-6));         // kappaT in 1/Pa

    EXPECT_NEAR(f.s, s, 1e-7 * std::fabs(f.s) + 1e-8);
    EXPECT_NEAR(f.v, v, 1e-7 * f.v);
    EXPECT_NEAR(f.cp, cp, 1e-6 * f.cp);
    EXPECT_NEAR(f.alphaV, alphaV, 1e-6 * std::fabs(f.alphaV) + 1e-10);
    EXPECT_NEAR(f.kappaT, kappaT, 1e-6 * f.kappaT);
    EXPECT_NEAR(f.cv, cv, 1e-6 * f.cv);
    EXPECT_NEAR(f.w, w, 1e-6 * f.w);
    EXPECT_NEAR(f.u, f.h - 1000.0 * c.p * f.v, 1e-9 * std::fabs(f.h) + 1e-9);
    EXPECT_NEAR(f.g, f.h - c.T * f.s, 1e-9 * std::fabs(f.h) + 1e-9);
  }
}

// Regions 2 and 5 meet at 1073.15 K. The two equations are independent fits, so they differ a
// little there; IF97 requires them to agree within 0.05 % in v, 0.2 kJ/kg in h and g, 0.2 J/(kg K)
// in s and 1 % in cp and w.
TEST(IF97Regions125, Regions2And5MeetAt1073K) {
  for (double p : {0.001, 0.1, 1.0, 10.0, 30.0, 50.0}) {
    SCOPED_TRACE("p = " + std::to_string(p) + " MPa");
    const FluidProps two = Region2(1073.15, p), five = Region5(1073.15, p);
    EXPECT_NEAR(five.v, two.v, 5e-4 * two.v);
    EXPECT_NEAR(five.h, two.h, 0.2);
    EXPECT_NEAR(five.g, two.g, 0.2);
    EXPECT_NEAR(five.s, two.s, 0.2e-3);
    EXPECT_NEAR(five.cp, two.cp, 0.01 * two.cp);
    EXPECT_NEAR(five.w, two.w, 0.01 * two.w);
  }
}

}  // namespace
}  // namespace tulo::iapws
