#include "results/SteamSearch.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

constexpr int kMaxIterations = 36;

class Search {
 public:
  // The range ends, thresholds and the rounding of stored values are the correlation set's.
  Search(Session& s, const SearchRequest& r)
      : s_(s),
        r_(r),
        set_(s.Set()),
        critical_(set_.Critical()),
        range_(set_.SearchAlong(r.givenItem == Item::kTemperature ? kTemperature : kPressure, r.fixedValue)) {}

  SearchAnswer Run() {
    if (r_.givenItem == Item::kPressure)
      PressureFixed();
    else
      TemperatureFixed();
    return {found_, x_};
  }

 private:
  // The property at the trial state with the searched quantity x. Phase::kNoPhase follows the
  // condition of the trial state; on the saturation line the side chosen by vapourSide_.
  long double F(Phase phase, long double x) {
    const bool temperatureFixed = r_.givenItem == Item::kTemperature;
    long double T = temperatureFixed ? r_.fixedValue : x;
    long double P = temperatureFixed ? x : r_.fixedValue;
    T = set_.Storage().Store(T);
    P = set_.Storage().Store(P);
    if (phase == Phase::kNoPhase) {
      DetermineCondition(s_.state, s_.Calculators(), T, P);
      Condition condition = s_.state.Condition;
      phase =
          IsSaturated(condition) ? (vapourSide_ ? Phase::kSatVapour : Phase::kSatLiquid) : PhaseOf(condition);
    }
    // The status is not consulted: a failed value is 0.
    return set_.Storage().Store(s_.Calculators().Compute(r_.searchItem, phase, T, P).value);
  }

  // The saturation temperature at P and pressure at T; as in F, a failed value is 0.
  long double SaturationTemperature(long double P) {
    return set_.Storage().Store(set_.SaturationTemperature(s_.Calculators(), P).value);
  }
  long double SaturationPressure(long double T) {
    return set_.Storage().Store(set_.SaturationPressure(s_.Calculators(), T).value);
  }

  // y1 + (target - x1)(y2 - y1)/(x2 - x1), or the mean of y1 and y2 when x1 = x2; stored.
  long double Interpolate(long double target, long double y1, long double x1, long double y2,
                          long double x2) {
    if (x1 == x2) return set_.Storage().Store((y1 + y2) / 2.0L);
    return set_.Storage().Store(y1 + (target - x1) * (y2 - y1) / (x2 - x1));
  }

  void PressureFixed() {
    long double P = r_.fixedValue;
    if (P >= critical_.pressure) {
      vapourSide_ = true;
      SingleInterval(range_.lowTemperature, F(Phase::kNoPhase, range_.lowTemperature),
                     range_.highTemperature);
      return;
    }
    long double Tsat = SaturationTemperature(P);
    if (Tsat > range_.lowTemperature) {
      vapourSide_ = false;
      long double fA = F(Phase::kNoPhase, range_.liquidTemperature);
      long double fB = F(Phase::kNoPhase, range_.highTemperature);
      if (!Between(r_.target, fA, fB)) return;
      long double fL = F(Phase::kSatLiquid, Tsat);
      if (Between(r_.target, fA, fL)) {
        Root(range_.liquidTemperature, fA, Tsat, fL);
        if (s_.state.Condition == Condition::kSatLiquidVapour) s_.steamQuality = 0.0;
        return;
      }
      vapourSide_ = true;
      long double fV = F(Phase::kSatVapour, Tsat);
      if (Between(r_.target, fV, fB)) {
        Root(Tsat, fV, range_.highTemperature, fB);
        if (s_.state.Condition == Condition::kSatLiquidVapour) s_.steamQuality = 100.0;
        return;
      }
      WetSteam(Tsat, fL, fV);
      return;
    }
    // Below the triple point: solid and vapour, only the vapour side is searched.
    vapourSide_ = true;
    SingleInterval(Tsat, F(Phase::kSatVapour, Tsat), range_.highTemperature);
  }

  void TemperatureFixed() {
    long double T = r_.fixedValue;
    if (T >= critical_.temperature) {
      vapourSide_ = false;
      SingleInterval(range_.lowPressure, F(Phase::kNoPhase, range_.lowPressure), range_.highPressure);
      return;
    }
    long double Psat = SaturationPressure(T);
    if (T > range_.lowTemperature) {
      vapourSide_ = true;
      long double fA = F(Phase::kNoPhase, range_.lowPressure);
      long double fB = F(Phase::kSatVapour, Psat);
      if (Between(r_.target, fA, fB)) {
        Root(range_.lowPressure, fA, Psat, fB);
        if (s_.state.Condition == Condition::kSatLiquidVapour) s_.steamQuality = 100.0;
        return;
      }
      long double fL = F(Phase::kSatLiquid, Psat);
      long double fV = F(Phase::kSatVapour, Psat);
      if (Between(r_.target, fL, fV)) {
        WetSteam(Psat, fL, fV);
        return;
      }
      vapourSide_ = false;
      fA = F(Phase::kSatLiquid, Psat);
      fB = F(Phase::kNoPhase, range_.highPressure);
      if (Between(r_.target, fA, fB)) {
        Root(Psat, fA, range_.highPressure, fB);
        if (s_.state.Condition == Condition::kSatLiquidVapour) s_.steamQuality = 0.0;
      }
      return;
    }
    vapourSide_ = true;
    SingleInterval(range_.lowPressure, F(Phase::kNoPhase, range_.lowPressure), Psat,
                   F(Phase::kSatVapour, Psat));
  }

  void SingleInterval(long double A, long double fA, long double B) {
    SingleInterval(A, fA, B, F(Phase::kNoPhase, B));
  }
  void SingleInterval(long double A, long double fA, long double B, long double fB) {
    if (!Between(r_.target, fA, fB)) {
      found_ = false;
      return;
    }
    Root(A, fA, B, fB);
  }

  // Wet steam at the saturation value x: the quality mixes enthalpy and entropy by mass, and
  // density by specific volume.
  void WetSteam(long double x, long double fL, long double fV) {
    found_ = true;
    x_ = x;
    F(Phase::kNoPhase, x);  // sets the condition of the answer
    long double y = r_.target;
    long double quality = r_.searchItem == Item::kDensity ? 100.0L * fV * (fL / y - 1.0L) / (fL - fV)
                                                          : 100.0L * (y - fL) / (fV - fL);
    // As the standard stores a value: a Real6 of the configuration record in the built-in standard.
    s_.steamQuality = static_cast<double>(s_.Set().Storage().Store(quality));
    if (!std::isfinite(s_.steamQuality)) found_ = false;
  }

  static bool Small(long double num, long double den, long double limit) {
    return den != 0.0L && std::fabs(num / den) < limit;
  }

  // Safeguarded interpolation on [A, B] with f(A) and f(B) known.
  void Root(long double A, long double fA, long double B, long double fB) {
    const long double y = r_.target;
    const long double lowest = A, highest = B;
    long double x = A;
    for (int i = 0; i < kMaxIterations && !found_; ++i) {
      x = Interpolate(y, A, fA, B, fB);
      if (!std::isfinite(x)) break;
      if (x < A || x > B) {
        if (Small(B - A, A, 0.005L)) {
          x = set_.Storage().Store((A + B) / 2.0L);
          found_ = true;
        }
      }
      long double fx = F(Phase::kNoPhase, x);
      long double m = set_.Storage().Store((A + B) / 2.0L);
      long double fm = F(Phase::kNoPhase, m);
      if (Small(fx - y, y, 1e-6L) || Small(A - B, B, 1e-6L)) {
        found_ = true;
        break;
      }
      if (Between(y, fm, fB)) {
        if (Between(fx, fA, fm)) {
          A = m;
        } else if (Between(fx, fm, y)) {
          A = x;
        } else {
          A = m;
          B = x;
        }
      } else {
        if (Between(fx, fm, fB)) {
          B = m;
        } else if (Between(fx, y, fm)) {
          B = x;
        } else {
          A = x;
          B = m;
        }
      }
      fB = F(Phase::kNoPhase, B);
      fA = F(Phase::kNoPhase, A);
    }
    x_ = x;
    if (std::isfinite(x)) F(Phase::kNoPhase, x);  // the condition belongs to the answer
    // Where the property hardly changes with x (vapour enthalpy at low pressure), an interpolated
    // point far outside the interval can meet the tolerance: no state of the range answers then.
    if (!std::isfinite(x) || x < lowest || x > highest) found_ = false;
  }

  Session& s_;
  const SearchRequest& r_;
  const CorrelationSet& set_;
  const CriticalPoint critical_;
  const SearchRanges range_;
  bool vapourSide_ = false;
  bool found_ = false;
  long double x_ = 0.0L;
};

}  // namespace

bool Between(long double x, long double a, long double b) {
  return std::min(a, b) <= x && x <= std::max(a, b);
}

SearchAnswer SearchRegion(Session& s, const SearchRequest& request) {
  return Search(s, request).Run();
}

namespace {

// The evaluator's pair for a search: the fixed quantity first.
std::optional<InputPair> PairOfSearch(const SearchRequest& r) {
  const bool byT = r.givenItem == Item::kTemperature;
  if (r.searchItem == Item::kEnthalpy) return byT ? InputPair::kTH : InputPair::kPH;
  if (r.searchItem == Item::kEntropy) return byT ? InputPair::kTS : InputPair::kPS;
  return std::nullopt;
}

}  // namespace

SearchAnswer SearchState(Session& s, const SearchRequest& request) {
  const std::optional<InputPair> pair = PairOfSearch(request);
  if (FormulationOf(s.Set()) == nullptr || !pair) return SearchRegion(s, request);
  StateEvaluator evaluator(s.Set());
  const Evaluation e = evaluator.Evaluate(
      {*pair, static_cast<double>(request.fixedValue), static_cast<double>(request.target)});
  if (!e.state) return {false, 0};
  s.state.Condition = e.state->condition;
  if (e.state->quality) s.steamQuality = *e.state->quality;
  return {true, request.givenItem == Item::kTemperature ? e.state->P : e.state->T};
}

}  // namespace tulo
