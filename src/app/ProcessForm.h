#pragma once
// The Processes window's state and behaviour without a toolkit (presentation model): one page per
// unit operation and one for the Rankine cycle. Each state is typed as any pair of two quantities
// and its two values, every other number in the units in use; Compute reads the page into the
// input of its process function, calls it with an evaluator of the standard in use and shows the
// result as the process report formats it. No energy balance is done here. The Qt window mirrors
// this object after each handler (onChanged) and forwards its events.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FormControls.h"
#include "app/PlatformServices.h"
#include "process/ProcessReport.h"
#include "process/Processes.h"
#include "results/Grid.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"

namespace tulo {

// The pages, in the order of the window's tabs.
enum class ProcessPage : std::uint8_t {
  kTurbine,
  kPump,
  kValve,
  kMixing,
  kDesuperheater,
  kFlash,
  kHeater,
  kRankine,
};

// What a number field holds, for its unit: T, P and energy per kg in the units in use, a flow in
// the flow unit chosen, a power in the power unit chosen, a percentage.
enum class ValueKind : std::uint8_t { kTemperature, kPressure, kEnergy, kFlow, kPower, kPercent };

// A state typed as a pair of two quantities: the chooser offers the main window's pairs.
struct StateFields {
  std::string name;  // "Inlet"
  ComboBox pair;
  Label firstCaption, secondCaption;  // "Temperature (Kelvin)", "Steam Quality (%)"
  EditField first, second;
  bool enabled = true;  // used by the page's mode
};

struct ValueFields {
  std::string name;  // "Outlet pressure"
  ValueKind kind = ValueKind::kPressure;
  bool optional = false;  // empty: not given
  std::string note;       // after the unit in the caption: "optional", "empty: saturated vapour"
  Label caption;          // "Outlet pressure (kPa abs)"
  EditField value;
};

struct ProcessPageForm {
  ProcessPage page = ProcessPage::kTurbine;
  std::string title;  // the tab's text
  ComboBox mode;      // what the page computes; a single entry is no choice
  std::vector<StateFields> states;
  std::vector<ValueFields> values;
  // The last Compute's result (internal units), or its message.
  std::optional<ProcessResult> result;
  std::string error;
};

class ProcessForm {
 public:
  static constexpr const char* kCaption = "TULO Processes";
  // The columns of StateGrid.
  static constexpr int kStateColumns = 6;

  // `session` is the main window's: its units and standard are read at every Compute and by
  // FollowSession. Both must outlive the form.
  ProcessForm(Session& session, PlatformServices& platform);
  ~ProcessForm();
  ProcessForm(const ProcessForm&) = delete;
  ProcessForm& operator=(const ProcessForm&) = delete;

  // ---- Events (of the page in front) ----
  void SelectPage(int page);
  void SelectMode(int index);
  void SelectPair(int state, int index);
  // Stores a field's text; nothing is computed until Compute.
  void WriteStateField(int state, bool second, const std::string& text);
  void WriteValue(int value, const std::string& text);
  void SelectFlowUnit(int index);
  void SelectPowerUnit(int index);
  void FullPrecisionClick(bool checked);
  void SelectStateRow(int index);  // a state of the result (0-based), -1 for none
  // Reads the page, calls its process function and shows the result or the function's message.
  void ComputeClick();
  // The result on the clipboard: tab-separated, CR LF line ends, digits as shown.
  void CopyClick();
  void ShowOnDiagramClick();
  void AddToStateListClick();
  // The main window's units or standard may have changed: the captions follow the units, the
  // results are shown in them, and a page with a result is computed again in a new standard.
  void FollowSession();

  // "Save as...": the text of the file `path` for the result shown: JSON for a name ending in
  // ".json" (any case), CSV otherwise, every digit. Nothing without a result.
  std::optional<std::string> FileText(std::string_view path) const;
  // What the window says after writing the file: its name, or the reason it failed.
  void SaveDone(const std::string& path, const std::string& error);

  // The hooks of "Show on diagram" and "Add to state list"; their buttons stay disabled without.
  void SetShowOnDiagram(std::function<void(const ProcessResult&)> hook);
  void SetAddToStateList(std::function<void(const NamedState&)> hook);

  // The units of the report: the session's and the flow and power units chosen.
  ReportUnits Units() const;
  ProcessPageForm& Page() { return Pages[static_cast<std::size_t>(ActivePage)]; }
  const ProcessPageForm& Page() const { return Pages[static_cast<std::size_t>(ActivePage)]; }

  // Called after every handler; the window copies the form into its widgets.
  std::function<void()> onChanged;

  // ---- Controls ----
  std::vector<ProcessPageForm> Pages;
  int ActivePage = 0;
  ComboBox FlowUnitBox, PowerUnitBox;
  CheckBox FullPrecision;
  Button Copy, SaveAs, ShowOnDiagram, AddToStateList;
  // The result of the page in front: a heading row, then one row per state (name, T, P, h, s,
  // x) and one per figure (name, value, unit).
  StringGrid StateGrid{kStateColumns, 1};
  StringGrid FigureGrid{3, 1};
  int SelectedState = -1;
  // The page's message (red in the window), or what was done.
  Label Message;
  bool MessageIsError = false;

 private:
  ProcessOutcome ComputePage(const ProcessPageForm& page);
  void ComputeAgain(ProcessPageForm& page);
  void WriteCaptions();
  void ShowResult();
  void WriteStateRows(const ProcessResult& result, const ReportUnits& units);
  void WriteFigureRows(const ProcessResult& result, const ReportUnits& units);
  void EnableFields(ProcessPageForm& page);
  void Changed();

  Session& session_;
  PlatformServices& platform_;
  std::unique_ptr<StateEvaluator> evaluator_;  // of the standard in use, made on first use
  std::vector<InputPair> pairs_;               // of the entries of a pair chooser
  std::function<void(const ProcessResult&)> showOnDiagram_;
  std::function<void(const NamedState&)> addToStateList_;
  const CorrelationSet* shownSet_;
  UnitSelection shownUnits_;
};

// A name of a result as the window shows it: "outlet_isentropic" as "Outlet isentropic", "pump
// inlet" as "Pump inlet".
std::string ShownName(std::string_view name);

// The pair and values that give a state of a result back (for the state list): its pressure and
// quality when it has a quality, exactly as stored; its pressure and enthalpy otherwise, which
// reproduce a single phase even within 0.1 K of the saturation line, where a temperature and a
// pressure would be taken as saturated.
StateInput StateInputOf(const ProcessState& state);

// A number of the result table as the report writes it (ReportNumberText); a value the display
// unit cannot hold is out of range, never "nan" or "inf".
std::string ShownNumber(double value, const ReportUnits& units, bool fullPrecision);

}  // namespace tulo
