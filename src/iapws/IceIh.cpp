// IAPWS R10-06(2009), Equation of State 2006 for H2O Ice Ih.
//
// g(T, p) = g0(p) - s0 Tt tau + Tt Re sum_k r_k [(t_k - tau) ln(t_k - tau) + (t_k + tau) ln(t_k + tau)
//                                                - 2 t_k ln t_k - tau^2 / t_k]
// with tau = T/Tt, g0(p) = sum_k g0k (pi - pi0)^k, r2(p) = sum_k r2k (pi - pi0)^k, pi = p/pt.
// Computed in the release's units (J/kg, Pa) and converted to the program's at the end.

#include "iapws/IceIh.h"

#include <complex>
#include <iterator>

namespace tulo::iapws {
namespace {

using Complex = std::complex<double>;

// R10-06 Table 1: the real constants.
constexpr double kIceTt = 273.16;                // K, triple-point temperature
constexpr double kIcePt = 611.657;               // Pa, triple-point pressure
constexpr double kIcePi0 = 101325.0 / 611.657;   // normal pressure over pt
constexpr double kIceS0 = -0.332733756492168e4;  // J/(kg K), absolute entropy constant
struct G0Term {
  int k;
  double g0k;  // J/kg
};
constexpr G0Term kG0[] = {
    {0, -0.632020233335886e6},  {1, 0.655022213658955},      {2, -0.189369929326131e-7},
    {3, 0.339746123271053e-14}, {4, -0.556464869058991e-21},
};

// R10-06 Table 2: the complex constants, r in J/(kg K).
constexpr Complex kT1{0.368017112855051e-1, 0.510878114959572e-1};
constexpr Complex kR1{0.447050716285388e2, 0.656876847463481e2};
constexpr Complex kT2{0.337315741065416, 0.335449415919309};
struct R2Term {
  int k;
  Complex r2k;  // J/(kg K)
};
constexpr R2Term kR2[] = {
    {0, {-0.725974574329220e2, -0.781008427112870e2}},
    {1, {-0.557107698030123e-4, 0.464578634580806e-4}},
    {2, {0.234801409215913e-10, -0.285651142904972e-10}},
};

// The bracket of Eq. 1 for one t_k and its first and second tau derivatives.
struct Bracket {
  Complex f, fTau, fTauTau;
};

// Below |tau/t| = 0.1 (T < 1.6 K for t1, 9 K for t2) the bracket is the difference of nearly equal
// logarithms and its second derivative 1/(t - tau) + 1/(t + tau) - 2/t cancels to the noise, which
// would leave cp and the isentropic compressibility meaningless near 0 K. There the bracket comes
// from its Taylor series in x = tau/t, exact to the last bit after a few terms:
//   f = t sum_{n>=2} x^2n / (n (2n-1)),  f_tau = 2 sum_{n>=2} x^(2n-1) / (2n-1),  f_tautau = (2/t) x^2 / (1 -
//   x^2).
constexpr double kSeriesLimit = 0.1;
constexpr int kSeriesTerms = 10;  // x^20 < 1e-20

Bracket LogBracket(Complex t, double tau) {
  const Complex x = tau / t;
  Bracket b;
  if (std::abs(x) < kSeriesLimit) {
    const Complex x2 = x * x;
    Complex xPow = x2 * x;  // x^(2n-1) for n = 2
    Complex f{0, 0}, fTau{0, 0};
    for (int n = 2; n < 2 + kSeriesTerms; ++n) {
      const double odd = 2.0 * n - 1.0;
      fTau += xPow / odd;
      f += xPow * x / (n * odd);
      xPow *= x2;
    }
    b.f = t * f;
    b.fTau = 2.0 * fTau;
    b.fTauTau = 2.0 / t * x2 / (1.0 - x2);
    return b;
  }
  const Complex minus = t - tau;
  const Complex plus = t + tau;
  const Complex lnMinus = std::log(minus);
  const Complex lnPlus = std::log(plus);
  b.f = minus * lnMinus + plus * lnPlus - 2.0 * t * std::log(t) - tau * tau / t;
  b.fTau = -lnMinus + lnPlus - 2.0 * tau / t;
  b.fTauTau = 1.0 / minus + 1.0 / plus - 2.0 / t;
  return b;
}

}  // namespace

IceGibbsDerivatives IceGibbs(double T, double p) {
  const double tau = T / kIceTt;
  const double dPi = p * 1e6 / kIcePt - kIcePi0;

  // g0 and its first two pi derivatives by Horner's scheme over the rows of Table 1.
  double g0 = 0, g0Pi = 0, g0PiPi = 0;
  for (int i = static_cast<int>(std::size(kG0)) - 1; i >= 0; --i) {
    const G0Term& term = kG0[i];
    g0 = g0 * dPi + term.g0k;
    if (term.k >= 1) g0Pi = g0Pi * dPi + term.k * term.g0k;
    if (term.k >= 2) g0PiPi = g0PiPi * dPi + term.k * (term.k - 1) * term.g0k;
  }
  Complex r2{0, 0}, r2Pi{0, 0}, r2PiPi{0, 0};
  for (int i = static_cast<int>(std::size(kR2)) - 1; i >= 0; --i) {
    const R2Term& term = kR2[i];
    r2 = r2 * dPi + term.r2k;
    if (term.k >= 1) r2Pi = r2Pi * dPi + static_cast<double>(term.k) * term.r2k;
    if (term.k >= 2) r2PiPi = r2PiPi * dPi + static_cast<double>(term.k * (term.k - 1)) * term.r2k;
  }

  const Bracket b1 = LogBracket(kT1, tau);
  const Bracket b2 = LogBracket(kT2, tau);
  constexpr double kInvPt = 1.0 / kIcePt;

  IceGibbsDerivatives d;
  d.g = g0 - kIceS0 * kIceTt * tau + kIceTt * (kR1 * b1.f + r2 * b2.f).real();
  d.gT = -kIceS0 + (kR1 * b1.fTau + r2 * b2.fTau).real();
  d.gp = g0Pi * kInvPt + kIceTt * kInvPt * (r2Pi * b2.f).real();
  d.gTT = (kR1 * b1.fTauTau + r2 * b2.fTauTau).real() / kIceTt;
  d.gTp = kInvPt * (r2Pi * b2.fTau).real();
  d.gpp = kInvPt * kInvPt * (g0PiPi + kIceTt * (r2PiPi * b2.f).real());
  return d;
}

IceProps Ice(double T, double p) {
  const IceGibbsDerivatives d = IceGibbs(T, p);
  const double pPa = p * 1e6;
  IceProps ice;
  ice.T = T;
  ice.p = p;
  ice.v = d.gp;
  ice.rho = 1.0 / d.gp;
  ice.g = d.g * 1e-3;
  ice.f = (d.g - pPa * d.gp) * 1e-3;
  ice.h = (d.g - T * d.gT) * 1e-3;
  ice.u = (d.g - T * d.gT - pPa * d.gp) * 1e-3;
  ice.s = -d.gT * 1e-3;
  ice.cp = -T * d.gTT * 1e-3;
  ice.alpha = d.gTp / d.gp;
  ice.beta = -d.gTp / d.gpp * 1e-6;
  ice.kappaT = -d.gpp / d.gp * 1e6;
  // kappaS = kappaT - T v alpha^2 / cp, written with g_TT in the denominator only where it is
  // nonzero: near 0 K both g_TT and g_Tp vanish and kappaS tends to kappaT.
  ice.kappaS = ice.kappaT;
  if (d.gTT != 0) ice.kappaS += d.gTp * d.gTp / (d.gp * d.gTT) * 1e6;
  return ice;
}

}  // namespace tulo::iapws
