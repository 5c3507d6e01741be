#include "app/UnitsForm.h"

#include <cmath>
#include <optional>

#include "app/FieldText.h"
#include "common/Real6.h"
#include "results/DisplayValue.h"
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

namespace {

// The value a typed field denotes in internal units, read in the units in force before the change:
// the value the input entry takes from it. The state's TempK and PresKPa are not used for this:
// they keep an earlier state's value when the entry stopped at the other field's text, or when
// this field's value cannot be held in internal units. Read and converted as the input checks do
// for the standard in use. Nothing for a text that is not a number.
std::optional<long double> TypedValue(Session& s, Quantity q, const std::string& text) {
  auto value = s.Set().Storage().ReadTyped(text);
  if (!value) return std::nullopt;
  long double internal = UnitConversion(s.units, s.Set(), q).ToInternal(*value);
  if (!FitsReal6(internal)) return std::nullopt;
  return internal;
}

}  // namespace

void UnitsForm::UnitsOkClick() {
  Session& s = main_.session();
  // Only a field that holds a number is rewritten: a text that is not one stays as typed, and so
  // does a steam quality of the pair chosen (in percent whatever the units).
  const Field fields[] = {Field::kTemperature, Field::kPressure};
  std::optional<Quantity> quantity[2];
  std::optional<long double> internal[2];
  for (int i = 0; i < 2; ++i) {
    quantity[i] = main_.InputQuantity(fields[i]);
    const std::string& text = i == 0 ? main_.TemperatureInput.text : main_.PressureInput.text;
    if (quantity[i]) internal[i] = TypedValue(s, *quantity[i], text);
  }
  s.units.SetUnitSelection(ListSelection());
  main_.SetInputCaptions(28, 25);
  // Each write runs the input entry, as if the user had typed the value in the new unit.
  // A value beyond what the new unit can hold (ToDisplay gives NaN) stays as typed too.
  for (int i = 0; i < 2; ++i)
    if (internal[i] && std::isfinite(s.units.ToDisplay(*quantity[i], *internal[i])))
      main_.WriteField(fields[i], StateFieldText(s, *quantity[i], *internal[i], true));
  Visible = false;
  Changed();
}

void UnitsForm::UnitsCancelClick() {
  Visible = false;
  Changed();
}

}  // namespace tulo
