#include "app/MainForm.h"

#include "app/FieldText.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/Deviation.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/Standards.h"
#include "units/Format.h"

namespace tulo {
namespace {

// The names of the quantities of a pair in the input captions, by PairName.
constexpr const char* kInputNames[] = {"Temperature", "Pressure", "Enthalpy", "Entropy", "Steam Quality"};

const char* InputName(PairName name) {
  return kInputNames[static_cast<int>(name)];
}

// "Temperature (Kelvin)", "Steam Quality (%)": the name and unit, cut to `width` before the ")".
std::string InputCaption(UnitSettings& units, PairName name, int width) {
  const std::optional<Quantity> q = QuantityOf(name);
  std::string text = std::string(InputName(name)) + " (" + (q ? units.UnitText(*q) : "%");
  if (width > 0) text = Utf8Left(text, width);
  return text + ")";
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

}  // namespace

// Tells the observer once, when the outermost handler returns.
class MainForm::Notifier {
 public:
  explicit Notifier(MainForm& f) : f_(f) { ++f_.notifyDepth_; }
  ~Notifier() {
    if (--f_.notifyDepth_ == 0 && f_.onChanged) f_.onChanged();
  }

 private:
  MainForm& f_;
};

MainForm::MainForm(PlatformServices& platform, std::unique_ptr<ConfigStore> store)
    : VarPropGrid(grids_.var),
      WetPropGrid(grids_.wet),
      platform_(platform),
      store_(std::move(store)),
      session_(std::make_unique<Session>()),
      checks_(*session_),
      search_(*session_, checks_, platform_, *this,
              {SearchComboBox, TempOrPressComboBox, SearchBox, TempOrPressBox, UseWetSteam}) {
  StandardText.caption = session_->Set().Name();
  // The pairs of two quantities: a temperature or a pressure alone is the first pair's one field.
  for (const PairInfo& info : InputPairs()) {
    if (info.first == info.second) continue;
    InputPairComboBox.items.emplace_back(info.label);
    choosablePairs_.push_back(info.pair);
  }
  InputPairComboBox.itemIndex = 0;
}

MainForm::~MainForm() = default;

bool MainForm::InitialiseClick() {
  Notifier n(*this);
  ConfigStatus status = CheckConfigExists(*store_);
  if (!status.Ok()) {
    platform_.ShowMessage(status.errorText);
    return false;
  }
  ConfigWorkingValues working;
  status = LoadConfig(*store_, session_->units, working);
  if (!status.Ok()) {
    platform_.ShowMessage(status.errorText);
    return false;
  }
  if (!status.warningText.empty()) platform_.ShowMessage(status.warningText);
  FinishInitialise(working);
  return true;
}

void MainForm::InitialiseWithoutFile() {
  Notifier n(*this);
  store_->Record() = ConfigRecord::Fresh();
  session_->units.InitUnits(store_->Record().SavedUnits);
  ConfigWorkingValues working;
  FinishInitialise(working);
}

void MainForm::FinishInitialise(const ConfigWorkingValues& working) {
  CalcState& st = session_->state;
  st.SatGivenTemperature = working.SatGivenTemperature;
  st.FullPropertyList = working.FullPropertyList;
  // The record's item codes, kept as they are whatever they hold: they are written back at close.
  st.SearchGivenItem = static_cast<Item>(working.SearchGivenItem);
  st.SearchItem = static_cast<Item>(working.SearchItem);
  spareFlag_ = working.SpareFlag;
  session_->steamQuality = store_->Record().SteamQuality;
  st.PrevPresKPa = 0.0;
  st.PrevTempK = 0.0;
  st.RefEnthalpy = 0.0;
  st.RefEntropy = 0.0;
  st.RefDensity = 1.0;
  st.FirstCalc = true;
  SetInputCaptions();

  st.SatGivenTemperature = true;
  RunRecalculate();
  ActivePage = kVariableResultsPage;
  VarPropGrid.colWidths = {160, 77, 63, 63};
  VarPropGrid.SetCell(0, 0, "Property");
  VarPropGrid.SetCell(1, 0, "Units");
  WetPropGrid.colWidths = {143, 55, 55, 55, 55};
}

std::string MainForm::InputText(Quantity quantity, long double internal) {
  return tulo::InputText(session_->units, quantity, internal);
}

void MainForm::SetInputCaptions(int temperatureWidth, int pressureWidth) {
  const PairInfo& info = InfoOf(ChosenPair());
  auto width = [&](PairName name) {
    return name == PairName::kT ? temperatureWidth : name == PairName::kP ? pressureWidth : 0;
  };
  UnitT.caption = InputCaption(session_->units, info.first, width(info.first));
  UnitP.caption = InputCaption(session_->units, info.second, width(info.second));
}

InputPair MainForm::ChosenPair() const {
  const int index = InputPairComboBox.itemIndex;
  return index > 0 && index < static_cast<int>(choosablePairs_.size()) ? choosablePairs_[index]
                                                                       : InputPair::kTP;
}

bool MainForm::SelectInputPair(InputPair pair) {
  for (std::size_t i = 0; i < choosablePairs_.size(); ++i)
    if (choosablePairs_[i] == pair) {
      SelectInputPair(static_cast<int>(i));
      return true;
    }
  return false;
}

std::optional<Quantity> MainForm::InputQuantity(Field field) const {
  const PairInfo& info = InfoOf(ChosenPair());
  if (field == Field::kTemperature) return QuantityOf(info.first);
  if (field == Field::kPressure) return QuantityOf(info.second);
  return std::nullopt;
}

void MainForm::SelectInputPair(int index) {
  Notifier n(*this);
  if (index < 0 || index >= static_cast<int>(InputPairComboBox.items.size())) return;
  InputPairComboBox.itemIndex = index;
  InputPairComboBoxChange();
}

void MainForm::InputPairComboBoxChange() {
  Notifier n(*this);
  SetInputCaptions();
  TemperatureInput.text.clear();
  PressureInput.text.clear();
  DataEntryWClick();
}

void MainForm::UseTemperatureAndPressure() {
  if (ChosenPair() == InputPair::kTP) return;
  InputPairComboBox.itemIndex = 0;
  SetInputCaptions();
}

EditField& MainForm::FieldOf(Field field) {
  switch (field) {
    case Field::kTemperature:
      return TemperatureInput;
    case Field::kPressure:
      return PressureInput;
    case Field::kWetSteam:
      return WetSteamInput;
    case Field::kSearchBox:
      return SearchBox;
    case Field::kTempOrPressBox:
      return TempOrPressBox;
  }
  return TemperatureInput;
}

void MainForm::WriteField(Field field, const std::string& text) {
  Notifier n(*this);
  FieldOf(field).text = text;
  switch (field) {
    case Field::kTemperature:
    case Field::kPressure:
      DataEntryWClick();
      break;
    case Field::kWetSteam:
      WetSteamInputChange();
      break;
    case Field::kSearchBox:
    case Field::kTempOrPressBox:
      break;  // read when the search runs
  }
}

void MainForm::SetFormError(const std::string& text) {
  ErrorText = Utf8Left(text, kErrorTextLength);
}

void MainForm::ClearInputsClick() {
  Notifier n(*this);
  WriteField(Field::kTemperature, "");
  WriteField(Field::kPressure, "");
  WriteField(Field::kWetSteam, "");
}

void MainForm::UseWetSteamClick(bool checked) {
  Notifier n(*this);
  UseWetSteam.checked = checked;
  DataEntryWClick();
}

void MainForm::SetSearchControlsEnabled(bool enabled) {
  SearchComboBox.enabled = enabled;
  TempOrPressComboBox.enabled = enabled;
  GoSearch.enabled = enabled;
  UseWetSteam.enabled = enabled;
}

void MainForm::RunRecalculate() {
  Recalculate(*session_, grids_, WetSteamInput.text);
}

// ---- Input entry ----

void MainForm::DataEntryWClick() {
  Notifier n(*this);
  store_->Record().EntrySeen = 1;
  ShowEntry();
}

void MainForm::SelectCorrelationSet(const CorrelationSet& set) {
  Notifier n(*this);
  session_->UseCorrelationSet(set);
  StandardText.caption = set.Name();
  ShowEntry();
}

// The input entry without its mark in the configuration record: checks the fields, recalculates
// and fills every page from them.
void MainForm::ShowEntry() {
  CalcState& st = session_->state;
  TemperatureOutput.caption.clear();
  PressureOutput.caption.clear();
  ConditionText.caption.clear();
  DeviationText.caption.clear();
  st.FullPropertyList = true;
  SetFormError("");

  SearchComboBox.items.clear();
  SearchComboBox.itemIndex = -1;
  TempOrPressComboBox.items.clear();
  TempOrPressComboBox.itemIndex = -1;
  SearchBox.text.clear();
  TempOrPressBox.text.clear();

  VarPropGrid.Clear();
  WetPropGrid.Clear();
  VarPropGrid.SetCell(0, 0, "Property");
  VarPropGrid.SetCell(1, 0, "Units");

  if (ChosenPair() == InputPair::kTP ? EnterTypedState() : EnterPairState()) {
    SetSearchControlsEnabled(true);
    SearchInitialiseClick();
    SearchComboBoxChange();
    TempOrPressComboBoxChange();
    WriteStateLabels();
    WriteDeviation();
  }
  EnableWetSteamPage();
  WriteHeadings();
  ShowFormError();
  FillFixedGrid();
}

// A temperature, a pressure or both: checked, then recalculated. True when there is a state.
bool MainForm::EnterTypedState() {
  if (!Validate()) return false;
  RunRecalculate();
  if (TemperatureInput.text.empty() && PressureInput.text.empty()) {
    SetFormError(kNothingTypedText);
    return false;
  }
  return true;
}

// Another pair: both fields, evaluated as the pair by the standard in use. Without a state (a
// field empty or not a number, or a pair the standard refuses) the session has none either.
bool MainForm::EnterPairState() {
  std::string error;
  std::optional<StateInput> input = TypedPair(error);
  if (!evaluator_ || &evaluator_->Set() != &session_->Set())
    evaluator_ = std::make_unique<StateEvaluator>(session_->Set());
  const Evaluation evaluation = input ? evaluator_->Evaluate(*input) : Evaluation{};
  if (!evaluation.state) {
    CalcState& st = session_->state;
    st.InputMode = InputMode::kNone;
    st.Condition = Condition::kNone;
    st.ConditionText.clear();
    SetSearchControlsEnabled(false);
    // The evaluator's message names the pair, the values and the range: shown whole, where the
    // input checks' own messages are cut to the label's 80 characters.
    if (input)
      ErrorText = evaluation.error;
    else
      SetFormError(error);
    return false;
  }
  EnterEvaluated(*evaluation.state);
  ShowResults(*session_, grids_, WetSteamInput.text);
  return true;
}

// The two fields as the chosen pair in internal units, read as the input checks read a typed
// temperature or pressure. Nothing for a field that is empty (with the message asking for both)
// or that is not a number (no message, as for a temperature or a pressure).
std::optional<StateInput> MainForm::TypedPair(std::string& error) {
  const PairInfo& info = InfoOf(ChosenPair());
  if (TemperatureInput.text.empty() || PressureInput.text.empty()) {
    error = "Please enter both " + Lowered(InputName(info.first)) + " and " +
            Lowered(InputName(info.second)) + ".";
    return std::nullopt;
  }
  auto internal = [this](PairName name, const std::string& text) -> std::optional<double> {
    const std::optional<double> value = session_->Set().Storage().ReadTyped(text);
    const std::optional<Quantity> q = QuantityOf(name);
    if (!value || !q) return value;  // a steam quality is in percent
    const long double inside = UnitConversion(session_->units, session_->Set(), *q).ToInternal(*value);
    if (!FitsReal6(inside)) return std::nullopt;
    return static_cast<double>(inside);
  };
  const std::optional<double> first = internal(info.first, TemperatureInput.text);
  const std::optional<double> second = internal(info.second, PressureInput.text);
  if (!first || !second) return std::nullopt;
  return StateInput{info.pair, *first, *second};
}

std::optional<StateInput> MainForm::ShownInput() {
  // The state labels are written only when an entry gave a state.
  if (TemperatureOutput.caption.empty()) return std::nullopt;
  const CalcState& st = session_->state;
  if (ChosenPair() != InputPair::kTP) {
    std::string error;
    return TypedPair(error);
  }
  switch (st.InputMode) {
    case InputMode::kTP:
      return StateInput{InputPair::kTP, st.TempK, st.PresKPa};
    case InputMode::kT:
      return StateInput{InputPair::kT, st.TempK, 0.0};
    case InputMode::kP:
      return StateInput{InputPair::kP, st.PresKPa, 0.0};
    default:
      return std::nullopt;
  }
}

// The state the evaluator found becomes the session's, as a typed temperature and pressure (or a
// temperature alone, for a saturated state) would have made it; a wet state's quality goes into
// the wet-steam field, from which the wet-steam grid reads it.
void MainForm::EnterEvaluated(const Evaluated& state) {
  Session& s = *session_;
  CalcState& st = s.state;
  st.TempK = state.T;
  st.PresKPa = state.P;
  st.TempDisplay = static_cast<double>(UnitConversion(s.units, s.Set(), kTemperature).ToDisplay(state.T));
  st.PresDisplay = static_cast<double>(UnitConversion(s.units, s.Set(), kPressure).ToDisplay(state.P));
  st.Condition = state.condition;
  st.ConditionText = ConditionName(state.condition);
  st.InputMode = state.Saturated() ? InputMode::kT : InputMode::kTP;
  st.SatGivenTemperature = true;
  if (state.quality) {
    s.steamQuality = *state.quality;
    WetSteamInput.text = StoredValueText(*state.quality, s.Set());
  }
}

bool MainForm::Validate() {
  std::string error;
  bool passed = checks_.Validate(TemperatureInput.text, PressureInput.text, error);
  if (TemperatureInput.text.empty() && PressureInput.text.empty()) SetSearchControlsEnabled(false);
  if (!error.empty()) SetFormError(error);
  return passed;
}

void MainForm::WriteStateLabels() {
  CalcState& st = session_->state;
  UnitSettings& u = session_->units;
  ConditionText.caption = st.ConditionText;
  // The built-in standard's labels keep their 5 significant digits; a standard computed in double
  // precision shows its 3 decimals correctly rounded.
  const bool toDecimals = !session_->Set().Storage().RoundsToReal6();
  TemperatureOutput.caption = FormatFieldNumber(st.TempDisplay, toDecimals) + " " + u.UnitText(kTemperature);
  PressureOutput.caption = FormatFieldNumber(st.PresDisplay, toDecimals) + " " + u.UnitText(kPressure);
}

// One more evaluation of the state per entry, in IAPWS-IF97, while the built-in standard is in use.
void MainForm::WriteDeviation() {
  if (StandardKey(session_->Set()) != Standards().front().key) return;
  if (!reference_) reference_ = std::make_unique<Session>(IapwsCorrelations());
  DeviationText.caption =
      DeviationWarning(LargestDeviation(*session_, *reference_), reference_->Set().Name());
}

void MainForm::EnableWetSteamPage() {
  bool saturated = session_->state.Condition == Condition::kSatLiquidVapour;
  WetSteamPossible.caption = saturated ? "" : kWetSteamOnlySaturatedText;
  WetSteamLabel.enabled = saturated;
  // Another pair gives the state's own quality: it is shown, not typed.
  WetSteamInput.enabled = saturated && ChosenPair() == InputPair::kTP;
  WetPropGrid.enabled = saturated;
}

void MainForm::WriteHeadings() {
  const char* first = "";
  const char* second = "";
  switch (session_->state.Condition) {
    case Condition::kSubCooledSolid:
      first = "Solid";
      break;
    case Condition::kSatSolidVapour:
      first = "Solid", second = "Vapour";
      break;
    case Condition::kSubCooledLiquid:
      first = "Liquid";
      break;
    case Condition::kSatLiquidVapour:
      first = "Liquid", second = "Vapour";
      break;
    case Condition::kSuperheated:
    case Condition::kSuperCritical:
      first = "Vapour";
      break;
    case Condition::kNone:
      break;
  }
  VarPropGrid.SetCell(2, 0, first);
  VarPropGrid.SetCell(3, 0, second);
}

void MainForm::FillFixedGrid() {
  Notifier n(*this);
  UnitSettings& u = session_->units;
  FixPropGrid.colWidths = {160, 50, 50};
  FixPropGrid.SetCell(0, 0, "Property");
  FixPropGrid.SetCell(1, 0, "Units");
  FixPropGrid.SetCell(2, 0, "Value");
  int row = 1;
  for (Item item : FixedItems()) {
    Quantity q = PropQuantity(item);
    long double v = u.ToDisplay(q, session_->Set().FixedValue(item));
    FixPropGrid.SetCell(0, row, PropName(item));
    FixPropGrid.SetCell(1, row, u.UnitText(q));
    FixPropGrid.SetCell(2, row, FormatReal(12, AutoDecimals(v), true, v));
    ++row;
  }
}

// ---- Wet steam ----

void MainForm::WetSteamInputChange() {
  Notifier n(*this);
  if (ChosenPair() != InputPair::kTP) {
    ShowEntry();  // the quality is the state's: the field shows it again
    return;
  }
  if (WetSteamInput.text.empty()) {
    RunRecalculate();
    return;
  }
  auto quality = session_->Set().Storage().ReadTyped(WetSteamInput.text);
  if (!quality) {
    platform_.Beep();
    return;
  }
  if (*quality > 100.0 || *quality < 0.0) {
    platform_.ShowMessage(kQualityRangeText);
    return;
  }
  RunRecalculate();
}

// ---- Steam search ----

void MainForm::SearchInitialiseClick() {
  Notifier n(*this);
  search_.SearchInitialiseClick();
}

void MainForm::SearchComboBoxChange() {
  Notifier n(*this);
  search_.SearchComboBoxChange();
}

void MainForm::TempOrPressComboBoxChange() {
  Notifier n(*this);
  search_.TempOrPressComboBoxChange();
}

void MainForm::SelectSearchItem(int index) {
  Notifier n(*this);
  if (index < 0 || index >= static_cast<int>(SearchComboBox.items.size())) return;
  SearchComboBox.itemIndex = index;
  SearchComboBoxChange();
}

void MainForm::SelectTempOrPressItem(int index) {
  Notifier n(*this);
  if (index < 0 || index >= static_cast<int>(TempOrPressComboBox.items.size())) return;
  TempOrPressComboBox.itemIndex = index;
  TempOrPressComboBoxChange();
}

SearchOutcome MainForm::GoSearchClick() {
  Notifier n(*this);
  return search_.GoSearchClick();
}

// ---- Pages, help, close ----

void MainForm::SetActivePage(int page) {
  Notifier n(*this);
  if (page >= kVariableResultsPage && page <= kWetSteamPage) ActivePage = page;
}

void MainForm::Contents1Click() {
  if (!platform_.OpenHelp(kHelpFile, kHelpTopic))
    platform_.ShowMessage(std::string("Help file \"") + kHelpFile + "\" not found.");
}

bool MainForm::FormCloseQuery() {
  Notifier n(*this);
  CalcState& st = session_->state;
  ConfigWorkingValues working;
  working.SatGivenTemperature = st.SatGivenTemperature;
  working.FullPropertyList = st.FullPropertyList;
  working.SpareFlag = spareFlag_;
  working.SearchItem = static_cast<std::uint8_t>(ItemCode(st.SearchItem));
  working.SearchGivenItem = static_cast<std::uint8_t>(ItemCode(st.SearchGivenItem));
  store_->Record().SteamQuality = session_->steamQuality;
  bool canClose = true;
  SaveConfig(*store_, session_->units, working, platform_, canClose);
  return canClose;
}

// ---- Clipboard ----

std::string MainForm::ResultsText(ReportLayout layout, std::string_view eol) const {
  // The built-in correlations' report stays as it always was; another standard names itself.
  const CorrelationSet& set = session_->Set();
  const std::string standard = StandardKey(set) == Standards().front().key ? "" : set.Name();
  return ResultsReport({TemperatureOutput.caption, PressureOutput.caption, ConditionText.caption, standard},
                       VarPropGrid, layout, eol);
}

void MainForm::WithTabs1Click() {
  platform_.SetClipboardText(ResultsTextWithTabs());
}

void MainForm::WithSpaces1Click() {
  platform_.SetClipboardText(ResultsTextWithSpaces());
}

}  // namespace tulo
