#include "python/Evaluation.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "app/InputChecks.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "process/ProcessReport.h"
#include "results/DisplayValue.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/StateArrays.h"
#include "results/StateEvaluator.h"
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
  if (!set.Storage().RoundsToReal6()) return stored;
  for (int digits = 1; digits < 17; ++digits) {
    const std::string text = GeneralText(stored, digits);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    if (R6(shown) == R6(stored)) return shown;
  }
  return stored;
}

// The message for a given number that cannot be typed: none at all (nan, inf), or beyond what the
// program's reals hold, in the unit given or in the internal one. Nothing for a good one.
std::optional<std::string> UnreadableText(double value, std::optional<Quantity> q, UnitSettings& units) {
  const std::string text = NumberText(value);
  const std::optional<double> typed = ReadNumber(text);
  if (typed && (!q || FitsReal6(units.ToInternal(*q, *typed)))) return std::nullopt;
  return (std::isfinite(value) ? "number out of range: " : "not a number: ") + text;
}

// A given number as the standard reads it typed (a Real6 in the built-in standard).
double Typed(const CorrelationSet& set, double value) {
  return set.Storage().ReadTyped(NumberText(value)).value_or(kNaN);
}

// The pair of the names given: T or P alone is saturated at it.
InputPair PairGiven(const std::vector<GivenValue>& given) {
  if (given.size() == 1 && (given[0].name == PairName::kT || given[0].name == PairName::kP))
    return given[0].name == PairName::kT ? InputPair::kT : InputPair::kP;
  if (given.size() == 1)
    throw InputError(std::string(NameText(given[0].name)) +
                     " alone gives no state: give two of T, P, h, s, x, or T or P alone (saturated)");
  if (given.size() != 2) throw InputError("give two of T, P, h, s, x, not " + std::to_string(given.size()));
  if (const std::optional<InputPair> pair = PairOf(given[0].name, given[1].name)) return *pair;
  throw InputError(std::string(NameText(given[0].name)) + " and " + std::string(NameText(given[1].name)) +
                   ": this pair is not supported");
}

// The values given as the evaluator takes them: typed, then in internal units, in the pair's order.
StateInput InputOf(const std::vector<GivenValue>& given, const CorrelationSet& set, UnitSettings& units) {
  StateInput input{PairGiven(given)};
  for (const GivenValue& g : given) {
    const std::optional<Quantity> q = QuantityOf(g.name);
    if (std::optional<std::string> message = UnreadableText(g.value, q, units)) throw InputError(*message);
    const double typed = Typed(set, g.value);
    const double internal = q ? static_cast<double>(UnitConversion(units, set, *q).ToInternal(typed)) : typed;
    (g.name == InfoOf(input.pair).first ? input.first : input.second) = internal;
  }
  return input;
}

// The window's checks of a temperature and pressure typed, for the window's messages: the
// evaluator finds the same states, but tells why there is none in its own words. InputError with
// the message of the first check that fails.
void CheckAsTyped(const StateRequest& request) {
  Session s(*request.set);
  s.units.InitUnits(request.units);
  auto text = [&request](PairName name) {
    for (const GivenValue& g : request.given)
      if (g.name == name) return NumberText(g.value);
    return std::string();
  };
  std::string error;
  if (!InputChecks(s).Validate(text(PairName::kT), text(PairName::kP), error))
    throw InputError(Utf8Left(error, kErrorTextLength));
}

// A temperature or pressure of the state in the unit chosen: the number given as it was read, the
// other one from the state.
double StateNumber(const StateRequest& request, PairName name, Quantity q, double internal,
                   UnitSettings& units) {
  const CorrelationSet& set = *request.set;
  for (const GivenValue& g : request.given)
    if (g.name == name) return ShownNumber(Typed(set, g.value), set);
  return ShownNumber(static_cast<double>(UnitConversion(units, set, q).ToDisplay(internal)), set);
}

// A named phase's correlation at (T, P) in internal units, as tulo-calc property answers it.
DisplayValue PhaseValueAt(Session& s, const PropertyRequest& request, const UnitConversion& unit,
                          long double T, long double P) {
  if (!FitsReal6(T) || !FitsReal6(P)) return {kNaN, Status::kOutOfRange};
  // The limits of the inputs the value rests on, as the window checks what is typed.
  if (!InputsInLimits(s.Set(), request.item, *request.phase, T, P, request.quality))
    return {kNaN, Status::kOutOfRange};
  return unit.Display(s.Calculators().Compute(request.item, *request.phase, T, P));
}

// What the request wants at the state given, in the unit chosen.
DisplayValue WantedAt(StateEvaluator& evaluator, const PropertyRequest& request, const StateInput& input,
                      const std::optional<UnitConversion>& unit) {
  if (!FitsReal6(input.first) || !FitsReal6(input.second)) return {kNaN, Status::kOutOfRange};
  const Evaluation evaluation = evaluator.Evaluate(input);
  if (!evaluation.state) return {kNaN, Status::kOutOfRange};
  const Evaluated& state = *evaluation.state;
  switch (request.wanted) {
    case Wanted::kItem:
      return unit->Display(evaluator.StateValue(state, request.item));
    case Wanted::kTemperature:
      return unit->Display({state.T, Status::kValid});
    case Wanted::kPressure:
      return unit->Display({state.P, Status::kValid});
    case Wanted::kQuality:
      break;
  }
  if (!state.quality) return {kNaN, Status::kNotGiven};
  return {*state.quality, Status::kValid};
}

// EvaluateProperties on the states [begin, end) with an evaluator of its own, kChunk states at a
// time through buffers of that size (a call over millions of states takes no memory of its size
// beyond the caller's arrays).
void PropertiesBlock(const PropertiesRequest& request, std::span<const double> T, std::span<const double> P,
                     std::span<const std::span<double>> values, std::span<std::int8_t> status,
                     std::size_t begin, std::size_t end) {
  constexpr std::size_t kChunk = 4096;
  const CorrelationSet& set = *request.set;
  UnitSettings units;
  units.InitUnits(request.units);
  const UnitConversion unitT(units, set, kTemperature), unitP(units, set, kPressure);
  std::vector<UnitConversion> unitOf;
  for (Item item : request.items) unitOf.emplace_back(units, set, PropQuantity(item));
  const std::size_t count = request.items.size(), n = T.size();
  std::vector<double> t(kChunk), p(kChunk), v(count * kChunk);
  std::vector<Status> st(count * kChunk), shownStatus(kChunk);
  StateEvaluator evaluator(set);
  for (std::size_t first = begin; first < end; first += kChunk) {
    const std::size_t m = std::min(kChunk, end - first);
    // The states in internal units as EvaluateProperty hands them to the evaluator; one beyond
    // what a Real6 holds has no state there (kOutOfRange), as NaN has none here.
    unitT.ToInternalAll(T.subspan(first, m), std::span(t).first(m));
    unitP.ToInternalAll(P.subspan(first, m), std::span(p).first(m));
    for (std::size_t i = 0; i < m; ++i)
      if (!DoubleFitsReal6(t[i]) || !DoubleFitsReal6(p[i])) t[i] = kNaN;
    ComputeArraysTP(evaluator, request.items, std::span(t).first(m), std::span(p).first(m),
                    std::span(v).first(count * m), std::span(st).first(count * m));
    for (std::size_t k = 0; k < count; ++k) {
      unitOf[k].DisplayAll(std::span(v).subspan(k * m, m), std::span(st).subspan(k * m, m),
                           values[k].subspan(first, m), std::span(shownStatus).first(m));
      if (status.empty()) continue;
      for (std::size_t i = 0; i < m; ++i)
        status[k * n + first + i] = static_cast<std::int8_t>(shownStatus[i]);
    }
  }
}

// The flow or power unit named; InputError naming the argument and the choices.
template <typename Unit>
Unit RateUnitArg(std::optional<Unit> (*named)(std::string_view), const std::string& name, const char* arg,
                 const char* choices) {
  if (const std::optional<Unit> unit = named(name)) return *unit;
  throw InputError(std::string(arg) + ": unknown unit " + name + " (" + choices + ")");
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
  const std::optional<double> typed = set.Storage().TakeTyped(quality);
  if (!typed) throw InputError("not a number: " + NumberText(quality));
  if (*typed < 0.0 || *typed > 100.0) throw InputError(kQualityRangeText);
  return *typed;
}

StateAnswer EvaluateState(const StateRequest& request) {
  if (request.given.empty()) throw InputError(kNothingTypedText);
  const CorrelationSet& set = *request.set;
  UnitSettings units;
  units.InitUnits(request.units);
  const StateInput input = InputOf(request.given, set, units);
  const bool byTP =
      input.pair == InputPair::kTP || input.pair == InputPair::kT || input.pair == InputPair::kP;
  if (byTP) CheckAsTyped(request);
  if (request.quality && !byTP)
    throw InputError("quality is for a state given by T, P or both; this pair gives the state's own x");
  StateEvaluator evaluator(set);
  const Evaluation evaluation = evaluator.Evaluate(input);
  if (!evaluation.state) throw InputError(evaluation.error);
  Evaluated state = *evaluation.state;
  if (request.quality) {
    const double quality = CheckedQuality(set, *request.quality);
    if (state.condition != Condition::kSatLiquidVapour) throw InputError(kWetSteamOnlySaturatedText);
    state.quality = quality;  // the wet-steam values mix at it
  }

  StateAnswer answer;
  answer.condition = state.condition;
  answer.conditionText = ConditionName(state.condition);
  answer.T = StateNumber(request, PairName::kT, kTemperature, state.T, units);
  answer.P = StateNumber(request, PairName::kP, kPressure, state.P, units);
  answer.pair = !byTP;
  if (answer.pair && state.quality) answer.x = ShownNumber(*state.quality, set);
  answer.unitT = units.UnitText(kTemperature);
  answer.unitP = units.UnitText(kPressure);

  auto rowOf = [&](Item item) -> StateRow& {
    auto it = std::find_if(answer.rows.begin(), answer.rows.end(),
                           [&](const StateRow& r) { return r.item == item; });
    if (it != answer.rows.end()) return *it;
    StateRow& row = answer.rows.emplace_back();
    row.item = item;
    row.unit = units.UnitText(PropQuantity(item));
    const UnitConversion unit(units, set, PropQuantity(item));
    for (Phase phase : state.Columns())
      row.columns.emplace_back(ColumnName(phase), unit.Display(evaluator.Value(state, item, phase)));
    return row;
  };
  for (Item item : set.Layout().RowSet(state.condition, true)) rowOf(item);
  if (state.quality && state.condition == Condition::kSatLiquidVapour)
    for (Item item : set.Layout().WetRowSet())
      rowOf(item).columns.emplace_back("wet", UnitConversion(units, set, PropQuantity(item))
                                                  .Display(evaluator.Value(state, item, Phase::kWetSteam)));
  return answer;
}

std::size_t EvaluateProperty(const PropertyRequest& request, std::span<const double> first,
                             std::span<const double> second, std::span<double> value,
                             std::span<std::int8_t> status, const KeepGoing& keepGoing) {
  const CorrelationSet& set = *request.set;
  UnitSettings units;
  units.InitUnits(request.units);
  // A named phase is its correlation at (T, P): a calculator call of a session of its own.
  Session s(set);
  s.units.InitUnits(request.units);
  s.steamQuality = request.quality;
  // Inner calls of a phase asked use its condition when it is a single-phase one, otherwise a
  // saturated one, as tulo-calc property asks them.
  if (request.phase) s.state.Condition = ConditionOf(*request.phase).value_or(Condition::kSatLiquidVapour);
  StateEvaluator evaluator(set);
  const PairInfo& info = InfoOf(request.pair);
  auto conversion = [&](std::optional<Quantity> q) {
    return q ? std::optional<UnitConversion>(std::in_place, units, set, *q) : std::nullopt;
  };
  const std::optional<UnitConversion> firstUnit = conversion(QuantityOf(info.first));
  const std::optional<UnitConversion> secondUnit = conversion(QuantityOf(info.second));
  const std::optional<UnitConversion> unit =
      conversion(request.wanted == Wanted::kItem          ? std::optional(PropQuantity(request.item))
                 : request.wanted == Wanted::kTemperature ? std::optional(kTemperature)
                 : request.wanted == Wanted::kPressure    ? std::optional(kPressure)
                                                          : std::nullopt);
  using Clock = std::chrono::steady_clock;
  Clock::time_point ask = Clock::now() + kKeepGoingInterval;
  for (std::size_t i = 0; i < value.size(); ++i) {
    // The clock is read every kRowsPerClockRead rows: a row takes from one to some tens of µs.
    if (keepGoing && i % kRowsPerClockRead == 0 && i > 0 && Clock::now() >= ask) {
      if (!keepGoing()) return i;
      ask = Clock::now() + kKeepGoingInterval;
    }
    const long double a = firstUnit ? firstUnit->ToInternal(first[i]) : first[i];
    const long double b = secondUnit ? secondUnit->ToInternal(second[i]) : second[i];
    const DisplayValue v =
        request.phase ? PhaseValueAt(s, request, *unit, a, b)
                      : WantedAt(evaluator, request,
                                 {request.pair, static_cast<double>(a), static_cast<double>(b)}, unit);
    value[i] = v.value;
    status[i] = static_cast<std::int8_t>(v.status);
  }
  return value.size();
}

void EvaluateProperties(const PropertiesRequest& request, std::span<const double> T,
                        std::span<const double> P, std::span<const std::span<double>> values,
                        std::span<std::int8_t> status) {
  const std::size_t n = T.size();
  // No thread for fewer than a few thousand states each: starting one costs more.
  constexpr std::size_t kLeastPerThread = 4096;
  const std::size_t threads = std::clamp<std::size_t>(n / kLeastPerThread, 1, std::max(1u, request.threads));
  std::vector<std::jthread> workers;
  for (std::size_t b = 1; b < threads; ++b)
    workers.emplace_back(
        [&, b] { PropertiesBlock(request, T, P, values, status, n * b / threads, n * (b + 1) / threads); });
  PropertiesBlock(request, T, P, values, status, 0, n / threads);
}

ProcessConverter::ProcessConverter(const ProcessUnits& units)
    : set_(units.set),
      flow_(RateUnitArg(&FlowUnitNamed, units.flowUnit, "flow_unit", "kg/s, kg/h, t/h or lb/h")),
      power_(RateUnitArg(&PowerUnitNamed, units.powerUnit, "power_unit", "kW or MW")) {
  units_.InitUnits(units.units);
}

StateInput ProcessConverter::State(const std::string& arg, const std::vector<GivenValue>& given) {
  // T or P alone is a saturated state without a quality: no enthalpy for a balance.
  if (given.size() != 2)
    throw InputError(arg + ": give two of T, P, h, s, x, not " + std::to_string(given.size()));
  try {
    return InputOf(given, *set_, units_);
  } catch (const InputError& e) {
    throw InputError(arg + ": " + e.what());
  }
}

double ProcessConverter::Internal(const std::string& arg, double value, Quantity q) {
  if (std::optional<std::string> message = UnreadableText(value, q, units_))
    throw InputError(arg + ": " + *message);
  return static_cast<double>(UnitConversion(units_, *set_, q).ToInternal(Typed(*set_, value)));
}

double ProcessConverter::Number(const std::string& arg, double value) {
  if (std::optional<std::string> message = UnreadableText(value, std::nullopt, units_))
    throw InputError(arg + ": " + *message);
  return value;
}

double ProcessConverter::Flow(const std::string& arg, double value) {
  return FlowToInternal(Number(arg, value), flow_);
}

double ProcessConverter::Power(const std::string& arg, double value) {
  return PowerToInternal(Number(arg, value), power_);
}

ProcessAnswer ProcessConverter::Shown(const ProcessOutcome& outcome) const {
  if (!outcome.result) throw InputError(outcome.error);
  const ProcessResult& result = *outcome.result;
  const ReportUnits report{&units_, set_, flow_, power_};
  // Every number as tulo-calc's JSON writes it: the value the standard stores (a Real6 in the
  // built-in standard, as its short decimal), NaN for one it cannot show.
  auto stored = [this](double value) {
    return ShownNumber(static_cast<double>(set_->Storage().Store(value)), *set_);
  };
  auto shown = [&](const ProcessState& state, PairName name) -> std::optional<double> {
    const std::optional<ReportValue> v = StateValueShown(state, name, report);
    return v ? std::optional(stored(v->value)) : std::nullopt;
  };
  ProcessAnswer answer;
  answer.stateList = result.stateList;
  for (const NamedState& n : result.states)
    answer.states.push_back({n.name, shown(n.state, PairName::kT).value_or(kNaN),
                             shown(n.state, PairName::kP).value_or(kNaN),
                             shown(n.state, PairName::kH).value_or(kNaN),
                             shown(n.state, PairName::kS).value_or(kNaN), shown(n.state, PairName::kX)});
  // The units of the states, as the report writes them beside a state's values.
  for (const PairName name : {PairName::kT, PairName::kP, PairName::kH, PairName::kS})
    if (const auto v =
            result.states.empty() ? std::nullopt : StateValueShown(result.states[0].state, name, report))
      answer.units.emplace_back(NameText(name), v->unit);
  answer.units.emplace_back("x", "%");
  for (const Figure& f : result.figures) {
    ReportValue v = FigureShown(f, report);
    answer.units.emplace_back(f.name, v.unit);
    answer.figures.push_back({f.name, stored(v.value), std::move(v.unit)});
  }
  return answer;
}

}  // namespace tulo::python
