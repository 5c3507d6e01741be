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
// An isotherm or isobar is split as the steam search splits it: at fixed P, liquid from 273.2 K
// to the saturation temperature, wet steam there, vapour up to 1273.15 K (from the critical
// pressure up: below and above the critical temperature); at fixed T, vapour from 3.41e-7 kPa to
// the saturation pressure, wet steam there, liquid up to 100000 kPa (from the critical
// temperature up: below and above the critical pressure). Each stretch is sampled at
// kLineSamples points and either side of the seams where the set's enthalpy or entropy formula
// changes (CorrelationSet::TemperatureSeams, PressureSeams): a pair that the line crosses more
// than once (the wet point counted once), or that two separate samples cannot tell apart from
// the given value, is an error saying the state is not unique.
//
//   P-h, P-s  the uniqueness check on the isobar, then the steam search at the given pressure,
//             then a bisection on the stored temperatures around its answer (wet answers as the
//             search gives them: the saturation temperature and the quality).
//   h-s       s(P) at the given h, each from the steam search's P-h answer, sampled over the
//             pressure range (and either side of the pressure seams and the critical pressure);
//             each change of sign is bisected on the pressure (geometrically) down to
//             neighbouring stored pressures. s falls with P at fixed h, so one state is usual;
//             more than one state found is the not-unique error.
//   T-h, T-s  the uniqueness check on the isotherm, the wet state from the quality, or a
//             bisection on the pressure (geometric) in the one bracket crossed.
//
// Measured with the built-in correlations (isotherms from 200 K to 1000 K):
//   T-s is unique except in the liquid below about 277 K (near the density maximum s first rises
//       with P, over a narrow band of s) and just above the critical temperature where the super
//       critical formulas overlap across the critical pressure and 30000 kPa (660 K: s from 5.14
//       to 5.23 kJ/(kg K)).
//   T-h is not unique from the saturated liquid's h up to the liquid's h at 100000 kPa below
//       about 600 K (liquid h rises with P into the wet range: 300 K 113 to 199 kJ/kg, 500 K
//       979 to 1014 kJ/kg), in the ideal-gas part of a vapour isotherm (low pressures that all
//       store the same h), and just above the critical temperature where the formulas overlap
//       (647.5 K: 1788 to 1834 kJ/kg; 660 to 700 K: about 2596 to 2608 kJ/kg). It is unique
//       elsewhere: the vapour, the wet region above the liquid's enthalpies, the liquid where h
//       falls with P (from about 600 K), the super critical isotherms away from the overlaps.
//   P-h and P-s are unique below the critical pressure, but for a sliver of h at the vapour
//       seam at 647.3 K (10000 kPa: 3011.9 kJ/kg). Above it the liquid's h and s close to the
//       critical temperature exceed the super critical values just above it: two temperatures
//       for h from about 1707 to 2215 kJ/kg and s from about 3.63 to 4.38 kJ/(kg K) (the range
//       depends on P).
//   h-s close to the critical point (about 15 to 30 MPa, 620 to 660 K) may answer another state
//       with the same stored h and s, or no state, where P-h there has two answers: the steam
//       search gives one of them to the pressure scan.
// The solid is outside every pair, as it is outside the steam search.
//
// Units are internal: K, kPa absolute, kJ/kg, kJ/(kg K).

#include <string>

#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "props/Phase.h"
#include "results/InputPair.h"

namespace tulo {

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

// The texts of the messages, in internal units: a number to 6 significant digits, the symbol
// (T, P, h, s) and unit of Item::kTemperature, kPressure, kEnthalpy or kEntropy, "h = 50 kJ/kg",
// "no state with P = 8000 kPa and h = 50 kJ/kg" and ": at P = 8000 kPa h lies between 12.3 and
// 4660 kJ/kg".
std::string PairNumberText(long double x);
const char* PairSymbol(Item item);
const char* PairUnit(Item item);
std::string GivenText(Item item, long double value);
std::string NoStateText(Item a, long double va, Item b, long double vb);
std::string RangeAtText(Item fixed, long double value, Item item, long double lo, long double hi);

// The state with the pair (a, b): P-h (kPa, kJ/kg), P-s, h-s, T-h (K, kJ/kg) or T-s. The
// other pairs (T-P, T or P alone, T-x, P-x) are not solved here: an error, never a state.
PairAnswer SolvePair(const CorrelationSet& set, InputPair pair, long double a, long double b);

}  // namespace tulo
