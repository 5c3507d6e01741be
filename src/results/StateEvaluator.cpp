#include "results/StateEvaluator.h"

#include <cmath>

#include "iapws/Formulation.h"
#include "results/IapwsSet.h"
#include "results/PairSolve.h"
#include "results/PhaseCondition.h"

namespace tulo {
namespace {

using enum PairName;

constexpr PairInfo kPairs[] = {
    {InputPair::kTP, kT, kP, "Temperature and pressure"},
    {InputPair::kT, kT, kT, "Temperature (saturated)"},
    {InputPair::kP, kP, kP, "Pressure (saturated)"},
    {InputPair::kTx, kT, kX, "Temperature and quality"},
    {InputPair::kPx, kP, kX, "Pressure and quality"},
    {InputPair::kPH, kP, kH, "Pressure and enthalpy"},
    {InputPair::kPS, kP, kS, "Pressure and entropy"},
    {InputPair::kHS, kH, kS, "Enthalpy and entropy"},
    {InputPair::kTH, kT, kH, "Temperature and enthalpy"},
    {InputPair::kTS, kT, kS, "Temperature and entropy"},
};

constexpr double kKPaPerMPa = 1000.0;

// The phase columns of each condition: static, so that Columns() hands out a view.
constexpr Phase kSolidVapour[] = {Phase::kSatSolid, Phase::kSatVapour};
constexpr Phase kLiquidVapour[] = {Phase::kSatLiquid, Phase::kSatVapour};
constexpr Phase kSingle[] = {Phase::kSatSolid,        Phase::kSatLiquid,      Phase::kSatVapour,
                             Phase::kSubCooledSolid,  Phase::kSatSolidVapour, Phase::kSubCooledLiquid,
                             Phase::kSatLiquidVapour, Phase::kSuperheated,    Phase::kSuperCritical};

Item ItemOf(PairName name) {
  switch (name) {
    case kT:
      return Item::kTemperature;
    case kP:
      return Item::kPressure;
    case kS:
      return Item::kEntropy;
    default:
      return Item::kEnthalpy;
  }
}

Evaluation Failure(std::string text) {
  return {std::nullopt, std::move(text)};
}

// "T = 700 K and x = 50 %"
std::string GivenPair(const StateInput& input) {
  const PairInfo& info = InfoOf(input.pair);
  auto given = [](PairName name, double v) {
    return name == kX ? "x = " + PairNumberText(v) + " %" : GivenText(ItemOf(name), v);
  };
  std::string text = given(info.first, input.first);
  if (info.second != info.first) text += " and " + given(info.second, input.second);
  return text;
}

std::string NoStateWith(const StateInput& input) {
  return "no state with " + GivenPair(input);
}

// A temperature or pressure outside the standard's input limits, as the pair solves say it.
std::optional<std::string> OutsideLimits(const CorrelationSet& set, const StateInput& input, PairName name,
                                         double value) {
  if (name != kT && name != kP) return std::nullopt;
  const Quantity q = name == kT ? kTemperature : kPressure;
  if (set.InInputRange(q, value)) return std::nullopt;
  const InputRange limits = set.InputLimits(q);
  return NoStateWith(input) + ": " + PairSymbol(ItemOf(name)) + " lies between " + PairNumberText(limits.lowest) +
         " and " + PairNumberText(limits.highest) + " " + PairUnit(ItemOf(name));
}

}  // namespace

std::span<const PairInfo> InputPairs() {
  return kPairs;
}

const PairInfo& InfoOf(InputPair pair) {
  for (const PairInfo& info : kPairs)
    if (info.pair == pair) return info;
  return kPairs[0];
}

std::optional<InputPair> PairOf(PairName a, PairName b) {
  if (a == b) return std::nullopt;
  for (const PairInfo& info : kPairs)
    if ((info.first == a && info.second == b) || (info.first == b && info.second == a)) return info.pair;
  return std::nullopt;
}

std::optional<PairName> PairNamed(std::string_view name) {
  for (PairName n : {kT, kP, kH, kS, kX})
    if (NameText(n) == name) return n;
  return std::nullopt;
}

std::string_view NameText(PairName name) {
  constexpr std::string_view kNames[] = {"T", "P", "h", "s", "x"};
  return kNames[static_cast<std::size_t>(name)];
}

std::optional<Quantity> QuantityOf(PairName name) {
  switch (name) {
    case kT:
      return kTemperature;
    case kP:
      return kPressure;
    case kH:
      return kEnthalpyQ;
    case kS:
      return kEntropyQ;
    case kX:
      break;
  }
  return std::nullopt;
}

std::span<const Phase> Evaluated::Columns() const {
  switch (condition) {
    case Condition::kSatSolidVapour:
      return kSolidVapour;
    case Condition::kSatLiquidVapour:
      return kLiquidVapour;
    default:
      return std::span<const Phase>(kSingle).subspan(static_cast<std::size_t>(PhaseOf(condition)), 1);
  }
}

std::string_view ColumnName(Phase phase) {
  switch (phase) {
    case Phase::kSatSolid:
      return "solid";
    case Phase::kSatLiquid:
      return "liquid";
    case Phase::kSatVapour:
      return "vapour";
    default:
      return "";
  }
}

std::optional<Phase> Evaluated::StatePhase() const {
  if (!Saturated()) return PhaseOf(condition);
  if (quality) return Phase::kWetSteam;
  return std::nullopt;
}

StateEvaluator::StateEvaluator(const CorrelationSet& set)
    : owned_(std::make_unique<Session>(set)), session_(*owned_) {}

StateEvaluator::StateEvaluator(Session& session) : session_(session) {}

namespace {

// The saturated state at T (byT) or P, with a quality or without; the window's limits: the
// given quantity within the input range and not above the critical point.
Evaluation Saturated(Session& s, const StateInput& input, bool byT, std::optional<double> quality) {
  const CorrelationSet& set = s.Set();
  const Quantity q = byT ? kTemperature : kPressure;
  if (!(input.first <= set.InputLimits(q).saturation))
    return Failure(NoStateWith(input) + ": a saturated state has " + (byT ? "T" : "P") + " up to " +
                   PairNumberText(set.InputLimits(q).saturation) + (byT ? " K" : " kPa"));
  CalcState st;  // the classification's own: a session's state is left as it is
  st.SatGivenTemperature = byT;
  st.TempK = st.PresKPa = -1.0;
  (byT ? st.TempK : st.PresKPa) = static_cast<double>(set.Storage().Store(input.first));
  SaturationCondition(st, s.Calculators(), s.units);
  if (st.TempK < 0.0 || st.PresKPa < 0.0) return Failure(NoStateWith(input) + ": no saturation state there");
  if (quality) {
    if (!(*quality >= 0.0 && *quality <= 100.0)) return Failure(NoStateWith(input) + ": x lies between 0 and 100 %");
    if (st.Condition != Condition::kSatLiquidVapour)
      return Failure(NoStateWith(input) + ": wet steam lies above the triple point");
  }
  Evaluated e{st.Condition, st.TempK, st.PresKPa, std::nullopt};
  if (quality) e.quality = static_cast<double>(set.Storage().Store(*quality));
  return {e, ""};
}

// The condition of a single-phase IAPWS state: the side of the saturation line (or the critical
// point) that (T, P) lies on, as T and P classify it; a vapour state (IF97's region 2, IAPWS-95's
// vapour side) found exactly at the saturation temperature, which T and P alone would call liquid,
// stays vapour.
Condition ConditionOfSolved(Session& s, const iapws::PairState& solved, double P) {
  CalcState st;
  DetermineValueCondition(st, s.Calculators(), solved.T, P);
  if (solved.region == iapws::Region::k2 && st.Condition == Condition::kSubCooledLiquid)
    return Condition::kSuperheated;
  return st.Condition;
}

// Where an IAPWS pair has no state: the range of h or s along the isobar (P-h, P-s), from the
// formulation's lowest to its highest temperature at that pressure (IF97: 273.15 K to 2273.15 K
// up to 50 MPa, 1073.15 K above); the range of the formulation otherwise.
std::string IapwsRangeAt(const iapws::Formulation& f, const StateInput& input) {
  std::string whole = " in the range of " + std::string(f.name);
  const bool byP = input.pair == InputPair::kPH || input.pair == InputPair::kPS;
  if (!byP) return whole;
  const double p = input.first / kKPaPerMPa;
  const iapws::WaterState lo = f.evaluate(iapws::StateKind::kFluid, f.lowestTemperatureAt(p), p);
  const iapws::WaterState hi = f.evaluate(iapws::StateKind::kFluid, f.highestTemperatureAt(p), p);
  if (!lo.valid || !hi.valid) return whole;
  const Item item = input.pair == InputPair::kPH ? Item::kEnthalpy : Item::kEntropy;
  const bool h = item == Item::kEnthalpy;
  return RangeAtText(Item::kPressure, input.first, item, h ? lo.h : lo.s, h ? hi.h : hi.s);
}

// An IAPWS state solved from P-h, P-s, h-s, T-h or T-s by the formulation's own pair solutions.
Evaluation FromIapws(Session& s, const iapws::Formulation& f, const StateInput& input) {
  const double a = input.first, b = input.second;
  iapws::IsothermAnswer solved;
  switch (input.pair) {
    case InputPair::kPH:
      solved.state = f.stateFromPH(a / kKPaPerMPa, b);
      break;
    case InputPair::kPS:
      solved.state = f.stateFromPS(a / kKPaPerMPa, b);
      break;
    case InputPair::kHS:
      solved.state = f.stateFromHS(a, b);
      break;
    case InputPair::kTH:
      solved = f.stateFromTH(a, b);
      break;
    case InputPair::kTS:
      solved = f.stateFromTS(a, b);
      break;
    default:
      break;
  }
  if (solved.notUnique) {
    const PairName name = InfoOf(input.pair).second;
    return Failure("the state with " + GivenPair(input) + " is not unique: " + std::string(NameText(name)) +
                   " takes this value at more than one pressure at " + GivenText(Item::kTemperature, a));
  }
  if (!solved.state) return Failure(NoStateWith(input) + IapwsRangeAt(f, input));
  const iapws::PairState& st = *solved.state;
  const double P = st.p * kKPaPerMPa;
  if (st.region == iapws::Region::k4) return {Evaluated{Condition::kSatLiquidVapour, st.T, P, st.x * 100.0}, ""};
  return {Evaluated{ConditionOfSolved(s, st, P), st.T, P, std::nullopt}, ""};
}

// A state solved from P-h, P-s, h-s, T-h or T-s on the calculators of the set (the built-in
// correlations).
Evaluation FromCalculators(Session& s, const StateInput& input) {
  const PairAnswer answer = SolvePair(s.Set(), input.pair, input.first, input.second);
  if (!answer.ok) return Failure(answer.error);
  const PairState& st = answer.state;
  Evaluated e{st.condition, static_cast<double>(st.T), static_cast<double>(st.P), std::nullopt};
  if (st.condition == Condition::kSatLiquidVapour) e.quality = static_cast<double>(st.quality);
  return {e, ""};
}

}  // namespace

Evaluation StateEvaluator::Evaluate(const StateInput& input) {
  const PairInfo& info = InfoOf(input.pair);
  const bool single = info.first == info.second;
  if (!std::isfinite(input.first) || (!single && !std::isfinite(input.second)))
    return Failure("no state: a value of the pair is not a number");
  if (auto outside = OutsideLimits(Set(), input, info.first, input.first)) return Failure(*outside);
  if (!single)
    if (auto outside = OutsideLimits(Set(), input, info.second, input.second)) return Failure(*outside);

  switch (input.pair) {
    case InputPair::kTP: {
      const double T = static_cast<double>(Set().Storage().Store(input.first));
      const double P = static_cast<double>(Set().Storage().Store(input.second));
      CalcState st;
      DetermineValueCondition(st, session_.Calculators(), T, P);
      return {Evaluated{st.Condition, T, P, std::nullopt}, ""};
    }
    case InputPair::kT:
    case InputPair::kP:
      return Saturated(session_, input, input.pair == InputPair::kT, std::nullopt);
    case InputPair::kTx:
    case InputPair::kPx:
      return Saturated(session_, input, input.pair == InputPair::kTx, input.second);
    default:
      break;
  }
  // The IAPWS formulations have their own pair solutions (IF97: backward equations refined on the
  // basic ones); any other standard is solved on its calculators.
  if (const iapws::Formulation* f = FormulationOf(Set())) return FromIapws(session_, *f, input);
  return FromCalculators(session_, input);
}

CalcResult StateEvaluator::Value(const Evaluated& state, Item item, Phase phase) {
  const double quality = state.quality.value_or(0.0);
  // The limits of a state are checked once for all its values.
  if (!limits_ || limitsT_ != state.T || limitsP_ != state.P || limitsQuality_ != quality) {
    limits_.emplace(Set(), state.T, state.P, quality);
    limitsT_ = state.T;
    limitsP_ = state.P;
    limitsQuality_ = quality;
  }
  if (!limits_->InLimits(item, phase)) return CalcResult::OutOfRange();
  // The calculators read the condition and, for wet steam, the steam quality of the state asked
  // through their context; the kept calls of wet steam are keyed on the quality.
  session_.state.Condition = state.condition;
  if (phase == Phase::kWetSteam) session_.steamQuality = quality;
  return session_.Calculators().Compute(item, phase, state.T, state.P);
}

CalcResult StateEvaluator::StateValue(const Evaluated& state, Item item) {
  const std::optional<Phase> phase = state.StatePhase();
  if (!phase) return CalcResult::NotGiven();
  return Value(state, item, *phase);
}

}  // namespace tulo
