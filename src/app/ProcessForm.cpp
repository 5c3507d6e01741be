#include "app/ProcessForm.h"

#include <span>

#include "common/Real6.h"
#include "results/DisplayValue.h"

namespace tulo {
namespace {

// The modes a field is used in, one bit per entry of the page's mode chooser.
using ModeMask = std::uint8_t;
constexpr ModeMask kAllModes = 0xFF;
constexpr ModeMask kFirstMode = 0b001;
constexpr ModeMask kSecondMode = 0b010;
constexpr ModeMask kFromThirdMode = 0b110;
constexpr ModeMask kFourthMode = 0b100;

struct StateLayout {
  const char* name;
  ModeMask modes;
};

struct ValueLayout {
  const char* name;
  ValueKind kind;
  bool optional;
  const char* note;
  ModeMask modes;
};

struct PageLayout {
  ProcessPage page;
  const char* title;
  std::span<const char* const> modes;
  std::span<const StateLayout> states;
  std::span<const ValueLayout> values;
};

constexpr const char* kOneMode[] = {""};

// Turbine and pump: Expand, or MachineEfficiency from a measured outlet.
constexpr const char* kMachineModes[] = {"Outlet from the efficiency", "Efficiency from the outlet state"};
constexpr StateLayout kMachineStates[] = {{"Inlet", kAllModes}, {"Outlet", kSecondMode}};
enum MachineValue { kMachineOutletPressure, kMachineEfficiency, kMachineFlow };
constexpr ValueLayout kMachineValues[] = {
    {"Outlet pressure", ValueKind::kPressure, false, "", kFirstMode},
    {"Isentropic efficiency", ValueKind::kPercent, false, "", kFirstMode},
    {"Mass flow", ValueKind::kFlow, true, "optional: gives the power", kAllModes},
};

// A valve (Throttle), or the throttling calorimeter from the state after it.
constexpr const char* kValveModes[] = {"Outlet of a valve", "Throttling calorimeter"};
constexpr StateLayout kValveStates[] = {{"Inlet", kFirstMode}, {"Outlet (measured)", kSecondMode}};
enum ValveValue { kValveOutletPressure, kValveInletPressure };
constexpr ValueLayout kValveValues[] = {
    {"Outlet pressure", ValueKind::kPressure, false, "", kFirstMode},
    {"Inlet pressure", ValueKind::kPressure, false, "", kSecondMode},
};

// A header of two to four streams: the stream count is the mode.
constexpr const char* kMixingModes[] = {"2 streams", "3 streams", "4 streams"};
constexpr StateLayout kMixingStates[] = {{"Stream 1", kAllModes},
                                         {"Stream 2", kAllModes},
                                         {"Stream 3", kFromThirdMode},
                                         {"Stream 4", kFourthMode}};
constexpr std::size_t kMixingOutletPressure = 4;  // after the four flows
constexpr ValueLayout kMixingValues[] = {
    {"Flow of stream 1", ValueKind::kFlow, false, "", kAllModes},
    {"Flow of stream 2", ValueKind::kFlow, false, "", kAllModes},
    {"Flow of stream 3", ValueKind::kFlow, false, "", kFromThirdMode},
    {"Flow of stream 4", ValueKind::kFlow, false, "", kFourthMode},
    {"Outlet pressure", ValueKind::kPressure, false, "", kAllModes},
};

constexpr const char* kDesuperheaterModes[] = {"To an outlet temperature", "To an outlet enthalpy"};
constexpr StateLayout kDesuperheaterStates[] = {{"Steam", kAllModes}, {"Spray water", kAllModes}};
enum DesuperheaterValue { kSteamFlow, kTargetTemperature, kTargetEnthalpy };
constexpr ValueLayout kDesuperheaterValues[] = {
    {"Steam flow", ValueKind::kFlow, false, "", kAllModes},
    {"Outlet temperature", ValueKind::kTemperature, false, "", kFirstMode},
    {"Outlet enthalpy", ValueKind::kEnergy, false, "", kSecondMode},
};

constexpr StateLayout kFlashStates[] = {{"Inlet", kAllModes}};
enum FlashValue { kFlashFlow, kTankPressure };
constexpr ValueLayout kFlashValues[] = {
    {"Inlet flow", ValueKind::kFlow, false, "", kAllModes},
    {"Tank pressure", ValueKind::kPressure, false, "", kAllModes},
};

// Heat between two states, or the outlet from its pressure and the heat.
constexpr const char* kHeaterModes[] = {"Heat from the outlet state", "Outlet from the heat"};
constexpr StateLayout kHeaterStates[] = {{"Inlet", kAllModes}, {"Outlet", kFirstMode}};
enum HeaterValue { kHeaterOutletPressure, kHeat, kHeaterFlow };
constexpr ValueLayout kHeaterValues[] = {
    {"Outlet pressure", ValueKind::kPressure, false, "", kSecondMode},
    {"Heat added", ValueKind::kEnergy, false, "negative: removed", kSecondMode},
    {"Mass flow", ValueKind::kFlow, true, "optional: gives the duty", kAllModes},
};

enum RankineValue {
  kBoilerPressure,
  kTurbineInletTemperature,
  kCondenserPressure,
  kTurbineEfficiency,
  kPumpEfficiency,
  kReheatPressure,
  kReheatTemperature,
  kFeedwaterHeaterPressure,
  kNetPower,
};
constexpr ValueLayout kRankineValues[] = {
    {"Boiler pressure", ValueKind::kPressure, false, "", kAllModes},
    {"Turbine inlet temperature", ValueKind::kTemperature, true, "empty: saturated vapour", kAllModes},
    {"Condenser pressure", ValueKind::kPressure, false, "", kAllModes},
    {"Turbine efficiency", ValueKind::kPercent, false, "", kAllModes},
    {"Pump efficiency", ValueKind::kPercent, false, "", kAllModes},
    {"Reheat pressure", ValueKind::kPressure, true, "optional", kAllModes},
    {"Reheat temperature", ValueKind::kTemperature, true, "optional", kAllModes},
    {"Open feedwater heater pressure", ValueKind::kPressure, true, "optional", kAllModes},
    {"Net power", ValueKind::kPower, true, "optional: gives the steam flow", kAllModes},
};

constexpr PageLayout kPageLayouts[] = {
    {ProcessPage::kTurbine, "Turbine", kMachineModes, kMachineStates, kMachineValues},
    {ProcessPage::kPump, "Pump/compressor", kMachineModes, kMachineStates, kMachineValues},
    {ProcessPage::kValve, "Throttling valve", kValveModes, kValveStates, kValveValues},
    {ProcessPage::kMixing, "Mixing", kMixingModes, kMixingStates, kMixingValues},
    {ProcessPage::kDesuperheater, "Desuperheater", kDesuperheaterModes, kDesuperheaterStates,
     kDesuperheaterValues},
    {ProcessPage::kFlash, "Flash tank", kOneMode, kFlashStates, kFlashValues},
    {ProcessPage::kHeater, "Heater/cooler", kHeaterModes, kHeaterStates, kHeaterValues},
    {ProcessPage::kRankine, "Rankine cycle", kOneMode, {}, kRankineValues},
};

constexpr FlowUnit kFlowUnits[] = {FlowUnit::kKgPerS, FlowUnit::kKgPerH, FlowUnit::kTonnePerH,
                                   FlowUnit::kLbPerH};
constexpr PowerUnit kPowerUnits[] = {PowerUnit::kKW, PowerUnit::kMW};

// The names of the quantities of a pair in the captions, by PairName, as the main window names them.
constexpr const char* kPairNames[] = {"Temperature", "Pressure", "Enthalpy", "Entropy", "Steam Quality"};

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string UnitOf(const Session& s, Quantity q) {
  return Trimmed(s.units.UnitText(q));
}

std::string PairCaption(const Session& s, PairName name) {
  const std::optional<Quantity> q = QuantityOf(name);
  return std::string(kPairNames[static_cast<int>(name)]) + " (" + (q ? UnitOf(s, *q) : "%") + ")";
}

// The unit text of a value field, from the units in use and the flow and power units chosen.
std::string ValueUnit(const Session& s, ValueKind kind, const ReportUnits& units) {
  switch (kind) {
    case ValueKind::kTemperature:
      return UnitOf(s, kTemperature);
    case ValueKind::kPressure:
      return UnitOf(s, kPressure);
    case ValueKind::kEnergy:
      return UnitOf(s, kEnthalpyQ);
    case ValueKind::kFlow:
      return std::string(FlowUnitText(units.flow));
    case ValueKind::kPower:
      return std::string(PowerUnitText(units.power));
    case ValueKind::kPercent:
      break;
  }
  return "%";
}

// Lines ending in LF alone as CR LF, the clipboard's line ends.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

bool EndsWithJson(std::string_view path) {
  if (path.size() < 5) return false;
  return Lowered(std::string(path.substr(path.size() - 5))) == ".json";
}

// The fields of a page read into internal units; the first fault found is the page's message.
class PageReader {
 public:
  PageReader(const ProcessPageForm& page, Session& s, const ReportUnits& units,
             std::span<const InputPair> pairs)
      : page_(page), s_(s), units_(units), pairs_(pairs) {}

  int Mode() const { return page_.mode.itemIndex < 0 ? 0 : page_.mode.itemIndex; }
  bool Ok() const { return error_.empty(); }
  ProcessOutcome Failure() const { return {std::nullopt, error_}; }

  StateInput State(std::size_t index) {
    const StateFields& f = page_.states[index];
    const std::size_t chosen = f.pair.itemIndex < 0 ? 0 : static_cast<std::size_t>(f.pair.itemIndex);
    const PairInfo& info = InfoOf(chosen < pairs_.size() ? pairs_[chosen] : InputPair::kTP);
    const std::string of = " of the " + Lowered(f.name);
    if (f.first.text.empty() || f.second.text.empty()) {
      Fail("Please enter both " + Lowered(kPairNames[static_cast<int>(info.first)]) + " and " +
           Lowered(kPairNames[static_cast<int>(info.second)]) + of + ".");
      return {};
    }
    const std::optional<double> first =
        Read(kPairNames[static_cast<int>(info.first)] + of, f.first.text, QuantityOf(info.first));
    const std::optional<double> second =
        Read(kPairNames[static_cast<int>(info.second)] + of, f.second.text, QuantityOf(info.second));
    return {info.pair, first.value_or(0.0), second.value_or(0.0)};
  }

  // A field that must be given; 0 (and the message) when it is not.
  double Value(std::size_t index) {
    const ValueFields& f = page_.values[index];
    if (f.value.text.empty()) {
      Fail("Please enter the " + Lowered(f.name) + ".");
      return 0.0;
    }
    return Optional(index).value_or(0.0);
  }

  // A field that may be left empty: nothing then.
  std::optional<double> Optional(std::size_t index) {
    const ValueFields& f = page_.values[index];
    if (f.value.text.empty()) return std::nullopt;
    const std::optional<double> typed = Read(f.name, f.value.text, std::nullopt);
    if (!typed) return std::nullopt;
    return Internal(f.kind, *typed);
  }

 private:
  void Fail(std::string text) {
    if (error_.empty()) error_ = std::move(text);
  }

  // The number typed, as the standard reads it, in the internal unit of q (as typed without q);
  // a text that is no number, or a number beyond the program's reals, fails.
  std::optional<double> Read(const std::string& name, const std::string& text, std::optional<Quantity> q) {
    const std::optional<double> value = s_.Set().Storage().ReadTyped(text);
    if (!value) {
      Fail(name + " is not a number: " + text);
      return std::nullopt;
    }
    if (!q) return value;
    const long double inside = UnitConversion(s_.units, s_.Set(), *q).ToInternal(*value);
    if (!FitsReal6(inside)) {
      Fail(name + " is out of range: " + text);
      return std::nullopt;
    }
    return static_cast<double>(inside);
  }

  double Internal(ValueKind kind, double typed) const {
    auto convert = [&](Quantity q) {
      return static_cast<double>(UnitConversion(s_.units, s_.Set(), q).ToInternal(typed));
    };
    switch (kind) {
      case ValueKind::kTemperature:
        return convert(kTemperature);
      case ValueKind::kPressure:
        return convert(kPressure);
      case ValueKind::kEnergy:
        return convert(kEnthalpyQ);
      case ValueKind::kFlow:
        return FlowToInternal(typed, units_.flow);
      case ValueKind::kPower:
        return PowerToInternal(typed, units_.power);
      case ValueKind::kPercent:
        break;
    }
    return typed;
  }

  const ProcessPageForm& page_;
  Session& s_;
  const ReportUnits& units_;
  std::span<const InputPair> pairs_;
  std::string error_;
};

ProcessOutcome ComputeMachine(PageReader& r, StateEvaluator& ev, Machine machine) {
  const StateInput inlet = r.State(0);
  if (r.Mode() == 0) {
    MachineInput input{machine, inlet, r.Value(kMachineOutletPressure), r.Value(kMachineEfficiency),
                       r.Optional(kMachineFlow)};
    if (!r.Ok()) return r.Failure();
    return Expand(ev, input);
  }
  const StateInput outlet = r.State(1);
  const std::optional<double> flow = r.Optional(kMachineFlow);
  if (!r.Ok()) return r.Failure();
  return MachineEfficiency(ev, machine, inlet, outlet, flow);
}

ProcessOutcome ComputeValve(PageReader& r, StateEvaluator& ev) {
  if (r.Mode() == 0) {
    const StateInput inlet = r.State(0);
    const double outletPressure = r.Value(kValveOutletPressure);
    if (!r.Ok()) return r.Failure();
    return Throttle(ev, inlet, outletPressure);
  }
  const StateInput outlet = r.State(1);
  const double inletPressure = r.Value(kValveInletPressure);
  if (!r.Ok()) return r.Failure();
  return ThrottlingCalorimeter(ev, outlet, inletPressure);
}

ProcessOutcome ComputeMixing(PageReader& r, StateEvaluator& ev) {
  std::vector<StreamInput> streams;
  const std::size_t count = static_cast<std::size_t>(r.Mode()) + 2;
  for (std::size_t i = 0; i < count; ++i) {
    const StateInput state = r.State(i);
    streams.push_back({state, r.Value(i)});
  }
  const double pressure = r.Value(kMixingOutletPressure);
  if (!r.Ok()) return r.Failure();
  return Mix(ev, streams, pressure);
}

ProcessOutcome ComputeDesuperheater(PageReader& r, StateEvaluator& ev) {
  DesuperheatInput input;
  input.steam.state = r.State(0);
  input.steam.flow = r.Value(kSteamFlow);
  input.water = r.State(1);
  if (r.Mode() == 0)
    input.targetTemperature = r.Value(kTargetTemperature);
  else
    input.targetEnthalpy = r.Value(kTargetEnthalpy);
  if (!r.Ok()) return r.Failure();
  return Desuperheat(ev, input);
}

ProcessOutcome ComputeFlash(PageReader& r, StateEvaluator& ev) {
  StreamInput inlet;
  inlet.state = r.State(0);
  inlet.flow = r.Value(kFlashFlow);
  const double pressure = r.Value(kTankPressure);
  if (!r.Ok()) return r.Failure();
  return Flash(ev, inlet, pressure);
}

ProcessOutcome ComputeHeater(PageReader& r, StateEvaluator& ev) {
  const StateInput inlet = r.State(0);
  if (r.Mode() == 0) {
    const StateInput outlet = r.State(1);
    const std::optional<double> flow = r.Optional(kHeaterFlow);
    if (!r.Ok()) return r.Failure();
    return Heat(ev, inlet, outlet, flow);
  }
  const double outletPressure = r.Value(kHeaterOutletPressure);
  const double heat = r.Value(kHeat);
  const std::optional<double> flow = r.Optional(kHeaterFlow);
  if (!r.Ok()) return r.Failure();
  return HeatTo(ev, inlet, outletPressure, heat, flow);
}

ProcessOutcome ComputeRankine(PageReader& r, StateEvaluator& ev) {
  RankineInput input;
  input.boilerPressure = r.Value(kBoilerPressure);
  input.turbineInletTemperature = r.Optional(kTurbineInletTemperature);
  input.condenserPressure = r.Value(kCondenserPressure);
  input.turbineEfficiency = r.Value(kTurbineEfficiency);
  input.pumpEfficiency = r.Value(kPumpEfficiency);
  input.reheatPressure = r.Optional(kReheatPressure);
  input.reheatTemperature = r.Optional(kReheatTemperature);
  input.feedwaterHeaterPressure = r.Optional(kFeedwaterHeaterPressure);
  input.netPower = r.Optional(kNetPower);
  if (!r.Ok()) return r.Failure();
  return Rankine(ev, input);
}

const PageLayout& LayoutOf(ProcessPage page) {
  return kPageLayouts[static_cast<std::size_t>(page)];
}

ProcessPageForm MakePage(const PageLayout& layout, const std::vector<std::string>& pairLabels) {
  ProcessPageForm page;
  page.page = layout.page;
  page.title = layout.title;
  for (const char* mode : layout.modes) page.mode.items.emplace_back(mode);
  page.mode.itemIndex = 0;
  page.mode.enabled = layout.modes.size() > 1;
  for (const StateLayout& state : layout.states) {
    StateFields& f = page.states.emplace_back();
    f.name = state.name;
    f.pair.items = pairLabels;
    f.pair.itemIndex = 0;
  }
  for (const ValueLayout& value : layout.values) {
    ValueFields& f = page.values.emplace_back();
    f.name = value.name;
    f.kind = value.kind;
    f.optional = value.optional;
    f.note = value.note;
  }
  return page;
}

}  // namespace

std::string ShownName(std::string_view name) {
  std::string text(name);
  for (char& c : text)
    if (c == '_') c = ' ';
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

StateInput StateInputOf(const ProcessState& state) {
  if (state.x) return {InputPair::kPx, state.P, *state.x};
  return {InputPair::kPH, state.P, state.h};
}

std::string ShownNumber(double value, const ReportUnits& units, bool fullPrecision) {
  const std::string text = ReportNumberText(value, units, fullPrecision);
  return text.empty() ? "Out of Range" : text;
}

ProcessForm::ProcessForm(Session& session, PlatformServices& platform)
    : session_(session),
      platform_(platform),
      shownSet_(&session.Set()),
      shownUnits_(session.units.GetUnitSelection()) {
  // The pairs of two quantities, as the main window's chooser offers them.
  std::vector<std::string> pairLabels;
  for (const PairInfo& info : InputPairs()) {
    if (info.first == info.second) continue;
    pairLabels.emplace_back(info.label);
    pairs_.push_back(info.pair);
  }
  for (const PageLayout& layout : kPageLayouts) {
    Pages.push_back(MakePage(layout, pairLabels));
    EnableFields(Pages.back());
  }
  for (FlowUnit unit : kFlowUnits) FlowUnitBox.items.emplace_back(FlowUnitText(unit));
  FlowUnitBox.itemIndex = 0;
  for (PowerUnit unit : kPowerUnits) PowerUnitBox.items.emplace_back(PowerUnitText(unit));
  PowerUnitBox.itemIndex = 0;
  WriteCaptions();
  ShowResult();
}

ProcessForm::~ProcessForm() = default;

ReportUnits ProcessForm::Units() const {
  ReportUnits units;
  units.units = &session_.units;
  units.set = &session_.Set();
  units.flow = kFlowUnits[FlowUnitBox.itemIndex < 0 ? 0 : FlowUnitBox.itemIndex];
  units.power = kPowerUnits[PowerUnitBox.itemIndex < 0 ? 0 : PowerUnitBox.itemIndex];
  return units;
}

void ProcessForm::Changed() {
  ShowResult();
  if (onChanged) onChanged();
}

void ProcessForm::SelectPage(int page) {
  if (page < 0 || page >= static_cast<int>(Pages.size()) || page == ActivePage) return;
  ActivePage = page;
  SelectedState = -1;
  Changed();
}

void ProcessForm::SelectMode(int index) {
  ProcessPageForm& page = Page();
  if (index < 0 || index >= static_cast<int>(page.mode.items.size())) return;
  page.mode.itemIndex = index;
  EnableFields(page);
  Changed();
}

// The pair a state stands for: its captions follow and its two fields are emptied, as in the
// main window.
void ProcessForm::SelectPair(int state, int index) {
  ProcessPageForm& page = Page();
  if (state < 0 || state >= static_cast<int>(page.states.size())) return;
  StateFields& f = page.states[static_cast<std::size_t>(state)];
  if (index < 0 || index >= static_cast<int>(f.pair.items.size()) || index == f.pair.itemIndex) return;
  f.pair.itemIndex = index;
  f.first.text.clear();
  f.second.text.clear();
  WriteCaptions();
  Changed();
}

void ProcessForm::WriteStateField(int state, bool second, const std::string& text) {
  ProcessPageForm& page = Page();
  if (state < 0 || state >= static_cast<int>(page.states.size())) return;
  StateFields& f = page.states[static_cast<std::size_t>(state)];
  (second ? f.second : f.first).text = text;
  Changed();
}

void ProcessForm::WriteValue(int value, const std::string& text) {
  ProcessPageForm& page = Page();
  if (value < 0 || value >= static_cast<int>(page.values.size())) return;
  page.values[static_cast<std::size_t>(value)].value.text = text;
  Changed();
}

void ProcessForm::SelectFlowUnit(int index) {
  if (index < 0 || index >= static_cast<int>(FlowUnitBox.items.size())) return;
  FlowUnitBox.itemIndex = index;
  WriteCaptions();
  Changed();
}

void ProcessForm::SelectPowerUnit(int index) {
  if (index < 0 || index >= static_cast<int>(PowerUnitBox.items.size())) return;
  PowerUnitBox.itemIndex = index;
  WriteCaptions();
  Changed();
}

void ProcessForm::FullPrecisionClick(bool checked) {
  FullPrecision.checked = checked;
  Changed();
}

void ProcessForm::SelectStateRow(int index) {
  const ProcessPageForm& page = Page();
  const int count = page.result ? static_cast<int>(page.result->states.size()) : 0;
  SelectedState = index >= 0 && index < count ? index : -1;
  Changed();
}

void ProcessForm::ComputeClick() {
  ComputeAgain(Page());
  SelectedState = -1;
  Changed();
}

void ProcessForm::ComputeAgain(ProcessPageForm& page) {
  ProcessOutcome outcome = ComputePage(page);
  page.result = std::move(outcome.result);
  page.error = page.result ? std::string() : outcome.error;
}

ProcessOutcome ProcessForm::ComputePage(const ProcessPageForm& page) {
  if (!evaluator_ || &evaluator_->Set() != &session_.Set())
    evaluator_ = std::make_unique<StateEvaluator>(session_.Set());
  StateEvaluator& ev = *evaluator_;
  const ReportUnits units = Units();
  PageReader r(page, session_, units, pairs_);
  switch (page.page) {
    case ProcessPage::kTurbine:
      return ComputeMachine(r, ev, Machine::kTurbine);
    case ProcessPage::kPump:
      return ComputeMachine(r, ev, Machine::kPump);
    case ProcessPage::kValve:
      return ComputeValve(r, ev);
    case ProcessPage::kMixing:
      return ComputeMixing(r, ev);
    case ProcessPage::kDesuperheater:
      return ComputeDesuperheater(r, ev);
    case ProcessPage::kFlash:
      return ComputeFlash(r, ev);
    case ProcessPage::kHeater:
      return ComputeHeater(r, ev);
    case ProcessPage::kRankine:
      break;
  }
  return ComputeRankine(r, ev);
}

void ProcessForm::CopyClick() {
  const ProcessPageForm& page = Page();
  if (!page.result) return;
  platform_.SetClipboardText(WithCrLf(ProcessDelimited(*page.result, Units(), '\t', FullPrecision.checked)));
}

std::optional<std::string> ProcessForm::FileText(std::string_view path) const {
  const ProcessPageForm& page = Page();
  if (!page.result) return std::nullopt;
  if (EndsWithJson(path)) return ProcessJson(*page.result, Units());
  return ProcessDelimited(*page.result, Units(), ',', true);
}

void ProcessForm::SaveDone(const std::string& path, const std::string& error) {
  if (error.empty()) {
    Message.caption = "Saved to " + path + ".";
    MessageIsError = false;
  } else {
    Message.caption = "Cannot write " + path + ": " + error;
    MessageIsError = true;
    platform_.ShowMessage(Message.caption);
  }
  if (onChanged) onChanged();
}

void ProcessForm::ShowOnDiagramClick() {
  const ProcessPageForm& page = Page();
  if (page.result && showOnDiagram_) showOnDiagram_(*page.result);
}

void ProcessForm::AddToStateListClick() {
  const ProcessPageForm& page = Page();
  if (!page.result || !addToStateList_ || SelectedState < 0 ||
      SelectedState >= static_cast<int>(page.result->states.size()))
    return;
  addToStateList_(page.result->states[static_cast<std::size_t>(SelectedState)]);
}

void ProcessForm::SetShowOnDiagram(std::function<void(const ProcessResult&)> hook) {
  showOnDiagram_ = std::move(hook);
  Changed();
}

void ProcessForm::SetAddToStateList(std::function<void(const NamedState&)> hook) {
  addToStateList_ = std::move(hook);
  Changed();
}

void ProcessForm::FollowSession() {
  const bool newSet = &session_.Set() != shownSet_;
  const bool newUnits = session_.units.GetUnitSelection() != shownUnits_;
  if (!newSet && !newUnits) return;
  shownSet_ = &session_.Set();
  shownUnits_ = session_.units.GetUnitSelection();
  WriteCaptions();
  // A result belongs to the standard it was computed in.
  if (newSet)
    for (ProcessPageForm& page : Pages)
      if (page.result) ComputeAgain(page);
  Changed();
}

void ProcessForm::EnableFields(ProcessPageForm& page) {
  const PageLayout& layout = LayoutOf(page.page);
  const auto bit = static_cast<ModeMask>(1u << (page.mode.itemIndex < 0 ? 0 : page.mode.itemIndex));
  for (std::size_t i = 0; i < page.states.size(); ++i)
    page.states[i].enabled = (layout.states[i].modes & bit) != 0;
  for (std::size_t i = 0; i < page.values.size(); ++i) {
    const bool on = (layout.values[i].modes & bit) != 0;
    page.values[i].value.enabled = on;
    page.values[i].caption.enabled = on;
  }
}

void ProcessForm::WriteCaptions() {
  const ReportUnits units = Units();
  for (ProcessPageForm& page : Pages) {
    for (StateFields& f : page.states) {
      const std::size_t chosen = f.pair.itemIndex < 0 ? 0 : static_cast<std::size_t>(f.pair.itemIndex);
      const PairInfo& info = InfoOf(pairs_[chosen]);
      f.firstCaption.caption = PairCaption(session_, info.first);
      f.secondCaption.caption = PairCaption(session_, info.second);
    }
    for (ValueFields& f : page.values) {
      const std::string note = f.note.empty() ? "" : "; " + f.note;
      f.caption.caption = f.name + " (" + ValueUnit(session_, f.kind, units) + note + ")";
    }
  }
}

// The grids, the buttons and the message of the page in front.
void ProcessForm::ShowResult() {
  const ProcessPageForm& page = Page();
  const ReportUnits units = Units();
  StateGrid.ResizeRows(1);
  FigureGrid.ResizeRows(1);
  const char* figureHeadings[] = {"Figure", "Value", "Unit"};
  for (int c = 0; c < 3; ++c) FigureGrid.SetCell(c, 0, figureHeadings[c]);
  StateGrid.SetCell(0, 0, "State");
  constexpr PairName kColumns[] = {PairName::kT, PairName::kP, PairName::kH, PairName::kS};
  for (int c = 0; c < 4; ++c) {
    const std::optional<Quantity> q = QuantityOf(kColumns[c]);
    StateGrid.SetCell(c + 1, 0, std::string(NameText(kColumns[c])) + " (" + UnitOf(session_, *q) + ")");
  }
  StateGrid.SetCell(5, 0, "x (%)");
  if (page.result) {
    WriteStateRows(*page.result, units);
    WriteFigureRows(*page.result, units);
    Message.caption = "Standard in use: " + session_.Set().Name() + ".";
  } else {
    Message.caption = page.error;
  }
  MessageIsError = !page.result && !page.error.empty();
  const bool result = page.result.has_value();
  Copy.enabled = result;
  SaveAs.enabled = result;
  ShowOnDiagram.enabled = result && showOnDiagram_ != nullptr;
  AddToStateList.enabled = result && addToStateList_ != nullptr && SelectedState >= 0;
}

void ProcessForm::WriteStateRows(const ProcessResult& result, const ReportUnits& units) {
  constexpr PairName kColumns[] = {PairName::kT, PairName::kP, PairName::kH, PairName::kS, PairName::kX};
  const bool full = FullPrecision.checked;
  for (const NamedState& named : result.states) {
    const int row = StateGrid.RowCount();
    StateGrid.ResizeRows(row + 1);
    StateGrid.SetCell(0, row, ShownName(named.name));
    for (int c = 0; c < 5; ++c) {
      const std::optional<ReportValue> shown = StateValueShown(named.state, kColumns[c], units);
      StateGrid.SetCell(c + 1, row, shown ? ShownNumber(shown->value, units, full) : "");
    }
  }
}

void ProcessForm::WriteFigureRows(const ProcessResult& result, const ReportUnits& units) {
  for (const Figure& figure : result.figures) {
    const int row = FigureGrid.RowCount();
    const ReportValue shown = FigureShown(figure, units);
    FigureGrid.ResizeRows(row + 1);
    FigureGrid.SetCell(0, row, ShownName(figure.name));
    FigureGrid.SetCell(1, row, ShownNumber(shown.value, units, FullPrecision.checked));
    FigureGrid.SetCell(2, row, shown.unit);
  }
}

}  // namespace tulo
