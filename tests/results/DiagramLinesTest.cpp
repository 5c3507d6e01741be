// The lines of the charts against the standard they are drawn for: the dome on the saturation
// line, the lines of constant quality, isobars and isotherms at the values they are labelled
// with, the melting and sublimation lines; gaps where a correlation fails; the units and frames.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "results/DiagramLines.h"
#include "results/FakeCorrelationSet.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "units/Presets.h"

namespace tulo {
namespace {

UnitSettings UnitsOf(UnitPreset preset) {
  UnitSettings u;
  u.InitUnits(PresetSelection(preset));
  return u;
}

UnitSettings UnitsOf(const char* numbers) {
  UnitSettings u;
  u.InitUnits(*ParseUnitsArgument(numbers));
  return u;
}

// The values of the standard, computed here apart from the lines, in internal units.
struct Standard {
  explicit Standard(const CorrelationSet& s) : set(s), session(s) {}
  const CorrelationSet& set;
  Session session;

  long double Psat(long double T) { return set.SaturationPressure(session.Calculators(), T).value; }
  long double Sat(Item item, Phase phase, long double T) {
    session.state.Condition = Condition::kSatLiquidVapour;
    const CalcResult r = session.Calculators().Compute(item, phase, T, Psat(T));
    EXPECT_TRUE(r.Ok()) << PropName(item) << " at " << static_cast<double>(T);
    return r.value;
  }
  // The value of a single-phase state as the grids give it; nothing on the saturation line.
  std::optional<long double> Single(Item item, long double T, long double P) {
    DetermineCondition(session.state, session.Calculators(), T, P);
    if (IsSaturated(session.state.Condition)) return std::nullopt;
    const CalcResult r = session.Calculators().Compute(item, PhaseOf(session.state.Condition), T, P);
    EXPECT_TRUE(r.Ok());
    return r.value;
  }
  // The temperature between the triple and the critical point where f (monotonic) takes y.
  long double Solve(const std::function<long double(long double)>& f, long double y) {
    long double a = set.SublimationTop(), b = set.Critical().temperature;
    const bool rising = f(b - 0.01L) > f(a);
    for (int i = 0; i < 80; ++i) {
      const long double m = (a + b) / 2;
      if ((f(m) < y) == rising) {
        a = m;
      } else {
        b = m;
      }
    }
    return (a + b) / 2;
  }
};

struct Case {
  const char* name;
  const CorrelationSet& set;
  UnitSettings units;
};

std::vector<Case> Cases() {
  return {{"builtin SI", BuiltInCorrelations(), UnitsOf(UnitPreset::kSI)},
          {"iapws SI", IapwsCorrelations(), UnitsOf(UnitPreset::kSI)},
          {"builtin European", BuiltInCorrelations(), UnitsOf(UnitPreset::kEuropean)},
          {"iapws Imperial", IapwsCorrelations(), UnitsOf(UnitPreset::kImperial)}};
}

const DiagramLine* Find(const DiagramLines& lines, LineRole role) {
  for (const DiagramLine& line : lines.lines)
    if (line.role == role) return &line;
  return nullptr;
}

std::vector<const DiagramLine*> All(const DiagramLines& lines, LineRole role) {
  std::vector<const DiagramLine*> found;
  for (const DiagramLine& line : lines.lines)
    if (line.role == role) found.push_back(&line);
  return found;
}

// Every point but the critical point, where both sides of the dome end.
std::vector<DiagramPoint> DomePoints(const DiagramLine& line, const DiagramLines& lines) {
  std::vector<DiagramPoint> points;
  for (const auto& piece : line.pieces)
    for (const DiagramPoint& p : piece)
      if (!lines.critical || p.x != lines.critical->x || p.y != lines.critical->y) points.push_back(p);
  return points;
}

void ExpectNear(long double shown, long double expected, const std::string& where) {
  EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(expected),
              1e-6 * std::max(1.0, std::fabs(static_cast<double>(expected))))
      << where;
}

// T-s: the temperature is read off the axis; the entropy is the saturated one at it.
TEST(DiagramLines, TsDomeLiesOnTheSaturationLine) {
  for (Case& c : Cases()) {
    DiagramLines lines = BuildDiagramLines(DiagramKind::kTs, c.set, c.units);
    DiagramUnits u(c.units);
    Standard st(c.set);
    for (auto [role, phase] : {std::pair{LineRole::kSaturatedLiquid, Phase::kSatLiquid},
                               std::pair{LineRole::kSaturatedVapour, Phase::kSatVapour}}) {
      const DiagramLine* side = Find(lines, role);
      ASSERT_NE(side, nullptr) << c.name;
      const std::vector<DiagramPoint> points = DomePoints(*side, lines);
      ASSERT_GT(points.size(), 100u) << c.name;
      for (const DiagramPoint& p : points) {
        const long double T = u.ToInternal(kTemperature, p.y);
        EXPECT_GE(T, c.set.SublimationTop() - 1e-6L);
        EXPECT_LT(T, c.set.Critical().temperature);
        ExpectNear(u.ToInternal(kEntropyQ, p.x), st.Sat(Item::kEntropy, phase, T),
                   std::string(c.name) + " T=" + std::to_string(static_cast<double>(T)));
      }
    }
    // Dense towards the critical point: the last steps below it are a small part of a kelvin.
    const std::vector<DiagramPoint> liquid = DomePoints(*Find(lines, LineRole::kSaturatedLiquid), lines);
    const long double top = u.ToInternal(kTemperature, liquid.back().y);
    const long double below = u.ToInternal(kTemperature, liquid[liquid.size() - 2].y);
    EXPECT_LT(c.set.Critical().temperature - top, 0.2L) << c.name;
    EXPECT_LT(top - below, 0.2L) << c.name;
    ASSERT_TRUE(lines.critical.has_value());
    EXPECT_NEAR(static_cast<double>(u.ToInternal(kTemperature, lines.critical->y)), static_cast<double>(c.set.Critical().temperature), 1e-6) << c.name;
  }
}

// h-s and P-h: the saturation temperature of each point is found here from the entropy or the
// pressure alone; the other coordinate must then be the standard's saturated value at it.
TEST(DiagramLines, HsAndPhDomesLieOnTheSaturationLine) {
  for (Case& c : Cases()) {
    DiagramUnits u(c.units);
    Standard st(c.set);
    for (auto [role, phase] : {std::pair{LineRole::kSaturatedLiquid, Phase::kSatLiquid},
                               std::pair{LineRole::kSaturatedVapour, Phase::kSatVapour}}) {
      DiagramLines hs = BuildDiagramLines(DiagramKind::kHs, c.set, c.units);
      const std::vector<DiagramPoint> hsPoints = DomePoints(*Find(hs, role), hs);
      ASSERT_GT(hsPoints.size(), 100u);
      for (std::size_t i = 0; i < hsPoints.size(); i += 7) {
        const DiagramPoint p = hsPoints[i];
        const long double s = u.ToInternal(kEntropyQ, p.x);
        const long double T = st.Solve([&](long double t) { return st.Sat(Item::kEntropy, phase, t); }, s);
        ExpectNear(u.ToInternal(kEnthalpyQ, p.y), st.Sat(Item::kEnthalpy, phase, T),
                   std::string(c.name) + " h-s, s=" + std::to_string(static_cast<double>(s)));
      }
      DiagramLines ph = BuildDiagramLines(DiagramKind::kPh, c.set, c.units);
      const std::vector<DiagramPoint> phPoints = DomePoints(*Find(ph, role), ph);
      ASSERT_GT(phPoints.size(), 100u);
      for (std::size_t i = 0; i < phPoints.size(); i += 7) {
        const DiagramPoint p = phPoints[i];
        const long double P = u.ToInternal(kPressure, p.y);
        const long double T = st.Solve([&](long double t) { return st.Psat(t); }, P);
        ExpectNear(u.ToInternal(kEnthalpyQ, p.x), st.Sat(Item::kEnthalpy, phase, T),
                   std::string(c.name) + " P-h, P=" + std::to_string(static_cast<double>(P)));
      }
    }
  }
}

TEST(DiagramLines, QualityLinesMixTheSaturatedValuesByMass) {
  for (Case& c : Cases()) {
    DiagramLines lines = BuildDiagramLines(DiagramKind::kTs, c.set, c.units);
    DiagramUnits u(c.units);
    Standard st(c.set);
    const std::vector<const DiagramLine*> qualities = All(lines, LineRole::kQuality);
    ASSERT_EQ(qualities.size(), 9u) << c.name;
    for (std::size_t k = 0; k < qualities.size(); ++k) {
      const DiagramLine& line = *qualities[k];
      EXPECT_EQ(line.value, 10.0 * static_cast<double>(k + 1));
      EXPECT_EQ(line.label, std::to_string(10 * (k + 1)) + " %");
      ASSERT_FALSE(line.pieces.empty());
      for (std::size_t i = 0; i < line.pieces[0].size(); i += 11) {
        const DiagramPoint p = line.pieces[0][i];
        const long double T = u.ToInternal(kTemperature, p.y);
        const long double sl = st.Sat(Item::kEntropy, Phase::kSatLiquid, T);
        const long double sv = st.Sat(Item::kEntropy, Phase::kSatVapour, T);
        ExpectNear(u.ToInternal(kEntropyQ, p.x), sl + line.value / 100.0L * (sv - sl), c.name);
      }
    }
  }
}

// An isobar's points away from the dome are the single-phase values at its pressure; its crossing
// of the dome is one straight step from the saturated liquid to the saturated vapour.
TEST(DiagramLines, IsobarsAndIsothermsHoldTheirValue) {
  for (Case& c : Cases()) {
    DiagramUnits u(c.units);
    Standard st(c.set);
    DiagramLines ts = BuildDiagramLines(DiagramKind::kTs, c.set, c.units);
    const std::vector<const DiagramLine*> isobars = All(ts, LineRole::kIsobar);
    ASSERT_GE(isobars.size(), 5u) << c.name;
    EXPECT_TRUE(All(ts, LineRole::kIsotherm).empty()) << "isotherms are the T-s chart's grid";
    int checked = 0;
    for (const DiagramLine* line : isobars) {
      const long double P = u.ToInternal(kPressure, line->value);
      EXPECT_EQ(line->label, RoundValueText(line->value));
      for (const auto& piece : line->pieces)
        for (std::size_t i = 0; i < piece.size(); i += 5) {
          const long double T = u.ToInternal(kTemperature, piece[i].y);
          if (auto s = st.Single(Item::kEntropy, T, P)) {
            ExpectNear(u.ToInternal(kEntropyQ, piece[i].x), *s,
                       std::string(c.name) + " isobar " + line->label);
            ++checked;
          }
        }
    }
    EXPECT_GT(checked, 100) << c.name;

    DiagramLines ph = BuildDiagramLines(DiagramKind::kPh, c.set, c.units);
    EXPECT_TRUE(All(ph, LineRole::kIsobar).empty()) << "isobars are the P-h chart's grid";
    const std::vector<const DiagramLine*> isotherms = All(ph, LineRole::kIsotherm);
    ASSERT_GE(isotherms.size(), 5u) << c.name;
    checked = 0;
    for (const DiagramLine* line : isotherms) {
      const long double T = u.ToInternal(kTemperature, line->value);
      for (const auto& piece : line->pieces)
        for (std::size_t i = 0; i < piece.size(); i += 5) {
          const long double P = u.ToInternal(kPressure, piece[i].y);
          if (auto h = st.Single(Item::kEnthalpy, T, P)) {
            ExpectNear(u.ToInternal(kEnthalpyQ, piece[i].x), *h,
                       std::string(c.name) + " isotherm " + line->label);
            ++checked;
          }
        }
    }
    EXPECT_GT(checked, 100) << c.name;
  }
}

TEST(DiagramLines, PtChartHasTheThreePhaseBoundaries) {
  for (Case& c : Cases()) {
    DiagramLines pt = BuildDiagramLines(DiagramKind::kPt, c.set, c.units);
    DiagramUnits u(c.units);
    Standard st(c.set);
    const long double triple = c.set.SublimationTop();
    const DiagramLine* saturation = Find(pt, LineRole::kSaturation);
    const DiagramLine* melting = Find(pt, LineRole::kMelting);
    const DiagramLine* sublimation = Find(pt, LineRole::kSublimation);
    ASSERT_TRUE(saturation && melting && sublimation) << c.name;
    for (const DiagramLine* line : {saturation, sublimation})
      for (const auto& piece : line->pieces)
        for (const DiagramPoint& p : piece) {
          const long double T = u.ToInternal(kTemperature, p.x);
          if (line == saturation)
            EXPECT_GE(T, triple - 1e-6L);
          else
            EXPECT_LE(T, triple + 1e-6L);
          ExpectNear(u.ToInternal(kPressure, p.y), st.Psat(T), c.name);
        }
    ASSERT_FALSE(melting->pieces.empty());
    for (const DiagramPoint& p : melting->pieces[0]) {
      const long double P = u.ToInternal(kPressure, p.y);
      ExpectNear(u.ToInternal(kTemperature, p.x), c.set.MeltingTemperature(P), c.name);
    }
    // The melting line reaches the top of the chart; the sublimation line starts at its foot.
    EXPECT_NEAR(static_cast<double>(u.ToInternal(kPressure, melting->pieces[0].back().y)), static_cast<double>(c.set.InputLimits(kPressure).highest),
                1e-3);
    EXPECT_NEAR(static_cast<double>(u.ToInternal(kTemperature, sublimation->pieces[0].front().x)), kPtLowestTemperature, 1e-6);
    ASSERT_TRUE(pt.critical.has_value());
    EXPECT_NEAR(static_cast<double>(u.ToInternal(kTemperature, pt.critical->x)), static_cast<double>(c.set.Critical().temperature), 1e-6);
    EXPECT_NEAR(static_cast<double>(u.ToInternal(kPressure, pt.critical->y)), static_cast<double>(c.set.Critical().pressure), 1e-3);
    EXPECT_TRUE(All(pt, LineRole::kQuality).empty());
    EXPECT_TRUE(pt.y.logarithmic);
  }
}

// Every point lies in the frame or within a frame's size of it; the frame holds the whole dome
// and its ticks are round.
TEST(DiagramLines, FramesHoldTheDome) {
  for (Case& c : Cases())
    for (DiagramKind kind : kDiagramKinds) {
      DiagramLines lines = BuildDiagramLines(kind, c.set, c.units);
      const std::string where = std::string(c.name) + " " + std::string(DiagramKindKey(kind));
      for (const DiagramAxis* axis : {&lines.x, &lines.y}) {
        EXPECT_LT(axis->lowest, axis->highest) << where;
        if (axis->logarithmic) {
          EXPECT_GT(axis->lowest, 0.0) << where;
          EXPECT_NEAR(std::log10(axis->lowest), std::round(std::log10(axis->lowest)), 1e-9) << where;
        } else {
          ASSERT_GT(axis->tickInterval, 0.0) << where;
          const double ticks = (axis->highest - axis->lowest) / axis->tickInterval;
          EXPECT_LE(ticks, 12.0 + 1e-9) << where;
          EXPECT_EQ(axis->tickInterval, TickInterval(axis->lowest, axis->highest)) << where;
          const double mantissa = axis->tickInterval / std::pow(10.0, std::floor(std::log10(axis->tickInterval)));
          EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                      std::fabs(mantissa - 5) < 1e-9)
              << where << " " << axis->tickInterval;
        }
      }
      auto inside = [&](const DiagramPoint& p) {
        return p.x >= lines.x.lowest && p.x <= lines.x.highest && p.y >= lines.y.lowest &&
               p.y <= lines.y.highest;
      };
      for (const DiagramLine& line : lines.lines) {
        const bool dome = line.role == LineRole::kSaturatedLiquid ||
                          line.role == LineRole::kSaturatedVapour || line.role == LineRole::kSaturation;
        for (const auto& piece : line.pieces) {
          EXPECT_GE(piece.size(), 2u);
          for (const DiagramPoint& p : piece) {
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << where;
            if (dome) {
              EXPECT_TRUE(inside(p)) << where << " " << p.x << "," << p.y;
            }
          }
        }
      }
      ASSERT_TRUE(lines.critical.has_value()) << where;
      EXPECT_TRUE(inside(*lines.critical)) << where;
    }
}

// A linear axis starts and ends near what is drawn: a small, rounded margin beyond the drawn
// points (a cold liquid of slightly negative entropy once put the entropy axis at -2).
TEST(DiagramLines, LinearAxesStartAtTheDrawnContent) {
  for (Case& c : Cases())
    for (DiagramKind kind : kDiagramKinds) {
      const DiagramLines lines = BuildDiagramLines(kind, c.set, c.units);
      const std::string where = std::string(c.name) + " " + std::string(DiagramKindKey(kind));
      double xLow = HUGE_VAL, yLow = HUGE_VAL;
      for (const DiagramLine& line : lines.lines)
        for (const auto& piece : line.pieces)
          for (const DiagramPoint& p : piece) xLow = std::min(xLow, p.x), yLow = std::min(yLow, p.y);
      for (auto [axis, low] : {std::pair{&lines.x, xLow}, std::pair{&lines.y, yLow}}) {
        if (axis->logarithmic) continue;
        const double margin = kAxisMargin * (axis->highest - axis->lowest);
        EXPECT_LE(axis->lowest, low) << where << " " << axis->title;
        EXPECT_GE(axis->lowest, low - margin) << where << " " << axis->title;
      }
    }
}

// The h-s chart's isotherms below the critical temperature end on the saturated liquid line: the
// compressed liquid would be a stub ending where the range of pressure ends.
TEST(DiagramLines, HsIsothermsEndOnTheSaturatedLiquidLine) {
  for (Case& c : Cases()) {
    const DiagramLines hs = BuildDiagramLines(DiagramKind::kHs, c.set, c.units);
    DiagramUnits u(c.units);
    Standard st(c.set);
    int checked = 0;
    for (const DiagramLine* line : All(hs, LineRole::kIsotherm)) {
      const long double T = u.ToInternal(kTemperature, line->value);
      if (T >= c.set.Critical().temperature) continue;
      const std::string where = std::string(c.name) + " isotherm " + line->label;
      ASSERT_EQ(line->pieces.size(), 1u) << where;
      const DiagramPoint end = line->pieces.back().back();
      ExpectNear(u.ToInternal(kEntropyQ, end.x), st.Sat(Item::kEntropy, Phase::kSatLiquid, T), where);
      ExpectNear(u.ToInternal(kEnthalpyQ, end.y), st.Sat(Item::kEnthalpy, Phase::kSatLiquid, T), where);
      // No point of it lies left of the saturated liquid, where the compressed liquid is.
      for (const DiagramPoint& p : line->pieces.back()) EXPECT_GE(p.x, end.x - 1e-9) << where;
      ++checked;
    }
    EXPECT_GE(checked, 3) << c.name;
    // The P-h chart keeps its liquid isotherms: they rise to the top of the chart.
    const DiagramLines ph = BuildDiagramLines(DiagramKind::kPh, c.set, c.units);
    for (const DiagramLine* line : All(ph, LineRole::kIsotherm)) {
      if (u.ToInternal(kTemperature, line->value) >= c.set.Critical().temperature) continue;
      EXPECT_NEAR(static_cast<double>(u.ToInternal(kPressure, line->pieces.back().back().y)),
                  static_cast<double>(c.set.InputLimits(kPressure).highest), 1e-3)
          << c.name << " " << line->label;
    }
  }
}

// In a gauge unit the pressure axes and isobars are absolute, in the unit of the same scale.
TEST(DiagramLines, GaugeUnitsChartAbsolutePressure) {
  const UnitSettings gauge = UnitsOf("1,14,1,1,1,1,1,1,1,1,1,1");  // bar gauge
  UnitSettings copy = gauge;
  ASSERT_EQ(copy.UnitText(kPressure), "bar gauge");
  DiagramUnits u(gauge);
  EXPECT_EQ(u.UnitText(kPressure), "bar abs");
  EXPECT_NEAR(static_cast<double>(u.ToDisplay(kPressure, 101.325L)), 1.01325, 1e-9);
  DiagramLines ph = BuildDiagramLines(DiagramKind::kPh, IapwsCorrelations(), gauge);
  EXPECT_EQ(ph.y.title, "Pressure (bar abs)");
  EXPECT_EQ(ph.pressureUnit, "bar abs");
  EXPECT_GT(ph.y.lowest, 0.0);
  DiagramLines ts = BuildDiagramLines(DiagramKind::kTs, IapwsCorrelations(), gauge);
  std::vector<double> values;
  for (const DiagramLine* line : All(ts, LineRole::kIsobar)) values.push_back(line->value);
  EXPECT_EQ(values, (std::vector<double>{0.01, 0.03, 0.1, 0.3, 1, 3, 10, 30, 100, 300, 1000}));
  // The other quantities keep the units chosen.
  EXPECT_EQ(BuildDiagramLines(DiagramKind::kTs, IapwsCorrelations(), UnitsOf(UnitPreset::kEuropean)).y.title,
            "Temperature (Celsius)");
}

// A standard whose enthalpy fails in a band of pressures: the isotherms of the P-h chart stop at
// the band and take up again above it; nothing is drawn at the value of a failed call.
class GappySet final : public CorrelationSet {
 public:
  static constexpr long double kGapLow = 1000.0L, kGapHigh = 2000.0L;  // kPa

  GappySet() : CorrelationSet(false) {}
  std::string Name() const override { return "Gappy"; }
  std::unique_ptr<CalculatorTable> MakeCalculators(CalcContext& ctx) const override {
    auto table = fake_.MakeCalculators(ctx);
    const double& quality = ctx.steamQuality;
    table->Add(std::make_unique<testing::FakeCalc>(
        *table, ctx, Item::kEnthalpy, [&quality](Phase phase, long double T, long double P) {
          if (P > kGapLow && P < kGapHigh && phase != Phase::kSatLiquid && phase != Phase::kSatVapour)
            return CalcResult::OutOfRange();
          return testing::FakeEnthalpy(phase, T, P, quality);
        }));
    return table;
  }
  CriticalPoint Critical() const override { return fake_.Critical(); }
  long double SaturationBand() const override { return fake_.SaturationBand(); }
  long double MeltingTemperature(long double P) const override { return fake_.MeltingTemperature(P); }
  long double SublimationTop() const override { return fake_.SublimationTop(); }
  InputRange InputLimits(Quantity q) const override { return fake_.InputLimits(q); }
  SearchRanges Search() const override { return fake_.Search(); }
  double FixedValue(Item item) const override { return fake_.FixedValue(item); }
  const GridLayout& Layout() const override { return fake_.Layout(); }

 private:
  testing::FakeCorrelationSet fake_;
};

TEST(DiagramLines, FailedValuesSplitTheLineAndAreNeverDrawn) {
  GappySet set;
  DiagramLines ph = BuildDiagramLines(DiagramKind::kPh, set, UnitsOf(UnitPreset::kSI));
  int split = 0;
  bool hotLineDrawn = false;
  for (const DiagramLine* line : All(ph, LineRole::kIsotherm)) {
    // The fake's enthalpy is out of range above 850 K: that isotherm has no point at all.
    if (line->value > 850) {
      hotLineDrawn = hotLineDrawn || !line->pieces.empty();
      continue;
    }
    if (line->pieces.size() >= 2) ++split;
    for (const auto& piece : line->pieces)
      for (const DiagramPoint& p : piece) {
        EXPECT_FALSE(p.y > GappySet::kGapLow && p.y < GappySet::kGapHigh) << line->label << " at " << p.y;
        EXPECT_NE(p.x, 0.0) << line->label;
      }
  }
  EXPECT_FALSE(hotLineDrawn);
  EXPECT_GE(split, 3);
  // The fake has no entropy: the T-s chart has no line with a point.
  for (const DiagramLine& line : BuildDiagramLines(DiagramKind::kTs, set, UnitsOf(UnitPreset::kSI)).lines)
    EXPECT_TRUE(line.pieces.empty());
}

TEST(DiagramLines, RoundValues) {
  struct Linear {
    double lo, hi;
    std::vector<double> values;
  };
  const std::vector<Linear> linear = {
      {0.01, 1000, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},         // Celsius
      {273.16, 1273.15, {300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200}},  // Kelvin
      {32.018, 1832, {200, 400, 600, 800, 1000, 1200, 1400, 1600, 1800}},        // Fahrenheit
      {-5, 5, {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5}},
  };
  for (const Linear& c : linear) EXPECT_EQ(RoundLinearValues(c.lo, c.hi, 12), c.values) << c.lo;
  EXPECT_EQ(RoundLinearValues(-5, 5, 6), (std::vector<double>{-4, -2, 0, 2, 4}));
  struct Log {
    double lo, hi;
    int count;
    std::vector<double> values;
  };
  const std::vector<Log> log = {
      {0.611657, 100000, 12, {1, 3, 10, 30, 100, 300, 1000, 3000, 10000, 30000, 100000}},  // kPa
      {0.0060366, 986.92, 12, {0.01, 0.03, 0.1, 0.3, 1, 3, 10, 30, 100, 300}},             // atm
      {0.5, 60, 12, {0.5, 1, 2, 5, 10, 20, 50}},
      {1e-4, 1e8, 6, {1e-4, 0.1, 100, 1e5, 1e8}},  // every third decade
  };
  for (const Log& c : log) EXPECT_EQ(RoundLogValues(c.lo, c.hi, c.count), c.values) << c.lo;
  EXPECT_TRUE(RoundLinearValues(5, 5, 10).empty());
  EXPECT_TRUE(RoundLogValues(0, 10, 10).empty());
  EXPECT_EQ(RoundValueText(0.30000000000000004), "0.3");
  EXPECT_EQ(RoundValueText(100000), "100000");
  EXPECT_EQ(RoundValueText(-0.0), "0");
}

}  // namespace
}  // namespace tulo
