#pragma once
// A main form started without a configuration file, driven as a user would.

#include <memory>
#include <string>

#include "app/FakePlatform.h"
#include "app/MainForm.h"
#include "app/UnitsForm.h"
#include "units/Presets.h"

namespace tulo::testing {

struct FormFixture {
  FakePlatform platform;
  MainForm form{platform};

  FormFixture() {
    form.InitialiseWithoutFile();
    form.FormActivate();
  }

  void UseUnits(const UnitSelection& selection) {
    UnitsForm units(form);
    for (int q = 0; q < kQuantityCount; ++q) units.SelectUnit(q, selection[q] - 1);
    units.UnitsOkClick();
  }
  void Type(const std::string& temperature, const std::string& pressure) {
    form.WriteField(Field::kTemperature, temperature);
    form.WriteField(Field::kPressure, pressure);
  }
  // The value cell of the row named `name` in a grid, or "<no row>".
  static std::string Cell(const StringGrid& grid, const std::string& name, int col) {
    for (int r = 1; r < grid.RowCount(); ++r)
      if (grid.Cell(0, r) == name) return grid.Cell(col, r);
    return "<no row>";
  }
  int FilledRows(const StringGrid& grid) const {
    int n = 0;
    for (int r = 1; r < grid.RowCount(); ++r)
      if (!grid.Cell(0, r).empty()) ++n;
    return n;
  }
};

}  // namespace tulo::testing
