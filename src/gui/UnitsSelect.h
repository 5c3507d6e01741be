#pragma once
// TUnitsSelect: the modeless "Select Units" dialog, created once and shown again on every
// "&Units" command. It mirrors a UnitsForm and forwards the user's picks to it.

#include <QDialog>
#include <array>

#include "app/UnitsForm.h"

class QComboBox;
class QPushButton;

namespace tulo::gui {

class TMainProg;

class TUnitsSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TUnitsSelect(TMainProg& main);  // FormCreate: the lists show the units in force
  ~TUnitsSelect() override;

  UnitsForm& Form() { return form_; }
  // The "&Units" command: shows the dialog, modeless, in front.
  void ShowModeless();
  void SyncFromForm();

  // TempComboBox ... CompComboBox, by quantity code.
  QComboBox* List(int q) const { return lists_[q]; }
  QComboBox* OverComboBox;
  QPushButton* UnitsOk;
  QPushButton* UnitsCancel;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  TMainProg& main_;
  UnitsForm form_;
  std::array<QComboBox*, kQuantityCount> lists_{};
  bool centred_ = false;
};

}  // namespace tulo::gui
