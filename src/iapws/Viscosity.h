#pragma once
// IAPWS R12-08: Release on the IAPWS Formulation 2008 for the Viscosity of Ordinary Water
// Substance, in its form for industrial use: mu = mu0(T) mu1(rho, T) with the critical enhancement
// mu2 = 1 (Section 3 of the release); and in its full form mu0 mu1 mu2 for general and scientific
// use, mu2 from the compressibilities of IAPWS-95 (Eqs. 14-21).
//
// Range of the release: the stable fluid from the melting curve to 1173.15 K at pressures up to
// 300 MPa (higher pressures at lower temperatures). The function is finite for every T > 0 and
// rho >= 0; the caller checks the state against the range.

namespace tulo::iapws {

// Viscosity in Pa s, industrial form; rho in kg/m3, T in K.
double Viscosity(double rho, double T);

// The critical enhancement mu2 >= 1 (1 wherever the state's compressibility does not exceed the
// scaled reference one). drhodp: (d rho/d p)_T at (rho, T); drhodpRef: the same at
// (rho, T_R = 1.5 Tc); both in (kg/m3)/MPa from IAPWS-95. Finite for finite arguments; it
// diverges with the compressibility at the critical point itself.
double ViscosityCriticalEnhancement(double rho, double T, double drhodp, double drhodpRef);

// Viscosity in Pa s in the scientific form, mu0 mu1 mu2, arguments as above.
double ViscosityScientific(double rho, double T, double drhodp, double drhodpRef);

}  // namespace tulo::iapws
