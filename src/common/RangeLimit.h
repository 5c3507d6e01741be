#pragma once
// The one comparison of a value with the end of a range. The ranges of the correlations and of
// the input checks are closed intervals, as the releases write them, and a limit must hold for
// the value that reaches it: a limit typed in another unit (900 degC is 1173.15 K after a
// conversion and a rounding) or stored as a Real6 in the window (1173.15 K as
// 1173.1500000003725) lands a few ulps beyond the exact end. Values within kLimitTolerance of an
// end, relative to it, meet the end.

#include <cmath>

namespace tulo {

// Relative: eight ulps of a Real6 (40-bit mantissa) at the most, over 10^4 ulps of a double;
// 8.5e-9 K at 1173.15 K.
inline constexpr long double kLimitTolerance = 0x1p-37L;

// x <= highest, or x >= lowest, with the ends met within the tolerance; false for NaN. Inline:
// every region test of a state asks several times.
inline bool AtMost(long double x, long double highest) {
  return x <= highest + std::fabs(highest) * kLimitTolerance;
}
inline bool AtLeast(long double x, long double lowest) {
  return x >= lowest - std::fabs(lowest) * kLimitTolerance;
}
// lowest <= x <= highest, the same way.
inline bool InClosedRange(long double x, long double lowest, long double highest) {
  return AtLeast(x, lowest) && AtMost(x, highest);
}

// The same test for doubles as two comparisons of doubles, for loops over many values (the
// tolerance above is formed in long double): lowest and highest are the smallest and the largest
// double that InClosedRange accepts between the ends, so Holds(x) is InClosedRange(x, ...) for
// every double x, NaN included. An infinite end takes every number on its side, infinity too.
struct DoubleRange {
  double lowest, highest;
  bool Holds(double x) const { return x >= lowest && x <= highest; }
};
inline DoubleRange DoubleClosedRange(long double lowest, long double highest) {
  const long double lo = lowest - std::fabs(lowest) * kLimitTolerance;
  const long double hi = highest + std::fabs(highest) * kLimitTolerance;
  double dlo = static_cast<double>(lo), dhi = static_cast<double>(hi);
  if (dlo < lo) dlo = std::nextafter(dlo, HUGE_VAL);
  if (dhi > hi) dhi = std::nextafter(dhi, -HUGE_VAL);
  return {dlo, dhi};
}

}  // namespace tulo
