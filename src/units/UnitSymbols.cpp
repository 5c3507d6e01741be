#include "units/UnitSymbols.h"

#include <array>
#include <span>

namespace tulo {
namespace {

// Units 1 to 4 of the temperature list: Kelvin, Celsius, Fahrenheit, Rankine; the symbols in
// lower case. "\260" is the degree sign of Latin-1 exports, "\u00B0" that of UTF-8 ones.
struct TemperatureSymbols {
  int unit;
  std::array<std::string_view, 6> texts;  // empty ones unused
};
constexpr TemperatureSymbols kTemperatureSymbols[] = {
    {1, {"k", "kelvin"}},
    {2, {"degc", "deg c", "\u00B0c", "\260c", "c", "celsius"}},
    {3, {"degf", "deg f", "\u00B0f", "\260f", "f", "fahrenheit"}},
    {4, {"degr", "deg r", "\u00B0r", "\260r", "r", "rankine"}},
};

// The absolute unit of each pressure symbol; its gauge unit is the same unit in the gauge half of
// the list (units 12 to 22, MPa gauge 24).
struct PressureSymbol {
  std::string_view text;  // lower case
  int absolute;
  int gauge;
};
constexpr PressureSymbol kPressureSymbols[] = {
    {"kpa", 1, 12},      {"atm", 2, 13},     {"bar", 3, 14},   {"inh2o", 4, 15},   {"in h2o", 4, 15},
    {"inch h2o", 4, 15}, {"inhg", 5, 16},    {"in hg", 5, 16}, {"inch hg", 5, 16}, {"kgf/cm2", 6, 17},
    {"kg/cm2", 6, 17},   {"lbf/ft2", 7, 18}, {"mbar", 8, 19},  {"mmhg", 9, 20},    {"mm hg", 9, 20},
    {"pa", 10, 21},      {"psi", 11, 22},    {"mpa", 23, 24},
};

// What may follow a pressure symbol: nothing or an absolute mark, or a gauge mark.
constexpr std::string_view kAbsoluteSuffixes[] = {"", "a", "(a)", " a", " abs", " (a)"};
constexpr std::string_view kGaugeSuffixes[] = {"g", "(g)", " g", " gauge", " (g)"};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> PressureUnit(std::string_view symbol) {
  for (const PressureSymbol& known : kPressureSymbols) {
    if (!symbol.starts_with(known.text)) continue;
    const std::string_view suffix = symbol.substr(known.text.size());
    for (std::string_view mark : kAbsoluteSuffixes)
      if (suffix == mark) return known.absolute;
    for (std::string_view mark : kGaugeSuffixes)
      if (suffix == mark) return known.gauge;
  }
  return std::nullopt;
}

// The enthalpy units 1 to 6 and the entropy units of the same place in their lists (kJ/kg and
// kJ/kg.K, Btu/lb and Btu/lb.F...): an energy per mass, then per degree. A degree Celsius is a
// kelvin and a Rankine a Fahrenheit in a difference, so either names the entropy unit.
struct PerMassSymbol {
  std::string_view energy, mass;  // lower case
  bool fahrenheit;                // per degree Fahrenheit (or Rankine), else per kelvin (or Celsius)
  int unit;
};
constexpr PerMassSymbol kPerMassSymbols[] = {
    {"kj", "kg", false, 1},  {"btu", "lb", true, 2},   {"btu", "lbm", true, 2},  {"cal", "g", false, 3},
    {"chu", "lb", false, 4}, {"kcal", "kg", false, 5}, {"kj", "kmol", false, 6},
};
constexpr std::string_view kPerKelvin[] = {"k", "c", "degc", "\u00B0c", "\260c"};
constexpr std::string_view kPerFahrenheit[] = {"f", "degf", "\u00B0f", "\260f", "r", "degr", "\u00B0r"};
// Between the mass and the degree: "kJ/kg.K", "kJ/kg K", "kJ/kg/K", "kJ/(kg K)", "kJ/kg\u00B7K".
constexpr std::string_view kDegreeSeparators[] = {".", " ", "/", "*", "-", "\u00B7"};

bool IsDegree(std::string_view text, bool fahrenheit) {
  for (std::string_view degree : fahrenheit ? std::span<const std::string_view>(kPerFahrenheit)
                                            : std::span<const std::string_view>(kPerKelvin))
    if (text == degree) return true;
  return false;
}

// The per-mass unit of an enthalpy (perDegree false) or entropy symbol.
std::optional<int> PerMassUnit(std::string_view symbol, bool perDegree) {
  for (const PerMassSymbol& known : kPerMassSymbols) {
    if (!symbol.starts_with(known.energy) || symbol.substr(known.energy.size(), 1) != "/") continue;
    std::string_view rest = symbol.substr(known.energy.size() + 1);
    if (rest.size() > 2 && rest.front() == '(' && rest.back() == ')') rest = rest.substr(1, rest.size() - 2);
    if (!rest.starts_with(known.mass)) continue;
    rest.remove_prefix(known.mass.size());
    if (!perDegree) {
      if (rest.empty()) return known.unit;
      continue;
    }
    for (std::string_view separator : kDegreeSeparators)
      if (rest.starts_with(separator) && IsDegree(rest.substr(separator.size()), known.fahrenheit))
        return known.unit;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> UnitFromSymbol(Quantity q, std::string_view symbol) {
  const std::string lower = Lower(Trimmed(symbol));
  if (q == kPressure) return PressureUnit(lower);
  if (q == kEnthalpyQ || q == kEntropyQ) return PerMassUnit(lower, q == kEntropyQ);
  if (q != kTemperature) return std::nullopt;
  for (const TemperatureSymbols& known : kTemperatureSymbols)
    for (std::string_view text : known.texts)
      if (!text.empty() && lower == text) return known.unit;
  return std::nullopt;
}

std::string KnownUnitSymbols(Quantity q) {
  if (q == kTemperature) return "K, degC, \u00B0C, C, degF, \u00B0F, F, R, degR, \u00B0R";
  if (q == kPressure)
    return "kPa, MPa, Pa, bar, mbar, atm, psi, inH2O, inHg, mmHg, kgf/cm2, lbf/ft2; absolute as they "
           "stand or with a, (a) or abs (bara, bar(a)), gauge with g, (g) or gauge (barg, psig, bar(g))";
  if (q == kEnthalpyQ) return "kJ/kg, Btu/lb, cal/g, Chu/lb, kcal/kg, kJ/kmol";
  if (q == kEntropyQ)
    return "kJ/kg.K, Btu/lb.F, cal/g.C, Chu/lb.C, kcal/kg.C, kJ/kmol.K (also written kJ/(kg K), "
           "kJ/kg K, kJ/kg/K)";
  return {};
}

}  // namespace tulo
