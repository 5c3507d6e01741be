// The steam search as the user runs it from the Steam Search page.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"
#include "common/Real6.h"

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

// A fixed value has the limits of the input field it stands for: outside them the search fails
// with that field's message, and nothing found keeps its own message.
TEST(SteamSearch, FixedValueOutsideTheInputRangeFailsWithTheRangeMessage) {
  struct Case {
    const char* t;
    const char* p;
    int given;
    const char* target;
    const char* fixed;
    SearchOutcome outcome;
    const char* message;
  };
  const char* const kPressureRange = "Pressure must be between 3.41e-7 and 100000 kPa abs";
  const char* const kTemperatureRange = "Temperature must be between 166 and 1273.15 Kelvin";
  const Case cases[] = {
      {"300", "101.325", 1, "2000", "120000", SearchOutcome::kOutOfRange, kPressureRange},
      {"300", "101.325", 1, "2000", "100001", SearchOutcome::kOutOfRange, kPressureRange},
      {"300", "101.325", 1, "2000", "1e-8", SearchOutcome::kOutOfRange, kPressureRange},
      {"300", "101.325", 0, "4600", "1300", SearchOutcome::kOutOfRange, kTemperatureRange},
      {"300", "101.325", 0, "2500", "165", SearchOutcome::kOutOfRange, kTemperatureRange},
      {"300", "101.325", 1, "99999", "101.325", SearchOutcome::kNotFound,
       " Conditions are out of Allowable Range "},
      {"300", "101.325", 1, "abc", "101.325", SearchOutcome::kInvalid, "Invalid searching parameter."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fixed) + " " + c.target);
    FormFixture f;
    f.form.ActivePage = kSteamSearchPage;
    f.Type(c.t, c.p);
    f.form.SelectSearchItem(0);
    f.form.SelectTempOrPressItem(c.given);
    f.form.WriteField(Field::kSearchBox, c.target);
    f.form.WriteField(Field::kTempOrPressBox, c.fixed);
    EXPECT_EQ(f.form.GoSearchClick(), c.outcome);
    EXPECT_EQ(f.platform.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(f.form.TemperatureInput.text, c.t);
    EXPECT_EQ(f.form.PressureInput.text, c.p);
    EXPECT_EQ(f.form.ActivePage, kSteamSearchPage);
  }
  // The ends themselves are inside.
  FormFixture f;
  f.Type("300", "101.325");
  f.form.SelectTempOrPressItem(1);
  f.form.WriteField(Field::kSearchBox, "2000");
  f.form.WriteField(Field::kTempOrPressBox, "100000");
  EXPECT_EQ(f.form.GoSearchClick(), SearchOutcome::kFound);
  EXPECT_EQ(f.form.PressureInput.text, "1.0000E+05");
}

// The quality written back keeps the decimals of its own digits: 99.774 %, not 99.77 %.
TEST(SteamSearch, QualityJustBelowAHundredKeepsItsDecimals) {
  const std::pair<long double, const char*> cases[] = {{99.7742L, "99.774"}, {9.9994L, "9.999"}};
  for (const auto& [quality, text] : cases) {
    SCOPED_TRACE(text);
    FormFixture f;
    f.Type("373.15", "");
    // The saturated enthalpies the search mixes at the saturation pressure of 373.15 K.
    CalculatorTable& calcs = f.form.session().Calculators();
    const long double T = R6(373.15L);
    const long double P = R6(calcs.Compute(Item::kSaturationPressure, Phase::kNoPhase, T, 0.0L).value);
    const long double hL = R6(calcs.Compute(Item::kEnthalpy, Phase::kSatLiquid, T, P).value);
    const long double hV = R6(calcs.Compute(Item::kEnthalpy, Phase::kSatVapour, T, P).value);
    char target[64];
    std::snprintf(target, sizeof target, "%.11Lg", hL + quality / 100.0L * (hV - hL));
    f.form.SelectSearchItem(0);
    f.form.SelectTempOrPressItem(0);
    f.form.WriteField(Field::kSearchBox, target);
    ASSERT_EQ(f.form.GoSearchClick(), SearchOutcome::kFound);
    EXPECT_EQ(f.form.WetSteamInput.text, text);
  }
}

}  // namespace
}  // namespace tulo
