// The one comparison with the end of a closed range.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/RangeLimit.h"
#include "common/Real6.h"

namespace tulo {
namespace {

TEST(RangeLimit, EndsAreClosedWithinAFewUlpsOfAReal6) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double x, lowest, highest;
    bool inside;
  } cases[] = {
      {1173.15, 0.0, 1173.15, true},
      {static_cast<double>(R6(1173.15L)), 0.0, 1173.15, true},  // the window's stored value
      {900.0 + 273.15, 0.0, 1173.15, true},
      {std::nextafter(1173.15, 2000.0), 0.0, 1173.15, true},
      {1173.15 * (1 + 1e-9), 0.0, 1173.15, false},
      {1173.16, 0.0, 1173.15, false},
      {static_cast<double>(R6(273.15L)), 273.15, 1073.15, true},  // below the lower end, by rounding
      {273.15 * (1 - 1e-9), 273.15, 1073.15, false},
      {273.14, 273.15, 1073.15, false},
      {0.0, 0.0, 100.0, true},
      {-1e-300, 0.0, 100.0, false},                 // a zero end has no room
      {1.5e-40, 1.5e-40 * (1 + 1e-13), 1.0, true},  // relative, however small the end
      {1.5e-40, 1.5e-40 * (1 + 1e-9), 1.0, false},
      {kNaN, 0.0, 100.0, false},
      {kInf, 0.0, 100.0, false},
      {-kInf, 0.0, 100.0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InClosedRange(c.x, c.lowest, c.highest), c.inside)
        << c.x << " in " << c.lowest << ".." << c.highest;
    EXPECT_EQ(AtLeast(c.x, c.lowest) && AtMost(c.x, c.highest), c.inside) << c.x;
    EXPECT_EQ(DoubleClosedRange(c.lowest, c.highest).Holds(c.x), c.inside) << c.x;
  }
}

// The doubles' range is InClosedRange's to the last ulp at either end, whatever the ends.
TEST(RangeLimit, DoubleRangeEndsAreTheLastDoublesInside) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const long double ends[] = {0.0L, 50.0L, 273.15L, 2273.15L, 1e5L, 1.5e-40L, 6.1e-7L, -3.0L, 22.064L};
  for (long double lowest : ends) {
    for (long double highest : ends) {
      if (highest < lowest) continue;
      const DoubleRange r = DoubleClosedRange(lowest, highest);
      EXPECT_TRUE(InClosedRange(r.lowest, lowest, highest)) << static_cast<double>(lowest);
      EXPECT_FALSE(InClosedRange(std::nextafter(r.lowest, -kInf), lowest, highest))
          << static_cast<double>(lowest);
      EXPECT_TRUE(InClosedRange(r.highest, lowest, highest)) << static_cast<double>(highest);
      EXPECT_FALSE(InClosedRange(std::nextafter(r.highest, kInf), lowest, highest))
          << static_cast<double>(highest);
    }
  }
  const DoubleRange open = DoubleClosedRange(-kInf, kInf);
  EXPECT_TRUE(open.Holds(kInf) && open.Holds(-kInf) && open.Holds(0.0));
}

}  // namespace
}  // namespace tulo
