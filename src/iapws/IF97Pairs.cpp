// IAPWS-IF97 states from (p, h) and (p, s): the region from the basic equations' values on the
// region boundaries along the isobar, then a start from the backward equations and Newton on the
// basic equations (on T at fixed p in regions 1, 2 and 5; on (rho, T) in region 3). States from
// (h, s): Newton on p along the isentrope, each pressure solved from (p, s). States from (T, h)
// and (T, s): the crossings along the isotherm counted by sampling, the one crossing refined by
// Newton on p (on the density in region 3).

#include "iapws/IF97Pairs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/RangeLimit.h"
#include "iapws/IF97BackwardPairs.h"
#include "iapws/IF97Region3Internal.h"
#include "iapws/IsentropeSearch.h"
#include "iapws/MeltingSublimation.h"

namespace tulo::iapws {
namespace {

constexpr double kT13 = 623.15;  // K, regions 1 | 3

// Along an isobar h and s of the liquid at 273.15 K stay below these (95.39 kJ/kg and
// 0.00048 kJ/(kg K) at most, at 100 MPa and at the lowest pressures): above them the lower end of
// the range needs no evaluation.
constexpr double kColdEnthalpyBound = 96;     // kJ/kg
constexpr double kColdEntropyBound = 0.0005;  // kJ/(kg K)

// Newton stops when a step is below this relative size: the next iterate is then exact to its
// square, and is evaluated once more as the answer.
constexpr double kLastStep = 1e-8;
// The answer reproduces the given value to this relative residual (round-off of the basic
// equations; the floors below keep values near zero, liquid near 273.16 K, from asking for more
// than the absolute round-off of the sums).
constexpr double kAccepted = 1e-12;
constexpr double kEnthalpyFloor = 10;   // kJ/kg
constexpr double kEntropyFloor = 0.01;  // kJ/(kg K)
constexpr int kMaxIterations = 100;
// The basic equations of neighbouring regions differ on their common boundary by up to 5e-5
// relative in h and s: a target that far beyond the end of a region's range is its end state.
constexpr double kBoundaryMismatch = 1e-4;

enum class Given { kEnthalpy, kEntropy };

double Value(const FluidProps& f, Given given) {
  return given == Given::kEnthalpy ? f.h : f.s;
}

// d(h or s)/dT at constant p.
double SlopeT(const FluidProps& f, Given given) {
  return given == Given::kEnthalpy ? f.cp : f.cp / f.T;
}

bool Reproduces(double value, double target, Given given) {
  const double floor = given == Given::kEnthalpy ? kEnthalpyFloor : kEntropyFloor;
  return std::fabs(value - target) <= kAccepted * std::max(std::fabs(target), floor);
}

// One region's basic equation along the isobar p: the full state at T, and for the search only
// the given h or s with its slope in T, from the derivatives in tau alone (bitwise the state's).
struct Probe {
  bool valid;
  double value;
  double slope;
};

template <FluidProps (*kState)(double, double), CaloricProps (*kCaloric)(double, double, Caloric)>
struct RegionIsobar {
  double p;
  FluidProps State(double T) const { return kState(T, p); }
  Probe At(double T, Given given) const {
    if (given == Given::kEnthalpy) {
      const CaloricProps c = kCaloric(T, p, Caloric::kH | Caloric::kCp);
      return {true, c.h, c.cp};
    }
    const CaloricProps c = kCaloric(T, p, Caloric::kS | Caloric::kCp);
    return {true, c.s, c.cp / T};
  }
};
using Isobar1 = RegionIsobar<Region1, Region1Caloric>;
using Isobar2 = RegionIsobar<Region2, Region2Caloric>;
using Isobar5 = RegionIsobar<Region5, Region5Caloric>;

// Region 3 at (T, p) has no shortcut: the density is solved in full.
struct Isobar3 {
  double p;
  FluidProps State(double T) const { return Region3TP(T, p); }
  Probe At(double T, Given given) const {
    const FluidProps f = State(T);
    return {f.region != Region::kNone, Value(f, given), SlopeT(f, given)};
  }
};

// The temperature in [lo, hi] at which the isobar's state has the given h or s, which increases
// with T: Newton from start, bisection whenever a step leaves the bracket.
// A target just beyond an end of the bracket (within kBoundaryMismatch: the basic equations of
// two regions disagree on their boundary) gives the state at that end. Strict: pure Newton
// from a close start, nothing as soon as a step leaves the bracket (the answer is then elsewhere
// or at an end, for the careful way to find). The steps use the isobar's probes; the answer is
// its full state.
enum class Search { kSafe, kStrict };
template <class Isobar>
std::optional<FluidProps> SolveOnIsobar(const Isobar& isobar, Given given, double target, double lo,
                                        double hi, double start, Search search = Search::kSafe) {
  const double lo0 = lo, hi0 = hi;
  double T = start > lo && start < hi ? start : 0.5 * (lo + hi);
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    const Probe f = isobar.At(T, given);
    if (!f.valid) return std::nullopt;
    const double residual = f.value - target;
    if (residual == 0) return isobar.State(T);
    (residual < 0 ? lo : hi) = T;
    const double slope = f.slope;
    double next = T - residual / slope;
    const bool newton = slope > 0 && next > lo && next < hi;
    if (!newton && search == Search::kStrict) return std::nullopt;
    if (!newton) next = 0.5 * (lo + hi);
    if (newton && std::fabs(next - T) <= kLastStep * T) {
      const FluidProps last = isobar.State(next);
      if (last.region != Region::kNone && Reproduces(Value(last, given), target, given)) return last;
    }
    if (std::fabs(next - T) <= 4 * std::numeric_limits<double>::epsilon() * T) {
      const bool atEnd = std::fabs(T - lo0) <= 1e-9 * T || std::fabs(T - hi0) <= 1e-9 * T;
      const double scale =
          std::max(std::fabs(target), given == Given::kEnthalpy ? kEnthalpyFloor : kEntropyFloor);
      if ((atEnd && std::fabs(residual) <= kBoundaryMismatch * scale) || Reproduces(f.value, target, given)) {
        return isobar.State(T);
      }
      return std::nullopt;
    }
    T = next;
  }
  return std::nullopt;
}

// Region 3 at (p, h or s) by Newton on (rho, T) of Eq. 28 from the backward equations' start.
// Nothing if it does not converge inside [lo, hi] on the expected side of the critical density.
std::optional<FluidProps> NewtonRegion3(double p, Given given, double target, double T, double rho, double lo,
                                        double hi, detail::Region3Branch branch) {
  const double rhoLo = branch == detail::Region3Branch::kLiquid ? kRhoc : 0;
  const double rhoHi =
      branch == detail::Region3Branch::kVapour ? kRhoc : std::numeric_limits<double>::infinity();
  auto inside = [&](double t, double r) { return t >= lo && t <= hi && r > rhoLo && r < rhoHi; };
  bool last = false;
  for (int iteration = 0; iteration < 30; ++iteration) {
    if (!inside(T, rho)) return std::nullopt;
    FluidProps f = Region3(rho, T);
    const double r1 = f.p - p;
    const double r2 = Value(f, given) - target;
    if (last) {
      if (std::fabs(r1) > kAccepted * p || !Reproduces(Value(f, given), target, given)) return std::nullopt;
      f.p = p;
      return f;
    }
    // The Jacobian of (p, h or s) in (rho, T): (dp/drho)_T = 1 / (rho kappaT), (dp/dT)_rho =
    // alphaV / kappaT; dh = T ds + v dp and (ds/dv)_T = (dp/dT)_v give the rest (v dp in
    // m3/kg MPa is 1000 kJ/kg).
    const double pRho = 1 / (rho * f.kappaT);
    const double pT = f.alphaV / f.kappaT;
    double yRho = -1e3 * pT / (rho * rho);
    double yT = f.cv / T;
    if (given == Given::kEnthalpy) {
      yRho = 1e3 * (pRho / rho - T * pT / (rho * rho));
      yT = f.cv + 1e3 * pT / rho;
    }
    const double det = pRho * yT - pT * yRho;
    const double dRho = (r1 * yT - pT * r2) / det;
    const double dT = (pRho * r2 - yRho * r1) / det;
    if (!std::isfinite(dRho) || !std::isfinite(dT)) return std::nullopt;
    rho -= dRho;
    T -= dT;
    last = std::fabs(dRho) <= kLastStep * rho && std::fabs(dT) <= kLastStep * T;
  }
  return std::nullopt;
}

// Region 3 on the isobar between lo and hi: Newton on (rho, T), and should it fail (close to the
// critical point, where (dp/drho)_T vanishes), the safe way, Newton on T with the density of
// each temperature solved on its own (Region3TP).
std::optional<FluidProps> SolveRegion3(double p, Given given, double target, double lo, double hi,
                                       detail::Region3Branch branch) {
  const bool h = given == Given::kEnthalpy;
  const double T0 = std::clamp(h ? detail::Region3TPH(p, target) : detail::Region3TPS(p, target), lo, hi);
  double rho0 = 1 / (h ? detail::Region3VPH(p, target) : detail::Region3VPS(p, target));
  if (branch == detail::Region3Branch::kLiquid) rho0 = std::max(rho0, 1.01 * kRhoc);
  if (branch == detail::Region3Branch::kVapour) rho0 = std::min(rho0, 0.99 * kRhoc);
  if (auto f = NewtonRegion3(p, given, target, T0, rho0, lo, hi, branch)) return f;
  return SolveOnIsobar(Isobar3{p}, given, target, lo, hi, T0);
}

std::optional<FluidProps> SolveRegion1(double p, Given given, double target, double hi) {
  const double start = given == Given::kEnthalpy ? Region1TPH(p, target) : Region1TPS(p, target);
  return SolveOnIsobar(Isobar1{p}, given, target, kTmin, hi, start);
}

// Region 2 from lo up to 1073.15 K, region 5 above (to 50 MPa).
std::optional<FluidProps> SolveRegion25(double p, Given given, double target, double lo) {
  const FluidProps top2 = Region2(kT25, p);
  if (target <= Value(top2, given)) {
    const double start = given == Given::kEnthalpy ? Region2TPH(p, target) : Region2TPS(p, target);
    return SolveOnIsobar(Isobar2{p}, given, target, lo, kT25, start);
  }
  if (p > kPmax5) return std::nullopt;
  const FluidProps bottom5 = Region5(kT25, p);
  const FluidProps top5 = Region5(kTmax, p);
  const double y0 = Value(bottom5, given), y1 = Value(top5, given);
  if (target > y1) return std::nullopt;
  // Region 5 is close to an ideal gas: h and s nearly linear in T (in ln T for s) start well.
  const double t = (target - y0) / (y1 - y0);
  const double start =
      given == Given::kEnthalpy ? kT25 + t * (kTmax - kT25) : kT25 * std::pow(kTmax / kT25, t);
  return SolveOnIsobar(Isobar5{p}, given, target, kT25, kTmax, start);
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

std::optional<PairState> Single(const std::optional<FluidProps>& f, double p) {
  if (!f) return std::nullopt;
  return Single(*f, p);
}

// Wet steam at T from its saturated phases, with quality x.
PairState Wet(const FluidProps& liquid, const FluidProps& vapour, double x, double p) {
  PairState state;
  state.region = Region::k4;
  state.T = liquid.T;
  state.p = p;
  state.x = x;
  state.liquid = liquid;
  state.vapour = vapour;
  FluidProps& m = state.props;
  m.region = Region::k4;
  m.T = liquid.T;
  m.p = p;
  m.v = liquid.v + x * (vapour.v - liquid.v);
  m.rho = 1 / m.v;
  m.h = liquid.h + x * (vapour.h - liquid.h);
  m.u = liquid.u + x * (vapour.u - liquid.u);
  m.s = liquid.s + x * (vapour.s - liquid.s);
  m.g = liquid.g + x * (vapour.g - liquid.g);
  return state;
}

// Below the critical pressure: the liquid up to the saturation temperature, wet steam between the
// saturated phases, the vapour above.
std::optional<PairState> SolveSubcritical(double p, Given given, double target, double Ts) {
  const FluidProps liquid = SaturatedLiquid(Ts);
  if (liquid.region == Region::kNone) return std::nullopt;
  if (target <= Value(liquid, given)) {
    if (Ts <= kT13) return Single(SolveRegion1(p, given, target, Ts), p);
    if (target <= Value(Region1(kT13, p), given)) return Single(SolveRegion1(p, given, target, kT13), p);
    return Single(SolveRegion3(p, given, target, kT13, Ts, detail::Region3Branch::kLiquid), p);
  }
  const FluidProps vapour = SaturatedVapour(Ts);
  if (vapour.region == Region::kNone) return std::nullopt;
  const double yL = Value(liquid, given), yV = Value(vapour, given);
  if (target < yV) return Wet(liquid, vapour, (target - yL) / (yV - yL), p);
  if (Ts <= kT13) return Single(SolveRegion25(p, given, target, Ts), p);
  const double T23 = B23Temperature(p);
  if (target < Value(Region2(T23, p), given)) {
    return Single(SolveRegion3(p, given, target, Ts, T23, detail::Region3Branch::kVapour), p);
  }
  return Single(SolveRegion25(p, given, target, T23), p);
}

// The common case first, without evaluating any boundary: a backward equation of region 1 or 2
// that lands inside the region's temperature range at p starts a strict Newton there. Its root
// lies inside the range, so the region is right; when Newton leaves the range, nothing (and the
// careful way decides).
std::optional<FluidProps> SolveFast(double p, Given given, double target, double Ts, bool above13) {
  const bool h = given == Given::kEnthalpy;
  if (Ts > 0 || above13) {
    const double hi = above13 ? kT13 : Ts;
    const double start = h ? Region1TPH(p, target) : Region1TPS(p, target);
    if (start > kTmin && start < hi) {
      if (auto f = SolveOnIsobar(Isobar1{p}, given, target, kTmin, hi, start, Search::kStrict)) {
        return f;
      }
    }
  }
  const double lo = above13 ? B23Temperature(p) : (Ts > 0 ? Ts : kTmin);
  const double start = h ? Region2TPH(p, target) : Region2TPS(p, target);
  if (start > lo && start < kT25) {
    return SolveOnIsobar(Isobar2{p}, given, target, lo, kT25, start, Search::kStrict);
  }
  return std::nullopt;
}

std::optional<PairState> StateFromPY(double p, Given given, double target) {
  if (!(std::isfinite(p) && std::isfinite(target) && p > 0 && p <= kPmax)) return std::nullopt;
  const double coldBound = given == Given::kEnthalpy ? kColdEnthalpyBound : kColdEntropyBound;
  if (target < coldBound && target < Value(StateTP(kTmin, p), given)) return std::nullopt;
  double Ts = p < kPc ? SaturationTemperature(p) : 0;
  // Eqs. 30 and 31 are inverse to round-off only: at psat(623.15 K) and below, the saturated
  // phases are those of regions 1 and 2.
  const bool above13 = p >= kPc || (Ts > kT13 && p > SaturationPressure(kT13));
  if (Ts > kT13 && !above13) Ts = kT13;
  if (auto f = SolveFast(p, given, target, Ts, above13)) return Single(*f, p);
  if (Ts > 0) return SolveSubcritical(p, given, target, Ts);
  if (p < kPc) {  // below psat(273.15 K): vapour only, from 273.15 K
    if (target < Value(Region2(kTmin, p), given)) return std::nullopt;
    return Single(SolveRegion25(p, given, target, kTmin), p);
  }
  if (target <= Value(Region1(kT13, p), given)) return Single(SolveRegion1(p, given, target, kT13), p);
  const double T23 = B23Temperature(p);
  if (target < Value(Region2(T23, p), given)) {
    return Single(SolveRegion3(p, given, target, kT13, T23, detail::Region3Branch::kAny), p);
  }
  return Single(SolveRegion25(p, given, target, T23), p);
}

}  // namespace

std::optional<PairState> StateFromPH(double p, double h) {
  return StateFromPY(p, Given::kEnthalpy, h);
}

std::optional<PairState> StateFromPS(double p, double s) {
  return StateFromPY(p, Given::kEntropy, s);
}

namespace {

// Entropies that bound the backward equations of SR2-01 and SR4-04, kJ/(kg K): s'(623.15 K),
// s at (100 MPa, 623.15 K), where the B13 line begins, s''(623.15 K), where Eq. 9 begins,
// s''(273.15 K), the B23 range of Eq. 8, and 2b | 2c.
constexpr double kSLiquid13 = 3.778281340;
constexpr double kSB13 = 3.397782955;
constexpr double kSVapour23 = 5.210887825;
constexpr double kSVapourCold = 9.155759395;
constexpr double kSB23Low = 5.048096828;
constexpr double kSB23High = 5.260578707;
constexpr double kS2bc = 5.85;
// Enthalpies of the saturated phases at 623.15 K, where Eq. 10 of SR3-03 is defined, and the
// range of Eq. 8, kJ/kg.
constexpr double kHLiquid623 = 1670.858218;
constexpr double kHVapour623 = 2563.592004;
constexpr double kHB23High = 2812.942061;
constexpr double kPLow = 1e-6;  // MPa, lower end of the pressure search

double WetStartPressure(double h, double s) {
  if (s >= kSVapour23) return SaturationPressure(detail::SaturationTemperatureHS(h, s));
  if (h >= kHLiquid623 && h <= kHVapour623) return detail::Region3SaturationPressureH(h);
  return 1;
}

// The pressure of (h, s) by the backward equations, in the region that the boundary equations
// of SR4-04 give; 0 where there is none. Only a start: the region is settled by StateFromPS.
double StartPressure(double h, double s) {
  if (s < kSLiquid13) {
    if (h < detail::SaturatedLiquidEnthalpy1(s)) return WetStartPressure(h, s);
    return s >= kSB13 && h > detail::B13Enthalpy(s) ? detail::Region3PHS(h, s) : detail::Region1PHS(h, s);
  }
  if (s <= detail::kRegion3abEntropy) {
    return h < detail::SaturatedLiquidEnthalpy3a(s) ? WetStartPressure(h, s) : detail::Region3PHS(h, s);
  }
  if (s < kS2bc) {
    if (h < detail::SaturatedVapourEnthalpy2c3b(s)) return WetStartPressure(h, s);
    if (s < kSB23Low || (s <= kSB23High && h <= kHB23High &&
                         detail::Region2PHS(h, s) > B23Pressure(detail::B23TemperatureHS(h, s)))) {
      return detail::Region3PHS(h, s);
    }
    return detail::Region2PHS(h, s);
  }
  if (s <= kSVapourCold && h < detail::SaturatedVapourEnthalpy2ab(s)) return WetStartPressure(h, s);
  return detail::Region2PHS(h, s);
}

}  // namespace

// Along the isentrope (IsentropeSearch.h) from the backward equations' pressure, down to kPLow
// and up to 100 MPa; the answer reproduces h, or lies within the mismatch of two regions'
// equations where the search collapsed on their boundary.
std::optional<PairState> StateFromHS(double h, double s) {
  if (!(std::isfinite(h) && std::isfinite(s))) return std::nullopt;
  static constexpr detail::Isentrope kLine{kPLow, kPmax, 1e9, kLastStep, kMaxIterations, StateFromPS};
  return detail::AlongIsentrope(
      kLine, h, s, StartPressure(h, s),
      [h](const PairState& last) {
        return Reproduces(last.props.h, h, Given::kEnthalpy) ? std::optional(last) : std::nullopt;
      },
      [h](const std::optional<PairState>& state) {
        const bool near = state && std::fabs(state->props.h - h) <=
                                       kBoundaryMismatch * std::max(std::fabs(h), kEnthalpyFloor);
        return near ? state : std::nullopt;
      });
}

// ---- States from (T, h) and (T, s) ------------------------------------------------------------

namespace {

// The isotherm is cut into pieces, each on one basic equation: regions 1, 2 and 5 run over the
// pressure (MPa), region 3 over the density (kg/m3), in which Eq. 28 is written; both rise
// together along a stable isotherm, so a piece runs from its lower-pressure end lo to hi.
struct Piece {
  Region region = Region::kNone;
  double lo = 0, hi = 0;
  bool withLo = true, withHi = true;  // an end at psat(T) belongs to the wet point, not the piece
};

// Pressures are sampled this many times per decade (and the density of region 3 every
// kDensityStep): h and s of IF97 vary smoothly enough that no pair of crossings hides between
// samples whose slopes have the same sign; opposite slopes mark an extremum, which is located.
constexpr int kSamplesPerDecade = 5;
constexpr double kDensityStep = 5;  // kg/m3
// Below this pressure the residual parts of Eqs. 15 and 32 are linear in p to 1e-3: h and s
// are monotonic there, and the piece's lowest pressure is sampled alone.
constexpr double kIdealGas = 1e-6;  // MPa
// Pressures a relative 1e-6 apart must differ in h (or s) by more than the accepted residual
// for the isotherm to tell them apart.
constexpr double kDistinct = 1e-6;

class Isotherm {
 public:
  Isotherm(double T, Given given) : T_(T), given_(given), region3_(T) {}
  double T() const { return T_; }
  Given given() const { return given_; }

  FluidProps At(const Piece& piece, double u) const {
    switch (piece.region) {
      case Region::k1:
        return Region1(T_, u);
      case Region::k2:
        return Region2(T_, u);
      case Region::k3:
        return region3_.Props(u);
      default:
        return Region5(T_, u);
    }
  }
  // Region 3's density at p, on the liquid side of the saturation line at psat(T) and above.
  double Density(double p) const { return Region3TP(T_, p).rho; }
  // (dh/dp)_T = v (1 - T alphaV) and (ds/dp)_T = -v alphaV (m3/kg MPa is 1000 kJ/kg).
  double SlopeP(const FluidProps& f) const {
    return 1e3 * f.v * (given_ == Given::kEnthalpy ? 1 - T_ * f.alphaV : -f.alphaV);
  }
  // The slope along the piece's own variable: (dp/drho)_T = 1 / (rho kappaT) in region 3.
  double Slope(const Piece& piece, const FluidProps& f) const {
    return SlopeP(f) * (piece.region == Region::k3 ? 1 / (f.rho * f.kappaT) : 1);
  }

 private:
  double T_;
  Given given_;
  detail::Region3Isotherm region3_;
};

// The middle of [a, b] in the piece's variable: geometric for a pressure.
double Middle(const Piece& piece, double a, double b) {
  return piece.region == Region::k3 ? 0.5 * (a + b) : std::sqrt(a * b);
}

struct Sample {
  double u = 0;
  FluidProps f;
  double r = 0;      // value - target
  double slope = 0;  // d(value)/du
};

// The crossings found so far: their number, and where the last one is (a sample that meets
// the target exactly, or a bracket with residuals of opposite signs).
struct Crossings {
  int count = 0;
  Piece piece;
  Sample a, b;
  bool exact = false;
  std::optional<PairState> state;  // a crossing that is a state already (wet point, boundary)
};

class Counter {
 public:
  Counter(const Isotherm& isotherm, double target) : iso_(isotherm), target_(target) {}
  Sample At(const Piece& piece, double u) const {
    Sample s{u, iso_.At(piece, u)};
    s.r = Value(s.f, iso_.given()) - target_;
    s.slope = iso_.Slope(piece, s.f);
    return s;
  }
  // Counts the crossings of the piece between the samples (the pressures log-spaced, the lowest
  // alone below kIdealGas; the densities evenly).
  void Count(const Piece& piece, Crossings& found) const {
    std::vector<double> u;
    if (piece.region == Region::k3) {
      const int n = std::max(2, static_cast<int>(std::ceil((piece.hi - piece.lo) / kDensityStep)));
      for (int i = 0; i <= n; ++i) u.push_back(piece.lo + (piece.hi - piece.lo) * i / n);
    } else {
      const double lo = std::max(piece.lo, std::min(kIdealGas, piece.hi));
      if (lo > piece.lo) u.push_back(piece.lo);
      const double decades = std::log10(piece.hi / lo);
      const int n = std::max(2, static_cast<int>(std::ceil(decades * kSamplesPerDecade)));
      for (int i = 0; i <= n; ++i) u.push_back(lo * std::pow(piece.hi / lo, static_cast<double>(i) / n));
    }
    u.front() = piece.lo;
    u.back() = piece.hi;
    Sample previous = At(piece, u.front());
    if (piece.withLo && previous.r == 0) Exact(piece, previous, found);
    for (std::size_t i = 1; i < u.size() && found.count < 2; ++i) {
      const Sample next = At(piece, u[i]);
      Between(piece, previous, next, found);
      if (next.r == 0 && (i + 1 < u.size() || piece.withHi)) Exact(piece, next, found);
      previous = next;
    }
  }

 private:
  static void Exact(const Piece& piece, const Sample& s, Crossings& found) {
    ++found.count;
    found.piece = piece;
    found.a = found.b = s;
    found.exact = true;
  }
  static void Bracket(const Piece& piece, const Sample& a, const Sample& b, Crossings& found) {
    if (!((a.r < 0 && b.r > 0) || (a.r > 0 && b.r < 0))) return;
    ++found.count;
    found.piece = piece;
    found.a = a;
    found.b = b;
    found.exact = false;
  }
  // Between two samples: a sign change of the residual is one crossing; slopes of opposite
  // signs mean an extremum between them, located by bisection on the slope's sign, and the
  // crossings on either side of it are counted.
  void Between(const Piece& piece, const Sample& a, const Sample& b, Crossings& found) const {
    if ((a.slope > 0 && b.slope > 0) || (a.slope < 0 && b.slope < 0) || a.slope == 0 || b.slope == 0) {
      Bracket(piece, a, b, found);
      return;
    }
    Sample lo = a, hi = b;
    for (int halving = 0; halving < 60; ++halving) {
      const double mid = Middle(piece, lo.u, hi.u);
      if (mid <= lo.u || mid >= hi.u) break;
      const Sample m = At(piece, mid);
      ((m.slope > 0) == (a.slope > 0) ? lo : hi) = m;
    }
    const Sample& extremum = std::fabs(lo.r) > std::fabs(hi.r) ? lo : hi;
    Bracket(piece, a, extremum, found);
    if (extremum.r == 0) Exact(piece, extremum, found);
    Bracket(piece, extremum, b, found);
  }

  const Isotherm& iso_;
  double target_;
};

// The crossing inside the bracket [a, b] by Newton on the piece's variable, bisection whenever a
// step leaves the bracket; nothing if it does not reproduce the target.
std::optional<FluidProps> Refine(const Counter& counter, const Crossings& c, double target, Given given) {
  if (c.exact) return c.a.f;
  Sample lo = c.a, hi = c.b;
  Sample s = std::fabs(lo.r) < std::fabs(hi.r) ? lo : hi;
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    double next = s.u - s.r / s.slope;
    const bool newton = std::isfinite(next) && next > std::min(lo.u, hi.u) && next < std::max(lo.u, hi.u);
    if (!newton) next = Middle(c.piece, lo.u, hi.u);
    const Sample n = counter.At(c.piece, next);
    if (n.r == 0) return n.f;
    if (newton && std::fabs(next - s.u) <= kLastStep * s.u && Reproduces(Value(n.f, given), target, given)) {
      return n.f;
    }
    ((n.r < 0) == (lo.r < 0) ? lo : hi) = n;
    if (std::fabs(hi.u - lo.u) <= 4 * std::numeric_limits<double>::epsilon() * hi.u) {
      return Reproduces(Value(n.f, given), target, given) ? std::optional(n.f) : std::nullopt;
    }
    s = n;
  }
  return std::nullopt;
}

// The pieces of the isotherm (at most three: vapour and liquid of region 3 below Tc) and its wet
// point below Tc.
struct Layout {
  Piece pieces[3];
  int count = 0;
  bool wet = false;
  FluidProps liquid, vapour;  // the saturated phases, when wet
  double pWet = 0;
  double pB23 = 0;  // MPa, where pieces 0 and 1 meet on the B23 line; 0 if they do not
};

std::optional<Layout> LayoutOf(const Isotherm& iso, double pLowest) {
  const double T = iso.T();
  Layout l;
  const auto add = [&l](Region r, double lo, double hi, bool withLo = true, bool withHi = true) {
    l.pieces[l.count++] = Piece{r, lo, hi, withLo, withHi};
  };
  if (T > kT25) {
    add(Region::k5, pLowest, kPmax5);
    return l;
  }
  if (T < kTc) {
    l.wet = true;
    l.pWet = SaturationPressure(T);
    l.liquid = SaturatedLiquid(T);
    l.vapour = SaturatedVapour(T);
    if (l.liquid.region == Region::kNone || l.vapour.region == Region::kNone) return std::nullopt;
  }
  if (T <= kT13) {
    add(Region::k2, pLowest, l.pWet, true, false);
    add(Region::k1, l.pWet, kPmax, false, true);
    return l;
  }
  const double pB23 = B23Pressure(T);
  if (pB23 >= kPmax) {
    add(Region::k2, pLowest, kPmax);
    return l;
  }
  l.pB23 = pB23;
  add(Region::k2, pLowest, pB23);
  if (!l.wet) {
    add(Region::k3, iso.Density(pB23), iso.Density(kPmax));
  } else {
    add(Region::k3, iso.Density(pB23), l.vapour.rho, true, false);
    add(Region::k3, l.liquid.rho, iso.Density(kPmax), false, true);
  }
  for (int i = 1; i < l.count; ++i) {
    if (!(l.pieces[i].lo > 0 && l.pieces[i].hi > l.pieces[i].lo)) return std::nullopt;
  }
  return l;
}

IsothermAnswer StateFromTY(double T, Given given, double target) {
  if (!(std::isfinite(target) && InClosedRange(T, kTmin, kTmax))) return {};
  T = std::clamp(T, kTmin, kTmax);
  const Isotherm iso(T, given);
  const std::optional<Layout> layout = LayoutOf(iso, SublimationPressure(kSublimationTMin));
  if (!layout) return {};
  const Counter counter(iso, target);
  Crossings found;
  for (int i = 0; i < layout->count && found.count < 2; ++i) counter.Count(layout->pieces[i], found);
  if (layout->pB23 > 0) {
    // Regions 2 and 3 on the B23 line: when the value jumps the way the isotherm runs, the
    // values in the gap are the boundary state's (where the jump goes back, both pieces meet them).
    const FluidProps f2 = iso.At(layout->pieces[0], layout->pB23);
    const double y2 = Value(f2, given);
    const double y3 = Value(iso.At(layout->pieces[1], layout->pieces[1].lo), given);
    if ((y3 - y2) * iso.SlopeP(f2) > 0 && std::min(y2, y3) < target && target < std::max(y2, y3)) {
      ++found.count;
      found.state = Single(f2, layout->pB23);
    }
  }
  if (layout->wet) {
    const double yL = Value(layout->liquid, given), yV = Value(layout->vapour, given);
    if (yL <= target && target <= yV) {
      ++found.count;
      found.state =
          Wet(layout->liquid, layout->vapour, yV > yL ? (target - yL) / (yV - yL) : 0, layout->pWet);
    }
  }
  if (found.count != 1) return {std::nullopt, found.count > 1};
  if (found.state) return {found.state, false};
  const std::optional<FluidProps> f = Refine(counter, found, target, given);
  if (!f) return {};
  const double scale =
      std::max(std::fabs(target), given == Given::kEnthalpy ? kEnthalpyFloor : kEntropyFloor);
  if (f->p * std::fabs(iso.SlopeP(*f)) < kDistinct * scale) return {std::nullopt, true};
  return {Single(*f, f->p), false};
}

}  // namespace

IsothermAnswer StateFromTH(double T, double h) {
  return StateFromTY(T, Given::kEnthalpy, h);
}

IsothermAnswer StateFromTS(double T, double s) {
  return StateFromTY(T, Given::kEntropy, s);
}

}  // namespace tulo::iapws
