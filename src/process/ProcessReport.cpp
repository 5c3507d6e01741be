#include "process/ProcessReport.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

#include "common/Text.h"
#include "results/DisplayValue.h"
#include "results/Standards.h"

namespace tulo {
namespace {

// kg/s per unit of flow: an hour is 3600 s, a tonne 1000 kg, a pound 0.45359237 kg exactly.
struct FlowUnitEntry {
  FlowUnit unit;
  std::string_view text;
  double kgPerSecond;
};
constexpr std::array kFlowUnits = {
    FlowUnitEntry{FlowUnit::kKgPerS, "kg/s", 1.0},
    FlowUnitEntry{FlowUnit::kKgPerH, "kg/h", 1.0 / 3600.0},
    FlowUnitEntry{FlowUnit::kTonnePerH, "t/h", 1000.0 / 3600.0},
    FlowUnitEntry{FlowUnit::kLbPerH, "lb/h", 0.45359237 / 3600.0},
};

struct PowerUnitEntry {
  PowerUnit unit;
  std::string_view text;
  double kW;
};
constexpr std::array kPowerUnits = {PowerUnitEntry{PowerUnit::kKW, "kW", 1.0},
                                    PowerUnitEntry{PowerUnit::kMW, "MW", 1000.0}};

const FlowUnitEntry& EntryOf(FlowUnit unit) {
  return kFlowUnits[static_cast<std::size_t>(unit)];
}
const PowerUnitEntry& EntryOf(PowerUnit unit) {
  return kPowerUnits[static_cast<std::size_t>(unit)];
}

constexpr std::string_view kPercent = "%";
// Heat rate: kJ of heat per kWh of net work, in every unit system (the plant engineer's figure).
constexpr std::string_view kHeatRateUnit = "kJ/kWh";

// The quantities of a state, in the order of a report's columns.
constexpr std::array kStateNames = {PairName::kT, PairName::kP, PairName::kH, PairName::kS, PairName::kX};

// The unit table's text without the blank some carry ("cal/g ").
std::string UnitTextOf(const UnitSettings& units, Quantity q) {
  std::string text = units.UnitText(q);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string UnitOfName(PairName name, const ReportUnits& units) {
  const std::optional<Quantity> q = QuantityOf(name);
  return q ? UnitTextOf(*units.units, *q) : std::string(kPercent);
}

// Every digit the standard stores of a shown value: a figure of the built-in standard, formed in
// double precision from its Real6 values, is stored as a Real6 like every value it shows; "" for a
// value that cannot be shown.
std::string StoredText(double value, const ReportUnits& units) {
  const double stored = static_cast<double>(units.set->Storage().Store(value));
  return std::isfinite(stored) ? StoredValueText(stored, *units.set) : "";
}

// A shown value as text: every digit the standard stores, or 6 significant digits.
std::string NumberText(double value, const ReportUnits& units, bool fullPrecision) {
  if (!std::isfinite(value)) return "";
  return fullPrecision ? StoredText(value, units) : GeneralText(value, 6);
}

std::string JsonNumber(double value, const ReportUnits& units) {
  const std::string text = StoredText(value, units);
  return text.empty() ? "null" : text;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A name for people: "outlet_isentropic" as "outlet isentropic".
std::string Spoken(std::string_view name) {
  std::string text(name);
  for (char& c : text)
    if (c == '_') c = ' ';
  return text;
}

// "key":value appended to an object (or, without a key, to a list) being written.
void AddMember(std::string& json, std::string_view key, const std::string& value) {
  if (json.back() != '{' && json.back() != '[') json += ',';
  if (!key.empty()) json.append(JsonString(key)).append(":");
  json += value;
}

std::string StateJson(const ProcessState& state, const ReportUnits& units, std::string_view name = "") {
  std::string json = "{";
  if (!name.empty()) AddMember(json, "name", JsonString(name));
  for (const PairName q : kStateNames) {
    const std::optional<ReportValue> v = StateValueShown(state, q, units);
    AddMember(json, NameText(q), v ? JsonNumber(v->value, units) : std::string("null"));
  }
  return json + "}";
}

std::string UnitsJson(const ProcessResult& result, const ReportUnits& units) {
  std::string json = "{";
  for (const PairName name : kStateNames)
    AddMember(json, NameText(name), JsonString(UnitOfName(name, units)));
  for (const Figure& figure : result.figures)
    AddMember(json, figure.name, JsonString(FigureShown(figure, units).unit));
  return json + "}";
}

// A cell of a delimited line, quoted when it holds the separator, a quote or a line end.
std::string Cell(const std::string& text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Line(const std::vector<std::string>& cells, char separator) {
  std::string line;
  for (const std::string& cell : cells) {
    if (&cell != &cells.front()) line += separator;
    line += Cell(cell, separator);
  }
  return line + "\n";
}

// The text table of the states: a row of names, a row of units, one row per state; the first
// column the state's number and name, the numbers right-aligned in columns as wide as their
// widest cell.
std::string StateTable(const ProcessResult& result, const ReportUnits& units, bool fullPrecision) {
  std::vector<std::vector<std::string>> rows = {{"State"}, {""}};
  for (const PairName name : kStateNames) {
    rows[0].emplace_back(NameText(name));
    rows[1].push_back(UnitOfName(name, units));
  }
  for (std::size_t i = 0; i < result.states.size(); ++i) {
    std::vector<std::string> row = {std::to_string(i + 1) + "  " + Spoken(result.states[i].name)};
    for (const PairName name : kStateNames) {
      const std::optional<ReportValue> v = StateValueShown(result.states[i].state, name, units);
      row.push_back(v ? NumberText(v->value, units, fullPrecision) : "");
    }
    rows.push_back(std::move(row));
  }
  std::vector<std::size_t> widths(rows[0].size(), 0);
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Utf8Length(row[c]));
  std::string text;
  for (const auto& row : rows) {
    std::string line = PadRight(row[0], widths[0]);
    for (std::size_t c = 1; c < row.size(); ++c)
      line += std::string(widths[c] + 2 - Utf8Length(row[c]), ' ') + row[c];
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

}  // namespace

std::optional<FlowUnit> FlowUnitNamed(std::string_view name) {
  for (const FlowUnitEntry& e : kFlowUnits)
    if (e.text == name) return e.unit;
  return std::nullopt;
}

std::optional<PowerUnit> PowerUnitNamed(std::string_view name) {
  for (const PowerUnitEntry& e : kPowerUnits)
    if (e.text == name) return e.unit;
  return std::nullopt;
}

std::string_view FlowUnitText(FlowUnit unit) {
  return EntryOf(unit).text;
}

std::string_view PowerUnitText(PowerUnit unit) {
  return EntryOf(unit).text;
}

double FlowToInternal(double value, FlowUnit unit) {
  return value * EntryOf(unit).kgPerSecond;
}

double PowerToInternal(double value, PowerUnit unit) {
  return value * EntryOf(unit).kW;
}

std::optional<ReportValue> StateValueShown(const ProcessState& state, PairName name,
                                           const ReportUnits& units) {
  if (name == PairName::kX) {
    if (!state.x) return std::nullopt;
    return ReportValue{*state.x, std::string(kPercent)};
  }
  const std::array internal = {state.T, state.P, state.h, state.s};
  const Quantity q = *QuantityOf(name);
  const long double shown =
      UnitConversion(*units.units, *units.set, q).ToDisplay(internal[static_cast<std::size_t>(name)]);
  if (!std::isfinite(shown)) return std::nullopt;
  return ReportValue{static_cast<double>(shown), UnitTextOf(*units.units, q)};
}

ReportValue FigureShown(const Figure& figure, const ReportUnits& units) {
  switch (figure.kind) {
    case FigureKind::kSpecificEnergy:
      // A difference of enthalpies: the enthalpy units have no offset, so the conversion of an
      // enthalpy is the conversion of a difference too.
      return {
          static_cast<double>(UnitConversion(*units.units, *units.set, kEnthalpyQ).ToDisplay(figure.value)),
          UnitTextOf(*units.units, kEnthalpyQ)};
    case FigureKind::kPower:
      return {figure.value / EntryOf(units.power).kW, std::string(EntryOf(units.power).text)};
    case FigureKind::kFlow:
      return {figure.value / EntryOf(units.flow).kgPerSecond, std::string(EntryOf(units.flow).text)};
    case FigureKind::kPercent:
      return {figure.value, std::string(kPercent)};
    case FigureKind::kHeatRate:
      return {figure.value, std::string(kHeatRateUnit)};
  }
  return {figure.value, ""};
}

std::string ProcessText(const ProcessResult& result, const ReportUnits& units, bool fullPrecision) {
  std::string text = StateTable(result, units, fullPrecision);
  if (result.figures.empty()) return text;
  std::size_t width = 0;
  for (const Figure& figure : result.figures) width = std::max(width, figure.name.size());
  text += "\n";
  for (const Figure& figure : result.figures) {
    const ReportValue v = FigureShown(figure, units);
    const std::string number = NumberText(v.value, units, fullPrecision);
    text += PadRight(Spoken(figure.name), width + 2) + (number.empty() ? "-" : number + " " + v.unit) + "\n";
  }
  return text;
}

std::string ProcessJson(const ProcessResult& result, const ReportUnits& units) {
  std::string json = "{";
  AddMember(json, "standard", JsonString(StandardKey(*units.set)));
  if (result.stateList) {
    std::string list = "[";
    for (const NamedState& named : result.states)
      AddMember(list, "", StateJson(named.state, units, named.name));
    AddMember(json, "states", list + "]");
  } else {
    for (const NamedState& named : result.states) AddMember(json, named.name, StateJson(named.state, units));
  }
  for (const Figure& figure : result.figures)
    AddMember(json, figure.name, JsonNumber(FigureShown(figure, units).value, units));
  AddMember(json, "units", UnitsJson(result, units));
  return json + "}\n";
}

std::string ProcessDelimited(const ProcessResult& result, const ReportUnits& units, char separator,
                             bool fullPrecision) {
  std::vector<std::string> header = {"State"};
  for (const PairName name : kStateNames)
    header.push_back(std::string(NameText(name)) + " [" + UnitOfName(name, units) + "]");
  std::string text = Line(header, separator);
  for (const NamedState& named : result.states) {
    std::vector<std::string> row = {named.name};
    for (const PairName name : kStateNames) {
      const std::optional<ReportValue> v = StateValueShown(named.state, name, units);
      row.push_back(v ? NumberText(v->value, units, fullPrecision) : "");
    }
    text += Line(row, separator);
  }
  for (const Figure& figure : result.figures) {
    const ReportValue v = FigureShown(figure, units);
    text += Line({std::string(figure.name), NumberText(v.value, units, fullPrecision), v.unit}, separator);
  }
  return text;
}

}  // namespace tulo
