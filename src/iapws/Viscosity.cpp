// IAPWS R12-08, viscosity of ordinary water substance: the industrial form (mu2 = 1) and the
// critical enhancement mu2 of the full form.

#include "iapws/Viscosity.h"

#include <cmath>

#include "iapws/TransportCritical.h"
#include "iapws/TransportResidual.h"

namespace tulo::iapws {
namespace {

// Reference constants of the release.
constexpr double kViscTStar = 647.096;  // K
constexpr double kViscRhoStar = 322.0;  // kg/m3
constexpr double kViscMuStar = 1.0e-6;  // Pa s

// R12-08 Table 1: dilute-gas term, mu0 = 100 sqrt(Tbar) / sum_i H_i / Tbar^i.
struct DiluteTerm {
  int i;
  double h;
};
constexpr DiluteTerm kDilute[] = {
    {0, 1.67752},
    {1, 2.20462},
    {2, 0.6366564},
    {3, -0.241605},
};

// R12-08 Table 2: residual term, mu1 = exp(rhobar sum_ij H_ij (1/Tbar - 1)^i (rhobar - 1)^j).
// The terms absent from the table are zero.
constexpr TransportTerm kResidual[] = {
    {0, 0, 5.20094e-1},  {1, 0, 8.50895e-2},  {2, 0, -1.08374},    {3, 0, -2.89555e-1}, {0, 1, 2.22531e-1},
    {1, 1, 9.99115e-1},  {2, 1, 1.88797},     {3, 1, 1.26613},     {5, 1, 1.20573e-1},  {0, 2, -2.81378e-1},
    {1, 2, -9.06851e-1}, {2, 2, -7.72479e-1}, {3, 2, -4.89837e-1}, {4, 2, -2.57040e-1}, {0, 3, 1.61913e-1},
    {1, 3, 2.57399e-1},  {0, 4, -3.25372e-2}, {3, 4, 6.98452e-2},  {4, 5, 8.72102e-3},  {3, 6, -4.35673e-3},
    {5, 6, -5.93264e-4},
};
constexpr int kMaxI = 5;
constexpr int kMaxJ = 6;

// R12-08 Table 3: critical-region constants (those of the correlation length in
// TransportCritical.cpp).
constexpr double kXMu = 0.068;
constexpr double kQCInverse = 1.9;  // nm
constexpr double kQDInverse = 1.1;  // nm
// Below this correlation length (nm) Y comes from its series, Eq. 15, where Eq. 16 would lose
// its digits to cancellation.
constexpr double kXiSeries = 0.3817016416;

// Y(xi) of Eqs. 15-19; xi in nm.
double CriticalY(double xi) {
  const double qc = xi / kQCInverse;  // q_C xi
  const double qd = xi / kQDInverse;  // q_D xi
  if (xi <= kXiSeries) return 0.2 * qc * std::pow(qd, 5) * (1.0 - qc + qc * qc - 765.0 / 504.0 * qd * qd);

  const double psiD = std::acos(1.0 / std::sqrt(1.0 + qd * qd));                         // Eq. 17
  const double w = std::sqrt(std::abs((qc - 1.0) / (qc + 1.0))) * std::tan(psiD / 2.0);  // Eq. 19
  const double l = qc > 1.0 ? std::log((1.0 + w) / (1.0 - w)) : 2.0 * std::atan(w);      // Eq. 18
  const double qc2 = qc * qc;
  return std::sin(3.0 * psiD) / 12.0 - std::sin(2.0 * psiD) / (4.0 * qc) +
         (1.0 - 1.25 * qc2) / qc2 * std::sin(psiD) -
         ((1.0 - 1.5 * qc2) * psiD - std::pow(std::abs(qc2 - 1.0), 1.5) * l) / (qc2 * qc);  // Eq. 16
}

}  // namespace

double Viscosity(double rho, double T) {
  const double tBar = T / kViscTStar;
  const double rhoBar = rho / kViscRhoStar;

  const double invT = 1.0 / tBar;
  const double invTPow[] = {1.0, invT, invT * invT, invT * invT * invT};
  double diluteSum = 0;
  for (const DiluteTerm& term : kDilute) diluteSum += term.h * invTPow[term.i];
  const double mu0 = 100.0 * std::sqrt(tBar) / diluteSum;

  const double mu1 = TransportResidualFactor<kMaxI, kMaxJ>(kResidual, invT, rhoBar);

  return mu0 * mu1 * kViscMuStar;
}

double ViscosityCriticalEnhancement(double rho, double T, double drhodp, double drhodpRef) {
  const double xi =
      CriticalCorrelationLength(rho / kViscRhoStar, T / kViscTStar, ReducedCompressibility(drhodp),
                                ReducedCompressibility(drhodpRef));  // Eqs. 20-21
  return std::exp(kXMu * CriticalY(xi));                             // Eq. 14
}

double ViscosityScientific(double rho, double T, double drhodp, double drhodpRef) {
  return Viscosity(rho, T) * ViscosityCriticalEnhancement(rho, T, drhodp, drhodpRef);
}

}  // namespace tulo::iapws
