#pragma once
// The Processes window: one tab per unit operation and one for the Rankine cycle, in the units
// and the standard of the main window. It holds no calculation: every event goes to the
// ProcessForm it owns, and after every handler the window copies the form into its widgets with
// their signals blocked.

#include <QMainWindow>
#include <functional>
#include <vector>

#include "app/ProcessForm.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tulo {
class MainForm;
}

namespace tulo::gui {

class GridView;

class ProcessesWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = ProcessForm::kCaption;

  // `form` is the main window's: its session gives the units and the standard, its platform the
  // clipboard and the message boxes; it must outlive the window. The hooks are those of "Show on
  // diagram" and "Add to state list" (ProcessForm::SetShowOnDiagram, SetAddToStateList).
  explicit ProcessesWindow(MainForm& form, std::function<void(const ProcessResult&)> showOnDiagram = {},
                           std::function<void(const NamedState&)> addToStateList = {},
                           QWidget* parent = nullptr);
  ~ProcessesWindow() override;

  // Shows the window in front, in the units and standard in use.
  void Open();
  // Brings the window up to date with the main window's units and standard.
  void FollowForm();
  // Asks for a file, then SaveAs.
  void SaveAsClick();
  // Writes the result shown to `path` whole (CSV, or JSON for a name ending in .json); false
  // after a message when it cannot.
  bool SaveAs(const QString& path);

  ProcessForm& Form() { return process_; }

  // ---- Controls ----
  struct StateControls {
    QGroupBox* box;
    QComboBox* pair;
    QLabel* firstCaption;
    QLineEdit* first;
    QLabel* secondCaption;
    QLineEdit* second;
  };
  struct PageControls {
    QComboBox* mode;
    std::vector<StateControls> states;
    std::vector<QLabel*> valueCaptions;
    std::vector<QLineEdit*> values;
  };
  QTabWidget* Pages;
  std::vector<PageControls> PageWidgets;  // in the order of the tabs
  QComboBox* FlowUnit;
  QComboBox* PowerUnit;
  QCheckBox* FullPrecision;
  QPushButton* Compute;
  QPushButton* Copy;
  QPushButton* SaveAsButton;
  QPushButton* ShowOnDiagram;
  QPushButton* AddToStateList;
  QLabel* Message;
  GridView* States;
  GridView* Figures;

 protected:
  bool event(QEvent* e) override;

 private:
  void BuildControls();
  QWidget* BuildPage(const ProcessPageForm& page);
  StateControls BuildState(int index, const StateFields& fields, QWidget* parent);
  QWidget* BuildCommands(QWidget* central);
  void ConnectPage(int page);
  void ConnectCommands();
  // Copies the whole form into the widgets.
  void Sync();
  void SyncPage(int page);

  MainForm& form_;
  ProcessForm process_;
};

}  // namespace tulo::gui
