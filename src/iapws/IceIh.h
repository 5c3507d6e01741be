#pragma once
// IAPWS R10-06(2009): Revised Release on the Equation of State 2006 for H2O Ice Ih. The Gibbs
// energy g(T, p) of ice Ih, Eq. 1, with the real and complex coefficients of Tables 1 and 2.
//
// Range of the release: 0 K < T <= 273.16 K, 0 < p <= 210 MPa (the whole stable region of ice Ih;
// the equation extrapolates smoothly into the metastable states beyond it). The functions are
// finite for every T in (0, 273.16] and p in [0, 210]; the caller decides whether the state is
// ice at all (sublimation and melting curves).

namespace tulo::iapws {

// The Gibbs energy and its derivatives in the release's own units, as Table 6 prints them:
// J/kg, K and Pa (g_p in m3/kg, g_pp in m3/(kg Pa), g_Tp in m3/(kg K)).
struct IceGibbsDerivatives {
  double g = 0;    // J/kg
  double gT = 0;   // J/(kg K)
  double gp = 0;   // m3/kg
  double gTT = 0;  // J/(kg K2)
  double gTp = 0;  // m3/(kg K)
  double gpp = 0;  // m3/(kg Pa)
};

// Every property of ice Ih at (T, p) from one evaluation of the Gibbs energy (Table 3 of the
// release). Program units.
struct IceProps {
  double T = 0;       // K
  double p = 0;       // MPa
  double rho = 0;     // kg/m3
  double v = 0;       // m3/kg
  double g = 0;       // kJ/kg, Gibbs energy
  double f = 0;       // kJ/kg, Helmholtz energy g - p v
  double h = 0;       // kJ/kg
  double u = 0;       // kJ/kg
  double s = 0;       // kJ/(kg K)
  double cp = 0;      // kJ/(kg K)
  double alpha = 0;   // 1/K, cubic expansion coefficient (1/v)(dv/dT)_p
  double beta = 0;    // MPa/K, pressure coefficient (dp/dT)_v
  double kappaT = 0;  // 1/MPa, isothermal compressibility -(1/v)(dv/dp)_T
  double kappaS = 0;  // 1/MPa, isentropic compressibility -(1/v)(dv/dp)_s
};

// T in K, p in MPa.
IceGibbsDerivatives IceGibbs(double T, double p);
IceProps Ice(double T, double p);

}  // namespace tulo::iapws
