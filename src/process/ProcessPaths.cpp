// The paths a chart draws between the states of a process.

#include <cmath>

#include "process/ProcessSteps.h"

namespace tulo {
using namespace process;
namespace {

// The point at `fraction` of the way from p1 to p2 with pressures spaced evenly in log P (as the
// P-h chart shows them).
double PressureAt(double p1, double p2, double fraction) {
  return p1 * std::pow(p2 / p1, fraction);
}

// The state at `f` of the way along a leg; nothing where the standard has none (a Refusal of a
// point leaves a gap in the line, never an error).
std::optional<ProcessState> PointOf(StateEvaluator& evaluator, const ProcessState& from, const ProcessState& to,
                                    PathKind kind, double f) {
  const double P = PressureAt(from.P, to.P, f);
  try {
    double h = kind == PathKind::kIsenthalpic ? from.h : from.h + f * (to.h - from.h);
    if (kind == PathKind::kExpansion && from.P != to.P) {
      // The partial expansions at the efficiency of the whole: the same fraction of the
      // isentropic enthalpy change at each pressure, so that the path ends on the outlet.
      const double hsWhole = AtPS(evaluator, to.P, from.s, "").h;
      const double hsPart = AtPS(evaluator, P, from.s, "").h;
      if (hsWhole == from.h) return std::nullopt;
      h = from.h + (to.h - from.h) * (from.h - hsPart) / (from.h - hsWhole);
    }
    return AtPH(evaluator, P, h, "");
  } catch (const Refusal&) {
    return std::nullopt;
  }
}

}  // namespace

std::vector<ProcessState> TraceLeg(StateEvaluator& evaluator, const ProcessResult& result, const Leg& leg,
                                   int count) {
  const ProcessState& from = result.states.at(leg.from).state;
  const ProcessState& to = result.states.at(leg.to).state;
  std::vector<ProcessState> points{from};
  if (leg.kind != PathKind::kStraight) {
    for (int i = 1; i + 1 < count; ++i) {
      if (auto point = PointOf(evaluator, from, to, leg.kind, static_cast<double>(i) / (count - 1)))
        points.push_back(*point);
    }
  }
  points.push_back(to);
  return points;
}

ProcessOverlay OverlayOf(StateEvaluator& evaluator, const ProcessResult& result, int pointsPerLeg) {
  ProcessOverlay overlay;
  for (const Leg& leg : result.legs) overlay.paths.push_back(TraceLeg(evaluator, result, leg, pointsPerLeg));
  overlay.marks = result.states;
  return overlay;
}

}  // namespace tulo
