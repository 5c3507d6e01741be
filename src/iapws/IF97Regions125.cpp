// IAPWS-IF97 regions 1, 2 and 5 (basic equations for the Gibbs free energy g(p, T)) and the B23
// boundary between regions 2 and 3. Coefficients from IAPWS R7-97(2012); table numbers as there.

// The vectors of four doubles below pass between functions of this file alone (all of internal
// linkage), so the note that their passing differs with and without AVX concerns no interface.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "iapws/IF97.h"
#include "iapws/Series.h"

namespace tulo::iapws {
namespace {

// ---- Region 1: Eq. 7, gamma(pi, tau) = sum n (7.1 - pi)^I (tau - 1.222)^J ------------------------
// Table 2: coefficients and exponents of the dimensionless Gibbs free energy for region 1.
constexpr std::array<Term, 34> kRegion1 = {{
    {0, -2, 0.14632971213167},         // 1
    {0, -1, -0.84548187169114},        // 2
    {0, 0, -0.37563603672040e1},       // 3
    {0, 1, 0.33855169168385e1},        // 4
    {0, 2, -0.95791963387872},         // 5
    {0, 3, 0.15772038513228},          // 6
    {0, 4, -0.16616417199501e-1},      // 7
    {0, 5, 0.81214629983568e-3},       // 8
    {1, -9, 0.28319080123804e-3},      // 9
    {1, -7, -0.60706301565874e-3},     // 10
    {1, -1, -0.18990068218419e-1},     // 11
    {1, 0, -0.32529748770505e-1},      // 12
    {1, 1, -0.21841717175414e-1},      // 13
    {1, 3, -0.52838357969930e-4},      // 14
    {2, -3, -0.47184321073267e-3},     // 15
    {2, 0, -0.30001780793026e-3},      // 16
    {2, 1, 0.47661393906987e-4},       // 17
    {2, 3, -0.44141845330846e-5},      // 18
    {2, 17, -0.72694996297594e-15},    // 19
    {3, -4, -0.31679644845054e-4},     // 20
    {3, 0, -0.28270797985312e-5},      // 21
    {3, 6, -0.85205128120103e-9},      // 22
    {4, -5, -0.22425281908000e-5},     // 23
    {4, -2, -0.65171222895601e-6},     // 24
    {4, 10, -0.14341729937924e-12},    // 25
    {5, -8, -0.40516996860117e-6},     // 26
    {8, -11, -0.12734301741641e-8},    // 27
    {8, -6, -0.17424871230634e-9},     // 28
    {21, -29, -0.68762131295531e-18},  // 29
    {23, -31, 0.14478307828521e-19},   // 30
    {29, -38, 0.26335781662795e-22},   // 31
    {30, -39, -0.11947622640071e-22},  // 32
    {31, -40, 0.18228094581404e-23},   // 33
    {32, -41, -0.93537087292458e-25},  // 34
}};

// ---- Region 2: Eq. 15, gamma = gamma0(pi, tau) + gammar(pi, tau) ------------------------------
// Table 10: the ideal-gas part, gamma0 = ln pi + sum n0 tau^J0.
constexpr std::array<TermJ, 9> kRegion2Ideal = {{
    {0, -0.96927686500217e1},    // 1
    {1, 0.10086655968018e2},     // 2
    {-5, -0.56087911283020e-2},  // 3
    {-4, 0.71452738081455e-1},   // 4
    {-3, -0.40710498223928},     // 5
    {-2, 0.14240819171444e1},    // 6
    {-1, -0.43839511319450e1},   // 7
    {2, -0.28408632460772},      // 8
    {3, 0.21268463753307e-1},    // 9
}};

// Table 11: the residual part, gammar = sum n pi^I (tau - 0.5)^J.
constexpr std::array<Term, 43> kRegion2Residual = {{
    {1, 0, -0.17731742473213e-2},     // 1
    {1, 1, -0.17834862292358e-1},     // 2
    {1, 2, -0.45996013696365e-1},     // 3
    {1, 3, -0.57581259083432e-1},     // 4
    {1, 6, -0.50325278727930e-1},     // 5
    {2, 1, -0.33032641670203e-4},     // 6
    {2, 2, -0.18948987516315e-3},     // 7
    {2, 4, -0.39392777243355e-2},     // 8
    {2, 7, -0.43797295650573e-1},     // 9
    {2, 36, -0.26674547914087e-4},    // 10
    {3, 0, 0.20481737692309e-7},      // 11
    {3, 1, 0.43870667284435e-6},      // 12
    {3, 3, -0.32277677238570e-4},     // 13
    {3, 6, -0.15033924542148e-2},     // 14
    {3, 35, -0.40668253562649e-1},    // 15
    {4, 1, -0.78847309559367e-9},     // 16
    {4, 2, 0.12790717852285e-7},      // 17
    {4, 3, 0.48225372718507e-6},      // 18
    {5, 7, 0.22922076337661e-5},      // 19
    {6, 3, -0.16714766451061e-10},    // 20
    {6, 16, -0.21171472321355e-2},    // 21
    {6, 35, -0.23895741934104e2},     // 22
    {7, 0, -0.59059564324270e-17},    // 23
    {7, 11, -0.12621808899101e-5},    // 24
    {7, 25, -0.38946842435739e-1},    // 25
    {8, 8, 0.11256211360459e-10},     // 26
    {8, 36, -0.82311340897998e1},     // 27
    {9, 13, 0.19809712802088e-7},     // 28
    {10, 4, 0.10406965210174e-18},    // 29
    {10, 10, -0.10234747095929e-12},  // 30
    {10, 14, -0.10018179379511e-8},   // 31
    {16, 29, -0.80882908646985e-10},  // 32
    {16, 50, 0.10693031879409},       // 33
    {18, 57, -0.33662250574171},      // 34
    {20, 20, 0.89185845355421e-24},   // 35
    {20, 35, 0.30629316876232e-12},   // 36
    {20, 48, -0.42002467698208e-5},   // 37
    {21, 21, -0.59056029685639e-25},  // 38
    {22, 53, 0.37826947613457e-5},    // 39
    {23, 39, -0.12768608934681e-14},  // 40
    {24, 26, 0.73087610595061e-28},   // 41
    {24, 40, 0.55414715350778e-16},   // 42
    {24, 58, -0.94369707241210e-6},   // 43
}};

// ---- Region 5: Eq. 32, gamma = gamma0(pi, tau) + gammar(pi, tau) ------------------------------
// Table 37: the ideal-gas part, gamma0 = ln pi + sum n0 tau^J0.
constexpr std::array<TermJ, 6> kRegion5Ideal = {{
    {0, -0.13179983674201e2},    // 1
    {1, 0.68540841634434e1},     // 2
    {-3, -0.24805148933466e-1},  // 3
    {-2, 0.36901534980333},      // 4
    {-1, -0.31161318213925e1},   // 5
    {2, -0.32961626538917},      // 6
}};

// Table 38: the residual part, gammar = sum n pi^I tau^J.
constexpr std::array<Term, 6> kRegion5Residual = {{
    {1, 1, 0.15736404855259e-2},   // 1
    {1, 2, 0.90153761673944e-3},   // 2
    {1, 3, -0.50270077677648e-2},  // 3
    {2, 3, 0.22440037409485e-5},   // 4
    {2, 9, -0.41163275453471e-5},  // 5
    {3, 7, 0.37919454822955e-7},   // 6
}};

constexpr auto kRegion2IdealTerms = AsTerms(kRegion2Ideal);
constexpr auto kRegion5IdealTerms = AsTerms(kRegion5Ideal);

// ---- B23: Eqs. 5 and 6 -----------------------------------------------------------------------
// Table 1: n1 .. n5 of the B23 equation (pi = p / 1 MPa, theta = T / 1 K).
constexpr std::array<double, 5> kB23 = {
    0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2,  // n1 .. n3
    0.57254459862746e3, 0.13918839778870e2,                        // n4, n5
};

// The dimensionless Gibbs free energy gamma(pi, tau) and its derivatives, each scaled to be
// dimensionless in the combination the property relations use: pi gamma_pi, pi^2 gamma_pipi,
// tau gamma_tau, tau^2 gamma_tautau and pi tau gamma_pitau. The ideal-gas parts of regions 2 and
// 5 then add exactly 1 and -1 to the pi-terms.
struct Gibbs {
  double gamma;
  double piGammaPi;
  double pi2GammaPiPi;
  double tauGammaTau;
  double tau2GammaTauTau;
  double piTauGammaPiTau;
};

// Every property of the state from the derivatives of gamma: Table 3 (region 1), Table 12
// (region 2) and Table 39 (region 5) relations; alphaV and kappaT from v(p, T) differentiated.
FluidProps FromGibbs(Region region, double T, double p, const Gibbs& d) {
  const double rt = kR * T;  // kJ/kg
  FluidProps props;
  props.region = region;
  props.T = T;
  props.p = p;
  props.v = rt * d.piGammaPi / (1000.0 * p);  // kJ/kg per MPa is 1e-3 m3/kg
  props.rho = 1.0 / props.v;
  props.h = rt * d.tauGammaTau;
  props.u = rt * (d.tauGammaTau - d.piGammaPi);
  props.s = kR * (d.tauGammaTau - d.gamma);
  props.g = rt * d.gamma;
  props.cp = -kR * d.tau2GammaTauTau;
  const double a = d.piGammaPi - d.piTauGammaPiTau;  // pi (gamma_pi - tau gamma_pitau)
  props.cv = kR * (a * a / d.pi2GammaPiPi - d.tau2GammaTauTau);
  props.w = std::sqrt(1000.0 * rt * d.piGammaPi * d.piGammaPi / (a * a / d.tau2GammaTauTau - d.pi2GammaPiPi));
  props.alphaV = (1.0 - d.piTauGammaPiTau / d.piGammaPi) / T;
  props.kappaT = -d.pi2GammaPiPi / (d.piGammaPi * p);
  return props;
}

// The derivatives of gamma that h, s, cp and rho need: gamma, tau gamma_tau, tau^2 gamma_tautau
// and pi gamma_pi, formed as in Gibbs (each from the same sums), so the values below are bitwise
// those of FromGibbs. V is double, or a vector of doubles for several states at once (Lanes).
template <class V>
struct CaloricGibbs {
  V gamma{};
  V tauGammaTau{};
  V tau2GammaTauTau{};
  V piGammaPi{};
};

// The same fields as CaloricProps for V.
template <class V>
struct CaloricOf {
  V h{}, s{}, cp{}, rho{};
};

constexpr bool Asks(unsigned which, Caloric part) {
  return (which & static_cast<unsigned>(part)) != 0;
}

// The derivatives of the series that kWhich (bits of Caloric) asks for: in tau for h, s and cp,
// in pi for rho.
constexpr SeriesOrder LeanOrder(unsigned which) {
  const bool s = Asks(which, Caloric::kS);
  const bool tau = s || Asks(which, Caloric::kH);
  unsigned order = 0;
  if (s) order |= static_cast<unsigned>(SeriesOrder::kValue);
  if (tau) order |= static_cast<unsigned>(SeriesOrder::kDy);
  if (Asks(which, Caloric::kCp)) order |= static_cast<unsigned>(SeriesOrder::kDyy);
  if (Asks(which, Caloric::kRho)) order |= static_cast<unsigned>(SeriesOrder::kDx);
  return static_cast<SeriesOrder>(order);
}

template <unsigned kWhich, class V>
CaloricOf<V> FromCaloricGibbs(V T, V p, const CaloricGibbs<V>& d) {
  CaloricOf<V> props;
  if constexpr (Asks(kWhich, Caloric::kH)) props.h = kR * T * d.tauGammaTau;
  if constexpr (Asks(kWhich, Caloric::kS)) props.s = kR * (d.tauGammaTau - d.gamma);
  if constexpr (Asks(kWhich, Caloric::kCp)) props.cp = -kR * d.tau2GammaTauTau;
  if constexpr (Asks(kWhich, Caloric::kRho)) props.rho = 1.0 / (kR * T * d.piGammaPi / (1000.0 * p));
  return props;
}

// ln x, lane by lane for a vector (std::log itself in each lane).
inline double Log(double x) {
  return std::log(x);
}
template <class V>
V Log(V x) {
  for (int lane = 0; lane < static_cast<int>(sizeof(V) / sizeof(double)); ++lane) x[lane] = std::log(x[lane]);
  return x;
}

// Regions 2 and 5: ln pi + ideal series in tau, plus the residual series in pi and tau - tauShift.
template <const auto& kIdeal, const auto& kResidual>
Gibbs IdealPlusResidual(double pi, double tau, double tauShift) {
  const SeriesDerivatives i = EvaluateSeries<kIdeal, SeriesOrder::kSecond>(1.0, tau);
  const SeriesDerivatives r = EvaluateSeries<kResidual, SeriesOrder::kSecond>(pi, tau - tauShift);
  return Gibbs{
      .gamma = std::log(pi) + i.f + r.f,
      .piGammaPi = 1.0 + pi * r.fx,
      .pi2GammaPiPi = -1.0 + pi * pi * r.fxx,
      .tauGammaTau = tau * (i.fy + r.fy),
      .tau2GammaTauTau = tau * tau * (i.fyy + r.fyy),
      .piTauGammaPiTau = pi * tau * r.fxy,
  };
}

// The same for h, s, cp or rho alone: only the derivatives asked, no ln pi unless s is asked.
// (p* = 1 MPa in both regions: pi is p.)
template <const auto& kIdeal, const auto& kResidual, unsigned kWhich, class V>
CaloricOf<V> IdealPlusResidualCaloric(V T, V pi, V tau, double tauShift) {
  constexpr SeriesOrder kOrder = LeanOrder(kWhich);
  const SeriesDerivativesOf<V> i = EvaluateSeries<kIdeal, kOrder, V>(V{} + 1.0, tau);
  const SeriesDerivativesOf<V> r = EvaluateSeries<kResidual, kOrder, V>(pi, tau - tauShift);
  CaloricGibbs<V> d;
  if constexpr (Has(kOrder, SeriesOrder::kValue)) d.gamma = Log(pi) + i.f + r.f;
  d.tauGammaTau = tau * (i.fy + r.fy);
  d.tau2GammaTauTau = tau * tau * (i.fyy + r.fyy);
  d.piGammaPi = 1.0 + pi * r.fx;
  return FromCaloricGibbs<kWhich>(T, pi, d);
}

template <unsigned kWhich>
struct Region1Eval {
  template <class V>
  static CaloricOf<V> At(V T, V p) {
    const V pi = p / 16.53;
    const V tau = 1386.0 / T;
    const SeriesDerivativesOf<V> d = EvaluateSeries<kRegion1, LeanOrder(kWhich), V>(7.1 - pi, tau - 1.222);
    return FromCaloricGibbs<kWhich>(T, p, CaloricGibbs<V>{d.f, tau * d.fy, tau * tau * d.fyy, -pi * d.fx});
  }
};
template <unsigned kWhich>
struct Region2Eval {
  template <class V>
  static CaloricOf<V> At(V T, V p) {
    return IdealPlusResidualCaloric<kRegion2IdealTerms, kRegion2Residual, kWhich>(T, p, 540.0 / T, 0.5);
  }
};
template <unsigned kWhich>
struct Region5Eval {
  template <class V>
  static CaloricOf<V> At(V T, V p) {
    return IdealPlusResidualCaloric<kRegion5IdealTerms, kRegion5Residual, kWhich>(T, p, 1000.0 / T, 0.0);
  }
};

// The sets of Caloric bits as numbers.
constexpr unsigned kH = static_cast<unsigned>(Caloric::kH), kS = static_cast<unsigned>(Caloric::kS),
                   kCp = static_cast<unsigned>(Caloric::kCp), kRho = static_cast<unsigned>(Caloric::kRho);
constexpr unsigned kAllCaloric = kH | kS | kCp | kRho;

// `visit` called with `which` as a constant when it is one of kSets, each its own instance; with
// all four for any other set.
template <unsigned... kSets, class Visit>
void WithCaloric(Caloric which, Visit visit) {
  const auto bits = static_cast<unsigned>(which);
  const bool done = ((bits == kSets && (visit(std::integral_constant<unsigned, kSets>{}), true)) || ...);
  if (!done) visit(std::integral_constant<unsigned, kAllCaloric>{});
}

// The sets the pair solutions ask of one state (IF97Pairs.cpp).
template <template <unsigned> class Eval>
CaloricProps CaloricAt(Caloric which, double T, double p) {
  CaloricProps props;
  WithCaloric<kH, kH | kCp, kS | kCp>(which, [&](auto bits) {
    const CaloricOf<double> c = Eval<bits()>::At(T, p);
    props = {c.h, c.s, c.cp, c.rho};
  });
  return props;
}

// Four states at a time: GCC's vector of four doubles, which the compiler lays on two SSE2
// registers or, in the AVX2 clone of the loops below, one AVX register. Each lane does the double
// path's operations in its order (IEEE, no contraction: neither the baseline nor the AVX2 target
// has fused multiply-add), so the values are bitwise those of the states one by one.
#if defined(__GNUC__) && defined(__x86_64__)
#define TULO_IF97_LANES 1
using Lanes = double __attribute__((vector_size(4 * sizeof(double))));
constexpr std::size_t kLanes = 4;
#endif
// GCC builds each loop twice, for the baseline and for AVX2 (without FMA), with everything it
// calls inlined, and picks one when the program starts by what the processor has.
#if defined(TULO_IF97_LANES) && !defined(__clang__)
#define TULO_IF97_CLONES __attribute__((target_clones("avx2", "default"), flatten))
#else
#define TULO_IF97_CLONES
#endif

// The loop of the arrays: the instance chosen once, then inlined into the loop over the states.
template <template <unsigned> class Eval>
inline void CaloricLoop(std::span<const double> T, std::span<const double> p, Caloric which,
                        const CaloricArrays& out) {
  // The sets the arrays are asked for (h alone; h, s and rho), the rest by the instance of all
  // four, which computes more than asked: only what is asked is put.
  const auto asked = static_cast<unsigned>(which);
  WithCaloric<kH, kH | kS | kRho>(which, [&](auto bits) {
    constexpr unsigned kWhich = bits();
    auto put = [&](std::size_t i, double h, double s, double cp, double rho) {
      if (Asks(kWhich & asked, Caloric::kH)) out.h[i] = h;
      if (Asks(kWhich & asked, Caloric::kS)) out.s[i] = s;
      if (Asks(kWhich & asked, Caloric::kCp)) out.cp[i] = cp;
      if (Asks(kWhich & asked, Caloric::kRho)) out.rho[i] = rho;
    };
    std::size_t i = 0;
#ifdef TULO_IF97_LANES
    for (; i + kLanes <= T.size(); i += kLanes) {
      Lanes t, pressure;
      std::memcpy(&t, &T[i], sizeof t);
      std::memcpy(&pressure, &p[i], sizeof pressure);
      const CaloricOf<Lanes> c = Eval<kWhich>::At(t, pressure);
      for (std::size_t lane = 0; lane < kLanes; ++lane)
        put(i + lane, c.h[lane], c.s[lane], c.cp[lane], c.rho[lane]);
    }
#endif
    for (; i < T.size(); ++i) {
      const CaloricOf<double> c = Eval<kWhich>::At(T[i], p[i]);
      put(i, c.h, c.s, c.cp, c.rho);
    }
  });
}

}  // namespace

FluidProps Region1(double T, double p) {
  const double pi = p / 16.53;    // p* = 16.53 MPa
  const double tau = 1386.0 / T;  // T* = 1386 K
  // The series is in x = 7.1 - pi and y = tau - 1.222: d/dpi = -d/dx.
  const SeriesDerivatives d = EvaluateSeries<kRegion1, SeriesOrder::kSecond>(7.1 - pi, tau - 1.222);
  return FromGibbs(Region::k1, T, p,
                   Gibbs{
                       .gamma = d.f,
                       .piGammaPi = -pi * d.fx,
                       .pi2GammaPiPi = pi * pi * d.fxx,
                       .tauGammaTau = tau * d.fy,
                       .tau2GammaTauTau = tau * tau * d.fyy,
                       .piTauGammaPiTau = -pi * tau * d.fxy,
                   });
}

FluidProps Region2(double T, double p) {
  const double tau = 540.0 / T;  // T* = 540 K, p* = 1 MPa
  return FromGibbs(Region::k2, T, p, IdealPlusResidual<kRegion2IdealTerms, kRegion2Residual>(p, tau, 0.5));
}

FluidProps Region5(double T, double p) {
  const double tau = 1000.0 / T;  // T* = 1000 K, p* = 1 MPa
  return FromGibbs(Region::k5, T, p, IdealPlusResidual<kRegion5IdealTerms, kRegion5Residual>(p, tau, 0.0));
}

CaloricProps Region1Caloric(double T, double p, Caloric which) {
  return CaloricAt<Region1Eval>(which, T, p);
}

CaloricProps Region2Caloric(double T, double p, Caloric which) {
  return CaloricAt<Region2Eval>(which, T, p);
}

CaloricProps Region5Caloric(double T, double p, Caloric which) {
  return CaloricAt<Region5Eval>(which, T, p);
}

TULO_IF97_CLONES void Region1CaloricArrays(std::span<const double> T, std::span<const double> p,
                                           Caloric which, const CaloricArrays& out) {
  CaloricLoop<Region1Eval>(T, p, which, out);
}

TULO_IF97_CLONES void Region2CaloricArrays(std::span<const double> T, std::span<const double> p,
                                           Caloric which, const CaloricArrays& out) {
  CaloricLoop<Region2Eval>(T, p, which, out);
}

TULO_IF97_CLONES void Region5CaloricArrays(std::span<const double> T, std::span<const double> p,
                                           Caloric which, const CaloricArrays& out) {
  CaloricLoop<Region5Eval>(T, p, which, out);
}

double B23Pressure(double T) {
  return kB23[0] + kB23[1] * T + kB23[2] * T * T;
}

double B23Temperature(double p) {
  // Eq. 6 has no real solution below n5 = 13.9 MPa, far below the boundary's range (16.53 MPa at
  // 623.15 K up to 100 MPa); there the curve's vertex n4 = 572.5 K stands for "below 623.15 K".
  if (p <= kB23[4]) return kB23[3];
  return kB23[3] + std::sqrt((p - kB23[4]) / kB23[2]);
}

}  // namespace tulo::iapws
