// The window logic under a locale whose decimal separator is ",": the same texts as under "C",
// for numbers typed a digit at a time, saturated states, wet steam and the limit messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainFormTestSupport.h"
#include "common/CommaLocale.h"

namespace tulo {
namespace {

using testing::FormFixture;

// Everything the window shows after each step of a session, in order.
std::vector<std::string> Session(const UnitSelection& units) {
  FormFixture f;
  f.UseUnits(units);
  std::vector<std::string> seen;
  const auto look = [&] {
    for (const Label* label :
         {&f.form.TemperatureOutput, &f.form.PressureOutput, &f.form.ConditionText, &f.form.FormError})
      seen.push_back(label->caption);
    for (const StringGrid* grid : {&f.form.VarPropGrid, &f.form.WetPropGrid, &f.form.FixPropGrid})
      for (const auto& row : grid->cells)
        for (const std::string& cell : row) seen.push_back(cell);
  };
  f.form.WriteField(Field::kPressure, "100");
  for (const char* typed : {"3", "30", "300", "300.", "300.5", "300.5e0", "2000", "-1e3", "1,5"}) {
    f.form.WriteField(Field::kTemperature, typed);
    look();
  }
  f.Type("100", "");
  f.form.WriteField(Field::kWetSteam, "25.5");
  look();
  f.Type("", "1.5");
  look();
  return seen;
}

TEST(MainFormLocale, TypingShowsWhatItShowsUnderTheCLocale) {
  const UnitSelection unitsList[] = {PresetSelection(UnitPreset::kSI), {2, 11, 4, 2, 2, 1, 2, 2, 3, 2, 2, 2}};
  for (const UnitSelection& units : unitsList) {
    const std::vector<std::string> classic = Session(units);
    for (const char* name : testing::kCommaLocales) {
      testing::CommaLocale locale(name);
      ASSERT_TRUE(locale.Active()) << name;
      EXPECT_EQ(Session(units), classic) << name;
    }
  }
}

TEST(MainFormLocale, NumbersAndMessagesKeepTheirPoint) {
  for (const char* name : testing::kCommaLocales) {
    testing::CommaLocale locale(name);
    ASSERT_TRUE(locale.Active()) << name;
    FormFixture f;
    f.UseUnits({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    f.Type("300.5", "101.325");
    EXPECT_EQ(f.form.TemperatureOutput.caption, "300.500 Celsius") << name;
    EXPECT_EQ(f.form.PressureOutput.caption, "101.320 kPa abs") << name;
    EXPECT_EQ(f.form.FormError.caption, "") << name;
    f.Type("2000", "101.325");
    EXPECT_EQ(f.form.FormError.caption, "Temperature must be between -107.15 and 1000 Celsius") << name;
  }
}

}  // namespace
}  // namespace tulo
