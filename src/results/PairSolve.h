#pragma once
// States from a pair of properties other than temperature and pressure, solved with a correlation
// set's own calculators (for the built-in set: the long double correlations, every value rounded
// to Real6 as it is stored).
//
// The state found reproduces the pair: the enthalpy and entropy of the state, as the calculators
// store them, equal the given values within a few units of the stored values' last place, or
// within the change of the correlation between neighbouring stored temperatures or pressures
// where the correlation is flatter than that. A pair no state reproduces is an error, never a
// nearest state.
//
//   P-h, P-s  the steam search at the given pressure (its regions: liquid from 273.2 K to the
//             saturation temperature, wet steam at the saturation temperature, vapour up to
//             1273.15 K; one interval at and above the critical pressure), then a bisection on
//             the stored temperatures around its answer.
//   h-s       a bracketed bisection on the pressure (geometric) of s(P) at the given h, each s
//             from the P-h solve (wet states included, with their quality); s falls with P at
//             fixed h, so a change of sign of s(P) - s brackets the state.
//   T-h, T-s  the isotherm is split as the steam search splits it (vapour from 3.41e-7 kPa to the
//             saturation pressure, wet steam at the saturation pressure, liquid up to 100000 kPa;
//             one interval at and above the critical temperature; below 273.15 K the vapour
//             alone). Each interval is sampled at kIsothermSamples pressures; the state is solved
//             only where the given value is crossed exactly once on the whole isotherm (counting
//             the wet segment), otherwise the answer is an error that says it is not unique.
//             With the built-in correlations that makes:
//               T-s unique on the vapour, wet and liquid parts of every isotherm from 283 K up
//                   (s falls with P), and not unique in the liquid near the density maximum
//                   (below about 277 K s first rises with P), nor on the supercritical isotherms
//                   just above the critical temperature where the correlations overlap;
//               T-h unique in the wet region only above the liquid's enthalpies at T (below
//                   about 600 K liquid h rises with P into the wet range), in the vapour only
//                   away from the ideal-gas part (at low pressure h hardly depends on P: many
//                   pressures share one stored h), in the liquid only where liquid h falls with
//                   P, and on supercritical isotherms away from their enthalpy minimum.
// The solid is outside every pair, as it is outside the steam search.
//
// Units are internal: K, kPa absolute, kJ/kg, kJ/(kg K).

#include <string>

#include "props/CorrelationSet.h"
#include "props/Phase.h"

namespace tulo {

enum class Pair { kPH, kPS, kHS, kTH, kTS };

// Points (per interval) at which an isotherm or isobar is sampled to count its states.
inline constexpr int kLineSamples = 64;

struct PairState {
  long double T = 0;  // K, stored
  long double P = 0;  // kPa, stored
  Condition condition = Condition::kNone;
  long double quality = 0;  // percent by mass for saturated conditions, stored; 0 otherwise
};

struct PairAnswer {
  bool ok = false;
  PairState state;
  std::string error;  // why there is no state, when !ok
};

// The state with the pair (a, b): P-h (kPa, kJ/kg), P-s, h-s, T-h (K, kJ/kg) or T-s.
PairAnswer SolvePair(const CorrelationSet& set, Pair pair, long double a, long double b);

}  // namespace tulo
