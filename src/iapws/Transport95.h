#pragma once
// The transport properties of a state of IAPWS-95 in the form for general and scientific use:
// the viscosity of IAPWS R12-08 with its critical enhancement mu2 and the thermal conductivity of
// IAPWS R15-11 with its critical enhancement lambda2, both from IAPWS-95 quantities, the
// reference compressibility at T_R = 1.5 Tc included.

#include "iapws/IF97.h"

namespace tulo::iapws95 {

struct Transport {
  double mu = 0;      // Pa s
  double lambda = 0;  // W/(m K)
};

// mu and lambda of a single-phase state given by StateTRho or StateTP (or either phase of a
// saturation state): its rho, T, cp, cv and kappaT are used, and StateTRho(1.5 Tc, rho) gives the
// reference. No range check (the caller's); the critical point itself, where the compressibility
// is infinite, is not asked for.
Transport TransportProperties(const iapws::FluidProps& state);

}  // namespace tulo::iapws95
