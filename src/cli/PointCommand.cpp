// tulo-calc point NAME=VALUE NAME=VALUE [--standard S] [--units U] [--items LIST]: one state given
// by any pair of T, P, h, s and x, as one JSON object on one line, for scripts. The evaluator
// checks and solves the state; this command only reads the arguments and writes its values.

#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/StateArgs.h"
#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/PhaseCondition.h"
#include "results/Standards.h"
#include "results/StateEvaluator.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

int Fail(const std::string& message) {
  std::cerr << "tulo-calc point: " << message << "\n";
  return 2;
}

const std::map<std::string, bool> kOptions = {{"--standard", true}, {"--units", true}, {"--items", true}};

// The arguments split into the two NAME=VALUE ones and the options.
struct PointArgs {
  std::vector<Given> given;
  Options options;
};

std::optional<PointArgs> SplitArgs(const Args& args, std::string& error) {
  Args options, given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    // An option and its value go to the option parser, which tells what is wrong with them.
    if (!args[i].empty() && args[i][0] == '-') {
      options.push_back(args[i]);
      const auto known = kOptions.find(args[i]);
      if (known != kOptions.end() && known->second && i + 1 < args.size()) options.push_back(args[++i]);
    } else {
      given.push_back(args[i]);
    }
  }
  PointArgs parsed;
  std::optional<Options> o = ParseOptions(options, kOptions, error);
  if (!o) return std::nullopt;
  parsed.options = std::move(*o);
  for (const std::string& arg : given) {
    std::optional<Given> g = ReadGiven(arg);
    if (!g) {
      error = "unknown argument: " + Shown(arg) + " (" + std::string(kGivenForm) + ")";
      return std::nullopt;
    }
    parsed.given.push_back(std::move(*g));
  }
  if (parsed.given.size() != 2) {
    error = "two of T=VALUE, P=VALUE, h=VALUE, s=VALUE, x=VALUE are needed, not " +
            std::to_string(parsed.given.size());
    return std::nullopt;
  }
  return parsed;
}

// A value as a JSON number with every digit its standard stores, in the display unit; null
// unless valid.
std::string JsonValue(const CalcResult& r, Quantity q, const CorrelationSet& set, UnitSettings& units) {
  const DisplayValue v = UnitConversion(units, set, q).Display(r);
  return v.status == Status::kValid ? StoredValueText(v.value, set) : "null";
}

// The state as one line of JSON. A T or P given is written as it was read (a Celsius value
// converted to kelvin and back would gain a last digit); the other one as the state holds it.
std::string StateJson(StateEvaluator& evaluator, const Evaluated& state, const std::vector<Given>& given,
                      const std::vector<Item>& items, UnitSettings& units) {
  const CorrelationSet& set = evaluator.Set();
  auto stateQuantity = [&](PairName name, Quantity q, double internal) {
    for (const Given& g : given)
      if (g.name == name) return StoredValueText(*set.Storage().ReadTyped(g.text), set);
    return JsonValue(CalcResult{internal, Status::kValid}, q, set, units);
  };
  // Condition texts are fixed words: nothing in them needs a JSON escape.
  std::string json = "{\"standard\":\"" + std::string(StandardKey(set)) + "\",\"condition\":\"" +
                     ConditionName(state.condition) + "\"";
  json += ",\"T\":" + stateQuantity(PairName::kT, kTemperature, state.T);
  json += ",\"P\":" + stateQuantity(PairName::kP, kPressure, state.P);
  json += ",\"x\":" + (state.quality ? StoredValueText(*state.quality, set) : std::string("null"));
  auto add = [&](const std::string& key, Item item) {
    json +=
        ",\"" + key + "\":" + JsonValue(evaluator.StateValue(state, item), PropQuantity(item), set, units);
  };
  add("h", Item::kEnthalpy);
  add("s", Item::kEntropy);
  add("rho", Item::kDensity);
  for (Item item : items) add(ItemKey(item), item);
  return json + "}\n";
}

}  // namespace

int PointCommand(const Args& args) {
  std::string error;
  const std::optional<PointArgs> parsed = SplitArgs(args, error);
  if (!parsed) return Fail(error + "\nusage: " + PointSynopsis() + "\n(tulo-calc --help tells more)");
  const Options& o = parsed->options;
  const CorrelationSet* set = &BuiltInCorrelations();
  if (o.Has("--standard")) set = CorrelationSetNamed(o.values.at("--standard"));
  if (set == nullptr) return Fail(UnknownStandardText(o.values.at("--standard")));
  std::optional<UnitSelection> selection = PresetSelection(UnitPreset::kSI);
  if (o.Has("--units")) selection = ParseUnitsArgument(o.values.at("--units"));
  if (!selection) return Fail(UnknownUnitsText(o.values.at("--units")));
  std::vector<Item> items;
  if (o.Has("--items")) {
    std::optional<std::vector<Item>> list = ParseItems(o.values.at("--items"), *set, error);
    if (!list) return Fail(error);
    items = std::move(*list);
  }
  UnitSettings units;
  units.InitUnits(*selection);
  const std::optional<StateInput> input = InputOf(parsed->given, *set, units, error);
  if (!input) return Fail(error);

  StateEvaluator evaluator(*set);
  const Evaluation evaluation = evaluator.Evaluate(*input);
  if (!evaluation.state) {
    std::cerr << evaluation.error << "\n";
    return 3;
  }
  std::cout << StateJson(evaluator, *evaluation.state, parsed->given, items, units);
  return 0;
}

}  // namespace tulo::cli
