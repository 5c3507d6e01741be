#pragma once
// The units dialog "Select Units" without a toolkit: twelve lists, one per quantity, the overall
// presets, OK and Cancel. Created once with the units in force; afterwards the lists show what
// was last picked in them.

#include <array>
#include <functional>
#include <string>

#include "app/MainForm.h"

namespace tulo {

class UnitsForm {
 public:
  static constexpr const char* kCaption = "Select Units";
  // The labels of the twelve lists, in quantity-code order.
  static const std::array<const char*, kQuantityCount> kLabels;
  // The entries of OverComboBox.
  static const std::array<const char*, 6> kOverallItems;

  explicit UnitsForm(MainForm& main);  // FormCreate

  // The list of quantity code q (TempComboBox ... CompComboBox); item k is unit number k + 1.
  ComboBox& List(int q) { return lists_[q]; }
  const ComboBox& List(int q) const { return lists_[q]; }
  ComboBox OverComboBox;
  bool Visible = false;

  void Show();                        // the "&Units" menu command
  void SelectUnit(int q, int index);  // the user picks an entry of list q
  void SelectOverall(int index);      // the user picks an overall entry
  void OverComboBoxChange();
  void UnitsOkClick();
  void UnitsCancelClick();

  // The selection the lists show.
  UnitSelection ListSelection() const;

  std::function<void()> onChanged;

 private:
  void SetLists(const UnitSelection& selection);
  void Changed() {
    if (onChanged) onChanged();
  }

  MainForm& main_;
  std::array<ComboBox, kQuantityCount> lists_;
};

}  // namespace tulo
