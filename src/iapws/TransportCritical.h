#pragma once
// The correlation length of the critical fluctuations, one rule in the critical enhancements of
// both transport releases: IAPWS R12-08 (viscosity, Eqs. 20-21) and IAPWS R15-11 (thermal
// conductivity, Eqs. 21-22) take it from the excess of the reduced isothermal compressibility at
// the state over its value at the reference temperature T_R = 1.5 Tc, with the same constants
// (Table 3 of each release) and the same reference values T* = 647.096 K, rho* = 322 kg/m3,
// p* = 22.064 MPa.

namespace tulo::iapws {

// zeta = (d rhobar/d pbar)_T = (d rho/d p)_T p*/rho*; drhodp in (kg/m3)/MPa.
double ReducedCompressibility(double drhodp);

// xi in nm from rhobar = rho/rho*, Tbar = T/T*, zeta at (rho, T) and zetaRef at (rho, T_R):
// xi = xi0 (Delta chi/Gamma0)^(nu/gamma), Delta chi = rhobar (zeta - zetaRef T_R/T). Where
// Delta chi is not positive (and for nan) the release sets it to 0, and xi is 0.
double CriticalCorrelationLength(double rhoBar, double tBar, double zeta, double zetaRef);

}  // namespace tulo::iapws
