#pragma once
// IAPWS R12-08: Release on the IAPWS Formulation 2008 for the Viscosity of Ordinary Water
// Substance, in its form for industrial use: mu = mu0(T) mu1(rho, T) with the critical enhancement
// mu2 = 1 (Section 3 of the release).
//
// Range of the release: the stable fluid from the melting curve to 1173.15 K at pressures up to
// 300 MPa (higher pressures at lower temperatures). The function is finite for every T > 0 and
// rho >= 0; the caller checks the state against the range.

namespace tulo::iapws {

// Viscosity in Pa s; rho in kg/m3, T in K.
double Viscosity(double rho, double T);

}  // namespace tulo::iapws
