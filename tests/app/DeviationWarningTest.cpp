// The main window's state frame warns where the built-in values of the state stray from
// IAPWS-IF97 by more than 1 %; the copy texts never carry the warning.

#include <gtest/gtest.h>

#include <string>

#include "app/MainFormTestSupport.h"
#include "results/IapwsSet.h"

namespace tulo {
namespace {

using testing::FormFixture;

TEST(MainFormDeviation, TheStateFrameWarnsWhereTheBuiltInValuesStray) {
  const struct {
    UnitSelection units;
    const char *T, *P, *warning;
  } cases[] = {
      {PresetSelection(UnitPreset::kSI), "645.6", "59200",
       "differs from IAPWS-IF97 by up to 6.2 % here: enthalpy"},
      {PresetSelection(UnitPreset::kSI), "300", "100", ""},
      {PresetSelection(UnitPreset::kSI), "647", "", "differs from IAPWS-IF97 by up to 6.1 % here: density"},
      // The same state in degrees Celsius and MPa: the difference does not depend on the units.
      {{2, 23, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
       "372.45",
       "59.2",
       "differs from IAPWS-IF97 by up to 6.2 % here: enthalpy"},
      {PresetSelection(UnitPreset::kSI), "abc", "100", ""},
  };
  FormFixture f;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.T << " / " << c.P);
    f.UseUnits(c.units);
    f.Type(c.T, c.P);
    EXPECT_EQ(f.form.DeviationText.caption, c.warning);
  }
}

// Only the built-in standard is compared; choosing it again brings the warning back.
TEST(MainFormDeviation, NoWarningInIapws) {
  FormFixture f;
  f.Type("645.6", "59200");
  ASSERT_FALSE(f.form.DeviationText.caption.empty());
  f.form.SelectCorrelationSet(IapwsCorrelations());
  EXPECT_EQ(f.form.DeviationText.caption, "");
  f.form.SelectCorrelationSet(BuiltInCorrelations());
  EXPECT_EQ(f.form.DeviationText.caption, "differs from IAPWS-IF97 by up to 6.2 % here: enthalpy");
  f.form.ClearInputsClick();
  EXPECT_EQ(f.form.DeviationText.caption, "");
}

// At a state that warns the copied text is the one the program has always copied, byte for byte.
TEST(MainFormDeviation, CopyTextStaysAsItWas) {
  FormFixture f;
  f.Type("645.6", "59200");
  ASSERT_FALSE(f.form.DeviationText.caption.empty());
  const char* rows[] = {
      "Enthalpy\tkJ/kg\t1791.7",
      "Entropy\tkJ/kg.K\t3.8597",
      "Internal Energy\tkJ/kg\t1703.2",
      "Density / Volume\tkg/m3\t669.15",
      "Saturation Pressure\tkPa abs\t21674.5",
      "Viscosity\tPa.s\t8.182e-5",
      "Heat Capacity @ Const Press\tkJ/kg.K\tOut of Range",
      "Thermal Conductivity\tkW/m.K\tOut of Range",
      "Surface Tension\tN/m\tOut of Range",
      "Thermal Expansion Coefficient\tm3/m3.K\t0.002855",
      "Isothermal Compressibility\tm3/m3.kPa\tOut of Range",
      "Dielectric Constant\t-\tOut of Range",
      "Refractive Index\t-\tOut of Range",
      "Melting Point (@ pressure)\tKelvin\t268.76",
      "Boiling Point (@ pressure)\tKelvin\t -",
  };
  std::string expected =
      "Tulo Calculation Results\r\nTemperature=\t645.600 Kelvin\r\nPressure=\t59200.000 kPa abs\r\n"
      "Condition=\tSub-cooled Liquid\r\n\r\nProperty\tUnits\tLiquid\t\r\n";
  for (const char* row : rows) expected += std::string(row) + "\t\t\r\n";
  expected += "\t\t\t\t\r\n";
  f.form.WithTabs1Click();
  EXPECT_EQ(f.platform.clipboard, expected);
}

}  // namespace
}  // namespace tulo
