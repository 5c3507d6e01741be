#include "results/DiagramLines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

constexpr int kDomeIntervals = 120;  // per side of the dome
constexpr int kPieceIntervals = 60;  // per single-phase piece of an isobar or isotherm
constexpr int kCurveIntervals = 80;  // the melting and sublimation lines
constexpr int kMaxIsolines = 12;     // isobars, isotherms
constexpr double kQualities[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};  // percent
// Linear axes get at most this many intervals between labelled ticks (one more where rounding
// the ends outwards adds one).
constexpr int kMaxTicks = 12;
// The fluid charts start this far above the top of the sublimation line.
constexpr long double kAboveTriple = 0.001L;  // K

struct KindInfo {
  DiagramKind kind;
  std::string_view key;
  const char* title;
  Quantity x, y;
};

constexpr KindInfo kKinds[] = {
    {DiagramKind::kTs, "ts", "T-s diagram", kEntropyQ, kTemperature},
    {DiagramKind::kHs, "hs", "h-s (Mollier) diagram", kEntropyQ, kEnthalpyQ},
    {DiagramKind::kPh, "ph", "P-h diagram", kEnthalpyQ, kPressure},
    {DiagramKind::kPt, "pt", "P-T diagram", kTemperature, kPressure},
};

const KindInfo& InfoOf(DiagramKind kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return info;
  return kKinds[0];
}

// n + 1 values from a to b that close up towards b: b - (b - a)(1 - i/n)^2. Where a line bends
// fast (at the critical point, at the saturation line) its points follow it.
std::vector<long double> TowardsEnd(long double a, long double b, int n) {
  std::vector<long double> v;
  v.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    const long double u = 1.0L - static_cast<long double>(i) / n;
    v.push_back(b - (b - a) * u * u);
  }
  v.back() = b;
  return v;
}

// From a to b closing up towards a.
std::vector<long double> TowardsStart(long double a, long double b, int n) {
  std::vector<long double> v = TowardsEnd(b, a, n);
  std::reverse(v.begin(), v.end());
  return v;
}

// The same on a logarithmic scale (a, b > 0).
std::vector<long double> LogTowards(long double a, long double b, int n, bool towardsEnd) {
  std::vector<long double> v =
      towardsEnd ? TowardsEnd(std::log(a), std::log(b), n) : TowardsStart(std::log(a), std::log(b), n);
  for (long double& x : v) x = std::exp(x);
  v.front() = a;
  v.back() = b;
  return v;
}

// The pieces of a line as its points come: a missing point ends a piece.
class PieceWriter {
 public:
  void Add(const std::optional<DiagramPoint>& p) {
    if (!p) {
      open_ = false;
      return;
    }
    if (!open_) pieces_.emplace_back();
    open_ = true;
    pieces_.back().push_back(*p);
  }
  void Break() { open_ = false; }
  std::vector<std::vector<DiagramPoint>> Take() {
    std::erase_if(pieces_, [](const auto& piece) { return piece.size() < 2; });
    return std::move(pieces_);
  }

 private:
  std::vector<std::vector<DiagramPoint>> pieces_;
  bool open_ = false;
};

DiagramLine Line(LineRole role, double value = 0.0, std::string label = "") {
  DiagramLine line;
  line.role = role;
  line.value = value;
  line.label = std::move(label);
  return line;
}

// The saturated states at one temperature.
struct SatState {
  long double T = 0, P = 0;
  std::optional<long double> hl, hv, sl, sv;
};

double NiceStep(double range, int maxTicks) {
  const double raw = range / maxTicks;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * decade >= raw) return m * decade;
  return 10.0 * decade;
}

// The largest of 1, 2 and 5 times a power of ten that is not above x (x > 0).
double NiceAtMost(double x) {
  const double decade = std::pow(10.0, std::floor(std::log10(x)));
  for (double m : {5.0, 2.0})
    if (m * decade <= x) return m * decade;
  return decade;
}

class Builder {
 public:
  Builder(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units)
      : kind_(kind), set_(set), session_(set), units_(units) {
    const InputRange t = set.InputLimits(kTemperature);
    const InputRange p = set.InputLimits(kPressure);
    critical_ = set.Critical();
    tripleT_ = set.SublimationTop();
    highT_ = std::min(t.highest, kDiagramTopTemperature);
    highP_ = p.highest;
    const CalcResult tripleP = set.SaturationPressure(Calc(), tripleT_);
    lowP_ = tripleP.Ok() ? std::max(tripleP.value, p.lowest) : p.lowest;
    if (kind == DiagramKind::kPt) {
      lowT_ = std::max(t.lowest, kPtLowestTemperature);
      const CalcResult bottom = set.SaturationPressure(Calc(), lowT_);
      lowP_ = bottom.Ok() ? std::max(bottom.value, p.lowest) : p.lowest;
    } else {
      // At the top of the sublimation line itself the saturated states are solid and vapour.
      lowT_ = tripleT_ + kAboveTriple;
    }
  }

  DiagramLines Build() {
    DiagramLines out;
    out.kind = kind_;
    out.pressureUnit = units_.UnitText(kPressure);
    out.temperatureUnit = units_.UnitText(kTemperature);
    Dome(out);
    if (kind_ == DiagramKind::kPt) {
      Melting(out);
      Sublimation(out);
    } else {
      Qualities(out);
      if (!UsesQuantity(kind_, kPressure)) Isobars(out);
      if (!UsesQuantity(kind_, kTemperature)) Isotherms(out);
    }
    Frame(out);
    for (DiagramLine& line : out.lines) Clip(line, out.x, out.y);
    return out;
  }

 private:
  const CalculatorTable& Calc() { return session_.Calculators(); }

  // The value of a state on a line, as the evaluator gives it (within the standard's limits).
  std::optional<long double> Value(Item item, Phase phase, long double T, long double P) {
    const Evaluated state{session_.state.Condition, static_cast<double>(T), static_cast<double>(P), std::nullopt};
    const CalcResult r = evaluator_.Value(state, item, phase);
    if (!r.Ok() || !std::isfinite(r.value)) return std::nullopt;
    return r.value;
  }

  // The point of (T, P) with the enthalpy and entropy of `phase`, as the chart needs them.
  std::optional<DiagramPoint> PointIn(Phase phase, long double T, long double P) {
    long double h = 0, s = 0;
    if (UsesQuantity(kind_, kEnthalpyQ)) {
      auto v = Value(Item::kEnthalpy, phase, T, P);
      if (!v) return std::nullopt;
      h = *v;
    }
    if (UsesQuantity(kind_, kEntropyQ)) {
      auto v = Value(Item::kEntropy, phase, T, P);
      if (!v) return std::nullopt;
      s = *v;
    }
    return PlaceState(kind_, units_, T, P, h, s);
  }

  // A state of the fluid in the phase its condition gives, as the grids ask; on the saturation
  // line the side given. Solid states are not on the fluid charts.
  std::optional<DiagramPoint> FluidPoint(long double T, long double P, bool vapourSide) {
    // Classified as the calculators see it: stored (a sweep's pressure of exp(ln Pc) may lie a
    // rounding error above the critical pressure).
    T = set_.Storage().Store(T);
    P = set_.Storage().Store(P);
    // The condition is the session's: the inner calls of the compressed liquid read it.
    DetermineCondition(session_.state, Calc(), T, P);
    const Condition c = session_.state.Condition;
    if (c == Condition::kSubCooledSolid || c == Condition::kSatSolidVapour) return std::nullopt;
    const Phase phase = IsSaturated(c) ? (vapourSide ? Phase::kSatVapour : Phase::kSatLiquid) : PhaseOf(c);
    return PointIn(phase, T, P);
  }

  SatState Saturated(long double T) {
    SatState st;
    st.T = T = set_.Storage().Store(T);
    const CalcResult P = set_.SaturationPressure(Calc(), T);
    if (!P.Ok() || !std::isfinite(P.value)) return st;
    st.P = P.value;
    if (kind_ == DiagramKind::kPt) return st;
    session_.state.Condition = Condition::kSatLiquidVapour;
    st.hl = Value(Item::kEnthalpy, Phase::kSatLiquid, T, st.P);
    st.hv = Value(Item::kEnthalpy, Phase::kSatVapour, T, st.P);
    st.sl = Value(Item::kEntropy, Phase::kSatLiquid, T, st.P);
    st.sv = Value(Item::kEntropy, Phase::kSatVapour, T, st.P);
    return st;
  }

  // The point at quality q (0 liquid, 1 vapour) of a saturated state.
  std::optional<DiagramPoint> Mixed(const SatState& st, long double q) {
    if (st.P <= 0) return std::nullopt;
    const bool needH = UsesQuantity(kind_, kEnthalpyQ), needS = UsesQuantity(kind_, kEntropyQ);
    if ((needH && (!st.hl || !st.hv)) || (needS && (!st.sl || !st.sv))) return std::nullopt;
    const long double h = needH ? *st.hl + q * (*st.hv - *st.hl) : 0.0L;
    const long double s = needS ? *st.sl + q * (*st.sv - *st.sl) : 0.0L;
    return PlaceState(kind_, units_, st.T, st.P, h, s);
  }

  // The dome, from the triple point up to the critical point in steps that close up towards it.
  void Dome(DiagramLines& out) {
    const long double bottom = kind_ == DiagramKind::kPt ? tripleT_ : lowT_;
    for (long double T : TowardsEnd(bottom, critical_.temperature, kDomeIntervals))
      dome_.push_back(Saturated(T));
    if (kind_ == DiagramKind::kPt) {
      DiagramLine line = Line(LineRole::kSaturation);
      PieceWriter w;
      for (const SatState& st : dome_)
        w.Add(st.P > 0 ? PlaceState(kind_, units_, st.T, st.P, 0, 0) : std::nullopt);
      line.pieces = w.Take();
      out.lines.push_back(std::move(line));
      out.critical = PlaceState(kind_, units_, critical_.temperature, critical_.pressure, 0, 0);
      return;
    }
    DiagramLine liquid = Line(LineRole::kSaturatedLiquid), vapour = Line(LineRole::kSaturatedVapour);
    PieceWriter wl, wv;
    for (const SatState& st : dome_) {
      wl.Add(Mixed(st, 0.0L));
      wv.Add(Mixed(st, 1.0L));
    }
    liquid.pieces = wl.Take();
    vapour.pieces = wv.Take();
    out.critical = DomeTop(liquid, vapour);
    // Both sides end in the critical point: the dome is closed.
    if (out.critical) {
      for (DiagramLine* side : {&liquid, &vapour})
        if (!side->pieces.empty()) side->pieces.back().push_back(*out.critical);
    }
    out.lines.push_back(std::move(liquid));
    out.lines.push_back(std::move(vapour));
  }

  // Where the two saturated states meet at the critical temperature; where a standard has no
  // saturated state there, midway between the last points of the two sides.
  std::optional<DiagramPoint> DomeTop(const DiagramLine& liquid, const DiagramLine& vapour) {
    const SatState& top = dome_.back();
    auto l = Mixed(top, 0.0L), v = Mixed(top, 1.0L);
    if (l && v) return DiagramPoint{(l->x + v->x) / 2, (l->y + v->y) / 2};
    if (liquid.pieces.empty() || vapour.pieces.empty()) return std::nullopt;
    const DiagramPoint a = liquid.pieces.back().back(), b = vapour.pieces.back().back();
    // T-s: the critical temperature itself; P-h: the top of the dome.
    DiagramPoint c{(a.x + b.x) / 2, (a.y + b.y) / 2};
    if (kind_ == DiagramKind::kTs)
      c.y = static_cast<double>(units_.ToDisplay(kTemperature, critical_.temperature));
    return c;
  }

  void Qualities(DiagramLines& out) {
    for (double q : kQualities) {
      DiagramLine line = Line(LineRole::kQuality, q, RoundValueText(q) + " %");
      PieceWriter w;
      for (const SatState& st : dome_) w.Add(Mixed(st, static_cast<long double>(q) / 100.0L));
      line.pieces = w.Take();
      out.lines.push_back(std::move(line));
    }
  }

  // The round values of q in the chart's unit between two internal values.
  std::vector<double> RoundValues(Quantity q, long double lowest, long double highest) {
    const double lo = static_cast<double>(units_.ToDisplay(q, lowest));
    const double hi = static_cast<double>(units_.ToDisplay(q, highest));
    if (!std::isfinite(lo) || !std::isfinite(hi)) return {};
    return q == kPressure ? RoundLogValues(std::min(lo, hi), std::max(lo, hi), kMaxIsolines)
                          : RoundLinearValues(std::min(lo, hi), std::max(lo, hi), kMaxIsolines);
  }

  // Isobars, warming from the triple point: liquid up to the saturation temperature, across the
  // dome, superheated vapour to the top; above the critical pressure one sweep that closes up
  // towards the critical temperature.
  void Isobars(DiagramLines& out) {
    for (double value : RoundValues(kPressure, lowP_, highP_)) {
      const long double P = units_.ToInternal(kPressure, value);
      DiagramLine line = Line(LineRole::kIsobar, value, RoundValueText(value));
      PieceWriter w;
      const CalcResult sat = P < critical_.pressure ? set_.SaturationTemperature(Calc(), P) : CalcResult{};
      if (sat.Ok() && sat.value > lowT_ && sat.value < highT_) {
        for (long double T : TowardsEnd(lowT_, sat.value, kPieceIntervals)) w.Add(FluidPoint(T, P, false));
        for (long double T : TowardsStart(sat.value, highT_, kPieceIntervals)) w.Add(FluidPoint(T, P, true));
      } else {
        Sweep(w, lowT_, critical_.temperature, highT_, [&](long double T) { return FluidPoint(T, P, true); });
      }
      line.pieces = w.Take();
      out.lines.push_back(std::move(line));
    }
  }

  // Isotherms, compressed from the lowest pressure: vapour up to the saturation pressure, across
  // the dome, liquid to the top; above the critical temperature one sweep.
  void Isotherms(DiagramLines& out) {
    for (double value : RoundValues(kTemperature, lowT_, highT_)) {
      const long double T = units_.ToInternal(kTemperature, value);
      DiagramLine line = Line(LineRole::kIsotherm, value, RoundValueText(value));
      PieceWriter w;
      const CalcResult sat = T < critical_.temperature ? set_.SaturationPressure(Calc(), T) : CalcResult{};
      if (sat.Ok() && sat.value > lowP_ && sat.value < highP_) {
        for (long double P : LogTowards(lowP_, sat.value, kPieceIntervals, true))
          w.Add(FluidPoint(T, P, true));
        for (long double P : LogTowards(sat.value, highP_, kPieceIntervals, false)) {
          w.Add(FluidPoint(T, P, false));
          // The liquid hardly gives way to pressure: on the h-s chart its isotherm is a stub
          // from the saturated liquid to the highest pressure, a few pixels long and ending in
          // the middle of the chart where the range ends. The isotherm stops on the saturated
          // liquid line instead.
          if (kind_ == DiagramKind::kHs) break;
        }
      } else {
        // On a logarithmic scale: the sweep runs over ln P.
        Sweep(w, std::log(lowP_), std::log(critical_.pressure), std::log(highP_),
              [&](long double lnP) { return FluidPoint(T, std::exp(lnP), true); });
      }
      line.pieces = w.Take();
      out.lines.push_back(std::move(line));
    }
  }

  // One sweep from a to b that closes up towards `focus` when it lies between them.
  template <typename PointFn>
  void Sweep(PieceWriter& w, long double a, long double focus, long double b, PointFn point) {
    if (focus > a && focus < b) {
      for (long double x : TowardsEnd(a, focus, kPieceIntervals)) w.Add(point(x));
      const std::vector<long double> upper = TowardsStart(focus, b, kPieceIntervals);
      for (std::size_t i = 1; i < upper.size(); ++i) w.Add(point(upper[i]));
    } else {
      for (long double x : TowardsEnd(a, b, 2 * kPieceIntervals)) w.Add(point(x));
    }
  }

  // The melting line from the triple point up to the highest pressure.
  void Melting(DiagramLines& out) {
    DiagramLine line = Line(LineRole::kMelting);
    PieceWriter w;
    const long double tripleP = dome_.front().P > 0 ? dome_.front().P : lowP_;
    for (long double P : LogTowards(tripleP, highP_, kCurveIntervals, false)) {
      const long double T = set_.MeltingTemperature(P);
      w.Add(std::isfinite(T) ? PlaceState(kind_, units_, T, P, 0, 0) : std::nullopt);
    }
    line.pieces = w.Take();
    out.lines.push_back(std::move(line));
  }

  // The sublimation line: the saturation pressure below the top of the sublimation line.
  void Sublimation(DiagramLines& out) {
    DiagramLine line = Line(LineRole::kSublimation);
    PieceWriter w;
    for (long double T : TowardsEnd(lowT_, tripleT_, kCurveIntervals)) {
      const CalcResult P = set_.SaturationPressure(Calc(), T);
      w.Add(P.Ok() && P.value > 0 ? PlaceState(kind_, units_, T, P.value, 0, 0) : std::nullopt);
    }
    line.pieces = w.Take();
    out.lines.push_back(std::move(line));
  }

  // The frame holds the dome and the corners of the range charted: the hottest vapour at the
  // lowest pressure, the hottest and the coldest fluid at the highest.
  void Frame(DiagramLines& out) {
    double xl = std::numeric_limits<double>::infinity(), xh = -xl, yl = xl, yh = -xl;
    auto take = [&](const std::optional<DiagramPoint>& p) {
      if (!p) return;
      xl = std::min(xl, p->x), xh = std::max(xh, p->x);
      yl = std::min(yl, p->y), yh = std::max(yh, p->y);
    };
    for (const DiagramLine& line : out.lines)
      if (line.role == LineRole::kSaturatedLiquid || line.role == LineRole::kSaturatedVapour ||
          line.role == LineRole::kSaturation)
        for (const auto& piece : line.pieces)
          for (const DiagramPoint& p : piece) take(p);
    if (kind_ != DiagramKind::kPt) {
      take(FluidPoint(highT_, lowP_, true));
      take(FluidPoint(highT_, highP_, true));
      take(FluidPoint(lowT_, highP_, false));
    }
    // Temperature and pressure axes span the range charted itself.
    auto span = [&](Quantity q, double& lo, double& hi) {
      const bool t = q == kTemperature;
      const double a = static_cast<double>(units_.ToDisplay(q, t ? lowT_ : lowP_));
      const double b = static_cast<double>(units_.ToDisplay(q, t ? highT_ : highP_));
      if (std::isfinite(a) && std::isfinite(b)) lo = std::min(a, b), hi = std::max(a, b);
    };
    const Quantity xq = XQuantity(kind_), yq = YQuantity(kind_);
    if (xq == kTemperature || xq == kPressure) span(xq, xl, xh);
    if (yq == kTemperature || yq == kPressure) span(yq, yl, yh);
    out.x = Axis(xq, xl, xh);
    out.y = Axis(yq, yl, yh);
  }

  DiagramAxis Axis(Quantity q, double lo, double hi) {
    DiagramAxis a;
    a.quantity = q;
    const char* name = q == kTemperature ? "Temperature"
                       : q == kPressure  ? "Pressure"
                       : q == kEnthalpyQ ? "Enthalpy"
                                         : "Entropy";
    a.title = std::string(name) + " (" + units_.UnitText(q) + ")";
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi <= lo) {
      lo = 0.0, hi = 1.0;  // nothing to frame: a blank chart
      if (q == kPressure) lo = 1.0, hi = 10.0;
    }
    if (q == kPressure) {
      a.logarithmic = true;
      a.lowest = std::pow(10.0, std::floor(std::log10(lo)));
      a.highest = std::pow(10.0, std::ceil(std::log10(hi)));
      if (a.highest <= a.lowest) a.highest = a.lowest * 10.0;
      return a;
    }
    // A margin of kAxisMargin of the content at each end, less up to half of it where the ends
    // round to a step of at most half the margin: the axis starts near what is drawn, whatever
    // its ticks.
    const double margin = kAxisMargin * (hi - lo);
    const double round = NiceAtMost(margin / 2);
    a.lowest = std::floor((lo - margin / 2) / round) * round;
    a.highest = std::ceil((hi + margin / 2) / round) * round;
    a.tickInterval = TickInterval(a.lowest, a.highest);
    return a;
  }

  // A point further outside the frame than the frame is wide is left out like a failed one, so
  // that a correlation straying far outside its range draws no spike across the chart.
  static void Clip(DiagramLine& line, const DiagramAxis& x, const DiagramAxis& y) {
    auto along = [](const DiagramAxis& a, double v) {
      if (!a.logarithmic) return (v - a.lowest) / (a.highest - a.lowest);
      if (v <= 0) return -std::numeric_limits<double>::infinity();
      return std::log(v / a.lowest) / std::log(a.highest / a.lowest);
    };
    auto within = [&](const DiagramPoint& p, double margin) {
      const double u = along(x, p.x), v = along(y, p.y);
      return u >= -margin && u <= 1 + margin && v >= -margin && v <= 1 + margin;
    };
    PieceWriter w;
    for (const auto& piece : line.pieces) {
      for (const DiagramPoint& p : piece) w.Add(within(p, 1.0) ? std::optional(p) : std::nullopt);
      w.Break();
    }
    line.pieces = w.Take();
  }

  DiagramKind kind_;
  const CorrelationSet& set_;
  Session session_;
  StateEvaluator evaluator_{session_};
  DiagramUnits units_;
  CriticalPoint critical_{};
  long double tripleT_ = 0, lowT_ = 0, highT_ = 0, lowP_ = 0, highP_ = 0;
  std::vector<SatState> dome_;
};

// The absolute unit of the same scale as a gauge unit: the first unit of the list with the
// gauge unit's factor and no offset.
UnitSettings WithAbsolutePressure(const UnitSettings& chosen) {
  const UnitSettings& units = chosen;
  const UnitRecord gauge = units.Record(kPressure);
  if (gauge.offset == 0.0L) return units;
  UnitSelection selection = units.GetUnitSelection();
  for (int n = 1; n <= UnitCount(kPressure); ++n) {
    UnitSelection trial = selection;
    trial[kPressure] = static_cast<std::uint8_t>(n);
    UnitSettings probe = units;
    probe.SetUnitSelection(trial);
    const UnitRecord absolute = probe.Record(kPressure);
    if (absolute.offset == 0.0L && absolute.factor == gauge.factor) return probe;
  }
  return units;
}

}  // namespace

std::optional<DiagramKind> DiagramKindNamed(std::string_view key) {
  for (const KindInfo& info : kKinds)
    if (info.key == key) return info.kind;
  return std::nullopt;
}

std::string_view DiagramKindKey(DiagramKind kind) {
  return InfoOf(kind).key;
}

std::string DiagramTitle(DiagramKind kind) {
  return InfoOf(kind).title;
}

Quantity XQuantity(DiagramKind kind) {
  return InfoOf(kind).x;
}

Quantity YQuantity(DiagramKind kind) {
  return InfoOf(kind).y;
}

bool UsesQuantity(DiagramKind kind, Quantity q) {
  return XQuantity(kind) == q || YQuantity(kind) == q;
}

DiagramUnits::DiagramUnits(const UnitSettings& chosen) : units_(WithAbsolutePressure(chosen)) {}

long double DiagramUnits::ToDisplay(Quantity q, long double internal) {
  return units_.ToDisplay(q, internal);
}

long double DiagramUnits::ToInternal(Quantity q, long double display) {
  return units_.ToInternal(q, display);
}

std::string DiagramUnits::UnitText(Quantity q) {
  return units_.UnitText(q);
}

std::optional<DiagramPoint> PlaceState(DiagramKind kind, DiagramUnits& units, long double T, long double P,
                                       long double h, long double s) {
  auto shown = [&](Quantity q) {
    const long double internal = q == kTemperature ? T : q == kPressure ? P : q == kEnthalpyQ ? h : s;
    return static_cast<double>(units.ToDisplay(q, internal));
  };
  const DiagramPoint p{shown(XQuantity(kind)), shown(YQuantity(kind))};
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
  return p;
}

DiagramLines BuildDiagramLines(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units) {
  return Builder(kind, set, units).Build();
}

double TickInterval(double lowest, double highest) {
  if (!(highest > lowest)) return 1.0;
  return NiceStep(highest - lowest, kMaxTicks);
}

std::vector<double> RoundLinearValues(double lowest, double highest, int maxCount) {
  std::vector<double> values;
  if (!(highest > lowest) || maxCount < 1) return values;
  const double step = NiceStep(highest - lowest, maxCount);
  for (double k = std::ceil(lowest / step); k * step <= highest; k += 1.0) values.push_back(k * step);
  return values;
}

std::vector<double> RoundLogValues(double lowest, double highest, int maxCount) {
  if (!(highest > lowest) || lowest <= 0 || maxCount < 1) return {};
  const std::array<std::vector<double>, 3> mantissas = {{{1, 2, 5}, {1, 3}, {1}}};
  std::vector<double> values;
  for (const std::vector<double>& set : mantissas) {
    values.clear();
    for (int e = static_cast<int>(std::floor(std::log10(lowest))); e <= std::ceil(std::log10(highest)); ++e)
      for (double m : set) {
        // m * 10^e rounded to the digits it has, so that 3e-2 is the double nearest 0.03.
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text << m << "e" << e;
        const std::string digits = text.str();
        double v = 0.0;
        std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (v >= lowest && v <= highest) values.push_back(v);
      }
    if (static_cast<int>(values.size()) <= maxCount) return values;
  }
  // Fewer decades still: every other one, then every third, ...
  for (int every = 2;; ++every) {
    std::vector<double> sparse;
    for (std::size_t i = 0; i < values.size(); i += every) sparse.push_back(values[i]);
    if (static_cast<int>(sparse.size()) <= maxCount) return sparse;
  }
}

std::string RoundValueText(double value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::setprecision(6) << (value == 0.0 ? 0.0 : value);
  return text.str();
}

}  // namespace tulo
