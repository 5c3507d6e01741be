#pragma once
// The state of a pair (h, s) found along the isentrope s, the one search of the (h, s) solvers of
// IF97 and IAPWS-95: h rises with p along an isentrope, (dh/dp)_s = v (1000 kJ/kg per MPa and
// m3/kg), so Newton on p converges from any start, each pressure solved exactly by the
// formulation's own (p, s). Internal to the iapws layer.

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "iapws/IF97Pairs.h"

namespace tulo::iapws::detail {

// A formulation's isentrope: the pressures searched (MPa), the farthest factor from a pressure
// without a state at which one is looked for, where Newton ends and its (p, s) solver.
struct Isentrope {
  double lo, hi;
  double widest;
  double lastStep;  // relative step of p below which the next iterate is the answer
  int maxIterations;
  std::optional<PairState> (*fromPS)(double p, double s);
};

// The pressure nearest to p (by factors of 1.5, the ends of the search included: a state at an
// end may be the only one of its s) at which the isentrope s has a state; 0 if none.
inline double NearestPressureWithState(const Isentrope& line, double p, double s) {
  for (double factor = 1.01; factor < line.widest; factor *= 1.5) {
    for (const double q : {std::max(p / factor, line.lo), std::min(p * factor, line.hi)}) {
      if (line.fromPS(q, s)) return q;
    }
  }
  return 0;
}

// Newton on p from `start` within [lo, hi], halving (in ln p) whenever a step leaves the bracket
// or a pressure has no state with this s (above the range when s is that of a vapour, below it
// for the coldest liquid, whose s falls with p). There is no stop at a small residual: p is
// ill-conditioned in the liquid, so Newton runs on until its step is negligible. The state of
// that last step goes to accept(state), which gives the answer or nothing to go on; where the
// bracket collapses (on a boundary between regions, whose equations disagree there) the last
// state (or nothing) goes to collapsed(state), which gives the answer or nothing.
template <class Accept, class Collapsed>
std::optional<PairState> AlongIsentrope(const Isentrope& line, double h, double s, double start, Accept accept,
                                        Collapsed collapsed) {
  double lo = line.lo, hi = line.hi;
  double p = start > lo && start < hi ? start : 1;
  double found = 0;  // the last pressure with a state of this s
  for (int iteration = 0; iteration < line.maxIterations; ++iteration) {
    const std::optional<PairState> state = line.fromPS(p, s);
    double next = 0;
    if (!state) {
      // Back towards a pressure that had a state; without one yet, look for the nearest (the
      // side is not known in advance).
      const bool first = found == 0;
      if (first) found = NearestPressureWithState(line, p, s);
      if (found == 0) return std::nullopt;
      (p > found ? hi : lo) = p;
      next = first ? found : std::sqrt(lo * hi);
    } else {
      const double residual = state->props.h - h;
      if (residual == 0) return state;
      found = p;
      (residual < 0 ? lo : hi) = p;
      next = p - residual / (1e3 * state->props.v);
      const bool newton = next > lo && next < hi;
      if (!newton) next = std::sqrt(lo * hi);
      if (newton && std::fabs(next - p) <= line.lastStep * p) {
        if (const std::optional<PairState> last = line.fromPS(next, s)) {
          if (std::optional<PairState> answer = accept(*last)) return answer;
        }
      }
    }
    if (hi - lo <= 4 * std::numeric_limits<double>::epsilon() * hi) return collapsed(state);
    p = next;
  }
  return std::nullopt;
}

}  // namespace tulo::iapws::detail
