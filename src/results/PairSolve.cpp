#include "results/PairSolve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "common/Real6.h"
#include "common/Text.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/SteamSearch.h"

namespace tulo {

std::string PairNumberText(long double x) {
  return GeneralText(static_cast<double>(x), 6);
}

const char* PairSymbol(Item item) {
  switch (item) {
    case Item::kTemperature:
      return "T";
    case Item::kPressure:
      return "P";
    case Item::kEntropy:
      return "s";
    default:
      return "h";
  }
}

const char* PairUnit(Item item) {
  switch (item) {
    case Item::kTemperature:
      return "K";
    case Item::kPressure:
      return "kPa";
    case Item::kEntropy:
      return "kJ/(kg K)";
    default:
      return "kJ/kg";
  }
}

// "h = 50 kJ/kg"
std::string GivenText(Item item, long double value) {
  return std::string(PairSymbol(item)) + " = " + PairNumberText(value) + " " + PairUnit(item);
}

std::string NoStateText(Item a, long double va, Item b, long double vb) {
  return "no state with " + GivenText(a, va) + " and " + GivenText(b, vb);
}

// ": at P = 8000 kPa h lies between 12.3 and 4660 kJ/kg"
std::string RangeAtText(Item fixed, long double value, Item item, long double lo, long double hi) {
  return ": at " + GivenText(fixed, value) + " " + PairSymbol(item) + " lies between " + PairNumberText(std::min(lo, hi)) +
         " and " + PairNumberText(std::max(lo, hi)) + " " + PairUnit(item);
}

namespace {

// Stored values of the given quantity within this many units of their last place count as equal.
constexpr long double kLastPlaces = 4;
// Where a correlation changes by more than this share of the value between neighbouring stored
// temperatures or pressures, it jumps: no state lies in the jump.
constexpr long double kLargestStep = 1e-6L;
// Isotherm samples closer to the target than this share of it cannot tell their pressures apart:
// two of them make the state not unique (the ideal-gas part of a vapour isotherm).
constexpr long double kIndistinct = 1e-9L;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

PairAnswer Failure(std::string text) {
  return {false, {}, std::move(text)};
}

// A bracket of the free variable x with the stored values of the property at its ends.
struct Bracket {
  long double lo, flo, hi, fhi;
};

// The outcome of a bisection: the x nearer the target and the step of the property between the
// two neighbouring stored x that bracket it (how flat or how steep the correlation is there).
struct Root {
  long double x;
  long double step;
};

// One stretch of an isotherm: pressures lo..hi, with the side taken on the saturation line.
struct Segment {
  long double lo, hi;
  bool vapourSide;
};

class Solver {
 public:
  explicit Solver(const CorrelationSet& set)
      : set_(set), s_(set), critical_(set.Critical()), range_(set.Search()) {}

  // The state at P where item takes y, by the steam search: PressureAnd alone (as h-s asks
  // it), or UniqueAt, which first makes sure that the isobar holds one such state.
  PairAnswer PressureAnd(Item item, long double P, long double y);
  PairAnswer UniqueAt(Item item, long double P, long double y);
  PairAnswer EnthalpyEntropy(long double h, long double s);
  PairAnswer TemperatureAnd(Item item, long double T, long double y);

 private:
  // The state at (T, P) stored, classified; on the saturation line (or in its band) the quality
  // is that of the side given.
  PairState StateAt(long double T, long double P, bool vapourSide) {
    T = set_.Storage().Store(T);
    P = set_.Storage().Store(P);
    DetermineCondition(s_.state, s_.Calculators(), T, P);
    const Condition c = s_.state.Condition;
    return {T, P, c, IsSaturated(c) && vapourSide ? 100.0L : 0.0L};
  }

  // The value of item at a state as the calculators store it: saturated states as wet steam at
  // their quality. NaN when the calculator fails.
  long double Of(Item item, const PairState& st) {
    s_.state.Condition = st.condition;
    s_.steamQuality = static_cast<double>(st.quality);
    const bool wet = IsSaturated(st.condition);
    const Phase phase = wet ? Phase::kWetSteam : PhaseOf(st.condition);
    const CalcResult r = s_.Calculators().Compute(item, phase, st.T, st.P);
    return r.Ok() ? set_.Storage().Store(r.value) : kNaN;
  }

  long double At(Item item, long double T, long double P, bool vapourSide) {
    return Of(item, StateAt(T, P, vapourSide));
  }

  long double Saturation(const CalcResult& r) const { return r.Ok() ? set_.Storage().Store(r.value) : kNaN; }

  // The wet state at the saturation point (T, P) whose item takes y between the saturated
  // liquid value fL and vapour value fV: mixed by mass.
  PairState Wet(long double T, long double P, long double y, long double fL, long double fV) {
    PairState st = StateAt(T, P, false);
    st.quality = R6(100.0L * (y - fL) / (fV - fL));
    return st;
  }

  // True when v reproduces the given y: within a few units of the stored values' last place, or
  // within the correlation's own step between neighbouring stored x where that is not a jump.
  bool Meets(long double y, long double v, long double step) const {
    if (!std::isfinite(v)) return false;
    const long double lastPlace = LastPlace(y == 0 ? 1.0L : y);
    const long double flat = std::min(step, kLargestStep * std::fabs(y));
    return std::fabs(v - y) <= std::max(kLastPlaces * lastPlace, flat);
  }

  // Bisection between stored x until the two ends are neighbouring stored values; pressures
  // are halved geometrically.
  template <class F>
  Root Bisect(F f, Bracket b, long double y, bool geometric) {
    for (int i = 0; i < 400; ++i) {
      const long double m = set_.Storage().Store(geometric ? std::sqrt(b.lo * b.hi) : (b.lo + b.hi) / 2.0L);
      if (!(m > std::min(b.lo, b.hi) && m < std::max(b.lo, b.hi))) break;
      const long double fm = f(m);
      if (Between(y, b.flo, fm)) {
        b.hi = m;
        b.fhi = fm;
      } else {
        b.lo = m;
        b.flo = fm;
      }
    }
    const bool low = std::fabs(b.flo - y) <= std::fabs(b.fhi - y);
    return {low ? b.lo : b.hi, std::fabs(b.fhi - b.flo)};
  }

  std::optional<Root> Polish(Item item, long double P, long double y, long double T, bool vapourSide);
  std::string PressureRange(Item item, long double P);
  // A line of states at a fixed temperature (the pressure free) or pressure (the temperature
  // free): its stretches and, where it meets the saturation line, the free quantity there.
  struct Line {
    Item fixed;
    long double value;
    std::vector<Segment> segments;
    std::optional<long double> saturation;
  };
  // A line sampled for a target: how often it is crossed (the wet point counted once), how many
  // samples cannot be told from it, the last crossing's bracket and side, the values' range.
  struct Scan {
    int crossings = 0, near = 0;
    std::optional<PairState> wet;
    std::optional<std::pair<Bracket, bool>> bracket;
    long double lowest = kNaN, highest = kNaN;
  };
  PairState StateOn(const Line& line, long double x, bool vapourSide) {
    return line.fixed == Item::kTemperature ? StateAt(line.value, x, vapourSide)
                                            : StateAt(x, line.value, vapourSide);
  }
  // The neighbouring stored values of x (x > 0), above and below.
  long double Above(long double x) const { return set_.Storage().Store(x + LastPlace(x)); }
  long double Below(long double x) const { return set_.Storage().Store(x - LastPlace(x)); }
  long double LastPlace(long double x) const {
    return std::ldexp(1.0L, std::ilogb(x) - (set_.Storage().RoundsToReal6() ? 39 : 52));
  }
  // The points at which a segment is sampled: evenly (geometrically for pressures), and either
  // side of each seam inside it, so that a jump of the correlation there shows.
  std::vector<long double> Points(const Segment& seg, bool geometric,
                                  std::span<const long double> seams) const;
  Line Isotherm(long double T);
  Line Isobar(long double P);
  Scan Sample(const Line& line, Item item, long double y);
  std::string NotUnique(const Line& line, Item item, long double y) const;

  const CorrelationSet& set_;
  Session s_;
  const CriticalPoint critical_;
  const SearchRanges range_;
};

// The values of item over the temperatures the steam search covers at P, for the message.
std::string Solver::PressureRange(Item item, long double P) {
  const long double Tsat = Saturation(set_.SaturationTemperature(s_.Calculators(), P));
  long double lowest = range_.lowTemperature;
  if (P < critical_.pressure) lowest = Tsat > range_.lowTemperature ? range_.liquidTemperature : Tsat;
  return RangeAtText(Item::kPressure, P, item, At(item, lowest, P, true),
                 At(item, range_.highTemperature, P, true));
}

// From the steam search's answer T, a bracket of temperatures on the same side of the saturation
// line (or of the critical temperature), widened from T until it holds y, bisected down to
// neighbouring stored values.
std::optional<Root> Solver::Polish(Item item, long double P, long double y, long double T, bool vapourSide) {
  long double lo = range_.lowTemperature, hi = range_.highTemperature;
  if (P >= critical_.pressure) {
    // The liquid below the critical temperature, super critical above: one side only.
    if (T < critical_.temperature)
      hi = Below(critical_.temperature);
    else
      lo = Above(critical_.temperature);
  } else {
    const long double Tsat = Saturation(set_.SaturationTemperature(s_.Calculators(), P));
    if (vapourSide)
      lo = Tsat;
    else
      hi = Tsat;
    if (Tsat > range_.lowTemperature && !vapourSide) lo = range_.liquidTemperature;
  }
  auto f = [&](long double x) { return At(item, x, P, vapourSide); };
  const long double f0 = f(T);
  if (f0 == y) return Root{T, 0.0L};
  for (long double delta = T * 0x1p-32L; delta < hi - lo; delta *= 8) {
    for (const long double x : {std::max(lo, T - delta), std::min(hi, T + delta)}) {
      const long double fx = f(x);
      if (Between(y, f0, fx)) return Bisect(f, {T, f0, set_.Storage().Store(x), fx}, y, false);
    }
  }
  return std::nullopt;
}

PairAnswer Solver::PressureAnd(Item item, long double P, long double y) {
  P = set_.Storage().Store(P);
  const std::string none = NoStateText(Item::kPressure, P, item, y);
  const SearchAnswer answer = SearchRegion(s_, {item, Item::kPressure, y, P});
  if (!answer.found) return Failure(none + PressureRange(item, P));
  const long double T = set_.Storage().Store(answer.x);
  const Condition c = s_.state.Condition;
  const long double q = s_.steamQuality;
  // Wet steam: the search answers the saturation temperature with the quality of the mixture.
  if (IsSaturated(c) && q > 0 && q < 100) {
    const PairState wet{T, P, c, q};
    if (Meets(y, Of(item, wet), 0.0L)) return {true, wet, ""};
    return Failure(none + PressureRange(item, P));
  }
  const long double Tsat = Saturation(set_.SaturationTemperature(s_.Calculators(), P));
  const bool vapourSide = IsSaturated(c) ? q >= 50 : P >= critical_.pressure || !(T < Tsat);
  const std::optional<Root> root = Polish(item, P, y, T, vapourSide);
  const PairState st = StateAt(root ? root->x : T, P, vapourSide);
  if (!Meets(y, Of(item, st), root ? root->step : 0.0L)) return Failure(none + PressureRange(item, P));
  return {true, st, ""};
}

PairAnswer Solver::UniqueAt(Item item, long double P, long double y) {
  const Line line = Isobar(set_.Storage().Store(P));
  const Scan scan = Sample(line, item, y);
  if (scan.crossings > 1 || scan.near > 1) return Failure(NotUnique(line, item, y));
  return PressureAnd(item, P, y);
}

PairAnswer Solver::EnthalpyEntropy(long double h, long double s) {
  const std::string none = NoStateText(Item::kEnthalpy, h, Item::kEntropy, s);
  auto entropy = [&](long double P) {
    const PairAnswer a = PressureAnd(Item::kEnthalpy, P, h);
    return a.ok ? Of(Item::kEntropy, a.state) : kNaN;
  };
  std::vector<long double> seams(set_.PressureSeams().begin(), set_.PressureSeams().end());
  seams.push_back(critical_.pressure);
  const std::vector<long double> P = Points({range_.lowPressure, range_.highPressure, false}, true, seams);
  std::vector<long double> sP;
  for (const long double p : P) sP.push_back(entropy(p));
  std::vector<PairAnswer> found;
  long double lowest = kNaN, highest = kNaN;
  for (std::size_t i = 0; i + 1 < P.size(); ++i) {
    if (std::isfinite(sP[i])) {
      lowest = std::isnan(lowest) ? sP[i] : std::min(lowest, sP[i]);
      highest = std::isnan(highest) ? sP[i] : std::max(highest, sP[i]);
    }
    // A state at a sample belongs to the interval that ends there.
    if (!std::isfinite(sP[i]) || !std::isfinite(sP[i + 1]) || !Between(s, sP[i], sP[i + 1]) || sP[i] == s)
      continue;
    const Root root = Bisect(entropy, {P[i], sP[i], P[i + 1], sP[i + 1]}, s, true);
    const PairAnswer a = PressureAnd(Item::kEnthalpy, root.x, h);
    if (a.ok && Meets(s, Of(Item::kEntropy, a.state), root.step)) found.push_back(a);
  }
  if (found.size() == 1) return found.front();
  if (found.size() > 1)
    return Failure("the state with " + GivenText(Item::kEnthalpy, h) + " and " + GivenText(Item::kEntropy, s) +
                   " is not unique: s takes this value at more than one pressure at " +
                   GivenText(Item::kEnthalpy, h));
  if (std::isnan(lowest))
    return Failure(none + ": no pressure from " + PairNumberText(range_.lowPressure) + " to " +
                   PairNumberText(range_.highPressure) + " kPa has this enthalpy");
  return Failure(none + RangeAtText(Item::kEnthalpy, h, Item::kEntropy, lowest, highest));
}

// The isotherm at T as the steam search splits it: vapour up to the saturation pressure, liquid
// above it; the vapour alone below 273.15 K. At and above the critical temperature the steam
// search takes one interval, cut here at the critical pressure, where the correlations change.
Solver::Line Solver::Isotherm(long double T) {
  const long double Pc = critical_.pressure;
  if (T >= critical_.temperature)
    return {Item::kTemperature,
            T,
            {{range_.lowPressure, Pc, false}, {Above(Pc), range_.highPressure, false}},
            {}};
  const long double Psat = Saturation(set_.SaturationPressure(s_.Calculators(), T));
  if (T > range_.lowTemperature)
    return {
        Item::kTemperature, T, {{range_.lowPressure, Psat, true}, {Psat, range_.highPressure, false}}, Psat};
  return {Item::kTemperature, T, {{range_.lowPressure, Psat, true}}, {}};
}

// The isobar at P as the steam search splits it: liquid from 273.2 K up to the saturation
// temperature, vapour above it; below the triple point the vapour alone. At and above the
// critical pressure the steam search takes one interval, cut here at the critical temperature,
// where the correlations change (liquid below it, super critical above; none answers at it).
Solver::Line Solver::Isobar(long double P) {
  const long double Tc = critical_.temperature;
  if (P >= critical_.pressure)
    return {Item::kPressure,
            P,
            {{range_.lowTemperature, Below(Tc), true}, {Above(Tc), range_.highTemperature, true}},
            {}};
  const long double Tsat = Saturation(set_.SaturationTemperature(s_.Calculators(), P));
  if (Tsat > range_.lowTemperature)
    return {Item::kPressure,
            P,
            {{range_.liquidTemperature, Tsat, false}, {Tsat, range_.highTemperature, true}},
            Tsat};
  return {Item::kPressure, P, {{Tsat, range_.highTemperature, true}}, {}};
}

std::vector<long double> Solver::Points(const Segment& seg, bool geometric,
                                        std::span<const long double> seams) const {
  std::vector<long double> x;
  for (int i = 0; i <= kLineSamples; ++i) {
    const long double share = static_cast<long double>(i) / kLineSamples;
    x.push_back(set_.Storage().Store(geometric ? seg.lo * std::pow(seg.hi / seg.lo, share)
                                     : seg.lo + (seg.hi - seg.lo) * share));
  }
  for (const long double seam : seams) {
    if (seam > seg.lo && seam < seg.hi) x.insert(x.end(), {Below(seam), seam});
  }
  std::sort(x.begin(), x.end());
  return x;
}

// The values of item along a line sampled, with the states where it takes y.
Solver::Scan Solver::Sample(const Line& line, Item item, long double y) {
  Scan scan;
  auto note = [&](long double v) {
    scan.lowest = std::isnan(scan.lowest) ? v : std::min(scan.lowest, v);
    scan.highest = std::isnan(scan.highest) ? v : std::max(scan.highest, v);
  };
  if (line.saturation) {
    const PairState sat = StateOn(line, *line.saturation, false);
    const long double fL = Of(item, sat), fV = Of(item, {sat.T, sat.P, sat.condition, 100.0L});
    note(fL);
    note(fV);
    if (std::min(fL, fV) < y && y < std::max(fL, fV)) {
      ++scan.crossings;
      scan.wet = Wet(sat.T, sat.P, y, fL, fV);
    }
  }
  const bool geometric = line.fixed == Item::kTemperature;
  const auto seams = geometric ? set_.PressureSeams() : set_.TemperatureSeams();
  for (const Segment& seg : line.segments) {
    long double previousX = kNaN, previous = kNaN;
    bool previousNear = false;
    for (const long double x : Points(seg, geometric, seams)) {
      const long double v = Of(item, StateOn(line, x, seg.vapourSide));
      if (!std::isfinite(v)) continue;
      note(v);
      // Neighbouring stored values (either side of a seam) are one point.
      if (std::fabs(v - y) <= kIndistinct * std::fabs(y) && !(previousNear && x == Above(previousX)))
        ++scan.near;
      previousNear = std::fabs(v - y) <= kIndistinct * std::fabs(y);
      if ((v == y && previous != y) || (std::isfinite(previous) && (previous - y) * (v - y) < 0)) {
        ++scan.crossings;
        const bool first = !std::isfinite(previous);
        scan.bracket = {{first ? x : previousX, first ? v : previous, x, v}, seg.vapourSide};
      }
      previousX = x;
      previous = v;
    }
  }
  return scan;
}

std::string Solver::NotUnique(const Line& line, Item item, long double y) const {
  const bool byT = line.fixed == Item::kTemperature;
  return "the state with " + GivenText(line.fixed, line.value) + " and " + GivenText(item, y) +
         " is not unique: " + PairSymbol(item) + " takes this value at more than one " +
         (byT ? "pressure" : "temperature") + " at " + GivenText(line.fixed, line.value);
}

PairAnswer Solver::TemperatureAnd(Item item, long double T, long double y) {
  const Line line = Isotherm(set_.Storage().Store(T));
  const std::string none = NoStateText(Item::kTemperature, line.value, item, y);
  const Scan scan = Sample(line, item, y);
  if (scan.crossings == 0)
    return Failure(none + (std::isnan(scan.lowest)
                               ? std::string()
                               : RangeAtText(Item::kTemperature, line.value, item, scan.lowest, scan.highest)));
  if (scan.crossings > 1 || scan.near > 1) return Failure(NotUnique(line, item, y));
  if (scan.wet) return Meets(y, Of(item, *scan.wet), 0.0L) ? PairAnswer{true, *scan.wet, ""} : Failure(none);
  const bool vapourSide = scan.bracket->second;
  auto f = [&](long double P) { return Of(item, StateOn(line, P, vapourSide)); };
  const Root root = Bisect(f, scan.bracket->first, y, true);
  const PairState st = StateOn(line, root.x, vapourSide);
  if (!Meets(y, Of(item, st), root.step)) return Failure(none);
  return {true, st, ""};
}

}  // namespace

PairAnswer SolvePair(const CorrelationSet& set, InputPair pair, long double a, long double b) {
  using enum InputPair;
  if (!std::isfinite(a) || !std::isfinite(b)) return Failure("no state: a value of the pair is not a number");
  // A given temperature or pressure must lie in the range the input checks accept.
  const bool byT = pair == kTH || pair == kTS;
  if (byT || pair == kPH || pair == kPS) {
    const Item item = byT ? Item::kTemperature : Item::kPressure;
    const InputRange limits = set.InputLimits(byT ? kTemperature : kPressure);
    if (a < limits.lowest || a > limits.highest)
      return Failure("no state with " + GivenText(item, a) + ": " + PairSymbol(item) + " lies between " +
                     PairNumberText(limits.lowest) + " and " + PairNumberText(limits.highest) + " " + PairUnit(item));
  }
  Solver solver(set);
  switch (pair) {
    case kPH:
      return solver.UniqueAt(Item::kEnthalpy, a, b);
    case kPS:
      return solver.UniqueAt(Item::kEntropy, a, b);
    case kHS:
      return solver.EnthalpyEntropy(a, b);
    case kTH:
      return solver.TemperatureAnd(Item::kEnthalpy, a, b);
    case kTS:
      return solver.TemperatureAnd(Item::kEntropy, a, b);
    case kTP:
    case kT:
    case kP:
    case kTx:
    case kPx:
      break;
  }
  return Failure("no state: only P-h, P-s, h-s, T-h and T-s are solved from a pair");
}

}  // namespace tulo
