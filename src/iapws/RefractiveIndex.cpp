// IAPWS R9-97, refractive index of ordinary water substance.

#include "iapws/RefractiveIndex.h"

#include <cmath>

namespace tulo::iapws {
namespace {

// R9-97, reference constants: T* = 273.15 K, rho* = 1000 kg/m3, lambda* = 0.589 micrometres.
constexpr double kRefTStar = 273.15;
constexpr double kRefRhoStar = 1000.0;
constexpr double kRefLambdaStar = 0.589;

// R9-97 Table 1: the coefficients a0..a7 and the ultraviolet and infrared resonances.
struct RefractiveTerm {
  int k;
  double a;
};
constexpr RefractiveTerm kA[] = {
    {0, 0.244257733},    {1, 0.974634476e-2}, {2, -0.373234996e-2}, {3, 0.268678472e-3},
    {4, 0.158920570e-2}, {5, 0.245934259e-2}, {6, 0.900704920},     {7, -0.166626219e-1},
};
constexpr double kLambdaUV = 0.2292020;
constexpr double kLambdaIR = 5.432937;

constexpr bool RowsInOrder() {
  for (int k = 0; k < 8; ++k)
    if (kA[k].k != k) return false;
  return true;
}
static_assert(RowsInOrder(), "A(k) indexes the table by its row number");
constexpr double A(int k) {
  return kA[k].a;
}

}  // namespace

double RefractiveIndex(double rho, double T, double wavelength) {
  const double delta = rho / kRefRhoStar;
  const double theta = T / kRefTStar;
  const double lambda = wavelength / kRefLambdaStar;
  const double lambda2 = lambda * lambda;
  // (n^2 - 1)/(n^2 + 2) / delta
  const double lorentz = A(0) + A(1) * delta + A(2) * theta + A(3) * lambda2 * theta + A(4) / lambda2 +
                         A(5) / (lambda2 - kLambdaUV * kLambdaUV) + A(6) / (lambda2 - kLambdaIR * kLambdaIR) +
                         A(7) * delta * delta;
  const double x = delta * lorentz;
  return std::sqrt((2.0 * x + 1.0) / (1.0 - x));
}

}  // namespace tulo::iapws
