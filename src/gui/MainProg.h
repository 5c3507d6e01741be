#pragma once
// TMainProg: the main window. It holds no calculation: every event goes to the MainForm it owns,
// and after every handler the window copies the whole form into its widgets with their signals
// blocked, so that copying never runs a handler a second time.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "app/MainForm.h"
#include "results/DiagramLines.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace tulo::gui {

class DiagramWindow;
class GridView;
class StateListWindow;
class TablesWindow;
class TAboutBox;
class TUnitsSelect;

class TMainProg : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window and runs its creation handler (InitialiseClick). When that fails (the
  // configuration file is missing or unreadable, after its message box) Initialised() is false
  // and the program must stop without showing the window.
  explicit TMainProg(PlatformServices& platform,
                     std::unique_ptr<ConfigStore> store = std::make_unique<ConfigStore>(),
                     QWidget* parent = nullptr);
  ~TMainProg() override;

  bool Initialised() const { return initialised_; }
  MainForm& Form() { return *form_; }

  // The secondary windows, created after the main window.
  void AttachDialogs(TAboutBox* about, TUnitsSelect* units);
  TUnitsSelect* UnitsDialog() const { return units_; }
  TAboutBox* AboutBox() const { return about_; }
  // The Tables window, once File > Tables... has opened it; nullptr before.
  TablesWindow* Tables() const { return tables_.get(); }

  // The state list window, once opened or given a state; nullptr before.
  StateListWindow* StateList() const { return stateList_.get(); }
  // The state list window, made on first use (the other windows hand their states to it).
  StateListWindow& StateListMade();

  // Shows the window in front and activates it (which runs the input entry).
  void BringToFront();

  // Opens the diagram window (made on first use) with the chart of `kind`.
  void OpenDiagram(DiagramKind kind);
  DiagramWindow* Diagram() const { return diagram_; }

  // Copies the whole form into the widgets.
  void SyncFromForm();

  // The controls, named as the form names them.
  QLabel* UnitT;
  QLabel* UnitP;
  QLineEdit* TemperatureInput;
  QLineEdit* PressureInput;
  QComboBox* InputPairComboBox;
  QPushButton* ClearInputs;
  QLabel* TemperatureOutput;
  QLabel* PressureOutput;
  QLabel* ConditionText;
  QLabel* StandardText;
  QLabel* DeviationText;
  QLabel* FormError;
  QLabel* Picture;
  QTabWidget* PageControl1;
  QTabBar* TabSet1;
  GridView* VarPropGrid;
  GridView* FixPropGrid;
  QComboBox* SearchComboBox;
  QLineEdit* SearchBox;
  QComboBox* TempOrPressComboBox;
  QLineEdit* TempOrPressBox;
  QCheckBox* UseWetSteam;
  QPushButton* GoSearch;
  GridView* WetPropGrid;
  QLabel* WetSteamLabel;
  QLineEdit* WetSteamInput;
  QLabel* WetSteamPossible;

  QAction* Tables1;
  QAction* StateList1;       // File > State list: opens the state list window
  QAction* AddToStateList1;  // File > Add to state list: the state this window shows
  QAction* Exit1;
  QAction* WithTabs1;
  QAction* WithSpaces1;
  QAction* CustomUnits1;
  // Diagrams > T-s, h-s (Mollier), P-h, P-T: in the order of kDiagramKinds.
  QList<QAction*> DiagramActions;
  QAction* Contents1;
  QAction* About1;
  // Standard: one item per property standard, exclusive, in the order of Standards().
  std::vector<QAction*> StandardItems;
  // F1: the help page of the page in front (not on a menu).
  QAction* PageHelp1;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildControls();
  QFrame* BuildInputFrame(QWidget* central);
  QFrame* BuildStateFrame(QWidget* central);
  double BuildGrids();
  QWidget* BuildLeftColumn(QWidget* central, double resultScale);
  void BuildPages(QWidget* central);
  QWidget* BuildSearchPage();
  QWidget* BuildWetSteamBox();
  void BuildMenus();
  void ConnectEvents();
  void FixLayout();
  // Runs one event handler of the form. An activation that arrives while a handler is still
  // running (a message box's own event loop) is held back and run when the handler has finished,
  // so handlers never nest.
  void Forward(const std::function<void()>& handler);
  void Exit1Click();
  // Uses the standard of Standards()[index] and remembers it in the program's settings.
  void StandardClick(std::size_t index);
  void CustomUnits1Click();
  void Tables1Click();
  void StateList1Click();
  // Adds the state shown to the state list and shows the list; a message when none is shown.
  void AddToStateList1Click();
  void About1Click();
  void PageHelp1Click();
  void FormShow();

  std::unique_ptr<MainForm> form_;
  TAboutBox* about_ = nullptr;
  TUnitsSelect* units_ = nullptr;
  std::unique_ptr<TablesWindow> tables_;  // reads form_: destroyed before it
  std::unique_ptr<StateListWindow> stateList_;  // reads form_: destroyed before it
  DiagramWindow* diagram_ = nullptr;
  bool initialised_ = false;
  bool shownOnce_ = false;
  int busy_ = 0;
  bool activationPending_ = false;
};

}  // namespace tulo::gui
