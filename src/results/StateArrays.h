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
// the built-in one), NaN for every status but kValid. In the IAPWS standard a single-phase fluid state is
// evaluated once for all of its IF97 items (the enthalpy alone from gamma_tau when it is the one item asked)
// without the calculators' bookkeeping; everything else goes through the evaluator. Every state
// is classified by the evaluator itself, so the condition and the limits cannot drift from the
// single-state path; StateArraysTest compares every value and status bit for bit with it over
// random states in every region, ice, beside the saturation line, beyond the range and NaN.
void ComputeArraysTP(StateEvaluator& evaluator, std::span<const Item> items, std::span<const double> T,
                     std::span<const double> P, std::span<double> value, std::span<Status> status);

}  // namespace tulo
