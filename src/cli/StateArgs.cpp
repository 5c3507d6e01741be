#include "cli/StateArgs.h"

#include "cli/CliText.h"
#include "common/Real6.h"
#include "results/DisplayValue.h"

namespace tulo::cli {

std::optional<Given> ReadGiven(std::string_view arg) {
  const std::size_t equals = arg.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::optional<PairName> name = PairNamed(arg.substr(0, equals));
  if (!name) return std::nullopt;
  return Given{*name, std::string(arg.substr(equals + 1))};
}

std::optional<double> InternalValue(const std::string& text, std::optional<Quantity> q,
                                    const CorrelationSet& set, const UnitSettings& units,
                                    std::string& error) {
  const std::optional<double> typed = set.Storage().ReadTyped(text);
  if (!typed) {
    error = NumberProblem(text);
    return std::nullopt;
  }
  if (!q) return typed;
  const long double internal = UnitConversion(units, set, *q).ToInternal(*typed);
  // A number that the unit turns into one beyond the program's reals, as -T and -P tell it.
  if (!FitsReal6(internal)) {
    error = NumberProblem(text) + " " + units.UnitText(*q);
    return std::nullopt;
  }
  return static_cast<double>(internal);
}

std::optional<StateInput> InputOf(std::span<const Given> given, const CorrelationSet& set,
                                  const UnitSettings& units, std::string& error) {
  const std::optional<InputPair> pair = PairOf(given[0].name, given[1].name);
  if (!pair) {
    error = given[0].name == given[1].name
                ? std::string(NameText(given[0].name)) + " given twice"
                : std::string(NameText(given[0].name)) + " and " + std::string(NameText(given[1].name)) +
                      ": this pair is not supported (T, P, h, s and x two by two, but not h and x)";
    return std::nullopt;
  }
  StateInput input{*pair};
  for (const Given& g : given) {
    const std::optional<double> value = InternalValue(g.text, QuantityOf(g.name), set, units, error);
    if (!value) return std::nullopt;
    (g.name == InfoOf(*pair).first ? input.first : input.second) = *value;
  }
  return input;
}

}  // namespace tulo::cli
