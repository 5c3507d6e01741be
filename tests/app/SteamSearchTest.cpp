// The steam search as the user runs it from the Steam Search page.

#include <gtest/gtest.h>

#include <cmath>

#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"

namespace tulo {
namespace {

using testing::FormFixture;

// Types a state, picks the lists, types the target (and the fixed value when given), searches.
void Search(FormFixture& f, const char* t, const char* p, int property, int given, const char* target,
            const char* fixed = nullptr) {
  f.Type(t, p);
  f.form.SelectSearchItem(property);
  f.form.SelectTempOrPressItem(given);
  f.form.WriteField(Field::kSearchBox, target);
  if (fixed != nullptr) f.form.WriteField(Field::kTempOrPressBox, fixed);
  f.form.GoSearchClick();
}

double Number(const std::string& text) {
  return ReadNumber(text).value_or(-1e30);
}

TEST(SteamSearch, EnthalpyBetweenSaturatedValuesGivesWetSteam) {
  FormFixture f;
  Search(f, "300", "101.325", 0, 1, "1500");
  ASSERT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.TemperatureInput.text, "373.15");
  EXPECT_EQ(f.form.PressureInput.text, "101.32");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  EXPECT_EQ(f.form.ActivePage, kWetSteamPage);
  // quality = 100 (h - hL) / (hV - hL) with the saturated values at the saturation temperature
  EXPECT_NEAR(Number(f.form.WetSteamInput.text), 100.0 * (1500 - 418.87) / (2674.9 - 418.87), 0.01);
  EXPECT_EQ(FormFixture::Cell(f.form.WetPropGrid, "Enthalpy", 4), "1500.0");
}

TEST(SteamSearch, EnthalpyAboveSaturatedVapourGivesSuperheatedState) {
  FormFixture f;
  f.form.ActivePage = kSteamSearchPage;
  Search(f, "300", "101.325", 0, 1, "2700");
  ASSERT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
  EXPECT_EQ(f.form.ActivePage, kVariableResultsPage);
  EXPECT_EQ(f.form.PressureInput.text, "101.32");
  EXPECT_GT(Number(f.form.TemperatureInput.text), 373.15);
  // The state written back is rounded to five digits: the target is met to that precision.
  EXPECT_NEAR(Number(FormFixture::Cell(f.form.VarPropGrid, "Enthalpy", 2)), 2700.0, 0.2);
}

TEST(SteamSearch, DensityBetweenSaturatedValuesMixesBySpecificVolume) {
  FormFixture f;
  Search(f, "373.15", "", 2, 0, "100");
  ASSERT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  EXPECT_EQ(f.form.ActivePage, kWetSteamPage);
  double rhoL = 958.37, rhoV = 0.59792;
  double byVolume = 100.0 * rhoV * (rhoL / 100.0 - 1.0) / (rhoL - rhoV);  // about 0.536 %
  EXPECT_NEAR(Number(f.form.WetSteamInput.text), byVolume, 0.001);
  EXPECT_NEAR(Number(FormFixture::Cell(f.form.WetPropGrid, "Density / Volume", 4)), 100.0, 0.1);
}

TEST(SteamSearch, CompressedLiquidAndSuperCriticalAnswers) {
  struct Case {
    const char *t, *p;
    int property, given;
    const char* target;
    const char* condition;
    const char* fixedField;  // the field that keeps the fixed value
    const char* fixedText;
    double tol;
  };
  const Case cases[] = {
      // At or above the critical pressure the whole temperature range is one interval.
      {"300", "25000", 0, 1, "2000", "Super Critical", "P", "25000", 1.0},
      {"300", "50000", 0, 1, "500", "Sub-cooled Liquid", "P", "50000", 0.1},
      {"500", "101.325", 1, 0, "7.0", "Superheated Vapour", "T", "500", 0.001},
      {"700", "101.325", 0, 0, "3000", "Superheated Vapour", "T", "700", 0.5},
  };
  for (const auto& c : cases) {
    FormFixture f;
    Search(f, c.t, c.p, c.property, c.given, c.target);
    ASSERT_TRUE(f.platform.messages.empty()) << c.target;
    EXPECT_EQ(f.form.ConditionText.caption, c.condition) << c.target;
    EXPECT_EQ(std::string(c.fixedField) == "P" ? f.form.PressureInput.text : f.form.TemperatureInput.text,
              c.fixedText);
    const char* row = c.property == 0 ? "Enthalpy" : c.property == 1 ? "Entropy" : "Density / Volume";
    EXPECT_NEAR(Number(FormFixture::Cell(f.form.VarPropGrid, row, 2)), Number(c.target), c.tol) << c.target;
  }
}

TEST(SteamSearch, BelowTriplePointSearchesOnlyTheVapourSide) {
  FormFixture f;
  // Vapour enthalpy at 250 K falls from 2457.17 at 3.41e-7 kPa to 2457.11 at the sublimation pressure.
  Search(f, "250", "", 0, 0, "2457.15");
  ASSERT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.TemperatureInput.text, "250");
  double p = Number(f.form.PressureInput.text);
  EXPECT_GE(p, 0.0);
  EXPECT_LE(p, 0.076);
  FormFixture g;
  Search(g, "250", "", 0, 0, "2460");  // above every vapour value at 250 K
  ASSERT_EQ(g.platform.messages.size(), 1u);
}

TEST(SteamSearch, FailuresLeaveFieldsAndPage) {
  struct Case {
    const char* target;
    const char* fixed;
    const char* message;
  };
  const Case cases[] = {
      {"99999", nullptr, " Conditions are out of Allowable Range "},  // beyond f(273.2 K) .. f(1273.15 K)
      {"-50", nullptr, " Conditions are out of Allowable Range "},
      {"abc", nullptr, "Invalid searching parameter."},
      {"1500", "x", "Invalid searching parameter."},
      {"Out of Range", nullptr, "Invalid searching parameter."},
  };
  for (const auto& c : cases) {
    FormFixture f;
    f.form.ActivePage = kSteamSearchPage;
    Search(f, "300", "101.325", 0, 1, c.target, c.fixed);
    ASSERT_EQ(f.platform.messages.size(), 1u) << c.target;
    EXPECT_EQ(f.platform.messages[0], c.message);
    EXPECT_EQ(f.form.TemperatureInput.text, "300");
    EXPECT_EQ(f.form.PressureInput.text, "101.325");
    EXPECT_EQ(f.form.ActivePage, kSteamSearchPage);
  }
}

TEST(SteamSearch, UnchangedPageFindsTheCurrentStateAgain) {
  FormFixture f;
  f.Type("600", "1000");
  f.form.SelectTempOrPressItem(1);
  // The box is preloaded with five significant digits of the enthalpy shown.
  EXPECT_NEAR(Number(f.form.SearchBox.text), Number(FormFixture::Cell(f.form.VarPropGrid, "Enthalpy", 2)),
              0.05);
  f.form.GoSearchClick();
  ASSERT_TRUE(f.platform.messages.empty());
  // The box holds five digits, so the state comes back to within that precision.
  EXPECT_NEAR(Number(f.form.TemperatureInput.text), 600.0, 0.05);
  EXPECT_EQ(f.form.PressureInput.text, "1000");
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
}

TEST(SteamSearch, WetSteamCheckBoxPreloadsTheMixtureValue) {
  FormFixture f;
  f.Type("373.15", "");
  f.form.WriteField(Field::kWetSteam, "50");
  EXPECT_EQ(f.form.SearchBox.text, "2674.900");  // the vapour side without the check box
  f.form.UseWetSteamClick(true);
  EXPECT_EQ(f.form.SearchBox.text, FormFixture::Cell(f.form.WetPropGrid, "Enthalpy", 4));
  EXPECT_EQ(f.form.SearchBox.text, "1546.9");
}

// Below the triple point the vapour enthalpy hardly changes with pressure: the interpolation runs
// out of [3.41e-7 kPa, Psat], and an answer there (a negative pressure) is no answer.
TEST(SteamSearch, AnswerOutsideTheIntervalIsAFailure) {
  for (const char* t : {"229.99", "200", "250"}) {
    FormFixture f;
    f.Type(t, "");
    f.form.SelectSearchItem(0);
    f.form.SelectTempOrPressItem(0);
    f.form.GoSearchClick();
    EXPECT_EQ(f.form.FormError.caption, "") << t;  // whatever the outcome, the state shown is valid
    EXPECT_FALSE(f.form.ConditionText.caption.empty()) << t;
  }
}

}  // namespace
}  // namespace tulo
