#include "app/UnitsForm.h"

#include "common/NumberReader.h"
#include "units/Format.h"
#include "units/Presets.h"

namespace tulo {

const std::array<const char*, kQuantityCount> UnitsForm::kLabels = {
    "Temperature",     "Pressure",          "Density",
    "Enthalpy",        "Entropy",           "Dipole Moment",
    "Viscosity",       "Heat Capacity",     "Thermal Conductivity",
    "Surface Tension", "Thermal Expansion", "Compressibility"};

const std::array<const char*, 6> UnitsForm::kOverallItems = {"Pick Overall Units", "Use SI Units",
                                                             "Use Imperial Units", "Use Customary Units",
                                                             "Use European Units", "Use Last Saved Units"};

UnitsForm::UnitsForm(MainForm& main) : main_(main) {
  for (int q = 0; q < kQuantityCount; ++q) {
    for (int n = 1; n <= UnitCount(q); ++n) {
      std::string text = UnitTextOf(q, n);
      while (!text.empty() && text.back() == ' ') text.pop_back();  // "cal/g " is listed as "cal/g"
      lists_[q].items.push_back(text);
    }
  }
  OverComboBox.items.assign(kOverallItems.begin(), kOverallItems.end());
  OverComboBox.itemIndex = 0;
  SetLists(main_.session().units.GetUnitSelection());
}

void UnitsForm::SetLists(const UnitSelection& selection) {
  for (int q = 0; q < kQuantityCount; ++q) {
    int index = selection[q] - 1;
    if (index < 0 || index >= static_cast<int>(lists_[q].items.size())) index = 0;
    lists_[q].itemIndex = index;
  }
}

UnitSelection UnitsForm::ListSelection() const {
  UnitSelection selection{};
  for (int q = 0; q < kQuantityCount; ++q) selection[q] = static_cast<std::uint8_t>(lists_[q].itemIndex + 1);
  return selection;
}

void UnitsForm::Show() {
  Visible = true;
  Changed();
}

void UnitsForm::SelectUnit(int q, int index) {
  if (q < 0 || q >= kQuantityCount) return;
  if (index < 0 || index >= static_cast<int>(lists_[q].items.size())) return;
  lists_[q].itemIndex = index;
  Changed();
}

void UnitsForm::SelectOverall(int index) {
  if (index < 0 || index >= static_cast<int>(OverComboBox.items.size())) return;
  OverComboBox.itemIndex = index;
  OverComboBoxChange();
}

void UnitsForm::OverComboBoxChange() {
  switch (OverComboBox.itemIndex) {
    case 1:
      SetLists(PresetSelection(UnitPreset::kSI));
      break;
    case 2:
      SetLists(PresetSelection(UnitPreset::kImperial));
      break;
    case 3:
      SetLists(PresetSelection(UnitPreset::kCustomary));
      break;
    case 4:
      SetLists(PresetSelection(UnitPreset::kEuropean));
      break;
    case 5:
      SetLists(main_.config().Record().SavedUnits);
      break;  // as read at start-up
    default:
      break;
  }
  Changed();
}

void UnitsForm::UnitsOkClick() {
  Session& s = main_.session();
  // Only a field that holds a number is rewritten: a text that is not one stays as typed.
  bool hasT = ReadNumber(main_.TemperatureInput.text).has_value();
  bool hasP = ReadNumber(main_.PressureInput.text).has_value();
  double tempK = s.state.TempK;
  double presKPa = s.state.PresKPa;
  s.units.SetUnitSelection(ListSelection());
  main_.SetInputCaptions(28, 25);
  // Each write runs the input entry, as if the user had typed the value in the new unit.
  if (hasT)
    main_.WriteField(Field::kTemperature,
                     TrimZeros(FormatFieldNumber(s.units.ToDisplay(kTemperature, tempK))));
  if (hasP)
    main_.WriteField(Field::kPressure, TrimZeros(FormatFieldNumber(s.units.ToDisplay(kPressure, presKPa))));
  Visible = false;
  Changed();
}

void UnitsForm::UnitsCancelClick() {
  Visible = false;
  Changed();
}

}  // namespace tulo
