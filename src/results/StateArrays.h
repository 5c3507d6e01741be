#pragma once
// Several items over many states given by T and P, in one call: what the state evaluator gives
// state by state (kTP, then StateValue), value for value and status for status, for arrays of
// states (the Python module's properties()).
//
// Internal units: T in K, P in kPa absolute; values in the items' internal units.

#include <span>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "results/StateEvaluator.h"

namespace tulo {

// The values of `items` at the states (T[i], P[i]) into value[k * n + i] and status[k * n + i]
// (k the item's index, n = T.size(); P has n states, value and status items.size() * n).
// Each value and status is bitwise what evaluator.Evaluate({kTP, T[i], P[i]}) and then
// evaluator.StateValue(state, items[k]) give (a state without one: kOutOfRange), the value as the
// standard stores it (ValueStorage::Store: the double itself in the IAPWS standard, its Real6 in
// the built-in one), NaN for every status but kValid.
//
// In the IAPWS standard each state is classified without the evaluator, by the comparisons it
// makes (the input and phase limits within the tolerance of common/RangeLimit.h, the highest
// melting temperature, the critical point, the saturation temperature at P, the IF97 region):
// a fluid state above the melting line is taken at once, with its condition and region; ice, the
// states at and below the triple point and those outside IF97 go through the evaluator. When
// every item asked is among h, s, cp and rho, the states of regions 1, 2 and 5 are gathered by
// region in blocks and computed in one loop per region from the derivatives those items need;
// any other single-phase fluid state is evaluated once for all of its IF97 items (the enthalpy
// alone from gamma_tau). StateArraysTest compares every value and status bit for bit with the
// evaluator over a million random states in every region, at the ends of the range and of the
// regions, beside the saturation line, in ice, beyond the range and NaN.
void ComputeArraysTP(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                     std::span<const double> P, std::span<double> value, std::span<Status> status);

}  // namespace tulo
