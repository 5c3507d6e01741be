#pragma once
// IAPWS-IF97 states given by the pairs (p, h), (p, s) and (h, s) instead of (T, p). Units as in
// IF97.h: p in MPa, h in kJ/kg, s in kJ/(kg K), T in K.
//
// The backward equations of the releases (R7-97 for regions 1 and 2, SR3-03, SR2-01 and SR4-04)
// only start the solution: it is refined by Newton iteration on the basic equations until these
// reproduce the given pair to round-off (relative 1e-12 or better), so that a state found from
// (p, h) gives back the same h from its (T, p). The region is decided from the values of the
// basic equations on the region boundaries, never from a backward equation.

#include <optional>

#include "iapws/IF97.h"

namespace tulo::iapws {

// A state solved from a pair.
struct PairState {
  Region region = Region::kNone;  // k1, k2, k3 or k5 for a single phase, k4 for wet steam
  double T = 0;                   // K
  double p = 0;                   // MPa
  double x = 0;                   // vapour mass fraction of wet steam, 0..1; 0 for a single phase
  // A single phase: the state at (T, p) (region 3 at its density, field p the given pressure).
  // Wet steam: T, p, v, rho, h, u, s and g of the mixture by the lever rule, the other fields 0.
  FluidProps props;
  // Wet steam only: the saturated phases at T (SaturatedLiquid and SaturatedVapour).
  FluidProps liquid;
  FluidProps vapour;
};

// The state at (p, h) or (p, s); nothing when no state of the range of validity has them
// (h or s below that of the liquid at 273.15 K, above that at 2273.15 K (1073.15 K above 50 MPa),
// p outside 0 .. 100 MPa, or not finite).
std::optional<PairState> StateFromPH(double p, double h);
std::optional<PairState> StateFromPS(double p, double s);
// The state at (h, s): Newton on p along the isentrope s, where (dh/dp)_s = v, each pressure
// solved exactly by StateFromPS; started from the backward equations p(h, s) of SR2-01 and
// SR4-04 (psat(Tsat(h, s)) for wet steam). Nothing when no state of the range of validity has
// them.
std::optional<PairState> StateFromHS(double h, double s);

}  // namespace tulo::iapws
