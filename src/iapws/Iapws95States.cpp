// IAPWS-95 states: every property at (T, rho) from the two parts of the Helmholtz energy
// (IAPWS R6-95(2018) Table 6.3), the state at (T, p) by Newton on the density, and the saturation
// line by the Maxwell criterion, started from the auxiliary equations of IAPWS SR1-86(1992).

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/RangeLimit.h"
#include "iapws/Iapws95.h"
#include "iapws/Iapws95Internal.h"
#include "iapws/MeltingSublimation.h"

namespace tulo::iapws95 {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- The auxiliary equations of SR1-86(1992), Eqs. 2.5, 2.6 and 2.7 --------------------------
// Every exponent is a multiple of 1/6 of vartheta = 1 - T/Tc: each power is (vartheta^(1/6))^k.
struct AuxTerm {
  int sixths;
  double coefficient;
};
// ln(p/pc) = (Tc/T) sum a_i vartheta^t_i.
constexpr AuxTerm kAuxPressure[] = {
    {6, -7.85951783}, {9, 1.84408259},   {18, -11.7866497},
    {21, 22.6807411}, {24, -15.9618719}, {45, 1.80122502},
};
// rho'/rhoc = 1 + sum b_i vartheta^t_i.
constexpr AuxTerm kAuxLiquid[] = {
    {2, 1.99274064},   {4, 1.09965342},   {10, -0.510839303},
    {32, -1.75493479}, {86, -45.5170352}, {220, -6.74694450e5},
};
// ln(rho''/rhoc) = sum c_i vartheta^t_i.
constexpr AuxTerm kAuxVapour[] = {
    {2, -2.03150240},  {4, -2.68302940},  {8, -5.38626492},
    {18, -17.2991605}, {37, -44.7586581}, {71, -63.9201063},
};

double IntPower(double x, int k) {
  double r = 1.0;
  for (; k > 0; k >>= 1, x *= x)
    if ((k & 1) != 0) r *= x;
  return r;
}

template <std::size_t N>
double AuxSum(const AuxTerm (&terms)[N], double sixth) {
  double sum = 0;
  for (const AuxTerm& term : terms) sum += term.coefficient * IntPower(sixth, term.sixths);
  return sum;
}

struct AuxSaturation {
  double p;  // MPa
  double rhoLiquid, rhoVapour;
};

// T in kTt .. kTc.
AuxSaturation Auxiliary(double T) {
  const double vartheta = std::max(0.0, 1.0 - T / kTc);
  const double sixth = std::cbrt(std::sqrt(vartheta));
  return {kPc * std::exp(kTc / T * AuxSum(kAuxPressure, sixth)), kRhoc * (1.0 + AuxSum(kAuxLiquid, sixth)),
          kRhoc * std::exp(AuxSum(kAuxVapour, sixth))};
}

// ---- The pressure on an isotherm -------------------------------------------------------------

// p / (rhoc R T) and its delta derivative, and g / (R T) less the terms of tau alone
// (ln delta + phir + delta phir_delta), with its delta derivative: what the density solvers need.
struct Isotherm {
  double J, J_d;  // J = delta (1 + delta phir_d)
  double K, K_d;  // K = ln delta + phir + delta phir_d
};

Isotherm IsothermAt(double delta, double tau) {
  const Phi r = ResidualDeltaPart(delta, tau);
  const double dPd = delta * r.d;
  Isotherm s{};
  s.J = delta * (1.0 + dPd);
  s.J_d = 1.0 + 2.0 * dPd + delta * delta * r.dd;
  s.K = std::log(delta) + r.f + dPd;
  s.K_d = 1.0 / delta + 2.0 * r.d + delta * r.dd;
  return s;
}

// Which root of p(rho, T) = p a density solve is to find.
enum class Branch { kLiquid, kVapour, kSupercritical };

// The density on the branch where p(rho, T) = p, by Newton on delta from delta0. The iterates are
// kept in the bracket (lo, hi) the evaluations have found (p below at lo, above at hi); a point
// off the branch (dp/drho <= 0, or on the other side of rhoc below Tc) narrows the bracket from
// that side; a step leaving the bracket is replaced by its midpoint (or a doubling while hi is
// unknown). NaN should it not converge.
double SolveDensity(double T, double p, Branch branch, double delta0, double lo, double hi) {
  const double tau = kTc / T;
  const double target = p / (kRhoc * kR * T) * 1000.0;  // J at the given pressure
  double delta = delta0;
  for (int iter = 0; iter < 100; ++iter) {
    const Isotherm s = IsothermAt(delta, tau);
    const double f = s.J - target;
    if (std::abs(f) <= 1e-14 * target) return delta;
    const bool offBranch = !(s.J_d > 0) || (branch == Branch::kLiquid && delta <= 1.0) ||
                           (branch == Branch::kVapour && delta >= 1.0);
    double next = 0;
    if (offBranch) {
      (branch == Branch::kVapour ? hi : lo) = delta;
      next = hi < kInf ? 0.5 * (lo + hi) : 2.0 * delta;
    } else {
      (f < 0 ? lo : hi) = delta;
      next = delta - f / s.J_d;
      // Newton converges quadratically: after a step below 1e-8 what remains is of the order of
      // its square, below the rounding of p (for a liquid at low p the step reaches that
      // rounding, and may round to nothing).
      if (std::abs(next - delta) <= 1e-8 * delta) return next;
      if (!(next > lo && next < hi)) next = hi < kInf ? 0.5 * (lo + hi) : 2.0 * delta;
    }
    if (std::abs(next - delta) <= 2e-16 * delta) return kNaN;  // a bracket with nothing in it
    delta = next;
  }
  return kNaN;
}

// A start for SolveDensity, kg/m3: IF97's density where it holds (at the nearest temperature of
// its range below 273.15 K), carried beyond its highest pressure by the Murnaghan form
// rho = rho0 (1 + K' kappaT0 (p - p0))^(1/K') with K' = 6, about that of liquid water (it errs
// high, the side from which Newton approaches on a convex isotherm); the ideal gas for the
// vapour where IF97 is not at hand.
double StartDensity(double T, double p, Branch branch) {
  const double idealGas = 1000.0 * p / (kR * T);
  if (branch == Branch::kVapour && T < iapws::kTmin) return idealGas;
  const double T97 = std::clamp(T, iapws::kTmin, iapws::kTmax);
  const double p97 = std::min(p, T97 <= iapws::kT25 ? iapws::kPmax : iapws::kPmax5);
  const FluidProps start = iapws::StateTP(T97, p97);
  if (start.region == Region::kNone) return idealGas;
  if (branch == Branch::kVapour) return start.rho < kRhoc ? start.rho : idealGas;
  if (p <= p97) return start.rho;
  constexpr double kPrime = 6.0;
  return start.rho * std::pow(1.0 + kPrime * start.kappaT * (p - p97), 1.0 / kPrime);
}

// ---- Saturation --------------------------------------------------------------------------------

// The Maxwell densities at tau from (dl, dv): 2-D Newton on J(dl) = J(dv), K(dl) = K(dv) (the
// formulation of Akasaka, J. Thermal Sci. Tech. 3 (2008) 442). Newton converges quadratically
// down to a floor the rounding of J and K sets: some 1e-14 relative near the triple point, but
// near Tc the Jacobian vanishes like J_d(liquid) J_d(vapour) (dl - dv), and the floor rises to
// 1e-6 at Tc - 0.1 mK. It stops after the step below kConverged (what remains is of the order of
// its square, 1e-14 at Tc - 1 K), or at the floor, once the corrections stop shrinking. Nothing
// should it leave the two branches or not converge.
struct DeltaPair {
  double liquid, vapour;
};
std::optional<DeltaPair> MaxwellNewton(double tau, DeltaPair d) {
  constexpr double kConverged = 1e-7;
  double previous = kInf;
  for (int iter = 0; iter < 50; ++iter) {
    const Isotherm l = IsothermAt(d.liquid, tau);
    const Isotherm v = IsothermAt(d.vapour, tau);
    const double det = v.J_d * l.K_d - l.J_d * v.K_d;
    const double dJ = v.J - l.J;
    const double dK = v.K - l.K;
    const double stepL = (dK * v.J_d - dJ * v.K_d) / det;
    const double stepV = (dK * l.J_d - dJ * l.K_d) / det;
    if (!std::isfinite(stepL) || !std::isfinite(stepV)) return std::nullopt;
    const double size = std::max(std::abs(stepL) / d.liquid, std::abs(stepV) / d.vapour);
    if (size < 1e-5 && size >= 0.5 * previous) return d;  // at the floor
    d = {d.liquid + stepL, d.vapour + stepV};
    if (!(d.liquid > 1.0 && d.vapour > 0 && d.vapour < 1.0)) return std::nullopt;
    if (size < kConverged) return d;
    previous = size;
  }
  return std::nullopt;
}

std::optional<DeltaPair> MaxwellFromAuxiliary(double T) {
  const AuxSaturation aux = Auxiliary(T);
  return MaxwellNewton(kTc / T, {aux.rhoLiquid / kRhoc, aux.rhoVapour / kRhoc});
}

// The densities at T carried on from two solutions at T1 < T2 < T by the power law
// |delta - 1| ~ (Tc - T)^beta they fit, each side with its own beta.
DeltaPair Carried(double T, double T1, const DeltaPair& d1, double T2, const DeltaPair& d2) {
  const double logRatio = std::log((kTc - T) / (kTc - T2)) / std::log((kTc - T1) / (kTc - T2));
  const auto carry = [&](double x1, double x2) {
    return 1.0 + (x2 - 1.0) * std::exp(std::log((x1 - 1.0) / (x2 - 1.0)) * logRatio);
  };
  return {carry(d1.liquid, d2.liquid), carry(d1.vapour, d2.vapour)};
}

// The Maxwell densities at T (kTt <= T < kTc).
//
// Within kNearCritical of Tc the auxiliary densities are no start: they follow the exponent 1/3,
// the formulation's coexistence curve there an effective exponent near 1/2, and they stray too far
// from rhoc for Newton. The start there is carried on from the solutions at Tc - kNearCritical
// and Tc - 2 kNearCritical. Within kNewtonFloor of Tc the floor of Newton approaches the gap
// between the phases; the densities there are carried on from the solutions at Tc - kNewtonFloor
// and Tc - 2 kNewtonFloor. An error e in a density moves p and g by (dp/drho)_T e, which vanishes
// at the critical point: the carried phases have equal p and g to within 1e-12 all the same.
std::optional<DeltaPair> MaxwellDensities(double T) {
  constexpr double kNearCritical = 2e-3;  // K
  constexpr double kNewtonFloor = 1e-5;   // K
  if (T < kTc - kNearCritical) return MaxwellFromAuxiliary(T);
  const double T1 = kTc - 2 * kNearCritical, T2 = kTc - kNearCritical;
  const std::optional<DeltaPair> d1 = MaxwellFromAuxiliary(T1);
  const std::optional<DeltaPair> d2 = MaxwellFromAuxiliary(T2);
  if (!d1 || !d2) return std::nullopt;
  const auto solve = [&](double t) {
    const DeltaPair start = Carried(t, T1, *d1, T2, *d2);
    return MaxwellNewton(kTc / t, start).value_or(start);
  };
  if (T <= kTc - kNewtonFloor) return solve(T);
  const double T3 = kTc - 2 * kNewtonFloor, T4 = kTc - kNewtonFloor;
  return Carried(T, T3, solve(T3), T4, solve(T4));
}

// Both phases at the Maxwell densities. The pressure is the vapour's: the liquid's is the small
// difference of two large terms (near the triple point rho R T is some 10^5 times p, and the
// rounding of the terms of delta phir_delta, a few 1e-13 of rho R T, is 5e-8 of p there).
Saturation SaturationFrom(double T, const DeltaPair& d) {
  Saturation sat;
  sat.T = T;
  sat.vapour = StateTRho(T, d.vapour * kRhoc);
  sat.liquid = StateTRho(T, d.liquid * kRhoc);
  sat.p = sat.vapour.p;
  sat.liquid.p = sat.p;
  return sat;
}

}  // namespace

FluidProps StateTRho(double T, double rho) {
  FluidProps out;
  if (!(T > 0 && rho > 0 && std::isfinite(T) && std::isfinite(rho))) return out;
  const double delta = rho / kRhoc;
  const double tau = kTc / T;
  const Phi i = IdealPart(delta, tau);
  const Phi r = ResidualPart(delta, tau);
  const double RT = kR * T;
  const double dPd = delta * r.d;                                   // delta phir_delta
  const double pRatio = 1.0 + dPd;                                  // p / (rho R T)
  const double stiffness = 1.0 + 2.0 * dPd + delta * delta * r.dd;  // (dp/drho)_T / (R T)
  const double thermal = 1.0 + dPd - delta * tau * r.dt;            // (dp/dT)_rho / (rho R)
  const double tauPhiT = tau * (i.t + r.t);
  const double cvR = -tau * tau * (i.tt + r.tt);
  out.region = rho < kRhoc ? Region::k2 : Region::k1;
  out.T = T;
  out.rho = rho;
  out.v = 1.0 / rho;
  out.p = rho * RT * pRatio / 1000.0;
  out.u = RT * tauPhiT;
  out.h = RT * (tauPhiT + pRatio);
  out.s = kR * (tauPhiT - i.f - r.f);
  out.g = RT * (1.0 + i.f + r.f + dPd);
  out.cv = kR * cvR;
  out.cp = kR * (cvR + thermal * thermal / stiffness);
  out.w = std::sqrt(1000.0 * RT * (stiffness + thermal * thermal / cvR));
  out.kappaT = 1000.0 / (rho * RT * stiffness);
  out.alphaV = thermal / (T * stiffness);
  if (T == kTc && rho == kRhoc) {
    // The critical point: (dp/drho)_T = 0 and cv diverges; the formulas give quotients of
    // roundings there (even negative), so the limits stand instead, as in IF97.
    out.cp = out.alphaV = out.kappaT = kInf;
    out.w = 0;
  }
  return out;
}

// Compared in pressure, the curves' own form (no inverse to solve): below the triple point the
// vapour lies under the sublimation curve and the liquid between the melting curves of ice Ih and
// of ice III or V; above it the fluid lies under the melting curve of ice V or VI, which passes
// 1000 MPa at 300.2 K.
bool InRange(double T, double p) {
  if (!InClosedRange(T, kTminVapour, kTmax) || !(p > 0) || !AtMost(p, kPmax)) return false;
  using namespace iapws;
  if (T < kMeltingIhTMax) {
    if (AtMost(p, SublimationPressure(T))) return true;
    if (!AtLeast(T, kMeltingIhTMin) || !AtLeast(p, MeltingPressureIh(T))) return false;
  }
  constexpr double kIceVIAt1000MPa = 300.3;  // K, a little above
  return T > kIceVIAt1000MPa || AtMost(p, MeltingPressureHighIce(T));
}

FluidProps StateTP(double T, double p) {
  if (!InRange(T, p)) return {};
  Branch branch = Branch::kSupercritical;
  double lo = 0, hi = kInf;  // delta bounds
  double delta0 = 0;
  if (T < kTc) {
    const double auxP = Auxiliary(T).p;
    // Below the triple point the vapour lies under the sublimation curve and the liquid above the
    // melting curve of ice Ih, far above the (extrapolated) vapour pressure.
    if (std::abs(p - auxP) > 2e-3 * auxP || T < kTt) {
      branch = p > auxP ? Branch::kLiquid : Branch::kVapour;
    } else {
      // Near the saturation line the auxiliary pressure (within 1e-4 of the formulation's) cannot
      // tell the phase: the Maxwell densities bound the branch, and start it.
      const std::optional<Saturation> sat = SaturationAtT(T);
      if (!sat) return {};
      branch = p >= sat->p ? Branch::kLiquid : Branch::kVapour;
      (branch == Branch::kLiquid ? lo : hi) =
          (branch == Branch::kLiquid ? sat->liquid.rho : sat->vapour.rho) / kRhoc;
      delta0 = branch == Branch::kLiquid ? lo : hi;
    }
  }
  if (delta0 == 0) delta0 = StartDensity(T, p, branch) / kRhoc;
  const double delta = SolveDensity(T, p, branch, delta0, lo, hi);
  if (!std::isfinite(delta)) return {};
  FluidProps out = StateTRho(T, delta * kRhoc);
  out.p = p;
  return out;
}

std::optional<Saturation> SaturationAtT(double T) {
  if (!InClosedRange(T, kTt, kTc)) return std::nullopt;
  T = std::clamp(T, kTt, kTc);
  if (T == kTc) return SaturationFrom(T, {1.0, 1.0});
  const std::optional<DeltaPair> d = MaxwellDensities(T);
  if (!d) return std::nullopt;
  return SaturationFrom(T, *d);
}

// Newton on T from IF97's saturation temperature. After the first step the densities of the last
// solution start the Maxwell search at the next T (away from Tc), closer than the auxiliary ones.
std::optional<Saturation> SaturationAtP(double p) {
  const double pt = TriplePointPressure();
  if (!InClosedRange(p, pt, kPc)) return std::nullopt;
  p = std::clamp(p, pt, kPc);
  if (p == kPc) return SaturationAtT(kTc);
  double T = std::clamp(iapws::SaturationTemperature(p), kTt, kTc);
  std::optional<Saturation> sat = SaturationAtT(T);
  for (int iter = 0; sat && iter < 30; ++iter) {
    if (std::abs(sat->p - p) <= 1e-13 * p) return sat;
    // Clausius-Clapeyron: dp/dT = (s'' - s') / (v'' - v').
    const double slope = (sat->vapour.s - sat->liquid.s) / (sat->vapour.v - sat->liquid.v) / 1000.0;
    const double step = (p - sat->p) / slope;
    if (std::abs(step) <= 1e-14 * T) return sat;
    T = std::clamp(T + step, kTt, kTc);
    std::optional<DeltaPair> d;
    if (T < kTc - 0.1) d = MaxwellNewton(kTc / T, {sat->liquid.rho / kRhoc, sat->vapour.rho / kRhoc});
    sat = d ? std::optional<Saturation>(SaturationFrom(T, *d)) : SaturationAtT(T);
  }
  // Not converged in 30 steps (it converges in a few): no answer rather than a state off p.
  if (sat && std::abs(sat->p - p) <= 1e-9 * p) return sat;
  return std::nullopt;
}

double TriplePointPressure() {
  // SaturationAtT answers at the triple point; 611.6548 Pa should it ever not.
  static const double pt = SaturationAtT(kTt).value_or(Saturation{kTt, 611.6548e-6, {}, {}}).p;
  return pt;
}

}  // namespace tulo::iapws95
