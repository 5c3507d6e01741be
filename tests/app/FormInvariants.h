#pragma once
// What a user may ever see in the main window, whatever they typed or picked: every value cell a
// number of at most 12 characters, " -", "Out of Range" or blank; names and units from the
// catalogue and the unit table; labels within their lengths; never "nan" or "inf". Shared by the
// long-run test and the form fuzzer; FormProblem names the first control that breaks a rule.

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/MainForm.h"
#include "common/NumberReader.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/PhaseCondition.h"
#include "units/Units.h"

namespace tulo::testing {

inline bool HasNanOrInf(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// A number as the grids and fields show it: readable back, finite, no "nan"/"inf" spelled out.
inline bool IsNumberText(std::string_view text) {
  return !HasNanOrInf(text) && ReadNumber(text).has_value();
}

inline bool IsValueCell(std::string_view text) {
  if (text.empty() || text == " -" || text == "Out of Range") return true;
  return Utf8Length(text) <= 12 && IsNumberText(text);
}

// Any unit text of quantity q (the grids keep the units of their last fill).
inline bool IsUnitTextOf(int q, std::string_view text) {
  for (int n = 1; n <= UnitCount(q); ++n)
    if (UnitTextOf(q, n) == text) return true;
  return false;
}

inline std::optional<Item> ItemNamed(std::string_view name) {
  for (int code = 0; code < kItemCount; ++code)
    if (PropName(*ItemFromCode(code)) == name) return ItemFromCode(code);
  return std::nullopt;
}

// "<field number> <unit of q>", or empty.
inline bool IsStateLabel(std::string_view text, int q) {
  if (text.empty()) return true;
  std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return false;
  return Utf8Length(text.substr(0, blank)) <= 11 && IsNumberText(text.substr(0, blank)) &&
         IsUnitTextOf(q, text.substr(blank + 1));
}

inline std::string CellProblem(const char* grid, int col, int row, const std::string& text) {
  return std::string(grid) + " cell (" + std::to_string(col) + "," + std::to_string(row) + ") = \"" + text +
         "\"";
}

// Rows 1.. of a result grid: a catalogue name (or blank) in column 0, a unit of that item's quantity
// in column 1, value cells from column `firstValue` on; a blank name leaves a blank row.
inline std::string GridRowsProblem(const char* name, const StringGrid& grid, int firstValue) {
  for (int r = 1; r < grid.RowCount(); ++r) {
    const std::string& label = grid.Cell(0, r);
    std::optional<Item> item = label.empty() ? std::nullopt : ItemNamed(label);
    if (!label.empty() && !item) return CellProblem(name, 0, r, label);
    for (int c = 1; c < grid.ColCount(); ++c) {
      const std::string& cell = grid.Cell(c, r);
      if (!item) {
        if (!cell.empty()) return CellProblem(name, c, r, cell);
      } else if (c == 1) {
        if (!IsUnitTextOf(PropQuantity(*item), cell)) return CellProblem(name, c, r, cell);
      } else if (c >= firstValue && !IsValueCell(cell)) {
        return CellProblem(name, c, r, cell);
      }
    }
  }
  return "";
}

inline std::string HeadingProblem(const char* name, const StringGrid& grid,
                                  const std::set<std::string>& allowed) {
  for (int c = 0; c < grid.ColCount(); ++c)
    if (!allowed.count(grid.Cell(c, 0))) return CellProblem(name, c, 0, grid.Cell(c, 0));
  return "";
}

inline std::string FormProblem(const MainForm& f) {
  std::string p;
  if (!(p = HeadingProblem("VarPropGrid", f.VarPropGrid,
                           {"", "Property", "Units", "Solid", "Liquid", "Vapour"}))
           .empty())
    return p;
  if (!(p = GridRowsProblem("VarPropGrid", f.VarPropGrid, 2)).empty()) return p;
  if (!(p = HeadingProblem("WetPropGrid", f.WetPropGrid,
                           {"", "Property", "Units", "Liquid", "Vapour", "Wet St'm"}))
           .empty())
    return p;
  if (!(p = GridRowsProblem("WetPropGrid", f.WetPropGrid, 2)).empty()) return p;
  if (!(p = HeadingProblem("FixPropGrid", f.FixPropGrid, {"", "Property", "Units", "Value"})).empty())
    return p;
  if (!(p = GridRowsProblem("FixPropGrid", f.FixPropGrid, 2)).empty()) return p;

  if (Utf8Length(f.FormError.caption) > 80 || HasNanOrInf(f.FormError.caption))
    return "FormError = \"" + f.FormError.caption + "\"";
  if (!IsStateLabel(f.TemperatureOutput.caption, kTemperature))
    return "TemperatureOutput = \"" + f.TemperatureOutput.caption + "\"";
  if (!IsStateLabel(f.PressureOutput.caption, kPressure))
    return "PressureOutput = \"" + f.PressureOutput.caption + "\"";
  const std::string& condition = f.ConditionText.caption;
  bool knownCondition = condition.empty();
  for (Condition c : kConditions) knownCondition = knownCondition || condition == ConditionName(c);
  if (!knownCondition) return "ConditionText = \"" + condition + "\"";
  // Captions are cut to 28 and 25 characters before their ")".
  if (Utf8Length(f.UnitT.caption) > 29 || f.UnitT.caption.rfind("Temperature (", 0) != 0)
    return "UnitT = \"" + f.UnitT.caption + "\"";
  if (Utf8Length(f.UnitP.caption) > 26 || f.UnitP.caption.rfind("Pressure (", 0) != 0)
    return "UnitP = \"" + f.UnitP.caption + "\"";

  for (const ComboBox* list : {&f.SearchComboBox, &f.TempOrPressComboBox}) {
    for (const std::string& item : list->items)
      if (Utf8Length(item) > 48 || HasNanOrInf(item)) return "search list entry \"" + item + "\"";
    if (list->itemIndex < -1 || list->itemIndex >= static_cast<int>(list->items.size()))
      return "search list index " + std::to_string(list->itemIndex);
  }
  // The program fills the search boxes with numbers, or with a wet-steam cell text; whatever the
  // user typed there last stays until the next entry, so only program-written texts are checked
  // by the callers that know which is which.
  return "";
}

// The search boxes as the program leaves them after an input entry.
inline std::string SearchBoxesProblem(const MainForm& f) {
  bool wetText = f.UseWetSteam.checked && f.session().state.Condition == Condition::kSatLiquidVapour;
  const std::string& target = f.SearchBox.text;
  if (!target.empty() && !(wetText ? IsValueCell(target) : IsNumberText(target)))
    return "SearchBox = \"" + target + "\"";
  const std::string& given = f.TempOrPressBox.text;
  if (!given.empty() && !IsNumberText(given)) return "TempOrPressBox = \"" + given + "\"";
  return "";
}

}  // namespace tulo::testing
