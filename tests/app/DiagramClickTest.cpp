// A click on a chart writes the state found into the main window's fields: temperature and
// pressure for a single-phase state, the saturation temperature and the quality inside the dome;
// the window then shows that state as if it had been typed.

#include <gtest/gtest.h>

#include "app/DiagramClick.h"
#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

using testing::FormFixture;

TEST(DiagramClick, SingleStateIsTypedAsTemperatureAndPressure) {
  FormFixture f;
  f.UseUnits(PresetSelection(UnitPreset::kEuropean));
  f.Type("100", "");
  f.form.SetActivePage(kFixedPropertiesPage);
  DiagramState st;
  st.T = 773.15L;
  st.P = 4000.0L;
  WriteDiagramState(f.form, st);
  EXPECT_EQ(f.form.TemperatureInput.text, "500");
  EXPECT_EQ(f.form.PressureInput.text, "39.477");  // atm
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
  EXPECT_EQ(f.form.ActivePage, kVariableResultsPage);
  EXPECT_TRUE(f.form.FormError.caption.empty());
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST(DiagramClick, WetStateIsTypedAsSaturationTemperatureAndQuality) {
  FormFixture f;
  f.Type("500", "1000");  // a pressure typed before: it must go, or the state would not be wet
  DiagramState st;
  st.T = 423.15L;
  st.P = 476.16L;
  st.wet = true;
  st.quality = 30.0;
  WriteDiagramState(f.form, st);
  EXPECT_EQ(f.form.TemperatureInput.text, "423.15");
  EXPECT_EQ(f.form.PressureInput.text, "");
  EXPECT_EQ(f.form.WetSteamInput.text, "30");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  EXPECT_EQ(f.form.ActivePage, kWetSteamPage);
  EXPECT_DOUBLE_EQ(f.form.session().steamQuality, 30.0);
  EXPECT_EQ(f.form.WetPropGrid.Cell(4, 0), "Wet St'm");
  EXPECT_FALSE(FormFixture::Cell(f.form.WetPropGrid, "Enthalpy", 4).empty());
}

// The whole way in the IAPWS standard: the chart's point of a state, the state found under it,
// the fields written, and the window's state is the one the point was taken from.
TEST(DiagramClick, PointOfAStateClickedGivesThatStateInTheWindow) {
  FormFixture f;
  f.form.SelectCorrelationSet(IapwsCorrelations());
  f.UseUnits(PresetSelection(UnitPreset::kImperial));
  struct Case {
    DiagramKind kind;
    long double T, P;
    Condition condition;
    double quality;
  };
  const Case cases[] = {
      {DiagramKind::kHs, 773.15L, 4000.0L, Condition::kSuperheated, 0.0},
      {DiagramKind::kPh, 573.15L, 8587.9L, Condition::kSatLiquidVapour, 60.0},
      {DiagramKind::kTs, 973.15L, 25000.0L, Condition::kSuperCritical, 0.0},
  };
  for (const Case& c : cases) {
    DiagramPicker picker(c.kind, f.form.session().Set(), f.form.session().units);
    const auto point = picker.PointOf(c.T, c.P, c.condition, c.quality);
    ASSERT_TRUE(point.has_value());
    const auto found = picker.StateAt(*point);
    ASSERT_TRUE(found.has_value());
    WriteDiagramState(f.form, *found);
    const CalcState& st = f.form.session().state;
    EXPECT_EQ(st.Condition, c.condition) << DiagramKindKey(c.kind);
    EXPECT_NEAR(st.TempK, static_cast<double>(c.T), 0.05) << DiagramKindKey(c.kind);  // 5 digits in F
    if (c.condition == Condition::kSatLiquidVapour) {
      EXPECT_NEAR(*ReadNumber(f.form.WetSteamInput.text), c.quality, 0.01);
      EXPECT_EQ(f.form.ActivePage, kWetSteamPage);
    } else {
      EXPECT_NEAR(st.PresKPa / static_cast<double>(c.P), 1.0, 1e-3) << DiagramKindKey(c.kind);
    }
  }
  EXPECT_TRUE(f.platform.messages.empty());
}

}  // namespace
}  // namespace tulo
