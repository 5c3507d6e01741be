#pragma once
// How a state is given: the pair of quantities a front end hands to the evaluator
// (StateEvaluator.h) and that the pair solution of a correlation set (PairSolve.h) solves.

#include <cstdint>

namespace tulo {

// kT and kP are the saturation line at a temperature or a pressure alone (the window with one
// field typed): a saturated state without a quality.
enum class InputPair : std::uint8_t { kTP, kT, kP, kTx, kPx, kPH, kPS, kHS, kTH, kTS };

}  // namespace tulo
