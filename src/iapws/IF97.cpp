// IAPWS-IF97: the region of a state and the state at (T, p) over the whole range (Figure 1).

#include "iapws/IF97.h"

#include <algorithm>
#include <cmath>

#include "common/RangeLimit.h"

namespace tulo::iapws {
namespace {

constexpr double kT13 = 623.15;  // K, regions 1 | 3 and the low end of B23

}  // namespace

// The range's ends are closed and met within the tolerance of common/RangeLimit.h, so that
// 1073.15 K reached through a unit conversion (a few ulps above) is still region 2's top, up to
// 100 MPa; up to 50 MPa such a state is region 5's.
Region RegionOf(double T, double p) {
  if (!(std::isfinite(p) && p > 0 && InClosedRange(T, kTmin, kTmax))) return Region::kNone;
  if (T > kT25) {
    if (AtMost(p, kPmax5)) return Region::k5;
    if (!AtMost(T, kT25)) return Region::kNone;
  }
  if (!AtMost(p, kPmax)) return Region::kNone;
  // The saturation equation starts at 273.15 K: a state a few ulps colder takes its pressure there.
  if (T <= kT13) return p >= SaturationPressure(std::max(T, kTmin)) ? Region::k1 : Region::k2;
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

}  // namespace tulo::iapws
