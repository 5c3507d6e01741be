// IAPWS R8-97, static dielectric constant of ordinary water substance.

#include "iapws/Dielectric.h"

#include <cmath>
#include <numbers>

namespace tulo::iapws {
namespace {

// R8-97, the constants of the equation (SI values of 1997).
constexpr double kDielTc = 647.096;            // K
constexpr double kDielRhoc = 322.0;            // kg/m3
constexpr double kMolarMass = 0.018015268;     // kg/mol
constexpr double kAvogadro = 6.0221367e23;     // 1/mol
constexpr double kBoltzmann = 1.380658e-23;    // J/K
constexpr double kPolarizability = 1.636e-40;  // C2/(J m2), mean molecular polarizability alpha
constexpr double kDipole = 6.138e-30;          // C m, molecular dipole moment mu
// Permittivity of free space, [4e-7 pi c^2]^-1 in C2/(J m).
constexpr double kEpsilon0 = 1.0 / (4e-7 * std::numbers::pi * 299792458.0 * 299792458.0);
constexpr double kPoleT = 228.0;  // K, the temperature in the last term of g
constexpr double kPoleExponent = -1.2;

// R8-97 Table 2: the Harris-Alder g factor,
// g = 1 + sum_h N_h delta^i_h (Tc/T)^j_h + N_12 delta (T/228 K - 1)^-1.2.
// Every j_h is a multiple of 1/4, so (Tc/T)^j_h is an integer power of (Tc/T)^(1/4).
struct GTerm {
  int h;
  double n;
  int i;
  double j;
};
constexpr GTerm kG[] = {
    {1, 0.978224486826, 1, 0.25},    {2, -0.957771379375, 1, 1.0},       {3, 0.237511794148, 1, 2.5},
    {4, 0.714692244396, 2, 1.5},     {5, -0.298217036956, 3, 1.5},       {6, -0.108863472196, 3, 2.5},
    {7, 0.949327488264e-1, 4, 2.0},  {8, -0.980469816509e-2, 5, 2.0},    {9, 0.165167634970e-4, 6, 5.0},
    {10, 0.937359795772e-4, 7, 0.5}, {11, -0.123179218720e-9, 10, 10.0},
};
constexpr double kN12 = 0.196096504426e-2;
constexpr int kMaxI = 10;
constexpr int kMaxQuarters = 40;

constexpr bool QuarterExponents() {
  for (const GTerm& term : kG) {
    const int quarters = static_cast<int>(term.j * 4);
    if (quarters * 0.25 != term.j || quarters > kMaxQuarters || term.i > kMaxI) return false;
  }
  return true;
}
static_assert(QuarterExponents(), "the exponents of the g table are quarter integers within the bounds");

}  // namespace

double DielectricConstant(double rho, double T) {
  const double delta = rho / kDielRhoc;
  const double quarter = std::sqrt(std::sqrt(kDielTc / T));  // (Tc/T)^(1/4)

  double deltaPow[kMaxI + 1];
  double quarterPow[kMaxQuarters + 1];
  deltaPow[0] = quarterPow[0] = 1.0;
  for (int i = 1; i <= kMaxI; ++i) deltaPow[i] = deltaPow[i - 1] * delta;
  for (int q = 1; q <= kMaxQuarters; ++q) quarterPow[q] = quarterPow[q - 1] * quarter;

  double g = 1.0 + kN12 * delta * std::pow(T / kPoleT - 1.0, kPoleExponent);
  for (const GTerm& term : kG) g += term.n * deltaPow[term.i] * quarterPow[static_cast<int>(term.j * 4)];

  const double molarDensity = rho / kMolarMass;  // mol/m3
  const double a = kAvogadro * kDipole * kDipole * molarDensity * g / (kEpsilon0 * kBoltzmann * T);
  const double b = kAvogadro * kPolarizability * molarDensity / (3.0 * kEpsilon0);
  return (1.0 + a + 5.0 * b + std::sqrt(9.0 + 2.0 * a + 18.0 * b + a * a + 10.0 * a * b + 9.0 * b * b)) /
         (4.0 * (1.0 - b));
}

}  // namespace tulo::iapws
