#include "common/RangeLimit.h"

#include <cmath>

namespace tulo {

bool AtMost(long double x, long double highest) {
  return x <= highest + std::fabs(highest) * kLimitTolerance;
}

bool AtLeast(long double x, long double lowest) {
  return x >= lowest - std::fabs(lowest) * kLimitTolerance;
}

bool InClosedRange(long double x, long double lowest, long double highest) {
  return AtLeast(x, lowest) && AtMost(x, highest);
}

}  // namespace tulo
