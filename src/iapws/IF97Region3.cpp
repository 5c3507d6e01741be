// IAPWS-IF97 region 3: the basic equation f(rho, T), Eq. 28, and the density at (T, p).

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "iapws/IF97.h"
#include "iapws/IF97Region3Backward.h"
#include "iapws/IF97Region3Internal.h"
#include "iapws/Series.h"

namespace tulo::iapws {
namespace detail {
namespace {

// IAPWS-IF97 (2012), Table 30: the coefficient n1 of the logarithmic term of Eq. 28 ...
constexpr double kN1 = 0.10658070028513e1;
// ... and terms i = 2 .. 40.
constexpr std::array<Term, 39> kTable30 = {{
    {0, 0, -0.15732845290239e2},     // 2
    {0, 1, 0.20944396974307e2},      // 3
    {0, 2, -0.76867707878716e1},     // 4
    {0, 7, 0.26185947787954e1},      // 5
    {0, 10, -0.28080781148620e1},    // 6
    {0, 12, 0.12053369696517e1},     // 7
    {0, 23, -0.84566812812502e-2},   // 8
    {1, 2, -0.12654315477714e1},     // 9
    {1, 6, -0.11524407806681e1},     // 10
    {1, 15, 0.88521043984318},       // 11
    {1, 17, -0.64207765181607},      // 12
    {2, 0, 0.38493460186671},        // 13
    {2, 2, -0.85214708824206},       // 14
    {2, 6, 0.48972281541877e1},      // 15
    {2, 7, -0.30502617256965e1},     // 16
    {2, 22, 0.39420536879154e-1},    // 17
    {2, 26, 0.12558408424308},       // 18
    {3, 0, -0.27999329698710},       // 19
    {3, 2, 0.13899799569460e1},      // 20
    {3, 4, -0.20189915023570e1},     // 21
    {3, 16, -0.82147637173963e-2},   // 22
    {3, 26, -0.47596035734923},      // 23
    {4, 0, 0.43984074473500e-1},     // 24
    {4, 2, -0.44476435428739},       // 25
    {4, 4, 0.90572070719733},        // 26
    {4, 26, 0.70522450087967},       // 27
    {5, 1, 0.10770512626332},        // 28
    {5, 3, -0.32913623258954},       // 29
    {5, 26, -0.50871062041158},      // 30
    {6, 0, -0.22175400873096e-1},    // 31
    {6, 2, 0.94260751665092e-1},     // 32
    {6, 26, 0.16436278447961},       // 33
    {7, 2, -0.13503372241348e-1},    // 34
    {8, 26, -0.14834345352472e-1},   // 35
    {9, 2, 0.57922953628084e-3},     // 36
    {9, 26, 0.32308904703711e-2},    // 37
    {10, 0, 0.80964802996215e-4},    // 38
    {10, 1, -0.16557679795037e-3},   // 39
    {11, 26, -0.44923899061815e-4},  // 40
}};

constexpr int kMaxJ = 26;

constexpr bool OrderedByI() {
  for (std::size_t k = 1; k < kTable30.size(); ++k) {
    if (kTable30[k].I < kTable30[k - 1].I) return false;
  }
  return kTable30.back().I < 12;
}
static_assert(OrderedByI(), "the isotherm sums Table 30 by runs of equal I");

// The search interval of the density, kg/m3. Region 3 spans about 100 to 800 kg/m3; the cap keeps
// delta^11 of Eq. 28 from running away on a wild step.
constexpr double kRhoMin = 1.0;
constexpr double kRhoMax = 1100.0;
constexpr int kMaxIterations = 100;
// Newton stops below this relative residual (a few ulps of the pressure sum) ...
constexpr double kTightResidual = 1e-15;
// ... and the answer is accepted at this one.
constexpr double kAcceptedResidual = 1e-12;
// A Newton step below this relative size is the last one.
constexpr double kFinalStep = 1e-13;

}  // namespace

Region3Isotherm::Region3Isotherm(double T) : T_(T), tau_(kTc / T) {
  // tau^j = tau^(j/2) tau^(j - j/2): a chain five products deep instead of 26. No zero-fill of
  // the arrays: every entry is written before it is read.
  std::array<double, kMaxJ + 1> tauPow;
  tauPow[0] = 1;
  tauPow[1] = tau_;
  for (int j = 2; j <= kMaxJ; ++j) tauPow[j] = tauPow[j / 2] * tauPow[j - j / 2];
  // Table 30 is ordered by I: each c_i is a sum over consecutive rows, kept in registers.
  std::size_t k = 0;
  for (int i = 0; i < kDeltaPowers; ++i) {
    double sum = 0, sumJ = 0, sumJJ = 0;
    for (; k < kTable30.size() && kTable30[k].I == i; ++k) {
      const Term& t = kTable30[k];
      const double term = t.n * tauPow[t.J];
      sum += term;
      sumJ += t.J * term;
      sumJJ += t.J * (t.J - 1) * term;
    }
    c_[i] = sum;
    cT_[i] = sumJ;
    cTT_[i] = sumJJ;
  }
}

Region3Point Region3Isotherm::At(double rho) const {
  const double delta = rho / kRhoc;
  // delta*phi_delta and delta^2*phi_deltadelta as polynomials in delta, by Horner.
  double dPhiD = 0, ddPhiDD = 0, phi = 0;
  for (int i = kDeltaPowers - 1; i >= 0; --i) {
    phi = phi * delta + c_[i];
    dPhiD = dPhiD * delta + i * c_[i];
    ddPhiDD = ddPhiDD * delta + i * (i - 1) * c_[i];
  }
  phi += kN1 * std::log(delta);
  dPhiD += kN1;
  ddPhiDD -= kN1;
  const double rt = kR * T_;  // kJ/kg
  Region3Point point;
  point.p = rho * rt * dPhiD * 1e-3;
  point.dpdrho = rt * (2 * dPhiD + ddPhiDD) * 1e-3;
  point.g = rt * (phi + dPhiD);
  return point;
}

FluidProps Region3Isotherm::Props(double rho) const {
  const double delta = rho / kRhoc;
  double phi = 0, dPhiD = 0, ddPhiDD = 0, tPhiT = 0, ttPhiTT = 0, dtPhiDT = 0;
  for (int i = kDeltaPowers - 1; i >= 0; --i) {
    phi = phi * delta + c_[i];
    dPhiD = dPhiD * delta + i * c_[i];
    ddPhiDD = ddPhiDD * delta + i * (i - 1) * c_[i];
    tPhiT = tPhiT * delta + cT_[i];
    ttPhiTT = ttPhiTT * delta + cTT_[i];
    dtPhiDT = dtPhiDT * delta + i * cT_[i];
  }
  phi += kN1 * std::log(delta);
  dPhiD += kN1;
  ddPhiDD -= kN1;

  // Table 31 with x = delta*phi_delta and y = delta*phi_delta - delta*tau*phi_deltatau.
  const double rt = kR * T_;
  const double x = dPhiD;
  const double y = dPhiD - dtPhiDT;
  const double z = 2 * dPhiD + ddPhiDD;  // (rho / (R T)) (dp/drho)_T
  FluidProps r;
  r.region = Region::k3;
  r.T = T_;
  r.rho = rho;
  r.v = 1 / rho;
  r.p = rho * rt * x * 1e-3;
  r.u = rt * tPhiT;
  r.h = rt * (tPhiT + x);
  r.s = kR * (tPhiT - phi);
  r.g = rt * (phi + x);
  r.cv = -kR * ttPhiTT;
  r.cp = r.cv + kR * y * y / z;
  // w^2 in m2/s2: R T in kJ/kg is 1000 times R T in J/kg.
  r.w = std::sqrt(1e3 * rt * (z - y * y / ttPhiTT));
  r.alphaV = y / (z * T_);
  r.kappaT = 1e3 / (rho * rt * z);
  return r;
}

double Region3Density(const Region3Isotherm& isotherm, double p, double rhoStart, Region3Branch branch) {
  // The bracket [lo, hi] always holds the answer. Below Tc the unstable part of the isotherm
  // surrounds the critical density, so the liquid lies above it and the vapour below.
  double lo = branch == Region3Branch::kLiquid ? kRhoc : kRhoMin;
  double hi = branch == Region3Branch::kVapour ? kRhoc : kRhoMax;
  double rho = rhoStart;
  if (!(rho > lo && rho < hi)) rho = 0.5 * (lo + hi);
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    const Region3Point point = isotherm.At(rho);
    const double residual = point.p - p;
    if (std::fabs(residual) <= kTightResidual * p) return rho;
    const bool stable = point.dpdrho > 0;
    // Where dp/drho <= 0 the point lies between the spinodals: the liquid is denser, the vapour
    // lighter. On a stable point the sign of the residual says on which side the answer is.
    const bool answerAbove = stable ? residual < 0 : branch != Region3Branch::kVapour;
    if (answerAbove) {
      lo = std::max(lo, rho);
    } else {
      hi = std::min(hi, rho);
    }
    double next = stable ? rho - residual / point.dpdrho : 0.5 * (lo + hi);
    const bool newton = next > lo && next < hi;
    if (!newton) next = 0.5 * (lo + hi);
    // A Newton correction this small leaves an error of its square: the answer, without another
    // evaluation that would only measure the rounding noise of the pressure sum.
    if (newton && std::fabs(next - rho) <= kFinalStep * rho && std::fabs(residual) <= kAcceptedResidual * p) {
      return next;
    }
    if (std::fabs(next - rho) <= 4 * std::numeric_limits<double>::epsilon() * rho) {
      const double last = isotherm.At(next).p - p;
      return std::fabs(last) <= kAcceptedResidual * p ? next : 0.0;
    }
    rho = next;
  }
  return std::fabs(isotherm.At(rho).p - p) <= kAcceptedResidual * p ? rho : 0.0;
}

}  // namespace detail

FluidProps Region3(double rho, double T) {
  if (!(rho > 0 && T > 0 && std::isfinite(rho) && std::isfinite(T))) return FluidProps{};
  return detail::Region3Isotherm(T).Props(rho);
}

FluidProps Region3TP(double T, double p) {
  if (!(T > 0 && p > 0 && std::isfinite(T) && std::isfinite(p))) return FluidProps{};
  detail::Region3Branch branch = detail::Region3Branch::kAny;
  if (T < kTc) {
    branch = p < SaturationPressure(T) ? detail::Region3Branch::kVapour : detail::Region3Branch::kLiquid;
  }
  const detail::Region3Isotherm isotherm(T);
  const double rho = detail::Region3Density(isotherm, p, 1 / detail::Region3BackwardVolume(T, p), branch);
  if (rho == 0) return FluidProps{};
  FluidProps r = isotherm.Props(rho);
  r.p = p;  // equal to the evaluated pressure within 1e-12
  return r;
}

}  // namespace tulo::iapws
