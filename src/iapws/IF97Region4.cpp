// IAPWS-IF97 region 4: the saturation equation (Eqs. 30 and 31) and the saturated phases.

#include <array>
#include <cmath>
#include <limits>

#include "iapws/IF97.h"
#include "iapws/IF97Region3Backward.h"
#include "iapws/IF97Region3Internal.h"

namespace tulo::iapws {
namespace {

// IAPWS-IF97 (2012), Table 34: the coefficients n1 .. n10 of Eqs. 29 to 31 (stored from index 1).
constexpr std::array<double, 11> kN = {
    0,  // unused, so that kN[i] is n_i
    0.11670521452767e4,
    -0.72421316703206e6,
    -0.17073846940092e2,
    0.12020824702470e5,
    -0.32325550322333e7,
    0.14915108613530e2,
    -0.48232657361591e4,
    0.40511340542057e6,
    -0.23855557567849,
    0.65017534844798e3,
};

constexpr double kPmin = 611.212677e-6;  // MPa, Eq. 30 at 273.15 K (kTmin, its lower end)
constexpr double kT13 = 623.15;          // K, where regions 1, 2 and 3 meet the saturation line
// Eqs. 28 and 30 meet at the critical point only to about 2e-11 relative in pressure: within a few
// nK of Tc the densities at psat(T) are set by that mismatch, not by T. A temperature this close
// is the critical point; it covers the roundings of a stored (Real6) 647.096 K, 1e-10 K below
// Tc, and of Eq. 31 at pc, 1.2e-9 K below.
constexpr double kCriticalSnap = 1e-8;  // K
// The vapour spinodal lies within this of the critical density wherever it is needed (it is
// 0.17 kg/m3 below it 1e-5 K below Tc): the stable end of its search.
constexpr double kSpinodalReach = 10;  // kg/m3

// The density where (dp/drho)_T of the isotherm falls to zero between a stable density of the
// branch and the critical density, by bisection on its sign; 0 if rhoStable is not stable.
double Spinodal(const detail::Region3Isotherm& isotherm, double rhoStable) {
  if (!(isotherm.At(rhoStable).dpdrho > 0)) return 0;
  double stable = rhoStable, unstable = kRhoc;
  constexpr int kHalvings = 64;
  for (int halving = 0; halving < kHalvings; ++halving) {
    const double mid = 0.5 * (stable + unstable);
    if (mid == stable || mid == unstable) break;
    (isotherm.At(mid).dpdrho > 0 ? stable : unstable) = mid;
  }
  return stable;
}

// The critical state of Eq. 28, where it gives 22.064 MPa. There (dp/drho)_T = 0: cp, alphaV and
// kappaT diverge, and Eq. 28's own value is the quotient of two roundings (even negative), so
// they are given as their limit, +infinity.
FluidProps CriticalState() {
  FluidProps critical = Region3(kRhoc, kTc);
  critical.cp = critical.alphaV = critical.kappaT = std::numeric_limits<double>::infinity();
  return critical;
}

// Above 623.15 K: IF97 defines the saturated phases by the pressure of Eq. 30 and the densities
// at which Eq. 28 reaches it, the liquid above the critical density and the vapour below (the
// saturated volumes of SR5-05 approximate exactly these, and start the guarded Newton that keeps
// to the branch). Eq. 28's own coexistence pressure differs from Eq. 30 by up to 2.6e-5
// relative, so within 3.4e-5 K of Tc the vapour isotherm peaks just below psat(T): there the
// vapour is its nearest state, the spinodal, within 4e-11 relative of psat(T).
FluidProps Saturated3(double T, detail::Region3Branch branch) {
  if (T >= kTc - kCriticalSnap) return CriticalState();
  const double p = SaturationPressure(T);
  const bool liquid = branch == detail::Region3Branch::kLiquid;
  const detail::Region3Isotherm isotherm(T);
  const double start =
      1 / (liquid ? detail::Region3SaturatedLiquidVolume(T, p) : detail::Region3SaturatedVapourVolume(T, p));
  double rho = detail::Region3Density(isotherm, p, start, branch);
  if (rho == 0 && !liquid) rho = Spinodal(isotherm, kRhoc - kSpinodalReach);
  if (rho == 0) return FluidProps{};
  FluidProps r = isotherm.Props(rho);
  r.p = p;  // equal to the evaluated pressure within 1e-12 (off the spinodal)
  return r;
}

}  // namespace

double SaturationPressure(double T) {
  if (!(T >= kTmin && T <= kTc)) return 0;
  const double theta = T + kN[9] / (T - kN[10]);  // Eq. 29b
  const double a = theta * theta + kN[1] * theta + kN[2];
  const double b = kN[3] * theta * theta + kN[4] * theta + kN[5];
  const double c = kN[6] * theta * theta + kN[7] * theta + kN[8];
  const double x = 2 * c / (-b + std::sqrt(b * b - 4 * a * c));
  const double x2 = x * x;
  return x2 * x2;
}

double SaturationTemperature(double p) {
  if (!(p >= kPmin && p <= kPc)) return 0;
  const double beta = std::sqrt(std::sqrt(p));  // Eq. 29a
  const double e = beta * beta + kN[3] * beta + kN[6];
  const double f = kN[1] * beta * beta + kN[4] * beta + kN[7];
  const double g = kN[2] * beta * beta + kN[5] * beta + kN[8];
  const double d = 2 * g / (-f - std::sqrt(f * f - 4 * e * g));
  const double sum = kN[10] + d;
  return 0.5 * (sum - std::sqrt(sum * sum - 4 * (kN[9] + kN[10] * d)));
}

FluidProps SaturatedLiquid(double T) {
  if (!(T >= kTmin && T <= kTc)) return FluidProps{};
  if (T <= kT13) return Region1(T, SaturationPressure(T));
  return Saturated3(T, detail::Region3Branch::kLiquid);
}

FluidProps SaturatedVapour(double T) {
  if (!(T >= kTmin && T <= kTc)) return FluidProps{};
  if (T <= kT13) return Region2(T, SaturationPressure(T));
  return Saturated3(T, detail::Region3Branch::kVapour);
}

}  // namespace tulo::iapws
