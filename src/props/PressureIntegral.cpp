#include "props/PressureIntegral.h"

#include <cmath>
#include <limits>

#include "common/Real6.h"

namespace tulo {
namespace {

constexpr int kLastPass = 10;  // 4 * 2^10 = 4096 intervals, 4097 points
constexpr long double kRelTolerance = 0.0001L;

}  // namespace

long double PressureIntegral(long double ps, long double P, long double absTolerance, const Integrand& f) {
  const long double kFailed = std::numeric_limits<long double>::quiet_NaN();
  long double fStart = 0.0L;
  long double fEnd = 0.0L;
  long double interior = 0.0L;  // running sum of the interior values
  long double integral = 0.0L;
  long double previous = 0.0L;
  for (int k = 0; k <= kLastPass; ++k) {
    const long n = 4L << k;
    const long double step = R6((P - ps) / n);
    if (k == 0) {
      fStart = f(ps);
      if (!std::isfinite(fStart)) return kFailed;
      fEnd = f(P);
      if (!std::isfinite(fEnd)) return kFailed;
      interior = f(R6(ps + 2 * step));  // the midpoint
      if (!std::isfinite(interior)) return kFailed;
    }
    // The points new at this pass are the odd multiples of the step.
    for (long i = 1; i < n; i += 2) {
      long double value = f(R6(ps + i * step));
      if (!std::isfinite(value)) return kFailed;
      interior = R6(interior + value);
    }
    integral = R6(step * (fStart + 2 * interior + fEnd) * 0.5L);
    if (std::isnan(integral)) return kFailed;  // beyond what a Real6 holds
    long double change = integral - previous;
    previous = integral;
    if (std::fabs(change / integral) < kRelTolerance || std::fabs(change) < absTolerance) break;
  }
  return integral;
}

}  // namespace tulo
