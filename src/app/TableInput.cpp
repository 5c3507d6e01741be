#include "app/TableInput.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "app/InputChecks.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "results/DisplayValue.h"

namespace tulo {
namespace {

// A field that must hold a number in the display unit of q (or a plain number without q).
struct NumberField {
  const char* name;
  const std::string& text;
};

std::string QuantityName(Quantity q) {
  return q == kTemperature ? "temperature" : "pressure";
}

// A typed value of q in its internal unit, converted as the input checks convert it.
long double Internal(Session& s, Quantity q, double typed) {
  return UnitConversion(s.units, s.Set(), q).ToInternal(typed);
}

// The number typed, as the standard reads it, or the message: a text that is no number, or a
// number beyond the program's reals (typed, or in the internal unit of q).
std::optional<double> ReadField(const NumberField& field, std::optional<Quantity> q, Session& s,
                                std::string& error) {
  const std::optional<double> value = s.Set().Storage().ReadTyped(field.text);
  if (value && (!q || FitsReal6(Internal(s, *q, *value)))) return value;
  error = std::string(field.name) + (IsNumberText(field.text) ? " is out of range: " : " is not a number: ") +
          field.text;
  return std::nullopt;
}

// The sign of a typed number, from its digits: a step of 1e-300 is positive, though it is below
// what the program's reals hold and reads as 0.
int TypedSign(std::string_view text) {
  const std::string_view digits = text.substr(0, text.find_first_of("eE"));
  if (digits.find_first_of("123456789") == std::string_view::npos) return 0;
  return digits.find('-') == std::string_view::npos ? 1 : -1;
}

// The items as the request takes them: the default ones for none, each once, all given by the set.
std::optional<std::vector<Item>> TableItems(const CorrelationSet& set, Session& s, const TableInput& input,
                                            std::string& error) {
  if (input.items.empty()) return DefaultTableItems(set, input.kind);
  std::vector<Item> items;
  for (Item item : input.items) {
    if (!IsVariableItem(item) || s.Calculators().VarPropCalc(item) == nullptr) {
      error = (PropName(item).empty() ? "That item" : PropName(item)) + " is not given by the " + set.Name() +
              ".";
      return std::nullopt;
    }
    if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
  }
  return items;
}

}  // namespace

TableCheck CheckTableInput(Session& s, const TableInput& input) {
  TableCheck check;
  std::string& error = check.error;
  const Quantity varied = VariedQuantity(input.kind);
  const std::optional<Quantity> fixed = FixedQuantity(input.kind);
  const InputChecks limits(s);

  // What must be there, and numbers where numbers are due.
  if (input.from.empty() || input.to.empty()) {
    error = "Please enter From and To.";
    return check;
  }
  if (input.step.empty() == input.rows.empty()) {
    error = input.step.empty() ? "Please enter either a Step or a number of Rows."
                               : "Please enter either a Step or a number of Rows, not both.";
    return check;
  }
  if (fixed && input.at.empty()) {
    error = "Please enter the " + QuantityName(*fixed) + " of the " +
            (*fixed == kPressure ? "isobar" : "isotherm") + " (At).";
    return check;
  }
  if (!fixed && !input.at.empty()) {
    error = "At is only for an isobar or an isotherm.";
    return check;
  }
  const std::optional<double> from = ReadField({"From", input.from}, varied, s, error);
  if (!from) return check;
  const std::optional<double> to = ReadField({"To", input.to}, varied, s, error);
  if (!to) return check;
  std::optional<double> spacing;
  if (!input.step.empty())
    spacing = ReadField({"Step", input.step}, std::nullopt, s, error);
  else
    spacing = ReadField({"Rows", input.rows}, std::nullopt, s, error);
  if (!spacing) return check;
  std::optional<double> at;
  if (fixed) {
    at = ReadField({"At", input.at}, fixed, s, error);
    if (!at) return check;
  }

  // The states inside the input limits of the standard, with the window's messages.
  if (fixed && !limits.InRange(*fixed, Internal(s, *fixed, *at))) {
    error = limits.RangeText(*fixed);
    return check;
  }
  for (double value : {*from, *to}) {
    const long double internal = Internal(s, varied, value);
    if (!limits.InRange(varied, internal)) {
      error = limits.RangeText(varied);
      return check;
    }
    if (IsSaturationTable(input.kind) && !limits.BelowSaturationLimit(varied, internal)) {
      error = limits.SaturationLimitText(varied);
      return check;
    }
  }

  // The rows.
  if (*from > *to) {
    error = "From must not be above To.";
    return check;
  }
  std::optional<TableRange> range;
  if (!input.step.empty()) {
    const int sign = TypedSign(input.step);
    if (sign == 0) {
      error = "The Step must not be zero.";
      return check;
    }
    if (sign < 0) {
      error = "The Step must be positive: the table runs from From up to To.";
      return check;
    }
    // A step below what the program's reals hold reads as 0: a division by zero, too many rows.
    range = RangeByStep(*from, *to, *spacing);
    if (!range) {
      error = "The Step gives too many rows: a table has at most 1 000 000.";
      return check;
    }
  } else {
    if (*spacing != std::floor(*spacing) || *spacing < 1.0) {
      error = "Rows must be a whole number, at least 1.";
      return check;
    }
    if (*spacing > static_cast<double>(kMaxTableRows)) {
      error = "A table has at most 1 000 000 rows.";
      return check;
    }
    const auto rows = static_cast<std::int64_t>(*spacing);
    if (rows == 1 && *from != *to) {
      error = "One row needs From equal to To; a range needs at least 2 rows.";
      return check;
    }
    range = RangeByRows(*from, *to, rows);
  }

  std::optional<std::vector<Item>> items = TableItems(s.Set(), s, input, error);
  if (!items) return check;
  check.request = TableRequest{input.kind, *range, at.value_or(0.0), std::move(*items)};
  return check;
}

}  // namespace tulo
