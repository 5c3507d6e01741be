// From a state to its point on a chart and back: the click-to-state search of the T-s, h-s and
// P-h charts in both standards, wet and dry, in SI and other units; the P-T chart's reading;
// points where no state answers.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "results/DiagramPick.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "units/Presets.h"

namespace tulo {
namespace {

UnitSettings UnitsOf(UnitPreset preset) {
  UnitSettings u;
  u.InitUnits(PresetSelection(preset));
  return u;
}

// A state as the window holds it: its condition from the standard's own phase condition.
struct State {
  long double T, P;  // K, kPa
  Condition condition;
};

State Classified(const CorrelationSet& set, long double T, long double P) {
  Session s(set);
  DetermineCondition(s.state, s.Calculators(), T, P);
  return {T, P, s.state.Condition};
}

State Saturated(const CorrelationSet& set, long double T) {
  Session s(set);
  return {T, set.Storage().Store(set.SaturationPressure(s.Calculators(), T).value), Condition::kSatLiquidVapour};
}

struct Case {
  const char* name;
  long double T, P;       // P = 0: saturated at T, wet at `quality`
  double quality;         // percent
  long double relativeP;  // how closely the pressure comes back
  long double kelvin;     // how closely the temperature comes back
};

// The liquid is the hard case: its entropy and enthalpy hardly change with pressure, so a
// state comes back to within a few per cent in pressure; everywhere else to a small fraction.
const Case kCases[] = {
    {"superheated 500 C, 4 MPa", 773.15L, 4000.0L, 0, 2e-4L, 0.02L},
    {"superheated 200 C, 100 kPa", 473.15L, 100.0L, 0, 2e-4L, 0.02L},
    {"low-pressure vapour 50 C, 5 kPa", 323.15L, 5.0L, 0, 2e-4L, 0.02L},
    {"super critical 700 C, 25 MPa", 973.15L, 25000.0L, 0, 5e-4L, 0.05L},
    {"compressed liquid 100 C, 20 MPa", 373.15L, 20000.0L, 0, 0.05L, 0.05L},
    {"wet 150 C, 30 %", 423.15L, 0, 30.0, 1e-4L, 0.01L},
    {"wet 300 C, 85 %", 573.15L, 0, 85.0, 1e-4L, 0.01L},
};

struct Standard {
  const char* name;
  const CorrelationSet& set;
};

TEST(DiagramPick, ClickOnAStateFindsItAgain) {
  const Standard standards[] = {{"builtin", BuiltInCorrelations()}, {"iapws", IapwsCorrelations()}};
  for (const Standard& standard : standards)
    for (UnitPreset preset : {UnitPreset::kSI, UnitPreset::kImperial})
      for (DiagramKind kind : {DiagramKind::kTs, DiagramKind::kHs, DiagramKind::kPh}) {
        DiagramPicker picker(kind, standard.set, UnitsOf(preset));
        for (const Case& c : kCases) {
          const std::string where = std::string(standard.name) + " " + std::string(DiagramKindKey(kind)) +
                                    " " + (preset == UnitPreset::kSI ? "SI " : "Imperial ") + c.name;
          const State state = c.P > 0 ? Classified(standard.set, c.T, c.P) : Saturated(standard.set, c.T);
          const auto point = picker.PointOf(state.T, state.P, state.condition, c.quality);
          ASSERT_TRUE(point.has_value()) << where;
          const auto found = picker.StateAt(*point);
          ASSERT_TRUE(found.has_value()) << where;
          EXPECT_NEAR(static_cast<double>(found->T), static_cast<double>(c.T), static_cast<double>(c.kelvin))
              << where;
          EXPECT_NEAR(static_cast<double>(found->P / state.P), 1.0, static_cast<double>(c.relativeP))
              << where;
          EXPECT_EQ(found->wet, c.P == 0) << where;
          EXPECT_EQ(found->condition, state.condition) << where;
          if (c.P == 0) {
            EXPECT_NEAR(found->quality, c.quality, 0.01) << where;
          }
          // The state found lies under the point clicked.
          ASSERT_TRUE(found->h && found->s) << where;
          const auto back = PlaceState(kind, picker.Units(), found->T, found->P, *found->h, *found->s);
          ASSERT_TRUE(back.has_value());
          EXPECT_NEAR(back->x, point->x, 1e-4 * std::max(1.0, std::fabs(point->x))) << where;
          EXPECT_NEAR(back->y, point->y, 1e-4 * std::max(1.0, std::fabs(point->y))) << where;
        }
      }
}

// The mark of a saturated state moves along its tie line with the quality: a kept call of the
// calculators (made at another quality) must not hold it back.
TEST(DiagramPick, SaturatedStateIsMarkedAtItsQuality) {
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    DiagramPicker picker(DiagramKind::kTs, *set, UnitsOf(UnitPreset::kSI));
    const State st = Saturated(*set, 400.0L);
    const auto liquid = picker.PointOf(st.T, st.P, st.condition, 0.0);
    const auto vapour = picker.PointOf(st.T, st.P, st.condition, 100.0);
    const auto half = picker.PointOf(st.T, st.P, st.condition, 50.0);
    const auto again = picker.PointOf(st.T, st.P, st.condition, 0.0);
    ASSERT_TRUE(liquid && vapour && half && again);
    EXPECT_NEAR(half->x, (liquid->x + vapour->x) / 2, 1e-9);
    EXPECT_EQ(again->x, liquid->x);
    EXPECT_NEAR(half->y, 400.0, 1e-9);
    EXPECT_GT(vapour->x - liquid->x, 4.0);  // kJ/kg.K: the entropy of vaporisation at 400 K
  }
}

TEST(DiagramPick, PtChartReadsTemperatureAndPressure) {
  DiagramPicker picker(DiagramKind::kPt, IapwsCorrelations(), UnitsOf(UnitPreset::kEuropean));
  // 200 C and 20 atm: liquid (the saturation pressure is about 15.3 atm).
  auto liquid = picker.StateAt({200.0, 20.0});
  ASSERT_TRUE(liquid.has_value());
  EXPECT_NEAR(static_cast<double>(liquid->T), 473.15, 1e-6);
  EXPECT_NEAR(static_cast<double>(liquid->P), 20.0 / 0.0098692, 1e-3);
  ASSERT_TRUE(liquid->h.has_value());
  EXPECT_NEAR(static_cast<double>(*liquid->h), 852.4, 1.0);  // kJ/kg
  // On the saturation line the point does not tell liquid from vapour.
  Session s(IapwsCorrelations());
  const long double psat = IapwsCorrelations().SaturationPressure(s.Calculators(), 473.15L).value;
  auto onLine = picker.StateAt({200.0, static_cast<double>(psat * 0.0098692L)});
  ASSERT_TRUE(onLine.has_value());
  EXPECT_FALSE(onLine->h.has_value());
  EXPECT_FALSE(onLine->wet);
  EXPECT_EQ(onLine->condition, Condition::kSatLiquidVapour);
  EXPECT_EQ(liquid->condition, Condition::kSubCooledLiquid);
  // The mark of any state is its temperature and pressure.
  auto mark = picker.PointOf(250.0L, 0.05L, Condition::kSubCooledSolid, 0.0);
  ASSERT_TRUE(mark.has_value());
  EXPECT_NEAR(mark->x, -23.15, 1e-9);
}

TEST(DiagramPick, NoStateWhereNoneAnswers) {
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    const UnitSettings si = UnitsOf(UnitPreset::kSI);
    DiagramPicker ts(DiagramKind::kTs, *set, si);
    EXPECT_FALSE(ts.StateAt({7.0, 5000.0}).has_value()) << "temperature beyond the input limits";
    EXPECT_FALSE(ts.StateAt({-40.0, 400.0}).has_value()) << "entropy far below any state at 400 K";
    DiagramPicker hs(DiagramKind::kHs, *set, si);
    EXPECT_FALSE(hs.StateAt({2.0, 9000.0}).has_value()) << "enthalpy far above the isentrope's range";
    DiagramPicker ph(DiagramKind::kPh, *set, si);
    EXPECT_FALSE(ph.StateAt({2500.0, 1e9}).has_value()) << "pressure beyond the input limits";
    DiagramPicker pt(DiagramKind::kPt, *set, si);
    EXPECT_FALSE(pt.StateAt({5000.0, 100.0}).has_value());
    EXPECT_FALSE(pt.PointOf(300.0L, 100.0L, Condition::kNone, 0.0).has_value());
  }
}

}  // namespace
}  // namespace tulo
