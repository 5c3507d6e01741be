// The main form swapped to another correlation set while it runs: the fields, the units and the
// configuration record stay; the condition, the input checks, the grids, their statuses and the
// steam search follow the new set; swapped back, every page is the built-in one again.

#include <gtest/gtest.h>

#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"
#include "results/FakeCorrelationSet.h"
#include "results/IapwsSet.h"

namespace tulo::testing {
namespace {

const UnitSelection kCelsius = {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

double Number(const std::string& text) {
  return ReadNumber(text).value_or(-1e30);
}

TEST(CorrelationSetSwap, FieldsUnitsAndRecordStayWhileTheSetChanges) {
  FakeCorrelationSet fake;
  FormFixture f;
  f.UseUnits(kCelsius);
  f.Type("186.85", "1000");  // 460 K
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
  const ConfigBytes record = f.form.config().Record().Serialise();

  f.form.SelectCorrelationSet(fake);
  EXPECT_EQ(f.form.TemperatureInput.text, "186.85");
  EXPECT_EQ(f.form.PressureInput.text, "1000");
  EXPECT_EQ(f.form.session().units.GetUnitSelection(), kCelsius);
  EXPECT_EQ(f.form.config().Record().Serialise(), record);
  EXPECT_EQ(f.form.ConditionText.caption, "Sub-cooled Liquid");

  // The fake rows, in the units in use, and nothing below them.
  const StringGrid& grid = f.form.VarPropGrid;
  EXPECT_EQ(grid.Cell(2, 0), "Liquid");
  EXPECT_EQ(grid.Cell(0, 1), "Enthalpy");
  EXPECT_EQ(grid.Cell(2, 1), "747.40");  // 4 (460 - 273.15)
  EXPECT_EQ(grid.Cell(0, 2), "Density / Volume");
  EXPECT_NEAR(Number(grid.Cell(2, 2)), static_cast<double>(Fake::LiquidRho(460)), 0.01);
  EXPECT_EQ(grid.Cell(0, 3), "Saturation Pressure");
  EXPECT_NEAR(Number(grid.Cell(2, 3)), static_cast<double>(Fake::SatPressure(460)), 0.01);
  EXPECT_EQ(f.FilledRows(grid), 3);

  // The fixed properties are the set's: its critical temperature in Celsius.
  EXPECT_NEAR(Number(FormFixture::Cell(f.form.FixPropGrid, "Critical Temperature", 2)), 600 - 273.15, 1e-6);
  EXPECT_EQ(Number(FormFixture::Cell(f.form.FixPropGrid, "Molecular Weight", 2)), 1.0);
}

TEST(CorrelationSetSwap, InputChecksQuoteTheLimitsOfTheSetInUse) {
  struct Case {
    const char *t, *p;
    const char* builtIn;  // the error under the built-in set
    const char* fake;
  };
  const Case cases[] = {
      {"950", "1000", "", "Temperature must be between 250 and 900 Kelvin"},
      {"200", "1000", "", "Temperature must be between 250 and 900 Kelvin"},
      {"1300", "1000", "Temperature must be between 166 and 1273.15 Kelvin",
       "Temperature must be between 250 and 900 Kelvin"},
      {"400", "5", "", "Pressure must be between 10 and 50000 kPa abs"},
      {"620", "", "", "For saturation the temperature must be less than 600 Kelvin"},
      {"", "16000", "", "For saturation the pressure must be less than 15000 kPa abs"},
  };
  FakeCorrelationSet fake;
  for (const auto& c : cases) {
    FormFixture f;
    f.Type(c.t, c.p);
    EXPECT_EQ(f.form.FormError.caption, c.builtIn) << c.t << " " << c.p;
    f.form.SelectCorrelationSet(fake);
    EXPECT_EQ(f.form.FormError.caption, c.fake) << c.t << " " << c.p;
    EXPECT_TRUE(f.form.ConditionText.caption.empty()) << c.t << " " << c.p;
    f.form.SelectCorrelationSet(BuiltInCorrelations());
    EXPECT_EQ(f.form.FormError.caption, c.builtIn) << c.t << " " << c.p;
  }
}

TEST(CorrelationSetSwap, CellsShowTheStatusesOfTheSetInUse) {
  FakeCorrelationSet fake;
  FormFixture f;
  f.form.SelectCorrelationSet(fake);
  f.Type("860", "20000");  // super critical; the fake enthalpy ends at 850 K
  EXPECT_EQ(f.form.ConditionText.caption, "Super Critical");
  EXPECT_EQ(f.form.VarPropGrid.Cell(2, 0), "Vapour");
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Enthalpy", 2), "Out of Range");
  EXPECT_NEAR(Number(FormFixture::Cell(f.form.VarPropGrid, "Density / Volume", 2)),
              static_cast<double>(Fake::VapourRho(860, 20000)), 0.001);
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Saturation Pressure", 2), " -");

  // A saturated state: both columns, the wet-steam page with the fake rows, mixed by mass.
  f.Type("400", "");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  const std::string& shown = f.form.PressureOutput.caption;  // "274.730 kPa abs": five digits
  EXPECT_NEAR(Number(shown.substr(0, shown.find(' '))), static_cast<double>(Fake::SatPressure(400)), 0.005);
  f.form.WriteField(Field::kWetSteam, "50");
  EXPECT_EQ(f.FilledRows(f.form.WetPropGrid), 2);
  EXPECT_NEAR(Number(FormFixture::Cell(f.form.WetPropGrid, "Enthalpy", 4)),
              static_cast<double>((Fake::LiquidH(400) + Fake::VapourH(400)) / 2), 0.05);  // five digits
}

TEST(CorrelationSetSwap, SteamSearchFromTheFormFollowsTheSetInUse) {
  FakeCorrelationSet fake;
  FormFixture f;
  f.form.SelectCorrelationSet(fake);
  f.Type("300", "1000");
  f.form.SelectSearchItem(0);       // enthalpy
  f.form.SelectTempOrPressItem(1);  // at the pressure
  f.form.WriteField(Field::kSearchBox, "3000");
  f.form.GoSearchClick();
  ASSERT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.TemperatureInput.text, "523.15");  // 2500 + 2 (T - 273.15) = 3000
  EXPECT_EQ(f.form.PressureInput.text, "1000");
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
}

// Swapped to the fake set and back, a form shows exactly what a form that never left the built-in
// set shows.
TEST(CorrelationSetSwap, SwappingBackGivesTheBuiltInPagesAgain) {
  FakeCorrelationSet fake;
  for (const auto& [t, p] : {std::pair{"300", "50000"}, {"373.15", ""}, {"700", "25000"}}) {
    FormFixture plain, swapped;
    plain.Type(t, p);
    swapped.Type(t, p);
    swapped.form.SelectCorrelationSet(fake);
    swapped.form.SelectCorrelationSet(BuiltInCorrelations());
    EXPECT_EQ(swapped.form.VarPropGrid.cells, plain.form.VarPropGrid.cells) << t;
    EXPECT_EQ(swapped.form.WetPropGrid.cells, plain.form.WetPropGrid.cells) << t;
    EXPECT_EQ(swapped.form.FixPropGrid.cells, plain.form.FixPropGrid.cells) << t;
    EXPECT_EQ(swapped.form.ResultsTextWithTabs(), plain.form.ResultsTextWithTabs()) << t;
    EXPECT_EQ(swapped.form.SearchBox.text, plain.form.SearchBox.text) << t;
  }
}

// IAPWS-95 in the window: its range to 1000 MPa and 1273 K, its name in the state frame.
TEST(CorrelationSetSwap, Iapws95TakesItsOwnRange) {
  FormFixture f;
  f.form.SelectCorrelationSet(Iapws95Correlations());
  f.Type("300", "500000");  // K, kPa: 500 MPa, beyond IF97
  EXPECT_EQ(f.form.FormError.caption, "");
  EXPECT_EQ(f.form.ConditionText.caption, "Sub-cooled Liquid");
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Density / Volume", 2), "1148.5");  // kg/m3
  f.Type("1300", "1000");
  EXPECT_EQ(f.form.FormError.caption, "Temperature must be between 50 and 1273 Kelvin");
}

}  // namespace
}  // namespace tulo::testing
