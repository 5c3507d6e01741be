// IAPWS-95 states from (p, h), (p, s), (h, s), (T, h) and (T, s).
//
// The common way: IF97's state for the same pair (IF97Pairs.h, where IF97 holds) starts a 2-D
// Newton iteration in (T, rho) on the formulation itself, each step one evaluation of the
// Helmholtz energy (StateTRho): on p - p0 and h - h0 (or s - s0), or on h - h0 and s - s0. The
// Jacobian's determinant is (dp/drho)_T cp (over T for s, over rho T for (h, s)): nonzero in the
// stable fluid, near the critical point too, where (dp/drho)_T alone vanishes. IF97 is within
// some 1e-4 of IAPWS-95, so two steps reach round-off. A root counts only as the stable state
// at its (T, p): in the range offered, mechanically stable and on the side of the saturation
// line its density says.
// The careful way, for the rest (beyond IF97's range, wet steam, a root refused): along the
// isobar, the temperatures of the phase the value belongs to, bounded by the saturation state
// and the ends of the range, and Newton on T with bisection over StateTP; (h, s) from a few
// fixed starts of the dense fluid and the dilute gas, else by Newton on p along the isentrope,
// each pressure solved from (p, s). Either ends in the Newton iteration in (T, rho) where T or p
// alone cannot resolve the pair to round-off (next to the critical point, in a liquid).
// (T, h) and (T, s): the crossings along the isotherm counted by sampling in density (the
// variable in which the formulation is explicit), the one crossing refined by Newton on it.

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "common/RangeLimit.h"
#include "iapws/Iapws95.h"
#include "iapws/IsentropeSearch.h"
#include "iapws/MeltingSublimation.h"

namespace tulo::iapws95 {
namespace {

// A Newton iterate whose residuals are this small (relative) is the answer; the answer
// reproduces its pair to kAccepted at least. The floors are the formulation's own round-off: in
// the liquid the terms of the residual part cancel to a few percent of their size, and h, s and
// p computed at (T, rho) scatter by up to some 4e-13 R T, 3e-13 R and 6e-13 rho R T from one
// double to the next (measured from 251 K to 1273 K and up to 1000 MPa); a value is held to
// kAccepted of itself or of its floor, whichever is larger (for p, of the floor at its rho and T).
constexpr double kConverged = 1e-13;
constexpr double kAccepted = 1e-12;
constexpr double kEnthalpyFloor = 150;  // kJ/kg
constexpr double kEntropyFloor = 0.5;   // kJ/(kg K)
constexpr double kPressureFloor = 2;    // times rho R T
// Newton stops when a step is below this relative size: the next iterate is then exact to its
// square, and is evaluated once more as the answer.
constexpr double kLastStep = 1e-8;
// Along an isobar, Newton on T hands over to Newton in (T, rho) once its step is below this.
constexpr double kHandOver = 1e-3;
constexpr int kMaxIterations = 100;
// IF97's saturation pressure is within 2e-4 of IAPWS-95's (Maxwell) from the triple point to
// the critical point: a pressure further from it than this is on the side IF97 says.
constexpr double kSaturationMargin = 2e-3;
// The lowest pressure of the (h, s) search, MPa: an isentrope's h changes by R T per factor e
// of p in the gas, so the search in ln p reaches it in a few steps.
constexpr double kPLowHS = 1e-12;

enum class Quantity { kPressure, kEnthalpy, kEntropy };

struct Goal {
  Quantity q;
  double value;
};

double ValueOf(const FluidProps& f, Quantity q) {
  switch (q) {
    case Quantity::kPressure:
      return f.p;
    case Quantity::kEnthalpy:
      return f.h;
    default:
      return f.s;
  }
}

double Scale(Quantity q, double value) {
  return std::max(std::fabs(value), q == Quantity::kEnthalpy ? kEnthalpyFloor : kEntropyFloor);
}

// What a residual of the goal is measured against at f (rho R T / 1000 is in MPa).
double ScaleAt(const Goal& goal, const FluidProps& f) {
  if (goal.q == Quantity::kPressure) {
    return std::max(std::fabs(goal.value), kPressureFloor * f.rho * kR * f.T / 1000);
  }
  return Scale(goal.q, goal.value);
}

bool Meets(const FluidProps& f, const Goal& goal, double tolerance) {
  return std::fabs(ValueOf(f, goal.q) - goal.value) <= tolerance * ScaleAt(goal, f);
}

bool Reproduces(double value, Quantity q, double target) {
  return std::fabs(value - target) <= kAccepted * Scale(q, target);
}

// The derivatives of p (MPa), h (kJ/kg) or s (kJ/(kg K)) in T and in rho at f: (dp/drho)_T =
// 1 / (rho kappaT) and (dp/dT)_rho = alphaV / kappaT; dh = T ds + v dp and (ds/dv)_T = (dp/dT)_v
// give the rest (m3/kg MPa is 1000 kJ/kg).
struct Gradient {
  double dT, dRho;
};

Gradient GradientOf(const FluidProps& f, Quantity q) {
  const double pRho = 1 / (f.rho * f.kappaT);
  const double pT = f.alphaV / f.kappaT;
  switch (q) {
    case Quantity::kPressure:
      return {pT, pRho};
    case Quantity::kEnthalpy:
      return {f.cv + 1e3 * pT / f.rho, 1e3 * (pRho - f.T * pT / f.rho) / f.rho};
    default:
      return {f.cv / f.T, -1e3 * pT / (f.rho * f.rho)};
  }
}

// Newton in (T, rho) on two goals from a close start. A step is shortened to change T by a fifth
// and rho by a half of itself at most (a long step means a start in the wrong basin: the bound
// keeps it from running off). Nothing if it leaves 100 .. 3000 K or does not converge.
std::optional<FluidProps> Newton2(const Goal& a, const Goal& b, double T, double rho) {
  bool last = false;
  for (int iteration = 0; iteration < 30; ++iteration) {
    if (!(T > 100 && T < 3000 && rho > 0 && std::isfinite(rho))) return std::nullopt;
    const FluidProps f = StateTRho(T, rho);
    if (Meets(f, a, kConverged) && Meets(f, b, kConverged)) return f;
    if (last) return Meets(f, a, kAccepted) && Meets(f, b, kAccepted) ? std::optional(f) : std::nullopt;
    const Gradient ga = GradientOf(f, a.q), gb = GradientOf(f, b.q);
    const double ra = ValueOf(f, a.q) - a.value, rb = ValueOf(f, b.q) - b.value;
    const double det = ga.dT * gb.dRho - ga.dRho * gb.dT;
    const double dT = (ra * gb.dRho - ga.dRho * rb) / det;
    const double dRho = (ga.dT * rb - gb.dT * ra) / det;
    if (!std::isfinite(dT) || !std::isfinite(dRho)) return std::nullopt;
    const double shorten = std::min({1.0, 0.2 * T / std::fabs(dT), 0.5 * rho / std::fabs(dRho)});
    T -= shorten * dT;
    rho -= shorten * dRho;
    last = shorten == 1 && std::fabs(dT) <= kLastStep * T && std::fabs(dRho) <= kLastStep * rho;
  }
  return std::nullopt;
}

// Whether f, at the pressure p, is the stable state at (T, p) in the range offered: mechanically
// stable, and below Tc liquid (rho > rhoc) at psat(T) and above, vapour at psat(T) and below;
// below the triple point the vapour lies below the triple-point pressure (on the sublimation
// curve and lower) and the liquid above it (from the melting curve on). The saturation state
// itself is evaluated only close to IF97's saturation pressure.
bool Stable(const FluidProps& f, double p) {
  if (!(f.kappaT > 0 && std::isfinite(f.kappaT)) || !InRange(f.T, p)) return false;
  if (f.T >= kTc) return true;
  const bool liquid = f.rho >= kRhoc;
  if (f.T < kTt) return liquid == (p > TriplePointPressure());
  const double ps97 = iapws::SaturationPressure(f.T);
  if (std::fabs(p - ps97) > kSaturationMargin * ps97) return liquid == (p > ps97);
  const std::optional<Saturation> sat = SaturationAtT(f.T);
  // (Within round-off: the saturation temperature at p and the pressure at T agree to 1e-12.)
  return sat && (liquid ? p >= sat->p * (1 - kAccepted) : p <= sat->p * (1 + kAccepted));
}

PairState Single(const FluidProps& f, double p) {
  PairState state;
  state.region = f.region;
  state.T = f.T;
  state.p = p;
  state.props = f;
  state.props.p = p;
  return state;
}

// Wet steam of quality x between the saturated phases.
PairState Wet(const Saturation& sat, double x, double p) {
  PairState state;
  state.region = Region::k4;
  state.T = sat.T;
  state.p = p;
  state.x = x;
  state.liquid = sat.liquid;
  state.vapour = sat.vapour;
  const FluidProps &l = sat.liquid, &v = sat.vapour;
  FluidProps& m = state.props;
  m.region = Region::k4;
  m.T = sat.T;
  m.p = p;
  m.v = l.v + x * (v.v - l.v);
  m.rho = 1 / m.v;
  m.h = l.h + x * (v.h - l.h);
  m.u = l.u + x * (v.u - l.u);
  m.s = l.s + x * (v.s - l.s);
  m.g = l.g + x * (v.g - l.g);
  return state;
}

// The state at (T, p) by StateTP. Below the triple point, within some 0.2 K of it, the vapour's
// pressure is too close to the liquid's extrapolated vapour pressure for StateTP to tell the
// branch without the saturation state, which does not exist there: the vapour (below the
// triple-point pressure the only fluid at such T) by Newton on rho from the ideal gas.
FluidProps StateAt(double T, double p) {
  FluidProps f = StateTP(T, p);
  if (f.region != Region::kNone || !(T < kTt && p < TriplePointPressure() && InRange(T, p))) return f;
  double rho = 1000 * p / (kR * T);
  for (int iteration = 0; iteration < 30; ++iteration) {
    f = StateTRho(T, rho);
    const double step = (f.p - p) * rho * f.kappaT;  // (dp/drho)_T = 1 / (rho kappaT)
    rho -= step;
    if (std::fabs(step) <= 1e-15 * rho) {
      f = StateTRho(T, rho);
      f.p = p;
      return f;
    }
  }
  return {};
}

// ---- States from (p, h) and (p, s) ---------------------------------------------------------

// The lowest temperature of the range at p: on the sublimation curve below the triple-point
// pressure, on the melting curve above, not below 200 K; moved up by the few ulps that InRange,
// which compares in pressure, may ask for where a curve is steep.
double LowestTemperature(double p) {
  double T = p < iapws::kMeltingIhPMin ? iapws::SublimationTemperature(p) : iapws::MeltingTemperature(p);
  T = std::max(kTminVapour, T);
  for (double step = 1e-14 * T; step < 1e-6 * T && !InRange(T, p); step *= 2) T += step;
  return T;
}

// The temperature in (lo, hi) at which the isobar's state has the value y, between the values
// yLo and yHi of the ends (y rises with T: (dh/dT)_p = cp, (ds/dT)_p = cp / T): Newton on T from
// the linear interpolation, bisection whenever a step leaves the bracket. Where T alone cannot
// resolve y (next to the critical point (dy/dT)_p is unbounded and a state within 1e-12 K of the
// saturation temperature may fall on either branch), Newton in (T, rho) from the closest state.
std::optional<FluidProps> SolveOnIsobar(double p, Quantity q, double y, double lo, double hi, double yLo,
                                        double yHi) {
  double T = lo + (hi - lo) * (y - yLo) / (yHi - yLo);
  if (!(T > lo && T < hi)) T = 0.5 * (lo + hi);
  FluidProps best;  // the closest to y so far
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    const FluidProps f = StateAt(T, p);
    if (f.region == Region::kNone) break;
    const double residual = ValueOf(f, q) - y;
    if (residual == 0) return f;
    if (best.region == Region::kNone || std::fabs(residual) < std::fabs(ValueOf(best, q) - y)) best = f;
    (residual < 0 ? lo : hi) = T;
    const double slope = q == Quantity::kEnthalpy ? f.cp : f.cp / T;
    double next = T - residual / slope;
    const bool newton = slope > 0 && next > lo && next < hi;
    if (!newton) next = 0.5 * (lo + hi);
    if (newton && std::fabs(next - T) <= kHandOver * T) {
      // Close enough for Newton in (T, rho), one evaluation a step instead of a density solve;
      // the density carried to the next T along the isobar, (drho/dT)_p = -rho alphaV.
      const std::optional<FluidProps> g =
          Newton2({Quantity::kPressure, p}, {q, y}, next, f.rho * (1 - f.alphaV * (next - T)));
      if (g && g->T >= lo && g->T <= hi && Stable(*g, p)) return g;
    }
    if (hi - lo <= 4 * std::numeric_limits<double>::epsilon() * hi) break;
    T = next;
  }
  if (best.region == Region::kNone) return std::nullopt;
  if (Reproduces(ValueOf(best, q), q, y)) return best;
  const std::optional<FluidProps> f = Newton2({Quantity::kPressure, p}, {q, y}, best.T, best.rho);
  if (f && Stable(*f, p)) return f;
  return std::nullopt;
}

// The isobar from its lowest temperature to kTmax: below the critical pressure (and from the
// triple-point pressure) the liquid up to the saturation temperature, wet steam between the
// saturated phases' values, the vapour above.
std::optional<PairState> CarefulIsobar(double p, Quantity q, double y) {
  double lo = LowestTemperature(p), hi = kTmax;
  std::optional<FluidProps> atLo, atHi;
  if (p < kPc && p >= TriplePointPressure()) {
    const std::optional<Saturation> sat = SaturationAtP(p);
    if (!sat) return std::nullopt;
    const double yL = ValueOf(sat->liquid, q), yV = ValueOf(sat->vapour, q);
    if (yL <= y && y <= yV) return Wet(*sat, (y - yL) / (yV - yL), p);
    if (y < yL) {
      hi = sat->T;
      atHi = sat->liquid;
    } else {
      lo = sat->T;
      atLo = sat->vapour;
    }
  }
  if (!(lo <= hi)) return std::nullopt;
  if (!atLo) atLo = StateAt(lo, p);
  if (!atHi) atHi = StateAt(hi, p);
  if (atLo->region == Region::kNone || atHi->region == Region::kNone) return std::nullopt;
  const double yLo = ValueOf(*atLo, q), yHi = ValueOf(*atHi, q);
  // The ends themselves, and a value just beyond one (the round-off of the end's own state).
  if (std::fabs(y - yLo) <= kAccepted * Scale(q, y)) return Single(*atLo, p);
  if (std::fabs(y - yHi) <= kAccepted * Scale(q, y)) return Single(*atHi, p);
  if (!(yLo < y && y < yHi)) return std::nullopt;
  const std::optional<FluidProps> f = SolveOnIsobar(p, q, y, lo, hi, yLo, yHi);
  if (!f) return std::nullopt;
  return Single(*f, p);
}

std::optional<PairState> StateFromPY(double p, Quantity q, double y) {
  if (!(std::isfinite(p) && std::isfinite(y) && p > 0 && AtMost(p, kPmax))) return std::nullopt;
  if (p <= iapws::kPmax) {
    const std::optional<PairState> start =
        q == Quantity::kEnthalpy ? iapws::StateFromPH(p, y) : iapws::StateFromPS(p, y);
    if (start && start->region != Region::k4) {
      const std::optional<FluidProps> f =
          Newton2({Quantity::kPressure, p}, {q, y}, start->T, start->props.rho);
      if (f && Stable(*f, p)) return Single(*f, p);
    }
  }
  return CarefulIsobar(p, q, y);
}

}  // namespace

std::optional<PairState> StateFromPH(double p, double h) {
  return StateFromPY(p, Quantity::kEnthalpy, h);
}

std::optional<PairState> StateFromPS(double p, double s) {
  return StateFromPY(p, Quantity::kEntropy, s);
}

// ---- States from (h, s) ----------------------------------------------------------------------

namespace {

// Wet steam at (h, s): h - T s is the Gibbs energy g'(T) of the saturated phases, and along the
// saturation line dg'/dT = -s' + v' dpsat/dT (Clausius-Clapeyron: dpsat/dT = (s'' - s') /
// (v'' - v')). Newton on T from T, bisection in Tt .. Tc when a step leaves the bracket; x by
// the lever rule on h, which leaves s off by (h - T s - g') / T. Nothing unless 0 <= x <= 1.
std::optional<PairState> WetFromHS(double h, double s, double T) {
  double lo = kTt, hi = kTc;
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    const std::optional<Saturation> sat = SaturationAtT(T);
    if (!sat) return std::nullopt;
    const FluidProps &l = sat->liquid, &v = sat->vapour;
    const double residual = h - T * s - l.g;
    const bool done = std::fabs(residual) <= kConverged * T * Scale(Quantity::kEntropy, s);
    if (done || hi - lo <= 4 * std::numeric_limits<double>::epsilon() * hi) {
      const double x = (h - l.h) / (v.h - l.h);
      const bool met = std::fabs(residual) <= kAccepted * T * Scale(Quantity::kEntropy, s);
      if (!(met && x >= 0 && x <= 1)) return std::nullopt;
      return Wet(*sat, x, sat->p);
    }
    const double slope = l.s - s - l.v * (v.s - l.s) / (v.v - l.v);
    (residual > 0 ? lo : hi) = T;
    double next = T - residual / slope;
    if (!(slope < 0 && next > lo && next < hi)) next = 0.5 * (lo + hi);
    T = next;
  }
  return std::nullopt;
}

std::optional<PairState> NewtonHS(double h, double s, double T, double rho) {
  const std::optional<FluidProps> f = Newton2({Quantity::kEnthalpy, h}, {Quantity::kEntropy, s}, T, rho);
  if (f && Stable(*f, f->p)) return Single(*f, f->p);
  return std::nullopt;
}

// The state of (h, s) at a state found along the isentrope: itself if it reproduces h, else
// polished by Newton in (T, rho), or on T for wet steam (a state solved from (p, s) holds h only
// to T times the residual of s, more than h's own where T s > h: near Tc, in a liquid).
std::optional<PairState> Polish(double h, double s, const PairState& near) {
  if (Reproduces(near.props.h, Quantity::kEnthalpy, h)) return near;
  return near.region == Region::k4 ? WetFromHS(h, s, near.T) : NewtonHS(h, s, near.T, near.props.rho);
}

// Along the isentrope (IsentropeSearch.h) from `start`, down to kPLowHS and up to 1000 MPa; the
// state found is polished to reproduce h.
std::optional<PairState> CarefulHS(double h, double s, double start) {
  static constexpr iapws::detail::Isentrope kLine{kPLowHS, kPmax, 1e16, kLastStep, kMaxIterations, StateFromPS};
  return iapws::detail::AlongIsentrope(
      kLine, h, s, start, [h, s](const PairState& last) { return Polish(h, s, last); },
      [h, s](const std::optional<PairState>& state) { return state ? Polish(h, s, *state) : std::nullopt; });
}

// Starts (T in K, rho in kg/m3) for (h, s) where IF97 has no state: the liquid and the dense
// fluid above 100 MPa, below 273.15 K and above 1073.15 K. A stable root is the one state of its
// (h, s) (h rises with p along an isentrope), so the first one Newton finds is the answer.
constexpr struct {
  double T, rho;
} kDenseStarts[] = {{260, 1100}, {300, 1050}, {450, 1000}, {700, 950}, {1000, 800}, {1200, 400}};

// A start for a gas thinner than IF97's (h, s) search reaches (1e-6 MPa) or colder than its
// 273.15 K: at kDilute h is the ideal gas's, which fixes T (IF97's region 2, or its cp carried
// below 273.15 K), and s = s(T, kDilute) - R ln(p / kDilute) then p.
constexpr double kDilute = 1e-6;          // MPa
constexpr double kThinGasEntropy = 9.16;  // kJ/(kg K)
std::optional<PairState> DiluteGas(double h, double s) {
  const FluidProps cold = iapws::Region2(iapws::kTmin, kDilute);
  double T = iapws::kTmin + (h - cold.h) / cold.cp, sAtT = cold.s + cold.cp * std::log(T / iapws::kTmin);
  if (h > cold.h) {
    const std::optional<PairState> warm = iapws::StateFromPH(kDilute, h);
    if (!warm) return std::nullopt;
    T = warm->T;
    sAtT = warm->props.s;
  }
  const double p = kDilute * std::exp((sAtT - s) / kR);
  return NewtonHS(h, s, T, 1000 * p / (kR * T));
}

// A root from a start far from it may lie on a branch of the formulation beyond the fluid's (at
// densities far above the stable liquid's, where p(rho) turns again): it counts only if the state
// at its (T, p) has its density (to 1e-3: near Tc that density is fixed to some 1e-5 only).
bool OnStableBranch(const PairState& state) {
  const FluidProps f = StateAt(state.T, state.p);
  return f.region != Region::kNone && std::fabs(f.rho - state.props.rho) <= 1e-3 * f.rho;
}

// (h, s) without IF97's state: from the dilute gas and the dense starts, the gas first where s is
// that of a thin gas (above s'' at the triple point).
std::optional<PairState> FromFixedStarts(double h, double s) {
  const auto accept = [](std::optional<PairState> state) {
    return state && OnStableBranch(*state) ? state : std::nullopt;
  };
  const bool thin = s > kThinGasEntropy;
  if (thin) {
    if (std::optional<PairState> state = accept(DiluteGas(h, s))) return state;
  }
  for (const auto& dense : kDenseStarts) {
    if (std::optional<PairState> state = accept(NewtonHS(h, s, dense.T, dense.rho))) return state;
  }
  return thin ? std::nullopt : accept(DiluteGas(h, s));
}

}  // namespace

std::optional<PairState> StateFromHS(double h, double s) {
  if (!(std::isfinite(h) && std::isfinite(s))) return std::nullopt;
  const std::optional<PairState> start = iapws::StateFromHS(h, s);
  if (start && start->region == Region::k4) {
    if (std::optional<PairState> wet = WetFromHS(h, s, start->T)) return wet;
  } else if (start) {
    if (std::optional<PairState> state = NewtonHS(h, s, start->T, start->props.rho)) return state;
  } else if (std::optional<PairState> state = FromFixedStarts(h, s)) {
    return state;
  }
  return CarefulHS(h, s, start ? start->p : 1);
}

// ---- States from (T, h) and (T, s) ---------------------------------------------------------

namespace {

// The isotherm in pieces of one phase, each over the density: p rises with rho along a stable
// isotherm, so a piece runs from its lower-pressure end lo to hi (kg/m3).
struct Piece {
  double lo = 0, hi = 0;
  bool withLo = true, withHi = true;  // an end at the saturation state belongs to the wet point
};

// The densities are sampled every kDensityStep, or kPerDecade times per decade where that is
// closer: h and s vary smoothly enough that no pair of crossings hides between samples whose
// slopes have the same sign; opposite slopes mark an extremum, which is located. Below the
// density of an ideal gas at kIdealGas the residual part is linear in rho to 1e-3: h and s are
// monotonic there, and the piece's lowest density is sampled alone.
constexpr double kDensityStep = 5;                 // kg/m3
constexpr double kPerDecade = 1.5848931924611136;  // 10^(1/5)
constexpr double kIdealGas = 1e-6;                 // MPa
// Pressures a relative 1e-6 apart must differ in h (or s) by more than the accepted residual
// for the isotherm to tell them apart.
constexpr double kDistinct = 1e-6;

double Middle(double a, double b) {
  return b > 2 * a ? std::sqrt(a * b) : 0.5 * (a + b);
}

struct Sample {
  double rho = 0;
  FluidProps f;
  double r = 0;      // value - target
  double slope = 0;  // d(value)/drho at constant T
};

// The crossings found so far: their number, and where the last one is (a sample that meets the
// target exactly, or a bracket with residuals of opposite signs).
struct Crossings {
  int count = 0;
  Sample a, b;
  bool exact = false;
  std::optional<PairState> state;  // a crossing that is a state already (the wet point)
};

class Counter {
 public:
  Counter(double T, Quantity q, double target) : T_(T), q_(q), target_(target) {}
  Sample At(double rho) const {
    Sample s{rho, StateTRho(T_, rho)};
    s.r = ValueOf(s.f, q_) - target_;
    s.slope = GradientOf(s.f, q_).dRho;
    return s;
  }
  void Count(const Piece& piece, Crossings& found) const {
    const std::vector<double> u = Grid(piece);
    Sample previous = At(u.front());
    if (piece.withLo && previous.r == 0) Exact(previous, found);
    for (std::size_t i = 1; i < u.size() && found.count < 2; ++i) {
      const Sample next = At(u[i]);
      Between(previous, next, found);
      if (next.r == 0 && (i + 1 < u.size() || piece.withHi)) Exact(next, found);
      previous = next;
    }
  }

 private:
  std::vector<double> Grid(const Piece& piece) const {
    std::vector<double> u{piece.lo};
    double rho = std::max(piece.lo, std::min(1000 * kIdealGas / (kR * T_), piece.hi));
    while (rho < piece.hi) {
      if (rho > piece.lo) u.push_back(rho);
      rho = std::min(rho * kPerDecade, rho + kDensityStep);
    }
    u.push_back(piece.hi);
    return u;
  }
  static void Exact(const Sample& s, Crossings& found) {
    ++found.count;
    found.a = found.b = s;
    found.exact = true;
  }
  static void Bracket(const Sample& a, const Sample& b, Crossings& found) {
    if (!((a.r < 0 && b.r > 0) || (a.r > 0 && b.r < 0))) return;
    ++found.count;
    found.a = a;
    found.b = b;
    found.exact = false;
  }
  // Between two samples: a sign change of the residual is one crossing; slopes of opposite signs
  // mean an extremum between them, located by bisection on the slope's sign, and the crossings
  // on either side of it are counted.
  void Between(const Sample& a, const Sample& b, Crossings& found) const {
    if ((a.slope > 0 && b.slope > 0) || (a.slope < 0 && b.slope < 0) || a.slope == 0 || b.slope == 0) {
      Bracket(a, b, found);
      return;
    }
    Sample lo = a, hi = b;
    for (int halving = 0; halving < 60; ++halving) {
      const double mid = Middle(lo.rho, hi.rho);
      if (mid <= lo.rho || mid >= hi.rho) break;
      const Sample m = At(mid);
      ((m.slope > 0) == (a.slope > 0) ? lo : hi) = m;
    }
    const Sample& extremum = std::fabs(lo.r) > std::fabs(hi.r) ? lo : hi;
    Bracket(a, extremum, found);
    if (extremum.r == 0) Exact(extremum, found);
    Bracket(extremum, b, found);
  }

  double T_;
  Quantity q_;
  double target_;
};

// The crossing inside the bracket by Newton on rho, bisection whenever a step leaves the
// bracket; nothing if it does not reproduce the target.
std::optional<FluidProps> Refine(const Counter& counter, const Crossings& c, Quantity q, double target) {
  if (c.exact) return c.a.f;
  Sample lo = c.a, hi = c.b;
  Sample s = std::fabs(lo.r) < std::fabs(hi.r) ? lo : hi;
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    const double low = std::min(lo.rho, hi.rho), high = std::max(lo.rho, hi.rho);
    double next = s.rho - s.r / s.slope;
    const bool newton = std::isfinite(next) && next > low && next < high;
    if (!newton) next = Middle(low, high);
    const Sample n = counter.At(next);
    if (n.r == 0) return n.f;
    if (newton && std::fabs(next - s.rho) <= kLastStep * s.rho && Reproduces(ValueOf(n.f, q), q, target)) {
      return n.f;
    }
    ((n.r < 0) == (lo.r < 0) ? lo : hi) = n;
    if (std::fabs(hi.rho - lo.rho) <= 4 * std::numeric_limits<double>::epsilon() * high) {
      return Reproduces(ValueOf(n.f, q), q, target) ? std::optional(n.f) : std::nullopt;
    }
    s = n;
  }
  return std::nullopt;
}

// The highest pressure of the liquid at T in the range: kPmax, or where a high-pressure ice
// (III, V or VI) begins.
double HighestPressure(double T) {
  return InRange(T, kPmax) ? kPmax : iapws::MeltingPressureHighIce(T);
}

// The isotherm's pieces (vapour, then liquid or the supercritical fluid) and, below Tc, its wet
// point. Below the triple point the vapour ends on the sublimation curve and the liquid, from
// kTminLiquid, runs from the ice Ih melting curve to a high-pressure ice's.
struct Layout {
  Piece pieces[2];
  int count = 0;
  std::optional<Saturation> wet;
};

std::optional<Layout> LayoutOf(double T) {
  Layout l;
  const auto density = [T](double p) { return StateAt(T, p).rho; };
  // The lowest pressure, as IF97's: the sublimation pressure at 50 K (1.9e-46 MPa).
  const double pLowest = iapws::SublimationPressure(iapws::kSublimationTMin);
  const double rhoLowest = density(pLowest);
  if (T >= kTc) {
    l.pieces[l.count++] = Piece{rhoLowest, density(HighestPressure(T))};
  } else if (T >= kTt) {
    l.wet = SaturationAtT(T);
    if (!l.wet) return std::nullopt;
    l.pieces[l.count++] = Piece{rhoLowest, l.wet->vapour.rho, true, false};
    l.pieces[l.count++] = Piece{l.wet->liquid.rho, density(HighestPressure(T)), false, true};
  } else {
    l.pieces[l.count++] = Piece{rhoLowest, density(iapws::SublimationPressure(T))};
    const double pMelt = T >= kTminLiquid ? iapws::MeltingPressureIh(T) : 0;
    if (pMelt > 0 && InRange(T, pMelt)) {
      l.pieces[l.count++] = Piece{density(pMelt), density(HighestPressure(T))};
    }
  }
  for (int i = 0; i < l.count; ++i) {
    if (!(l.pieces[i].lo > 0 && l.pieces[i].hi >= l.pieces[i].lo)) return std::nullopt;
  }
  return l;
}

IsothermAnswer StateFromTY(double T, Quantity q, double target) {
  if (!(std::isfinite(target) && InClosedRange(T, kTminVapour, kTmax))) return {};
  T = std::clamp(T, kTminVapour, kTmax);
  const std::optional<Layout> layout = LayoutOf(T);
  if (!layout) return {};
  const Counter counter(T, q, target);
  Crossings found;
  for (int i = 0; i < layout->count && found.count < 2; ++i) counter.Count(layout->pieces[i], found);
  if (layout->wet) {
    const Saturation& sat = *layout->wet;
    const double yL = ValueOf(sat.liquid, q), yV = ValueOf(sat.vapour, q);
    if (yL <= target && target <= yV) {
      ++found.count;
      found.state = Wet(sat, yV > yL ? (target - yL) / (yV - yL) : 0, sat.p);
    }
  }
  if (found.count != 1) return {std::nullopt, found.count > 1};
  if (found.state) return {found.state, false};
  const std::optional<FluidProps> f = Refine(counter, found, q, target);
  if (!f) return {};
  // Too flat to tell pressures apart: p |(dy/dp)_T| with (dp/drho)_T = 1 / (rho kappaT).
  const double dydp = GradientOf(*f, q).dRho * f->rho * f->kappaT;
  if (f->p * std::fabs(dydp) < kDistinct * Scale(q, target)) return {std::nullopt, true};
  return {Single(*f, f->p), false};
}

}  // namespace

IsothermAnswer StateFromTH(double T, double h) {
  return StateFromTY(T, Quantity::kEnthalpy, h);
}

IsothermAnswer StateFromTS(double T, double s) {
  return StateFromTY(T, Quantity::kEntropy, s);
}

}  // namespace tulo::iapws95
