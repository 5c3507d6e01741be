// tulo-calc compare [-T V] [-P V] [--units U] [--layout spaces|tabs]: both standards at one state, so
// that a user sees how far the built-in correlations are from IAPWS before trusting them.

#include <cmath>
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

std::string Row(const std::vector<std::string>& cells, ReportLayout layout) {
  static constexpr std::size_t kWidths[] = {30, 8, 14, 16, 16, 14};
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const bool last = i + 1 == cells.size();
    if (layout == ReportLayout::kTabs)
      line.append(cells[i]).append(last ? "" : "\t");
    else
      line.append(last ? cells[i] : PadRight(cells[i], std::max(kWidths[i], Utf8Length(cells[i]) + 1)));
  }
  return line + "\n";
}

}  // namespace

int CompareCommand(const Args& args) {
  std::string error;
  std::optional<Options> options =
      ParseOptions(args, {{"-T", true}, {"-P", true}, {"--units", true}, {"--layout", true}}, error);
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

  const std::string tText = values.count("-T") ? values["-T"] : "";
  const std::string pText = values.count("-P") ? values["-P"] : "";
  Session builtIn(BuiltInCorrelations());
  Session iapws(IapwsCorrelations());
  for (Session* s : {&builtIn, &iapws}) {
    s->units.InitUnits(units);
    // The state as the window enters it; one quantity alone is saturated water on each standard's
    // own saturation line, given by the quantity typed. The state must be one the built-in
    // standard takes: the narrower input range of the two.
    error.clear();
    if (!EnterState(*s, tText, pText, error) && s == &builtIn) {
      if (!error.empty()) return Fail(error);
      for (const std::string& text : {tText, pText})
        if (!text.empty() && !ReadNumber(text)) return Fail(NumberProblem(text));
      return Fail("a value is beyond the program's numbers in the units chosen");
    }
  }

  std::string out;
  for (auto [name, q] : {std::pair{"-T", kTemperature}, std::pair{"-P", kPressure}})
    if (values.count(name))
      out.append(ReportLine(q == kTemperature ? "Temperature=" : "Pressure=", values[name] + " " + builtIn.units.UnitText(q),
                            layout))
          .append("\n");
  out.append(ReportLine("Condition (built-in)=", ConditionName(builtIn.state.Condition), layout));
  out.append("\n").append(ReportLine("Condition (IAPWS-IF97)=", ConditionName(iapws.state.Condition), layout));
  out.append("\n\n").append(Row({"Property", "Phase", "Unit", "Built-in", "IAPWS-IF97", "Difference", "%"}, layout));
  // The rows of the built-in grid for its condition, in both standards at the same phase.
  for (Item item : builtIn.Set().Layout().RowSet(builtIn.state.Condition, true)) {
    const Evaluated state{builtIn.state.Condition, builtIn.state.TempK, builtIn.state.PresKPa, std::nullopt};
    for (Phase phase : state.Columns()) {
      const std::string column(ColumnName(phase));
      const std::optional<Value> a = ValueOf(builtIn, item, phase), b = ValueOf(iapws, item, phase);
      std::optional<double> diff, percent;
      if (a && b) {
        diff = a->shown - b->shown;
        percent = Percent(PropQuantity(item), *a, *b);
      }
      const auto shown = [](const std::optional<Value>& v) {
        return v ? std::optional<double>(v->shown) : std::nullopt;
      };
      out.append(
          Row({PropName(item), column, builtIn.units.UnitText(PropQuantity(item)), Number(shown(a), 6),
               Number(shown(b), 9), Number(diff, 4), Number(percent, 3)},
              layout));
    }
  }
  std::cout << out;
  return 0;
}

}  // namespace tulo::cli
