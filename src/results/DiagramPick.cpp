#include "results/DiagramPick.h"

#include <cmath>

#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"
#include "results/SteamSearch.h"

namespace tulo {
namespace {

DiagramState StateOf(long double T, long double P, Condition condition) {
  DiagramState st;
  st.T = T;
  st.P = P;
  st.condition = condition;
  return st;
}

// The isentrope is scanned at this many pressures, evenly in ln P over the input range, for two
// neighbours whose enthalpies bracket the target.
constexpr int kScanPoints = 16;
constexpr int kMaxRefinements = 60;
// How closely a state found by the steam search must hold its target (that search stops at 1e-6
// of the value, of values stored as Real6 in the built-in standard).
constexpr long double kSearchTolerance = 1e-5L;
// Halvings towards the edge of the states that answer, where the scan steps over it.
constexpr int kEdgeSteps = 24;
// The inner search meets entropy to 1e-6 of its value, which leaves the enthalpy uncertain by
// about T times that: the refinement stops well inside it.
constexpr long double kEnthalpyTolerance = 1e-5L;  // relative, at least 1e-5 kJ/kg

}  // namespace

DiagramPicker::DiagramPicker(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units)
    : kind_(kind), session_(std::make_unique<Session>(set)), units_(units) {
  session_->units = units;
}

bool DiagramPicker::InLimits(Quantity q, long double x) const {
  return Set().InInputRange(q, x);
}

std::optional<DiagramState> DiagramPicker::StateAt(DiagramPoint p) {
  const long double x = units_.ToInternal(XQuantity(kind_), p.x);
  const long double y = units_.ToInternal(YQuantity(kind_), p.y);
  if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  switch (kind_) {
    case DiagramKind::kTs:
      if (!InLimits(kTemperature, y)) return std::nullopt;
      return LevelSearch(Item::kEntropy, Item::kTemperature, x, y);
    case DiagramKind::kPh:
      if (!InLimits(kPressure, y)) return std::nullopt;
      return LevelSearch(Item::kEnthalpy, Item::kPressure, x, y);
    case DiagramKind::kHs:
      return IsentropeSearch(y, x);
    case DiagramKind::kPt:
      if (!InLimits(kTemperature, x) || !InLimits(kPressure, y)) return std::nullopt;
      DetermineCondition(session_->state, session_->Calculators(), x, y);
      // On the saturation line the point is liquid and vapour at once: no single h and s.
      if (IsSaturated(session_->state.Condition)) return StateOf(x, y, session_->state.Condition);
      return Found(x, y);
  }
  return std::nullopt;
}

// The state (T, P) in the condition the last trial left in the session, with its enthalpy and
// entropy; a saturated one as the mixture of the quality the search found.
std::optional<DiagramState> DiagramPicker::Found(long double T, long double P) {
  const Condition c = session_->state.Condition;
  DiagramState st = StateOf(T, P, c);
  if (c == Condition::kSatLiquidVapour) {
    st.quality = session_->steamQuality;
    st.wet = st.quality > 0.0 && st.quality < 100.0;
  }
  Values(st, c);
  return st;
}

// The enthalpy and entropy of the state as the evaluator gives its one value: wet steam mixed at
// its quality, the vapour side below the triple point (only the vapour side is searched there).
void DiagramPicker::Values(DiagramState& st, Condition c) {
  if (c == Condition::kNone) return;
  StateEvaluator evaluator(*session_);
  Evaluated state{c, static_cast<double>(st.T), static_cast<double>(st.P), std::nullopt};
  if (c == Condition::kSatLiquidVapour) state.quality = st.quality;
  auto value = [&](Item item) -> std::optional<long double> {
    const CalcResult r = evaluator.Value(state, item, state.OneColumn());
    if (!r.Ok() || !std::isfinite(r.value)) return std::nullopt;
    return r.value;
  };
  st.h = value(Item::kEnthalpy);
  st.s = value(Item::kEntropy);
}

std::optional<DiagramState> DiagramPicker::LevelSearch(Item item, Item given, long double target,
                                                       long double fixed) {
  session_->steamQuality = 0.0;
  const SearchAnswer answer = SearchRegion(*session_, {item, given, target, fixed});
  if (!answer.found) return std::nullopt;
  const bool temperatureFixed = given == Item::kTemperature;
  const long double T = temperatureFixed ? fixed : answer.x;
  const long double P = temperatureFixed ? answer.x : fixed;
  if (!InLimits(kTemperature, T) || !InLimits(kPressure, P)) return std::nullopt;
  std::optional<DiagramState> st = Found(T, P);
  // Where the property hardly changes over the last interval the search may settle on a state
  // that does not hold the target: such an answer is none.
  const std::optional<long double>& value = item == Item::kEnthalpy ? st->h : st->s;
  if (!value || std::fabs(*value - target) > kSearchTolerance * std::max(1.0L, std::fabs(target)))
    return std::nullopt;
  return st;
}

// Along an isentrope dh = v dP: the enthalpy rises with the pressure, so one bracketing pair of
// trial pressures and a safeguarded false position (Illinois) on ln P find the state.
std::optional<DiagramState> DiagramPicker::IsentropeSearch(long double h, long double s) {
  const InputRange range = Set().InputLimits(kPressure);
  if (!(range.lowest > 0.0L)) return std::nullopt;
  struct Trial {
    long double lnP = 0;
    std::optional<DiagramState> state;
    long double miss = 0;  // enthalpy minus the target
  };
  auto trial = [&](long double lnP) {
    Trial t{lnP, std::nullopt, 0};
    t.state = LevelSearch(Item::kEntropy, Item::kPressure, s, std::exp(lnP));
    if (t.state && !t.state->h) t.state.reset();
    if (t.state) t.miss = *t.state->h - h;
    return t;
  };
  const long double tolerance = std::max(1e-5L, kEnthalpyTolerance * std::fabs(h));
  const long double lo = std::log(range.lowest), hi = std::log(range.highest);
  auto brackets = [](const Trial& x, const Trial& y) {
    return x.state && y.state && (x.miss <= 0) != (y.miss <= 0);
  };
  Trial a = trial(lo), b;
  bool bracketed = false;
  for (int i = 1; i < kScanPoints && !bracketed; ++i) {
    Trial next = trial(i == kScanPoints - 1 ? hi : lo + (hi - lo) * i / (kScanPoints - 1));
    if (brackets(a, next)) {
      b = next;
      bracketed = true;
    } else if (a.state.has_value() != next.state.has_value()) {
      // The isentrope leaves the range (of temperature, of a correlation) between the two: the
      // target may lie between the last state that answers and that edge.
      Trial good = a.state ? a : next, bad = a.state ? next : a;
      for (int k = 0; k < kEdgeSteps && !bracketed; ++k) {
        Trial m = trial((good.lnP + bad.lnP) / 2);
        if (!m.state) {
          bad = m;
        } else if (brackets(good, m)) {
          a = good, b = m;
          bracketed = true;
        } else {
          good = m;
        }
      }
    }
    if (!bracketed) a = next;
  }
  if (!bracketed) return std::nullopt;
  if (std::fabs(a.miss) <= tolerance) return a.state;
  if (std::fabs(b.miss) <= tolerance) return b.state;
  int sameSide = 0;  // Illinois: halve the weight of an end that keeps its place
  long double wa = 1, wb = 1;
  for (int i = 0; i < kMaxRefinements; ++i) {
    long double lnP = (a.lnP * b.miss * wb - b.lnP * a.miss * wa) / (b.miss * wb - a.miss * wa);
    if (!std::isfinite(lnP) || lnP <= std::min(a.lnP, b.lnP) || lnP >= std::max(a.lnP, b.lnP))
      lnP = (a.lnP + b.lnP) / 2;
    Trial c = trial(lnP);
    if (!c.state) {  // a gap in the correlations inside the bracket: bisect around it
      c = trial((a.lnP + b.lnP) / 2);
      if (!c.state) return std::nullopt;
    }
    if (std::fabs(c.miss) <= tolerance || std::fabs(b.lnP - a.lnP) < 1e-12L) return c.state;
    if ((c.miss <= 0) == (a.miss <= 0)) {
      a = c;
      wa = 1;
      wb = sameSide < 0 ? wb / 2 : 1;
      sameSide = sameSide < 0 ? sameSide - 1 : -1;
    } else {
      b = c;
      wb = 1;
      wa = sameSide > 0 ? wa / 2 : 1;
      sameSide = sameSide > 0 ? sameSide + 1 : 1;
    }
  }
  return std::fabs(a.miss) < std::fabs(b.miss) ? a.state : b.state;
}

std::optional<DiagramPoint> DiagramPicker::PointOf(long double T, long double P, Condition condition,
                                                   double quality) {
  if (condition == Condition::kNone) return std::nullopt;
  if (kind_ == DiagramKind::kPt) return PlaceState(kind_, units_, T, P, 0, 0);
  DiagramState st = StateOf(T, P, condition);
  st.quality = quality;
  Values(st, condition);
  if ((UsesQuantity(kind_, kEnthalpyQ) && !st.h) || (UsesQuantity(kind_, kEntropyQ) && !st.s))
    return std::nullopt;
  return PlaceState(kind_, units_, T, P, st.h.value_or(0), st.s.value_or(0));
}

}  // namespace tulo
