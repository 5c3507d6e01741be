// tulo-calc process OPERATION ...: one unit operation (turbine, pump, throttle, throttling
// calorimeter, mixing header, desuperheater, flash tank, heater) over the state evaluator. This
// command reads the options into internal units, calls the operation and prints its report; the
// balances, the states and their checks are the operation's.

#include <array>
#include <string_view>

#include "cli/CliText.h"
#include "cli/ProcessArgs.h"

namespace tulo::cli {
namespace {

const char* const kCommand = "process";

// The arguments of an operation, each option read by a ValueReader.
using Runner = ProcessOutcome (*)(ValueReader& r, StateEvaluator& evaluator, const Args& streams);

// An input fault as an outcome: printed and refused as the operation's own errors are.
ProcessOutcome Faulted(const ValueReader& r) {
  return {std::nullopt, r.Error()};
}

ProcessOutcome RunMachine(Machine machine, ValueReader& r, StateEvaluator& evaluator) {
  const StateInput inlet = r.State("--inlet");
  r.Exclusive("--outlet", "--outlet-pressure");
  r.Exclusive("--outlet", "--efficiency");
  r.OneOf("--outlet", "--outlet-pressure");
  if (r.Opts().Has("--outlet")) {
    // The inverse: the efficiency of the measured states.
    const StateInput outlet = r.State("--outlet");
    const std::optional<double> flow = r.OptionalFlow("--flow");
    return r.Failed() ? Faulted(r) : MachineEfficiency(evaluator, machine, inlet, outlet, flow);
  }
  const MachineInput input{machine, inlet, r.Value("--outlet-pressure", kPressure), r.Percent("--efficiency", 100.0),
                           r.OptionalFlow("--flow")};
  return r.Failed() ? Faulted(r) : Expand(evaluator, input);
}

ProcessOutcome RunTurbine(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  return RunMachine(Machine::kTurbine, r, evaluator);
}

ProcessOutcome RunPump(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  return RunMachine(Machine::kPump, r, evaluator);
}

ProcessOutcome RunThrottle(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  const StateInput inlet = r.State("--inlet");
  const double pressure = r.Value("--outlet-pressure", kPressure);
  return r.Failed() ? Faulted(r) : Throttle(evaluator, inlet, pressure);
}

ProcessOutcome RunCalorimeter(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  const StateInput outlet = r.State("--outlet");
  const double pressure = r.Value("--inlet-pressure", kPressure);
  return r.Failed() ? Faulted(r) : ThrottlingCalorimeter(evaluator, outlet, pressure);
}

ProcessOutcome RunMix(ValueReader& r, StateEvaluator& evaluator, const Args& streams) {
  std::vector<StreamInput> inputs;
  for (const std::string& stream : streams) inputs.push_back(r.Stream("--stream", stream));
  const double pressure = r.Value("--pressure", kPressure);
  return r.Failed() ? Faulted(r) : Mix(evaluator, inputs, pressure);
}

ProcessOutcome RunDesuperheat(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  r.Exclusive("--target-temperature", "--target-enthalpy");
  r.OneOf("--target-temperature", "--target-enthalpy");
  const DesuperheatInput input{r.Stream("--steam"), r.State("--water"),
                               r.OptionalValue("--target-temperature", kTemperature),
                               r.OptionalValue("--target-enthalpy", kEnthalpyQ)};
  return r.Failed() ? Faulted(r) : Desuperheat(evaluator, input);
}

ProcessOutcome RunFlash(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  const StreamInput stream = r.Stream("--inlet");
  const double pressure = r.Value("--pressure", kPressure);
  return r.Failed() ? Faulted(r) : Flash(evaluator, stream, pressure);
}

ProcessOutcome RunHeat(ValueReader& r, StateEvaluator& evaluator, const Args&) {
  const StateInput inlet = r.State("--inlet");
  r.Exclusive("--outlet", "--outlet-pressure");
  r.Exclusive("--outlet", "--heat");
  r.OneOf("--outlet", "--outlet-pressure");
  r.Together("--outlet-pressure", "--heat");
  if (r.Opts().Has("--outlet")) {
    const StateInput outlet = r.State("--outlet");
    const std::optional<double> flow = r.OptionalFlow("--flow");
    return r.Failed() ? Faulted(r) : Heat(evaluator, inlet, outlet, flow);
  }
  const double pressure = r.Value("--outlet-pressure", kPressure);
  // Heat per kg, a difference of enthalpies: in the enthalpy unit, which has no offset.
  const double heat = r.Value("--heat", kEnthalpyQ);
  const std::optional<double> flow = r.OptionalFlow("--flow");
  return r.Failed() ? Faulted(r) : HeatTo(evaluator, inlet, pressure, heat, flow);
}

struct Operation {
  std::string_view name;
  std::map<std::string, bool> options;  // besides the report's
  Runner run;
};

const std::array<Operation, 8>& Operations() {
  static const std::array<Operation, 8> operations = {
      Operation{"turbine",
                {{"--inlet", true},
                 {"--outlet", true},
                 {"--outlet-pressure", true},
                 {"--efficiency", true},
                 {"--flow", true}},
                RunTurbine},
      Operation{"pump",
                {{"--inlet", true},
                 {"--outlet", true},
                 {"--outlet-pressure", true},
                 {"--efficiency", true},
                 {"--flow", true}},
                RunPump},
      Operation{"throttle", {{"--inlet", true}, {"--outlet-pressure", true}}, RunThrottle},
      Operation{"calorimeter", {{"--outlet", true}, {"--inlet-pressure", true}}, RunCalorimeter},
      Operation{"mix", {{"--pressure", true}}, RunMix},
      Operation{
          "desuperheat",
          {{"--steam", true}, {"--water", true}, {"--target-temperature", true}, {"--target-enthalpy", true}},
          RunDesuperheat},
      Operation{"flash", {{"--inlet", true}, {"--pressure", true}}, RunFlash},
      Operation{"heat",
                {{"--inlet", true},
                 {"--outlet", true},
                 {"--outlet-pressure", true},
                 {"--heat", true},
                 {"--flow", true}},
                RunHeat},
  };
  return operations;
}

// The values of a repeated option (mix --stream), taken out of the arguments.
std::optional<Args> TakeRepeated(Args& args, const std::string& option, std::string& error) {
  Args values, rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != option) {
      rest.push_back(args[i]);
    } else if (i + 1 < args.size()) {
      values.push_back(args[++i]);
    } else {
      error = option + " needs a value";
      return std::nullopt;
    }
  }
  args = std::move(rest);
  return values;
}

}  // namespace

int ProcessCommand(const Args& args, ProcessDrawer drawer) {
  const Operation* operation = nullptr;
  for (const Operation& o : Operations())
    if (!args.empty() && args[0] == o.name) operation = &o;
  if (operation == nullptr)
    return Refuse(kCommand,
                  (args.empty() ? std::string("no operation") : "unknown operation: " + Shown(args[0])) +
                      " (turbine, pump, throttle, calorimeter, mix, desuperheat, flash or heat)");
  Args rest(args.begin() + 1, args.end());
  std::string error;
  std::optional<Args> streams = Args{};
  if (operation->name == "mix") streams = TakeRepeated(rest, "--stream", error);
  if (!streams) return Refuse(kCommand, error);
  const std::optional<Options> o = ParseOptions(rest, ProcessOptions(operation->options), error);
  if (!o) return Refuse(kCommand, error);
  const std::optional<ReportSetup> setup = SetupOf(*o, drawer, error);
  if (!setup) return Refuse(kCommand, error);
  StateEvaluator evaluator(*setup->set);
  ValueReader reader(*o, *setup);
  return Finish(operation->run(reader, evaluator, *streams), *setup, evaluator, drawer, kCommand);
}

}  // namespace tulo::cli
