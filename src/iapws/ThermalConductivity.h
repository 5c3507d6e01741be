#pragma once
// IAPWS R15-11: Release on the IAPWS Formulation 2011 for the Thermal Conductivity of Ordinary
// Water Substance, in its form for industrial use: lambda = lambda0(T) lambda1(rho, T) + lambda2,
// with the simplified critical enhancement lambda2 computed from IAPWS-IF97 quantities and the
// reference compressibility at T_R = 1.5 Tc taken from the release's density polynomials
// (Table 6) rather than from an equation of state; and in its form for general and scientific
// use, where every quantity of lambda2 comes from IAPWS-95 (the reference compressibility at
// T_R too) and the viscosity includes its critical enhancement mu2.
//
// Range of the release: the stable fluid from the melting curve to 1173.15 K at pressures up to
// 1000 MPa (lower temperatures at the highest pressures). The functions are finite for T > 0,
// rho >= 0, cp >= cv > 0 and mu > 0; the caller checks the state against the range.

namespace tulo::iapws {

// The quantities the critical enhancement needs, all at the state (rho, T): from IAPWS-IF97
// with mu2 = 1 in the industrial form, from IAPWS-95 with mu2 in the scientific form.
struct ConductivityState {
  double rho = 0;     // kg/m3
  double T = 0;       // K
  double cp = 0;      // kJ/(kg K)
  double cv = 0;      // kJ/(kg K)
  double drhodp = 0;  // (kg/m3)/MPa, (d rho/d p)_T
  double mu = 0;      // Pa s, viscosity of R12-08 (mu2 = 1 in the industrial form)
};

// Thermal conductivity in W/(m K), industrial form.
double ThermalConductivity(const ConductivityState& state);
// The same in the scientific form: drhodpRef is (d rho/d p)_T at (rho, T_R = 1.5 Tc) in
// (kg/m3)/MPa from IAPWS-95, in place of the Table 6 polynomials.
double ThermalConductivityScientific(const ConductivityState& state, double drhodpRef);

// The two parts, W/(m K): lambda0 lambda1, which depends on (rho, T) alone, and lambda2 in the
// industrial form and, given drhodpRef as above, in the scientific form.
double ThermalConductivityBackground(double rho, double T);
double ThermalConductivityCriticalEnhancement(const ConductivityState& state);
double ThermalConductivityCriticalEnhancement(const ConductivityState& state, double drhodpRef);

// (d rho/d p)_T at T_R = 1.5 Tc and density rho, (kg/m3)/MPa, from the Table 6 polynomials that
// the release prescribes for use with IAPWS-IF97; rho >= 0.
double ConductivityReferenceDrhoDp(double rho);

}  // namespace tulo::iapws
