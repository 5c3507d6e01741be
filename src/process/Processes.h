#pragma once
// Unit operations and the Rankine cycle, each a small function over the state evaluator: the
// states of a process come from the evaluator (any input pair), the energy balances are done here
// once, and the front ends (window, tulo-calc, Python) only format what comes back.
//
// Internal units throughout: T in K, P in kPa absolute, h and specific work or heat in kJ/kg,
// s in kJ/(kg K), mass flows in kg/s, power and duty in kW, qualities, fractions and
// efficiencies in percent. Messages name the quantity and the limit, in these units.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "results/StateEvaluator.h"

namespace tulo {

// A state of a process with what its energy balances use. h and s are the state's own values
// (wet steam mixed at its quality), as the standard stores them.
struct ProcessState {
  Evaluated state;
  double T = 0.0;  // K
  double P = 0.0;  // kPa
  double h = 0.0;  // kJ/kg
  double s = 0.0;  // kJ/(kg K)
  // Percent, for a state on the saturation line with a quality (wet steam, and the saturated
  // liquid (0) and vapour (100) a cycle or a flash tank names); nothing for a single phase.
  std::optional<double> x = std::nullopt;
};

// What a figure of a result measures, for its display unit.
enum class FigureKind : std::uint8_t {
  kSpecificEnergy,  // kJ/kg: work, heat (the enthalpy unit of the units in use)
  kPower,           // kW: power, duty
  kFlow,            // kg/s
  kPercent,         // efficiency, fraction, back-work ratio
  kHeatRate,        // kJ/kWh, in every unit system
};

struct Figure {
  std::string_view name;  // the JSON name: "work", "power", "efficiency", ...
  double value = 0.0;
  FigureKind kind = FigureKind::kSpecificEnergy;
};

struct NamedState {
  // An operation's states are named by their JSON key ("inlet", "outlet", "outlet_isentropic",
  // "steam", "water", "vapour", "liquid", "stream_1"...); a cycle's by their place in it
  // ("pump inlet", "turbine inlet", ...).
  std::string name;
  ProcessState state;
};

// How two states of a result are joined on a chart.
enum class PathKind : std::uint8_t {
  kExpansion,    // a turbine or pump: the partial expansions at the same efficiency
  kIsenthalpic,  // a valve
  kIsobaric,     // heating, cooling, a boiler, a condenser, a feedwater heater
  kStraight,     // mixing and separating: the two states joined directly
};

struct Leg {
  std::size_t from = 0;  // indices into ProcessResult::states
  std::size_t to = 0;
  PathKind kind = PathKind::kStraight;
};

struct ProcessResult {
  std::vector<NamedState> states;
  std::vector<Figure> figures;  // in the order a report lists them
  std::vector<Leg> legs;        // the chart's paths
  // The cycle: its states are a numbered list ("states" in JSON), not named keys.
  bool stateList = false;

  const ProcessState* StateNamed(std::string_view name) const;
  std::optional<double> FigureNamed(std::string_view name) const;
};

// A result, or why there is none.
struct ProcessOutcome {
  std::optional<ProcessResult> result;
  std::string error;
};

struct StreamInput {
  StateInput state;
  double flow = 0.0;  // kg/s
};

// Turbine (expansion) or pump/compressor.
enum class Machine : std::uint8_t { kTurbine, kPump };

struct MachineInput {
  Machine machine = Machine::kTurbine;
  StateInput inlet;
  double outletPressure = 0.0;  // kPa
  double efficiency = 100.0;    // isentropic efficiency, percent, in (0, 100]
  std::optional<double> flow = std::nullopt;   // kg/s: gives the power
};

// Outlet state, isentropic outlet state and work: states "inlet", "outlet", "outlet_isentropic";
// figures "work" (kJ/kg, produced positive for a turbine, consumed positive for a pump),
// "power" (kW, with a flow), "efficiency".
ProcessOutcome Expand(StateEvaluator& evaluator, const MachineInput& input);
// The isentropic efficiency of a machine from its measured inlet and outlet states (the outlet
// pressure is the outlet state's): the same states and figures as Expand.
ProcessOutcome MachineEfficiency(StateEvaluator& evaluator, Machine machine, const StateInput& inlet,
                                 const StateInput& outlet, std::optional<double> flow);

// A valve: the outlet at the inlet's enthalpy. States "inlet", "outlet".
ProcessOutcome Throttle(StateEvaluator& evaluator, const StateInput& inlet, double outletPressure);
// The throttling calorimeter: the state after the valve (superheated: T and P measured) and the
// pressure before it give the inlet state and its quality. States "inlet", "outlet".
ProcessOutcome ThrottlingCalorimeter(StateEvaluator& evaluator, const StateInput& outlet,
                                     double inletPressure);

// A header: two or more streams mixed adiabatically at `pressure`. States "stream_1",
// "stream_2", ..., "outlet"; figure "outlet_flow".
ProcessOutcome Mix(StateEvaluator& evaluator, std::span<const StreamInput> streams, double pressure);

// A spray attemperator: steam and spray water mixed at the steam's pressure to a target outlet
// temperature or enthalpy. States "steam", "water", "outlet"; figures "water_flow",
// "outlet_flow".
struct DesuperheatInput {
  StreamInput steam;
  StateInput water;
  std::optional<double> targetTemperature = std::nullopt;  // K; one of the two
  std::optional<double> targetEnthalpy = std::nullopt;     // kJ/kg
};
ProcessOutcome Desuperheat(StateEvaluator& evaluator, const DesuperheatInput& input);

// A flash tank: the inlet throttled to the tank pressure and separated. States "inlet", "vapour",
// "liquid" (saturated at the tank pressure); figures "vapour_flow", "liquid_flow",
// "vapour_fraction".
ProcessOutcome Flash(StateEvaluator& evaluator, const StreamInput& inlet, double pressure);

// A heater, cooler, boiler or condenser on one stream: heat per kg (positive into the stream)
// and, with a flow, the duty. States "inlet", "outlet"; figures "heat", "duty".
ProcessOutcome Heat(StateEvaluator& evaluator, const StateInput& inlet, const StateInput& outlet,
                    std::optional<double> flow);
// The same with the outlet given by its pressure and the heat per kg.
ProcessOutcome HeatTo(StateEvaluator& evaluator, const StateInput& inlet, double outletPressure,
                      double heat, std::optional<double> flow);

struct RankineInput {
  double boilerPressure = 0.0;                    // kPa
  std::optional<double> turbineInletTemperature = std::nullopt;  // K; nothing: saturated vapour
  double condenserPressure = 0.0;                 // kPa
  double turbineEfficiency = 100.0;               // percent
  double pumpEfficiency = 100.0;                  // percent
  std::optional<double> reheatPressure = std::nullopt;           // kPa, with reheatTemperature
  std::optional<double> reheatTemperature = std::nullopt;        // K
  std::optional<double> feedwaterHeaterPressure = std::nullopt;  // kPa: one open feedwater heater
  std::optional<double> netPower = std::nullopt;                 // kW: gives the steam flow
};

// The Rankine cycle: a numbered list of states (stateList) in the order the water goes round,
// and the figures "turbine_work", "pump_work", "net_work", "heat_in", "heat_out" (kJ/kg of steam
// through the boiler), "efficiency", "back_work_ratio" (percent), "heat_rate" (kJ/kWh), and with
// a net power "steam_flow" (kg/s).
ProcessOutcome Rankine(StateEvaluator& evaluator, const RankineInput& input);

// `count` points (both ends included, count >= 2) along a leg of a result, for a chart.
// Points the standard has no state for are left out.
std::vector<ProcessState> TraceLeg(StateEvaluator& evaluator, const ProcessResult& result, const Leg& leg,
                                   int count);

// What a chart draws of a result: every leg traced (pointsPerLeg points each) and every state
// marked with its number (1, 2, ... in the order of `states`).
struct ProcessOverlay {
  std::vector<std::vector<ProcessState>> paths;
  std::vector<NamedState> marks;
};
ProcessOverlay OverlayOf(StateEvaluator& evaluator, const ProcessResult& result, int pointsPerLeg = 24);

}  // namespace tulo
