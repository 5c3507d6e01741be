#pragma once
// A process or cycle result in the units in use: the one formatting of its states and figures
// for tulo-calc's text and JSON, the window's table, its Copy (tab-separated) and its CSV/JSON
// files. Numbers are written independently of the process locale.

#include <optional>
#include <string>
#include <string_view>

#include "process/Processes.h"
#include "props/CorrelationSet.h"
#include "results/StateEvaluator.h"
#include "units/Units.h"

namespace tulo {

enum class FlowUnit : std::uint8_t { kKgPerS, kKgPerH, kTonnePerH, kLbPerH };
enum class PowerUnit : std::uint8_t { kKW, kMW };

// "kg/s", "kg/h", "t/h", "lb/h"; "kW", "MW".
std::optional<FlowUnit> FlowUnitNamed(std::string_view name);
std::optional<PowerUnit> PowerUnitNamed(std::string_view name);
std::string_view FlowUnitText(FlowUnit unit);
std::string_view PowerUnitText(PowerUnit unit);
double FlowToInternal(double value, FlowUnit unit);    // to kg/s
double PowerToInternal(double value, PowerUnit unit);  // to kW

struct ReportUnits {
  const UnitSettings* units = nullptr;  // T, P, h, s and specific work or heat
  const CorrelationSet* set = nullptr;  // its storage rule (Real6 or double) for the conversions
  FlowUnit flow = FlowUnit::kKgPerS;
  PowerUnit power = PowerUnit::kKW;
};

// A number of a report in its display unit, with the unit's text ("%" for x and percent figures).
struct ReportValue {
  double value = 0.0;
  std::string unit;
};
// T, P, h or s of a state in the units in use; x in percent (nothing for a single phase).
std::optional<ReportValue> StateValueShown(const ProcessState& state, PairName name,
                                           const ReportUnits& units);
ReportValue FigureShown(const Figure& figure, const ReportUnits& units);
// A shown value as a report writes it: 6 significant digits, or every digit the standard stores
// (fullPrecision; a figure of the built-in standard stored as a Real6 like every value it shows);
// "" for a value that cannot be shown. The window's result table writes its cells with it.
std::string ReportNumberText(double value, const ReportUnits& units, bool fullPrecision);

// tulo-calc's text: the states as a table (name, T, P, h, s, x) and the figures one per line,
// each with its unit; 6 significant digits, or every digit the standard stores (fullPrecision).
std::string ProcessText(const ProcessResult& result, const ReportUnits& units, bool fullPrecision);
// JSON with the names of the result (every digit): an operation's states as objects under their
// names, a cycle's as the list "states" of objects with "name"; each state {"T","P","h","s","x"}
// (x null for a single phase); each figure a number; and "units": {quantity: unit text}.
std::string ProcessJson(const ProcessResult& result, const ReportUnits& units);
// The window's Copy (separator '\t') and CSV file (','): a header line, one line per state, then
// one line per figure ("name", value, unit); texts with the separator or a quote are quoted.
std::string ProcessDelimited(const ProcessResult& result, const ReportUnits& units, char separator,
                             bool fullPrecision);

}  // namespace tulo
