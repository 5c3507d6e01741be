// IF97 over its whole range: the region of (T, p) per Figure 1, with the lower region on a
// boundary, and the state in it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws/IF97.h"

namespace tulo::iapws {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(IF97Range, RegionOfTheBoundariesAndTheLimits) {
  const double pSat300 = SaturationPressure(300);
  const double pB23 = B23Pressure(700);
  const struct {
    double T, p;
    Region expected;
    const char* why;
  } rows[] = {
      {300, 0.1, Region::k1, "compressed liquid"},
      {300, pSat300, Region::k1, "on the saturation line: region 1"},
      {300, pSat300 * (1 - 1e-9), Region::k2, "just below the saturation line"},
      {273.15, 100, Region::k1, "lowest temperature, highest pressure"},
      {273.15, 1e-4, Region::k2, "lowest temperature, vapour"},
      {623.15, 50, Region::k1, "623.15 K is region 1"},
      {623.15, 10, Region::k2, "623.15 K below the saturation line"},
      {std::nextafter(623.15, 1e3), 50, Region::k3, "just above 623.15 K"},
      {700, pB23, Region::k2, "on the B23 line: region 2"},
      {700, std::nextafter(pB23, 1e3), Region::k3, "just above the B23 line"},
      {650, 22, Region::k3, "vapour side of region 3"},
      {863.15, 100, Region::k2, "B23 reaches 100 MPa at 863.15 K"},
      {1073.15, 100, Region::k2, "1073.15 K is region 2"},
      {1073.15, 50, Region::k2, "1073.15 K is region 2"},
      {std::nextafter(1073.15, 1e4), 50, Region::k5, "just above 1073.15 K"},
      {2273.15, 50, Region::k5, "highest temperature and its highest pressure"},
      {1500, 1e-6, Region::k5, "region 5 down to low pressure"},
      {273.14, 1, Region::kNone, "below 273.15 K"},
      {300, 100.0001, Region::kNone, "above 100 MPa"},
      {1500, 50.0001, Region::kNone, "above 50 MPa in region 5"},
      {2273.16, 10, Region::kNone, "above 2273.15 K"},
      {300, 0, Region::kNone, "zero pressure"},
      {300, -1, Region::kNone, "negative pressure"},
      {kNan, 1, Region::kNone, "no temperature"},
      {300, kNan, Region::kNone, "no pressure"},
      {kInf, 1, Region::kNone, "infinite temperature"},
      {300, kInf, Region::kNone, "infinite pressure"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RegionOf(row.T, row.p), row.expected) << row.why << ": T " << row.T << " p " << row.p;
  }
}

// StateTP answers in the region that RegionOf names, with that region's equation.
TEST(IF97Range, StateComesFromTheRegionsEquation) {
  const struct {
    double T, p;
  } states[] = {{300, 3}, {500, 0.5}, {700, 30}, {650, 25}, {900, 20}, {1500, 30}};
  for (const auto& s : states) {
    SCOPED_TRACE(::testing::Message() << "T " << s.T << " p " << s.p);
    const FluidProps state = StateTP(s.T, s.p);
    const Region region = RegionOf(s.T, s.p);
    EXPECT_EQ(state.region, region);
    EXPECT_EQ(state.T, s.T);
    EXPECT_EQ(state.p, s.p);
    const FluidProps direct = region == Region::k1   ? Region1(s.T, s.p)
                              : region == Region::k2 ? Region2(s.T, s.p)
                              : region == Region::k3 ? Region3TP(s.T, s.p)
                                                     : Region5(s.T, s.p);
    EXPECT_EQ(state.h, direct.h);
    EXPECT_EQ(state.rho, direct.rho);
  }
}

TEST(IF97Range, OutsideTheRangeIsAnEmptyState) {
  for (const auto& [T, p] :
       {std::pair{273.0, 1.0}, {300.0, 101.0}, {2300.0, 1.0}, {1500.0, 60.0}, {kNan, 1.0}}) {
    const FluidProps state = StateTP(T, p);
    EXPECT_EQ(state.region, Region::kNone);
    EXPECT_EQ(state.T, 0);
    EXPECT_EQ(state.h, 0);
    EXPECT_EQ(state.rho, 0);
  }
}

// Across each region boundary the two equations agree within the consistency that IF97 was built
// to (well under 0.1 % in v and 0.2 kJ/kg in h); a boundary in the wrong place would not.
TEST(IF97Range, StatesAreContinuousAcrossRegionBoundaries) {
  const struct {
    double T1, p1, T2, p2;
    const char* boundary;
  } pairs[] = {
      {623.15, 20, std::nextafter(623.15, 1e3), 20, "1|3 at 20 MPa"},
      {623.15, 100, std::nextafter(623.15, 1e3), 100, "1|3 at 100 MPa"},
      {650, B23Pressure(650), 650, std::nextafter(B23Pressure(650), 1e3), "2|3 at 650 K"},
      {800, B23Pressure(800), 800, std::nextafter(B23Pressure(800), 1e3), "2|3 at 800 K"},
      {1073.15, 1, std::nextafter(1073.15, 1e4), 1, "2|5 at 1 MPa"},
      {1073.15, 50, std::nextafter(1073.15, 1e4), 50, "2|5 at 50 MPa"},
  };
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair.boundary);
    const FluidProps a = StateTP(pair.T1, pair.p1), b = StateTP(pair.T2, pair.p2);
    ASSERT_NE(a.region, Region::kNone);
    ASSERT_NE(b.region, Region::kNone);
    EXPECT_NE(a.region, b.region);
    EXPECT_NEAR(a.v, b.v, 5e-4 * a.v);
    EXPECT_NEAR(a.h, b.h, 0.2);
    EXPECT_NEAR(a.s, b.s, 3e-4);
    EXPECT_NEAR(a.cp, b.cp, 1e-2 * a.cp);
    EXPECT_NEAR(a.w, b.w, 3e-3 * a.w);
  }
}

}  // namespace
}  // namespace tulo::iapws
