#pragma once
// The transport properties of a state of IAPWS-95 in the form for general and scientific use:
// the viscosity of IAPWS R12-08 with its critical enhancement mu2 and the thermal conductivity of
// IAPWS R15-11 with its critical enhancement lambda2, both from IAPWS-95 quantities, the
// reference compressibility at T_R = 1.5 Tc included.

namespace tulo::iapws95 {

struct Transport {
  double mu = 0;      // Pa s
  double lambda = 0;  // W/(m K)
};

// What the releases read of a single-phase state of IAPWS-95 (or either phase of a saturation
// state).
struct TransportInputs {
  double rho;     // kg/m3
  double T;       // K
  double cp, cv;  // kJ/(kg K)
  double kappaT;  // 1/MPa
};

// mu and lambda of the state; StateTRho(1.5 Tc, rho) gives the reference. No range check (the
// caller's); the critical point itself, where the compressibility is infinite, is not asked for.
Transport TransportProperties(const TransportInputs& state);

}  // namespace tulo::iapws95
