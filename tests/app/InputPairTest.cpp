// The main window's pair chooser: a state typed as another pair shows what the same state typed
// as its temperature and pressure shows; the chooser set back to temperature and pressure is the
// window as it always was.

#include <gtest/gtest.h>

#include "app/DiagramClick.h"
#include "app/MainFormTestSupport.h"
#include "common/NumberReader.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/StateEvaluator.h"

namespace tulo::testing {
namespace {

const UnitSelection kImperial = PresetSelection(UnitPreset::kImperial);

// A form in `set` with `pair` chosen and its two values typed (SI: K, kPa, kJ/kg, kJ/kg.K, %).
struct PairForm : FormFixture {
  PairForm(const CorrelationSet& set, InputPair pair, const std::string& first, const std::string& second) {
    form.SelectCorrelationSet(set);
    EXPECT_TRUE(form.SelectInputPair(pair));
    Type(first, second);
  }
};

struct PairCase {
  InputPair pair;
  const char* first;
  const char* second;
};

const PairCase kCases[] = {
    {InputPair::kTx, "373.15", "50"}, {InputPair::kPx, "1000", "25"},     {InputPair::kPH, "1000", "2000"},
    {InputPair::kPH, "1000", "3000"}, {InputPair::kPH, "10000", "500"},   {InputPair::kPS, "1000", "7"},
    {InputPair::kPS, "1000", "4"},    {InputPair::kHS, "3000", "7"},      {InputPair::kHS, "2000", "5.5"},
    {InputPair::kTH, "600", "3000"},  {InputPair::kTH, "373.15", "1000"}, {InputPair::kTS, "600", "7"},
    {InputPair::kTS, "373.15", "4"},
};

// The same state typed as the window took it before the chooser: the temperature and pressure the
// evaluator found, or for a wet state the temperature or pressure alone with the quality in the
// wet-steam field (T-x and P-x as typed: what tulo-calc -T V --quality PCT typed).
void TypeAsTemperatureAndPressure(FormFixture& f, const PairCase& c, const Evaluated& e) {
  const CorrelationSet& set = f.form.session().Set();
  const bool given = c.pair == InputPair::kTx || c.pair == InputPair::kPx;
  if (!e.Saturated()) {
    f.Type(StoredValueText(e.T, set), StoredValueText(e.P, set));
    return;
  }
  const bool byPressure = InfoOf(c.pair).first == PairName::kP;
  const std::string value = given ? c.first : StoredValueText(byPressure ? e.P : e.T, set);
  f.Type(byPressure ? "" : value, byPressure ? value : "");
  f.form.WriteField(Field::kWetSteam, given ? c.second : StoredValueText(*e.quality, set));
}

TEST(InputPair, EveryPairShowsTheStateItsTemperatureAndPressureShow) {
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    for (const PairCase& c : kCases) {
      SCOPED_TRACE(set->Name() + " " + std::string(InfoOf(c.pair).label) + " " + c.first + " " + c.second);
      StateEvaluator evaluator(*set);
      const Evaluation evaluation = evaluator.Evaluate(
          {c.pair, set->Storage().ReadTyped(c.first).value_or(0), set->Storage().ReadTyped(c.second).value_or(0)});
      PairForm pair(*set, c.pair, c.first, c.second);
      if (!evaluation.state) {  // IAPWS-IF97 solves neither T-h nor T-s
        EXPECT_TRUE(set == &IapwsCorrelations() && (c.pair == InputPair::kTH || c.pair == InputPair::kTS))
            << evaluation.error;
        EXPECT_EQ(pair.form.FormError.caption, evaluation.error);
        continue;
      }
      const Evaluated& e = *evaluation.state;
      FormFixture typed;
      typed.form.SelectCorrelationSet(*set);
      TypeAsTemperatureAndPressure(typed, c, e);

      EXPECT_EQ(pair.form.FormError.caption, "");
      EXPECT_EQ(pair.form.ConditionText.caption, ConditionName(e.condition));
      EXPECT_EQ(pair.form.session().state.TempK, e.T);
      EXPECT_EQ(pair.form.session().state.PresKPa, e.P);
      EXPECT_EQ(pair.form.ResultsTextWithTabs(), typed.form.ResultsTextWithTabs());
      EXPECT_EQ(pair.form.WetPropGrid.cells, typed.form.WetPropGrid.cells);
      EXPECT_EQ(pair.form.DeviationText.caption, typed.form.DeviationText.caption);
      EXPECT_EQ(pair.form.GoSearch.enabled, true);
      if (e.quality) {
        EXPECT_EQ(pair.form.session().steamQuality, *e.quality);
        EXPECT_EQ(pair.form.WetSteamInput.text, StoredValueText(*e.quality, *set));
        EXPECT_FALSE(pair.form.WetSteamInput.enabled);  // the state's quality, not typed
      }
    }
  }
}

TEST(InputPair, WhatGivesNoState) {
  struct Case {
    InputPair pair;
    const char* first;
    const char* second;
    const char* error;  // nullptr: the evaluator's message
  };
  const Case cases[] = {
      {InputPair::kPH, "1000", "", "Please enter both pressure and enthalpy."},
      {InputPair::kTx, "", "", "Please enter both temperature and steam quality."},
      {InputPair::kHS, "abc", "7", ""},  // not a number: no message, as for a temperature
      {InputPair::kPH, "1000", "99999", nullptr},
      {InputPair::kTx, "700", "50", nullptr},
      {InputPair::kPx, "1000", "150", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(InfoOf(c.pair).label) + " " + c.first + " " + c.second);
    PairForm f(BuiltInCorrelations(), c.pair, "300", "101.325");
    ASSERT_FALSE(f.form.ConditionText.caption.empty() && f.form.FormError.caption.empty());
    f.Type(c.first, c.second);
    std::string error = c.error ? c.error : "";
    if (!c.error) {
      StateEvaluator evaluator(BuiltInCorrelations());
      error = evaluator.Evaluate({c.pair, *ReadNumber(c.first), *ReadNumber(c.second)}).error;
      ASSERT_FALSE(error.empty());
    }
    EXPECT_EQ(f.form.FormError.caption, error);  // whole, however long
    EXPECT_EQ(f.form.ConditionText.caption, "");
    EXPECT_EQ(f.form.TemperatureOutput.caption, "");
    EXPECT_EQ(f.FilledRows(f.form.VarPropGrid), 0);
    EXPECT_EQ(f.form.session().state.Condition, Condition::kNone);
    EXPECT_FALSE(f.form.GoSearch.enabled);
  }
}

TEST(InputPair, ChoosingRelabelsAndEmptiesTheFieldsAndTemperatureAndPressureComeBackUnchanged) {
  FormFixture fresh;
  fresh.Type("300", "101.325");
  FormFixture f;
  f.Type("373.15", "");
  f.form.SelectInputPair(InputPair::kPH);
  EXPECT_EQ(f.form.UnitT.caption, "Pressure (kPa abs)");
  EXPECT_EQ(f.form.UnitP.caption, "Enthalpy (kJ/kg)");
  EXPECT_EQ(f.form.TemperatureInput.text, "");
  EXPECT_EQ(f.form.ConditionText.caption, "");
  f.Type("1000", "2000");
  f.form.SelectInputPair(InputPair::kTx);
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Kelvin)");
  EXPECT_EQ(f.form.UnitP.caption, "Steam Quality (%)");

  f.form.SelectInputPair(0);
  EXPECT_EQ(f.form.ChosenPair(), InputPair::kTP);
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Kelvin)");
  EXPECT_EQ(f.form.UnitP.caption, "Pressure (kPa abs)");
  EXPECT_EQ(f.form.PressureInput.text, "");
  EXPECT_EQ(f.form.FormError.caption, kNothingTypedText);
  f.Type("300", "101.325");
  EXPECT_EQ(f.form.ResultsTextWithTabs(), fresh.form.ResultsTextWithTabs());
  EXPECT_EQ(f.form.FixPropGrid.cells, fresh.form.FixPropGrid.cells);
  f.Type("", "101.325");  // one field alone: the saturated state, the quality typed
  f.form.WriteField(Field::kWetSteam, "30");
  fresh.Type("", "101.325");
  fresh.form.WriteField(Field::kWetSteam, "30");
  EXPECT_EQ(f.form.ResultsTextWithTabs(), fresh.form.ResultsTextWithTabs());
  EXPECT_EQ(f.form.WetPropGrid.cells, fresh.form.WetPropGrid.cells);
  EXPECT_TRUE(f.form.WetSteamInput.enabled);
}

// A change of units rewrites an enthalpy as it rewrites a temperature (the same state), and
// leaves a steam quality in percent.
TEST(InputPair, UnitsChangeRewritesThePairsValues) {
  PairForm f(BuiltInCorrelations(), InputPair::kPH, "1000", "2000");
  const std::string quality = f.form.WetSteamInput.text;
  f.UseUnits(kImperial);
  EXPECT_EQ(f.form.UnitT.caption, "Pressure (PSI abs)");
  EXPECT_EQ(f.form.UnitP.caption, "Enthalpy (Btu/lb)");
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
  const double btuPerLb = ReadNumber(f.form.PressureInput.text).value_or(0);
  EXPECT_NEAR(static_cast<double>(f.form.session().units.ToInternal(kEnthalpyQ, btuPerLb)), 2000, 0.01);
  EXPECT_NEAR(ReadNumber(f.form.WetSteamInput.text).value_or(0), *ReadNumber(quality), 1e-3);
  PairForm x(BuiltInCorrelations(), InputPair::kTx, "373.15", "50");
  x.UseUnits(kImperial);
  EXPECT_EQ(x.form.TemperatureInput.text, "212");
  EXPECT_EQ(x.form.PressureInput.text, "50");
}

// A steam search and a click on a diagram write a temperature and a pressure: the chooser goes
// back to them first.
TEST(InputPair, DiagramClickWritesItsStateAsTemperatureAndPressure) {
  PairForm f(BuiltInCorrelations(), InputPair::kHS, "3000", "7");
  DiagramState st;
  st.T = 423.15L;
  st.P = 476.16L;
  st.wet = true;
  st.quality = 30.0;
  WriteDiagramState(f.form, st);
  EXPECT_EQ(f.form.ChosenPair(), InputPair::kTP);
  EXPECT_EQ(f.form.UnitP.caption, "Pressure (kPa abs)");
  EXPECT_EQ(f.form.TemperatureInput.text, "423.15");
  EXPECT_EQ(f.form.WetSteamInput.text, "30");
  EXPECT_TRUE(f.form.WetSteamInput.enabled);
  EXPECT_EQ(f.form.ConditionText.caption, "Saturated Liquid and Vapour");
}

TEST(InputPair, SearchWritesItsStateAsTemperatureAndPressure) {
  PairForm f(BuiltInCorrelations(), InputPair::kPS, "1000", "7");
  f.form.SelectSearchItem(0);       // enthalpy
  f.form.SelectTempOrPressItem(1);  // at the pressure shown
  f.form.WriteField(Field::kSearchBox, "3000");
  ASSERT_EQ(f.form.GoSearchClick(), SearchOutcome::kFound);
  EXPECT_EQ(f.form.ChosenPair(), InputPair::kTP);
  EXPECT_EQ(f.form.UnitT.caption, "Temperature (Kelvin)");
  EXPECT_EQ(f.form.PressureInput.text, "1000");
  EXPECT_EQ(f.form.ConditionText.caption, "Superheated Vapour");
  EXPECT_EQ(FormFixture::Cell(f.form.VarPropGrid, "Enthalpy", 2), "3000.0");
}

// The state labels of IAPWS-IF97 are rounded to the 3 decimals they show; the built-in
// standard's keep their 5 significant digits.
TEST(InputPair, IapwsStateLabelsRoundToTheirDecimals) {
  struct Case {
    const CorrelationSet* set;
    const char *temperature, *pressure;
  };
  const Case cases[] = {
      {&IapwsCorrelations(), "179.886 Celsius", "1000.000 kPa abs"},
      {&BuiltInCorrelations(), "179.880 Celsius", "1000.000 kPa abs"},
  };
  for (const Case& c : cases) {
    FormFixture f;
    f.form.SelectCorrelationSet(*c.set);
    f.UseUnits({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    f.Type("", "1000");
    EXPECT_EQ(f.form.TemperatureOutput.caption, c.temperature) << c.set->Name();
    EXPECT_EQ(f.form.PressureOutput.caption, c.pressure) << c.set->Name();
  }
  FormFixture f;
  f.form.SelectCorrelationSet(IapwsCorrelations());
  f.Type("", "101.325");
  EXPECT_EQ(f.form.TemperatureOutput.caption, "373.124 Kelvin");
  EXPECT_EQ(f.form.PressureOutput.caption, "101.325 kPa abs");
}

}  // namespace
}  // namespace tulo::testing
