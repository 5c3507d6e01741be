#pragma once
// IAPWS R15-11: Release on the IAPWS Formulation 2011 for the Thermal Conductivity of Ordinary
// Water Substance, in its form for industrial use: lambda = lambda0(T) lambda1(rho, T) + lambda2,
// with the simplified critical enhancement lambda2 computed from IAPWS-IF97 quantities and the
// reference compressibility at T_R = 1.5 Tc taken from the release's density polynomials
// (Table 6) rather than from an equation of state.
//
// Range of the release: the stable fluid from the melting curve to 1173.15 K at pressures up to
// 1000 MPa (lower temperatures at the highest pressures). The functions are finite for T > 0,
// rho >= 0, cp >= cv > 0 and mu > 0; the caller checks the state against the range.

namespace tulo::iapws {

// The IF97 quantities the critical enhancement needs, all at the state (rho, T).
struct ConductivityState {
  double rho = 0;     // kg/m3
  double T = 0;       // K
  double cp = 0;      // kJ/(kg K)
  double cv = 0;      // kJ/(kg K)
  double drhodp = 0;  // (kg/m3)/MPa, (d rho/d p)_T
  double mu = 0;      // Pa s, viscosity of R12-08 with mu2 = 1
};

// Thermal conductivity in W/(m K).
double ThermalConductivity(const ConductivityState& state);

// The two parts, W/(m K): lambda0 lambda1, which depends on (rho, T) alone, and lambda2.
double ThermalConductivityBackground(double rho, double T);
double ThermalConductivityCriticalEnhancement(const ConductivityState& state);

// (d rho/d p)_T at T_R = 1.5 Tc and density rho, (kg/m3)/MPa, from the Table 6 polynomials that
// the release prescribes for use with IAPWS-IF97; rho >= 0.
double ConductivityReferenceDrhoDp(double rho);

}  // namespace tulo::iapws
