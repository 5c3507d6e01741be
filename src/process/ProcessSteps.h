#pragma once
// The steps the unit operations and the cycle share, inside the process layer only. A step that
// finds no answer throws a Refusal with its message; every public function of the layer runs its
// steps through Guarded, which turns the Refusal into the outcome's error, so nothing is thrown
// across the layer.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "process/Processes.h"

namespace tulo::process {

struct Refusal {
  std::string message;
};

[[noreturn]] void Refuse(std::string message);

template <typename Compute>
ProcessOutcome Guarded(Compute&& compute) {
  try {
    return {compute(), {}};
  } catch (const Refusal& refusal) {
    return {std::nullopt, refusal.message};
  }
}

// A number in a message: 6 significant digits.
std::string Num(double x);
// "what (value unit)".
std::string Quoted(std::string_view what, double value, std::string_view unit);

void RequireFinite(double value, std::string_view what);
void RequirePositive(double value, std::string_view what, std::string_view unit);
// An isentropic efficiency in percent as a fraction, in (0, 1].
double EfficiencyOf(double percent, std::string_view what);
std::optional<double> FlowOf(std::optional<double> flow);

// The state of `input` with its h and s; `what` names it in a message. A saturated state needs
// its quality: without one it has no single h.
ProcessState StateOf(StateEvaluator& evaluator, const StateInput& input, std::string_view what);
ProcessState AtPH(StateEvaluator& evaluator, double P, double h, std::string_view what);
ProcessState AtPS(StateEvaluator& evaluator, double P, double s, std::string_view what);
ProcessState SaturatedAt(StateEvaluator& evaluator, double P, double x, std::string_view what);

struct Expansion {
  ProcessState outlet, isentropic;
};
// The outlet of a turbine or a pump from `inlet` to `outletP` at the isentropic efficiency eta
// (a fraction); `what` names the outlet in a message.
Expansion ExpandFrom(StateEvaluator& evaluator, Machine machine, const ProcessState& inlet, double outletP,
                     double eta, std::string_view what);
// Work per kg: produced, positive, for a turbine; consumed, positive, for a pump.
double WorkOf(Machine machine, const ProcessState& inlet, const ProcessState& outlet);
// The outlet pressure of a machine on the side its kind allows.
void RequireDirection(Machine machine, double inletP, double outletP);

}  // namespace tulo::process
