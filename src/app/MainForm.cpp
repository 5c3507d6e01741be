#include "app/MainForm.h"

#include <cmath>

#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/CellText.h"
#include "results/SteamSearch.h"
#include "units/Format.h"

namespace tulo {
namespace {

const char* const kNothingTyped = "Please enter either temperature or pressure or both.";
const char* const kWetSteamOnlySaturated = "Wet Steam Calculations are only possible for saturated steam.";
const char* const kQualityRange = "Percentage Wet Steam can only be between 0% and 100%";
const char* const kInvalidSearch = "Invalid searching parameter.";
const char* const kSearchFailed = " Conditions are out of Allowable Range ";

// The entries of the two search lists.
constexpr Item kSearchItems[] = {Item::kEnthalpy, Item::kEntropy, Item::kDensity};
constexpr Item kGivenItems[] = {Item::kTemperature, Item::kPressure};

// True when `text`, read in the display unit of q, gives `internal` back to within `relative`.
bool Denotes(UnitSettings& units, int q, const std::string& text, long double internal,
             long double relative) {
  auto shown = ReadNumber(text);
  if (!shown) return false;
  long double back = units.ToInternal(q, *shown);
  return std::fabs(back - internal) <= relative * std::fabs(internal);
}

// "Name (unit)": name and " (" cut to 32 characters, with the unit to 47, with ")" to 48.
std::string ListEntry(UnitSettings& units, Item item) {
  std::string s = Utf8Left(PropName(item) + " (", 32);
  s = Utf8Left(s + units.UnitText(PropQuantity(item)), 47);
  return Utf8Left(s + ")", 48);
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
      session_(std::make_unique<Session>()) {}

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

// Three decimals can say nothing of a small value (1e-5 kPa is "0.000"), and in a gauge unit
// five digits round a low absolute pressure to below zero: written back, such a text would be
// another state, or none. When the field notation is more than 1 per cent off, the exponent form
// carries as many digits (5 to 12) as it takes to give the value back to 5 significant digits.
std::string MainForm::InputText(int quantity, long double internal) {
  UnitSettings& u = session_->units;
  long double shown = u.ToDisplay(quantity, internal);
  std::string text = FormatFieldNumber(shown);
  if (!std::isfinite(shown) || Denotes(u, quantity, text, internal, 0.01L)) return text;
  for (int digits = 5; digits <= 12; ++digits) {
    text = FormatReal(digits + 8, -1, true, shown);
    if (Denotes(u, quantity, text, internal, 5e-5L)) break;
  }
  return text;
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
  ErrorText = Utf8Left(text, 80);
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
  ShowEntry();
}

// The input entry without its mark in the configuration record: checks the fields, recalculates
// and fills every page from them.
void MainForm::ShowEntry() {
  CalcState& st = session_->state;
  TemperatureOutput.caption.clear();
  PressureOutput.caption.clear();
  ConditionText.caption.clear();
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
      SetFormError(kNothingTyped);
    } else {
      SetSearchControlsEnabled(true);
      SearchInitialiseClick();
      SearchComboBoxChange();
      TempOrPressComboBoxChange();
      WriteStateLabels();
    }
  }
  EnableWetSteamPage();
  WriteHeadings();
  ShowFormError();
  FillFixedGrid();
}

// Reads a filled field as a number in the quantity's display unit; false when it is not one
// (or its value in internal units cannot be stored).
bool MainForm::ReadInput(const EditField& field, int quantity, double& display, double& internal) {
  auto value = ReadNumber(field.text);
  if (!value) return false;
  long double inside = session_->units.ToInternal(quantity, *value);
  if (!FitsReal6(inside)) return false;
  display = *value;
  internal = static_cast<double>(inside);
  return true;
}

std::string MainForm::LimitText(int quantity, long double limit) {
  return TrimZeros(FormatReal(10, 2, true, session_->units.ToDisplay(quantity, limit)));
}

void MainForm::CheckLimit(bool fails, const std::string& text, bool& failed) {
  if (!fails) return;
  failed = true;
  SetFormError(text);
}

namespace {

// The name of a typed quantity in the messages of the input checks.
const char* InputName(int q) {
  return q == kTemperature ? "Temperature" : "Pressure";
}

double InternalValue(const CalcState& st, int q) {
  return q == kTemperature ? st.TempK : st.PresKPa;
}

}  // namespace

void MainForm::CheckSaturationLimit(int q, bool& failed) {
  const InputRange l = session_->Set().InputLimits(static_cast<Quantity>(q));
  std::string name = InputName(q);
  name[0] = static_cast<char>(name[0] - 'A' + 'a');
  CheckLimit(InternalValue(session_->state, q) > l.saturation,
             "For saturation the " + name + " must be less than " + LimitText(q, l.saturation) + " " +
                 session_->units.UnitText(q),
             failed);
}

void MainForm::CheckRange(int q, bool& failed) {
  const InputRange l = session_->Set().InputLimits(static_cast<Quantity>(q));
  double v = InternalValue(session_->state, q);
  CheckLimit(v > l.highest || v < l.lowest,
             std::string(InputName(q)) + " must be between " + LimitText(q, l.lowest) + " and " +
                 LimitText(q, l.highest) + " " + session_->units.UnitText(q),
             failed);
}

bool MainForm::ReadInput(int q) {
  CalcState& st = session_->state;
  return q == kTemperature ? ReadInput(TemperatureInput, q, st.TempDisplay, st.TempK)
                           : ReadInput(PressureInput, q, st.PresDisplay, st.PresKPa);
}

// True when the inputs pass; a failing check leaves its text in ErrorText (the later one wins).
// A text that is not a number ends the checks with no text.
bool MainForm::Validate() {
  CalcState& st = session_->state;
  bool hasT = !TemperatureInput.text.empty();
  bool hasP = !PressureInput.text.empty();
  bool failed = false;
  if (!hasT && !hasP) {
    st.InputMode.clear();
    SetSearchControlsEnabled(false);
  } else if (hasT != hasP) {
    // One quantity alone: saturated water, below the critical point.
    int q = hasT ? kTemperature : kPressure;
    if (!ReadInput(q)) return false;
    st.InputMode = hasT ? "T" : "P";
    CheckSaturationLimit(q, failed);
    CheckRange(q, failed);
  } else {
    if (!ReadInput(kTemperature) || !ReadInput(kPressure)) return false;
    st.InputMode = "TP";
    CheckRange(kPressure, failed);
    CheckRange(kTemperature, failed);
  }
  st.SatGivenTemperature = true;
  return !failed;
}

void MainForm::WriteStateLabels() {
  CalcState& st = session_->state;
  UnitSettings& u = session_->units;
  ConditionText.caption = st.ConditionText;
  TemperatureOutput.caption = FormatFieldNumber(st.TempDisplay) + " " + u.UnitText(kTemperature);
  PressureOutput.caption = FormatFieldNumber(st.PresDisplay) + " " + u.UnitText(kPressure);
}

void MainForm::EnableWetSteamPage() {
  bool saturated = session_->state.Condition == Condition::kSatLiquidVapour;
  WetSteamPossible.caption = saturated ? "" : kWetSteamOnlySaturated;
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
  auto quality = ReadNumber(WetSteamInput.text);
  if (!quality) {
    platform_.Beep();
    return;
  }
  if (*quality > 100.0 || *quality < 0.0) {
    platform_.ShowMessage(kQualityRange);
    return;
  }
  RunRecalculate();
}

// ---- Steam search lists ----

void MainForm::SearchInitialiseClick() {
  Notifier n(*this);
  UnitSettings& u = session_->units;
  SearchComboBox.items.clear();
  for (Item item : kSearchItems) SearchComboBox.items.push_back(ListEntry(u, item));
  TempOrPressComboBox.items.clear();
  for (Item item : kGivenItems) TempOrPressComboBox.items.push_back(ListEntry(u, item));
  SearchComboBox.itemIndex = 0;
  TempOrPressComboBox.itemIndex = 0;
  SearchComboBoxChange();
  TempOrPressComboBoxChange();
}

void MainForm::SearchComboBoxChange() {
  Notifier n(*this);
  int entry = SearchComboBox.itemIndex;
  if (entry < 0 || entry > 2) return;
  CalcState& st = session_->state;
  Item item = kSearchItems[entry];
  if (st.Condition == Condition::kSatLiquidVapour && UseWetSteam.checked) {
    if (PropertyCalculator* calc = session_->Calculators().VarPropCalc(item))
      ComputeText(*calc, Phase::kWetSteam, SearchBox.text, st.TempK, st.PresKPa, session_->units);
  } else {
    SearchBox.text = InputText(PropQuantity(item), *ReferenceOf(st, item));
  }
  st.SearchItem = item;
}

void MainForm::TempOrPressComboBoxChange() {
  Notifier n(*this);
  CalcState& st = session_->state;
  int entry = TempOrPressComboBox.itemIndex;
  if (entry == 0) {
    TempOrPressBox.text = InputText(kTemperature, st.PrevTempK);
    st.SearchGivenItem = Item::kTemperature;
  } else if (entry == 1) {
    TempOrPressBox.text = InputText(kPressure, st.PrevPresKPa);
    st.SearchGivenItem = Item::kPressure;
  }
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

// ---- Steam search ----

void MainForm::GoSearchClick() {
  Notifier n(*this);
  CalcState& st = session_->state;
  UnitSettings& u = session_->units;
  int entry = SearchComboBox.itemIndex;
  if (entry < 0 || entry > 2)
    entry = st.SearchItem == Item::kEntropy ? 1 : st.SearchItem == Item::kDensity ? 2 : 0;
  int given = TempOrPressComboBox.itemIndex;
  if (given < 0 || given > 1) given = st.SearchGivenItem == Item::kPressure ? 1 : 0;

  bool ok = false;
  if (auto target = ReadNumber(SearchBox.text)) {
    long double inside = u.ToInternal(PropQuantity(kSearchItems[entry]), *target);
    if (FitsReal6(inside)) {
      *ReferenceOf(st, kSearchItems[entry]) = static_cast<double>(inside);
      if (auto fixed = ReadNumber(TempOrPressBox.text)) {
        long double fixedInside = u.ToInternal(PropQuantity(kGivenItems[given]), *fixed);
        if (FitsReal6(fixedInside)) {
          (given == 0 ? st.PrevTempK : st.PrevPresKPa) = static_cast<double>(fixedInside);
          ok = true;
        }
      }
    }
  }
  if (!ok) {
    platform_.ShowMessage(kInvalidSearch);
    return;
  }

  SearchRequest request;
  request.searchItem = kSearchItems[entry];
  request.givenItem = kGivenItems[given];
  request.target = *ReferenceOf(st, request.searchItem);
  request.fixedValue = given == 0 ? st.PrevTempK : st.PrevPresKPa;
  SearchAnswer answer = SearchRegion(*session_, request);
  SearchFinish(answer.found, answer.x, request.fixedValue, request.givenItem);
  if (answer.found)
    SetActivePage(st.Condition == Condition::kSatLiquidVapour ? kWetSteamPage : kVariableResultsPage);
}

void MainForm::SearchFinish(bool found, long double x, long double fixedValue, Item givenItem) {
  if (!found) {
    platform_.ShowMessage(kSearchFailed);
    return;
  }
  CalcState& st = session_->state;
  bool saturated = st.Condition == Condition::kSatLiquidVapour;
  std::string qualityText = saturated ? TrimZeros(InputText(kDimensionless, session_->steamQuality)) : "";
  // Both writes go through the fields' change handlers: the state is recalculated as typed.
  if (givenItem == Item::kPressure) {
    std::string p = TrimZeros(InputText(kPressure, fixedValue));
    std::string t = TrimZeros(InputText(kTemperature, x));
    WriteField(Field::kPressure, p);
    WriteField(Field::kTemperature, t);
  } else {
    std::string t = TrimZeros(InputText(kTemperature, fixedValue));
    std::string p = TrimZeros(InputText(kPressure, x));
    WriteField(Field::kTemperature, t);
    WriteField(Field::kPressure, p);
  }
  if (saturated && st.Condition == Condition::kSatLiquidVapour) WriteField(Field::kWetSteam, qualityText);
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

std::string MainForm::ResultsTextWithTabs() const {
  const std::string eol = "\r\n";
  std::string s = "Tulo Calculation Results" + eol;
  s += "Temperature=\t" + TemperatureOutput.caption + eol;
  s += "Pressure=\t" + PressureOutput.caption + eol;
  s += "Condition=\t" + ConditionText.caption + eol;
  s += eol;
  for (int r = 0; r < VarPropGrid.RowCount(); ++r) {
    for (int c = 0; c < 4; ++c) {
      s += VarPropGrid.Cell(c, r);
      if (c < 3 || r > 0) s += "\t";  // every data row ends with a tab, the heading row does not
    }
    s += eol;
  }
  return s;
}

std::string MainForm::ResultsTextWithSpaces() const {
  const std::string eol = "\r\n";
  std::string s = "Tulo Calculation Results" + eol;
  s += "Temperature=" + Spaces(18) + TemperatureOutput.caption + eol;
  s += "Pressure=" + Spaces(21) + PressureOutput.caption + eol;
  s += "Condition=" + Spaces(20) + ConditionText.caption + eol;
  s += eol;
  for (int r = 0; r < VarPropGrid.RowCount(); ++r) {
    s += PadRight(VarPropGrid.Cell(0, r), 30) + PadRight(VarPropGrid.Cell(1, r), 13) +
         PadRight(VarPropGrid.Cell(2, r), 13) + VarPropGrid.Cell(3, r) + eol;
  }
  return s;
}

void MainForm::WithTabs1Click() {
  platform_.SetClipboardText(ResultsTextWithTabs());
}

void MainForm::WithSpaces1Click() {
  platform_.SetClipboardText(ResultsTextWithSpaces());
}

}  // namespace tulo
