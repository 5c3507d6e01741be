// IAPWS R1-76(2014), surface tension of ordinary water substance.

#include "iapws/SurfaceTension.h"

#include <cmath>

namespace tulo::iapws {
namespace {

// R1-76(2014), the constants of the equation.
constexpr double kSigmaTc = 647.096;  // K
constexpr double kSigmaB = 235.8e-3;  // N/m
constexpr double kSigmaSmallB = -0.625;
constexpr double kSigmaMu = 1.256;

}  // namespace

double SurfaceTension(double T) {
  const double tau = 1.0 - T / kSigmaTc;
  if (!(tau > 0)) return 0.0;  // no interface at or above the critical point
  return kSigmaB * std::pow(tau, kSigmaMu) * (1.0 + kSigmaSmallB * tau);
}

}  // namespace tulo::iapws
