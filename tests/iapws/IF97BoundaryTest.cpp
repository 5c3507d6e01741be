// Continuity across the region boundaries of IF97: the two regions that meet at a boundary give
// the same state within the consistency the release asks of them (0.05 % in v, 0.2 kJ/kg in h,
// 0.2 J/(kg K) in s, 1 % in cp). A wrong region choice or a broken region 3 solve shows here.

#include <gtest/gtest.h>

#include <cmath>

#include "iapws/IF97.h"

namespace tulo::iapws {
namespace {

void ExpectConsistent(const FluidProps& a, const FluidProps& b) {
  EXPECT_NEAR(a.v, b.v, 5e-4 * b.v);
  EXPECT_NEAR(a.h, b.h, 0.2);
  EXPECT_NEAR(a.s, b.s, 2e-4);
  EXPECT_NEAR(a.cp, b.cp, 0.01 * b.cp);
}

TEST(IF97Boundaries, RegionsOneAndThreeMeetAt623K) {
  for (double p : {16.6, 25.0, 50.0, 100.0}) {
    SCOPED_TRACE(p);
    const FluidProps three = Region3TP(623.15, p * (1 + 1e-12));
    ASSERT_EQ(three.region, Region::k3);
    ExpectConsistent(Region1(623.15, p), three);
  }
}

TEST(IF97Boundaries, RegionsTwoAndThreeMeetOnB23) {
  // 623.15 K is left out: there B23 meets the saturation line and region 3 is the liquid.
  for (double T : {650.0, 700.0, 800.0, 860.0}) {
    SCOPED_TRACE(T);
    const double p = B23Pressure(T);
    EXPECT_EQ(RegionOf(T, p), Region::k2);  // on the line: the lower region
    ExpectConsistent(Region2(T, p), Region3TP(T, p));
  }
}

TEST(IF97Boundaries, RegionsTwoAndFiveMeetAt1073K) {
  for (double p : {0.1, 10.0, 50.0}) {
    SCOPED_TRACE(p);
    EXPECT_EQ(RegionOf(1073.15, p), Region::k2);
    ExpectConsistent(Region2(1073.15, p), Region5(1073.15, p));
  }
}

}  // namespace
}  // namespace tulo::iapws
