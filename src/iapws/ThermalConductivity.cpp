// IAPWS R15-11, thermal conductivity of ordinary water substance, industrial form.

#include "iapws/ThermalConductivity.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "iapws/TransportCritical.h"
#include "iapws/TransportResidual.h"

namespace tulo::iapws {
namespace {

// Reference constants of the release.
constexpr double kCondTStar = 647.096;    // K
constexpr double kCondRhoStar = 322.0;    // kg/m3
constexpr double kCondPStar = 22.064;     // MPa
constexpr double kCondLambdaStar = 1e-3;  // W/(m K)
constexpr double kCondMuStar = 1e-6;      // Pa s
constexpr double kCondR = 0.46151805;     // kJ/(kg K), the gas constant of the reduced cp

// R15-11 Table 1: lambda0 = sqrt(Tbar) / sum_k L_k / Tbar^k.
struct DiluteTerm {
  int k;
  double l;
};
constexpr DiluteTerm kDilute[] = {
    {0, 2.443221e-3}, {1, 1.323095e-2}, {2, 6.770357e-3}, {3, -3.454586e-3}, {4, 4.096266e-4},
};

// R15-11 Table 2: lambda1 = exp(rhobar sum_ij L_ij (1/Tbar - 1)^i (rhobar - 1)^j). L_34 and L_35
// are zero.
constexpr TransportTerm kResidual[] = {
    {0, 0, 1.60397357},    {0, 1, -0.646013523},  {0, 2, 0.111443906},  {0, 3, 0.102997357},
    {0, 4, -0.0504123634}, {0, 5, 0.00609859258}, {1, 0, 2.33771842},   {1, 1, -2.78843778},
    {1, 2, 1.53616167},    {1, 3, -0.463045512},  {1, 4, 0.0832827019}, {1, 5, -0.00719201245},
    {2, 0, 2.19650529},    {2, 1, -4.54580785},   {2, 2, 3.55777244},   {2, 3, -1.40944978},
    {2, 4, 0.275418278},   {2, 5, -0.0205938816}, {3, 0, -1.21051378},  {3, 1, 1.60812989},
    {3, 2, -0.621178141},  {3, 3, 0.0716373224},  {4, 0, -2.7203370},   {4, 1, 4.57586331},
    {4, 2, -3.18369245},   {4, 3, 1.1168348},     {4, 4, -0.19268305},  {4, 5, 0.012913842},
};
constexpr int kMaxI = 4;
constexpr int kMaxJ = 5;

// R15-11 Table 3: critical-region constants (those of the correlation length in
// TransportCritical.cpp).
constexpr double kLambda = 177.8514;
constexpr double kQDInverse = 0.40;  // nm
constexpr double kYMin = 1.2e-7;     // below it Z = 0 (Eq. 19 loses its digits)

// R15-11 Table 6: 1/zeta(T_R, rhobar) = sum_i A_ij rhobar^i, one column j per density range
// rhobar <= rhoBarMax. The last column has no upper bound.
struct ZetaColumn {
  int j;
  double rhoBarMax;
  double a[6];  // A_0j .. A_5j
};
constexpr ZetaColumn kZeta[] = {
    {0,
     0.310559006,
     {6.53786807199516, -5.61149954923348, 3.39624167361325, -2.27492629730878, 10.2631854662709,
      1.97815050331519}},
    {1,
     0.776397516,
     {6.52717759281799, -6.30816983387575, 8.08379285492595, -9.82240510197603, 12.1358413791395,
      -5.54349664571295}},
    {2,
     1.242236025,
     {5.35500529896124, -3.96415689925446, 8.91990208918795, -12.0338729505790, 9.19494865194302,
      -2.16866274479712}},
    {3,
     1.863354037,
     {1.55225959906681, 0.464621290821181, 8.93237374861479, -11.0321960061126, 6.16780999933360,
      -0.965458722086812}},
    {4,
     std::numeric_limits<double>::infinity(),
     {1.11999926419994, 0.595748562571649, 9.88952565078920, -10.3255051147040, 4.66861294457414,
      -0.503243546373828}},
};

// The reduced reference compressibility zeta(T_R, rhobar) of Table 6.
double ReferenceZeta(double rhoBar) {
  const ZetaColumn* column = &kZeta[0];
  while (rhoBar > column->rhoBarMax) ++column;
  double inverse = 0;
  for (int i = 5; i >= 0; --i) inverse = inverse * rhoBar + column->a[i];
  return 1.0 / inverse;
}

// lambda2 of Eqs. 18-22, W/(m K), with the reduced compressibility at (rho, T_R) given.
double CriticalEnhancement(const ConductivityState& state, double zetaRef) {
  const double tBar = state.T / kCondTStar;
  const double rhoBar = state.rho / kCondRhoStar;
  // Eqs. 20-22: y = q_D xi.
  const double xi = CriticalCorrelationLength(rhoBar, tBar, ReducedCompressibility(state.drhodp), zetaRef);
  const double y = xi / kQDInverse;
  if (y < kYMin) return 0.0;

  const double invKappa = state.cv / state.cp;
  const double z = 2.0 / (std::numbers::pi * y) *
                   (((1.0 - invKappa) * std::atan(y) + invKappa * y) -
                    (1.0 - std::exp(-1.0 / (1.0 / y + y * y / (3.0 * rhoBar * rhoBar)))));  // Eq. 19
  const double cpBar = state.cp / kCondR;
  const double muBar = state.mu / kCondMuStar;
  return kLambda * rhoBar * cpBar * tBar / muBar * z * kCondLambdaStar;  // Eq. 18
}

}  // namespace

double ThermalConductivityBackground(double rho, double T) {
  const double tBar = T / kCondTStar;
  const double rhoBar = rho / kCondRhoStar;
  const double invT = 1.0 / tBar;

  double invTPow[5] = {1.0};
  for (int k = 1; k < 5; ++k) invTPow[k] = invTPow[k - 1] * invT;
  double diluteSum = 0;
  for (const DiluteTerm& term : kDilute) diluteSum += term.l * invTPow[term.k];
  const double lambda0 = std::sqrt(tBar) / diluteSum;

  const double lambda1 = TransportResidualFactor<kMaxI, kMaxJ>(kResidual, invT, rhoBar);

  return lambda0 * lambda1 * kCondLambdaStar;
}

double ConductivityReferenceDrhoDp(double rho) {
  return ReferenceZeta(rho / kCondRhoStar) * kCondRhoStar / kCondPStar;
}

double ThermalConductivityCriticalEnhancement(const ConductivityState& state) {
  return CriticalEnhancement(state, ReferenceZeta(state.rho / kCondRhoStar));
}

double ThermalConductivityCriticalEnhancement(const ConductivityState& state, double drhodpRef) {
  return CriticalEnhancement(state, ReducedCompressibility(drhodpRef));
}

double ThermalConductivity(const ConductivityState& state) {
  return ThermalConductivityBackground(state.rho, state.T) + ThermalConductivityCriticalEnhancement(state);
}

double ThermalConductivityScientific(const ConductivityState& state, double drhodpRef) {
  return ThermalConductivityBackground(state.rho, state.T) +
         ThermalConductivityCriticalEnhancement(state, drhodpRef);
}

}  // namespace tulo::iapws
