#include "process/Processes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "process/ProcessSteps.h"

namespace tulo {
using namespace process;
namespace {

ProcessResult MachineResult(Machine machine, const ProcessState& inlet, const Expansion& expansion, double eta,
                            std::optional<double> flow) {
  const double work = WorkOf(machine, inlet, expansion.outlet);
  ProcessResult result;
  result.states = {{"inlet", inlet}, {"outlet", expansion.outlet}, {"outlet_isentropic", expansion.isentropic}};
  result.figures.push_back({"work", work, FigureKind::kSpecificEnergy});
  if (flow) result.figures.push_back({"power", work * *flow, FigureKind::kPower});
  result.figures.push_back({"efficiency", eta * 100.0, FigureKind::kPercent});
  result.legs = {{0, 1, PathKind::kExpansion}};
  return result;
}

}  // namespace

const ProcessState* ProcessResult::StateNamed(std::string_view name) const {
  const auto it = std::ranges::find(states, name, &NamedState::name);
  return it == states.end() ? nullptr : &it->state;
}

std::optional<double> ProcessResult::FigureNamed(std::string_view name) const {
  const auto it = std::ranges::find(figures, name, &Figure::name);
  if (it == figures.end()) return std::nullopt;
  return it->value;
}

ProcessOutcome Expand(StateEvaluator& evaluator, const MachineInput& input) {
  return Guarded([&] {
    const double eta = EfficiencyOf(input.efficiency, "the isentropic efficiency");
    const std::optional<double> flow = FlowOf(input.flow);
    const ProcessState inlet = StateOf(evaluator, input.inlet, "inlet");
    const Expansion expansion = ExpandFrom(evaluator, input.machine, inlet, input.outletPressure, eta, "outlet");
    return MachineResult(input.machine, inlet, expansion, eta, flow);
  });
}

ProcessOutcome MachineEfficiency(StateEvaluator& evaluator, Machine machine, const StateInput& inletInput,
                                 const StateInput& outletInput, std::optional<double> flow) {
  return Guarded([&] {
    FlowOf(flow);
    const ProcessState inlet = StateOf(evaluator, inletInput, "inlet");
    const ProcessState outlet = StateOf(evaluator, outletInput, "outlet");
    RequireDirection(machine, inlet.P, outlet.P);
    const ProcessState isentropic = AtPS(evaluator, outlet.P, inlet.s, "outlet (isentropic)");
    const double ideal = WorkOf(machine, inlet, isentropic), actual = WorkOf(machine, inlet, outlet);
    if (ideal == 0.0) Refuse("the outlet pressure equals the inlet pressure: there is no isentropic work to compare with");
    const double eta = machine == Machine::kTurbine ? actual / ideal : ideal / actual;
    if (!(eta > 0.0 && eta <= 1.0))
      Refuse("the measured states give an isentropic efficiency of " + Num(eta * 100.0) +
             " %, outside (0, 100] %: the outlet's enthalpy is not between the isentropic outlet's and the inlet's");
    return MachineResult(machine, inlet, {outlet, isentropic}, eta, flow);
  });
}

ProcessOutcome Throttle(StateEvaluator& evaluator, const StateInput& inletInput, double outletPressure) {
  return Guarded([&] {
    const ProcessState inlet = StateOf(evaluator, inletInput, "inlet");
    RequirePositive(outletPressure, "the outlet pressure", "kPa");
    if (outletPressure > inlet.P)
      Refuse(Quoted("the outlet pressure", outletPressure, "kPa") + " lies above the inlet pressure (" +
             Num(inlet.P) + " kPa): a valve lowers the pressure");
    ProcessResult result;
    result.states = {{"inlet", inlet}, {"outlet", AtPH(evaluator, outletPressure, inlet.h, "outlet")}};
    result.legs = {{0, 1, PathKind::kIsenthalpic}};
    return result;
  });
}

ProcessOutcome ThrottlingCalorimeter(StateEvaluator& evaluator, const StateInput& outletInput,
                                     double inletPressure) {
  return Guarded([&] {
    const ProcessState outlet = StateOf(evaluator, outletInput, "outlet");
    RequirePositive(inletPressure, "the inlet pressure", "kPa");
    if (inletPressure < outlet.P)
      Refuse(Quoted("the inlet pressure", inletPressure, "kPa") + " lies below the outlet pressure (" +
             Num(outlet.P) + " kPa): a valve lowers the pressure");
    ProcessResult result;
    result.states = {{"inlet", AtPH(evaluator, inletPressure, outlet.h, "inlet")}, {"outlet", outlet}};
    result.legs = {{0, 1, PathKind::kIsenthalpic}};
    return result;
  });
}

ProcessOutcome Mix(StateEvaluator& evaluator, std::span<const StreamInput> streams, double pressure) {
  return Guarded([&] {
    if (streams.size() < 2) Refuse("a header mixes two or more streams; " + std::to_string(streams.size()) + " given");
    RequirePositive(pressure, "the pressure", "kPa");
    ProcessResult result;
    double flow = 0.0, enthalpyFlow = 0.0;
    for (std::size_t i = 0; i < streams.size(); ++i) {
      const std::string name = "stream_" + std::to_string(i + 1);
      RequirePositive(streams[i].flow, "the mass flow of " + name, "kg/s");
      const ProcessState state = StateOf(evaluator, streams[i].state, name);
      flow += streams[i].flow;
      enthalpyFlow += streams[i].flow * state.h;
      result.states.push_back({name, state});
    }
    result.states.push_back({"outlet", AtPH(evaluator, pressure, enthalpyFlow / flow, "outlet")});
    for (std::size_t i = 0; i + 1 < result.states.size(); ++i)
      result.legs.push_back({i, result.states.size() - 1, PathKind::kStraight});
    result.figures.push_back({"outlet_flow", flow, FigureKind::kFlow});
    return result;
  });
}

namespace {

// The outlet a desuperheater aims at, at the steam's pressure.
ProcessState TargetOf(StateEvaluator& evaluator, const DesuperheatInput& input, double P) {
  if (input.targetTemperature.has_value() == input.targetEnthalpy.has_value())
    Refuse("give one target: the outlet temperature or the outlet enthalpy");
  if (input.targetTemperature) {
    RequirePositive(*input.targetTemperature, "the target temperature", "K");
    return StateOf(evaluator, {InputPair::kTP, *input.targetTemperature, P}, "outlet");
  }
  RequireFinite(*input.targetEnthalpy, "the target enthalpy");
  return AtPH(evaluator, P, *input.targetEnthalpy, "outlet");
}

}  // namespace

// Spray flow from the energy balance m_s h_s + m_w h_w = (m_s + m_w) h_t.
ProcessOutcome Desuperheat(StateEvaluator& evaluator, const DesuperheatInput& input) {
  return Guarded([&] {
    RequirePositive(input.steam.flow, "the steam flow", "kg/s");
    const ProcessState steam = StateOf(evaluator, input.steam.state, "steam");
    const ProcessState water = StateOf(evaluator, input.water, "water");
    const ProcessState outlet = TargetOf(evaluator, input, steam.P);
    const std::string target = input.targetTemperature ? Quoted("the target temperature", outlet.T, "K")
                                                       : Quoted("the target enthalpy", outlet.h, "kJ/kg");
    if (outlet.h >= steam.h)
      Refuse(target + " is not below the steam's (h = " + Num(steam.h) + " kJ/kg, T = " + Num(steam.T) +
             " K): there is nothing to desuperheat");
    if (outlet.h <= water.h)
      Refuse(target + " cannot be reached with spray water of h = " + Num(water.h) + " kJ/kg (T = " + Num(water.T) +
             " K): the outlet's enthalpy must lie above the water's");
    const double waterFlow = input.steam.flow * (steam.h - outlet.h) / (outlet.h - water.h);
    ProcessResult result;
    result.states = {{"steam", steam}, {"water", water}, {"outlet", outlet}};
    result.figures = {{"water_flow", waterFlow, FigureKind::kFlow},
                      {"outlet_flow", input.steam.flow + waterFlow, FigureKind::kFlow}};
    result.legs = {{0, 2, PathKind::kStraight}, {1, 2, PathKind::kStraight}};
    return result;
  });
}

namespace {

// Why nothing separates: the inlet throttled to the tank pressure is single phase.
[[noreturn]] void RefuseFlash(StateEvaluator& evaluator, const ProcessState& inlet, const ProcessState& tank) {
  const std::string pressure = Quoted("the tank pressure", tank.P, "kPa");
  if (tank.state.condition == Condition::kSuperheated || tank.state.condition == Condition::kSuperCritical)
    Refuse("the inlet is vapour at " + pressure + ": no liquid separates");
  const Evaluation saturation = evaluator.Evaluate({InputPair::kT, inlet.T, 0.0});
  if (saturation.state && saturation.state->Saturated())
    Refuse(pressure + " is not below the inlet's saturation pressure (" + Num(saturation.state->P) +
           " kPa at T = " + Num(inlet.T) + " K): nothing flashes");
  Refuse("the inlet stays liquid at " + pressure + ": nothing flashes");
}

}  // namespace

ProcessOutcome Flash(StateEvaluator& evaluator, const StreamInput& input, double pressure) {
  return Guarded([&] {
    RequirePositive(input.flow, "the inlet flow", "kg/s");
    RequirePositive(pressure, "the tank pressure", "kPa");
    const ProcessState inlet = StateOf(evaluator, input.state, "inlet");
    if (pressure > inlet.P)
      Refuse(Quoted("the tank pressure", pressure, "kPa") + " lies above the inlet pressure (" + Num(inlet.P) +
             " kPa)");
    const ProcessState tank = AtPH(evaluator, pressure, inlet.h, "tank");
    if (tank.state.condition != Condition::kSatLiquidVapour || !tank.x) RefuseFlash(evaluator, inlet, tank);
    const double fraction = *tank.x;
    const double vapourFlow = input.flow * fraction / 100.0;
    ProcessResult result;
    result.states = {{"inlet", inlet},
                     {"mixture", tank},
                     {"vapour", SaturatedAt(evaluator, pressure, 100.0, "vapour")},
                     {"liquid", SaturatedAt(evaluator, pressure, 0.0, "liquid")}};
    result.figures = {{"vapour_flow", vapourFlow, FigureKind::kFlow},
                      {"liquid_flow", input.flow - vapourFlow, FigureKind::kFlow},
                      {"vapour_fraction", fraction, FigureKind::kPercent}};
    result.legs = {{0, 1, PathKind::kIsenthalpic}, {1, 2, PathKind::kIsobaric}, {1, 3, PathKind::kIsobaric}};
    return result;
  });
}

namespace {

ProcessResult HeatResult(const ProcessState& inlet, const ProcessState& outlet, std::optional<double> flow) {
  const double heat = outlet.h - inlet.h;
  ProcessResult result;
  result.states = {{"inlet", inlet}, {"outlet", outlet}};
  result.figures.push_back({"heat", heat, FigureKind::kSpecificEnergy});
  if (flow) result.figures.push_back({"duty", heat * *flow, FigureKind::kPower});
  result.legs = {{0, 1, PathKind::kIsobaric}};
  return result;
}

}  // namespace

ProcessOutcome Heat(StateEvaluator& evaluator, const StateInput& inlet, const StateInput& outlet,
                    std::optional<double> flow) {
  return Guarded([&] {
    FlowOf(flow);
    return HeatResult(StateOf(evaluator, inlet, "inlet"), StateOf(evaluator, outlet, "outlet"), flow);
  });
}

ProcessOutcome HeatTo(StateEvaluator& evaluator, const StateInput& inletInput, double outletPressure, double heat,
                      std::optional<double> flow) {
  return Guarded([&] {
    FlowOf(flow);
    RequirePositive(outletPressure, "the outlet pressure", "kPa");
    RequireFinite(heat, "the heat");
    const ProcessState inlet = StateOf(evaluator, inletInput, "inlet");
    return HeatResult(inlet, AtPH(evaluator, outletPressure, inlet.h + heat, "outlet"), flow);
  });
}

}  // namespace tulo
