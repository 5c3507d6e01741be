#include "app/MainForm.h"

#include "app/FieldText.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/Deviation.h"
#include "results/IapwsSet.h"
#include "results/Standards.h"
#include "units/Format.h"

namespace tulo {
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
  std::string t = "Temperature (" + session_->units.UnitText(kTemperature);
  std::string p = "Pressure (" + session_->units.UnitText(kPressure);
  if (temperatureWidth > 0) t = Utf8Left(t, temperatureWidth);
  if (pressureWidth > 0) p = Utf8Left(p, pressureWidth);
  UnitT.caption = t + ")";
  UnitP.caption = p + ")";
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

  if (Validate()) {
    RunRecalculate();
    if (TemperatureInput.text.empty() && PressureInput.text.empty()) {
      SetFormError(kNothingTypedText);
    } else {
      SetSearchControlsEnabled(true);
      SearchInitialiseClick();
      SearchComboBoxChange();
      TempOrPressComboBoxChange();
      WriteStateLabels();
      WriteDeviation();
    }
  }
  EnableWetSteamPage();
  WriteHeadings();
  ShowFormError();
  FillFixedGrid();
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
  TemperatureOutput.caption = FormatFieldNumber(st.TempDisplay) + " " + u.UnitText(kTemperature);
  PressureOutput.caption = FormatFieldNumber(st.PresDisplay) + " " + u.UnitText(kPressure);
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
  WetSteamInput.enabled = saturated;
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
  if (WetSteamInput.text.empty()) {
    RunRecalculate();
    return;
  }
  auto quality = session_->Set().ReadTyped(WetSteamInput.text);
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
