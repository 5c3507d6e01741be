// tulo-calc [-T V] [-P V] [--units U] [--quality PCT] [--layout spaces|tabs] [--wet] [--fixed]
// tulo-calc with two of -T, -P, --enthalpy V, --entropy V, --quality PCT: the window's other pairs
// tulo-calc search --property P --value V --given temperature|pressure --at V [--units U] [--layout L]
// Both drive the same forms as the window and print what "Copy Results" would copy, with LF ends.
// Whatever goes wrong is told on stderr, and then nothing is printed on stdout.

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "cli/CliPlatform.h"
#include "cli/CliText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "results/ResultsReport.h"
#include "results/StateEvaluator.h"

namespace tulo::cli {
namespace {

int Usage(const std::string& message) {
  std::cerr << "tulo-calc: " << message << "\n";
  return 2;
}

// The option of each quantity a state may be given by, in the order of PairName.
constexpr const char* kPairOptions[] = {"-T", "-P", "--enthalpy", "--entropy", "--quality"};

const char* OptionOf(PairName name) {
  return kPairOptions[static_cast<int>(name)];
}

// The pair the options give, other than the window's temperature and pressure: nothing, with
// `error` empty, for -T and -P or one of them alone (--quality beside both is the wet-steam
// grid's, as in the window); nothing, with the message, for options that give no state.
std::optional<InputPair> PairOfOptions(const Options& o, std::string& error) {
  std::vector<PairName> given;
  for (PairName name : {PairName::kT, PairName::kP, PairName::kH, PairName::kS, PairName::kX})
    if (o.Has(OptionOf(name))) given.push_back(name);
  // Without an enthalpy or entropy the window's own entry: -T, -P or both, with --quality the
  // wet-steam grid of the saturated state (a state given by T or P and its quality).
  const bool enthalpyOrEntropy = o.Has("--enthalpy") || o.Has("--entropy");
  if (!enthalpyOrEntropy && (o.Has("-T") || o.Has("-P"))) return std::nullopt;
  if (given.empty()) {
    error = "no state given: -T, -P or both are needed\nusage: " + StateSynopsis() +
            "\n(tulo-calc --help tells more)";
    return std::nullopt;
  }
  const std::optional<InputPair> pair = given.size() == 2 ? PairOf(given[0], given[1]) : std::nullopt;
  if (!pair)
    error =
        "these options give no state: -T, -P or both, or two of -T, -P, --enthalpy, --entropy\n"
        "and --quality (the quality with -T or -P) are needed";
  return pair;
}

// Chooses the pair and types its two values, as the window's chooser and fields take them. The
// message, before any is typed, for a number that its unit turns into a value beyond the program's
// reals.
std::optional<std::string> TypePair(MainForm& form, const Options& o, InputPair pair) {
  const PairInfo& info = InfoOf(pair);
  for (PairName name : {info.first, info.second}) {
    const std::string& text = o.values.at(OptionOf(name));
    const std::optional<Quantity> q = QuantityOf(name);
    const long double value = *ReadNumber(text);
    if (FitsReal6(q ? form.session().units.ToInternal(*q, value) : value)) continue;
    std::string message = NumberProblem(text);
    if (q) message.append(" ").append(form.session().units.UnitText(*q));
    return message;
  }
  form.SelectInputPair(pair);
  form.WriteField(Field::kTemperature, o.values.at(OptionOf(info.first)));
  form.WriteField(Field::kPressure, o.values.at(OptionOf(info.second)));
  return std::nullopt;
}

}  // namespace

int StateCommand(const Args& args) {
  std::string error;
  auto o = ParseOptions(args,
                        {{"-T", true},
                         {"-P", true},
                         {"--enthalpy", true},
                         {"--entropy", true},
                         {"--units", true},
                         {"--standard", true},
                         {"--quality", true},
                         {"--layout", true},
                         {"--wet", false},
                         {"--fixed", false}},
                        error);
  if (!o) return Usage(error);
  const std::optional<ReportLayout> layout = LayoutOf(*o);
  if (!layout) return Usage("--layout must be spaces or tabs");
  for (const char* name : kPairOptions) {
    auto it = o->values.find(name);
    if (it != o->values.end() && !ReadNumber(it->second)) return Usage(NumberProblem(it->second));
  }
  const std::optional<InputPair> pair = PairOfOptions(*o, error);
  if (!error.empty()) return Usage(error);
  // A quality only makes sense for the wet-steam grid: giving one asks for it.
  const bool wet = o->flags.count("--wet") || o->values.count("--quality");

  CliPlatform platform;
  MainForm form(platform);
  form.InitialiseWithoutFile();
  if (!InstallUnits(form, *o)) return Usage(UnknownUnitsText(o->values["--units"]));
  if (!InstallStandard(form, *o)) return Usage(UnknownStandardText(o->values["--standard"]));
  if (const std::optional<std::string> message = pair ? TypePair(form, *o, *pair) : TypeState(form, *o))
    return Usage(*message);

  if (!form.FormError.caption.empty()) {
    std::cerr << form.FormError.caption << "\n";
    return 2;
  }
  if (wet) {
    if (!form.WetSteamPossible.caption.empty()) {
      std::cerr << form.WetSteamPossible.caption << "\n";
      return 2;
    }
    // Another pair's wet state shows its own quality.
    if (!pair) form.WriteField(Field::kWetSteam, o->values.count("--quality") ? o->values["--quality"] : "0");
    if (platform.messages > 0) return 2;  // the quality's message is on stderr
  }
  std::string out = form.ResultsText(*layout, "\n");
  // The grids the copy menu does not hold keep at least one blank between columns.
  if (wet) out.append("\n").append(GridReport(form.WetPropGrid, *layout, "\n", 1));
  if (o->flags.count("--fixed")) out.append("\n").append(GridReport(form.FixPropGrid, *layout, "\n", 1));
  std::cout << out;
  return 0;
}

int SearchCommand(const Args& args) {
  std::string error;
  auto o = ParseOptions(args,
                        {{"--property", true},
                         {"--value", true},
                         {"--given", true},
                         {"--at", true},
                         {"--units", true},
                         {"--standard", true},
                         {"--layout", true}},
                        error);
  if (!o) return Usage(error);
  for (const char* name : {"--property", "--value", "--given", "--at"})
    if (!o->values.count(name)) return Usage(std::string(name) + " is required");
  const std::map<std::string, int> properties = {{"enthalpy", 0}, {"entropy", 1}, {"density", 2}};
  const std::map<std::string, int> givens = {{"temperature", 0}, {"pressure", 1}};
  auto property = properties.find(o->values["--property"]);
  if (property == properties.end()) return Usage("--property must be enthalpy, entropy or density");
  auto given = givens.find(o->values["--given"]);
  if (given == givens.end()) return Usage("--given must be temperature or pressure");
  const std::optional<ReportLayout> layout = LayoutOf(*o);
  if (!layout) return Usage("--layout must be spaces or tabs");

  CliPlatform platform;
  MainForm form(platform);
  form.InitialiseWithoutFile();
  if (!InstallUnits(form, *o)) return Usage(UnknownUnitsText(o->values["--units"]));
  if (!InstallStandard(form, *o)) return Usage(UnknownStandardText(o->values["--standard"]));
  form.SearchInitialiseClick();
  form.SelectSearchItem(property->second);
  form.SelectTempOrPressItem(given->second);
  form.WriteField(Field::kSearchBox, o->values["--value"]);
  form.WriteField(Field::kTempOrPressBox, o->values["--at"]);
  // The form's message is on stderr already.
  switch (form.GoSearchClick()) {
    case SearchOutcome::kFound:
      break;
    case SearchOutcome::kInvalid:
    case SearchOutcome::kOutOfRange:
      return 2;
    case SearchOutcome::kNotFound:
      return 3;
  }
  std::string out = form.ResultsText(*layout, "\n");
  if (form.session().state.Condition == Condition::kSatLiquidVapour)
    out.append(ReportLine("Steam Quality=", form.WetSteamInput.text, *layout)).append("\n");
  std::cout << out;
  return 0;
}

}  // namespace tulo::cli
