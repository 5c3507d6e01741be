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

}  // namespace
}  // namespace tulo
