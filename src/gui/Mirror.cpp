#include "gui/Mirror.h"

#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

namespace tulo::gui {

void MirrorLabel(QLabel* w, const Label& label) {
  QString text = QString::fromStdString(label.caption);
  if (w->text() != text) w->setText(text);
  w->setEnabled(label.enabled);
}

void MirrorField(QLineEdit* w, const EditField& field) {
  QSignalBlocker block(w);
  QString text = QString::fromStdString(field.text);
  if (w->text() != text) {
    int cursor = w->cursorPosition();
    bool typing = w->hasFocus();
    w->setText(text);
    if (typing) w->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
  }
  w->setEnabled(field.enabled);
}

void MirrorCombo(QComboBox* w, const ComboBox& combo) {
  QSignalBlocker block(w);
  QStringList items;
  for (const std::string& item : combo.items) items << QString::fromStdString(item);
  QStringList shown;
  for (int i = 0; i < w->count(); ++i) shown << w->itemText(i);
  if (items != shown) {
    w->clear();
    w->addItems(items);
  }
  if (w->currentIndex() != combo.itemIndex) w->setCurrentIndex(combo.itemIndex);
  w->setEnabled(combo.enabled);
}

}  // namespace tulo::gui
