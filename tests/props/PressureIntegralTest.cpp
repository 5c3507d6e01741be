// The halving trapezoidal integral on integrands with known behaviour.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "common/Real6.h"
#include "props/PressureIntegral.h"

namespace tulo {
namespace {

// Records every point asked for.
struct Recorder {
  std::vector<long double> points;
  Integrand Wrap(long double (*f)(long double)) {
    return [this, f](long double p) {
      points.push_back(p);
      return R6(f(p));
    };
  }
};

TEST(PressureIntegral, PassesAndPointsByIntegrand) {
  struct Case {
    long double (*f)(long double);
    long double from, to, absTolerance, expected, tolerance;
    std::size_t points;  // 4 * 2^k + 1 after the pass k that stops
    const char* label;
  };
  const Case cases[] = {
      // Exact on the first pass; the second sees no change.
      {[](long double) { return 2.0L; }, 100, 500, 0.05L, 800, 0, 9, "constant"},
      {[](long double p) { return 0.001L * p; }, 0, 1000, 0.05L, 500, 1e-9, 9, "linear"},
      // With n intervals the rule gives 1/3 + 1/(6 n^2) and a halving changes it by 1/(2 n^2):
      // under 0.01 percent first at n = 128; under an absolute 0.005 first at n = 16.
      {[](long double p) { return p * p; }, 0, 1, 0.0L, 1.0L / 3 + 1.0L / (6 * 128 * 128), 1e-9, 129,
       "quadratic, relative test"},
      {[](long double p) { return p * p; }, 0, 1, 0.005L, 1.0L / 3 + 1.0L / (6 * 16 * 16), 1e-9, 17,
       "quadratic, absolute test"},
      // An end spike halves the integral on every pass: all eleven passes run.
      {[](long double p) { return 1.0L / (p + 1e-12L); }, 0, 1, 0.0L, 0, 0, 4097, "never settles"},
      // The running sum is held as Real6: a quarter of its last unit added 4095 times is lost
      // each time. The integral halves on every pass, so all passes run; held in extended, the
      // sum would end near 2^30 + 2 and the integral near 2^20 + 2^-9.
      {[](long double p) { return p == 2 ? 1073741824.0L : 1.0L / 2048; }, 0, 4, 0.0L, 1048576, 0, 4097,
       "sum held as Real6"},
      // Downwards (P below the saturation pressure) the step is negative.
      {[](long double) { return 1.0L; }, 500, 100, 0.05L, -400, 0, 9, "downwards"},
  };
  for (const auto& c : cases) {
    Recorder rec;
    long double I = PressureIntegral(c.from, c.to, c.absTolerance, rec.Wrap(c.f));
    EXPECT_EQ(rec.points.size(), c.points) << c.label;
    // Every point once, each a Real6 value, the end points first.
    EXPECT_EQ(std::set<long double>(rec.points.begin(), rec.points.end()).size(), rec.points.size())
        << c.label;
    for (long double p : rec.points) EXPECT_EQ(R6(p), p) << c.label;
    ASSERT_GE(rec.points.size(), 3u);
    EXPECT_EQ(rec.points[0], c.from) << c.label;
    EXPECT_EQ(rec.points[1], c.to) << c.label;
    EXPECT_EQ(rec.points[2], R6((c.from + c.to) / 2)) << c.label;
    if (c.expected != 0) {
      EXPECT_NEAR(static_cast<double>(I), static_cast<double>(c.expected), static_cast<double>(c.tolerance))
          << c.label;
    }
    EXPECT_EQ(R6(I), I) << c.label;
  }
}

TEST(PressureIntegral, StopsAtTheFirstFailedPoint) {
  int calls = 0;
  Integrand f = [&calls](long double p) {
    ++calls;
    return p > 250 ? std::numeric_limits<long double>::quiet_NaN() : 1.0L;
  };
  EXPECT_TRUE(std::isnan(PressureIntegral(0, 1000, 0.05L, f)));
  EXPECT_EQ(calls, 2);  // f(0), then f(1000) fails
}

}  // namespace
}  // namespace tulo
