// IAPWS-IF97: the region of a state and the state at (T, p) over the whole range (Figure 1).

#include "iapws/IF97.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "common/RangeLimit.h"

namespace tulo::iapws {
namespace {

constexpr double kT13 = 623.15;  // K, regions 1 | 3 and the low end of B23

// Eq. 30 at 273.15 K + 25 K k (k = 0 .. 14, the last at 623.15 K) and at Tc, MPa, to 12 digits.
// psat rises with T, so between two knots it lies between their values; widened by kKnotMargin
// (far beyond the rounding of the digits and of T to a knot), they settle the side of the
// saturation line of most states without Eq. 30 and its square root.
constexpr double kKnotStep = 25;  // K
constexpr std::array<double, 16> kPsatKnots = {
    0.000611212677444, 0.00316974685495, 0.0123512704340, 0.0385953626866, 0.101417977921,
    0.232224182680,    0.476101381081,   0.892447477674,  1.55467186827,   2.54942494936,
    3.97593907084,     5.94626117980,    8.58770832956,   12.0505215618,   16.5291642526,
    22.0640000003,  // at Tc, 23.904 K above the knot before it
};
constexpr double kKnotMargin = 1e-9;

// Below 623.15 K: region 1 on and above the saturation line, region 2 below. The saturation
// equation starts at 273.15 K: a state a few ulps colder takes its pressure there.
Region Side12(double T, double p) {
  const double t = std::max(T, kTmin);
  const PressureBracket psat = SaturationPressureBracket(t);
  if (p > psat.high) return Region::k1;
  if (p < psat.low) return Region::k2;
  return p >= SaturationPressure(t) ? Region::k1 : Region::k2;
}

}  // namespace

PressureBracket SaturationPressureBracket(double T) {
  const double t = std::clamp(T, kTmin, kTc);
  const std::size_t k = std::min(static_cast<std::size_t>((t - kTmin) / kKnotStep), kPsatKnots.size() - 2);
  return {kPsatKnots[k] * (1 - kKnotMargin), kPsatKnots[k + 1] * (1 + kKnotMargin)};
}

// The range's ends are closed and met within the tolerance of common/RangeLimit.h, so that
// 1073.15 K reached through a unit conversion (a few ulps above) is still region 2's top, up to
// 100 MPa; up to 50 MPa such a state is region 5's.
// The ends are compared as doubles (DoubleClosedRange: the same tests as InClosedRange and
// AtMost), the tolerance formed once.
Region RegionOf(double T, double p) {
  static const struct {
    DoubleRange T = DoubleClosedRange(kTmin, kTmax);
    DoubleRange p5 = DoubleClosedRange(-HUGE_VAL, kPmax5), T25 = DoubleClosedRange(-HUGE_VAL, kT25);
    DoubleRange p = DoubleClosedRange(-HUGE_VAL, kPmax);
  } kEnds;
  if (!(std::isfinite(p) && p > 0 && kEnds.T.Holds(T))) return Region::kNone;
  if (T > kT25) {
    if (kEnds.p5.Holds(p)) return Region::k5;
    if (!kEnds.T25.Holds(T)) return Region::kNone;
  }
  if (!kEnds.p.Holds(p)) return Region::kNone;
  if (T <= kT13) return Side12(T, p);
  // Above 623.15 K the B23 line separates regions 2 and 3; it reaches 100 MPa at 863.15 K.
  return p <= B23Pressure(T) ? Region::k2 : Region::k3;
}

FluidProps StateTP(double T, double p) {
  switch (RegionOf(T, p)) {
    case Region::k1:
      return Region1(T, p);
    case Region::k2:
      return Region2(T, p);
    case Region::k3:
      return Region3TP(T, p);
    case Region::k5:
      return Region5(T, p);
    case Region::k4:
    case Region::kNone:
      break;
  }
  return FluidProps{};
}

double EnthalpyTP(double T, double p) {
  switch (RegionOf(T, p)) {
    case Region::k1:
      return Region1Caloric(T, p, Caloric::kH).h;
    case Region::k2:
      return Region2Caloric(T, p, Caloric::kH).h;
    case Region::k3: {
      const FluidProps f = Region3TP(T, p);
      if (f.region != Region::kNone) return f.h;
      break;
    }
    case Region::k5:
      return Region5Caloric(T, p, Caloric::kH).h;
    case Region::k4:
    case Region::kNone:
      break;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace tulo::iapws
