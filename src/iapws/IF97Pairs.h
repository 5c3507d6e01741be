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

// Along an isotherm a value of h (or s) may be met at more than one pressure.
struct IsothermAnswer {
  std::optional<PairState> state;  // the one state, when there is exactly one
  bool notUnique = false;          // more than one pressure has the value: no state is chosen
};
// The state at (T, h) or (T, s), T from 273.15 K to 2273.15 K (ends met within the tolerance of
// common/RangeLimit.h), pressures from 1.935e-46 MPa (the sublimation pressure at 50 K, the
// lowest pressure of the program's IAPWS range; region 2 and 5 themselves reach down to 0) up to
// 100 MPa (50 MPa in region 5). Below Tc the isotherm is the vapour up to psat(T), the wet point
// at psat(T) (h or s between the saturated phases': x by the lever rule) and the liquid above;
// from Tc on it is one stretch through regions 2, 3 (and 1 below 623.15 K) or 5. Every crossing
// of the target along it is counted by sampling (and the wet point once): exactly one gives the
// state, refined on the basic equations to round-off (relative 1e-12 or better); more than one
// gives notUnique. So does one crossing on a part of the isotherm too flat to tell pressures
// apart: where a change of p by 1e-6 of itself changes h (or s) by less than the accepted
// residual of 1e-12 of the value, p |(dy/dp)_T| < 1e-6 max(|y|, 10 kJ/kg or 0.01 kJ/(kg K)).
//
// Where IF97 has more than one state (found by scanning isotherms from 273.15 K to 2273.15 K):
// - T-h, liquid below 520.72 K: (dh/dp)_T = v (1 - T alphaV) > 0 at the saturated liquid and h
//   rises up to 100 MPa, so every h of the compressed liquid, h'(T) < h <= h(T, 100 MPa), is a
//   wet-steam value as well: no compressed liquid below 520.72 K is unique by (T, h).
// - T-h, liquid from 520.72 K to 613.01 K: h falls with p from h'(T) to a minimum (35.7 MPa at
//   550 K, 87 MPa at 600 K, 100 MPa at 613.01 K) and rises again: h from the minimum up to
//   h(T, 100 MPa) is met twice (and, below 558.45 K, where h(T, 100 MPa) > h'(T), those above h'
//   also in the wet region). Above 613.01 K, near the critical point and up to 2273.15 K the
//   isotherms of h are monotonic on either side of the wet point.
// - T-h, vapour: flat as p -> 0, not unique below about 3.8e-6 MPa at 273.15 K, 1.5e-4 MPa at
//   600 K, 9e-4 MPa at 1073.15 K and 0.029 MPa at 2273.15 K (h within 0.0025 .. 0.0074 kJ/kg of
//   its ideal-gas value).
// - T-s, liquid below 277.13 K: the expansion coefficient is negative from psat(T) up to a
//   pressure that falls from 18.9 MPa at 273.15 K to psat at 277.13 K, so s rises with p from
//   s'(T) into the wet range and then falls: s from s' up to that maximum (0.000475 kJ/(kg K) at
//   273.15 K) is met two or three times. Elsewhere s falls with p and T-s is unique.
// - Both, on the B23 line: the basic equations of regions 2 and 3 differ there by up to
//   0.13 kJ/kg and 1.6e-4 kJ/(kg K). From 623.15 K to 676.8 K, 725.4 K to 762.5 K, 806.5 K to
//   843.1 K and 861.3 K to 863.15 K (for s within 0.6 K of these) region 3's value lies beyond
//   region 2's the way the isotherm runs, and a value between the two (up to 0.11 kJ/kg,
//   1.4e-4 kJ/(kg K)) is met on both sides of the line; at the other temperatures they leave a
//   gap, and a value in it is the boundary state (region 2), as for (p, h).
// Nothing when no pressure in the range has the value, or T is outside 273.15 .. 2273.15 K.
IsothermAnswer StateFromTH(double T, double h);
IsothermAnswer StateFromTS(double T, double s);

}  // namespace tulo::iapws
