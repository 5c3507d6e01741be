#pragma once
// The state list window: the states the user added from the main window (and from the other
// windows that hand states on), under names he chooses, with the properties he chose in the units
// in use and every digit. The list is kept in statelist.json beside the configuration file and
// saved after every change; Export CSV... writes it for a spreadsheet.

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/StateList.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tulo {
class MainForm;
}

namespace tulo::gui {

class StateListWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "TULO State List";

  // `form` is the main window's (its session gives the units; its configuration file's folder
  // holds the list); it must outlive the window. The list is read at once: a damaged file's
  // message goes to the platform and the list starts empty.
  explicit StateListWindow(MainForm& form, QWidget* parent = nullptr);
  // The name field loses its focus while the window's children are destroyed, and a line edit
  // then says its editing finished: to a window no longer there.
  ~StateListWindow() override;

  // Shows the window in front, its cells in the units in use.
  void Open();

  // Adds a state at the end of the list under `name` ("State N" when empty) and saves the list.
  // The Processes window hands its states on through this.
  void AddState(const std::string& name, const StateRecord& state);

  // ---- Commands ----
  // Renames the selected entry (asks for the name).
  void RenameClick();
  bool RenameEntry(int row, const QString& name);
  // Removes the selected entries.
  void RemoveClick();
  // Empties the list after a Yes to the question.
  void ClearClick();
  // Asks for the columns.
  void ChoosePropertiesClick();
  void SetColumns(const std::vector<ColumnKey>& columns);
  // Asks for a file, then ExportCsv.
  void ExportCsvClick();
  // Writes the list to `path` as CSV; false (with the message shown) when it cannot be written.
  bool ExportCsv(const QString& path);

  const StateList& List() const { return list_; }
  // The file the list is kept in.
  const std::string& FilePath() const { return path_; }
  QString MessageText() const;

  // ---- Controls ----
  QLineEdit* ListName;
  QTableWidget* Grid;
  QPushButton* Rename;
  QPushButton* Remove;
  QPushButton* Clear;
  QPushButton* ChooseProperties;
  QPushButton* ExportCsvButton;
  QLabel* Message;

 protected:
  bool event(QEvent* e) override;

 private:
  void BuildControls();
  // The grid from the list, in the units in use.
  void Refresh();
  // Saves the list; a failure is shown and the file keeps what it held.
  void Changed();
  void ShowMessage(const QString& text, bool error);

  MainForm& form_;
  std::string path_;
  StateList list_;
  StateListValues values_;
};

}  // namespace tulo::gui
