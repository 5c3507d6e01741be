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

constexpr double kTmin = 273.15;         // K, lower end of Eq. 30
constexpr double kPmin = 611.212677e-6;  // MPa, Eq. 30 at 273.15 K
constexpr double kT13 = 623.15;          // K, where regions 1, 2 and 3 meet the saturation line
// Within 10 mK of the critical point the saturated densities start from
// rho = rhoc +- kCoexistenceWidth sqrt(Tc - T), the fit of Eq. 28's own coexistence curve there
// (at 647.0959 K it gives 322.934 and 321.066 kg/m3, the converged values to 1e-3).
constexpr double kTNearCritical = kTc - 0.01;  // K
constexpr double kCoexistenceWidth = 93.4;     // kg/m3 per sqrt(K)

// The two saturated phases at one temperature.
struct SaturatedPair {
  FluidProps liquid;
  FluidProps vapour;
};

// Above 623.15 K: the densities rho' and rho'' on the isotherm of Eq. 28 with equal pressure and
// equal Gibbs energy, by Newton on both densities. With dg = v dp along an isotherm the Jacobian
// is [[p'_l, -p'_v], [p'_l / rho_l, -p'_v / rho_v]] (p' = dp/drho), which solves in closed form.
SaturatedPair Saturation3(double T) {
  const detail::Region3Isotherm isotherm(T);
  // At the critical point both phases are the critical state, where Eq. 28 gives 22.064 MPa.
  // There (dp/drho)_T = 0: cp, alphaV and kappaT diverge, and Eq. 28's own value is the quotient
  // of two roundings (even negative), so they are given as their limit, +infinity.
  if (T >= kTc) {
    FluidProps critical = isotherm.Props(kRhoc);
    critical.cp = critical.alphaV = critical.kappaT = std::numeric_limits<double>::infinity();
    return {critical, critical};
  }
  double rhoL = 0, rhoV = 0;
  if (T < kTNearCritical) {
    const double pStart = SaturationPressure(T);
    rhoL = 1 / detail::Region3SaturatedLiquidVolume(T, pStart);
    rhoV = 1 / detail::Region3SaturatedVapourVolume(T, pStart);
  } else {
    // The backward equations start too far out for Newton to find the narrow gap between the
    // spinodals; the square-root law of the analytic Eq. 28 starts inside it.
    const double halfGap = kCoexistenceWidth * std::sqrt(kTc - T);
    rhoL = kRhoc + halfGap;
    rhoV = kRhoc - halfGap;
  }
  if (!(rhoL > kRhoc && rhoV > 0 && rhoV < kRhoc)) return {};
  constexpr int kMaxIterations = 100;
  constexpr int kMaxHalvings = 40;
  // Newton stops once both residuals are within a few roundings of the pressure and Gibbs sums.
  // Near the critical point the isotherm is so flat (dp/drho ~ 1e-6 MPa m3/kg at 647.095 K) that
  // this noise moves the densities by 1e-8 relative, so the stop is on the residuals, not the steps.
  constexpr double kConverged = 1e-13;
  constexpr double kAccepted = 1e-12;  // relative residuals of an answer
  detail::Region3Point l = isotherm.At(rhoL);
  detail::Region3Point v = isotherm.At(rhoV);
  const auto residualsBelow = [&l, &v](double tolerance) {
    return std::fabs(l.p - v.p) <= tolerance * l.p && std::fabs(l.g - v.g) <= tolerance * std::fabs(l.g);
  };
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    if (residualsBelow(kConverged)) return {isotherm.Props(rhoL), isotherm.Props(rhoV)};
    if (!(l.dpdrho > 0 && v.dpdrho > 0)) return {};
    const double dp = l.p - v.p;  // MPa
    const double dg = l.g - v.g;  // kJ/kg; 1 MPa m3/kg = 1000 kJ/kg
    // a = p'_l dRhoL and b = p'_v dRhoV solve a - b = -dp and a/rho_l - b/rho_v = -dg/1000.
    const double b = (dp / rhoL - dg * 1e-3) / (1 / rhoL - 1 / rhoV);
    const double a = b - dp;
    double stepL = a / l.dpdrho;
    double stepV = b / v.dpdrho;
    // Halve the step until both densities stay on their own stable branch.
    bool accepted = false;
    for (int halving = 0; halving < kMaxHalvings && !accepted; ++halving) {
      const double nextL = rhoL + stepL;
      const double nextV = rhoV + stepV;
      if (nextL > kRhoc && nextV > 0 && nextV < kRhoc) {
        const detail::Region3Point nl = isotherm.At(nextL);
        const detail::Region3Point nv = isotherm.At(nextV);
        if (nl.dpdrho > 0 && nv.dpdrho > 0) {
          rhoL = nextL;
          rhoV = nextV;
          l = nl;
          v = nv;
          accepted = true;
          continue;
        }
      }
      stepL *= 0.5;
      stepV *= 0.5;
    }
    if (!accepted) return {};
  }
  if (residualsBelow(kAccepted)) return {isotherm.Props(rhoL), isotherm.Props(rhoV)};
  return {};
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
  return Saturation3(T).liquid;
}

FluidProps SaturatedVapour(double T) {
  if (!(T >= kTmin && T <= kTc)) return FluidProps{};
  if (T <= kT13) return Region2(T, SaturationPressure(T));
  return Saturation3(T).vapour;
}

}  // namespace tulo::iapws
