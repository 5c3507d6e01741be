#pragma once
// Copying a form's plain controls into their widgets, with the widgets' signals blocked so that
// copying never runs a handler: what every window that mirrors a form of the app layer shares.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/FormControls.h"

namespace tulo::gui {

void MirrorLabel(QLabel* w, const Label& label);
// Copies a field; when the user is typing in it the cursor stays where it was.
void MirrorField(QLineEdit* w, const EditField& field);
void MirrorCombo(QComboBox* w, const ComboBox& combo);

}  // namespace tulo::gui
