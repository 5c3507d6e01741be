// IAPWS-95, the ideal-gas part of the dimensionless Helmholtz energy: Eq. 6.5 of IAPWS R6-95(2018)
// with the coefficients of its Table 6.1 (n1 and n2 as revised in 2018 for the new R).

#include <cmath>

#include "iapws/Iapws95.h"

namespace tulo::iapws95 {
namespace {

// phi0 = ln delta + n1 + n2 tau + n3 ln tau + sum_{i=4..8} n_i ln(1 - exp(-gamma_i tau)).
constexpr double kN1 = -8.3204464837497;
constexpr double kN2 = 6.6832105275932;
constexpr double kN3 = 3.00632;

// Table 6.1, i = 4 .. 8: n_i, gamma_i.
struct EinsteinTerm {
  double n;
  double gamma;
};
constexpr EinsteinTerm kEinstein[] = {
    {0.012436, 1.28728967},  // 4
    {0.97315, 3.53734222},   // 5
    {1.27950, 7.74073708},   // 6
    {0.96956, 9.24437796},   // 7
    {0.24873, 27.5075105},   // 8
};

}  // namespace

Phi IdealPart(double delta, double tau) {
  Phi r;
  r.f = std::log(delta) + kN1 + kN2 * tau + kN3 * std::log(tau);
  r.d = 1.0 / delta;
  r.dd = -r.d * r.d;
  r.t = kN2 + kN3 / tau;
  r.tt = -kN3 / (tau * tau);
  for (const EinsteinTerm& term : kEinstein) {
    // e = exp(-gamma tau); d/dtau ln(1 - e) = gamma e / (1 - e) = gamma (1 / (1 - e) - 1).
    const double e = std::exp(-term.gamma * tau);
    const double oneMinus = 1.0 - e;
    const double ratio = e / oneMinus;
    r.f += term.n * std::log1p(-e);
    r.t += term.n * term.gamma * ratio;
    r.tt -= term.n * term.gamma * term.gamma * ratio / oneMinus;
  }
  return r;
}

}  // namespace tulo::iapws95
