#include "cli/CommandOptions.h"

#include <utility>

#include "app/UnitsForm.h"
#include "cli/CliText.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo::cli {

std::optional<Options> ParseOptions(const Args& args, const std::map<std::string, bool>& known,
                                    std::string& error) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    auto k = known.find(args[i]);
    if (k == known.end()) {
      error = "unknown argument: " + Shown(args[i]);
      return std::nullopt;
    }
    // The last of two values would win without a word: a script's mistake, told instead.
    if (o.values.count(args[i]) != 0 || o.flags.count(args[i]) != 0) {
      error = "option " + args[i] + " given twice";
      return std::nullopt;
    }
    if (k->second) {  // takes a value
      if (i + 1 >= args.size()) {
        error = args[i] + " needs a value";
        return std::nullopt;
      }
      o.values[args[i]] = args[i + 1];
      ++i;
    } else {
      o.flags[args[i]] = true;
    }
  }
  return o;
}

std::optional<ReportLayout> LayoutOf(const Options& o) {
  auto it = o.values.find("--layout");
  if (it == o.values.end() || it->second == "spaces") return ReportLayout::kSpaces;
  if (it->second == "tabs") return ReportLayout::kTabs;
  return std::nullopt;
}

bool InstallUnits(MainForm& form, const Options& o) {
  auto it = o.values.find("--units");
  if (it == o.values.end()) return true;
  auto selection = ParseUnitsArgument(it->second);
  if (!selection) return false;
  UnitsForm units(form);
  for (int q = 0; q < kQuantityCount; ++q) units.SelectUnit(q, (*selection)[q] - 1);
  units.UnitsOkClick();
  return true;
}

bool InstallStandard(MainForm& form, const Options& o) {
  auto it = o.values.find("--standard");
  if (it == o.values.end()) return true;
  const CorrelationSet* set = CorrelationSetNamed(it->second);
  if (set == nullptr) return false;
  form.SelectCorrelationSet(*set);
  return true;
}

std::optional<std::string> TypeState(MainForm& form, const Options& o) {
  for (auto [name, q] : {std::pair{"-T", kTemperature}, std::pair{"-P", kPressure}}) {
    auto it = o.values.find(name);
    if (it != o.values.end() && !FitsReal6(form.session().units.ToInternal(q, *ReadNumber(it->second))))
      return NumberProblem(it->second) + " " + form.session().units.UnitText(q);
  }
  if (o.Has("-T")) form.WriteField(Field::kTemperature, o.values.at("-T"));
  if (o.Has("-P")) form.WriteField(Field::kPressure, o.values.at("-P"));
  return std::nullopt;
}

}  // namespace tulo::cli
