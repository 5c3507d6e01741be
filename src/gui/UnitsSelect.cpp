#include "gui/UnitsSelect.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "gui/MainProg.h"

namespace tulo::gui {
namespace {

constexpr const char* kListNames[kQuantityCount] = {
    "TempComboBox", "PresComboBox", "DensComboBox", "EnthComboBox", "EntrComboBox", "DipoComboBox",
    "ViscComboBox", "HcapComboBox", "CondComboBox", "SurfComboBox", "TexpComboBox", "CompComboBox"};

void MirrorCombo(QComboBox* w, const ComboBox& combo) {
  QSignalBlocker block(w);
  if (w->count() != static_cast<int>(combo.items.size())) {
    w->clear();
    for (const std::string& item : combo.items) w->addItem(QString::fromStdString(item));
  }
  if (w->currentIndex() != combo.itemIndex) w->setCurrentIndex(combo.itemIndex);
  w->setEnabled(combo.enabled);
}

}  // namespace

TUnitsSelect::TUnitsSelect(TMainProg& main) : QDialog(&main), main_(main), form_(main.Form()) {
  setObjectName("UnitsSelect");
  setWindowTitle(UnitsForm::kCaption);
  setModal(false);
  // A fixed dialog border: no resizing, no maximise box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);

  auto* layout = new QGridLayout(this);
  // Six quantities in the left column, six in the right, each list under its label.
  constexpr int kPerColumn = kQuantityCount / 2;
  for (int q = 0; q < kQuantityCount; ++q) {
    auto* list = new QComboBox(this);
    list->setObjectName(kListNames[q]);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(UnitsForm::kLabels[q], this);
    label->setBuddy(list);
    int column = q / kPerColumn;
    int row = 2 * (q % kPerColumn);
    layout->addWidget(label, row, column);
    layout->addWidget(list, row + 1, column);
    lists_[q] = list;
    connect(list, &QComboBox::activated, this, [this, q](int index) { form_.SelectUnit(q, index); });
  }

  auto* overLabel = new QLabel("OVERALL UNITS", this);
  OverComboBox = new QComboBox(this);
  OverComboBox->setObjectName("OverComboBox");
  OverComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  overLabel->setBuddy(OverComboBox);
  UnitsOk = new QPushButton("OK", this);
  UnitsOk->setObjectName("UnitsOk");
  UnitsOk->setDefault(true);
  UnitsCancel = new QPushButton("Cancel", this);
  UnitsCancel->setObjectName("UnitsCancel");
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(overLabel);
  bottom->addWidget(OverComboBox);
  bottom->addStretch(1);
  bottom->addWidget(UnitsOk);
  bottom->addWidget(UnitsCancel);
  layout->setRowMinimumHeight(2 * kPerColumn, 8);
  layout->addLayout(bottom, 2 * kPerColumn + 1, 0, 1, 2);

  connect(OverComboBox, &QComboBox::activated, this, [this](int index) { form_.SelectOverall(index); });
  connect(UnitsOk, &QPushButton::clicked, this, [this] { form_.UnitsOkClick(); });
  connect(UnitsCancel, &QPushButton::clicked, this, [this] { form_.UnitsCancelClick(); });

  form_.onChanged = [this] { SyncFromForm(); };
  SyncFromForm();
  setFixedSize(sizeHint());
}

TUnitsSelect::~TUnitsSelect() {
  form_.onChanged = nullptr;
}

void TUnitsSelect::ShowModeless() {
  form_.Show();
}

void TUnitsSelect::SyncFromForm() {
  // OK relabels the main window's captions even when no field is rewritten.
  main_.SyncFromForm();
  for (int q = 0; q < kQuantityCount; ++q) MirrorCombo(lists_[q], form_.List(q));
  MirrorCombo(OverComboBox, form_.OverComboBox);
  if (form_.Visible && !isVisible()) {
    if (!centred_) {
      centred_ = true;
      if (QScreen* s = main_.screen()) move(s->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
  } else if (form_.Visible) {
    raise();
    activateWindow();
  } else if (isVisible()) {
    // OK and Cancel end with the main window in front; its activation runs the input entry.
    main_.BringToFront();
    hide();
  }
}

// The title bar's close box and Escape count as Cancel.
void TUnitsSelect::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (form_.Visible) form_.UnitsCancelClick();
}

void TUnitsSelect::reject() {
  if (form_.Visible) form_.UnitsCancelClick();
}

}  // namespace tulo::gui
