// IF97 backward equations T(p, h) and T(p, s) of regions 1 and 2: the release's check values, and
// the round trip through the basic equations over each region, which also exercises the choice of
// subregion 2a, 2b or 2c.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "iapws/IF97.h"
#include "iapws/IF97TestSupport.h"

namespace tulo::iapws {
namespace {

// One check value: T printed for the pair (p, h) or (p, s).
struct BackwardCase {
  double p;  // MPa
  double x;  // h in kJ/kg or s in kJ/(kg K)
  double T;  // K, as printed
};

void ExpectChecks(double (*backward)(double p, double x), const BackwardCase* begin,
                  const BackwardCase* end) {
  for (const BackwardCase* c = begin; c != end; ++c)
    EXPECT_TRUE(AgreesToPrintedDigits(backward(c->p, c->x), c->T)) << "p = " << c->p << ", x = " << c->x;
}

TEST(IF97Backward, Table7Region1TPH) {
  const BackwardCase table[] = {{3, 500, 0.391798509e3}, {80, 500, 0.378108626e3}, {80, 1500, 0.611041229e3}};
  ExpectChecks(Region1TPH, std::begin(table), std::end(table));
}

TEST(IF97Backward, Table9Region1TPS) {
  const BackwardCase table[] = {{3, 0.5, 0.307842258e3}, {80, 0.5, 0.309979785e3}, {80, 3, 0.565899909e3}};
  ExpectChecks(Region1TPS, std::begin(table), std::end(table));
}

TEST(IF97Backward, Table24Region2TPH) {
  const BackwardCase table[] = {
      {0.001, 3000, 0.534433241e3}, {3, 3000, 0.575373370e3},  {3, 4000, 0.101077577e4},   // 2a
      {5, 3500, 0.801299102e3},     {5, 4000, 0.101531583e4},  {25, 3500, 0.875279054e3},  // 2b
      {40, 2700, 0.743056411e3},    {60, 2700, 0.791137067e3}, {60, 3200, 0.882756860e3},  // 2c
  };
  ExpectChecks(Region2TPH, std::begin(table), std::end(table));
}

// Table 19 gives the check value of the B2bc equation: h = 3516.004323 kJ/kg at 100 MPa.
TEST(IF97Backward, B2bcCheckValue) {
  EXPECT_TRUE(AgreesToPrintedDigits(B2bcPressure(0.3516004323e4), 100.0));
}

TEST(IF97Backward, Table29Region2TPS) {
  const BackwardCase table[] = {
      {0.1, 7.5, 0.399517097e3}, {0.1, 8, 0.514127081e3},   {2.5, 8, 0.103984917e4},    // 2a
      {8, 6, 0.600484040e3},     {8, 7.5, 0.106495556e4},   {90, 6, 0.103801126e4},     // 2b
      {20, 5.75, 0.697992849e3}, {80, 5.25, 0.854011484e3}, {80, 5.75, 0.949017998e3},  // 2c
  };
  ExpectChecks(Region2TPS, std::begin(table), std::end(table));
}

// The largest |T(p, x(T, p)) - T| over a grid, with the state where it occurs.
struct RoundTrip {
  double worst = 0;
  std::string where;
  void Add(double back, double T, double p) {
    if (std::fabs(back - T) > worst) {
      worst = std::fabs(back - T);
      where = "T = " + std::to_string(T) + " K, p = " + std::to_string(p) + " MPa";
    }
  }
};

// Region 1 below the saturation line; the backward equations must return T within the
// release's permissible 25 mK.
TEST(IF97Backward, Region1RoundTrip) {
  // Upper temperature per pressure, a little below the saturation temperature.
  const struct {
    double p, tMax;
  } isobars[] = {{0.1, 372},      {1, 450},     {5, 535},     {10, 580},
                 {16.53, 623.15}, {20, 623.15}, {50, 623.15}, {100, 623.15}};
  RoundTrip ph, ps;
  for (const auto& isobar : isobars) {
    for (int k = 0; k <= 50; ++k) {
      const double T = 273.15 + (isobar.tMax - 273.15) * k / 50;
      const FluidProps f = Region1(T, isobar.p);
      ph.Add(Region1TPH(isobar.p, f.h), T, isobar.p);
      ps.Add(Region1TPS(isobar.p, f.s), T, isobar.p);
    }
  }
  EXPECT_LE(ph.worst, 0.025) << ph.where;
  EXPECT_LE(ps.worst, 0.025) << ps.where;
  EXPECT_GT(ph.worst, 0.001) << "the backward equation is an approximation, not the inverse";
}

// Region 2 from the saturation line (or the B23 line) to 1073.15 K on isobars through all three
// subregions. The release permits 10 mK in 2a and 2b and 25 mK in 2c; an equation applied in the
// wrong subregion misses by kelvins.
TEST(IF97Backward, Region2RoundTrip) {
  // Lower temperature per pressure, a little above the saturation temperature; above 16.53 MPa
  // region 2 starts at the B23 line.
  auto tMin = [](double p) {
    if (p <= 0.001) return 290.0;
    if (p <= 0.01) return 320.0;
    if (p <= 0.1) return 380.0;
    if (p <= 1) return 460.0;
    if (p <= 4) return 530.0;
    if (p <= 16.5) return 623.2;
    return B23Temperature(p) + 0.01;
  };
  enum Sub { k2a, k2b, k2c };
  RoundTrip ph[3], ps[3];
  for (double p : {0.001, 0.01, 0.1,  0.5,  1.0,  2.0,  4.0,  4.001, 5.0,  6.0,  8.0,  10.0,
                   14.0,  16.5, 17.0, 20.0, 25.0, 30.0, 40.0, 50.0,  60.0, 80.0, 100.0}) {
    for (int k = 0; k <= 60; ++k) {
      const double T = tMin(p) + (1073.15 - tMin(p)) * k / 60;
      const FluidProps f = Region2(T, p);
      // Subregions: 2a up to 4 MPa; above, T(p, s) takes 2b and 2c either side of s = 5.85 kJ/(kg K)
      // and T(p, h) either side of the B2bc line.
      const Sub byS = p <= 4 ? k2a : (f.s >= 5.85 ? k2b : k2c);
      const Sub byH = p <= 4 ? k2a : (p <= B2bcPressure(f.h) ? k2b : k2c);
      ph[byH].Add(Region2TPH(p, f.h), T, p);
      ps[byS].Add(Region2TPS(p, f.s), T, p);
    }
  }
  const double permitted[] = {0.010, 0.010, 0.025};
  for (int sub : {k2a, k2b, k2c}) {
    SCOPED_TRACE(std::string("subregion 2") + "abc"[sub]);
    EXPECT_LE(ph[sub].worst, permitted[sub]) << ph[sub].where;
    EXPECT_LE(ps[sub].worst, permitted[sub]) << ps[sub].where;
  }
}

}  // namespace
}  // namespace tulo::iapws
