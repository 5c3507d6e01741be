// tulo-calc cycle rankine ...: the Rankine cycle (with reheat and an open feedwater heater as
// asked) over the state evaluator. This command reads the options into internal units, calls the
// cycle and prints its report.

#include "cli/CliText.h"
#include "cli/ProcessArgs.h"

namespace tulo::cli {
namespace {

const char* const kCommand = "cycle";

const std::map<std::string, bool> kRankineOptions = {
    {"--boiler-pressure", true},           {"--turbine-inlet-temperature", true},
    {"--saturated-vapour", false},         {"--condenser-pressure", true},
    {"--turbine-efficiency", true},        {"--pump-efficiency", true},
    {"--reheat-pressure", true},           {"--reheat-temperature", true},
    {"--feedwater-heater-pressure", true}, {"--net-power", true},
};

ProcessOutcome RunRankine(ValueReader& r, StateEvaluator& evaluator) {
  const Options& o = r.Opts();
  const bool saturated = o.flags.count("--saturated-vapour") != 0;
  if (saturated == o.Has("--turbine-inlet-temperature"))
    return {std::nullopt,
            saturated ? "--turbine-inlet-temperature and --saturated-vapour together: give one of them"
                      : "missing --turbine-inlet-temperature or --saturated-vapour"};
  r.Together("--reheat-pressure", "--reheat-temperature");
  RankineInput input;
  input.boilerPressure = r.Value("--boiler-pressure", kPressure);
  input.turbineInletTemperature = r.OptionalValue("--turbine-inlet-temperature", kTemperature);
  input.condenserPressure = r.Value("--condenser-pressure", kPressure);
  input.turbineEfficiency = r.Percent("--turbine-efficiency", 100.0);
  input.pumpEfficiency = r.Percent("--pump-efficiency", 100.0);
  input.reheatPressure = r.OptionalValue("--reheat-pressure", kPressure);
  input.reheatTemperature = r.OptionalValue("--reheat-temperature", kTemperature);
  input.feedwaterHeaterPressure = r.OptionalValue("--feedwater-heater-pressure", kPressure);
  input.netPower = r.OptionalPower("--net-power");
  if (r.Failed()) return {std::nullopt, r.Error()};
  return Rankine(evaluator, input);
}

}  // namespace

int CycleCommand(const Args& args, ProcessDrawer drawer) {
  if (args.empty() || args[0] != "rankine")
    return Refuse(kCommand, (args.empty() ? std::string("no cycle") : "unknown cycle: " + Shown(args[0])) +
                                " (rankine)");
  std::string error;
  const std::optional<Options> o =
      ParseOptions(Args(args.begin() + 1, args.end()), ProcessOptions(kRankineOptions), error);
  if (!o) return Refuse(kCommand, error);
  const std::optional<ReportSetup> setup = SetupOf(*o, drawer, error);
  if (!setup) return Refuse(kCommand, error);
  StateEvaluator evaluator(*setup->set);
  ValueReader reader(*o, *setup);
  return Finish(RunRankine(reader, evaluator), *setup, evaluator, drawer, kCommand);
}

}  // namespace tulo::cli
