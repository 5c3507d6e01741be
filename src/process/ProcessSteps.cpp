#include "process/ProcessSteps.h"

#include <cmath>

#include "common/Text.h"

namespace tulo::process {

void Refuse(std::string message) {
  throw Refusal{std::move(message)};
}

std::string Num(double x) {
  return GeneralText(x, 6);
}

std::string Quoted(std::string_view what, double value, std::string_view unit) {
  return std::string(what) + " (" + Num(value) + " " + std::string(unit) + ")";
}

void RequireFinite(double value, std::string_view what) {
  if (!std::isfinite(value)) Refuse(std::string(what) + " is not a number");
}

void RequirePositive(double value, std::string_view what, std::string_view unit) {
  RequireFinite(value, what);
  if (value <= 0.0) Refuse(Quoted(what, value, unit) + " must be above 0 " + std::string(unit));
}

double EfficiencyOf(double percent, std::string_view what) {
  RequireFinite(percent, what);
  if (percent <= 0.0 || percent > 100.0) Refuse(Quoted(what, percent, "%") + " lies outside (0, 100] %");
  return percent / 100.0;
}

std::optional<double> FlowOf(std::optional<double> flow) {
  if (flow) RequirePositive(*flow, "the mass flow", "kg/s");
  return flow;
}

ProcessState StateOf(StateEvaluator& evaluator, const StateInput& input, std::string_view what) {
  const Evaluation evaluation = evaluator.Evaluate(input);
  if (!evaluation.state) Refuse(std::string(what) + ": " + evaluation.error);
  const Evaluated& state = *evaluation.state;
  if (state.Saturated() && !state.quality)
    Refuse(std::string(what) + ": a state on the saturation line needs its quality (x) to have one enthalpy");
  const CalcResult h = evaluator.StateValue(state, Item::kEnthalpy);
  const CalcResult s = evaluator.StateValue(state, Item::kEntropy);
  if (!h.Ok() || !s.Ok())
    Refuse(std::string(what) + ": h and s are outside the standard's range at T = " + Num(state.T) + " K and P = " +
           Num(state.P) + " kPa");
  return {state, state.T, state.P, static_cast<double>(h.value), static_cast<double>(s.value), state.quality};
}

ProcessState AtPH(StateEvaluator& evaluator, double P, double h, std::string_view what) {
  return StateOf(evaluator, {InputPair::kPH, P, h}, what);
}

ProcessState AtPS(StateEvaluator& evaluator, double P, double s, std::string_view what) {
  return StateOf(evaluator, {InputPair::kPS, P, s}, what);
}

ProcessState SaturatedAt(StateEvaluator& evaluator, double P, double x, std::string_view what) {
  return StateOf(evaluator, {InputPair::kPx, P, x}, what);
}

void RequireDirection(Machine machine, double inletP, double outletP) {
  RequirePositive(outletP, "the outlet pressure", "kPa");
  if (machine == Machine::kTurbine && outletP > inletP)
    Refuse(Quoted("the outlet pressure", outletP, "kPa") + " lies above the inlet pressure (" + Num(inletP) +
           " kPa): a turbine expands");
  if (machine == Machine::kPump && outletP < inletP)
    Refuse(Quoted("the outlet pressure", outletP, "kPa") + " lies below the inlet pressure (" + Num(inletP) +
           " kPa): a pump raises the pressure");
}

// h2 = h1 - eta (h1 - h2s) for a turbine, h2 = h1 + (h2s - h1) / eta for a pump, with h2s at the
// outlet pressure and the inlet's entropy. At eta = 1 the outlet is the isentropic state itself,
// not a second solve of it.
Expansion ExpandFrom(StateEvaluator& evaluator, Machine machine, const ProcessState& inlet, double outletP,
                     double eta, std::string_view what) {
  RequireDirection(machine, inlet.P, outletP);
  const ProcessState isentropic = AtPS(evaluator, outletP, inlet.s, std::string(what) + " (isentropic)");
  if (eta == 1.0) return {isentropic, isentropic};
  const double h = machine == Machine::kTurbine ? inlet.h - eta * (inlet.h - isentropic.h)
                                                : inlet.h + (isentropic.h - inlet.h) / eta;
  return {AtPH(evaluator, outletP, h, what), isentropic};
}

double WorkOf(Machine machine, const ProcessState& inlet, const ProcessState& outlet) {
  return machine == Machine::kTurbine ? inlet.h - outlet.h : outlet.h - inlet.h;
}

}  // namespace tulo::process
