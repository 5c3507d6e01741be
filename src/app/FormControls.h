#pragma once
// The controls of the main window as plain data, the pages and the edit fields with change
// handlers: what MainForm and the parts it owns share.

#include <string>
#include <vector>

namespace tulo {

struct EditField {
  std::string text;
  bool enabled = true;
};

struct Label {
  std::string caption;
  bool enabled = true;
};

struct ComboBox {
  std::vector<std::string> items;
  int itemIndex = -1;
  bool enabled = true;
};

struct CheckBox {
  bool checked = false;
  bool enabled = true;
};

struct Button {
  bool enabled = true;
};

// The pages of PageControl1.
enum Page { kVariableResultsPage = 0, kFixedPropertiesPage = 1, kSteamSearchPage = 2, kWetSteamPage = 3 };

// The edit fields whose change handlers run calculations.
enum class Field { kTemperature, kPressure, kWetSteam, kSearchBox, kTempOrPressBox };

}  // namespace tulo
