#include <gtest/gtest.h>

#include <array>

#include "app/MainFormTestSupport.h"

namespace tulo {
namespace {

using testing::FormFixture;

const UnitSelection kSI = PresetSelection(UnitPreset::kSI);
const UnitSelection kCelsius = {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
const UnitSelection kFahrenheitPsi = {3, 11, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

TEST(MainForm, StartsAskingForInput) {
  FormFixture f;
  EXPECT_EQ(f.form.FormError.caption, "Please enter either temperature or pressure or both.");
  EXPECT_EQ(f.form.ActivePage, kVariableResultsPage);
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Kelvin)");
  EXPECT_EQ(f.form.UnitP.caption, "Pressure (kPa abs)");
  EXPECT_EQ(f.form.WetSteamPossible.caption, "Wet Steam Calculations are only possible for saturated steam.");
  EXPECT_FALSE(f.form.GoSearch.enabled);
  EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), 0);
  EXPECT_EQ(f.form.FixPropGrid.Cell(2, 0), "Value");
  EXPECT_EQ(f.form.FixPropGrid.Cell(0, 15), "Refractive Index of Ice at NMP");
}

TEST(MainForm, LimitMessages) {
  struct Case {
    UnitSelection units;
    const char* temperature;
    const char* pressure;
    const char* error;
  };
  const Case cases[] = {
      {kSI, "166", "101.325", ""},
      {kSI, "1273.15", "101.325", ""},
      {kSI, "165.99", "101.325", "Temperature must be between 166 and 1273.15 Kelvin"},
      {kSI, "1273.16", "101.325", "Temperature must be between 166 and 1273.15 Kelvin"},
      {kSI, "300", "100000", ""},
      {kSI, "300", "100001", "Pressure must be between 3.41e-7 and 100000 kPa abs"},
      {kSI, "300", "0", "Pressure must be between 3.41e-7 and 100000 kPa abs"},
      {kSI, "300", "3.41e-7", ""},
      {kSI, "300", "3.4e-7", "Pressure must be between 3.41e-7 and 100000 kPa abs"},
      {kSI, "700", "", "For saturation the temperature must be less than 647.29 Kelvin"},
      {kSI, "1300", "", "Temperature must be between 166 and 1273.15 Kelvin"},
      {kSI, "647.29", "", "For saturation the temperature must be less than 647.29 Kelvin"},
      {kSI, "647.28", "", ""},
      {kSI, "", "22090", ""},
      {kSI, "", "22090.01", "For saturation the pressure must be less than 22090 kPa abs"},
      {kSI, "100", "200000", "Temperature must be between 166 and 1273.15 Kelvin"},
      {kCelsius, "400", "", "For saturation the temperature must be less than 374.14 Celsius"},
      {kCelsius, "2000", "101.325", "Temperature must be between -107.15 and 1000 Celsius"},
      {kFahrenheitPsi, "800", "", "For saturation the temperature must be less than 705.45 Fahrenheit"},
      {kFahrenheitPsi, "100", "20000", "Pressure must be between 4.95e-8 and 14504 PSI abs"},
      {kFahrenheitPsi, "", "4000", "For saturation the pressure must be less than 3203.93 PSI abs"},
  };
  for (const auto& c : cases) {
    FormFixture f;
    f.UseUnits(c.units);
    f.Type(c.temperature, c.pressure);
    EXPECT_EQ(f.form.FormError.caption, c.error) << c.temperature << " / " << c.pressure;
    bool failed = std::string(c.error).size() > 0;
    EXPECT_EQ(f.form.ConditionText.caption.empty(), failed) << c.temperature << " / " << c.pressure;
    EXPECT_EQ(f.FilledRows(f.form.VarPropGrid) == 0, failed) << c.temperature << " / " << c.pressure;
  }
}

TEST(MainForm, TextThatIsNotANumberGivesNoResultsAndNoMessage) {
  for (const char* text : {"abc", " ", "1,5", "inf", "1e999"}) {
    FormFixture f;
    f.Type("373.15", "");
    ASSERT_FALSE(f.form.ConditionText.caption.empty());
    f.form.WriteField(Field::kTemperature, text);
    EXPECT_EQ(f.form.FormError.caption, "") << text;
    EXPECT_EQ(f.form.ConditionText.caption, "") << text;
    EXPECT_EQ(f.form.TemperatureOutput.caption, "") << text;
    EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), 0) << text;
    EXPECT_TRUE(f.platform.messages.empty()) << text;
  }
}

TEST(MainForm, SaturatedStateFromTemperatureInCelsius) {
  FormFixture f;
  f.UseUnits(kCelsius);
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Celsius)");
  f.Type("100", "");
  EXPECT_EQ(f.form.session().state.InputMode, InputMode::kT);
  EXPECT_EQ(f.form.TemperatureOutput.caption, "100.000 Celsius");
  EXPECT_EQ(f.form.PressureOutput.caption, "101.330 kPa abs");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  EXPECT_EQ(f.form.VarPropGrid.Cell(2, 0), "Liquid");
  EXPECT_EQ(f.form.VarPropGrid.Cell(3, 0), "Vapour");
  EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), 16);
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Saturation Pressure", 2), "<no row>");
  // The values of the saturated grid at 373.15 K, liquid and vapour.
  const std::array<const char*, 3> cells[] = {
      {"Enthalpy", "418.87", "2674.9"},         {"Entropy", "1.3066", "7.3539"},
      {"Density / Volume", "958.37", "0.5979"}, {"Enthalpy of Vapourisation", "2256.0", " -"},
      {"Viscosity", "2.824e-4", "1.204e-5"},    {"Compressibility Factor \"Z\"", " -", "0.9840"},
  };
  for (const auto& c : cells) {
    EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, c[0], 2), c[1]) << c[0];
    EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, c[0], 3), c[2]) << c[0];
  }
  // Quality 0: the wet column is the saturated liquid.
  EXPECT_EQ(FormFixture::Cell(f.form.WetPropGrid, "Enthalpy", 4), "418.87");
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Melting Point (@ pressure)", 2), "0.002518");
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Melting Point (@ pressure)", 3), " -");
  EXPECT_EQ(f.form.WetSteamPossible.caption, "");
  EXPECT_TRUE(f.form.WetSteamInput.enabled);
  EXPECT_TRUE(f.form.GoSearch.enabled);
  EXPECT_EQ(f.FilledRows(f.form.WetPropGrid), 6);
  EXPECT_EQ(f.form.WetPropGrid.Cell(4, 0), "Wet St'm");
  // The fixed grid follows the units: the critical temperature in Celsius.
  EXPECT_EQ(FormFixture::Cell(f.form.FixPropGrid, "Critical Temperature", 2), "374.14");
  EXPECT_EQ(FormFixture::Cell(f.form.FixPropGrid, "Critical Temperature", 1), "Celsius");
  EXPECT_EQ(FormFixture::Cell(f.form.FixPropGrid, "Molecular Weight", 1), "-");
  EXPECT_EQ(FormFixture::Cell(f.form.FixPropGrid, "Molecular Weight", 2), "18.015");
}

TEST(MainForm, SinglePhaseStates) {
  struct Case {
    const char* temperature;
    const char* pressure;
    const char* condition;
    const char* heading;
    int rows;
  };
  const Case cases[] = {
      {"300", "101.325", "Sub-cooled Liquid", "Liquid", 15},
      {"500", "101.325", "Superheated Vapour", "Vapour", 11},
      {"700", "25000", "Super Critical", "Vapour", 11},
      {"250", "101.325", "Sub-cooled Solid", "Solid", 9},
  };
  for (const auto& c : cases) {
    FormFixture f;
    f.Type(c.temperature, c.pressure);
    EXPECT_EQ(f.form.ConditionText.caption, c.condition);
    EXPECT_EQ(f.form.VarPropGrid.Cell(2, 0), c.heading);
    EXPECT_EQ(f.form.VarPropGrid.Cell(3, 0), "");
    EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), c.rows) << c.condition;
    EXPECT_FALSE(f.form.WetSteamInput.enabled);
    EXPECT_EQ(f.form.WetSteamPossible.caption,
              "Wet Steam Calculations are only possible for saturated steam.");
  }
}

TEST(MainForm, ClearEmptiesEverything) {
  FormFixture f;
  f.Type("300", "101.325");
  f.form.WriteField(Field::kWetSteam, "50");
  f.form.ClearInputsClick();
  EXPECT_EQ(f.form.TemperatureInput.text, "");
  EXPECT_EQ(f.form.PressureInput.text, "");
  EXPECT_EQ(f.form.WetSteamInput.text, "");
  EXPECT_EQ(f.form.FormError.caption, "Please enter either temperature or pressure or both.");
  EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), 0);
  EXPECT_EQ(f.form.TemperatureOutput.caption, "");
}

TEST(MainForm, WetSteamQuality) {
  FormFixture f;
  f.Type("373.15", "");
  struct Case {
    const char* text;
    int messages, beeps;
    double quality;
  };
  const Case cases[] = {
      {"100", 0, 0, 100.0},  {"0", 0, 0, 0.0},    {"40", 0, 0, 40.0}, {"100.01", 1, 0, 40.0},
      {"-0.01", 2, 0, 40.0}, {"abc", 2, 1, 40.0}, {"", 2, 1, 0.0},
  };
  for (const auto& c : cases) {
    f.form.WriteField(Field::kWetSteam, c.text);
    EXPECT_EQ(static_cast<int>(f.platform.messages.size()), c.messages) << c.text;
    EXPECT_EQ(f.platform.beeps, c.beeps) << c.text;
    EXPECT_DOUBLE_EQ(f.form.session().steamQuality, c.quality) << c.text;
    EXPECT_EQ(f.form.WetSteamInput.text, c.text);
  }
  EXPECT_EQ(f.platform.messages.back(), "Percentage Wet Steam can only be between 0% and 100%");
  // A later entry keeps the last accepted quality while the field holds a rejected number.
  f.form.WriteField(Field::kWetSteam, "25");
  f.form.WriteField(Field::kWetSteam, "150");
  f.Type("373.15", "");
  EXPECT_DOUBLE_EQ(f.form.session().steamQuality, 25.0);
}

TEST(MainForm, UnitsChangeRewritesTypedValues) {
  FormFixture f;
  f.UseUnits(kCelsius);
  f.Type("100", "");
  std::string before = FormFixture::Cell(f.form.VarPropGrid, "Melting Point (@ pressure)", 2);
  UnitsForm units(f.form);
  units.SelectUnit(kTemperature, 2);  // Fahrenheit
  units.UnitsOkClick();
  EXPECT_EQ(f.form.TemperatureInput.text, "212");
  EXPECT_EQ(f.form.PressureInput.text, "");
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Fahrenheit)");
  EXPECT_EQ(f.form.TemperatureOutput.caption, "212.000 Fahrenheit");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  EXPECT_NE(FormFixture::Cell(f.form.VarPropGrid, "Melting Point (@ pressure)", 2), before);
  EXPECT_FALSE(units.Visible);
}

TEST(MainForm, UnitsWithEmptyFieldsOnlyRelabel) {
  FormFixture f;
  UnitsForm units(f.form);
  units.SelectOverall(2);  // Imperial
  units.UnitsOkClick();
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Fahrenheit)");
  EXPECT_EQ(f.form.UnitP.caption, "Pressure (PSI abs)");
  EXPECT_EQ(f.form.TemperatureInput.text, "");
  EXPECT_EQ(f.form.session().units.GetUnitSelection(), PresetSelection(UnitPreset::kImperial));
}

TEST(MainForm, UnitsCancelKeepsListsAndSelection) {
  FormFixture f;
  UnitsForm units(f.form);
  units.Show();
  units.SelectOverall(2);  // Imperial
  units.UnitsCancelClick();
  EXPECT_EQ(f.form.session().units.GetUnitSelection(), kSI);
  EXPECT_EQ(units.ListSelection(), PresetSelection(UnitPreset::kImperial));
  EXPECT_FALSE(units.Visible);
  // Last saved units are the ones read at start-up, not the ones in force.
  units.SelectOverall(4);  // European
  units.UnitsOkClick();
  units.SelectOverall(5);
  EXPECT_EQ(units.ListSelection(), kSI);
  EXPECT_EQ(units.List(kEnthalpyQ).items[2], "cal/g");
  EXPECT_EQ(units.List(kPressure).items.size(), 24u);
  EXPECT_EQ(units.List(kPressure).items[22], "MPa abs");
  EXPECT_EQ(units.List(kPressure).items[23], "MPa gauge");
}

TEST(MainForm, CopyBeforeAnyCalculation) {
  FormFixture f;
  f.form.WithTabs1Click();
  std::string expected =
      "Tulo Calculation Results\r\nTemperature=\t\r\nPressure=\t\r\nCondition=\t\r\n\r\n"
      "Property\tUnits\t\t\r\n";
  for (int r = 1; r < 17; ++r) expected += "\t\t\t\t\r\n";
  EXPECT_EQ(f.platform.clipboard, expected);
  f.form.WithSpaces1Click();
  std::string spaces = "Tulo Calculation Results\r\nTemperature=" + std::string(18, ' ') +
                       "\r\nPressure=" + std::string(21, ' ') + "\r\nCondition=" + std::string(20, ' ') +
                       "\r\n\r\n" + "Property" + std::string(22, ' ') + "Units" + std::string(8, ' ') +
                       std::string(13, ' ') + "\r\n";
  for (int r = 1; r < 17; ++r) spaces += std::string(56, ' ') + "\r\n";
  EXPECT_EQ(f.platform.clipboard, spaces);
}

TEST(MainForm, CopySinglePhaseStateByteForByte) {
  FormFixture f;
  f.Type("300", "101.325");
  struct Row {
    const char *name, *unit, *value;
  };
  const Row rows[] = {
      {"Enthalpy", "kJ/kg", "112.54"},
      {"Entropy", "kJ/kg.K", "0.3926"},
      {"Internal Energy", "kJ/kg", "112.43"},
      {"Density / Volume", "kg/m3", "993.96"},
      {"Saturation Pressure", "kPa abs", "3.5318"},
      {"Viscosity", "Pa.s", "8.540e-4"},
      {"Heat Capacity @ Const Press", "kJ/kg.K", "4.2087"},
      {"Thermal Conductivity", "kW/m.K", "6.142e-4"},
      {"Surface Tension", "N/m", "0.07180"},
      {"Thermal Expansion Coefficient", "m3/m3.K", "2.759e-4"},
      {"Isothermal Compressibility", "m3/m3.kPa", "4.730e-7"},
      {"Dielectric Constant", "-", "77.757"},
      {"Refractive Index", "-", "1.3326"},
      {"Melting Point (@ pressure)", "Kelvin", "273.15"},
      {"Boiling Point (@ pressure)", "Kelvin", "373.15"},
  };
  std::string tabs =
      "Tulo Calculation Results\r\nTemperature=\t300.000 Kelvin\r\nPressure=\t101.320 kPa abs\r\n"
      "Condition=\tSub-cooled Liquid\r\n\r\nProperty\tUnits\tLiquid\t\r\n";
  std::string spaces =
      "Tulo Calculation Results\r\nTemperature=                  300.000 Kelvin\r\n"
      "Pressure=                     101.320 kPa abs\r\n"
      "Condition=                    Sub-cooled Liquid\r\n\r\n"
      "Property                      Units        Liquid       \r\n";
  for (const Row& r : rows) {
    tabs += std::string(r.name) + "\t" + r.unit + "\t" + r.value + "\t\t\r\n";
    spaces += std::string(r.name) + std::string(30 - std::string(r.name).size(), ' ') + r.unit +
              std::string(13 - std::string(r.unit).size(), ' ') + r.value +
              std::string(13 - std::string(r.value).size(), ' ') + "\r\n";
  }
  tabs += "\t\t\t\t\r\n";  // the one row below the last property stays empty
  spaces += std::string(56, ' ') + "\r\n";
  f.form.WithTabs1Click();
  EXPECT_EQ(f.platform.clipboard, tabs);
  f.form.WithSpaces1Click();
  EXPECT_EQ(f.platform.clipboard, spaces);
  EXPECT_EQ(f.platform.clipboardWrites, 2);
}

TEST(MainForm, SearchListsFollowUnitsAndState) {
  FormFixture f;
  f.UseUnits({1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});  // bar abs
  f.Type("373.15", "");
  ASSERT_EQ(f.form.SearchComboBox.items.size(), 3u);
  EXPECT_EQ(f.form.SearchComboBox.items[0], "Enthalpy (kJ/kg)");
  EXPECT_EQ(f.form.SearchComboBox.items[2], "Density / Volume (kg/m3)");
  EXPECT_EQ(f.form.TempOrPressComboBox.items[0], "Temperature (Kelvin)");
  EXPECT_EQ(f.form.TempOrPressComboBox.items[1], "Pressure (bar abs)");
  EXPECT_EQ(f.form.TempOrPressBox.text, "373.150");
  f.form.SelectTempOrPressItem(1);
  EXPECT_EQ(f.form.TempOrPressBox.text, "1.013");
  EXPECT_EQ(f.form.session().state.SearchGivenItem, Item::kPressure);
}

TEST(MainForm, InvalidSearchParameter) {
  FormFixture f;
  f.Type("373.15", "");
  f.form.WriteField(Field::kSearchBox, "abc");
  f.form.GoSearchClick();
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0], "Invalid searching parameter.");
  EXPECT_EQ(f.form.TemperatureInput.text, "373.15");
}

}  // namespace
}  // namespace tulo
