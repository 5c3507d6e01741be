// The correlation length shared by the critical enhancements of IAPWS R12-08 and R15-11.

#include "iapws/TransportCritical.h"

#include <cmath>

namespace tulo::iapws {
namespace {

constexpr double kRhoStar = 322.0;  // kg/m3
constexpr double kPStar = 22.064;   // MPa

// R12-08 Table 3 and R15-11 Table 3 (equal in both).
constexpr double kNu = 0.630;
constexpr double kGamma = 1.239;
constexpr double kXi0 = 0.13;  // nm
constexpr double kGamma0 = 0.06;
constexpr double kTBarR = 1.5;

}  // namespace

double ReducedCompressibility(double drhodp) {
  return drhodp * kPStar / kRhoStar;
}

double CriticalCorrelationLength(double rhoBar, double tBar, double zeta, double zetaRef) {
  const double deltaChi = rhoBar * (zeta - zetaRef * kTBarR / tBar);
  if (!(deltaChi > 0)) return 0.0;
  return kXi0 * std::pow(deltaChi / kGamma0, kNu / kGamma);
}

}  // namespace tulo::iapws
