#pragma once
// The main window's state and behaviour without a toolkit (presentation model): every control as
// plain data, every handler under its own name. The desktop window mirrors this object and
// forwards its events; tests and the command line drive it directly.
//
// Three parts stand below it: the input checks (InputChecks), the steam-search page
// (SearchPanel) and the text of the copy commands (ResultsReport). The form owns the first two
// and forwards its handlers to them.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Config.h"
#include "app/FormControls.h"
#include "app/InputChecks.h"
#include "app/PlatformServices.h"
#include "app/SearchPanel.h"
#include "results/Grid.h"
#include "results/Results.h"
#include "results/ResultsReport.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"

namespace tulo {

class MainForm final : private SearchHost {
 public:
  static constexpr const char* kCaption = "TULO for Windows";
  static constexpr const char* kHelpFile = "tulowin.hlp";
  static constexpr int kHelpTopic = 125;

  // `store` is the configuration file (by default "tulodefw.dta" in the working directory).
  explicit MainForm(PlatformServices& platform,
                    std::unique_ptr<ConfigStore> store = std::make_unique<ConfigStore>());
  ~MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Creation: checks that the configuration file exists, loads it, runs a first recalculation
  // and sets up pages and grids. False (after a message box) when the program must stop.
  bool InitialiseClick();
  // The same set-up without a configuration file, from a fresh record (all units 1): for the
  // command line, which keeps no settings.
  void InitialiseWithoutFile();

  // ---- Events ----
  // Stores the text and runs the field's change handler, whether the user typed it or the
  // program wrote it.
  void WriteField(Field field, const std::string& text) override;
  void FormActivate() { DataEntryWClick(); }
  void ClearInputsClick();
  void UseWetSteamClick(bool checked);
  void SelectSearchItem(int index);       // the user picks an entry of SearchComboBox
  void SelectTempOrPressItem(int index);  // the user picks an entry of TempOrPressComboBox
  void SelectInputPair(int index);        // the user picks an entry of InputPairComboBox
  bool SelectInputPair(InputPair pair);   // the entry of `pair`; false when it has none
  SearchOutcome GoSearchClick();
  void WithTabs1Click();
  void WithSpaces1Click();
  void SetActivePage(int page) override;
  void TabSet1Click(int index) { SetActivePage(index); }
  void Contents1Click();
  // The close request: false when the window must stay open.
  bool FormCloseQuery();
  // The choice of the property standard: every page is worked out again from the fields as they
  // stand in `set` (which must outlive the form); the units and the configuration record stay.
  void SelectCorrelationSet(const CorrelationSet& set);

  // ---- Handlers, as the window's events run them ----
  void DataEntryWClick();
  void WetSteamInputChange();
  void SearchInitialiseClick();
  void SearchComboBoxChange();
  void TempOrPressComboBoxChange();
  // The pair the two input fields stand for: relabels them, empties them and recalculates.
  void InputPairComboBoxChange();
  void FillFixedGrid();

  // The copy texts (CR LF line ends), as the two copy commands put them on the clipboard.
  std::string ResultsTextWithTabs() const { return ResultsText(ReportLayout::kTabs, "\r\n"); }
  std::string ResultsTextWithSpaces() const { return ResultsText(ReportLayout::kSpaces, "\r\n"); }
  // The same in either layout with other line ends.
  std::string ResultsText(ReportLayout layout, std::string_view eol) const;

  // The text of a number the program writes into an input field or a search box (FieldText.h).
  std::string InputText(Quantity quantity, long double internal);

  // Relabels the input captions from the pair chosen and the units in use; a temperature or
  // pressure caption is cut to its width (0: not cut) before its ")".
  void SetInputCaptions(int temperatureWidth = 0, int pressureWidth = 0);

  // The pair chosen in InputPairComboBox (temperature and pressure until another is chosen), and
  // the unit quantity of an input field under it (nothing for a steam quality, in percent).
  InputPair ChosenPair() const;
  std::optional<Quantity> InputQuantity(Field field) const;
  // The state the window shows, as the pair and values that give it again (internal units): a
  // temperature and a pressure typed, a temperature or a pressure alone (the saturated state,
  // whatever the wet-steam page's quality), or the fields of the pair chosen. Nothing while the
  // window shows no state.
  std::optional<StateInput> ShownInput();
  // Chooses temperature and pressure without touching the fields, before the program writes a
  // state into them (a steam search, a click on a diagram).
  void UseTemperatureAndPressure() override;

  // Called after every top-level handler; the window copies the form into its widgets.
  std::function<void()> onChanged;

  // ---- Controls ----
  // The two input fields: a temperature and a pressure, or the two quantities of the pair chosen.
  Label UnitT, UnitP;
  EditField TemperatureInput, PressureInput;
  // The labels of the pairs of two quantities of InputPairs(), temperature and pressure first.
  ComboBox InputPairComboBox;
  Label TemperatureOutput, PressureOutput, ConditionText;
  Label StandardText;  // the name of the property standard in use
  // In the built-in standard, where its principal values of the state stray from IAPWS-IF97 by
  // more than 1 % (Deviation.h); never part of the copy texts.
  Label DeviationText;
  Label FormError;
  int ActivePage = kVariableResultsPage;
  StringGrid& VarPropGrid;
  StringGrid FixPropGrid{3, 16};
  ComboBox SearchComboBox, TempOrPressComboBox;
  EditField SearchBox, TempOrPressBox;
  CheckBox UseWetSteam;
  Button GoSearch;
  StringGrid& WetPropGrid;
  Label WetSteamLabel{"Steam Quality (% mass basis)"};
  EditField WetSteamInput{"0"};
  Label WetSteamPossible;

  // The pending error: at most 80 characters, or a message of the state evaluator as it is.
  std::string ErrorText;
  void SetFormError(const std::string& text);
  void ShowFormError() { FormError.caption = ErrorText; }

  Session& session() { return *session_; }
  const Session& session() const { return *session_; }
  ConfigStore& config() { return *store_; }
  PlatformServices& platform() { return platform_; }

 private:
  class Notifier;
  void FinishInitialise(const ConfigWorkingValues& working);
  void ShowEntry();
  bool EnterTypedState();
  bool EnterPairState();
  std::optional<StateInput> TypedPair(std::string& error);
  void EnterEvaluated(const Evaluated& state);
  bool Validate();
  void WriteStateLabels();
  void WriteDeviation();
  void EnableWetSteamPage();
  void WriteHeadings();
  void RunRecalculate();
  void SetSearchControlsEnabled(bool enabled);
  EditField& FieldOf(Field field);

  PlatformServices& platform_;
  std::unique_ptr<ConfigStore> store_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<Session> reference_;  // IAPWS-IF97 at the state shown, made on first use
  std::unique_ptr<StateEvaluator> evaluator_;  // of the standard in use, for the other pairs
  std::vector<InputPair> choosablePairs_;      // of the entries of InputPairComboBox
  InputChecks checks_;
  SearchPanel search_;
  ResultGrids grids_;
  std::uint8_t spareFlag_ = 0;
  int notifyDepth_ = 0;
};

}  // namespace tulo
