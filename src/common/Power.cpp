#include "common/Power.h"

#include <cmath>
#include <limits>

namespace tulo {

long double GenPower(long double x, long double y) {
  if (x == 0.0L) return y == 0.0L ? 1.0L : 0.0L;
  if (x < 0.0L || std::isnan(x) || std::isnan(y)) return std::numeric_limits<long double>::quiet_NaN();
  return std::exp(y * std::log(x));
}

}  // namespace tulo
