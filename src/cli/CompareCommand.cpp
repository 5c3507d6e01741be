// tulo-calc compare [-T V] [-P V] [--units U] [--layout spaces|tabs] [--standards A,B,...]: the
// standards at one state side by side (by default the built-in correlations and IAPWS-IF97), each
// compared with the last one named, so that a user sees how far a standard is from the reference
// before trusting it.

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/InputChecks.h"
#include "cli/CliText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "common/NumberReader.h"
#include "common/Text.h"
#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"
#include "results/ResultsReport.h"
#include "results/Standards.h"
#include "results/Session.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

int Fail(const std::string& message) {
  std::cerr << "tulo-calc compare: " << message << "\n";
  return 2;
}

// A value in the display unit of its item and in the internal unit; nothing when the standard
// gives none.
struct Value {
  double shown;
  long double internal;
};

// The value in the display unit: the built-in one through the program's conversion (its Real6
// factors, the result not rounded again), IAPWS-IF97 with the unit table's unrounded factors.
std::optional<Value> ValueOf(Session& s, Item item, Phase phase) {
  StateEvaluator evaluator(s);
  const Evaluated state{s.state.Condition, s.state.TempK, s.state.PresKPa, std::nullopt};
  const CalcResult r = evaluator.Value(state, item, phase);
  if (!r.Ok()) return std::nullopt;
  const Quantity q = PropQuantity(item);
  const long double shown = s.Set().Storage().RoundsToReal6() ? s.units.ToDisplay(q, r.value)
                                                    : UnitConversion(s.units, s.Set(), q).ToDisplay(r.value);
  if (!std::isfinite(shown)) return std::nullopt;
  return Value{static_cast<double>(shown), r.value};
}

// The difference of a and b in per cent of b. A temperature or a pressure is compared as an
// absolute quantity, in kelvin and kPa absolute, whatever its display unit: a per cent of a
// Celsius or a gauge value says nothing. Other quantities in their display unit.
std::optional<double> Percent(Quantity q, const Value& a, const Value& b) {
  const bool absolute = q == kTemperature || q == kPressure;
  const double x = absolute ? static_cast<double>(a.internal) : a.shown;
  const double y = absolute ? static_cast<double>(b.internal) : b.shown;
  if (y == 0.0) return std::nullopt;
  return 100.0 * (x - y) / std::fabs(y);
}

// x with `digits` significant digits, as "%.*g" in the C locale, whatever the process locale.
std::string Number(std::optional<double> x, int digits) {
  return x ? GeneralText(*x, digits) : "-";
}

// The columns' widths: Property, Phase and Unit, a value per standard, then a difference and a
// per cent per standard compared with the last one; a heading wider than its column widens it.
std::vector<std::size_t> Widths(const std::vector<std::string>& heading, std::size_t standards) {
  std::vector<std::size_t> widths;
  for (std::size_t i = 0; i < heading.size(); ++i) {
    std::size_t width = 16;  // a value
    if (i < 3) {
      width = std::array<std::size_t, 3>{30, 8, 14}[i];
    } else if (i >= 3 + standards) {
      width = (i - 3 - standards) % 2 == 0 ? 14 : 10;  // a difference, a per cent
    }
    widths.push_back(std::max(width, Utf8Length(heading[i]) + 1));
  }
  return widths;
}

std::string Row(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths,
                ReportLayout layout) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const bool last = i + 1 == cells.size();
    if (layout == ReportLayout::kTabs)
      line.append(cells[i]).append(last ? "" : "\t");
    else
      line.append(last ? cells[i] : PadRight(cells[i], std::max(widths[i], Utf8Length(cells[i]) + 1)));
  }
  return line + "\n";
}

// The standards of --standards (default builtin,iapws): two or more distinct short names.
std::optional<std::vector<const CorrelationSet*>> StandardsOf(const std::string& list) {
  std::vector<const CorrelationSet*> sets;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    const CorrelationSet* set = CorrelationSetNamed(std::string_view(list).substr(from, comma - from));
    if (set == nullptr || std::find(sets.begin(), sets.end(), set) != sets.end()) return std::nullopt;
    sets.push_back(set);
    from = comma + 1;
  }
  if (sets.size() < 2) return std::nullopt;
  return sets;
}

std::string StandardKeysText() {
  std::string keys;
  for (const StandardEntry& e : Standards()) keys += (keys.empty() ? "" : ", ") + std::string(e.key);
  return keys;
}

// "built-in" in the condition lines, "Built-in" in the heading; a standard's name otherwise.
std::string Label(const CorrelationSet& set, bool heading) {
  if (&set != &BuiltInCorrelations()) return set.Name();
  return heading ? "Built-in" : "built-in";
}

// The heading and the rows of the first standard's grid for its condition, in every standard at
// the same phase ("-" for a standard that did not take the state).
std::string Table(const std::vector<std::unique_ptr<Session>>& sessions, const std::vector<bool>& entered,
                  ReportLayout layout) {
  const Session& first = *sessions.front();
  const std::size_t n = sessions.size();
  std::vector<std::string> heading = {"Property", "Phase", "Unit"};
  for (const auto& s : sessions) heading.push_back(Label(s->Set(), true));
  for (std::size_t k = 0; k + 1 < n; ++k) {
    heading.push_back(n == 2 ? "Difference" : Label(sessions[k]->Set(), true) + " diff");
    heading.push_back("%");
  }
  const std::vector<std::size_t> widths = Widths(heading, n);
  std::string out = Row(heading, widths, layout);
  // The rows of the first standard's grid for its condition, in every standard at the same phase.
  for (Item item : first.Set().Layout().RowSet(first.state.Condition, true)) {
    const Evaluated state{first.state.Condition, first.state.TempK, first.state.PresKPa, std::nullopt};
    for (Phase phase : state.Columns()) {
      std::vector<std::string> cells = {PropName(item), std::string(ColumnName(phase)),
                                        first.units.UnitText(PropQuantity(item))};
      const auto valueIn = [&](std::size_t k) {
        return entered[k] ? ValueOf(*sessions[k], item, phase) : std::nullopt;
      };
      const std::optional<Value> b = valueIn(n - 1);
      std::vector<std::string> differences;
      for (std::size_t k = 0; k < n; ++k) {
        const Session* s = sessions[k].get();
        const std::optional<Value> a = k + 1 == n ? b : valueIn(k);
        // Six digits for values stored as Real6, nine for doubles.
        cells.push_back(Number(a ? std::optional<double>(a->shown) : std::nullopt,
                               s->Set().Storage().RoundsToReal6() ? 6 : 9));
        if (k + 1 == n) continue;
        std::optional<double> diff, percent;
        if (a && b) {
          diff = a->shown - b->shown;
          percent = Percent(PropQuantity(item), *a, *b);
        }
        differences.push_back(Number(diff, 4));
        differences.push_back(Number(percent, 3));
      }
      cells.insert(cells.end(), differences.begin(), differences.end());
      out.append(Row(cells, widths, layout));
    }
  }
  return out;
}

}  // namespace

int CompareCommand(const Args& args) {
  std::string error;
  std::optional<Options> options = ParseOptions(
      args, {{"-T", true}, {"-P", true}, {"--units", true}, {"--layout", true}, {"--standards", true}}, error);
  if (!options) return Fail(error);
  std::map<std::string, std::string>& values = options->values;
  if (!values.count("-T") && !values.count("-P")) return Fail("-T, -P or both are needed");
  UnitSelection units = PresetSelection(UnitPreset::kSI);
  if (values.count("--units")) {
    auto selection = ParseUnitsArgument(values["--units"]);
    if (!selection) return Fail(UnknownUnitsText(values["--units"]));
    units = *selection;
  }
  const std::optional<ReportLayout> chosenLayout = LayoutOf(*options);
  if (!chosenLayout) return Fail("--layout must be spaces or tabs");
  const ReportLayout layout = *chosenLayout;
  const auto sets = StandardsOf(values.count("--standards") ? values["--standards"] : "builtin,iapws");
  if (!sets) return Fail("--standards takes two or more different names of " + StandardKeysText() + ", comma-separated");

  const std::string tText = values.count("-T") ? values["-T"] : "";
  const std::string pText = values.count("-P") ? values["-P"] : "";
  std::vector<std::unique_ptr<Session>> sessions;
  std::vector<bool> entered;  // the standard takes the state
  for (const CorrelationSet* set : *sets) {
    Session& s = *sessions.emplace_back(std::make_unique<Session>(*set));
    s.units.InitUnits(units);
    // The state as the window enters it; one quantity alone is saturated water on each standard's
    // own saturation line, given by the quantity typed. The state must be one the first standard
    // takes (the grid's rows are its own); another that does not take it (beyond its range) shows
    // "Out of Range" and no values.
    error.clear();
    entered.push_back(EnterState(s, tText, pText, error));
    if (!entered.back() && sessions.size() == 1) {
      if (!error.empty()) return Fail(error);
      for (const std::string& text : {tText, pText})
        if (!text.empty() && !ReadNumber(text)) return Fail(NumberProblem(text));
      return Fail("a value is beyond the program's numbers in the units chosen");
    }
  }
  Session& first = *sessions.front();
  const std::size_t n = sessions.size();

  std::string out;
  for (auto [name, q] : {std::pair{"-T", kTemperature}, std::pair{"-P", kPressure}})
    if (values.count(name))
      out.append(ReportLine(q == kTemperature ? "Temperature=" : "Pressure=", values[name] + " " + first.units.UnitText(q),
                            layout))
          .append("\n");
  for (std::size_t k = 0; k < n; ++k)
    out.append(k ? "\n" : "")
        .append(ReportLine("Condition (" + Label(sessions[k]->Set(), false) + ")=",
                           entered[k] ? ConditionName(sessions[k]->state.Condition) : "Out of Range", layout));
  out.append("\n\n").append(Table(sessions, entered, layout));
  std::cout << out;
  return 0;
}

}  // namespace tulo::cli
