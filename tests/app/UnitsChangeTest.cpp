// Accepting new units rewrites what the user typed, never what an earlier state left behind.

#include <gtest/gtest.h>

#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"

namespace tulo {
namespace {

using testing::FormFixture;

UnitSelection PsiGauge() {
  UnitSelection units = PresetSelection(UnitPreset::kSI);
  units[kPressure] = 22;
  return units;
}

TEST(UnitsChange, RewritesEachTypedNumberFromItsOwnText) {
  const UnitSelection kSI = PresetSelection(UnitPreset::kSI);
  const UnitSelection kImperial = PresetSelection(UnitPreset::kImperial);  // Fahrenheit, PSI abs
  const UnitSelection kEuropean = PresetSelection(UnitPreset::kEuropean);  // Celsius, atm abs
  struct Case {
    const char* name;
    UnitSelection from, to;
    const char *temperature, *pressure;
    const char *temperatureAfter, *pressureAfter;
  };
  const Case cases[] = {
      {"both numbers", kSI, kImperial, "373.15", "101.325", "212", "14.696"},
      // The entry stops at the temperature text, so the state never took this pressure in.
      {"temperature not a number", kSI, kImperial, "1,5", "373.15", "1,5", "54.122"},
      {"pressure not a number", kSI, kImperial, "373.15", "abc", "212", "abc"},
      // 1.7e38 atm is beyond what kilopascal can hold: the text stays as typed.
      {"pressure beyond the internal range", kEuropean, kSI, "100", "1.7e38", "373.15", "1.7e38"},
      // 1.7e38 K is more degrees Fahrenheit than a stored real holds.
      {"temperature beyond the new unit", kSI, kImperial, "1.7e38", "101.325", "1.7e38", "14.696"},
      {"nothing typed", kSI, kImperial, "", "", "", ""},
      // Three decimals would leave nothing of a low pressure, and five digits of a gauge unit would
      // put it below zero: the exponent form keeps the digits needed.
      {"low pressure", kSI, kImperial, "", "1e-5", "", "1.4504e-6"},
      {"low pressure at a temperature", kSI, kImperial, "300", "0.001", "80.33", "1.4504e-4"},
      {"low pressure in a gauge unit", kSI, PsiGauge(), "300", "0.001", "300", "-1.469603296e+1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture f;
    f.UseUnits(c.from);
    f.Type(c.temperature, c.pressure);
    f.UseUnits(c.to);
    EXPECT_EQ(f.form.TemperatureInput.text, c.temperatureAfter);
    EXPECT_EQ(f.form.PressureInput.text, c.pressureAfter);
    if (ReadNumber(c.temperatureAfter) && ReadNumber(c.pressureAfter) &&
        std::string(c.pressure) != "1.7e38" && std::string(c.temperature) != "1.7e38") {
      EXPECT_EQ(f.form.FormError.caption, "");  // the same valid state, in the new units
    }
  }
}

// The search boxes are preloaded with the state shown, to be read again by the search.
TEST(UnitsChange, SearchBoxesKeepTheDigitsOfSmallValues) {
  FormFixture f;
  f.Type("300", "1e-5");
  f.form.SelectSearchItem(2);       // density, about 7.2e-8 kg/m3
  f.form.SelectTempOrPressItem(1);  // pressure
  EXPECT_EQ(f.form.TempOrPressBox.text, "1.0000e-5");
  ASSERT_NE(f.form.SearchBox.text.find("e-8"), std::string::npos) << f.form.SearchBox.text;
  f.form.GoSearchClick();
  EXPECT_TRUE(f.platform.messages.empty()) << f.platform.messages[0];
  EXPECT_EQ(f.form.TemperatureInput.text, "300");
  EXPECT_EQ(f.form.PressureInput.text, "1.0000e-5");
}

// A pressure just below a power of ten keeps the decimals of its own digits in every place a number
// is written: the value rewritten after a units change (typed in Pa, shown in kPa), the state
// label, and the search box preloaded with it.
TEST(UnitsChange, ValuesJustBelowPowersOfTenKeepTheirDecimalsEverywhere) {
  UnitSelection pascal = PresetSelection(UnitPreset::kSI);
  pascal[kPressure] = 10;
  struct Case {
    const char* typedPa;
    const char* field;  // after TrimZeros
    const char* shown;  // label and search box
  };
  const Case cases[] = {
      {"9999.77", "10", "10.000"},
      {"99774.7", "99.775", "99.775"},
      {"999774.7", "999.77", "999.770"},
      {"9999770", "9999.8", "9999.800"},
      {"99999700", "1.0000E+05", "1.0000E+05"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typedPa);
    FormFixture f;
    f.UseUnits(pascal);
    f.Type("1000", c.typedPa);
    f.UseUnits(PresetSelection(UnitPreset::kSI));
    EXPECT_EQ(f.form.PressureInput.text, c.field);
    EXPECT_EQ(f.form.PressureOutput.caption, std::string(c.shown) + " kPa abs");
    f.form.SelectTempOrPressItem(1);
    EXPECT_EQ(f.form.TempOrPressBox.text, c.shown);
  }
}

// MPa came as units 23 and 24; the limits in the messages are converted like those of any unit.
TEST(UnitsChange, MegapascalLimitsInMessages) {
  struct Case {
    int unit;
    const char *temperature, *pressure;
    const char* error;
  };
  const Case cases[] = {
      {23, "1000", "100.001", "Pressure must be between 3.41e-10 and 100 MPa abs"},
      {23, "", "22.1", "For saturation the pressure must be less than 22.09 MPa abs"},
      {24, "1000", "100", "Pressure must be between -0.101 and 99.9 MPa gauge"},
      {23, "", "0.101325", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pressure);
    FormFixture f;
    UnitSelection units = PresetSelection(UnitPreset::kSI);
    units[kPressure] = static_cast<std::uint8_t>(c.unit);
    f.UseUnits(units);
    f.Type(c.temperature, c.pressure);
    EXPECT_EQ(f.form.FormError.caption, c.error);
    EXPECT_EQ(f.form.UnitP.caption, std::string("Pressure (") + UnitTextOf(kPressure, c.unit) + ")");
  }
}

}  // namespace
}  // namespace tulo
