#pragma once
// Region 3 of IAPWS-IF97 along one isotherm, shared by the (T, p) solver and the saturation solver.
// Internal to the iapws layer.

#include <array>

#include "iapws/IF97.h"

namespace tulo::iapws::detail {

// Pressure, its density derivative and the Gibbs energy at one density of an isotherm: what the
// Newton iterations need, from phi_delta and phi_deltadelta alone.
struct Region3Point {
  double p = 0;       // MPa
  double dpdrho = 0;  // MPa m3/kg, (dp/drho)_T
  double g = 0;       // kJ/kg
};

// Eq. 28 with the temperature fixed: the terms of Table 30 are summed once per temperature into
// one polynomial in delta per tau-derivative, so that every density costs a few Horner steps.
class Region3Isotherm {
 public:
  explicit Region3Isotherm(double T);
  double T() const { return T_; }
  Region3Point At(double rho) const;
  // Every field of FluidProps from one evaluation of phi and its five derivatives (Table 31).
  FluidProps Props(double rho) const;

 private:
  static constexpr int kDeltaPowers = 12;  // I = 0 .. 11 in Table 30
  double T_;
  double tau_;
  // Written in full by the constructor (no zero-fill: this runs once per state).
  std::array<double, kDeltaPowers> c_;    // sum of n tau^J over the terms with I = i
  std::array<double, kDeltaPowers> cT_;   // sum of n J tau^J
  std::array<double, kDeltaPowers> cTT_;  // sum of n J (J - 1) tau^J
};

// Which side of the two-phase region a density must stay on (below the critical temperature).
enum class Region3Branch { kAny, kLiquid, kVapour };

// The density at which the isotherm reaches p (MPa), by guarded Newton from rhoStart: bounded to
// the branch, bisection when a step leaves the bracket or lands where dp/drho <= 0. Returns 0 when
// no density with a relative pressure residual of 1e-12 or better is found.
double Region3Density(const Region3Isotherm& isotherm, double p, double rhoStart, Region3Branch branch);

}  // namespace tulo::iapws::detail
