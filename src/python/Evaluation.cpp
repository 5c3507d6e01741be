#include "python/Evaluation.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

#include "app/InputChecks.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "results/DisplayValue.h"
#include "results/PhaseCondition.h"
#include "results/Results.h"
#include "results/Session.h"
#include "units/Format.h"

namespace tulo::python {
namespace {

constexpr PhaseName kPhaseNames[] = {
    {"sat_solid", Phase::kSatSolid},
    {"sat_liquid", Phase::kSatLiquid},
    {"sat_vapour", Phase::kSatVapour},
    {"subcooled_solid", Phase::kSubCooledSolid},
    {"sat_solid_vapour", Phase::kSatSolidVapour},
    {"subcooled_liquid", Phase::kSubCooledLiquid},
    {"sat_liquid_vapour", Phase::kSatLiquidVapour},
    {"superheated", Phase::kSuperheated},
    {"supercritical", Phase::kSuperCritical},
    {"wet_steam", Phase::kWetSteam},
    {"no_phase", Phase::kNoPhase},
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kRowsPerClockRead = 64;

bool ReadsBackAs(const std::string& text, double x) {
  double back = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), back);
  return back == x;
}

// The shortest text that reads back as x, as Python writes a float ("1e+300", "nan").
std::string NumberText(double x) {
  std::string text;
  for (int digits = 1; digits <= 17; ++digits) {
    text = GeneralText(x, digits);
    if (!std::isfinite(x) || ReadsBackAs(text, x)) break;
  }
  return text;
}

// A temperature or pressure of the state as a Python float. The built-in standard's Real6 as the
// double nearest its shortest decimal: the typed 101.325 kPa is held as the Real6
// 101.32499999995343 and comes back as 101.325. A double of a standard computed in double
// precision as it is.
double ShownNumber(double stored, const CorrelationSet& set) {
  if (!set.RoundsToReal6()) return stored;
  for (int digits = 1; digits < 17; ++digits) {
    const std::string text = GeneralText(stored, digits);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    if (R6(shown) == R6(stored)) return shown;
  }
  return stored;
}

// The message for a typed number that the window's checks could not take: beyond what the
// program's reals hold (in the unit typed or in the internal one), or no number at all.
std::string UnreadableText(const StateRequest& request, const UnitSelection& selection) {
  UnitSettings units;
  units.InitUnits(selection);
  for (auto [value, q] : {std::pair{request.T, kTemperature}, std::pair{request.P, kPressure}}) {
    if (!value) continue;
    const std::string text = NumberText(*value);
    const std::optional<double> typed = ReadNumber(text);
    if (typed && FitsReal6(units.ToInternal(q, *typed))) continue;
    return (std::isfinite(*value) ? "number out of range: " : "not a number: ") + text;
  }
  return "not a number";
}

// The columns of a state's grid: the phase of each, named as the dictionaries name them.
std::vector<std::pair<std::string_view, Phase>> Columns(Condition condition) {
  switch (condition) {
    case Condition::kSatSolidVapour:
      return {{"solid", Phase::kSatSolid}, {"vapour", Phase::kSatVapour}};
    case Condition::kSatLiquidVapour:
      return {{"liquid", Phase::kSatLiquid}, {"vapour", Phase::kSatVapour}};
    default:
      return {{"", PhaseOf(condition)}};
  }
}

DisplayValue ItemValue(Session& s, Item item, Phase phase) {
  const UnitConversion unit(s.units, s.Set(), PropQuantity(item));
  return unit.Display(s.Calculators().Compute(item, phase, s.state.TempK, s.state.PresKPa));
}

// The value of the item at (T, P) in internal units, in the phase asked or the state's own.
DisplayValue PropertyAt(Session& s, const PropertyRequest& request, const UnitConversion& unit, long double T,
                        long double P) {
  if (!FitsReal6(T) || !FitsReal6(P)) return {kNaN, Status::kOutOfRange};
  // The limits of the inputs the value rests on, as the window checks what is typed; the phase
  // of the state (none named) rests on both.
  if (!InputsInLimits(s.Set(), request.item, request.phase.value_or(Phase::kNoPhase), T, P, request.quality))
    return {kNaN, Status::kOutOfRange};
  Phase phase;
  if (request.phase) {
    phase = *request.phase;
  } else {
    DetermineValueCondition(s.state, s.Calculators(), T, P);
    if (IsSaturated(s.state.Condition)) return {kNaN, Status::kNotGiven};
    phase = PhaseOf(s.state.Condition);
  }
  return unit.Display(s.Calculators().Compute(request.item, phase, T, P));
}

}  // namespace

std::span<const PhaseName> PhaseNames() {
  return kPhaseNames;
}

std::optional<Phase> PhaseNamed(std::string_view key) {
  for (const PhaseName& n : kPhaseNames)
    if (n.key == key) return n.phase;
  return std::nullopt;
}

double CheckedQuality(const CorrelationSet& set, double quality) {
  const std::optional<double> typed = set.TakeTyped(quality);
  if (!typed) throw InputError("not a number: " + NumberText(quality));
  if (*typed < 0.0 || *typed > 100.0) throw InputError(kQualityRangeText);
  return *typed;
}

StateAnswer EvaluateState(const StateRequest& request) {
  if (!request.T && !request.P) throw InputError(kNothingTypedText);
  const CorrelationSet& set = *request.set;
  Session s(set);
  s.units.InitUnits(request.units);
  ResultGrids grids;
  Recalculate(s, grids, "");  // the first calculation of a fresh window: nothing typed yet

  CalcState& st = s.state;
  // The window's own checks, on the numbers as they would be typed.
  InputChecks checks(s);
  std::string error;
  if (!checks.Validate(request.T ? NumberText(*request.T) : "", request.P ? NumberText(*request.P) : "", error)) {
    if (error.empty()) throw InputError(UnreadableText(request, request.units));
    throw InputError(Utf8Left(error, kErrorTextLength));
  }
  // The numbers read, echoed as they are: the calculation converts them to the internal unit and
  // back (300 Celsius came back as 300.0000000005).
  const double readT = st.TempDisplay, readP = st.PresDisplay;
  const std::optional<double> quality =
      request.quality ? std::optional<double>(CheckedQuality(set, *request.quality)) : std::nullopt;
  st.SatGivenTemperature = true;
  st.FullPropertyList = true;
  Recalculate(s, grids, "");
  if (quality && st.Condition != Condition::kSatLiquidVapour) throw InputError(kWetSteamOnlySaturatedText);

  StateAnswer answer;
  answer.condition = st.Condition;
  answer.conditionText = st.ConditionText;
  answer.T = ShownNumber(request.T ? readT : st.TempDisplay, set);
  answer.P = ShownNumber(request.P ? readP : st.PresDisplay, set);
  answer.unitT = s.units.UnitText(kTemperature);
  answer.unitP = s.units.UnitText(kPressure);

  // The values from fresh calculators: none of them holds a kept call from another quality.
  Session values(set);
  values.units = s.units;
  values.state = st;
  values.steamQuality = quality.value_or(0.0);
  const auto columns = Columns(st.Condition);
  auto rowOf = [&](Item item) -> StateRow& {
    auto it = std::find_if(answer.rows.begin(), answer.rows.end(),
                           [&](const StateRow& r) { return r.item == item; });
    if (it != answer.rows.end()) return *it;
    StateRow& row = answer.rows.emplace_back();
    row.item = item;
    row.unit = values.units.UnitText(PropQuantity(item));
    for (const auto& [name, phase] : columns) row.columns.emplace_back(name, ItemValue(values, item, phase));
    return row;
  };
  for (Item item : set.RowSet(st.Condition, true)) rowOf(item);
  if (quality)
    for (Item item : set.WetRowSet())
      rowOf(item).columns.emplace_back("wet", ItemValue(values, item, Phase::kWetSteam));
  return answer;
}

std::size_t EvaluateProperty(const PropertyRequest& request, std::span<const double> T,
                             std::span<const double> P, std::span<double> value,
                             std::span<std::int8_t> status, const KeepGoing& keepGoing) {
  const CorrelationSet& set = *request.set;
  Session s(set);
  s.units.InitUnits(request.units);
  s.steamQuality = request.quality;
  // Inner calls of a phase asked use its condition when it is a single-phase one, otherwise a
  // saturated one, as tulo-calc property asks them.
  if (request.phase) s.state.Condition = ConditionOf(*request.phase).value_or(Condition::kSatLiquidVapour);
  const UnitConversion temperature(s.units, set, kTemperature);
  const UnitConversion pressure(s.units, set, kPressure);
  const UnitConversion unit(s.units, set, PropQuantity(request.item));
  using Clock = std::chrono::steady_clock;
  Clock::time_point ask = Clock::now() + kKeepGoingInterval;
  for (std::size_t i = 0; i < value.size(); ++i) {
    // The clock is read every kRowsPerClockRead rows: a row takes from one to some tens of µs.
    if (keepGoing && i % kRowsPerClockRead == 0 && i > 0 && Clock::now() >= ask) {
      if (!keepGoing()) return i;
      ask = Clock::now() + kKeepGoingInterval;
    }
    const DisplayValue v =
        PropertyAt(s, request, unit, temperature.ToInternal(T[i]), pressure.ToInternal(P[i]));
    value[i] = v.value;
    status[i] = static_cast<std::int8_t>(v.status);
  }
  return value.size();
}

}  // namespace tulo::python
