// R12-08 and R15-11 in their scientific form over the states of IAPWS-95.

#include "iapws/Transport95.h"

#include "iapws/Iapws95.h"
#include "iapws/ThermalConductivity.h"
#include "iapws/Viscosity.h"

namespace tulo::iapws95 {

Transport TransportProperties(const TransportInputs& state) {
  const double drhodp = state.rho * state.kappaT;  // (kg/m3)/MPa
  const iapws::FluidProps reference = StateTRho(1.5 * kTc, state.rho);
  const double drhodpRef = reference.rho * reference.kappaT;

  Transport t;
  t.mu = iapws::ViscosityScientific(state.rho, state.T, drhodp, drhodpRef);
  t.lambda =
      iapws::ThermalConductivityScientific({state.rho, state.T, state.cp, state.cv, drhodp, t.mu}, drhodpRef);
  return t;
}

}  // namespace tulo::iapws95
