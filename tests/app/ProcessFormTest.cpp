// The Processes window's form driven as a user drives it: each page typed in the units in use,
// computed, its figures checked against the process function called directly with the same
// states; bad input, the precision, Copy, Save and the hooks.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/FakePlatform.h"
#include "app/ProcessForm.h"
#include "common/Text.h"
#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo {
namespace {

using testing::FakePlatform;

struct TypedState {
  InputPair pair = InputPair::kTP;
  std::string first, second;
};

struct PageCase {
  const char* name;
  ProcessPage page;
  int mode;
  std::vector<TypedState> states;   // in the page's order; a state the mode does not use is {}
  std::vector<std::string> values;  // in the page's order
  std::function<ProcessOutcome(StateEvaluator&)> direct;  // the same process, internal units
};

struct Fixture {
  FakePlatform platform;
  Session session{IapwsCorrelations()};
  ProcessForm form{session, platform};

  Fixture() {
    session.units.InitUnits(PresetSelection(UnitPreset::kSI));
    form.FollowSession();
  }

  int PairIndex(InputPair pair) const {
    const std::vector<std::string>& items = form.Pages[0].states[0].pair.items;
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i] == InfoOf(pair).label) return static_cast<int>(i);
    ADD_FAILURE() << "no pair " << InfoOf(pair).label;
    return 0;
  }

  void Fill(const PageCase& c) {
    form.SelectPage(static_cast<int>(c.page));
    form.SelectMode(c.mode);
    for (std::size_t i = 0; i < c.states.size(); ++i) {
      const int state = static_cast<int>(i);
      form.SelectPair(state, PairIndex(c.states[i].pair));
      form.WriteStateField(state, false, c.states[i].first);
      form.WriteStateField(state, true, c.states[i].second);
    }
    for (std::size_t i = 0; i < c.values.size(); ++i) form.WriteValue(static_cast<int>(i), c.values[i]);
  }
};

// SI units (K, kPa, kJ/kg) and the IAPWS standard read a typed number as the nearest double: the
// internal values of the direct calls are the texts typed.
std::vector<PageCase> MachineCases() {
  return {
      {"turbine from its efficiency",
       ProcessPage::kTurbine,
       0,
       {{InputPair::kTP, "773.15", "5000"}},
       {"10", "85", "10"},
       [](StateEvaluator& ev) {
         return Expand(ev, {Machine::kTurbine, {InputPair::kTP, 773.15, 5000}, 10, 85, 10.0});
       }},
      {"turbine efficiency from its outlet",
       ProcessPage::kTurbine,
       1,
       {{InputPair::kTP, "773.15", "5000"}, {InputPair::kPH, "10", "2300"}},
       {"", "", ""},
       [](StateEvaluator& ev) {
         return MachineEfficiency(ev, Machine::kTurbine, {InputPair::kTP, 773.15, 5000},
                                  {InputPair::kPH, 10, 2300}, std::nullopt);
       }},
      {"pump",
       ProcessPage::kPump,
       0,
       {{InputPair::kPx, "10", "0"}},
       {"5000", "80", ""},
       [](StateEvaluator& ev) {
         return Expand(ev, {Machine::kPump, {InputPair::kPx, 10, 0}, 5000, 80, std::nullopt});
       }},
      {"valve",
       ProcessPage::kValve,
       0,
       {{InputPair::kPx, "1000", "95"}, {}},
       {"100", ""},
       [](StateEvaluator& ev) {
         return Throttle(ev, {InputPair::kPx, 1000, 95}, 100);
       }},
      {"throttling calorimeter",
       ProcessPage::kValve,
       1,
       {{}, {InputPair::kTP, "393.15", "100"}},
       {"", "1000"},
       [](StateEvaluator& ev) {
         return ThrottlingCalorimeter(ev, {InputPair::kTP, 393.15, 100}, 1000);
       }},
  };
}

std::vector<PageCase> StreamCases() {
  return {
      {"three streams mixed",
       ProcessPage::kMixing,
       1,
       {{InputPair::kTP, "573.15", "1000"},
        {InputPair::kTP, "373.15", "1000"},
        {InputPair::kPx, "1000", "50"},
        {}},
       {"5", "2", "1", "", "1000"},
       [](StateEvaluator& ev) {
         const StreamInput streams[] = {{{InputPair::kTP, 573.15, 1000}, 5},
                                        {{InputPair::kTP, 373.15, 1000}, 2},
                                        {{InputPair::kPx, 1000, 50}, 1}};
         return Mix(ev, streams, 1000);
       }},
      {"desuperheater to a temperature",
       ProcessPage::kDesuperheater,
       0,
       {{InputPair::kTP, "723.15", "4000"}, {InputPair::kTP, "393.15", "5000"}},
       {"20", "623.15", ""},
       [](StateEvaluator& ev) {
         DesuperheatInput in{
             {{InputPair::kTP, 723.15, 4000}, 20}, {InputPair::kTP, 393.15, 5000}, 623.15, {}};
         return Desuperheat(ev, in);
       }},
      {"desuperheater to an enthalpy",
       ProcessPage::kDesuperheater,
       1,
       {{InputPair::kTP, "723.15", "4000"}, {InputPair::kTP, "393.15", "5000"}},
       {"20", "", "3000"},
       [](StateEvaluator& ev) {
         DesuperheatInput in{
             {{InputPair::kTP, 723.15, 4000}, 20}, {InputPair::kTP, 393.15, 5000}, {}, 3000.0};
         return Desuperheat(ev, in);
       }},
      {"flash tank",
       ProcessPage::kFlash,
       0,
       {{InputPair::kTP, "453.15", "2000"}},
       {"10", "200"},
       [](StateEvaluator& ev) {
         return Flash(ev, {{InputPair::kTP, 453.15, 2000}, 10}, 200);
       }},
  };
}

std::vector<PageCase> HeatAndCycleCases() {
  return {
      {"heater between two states",
       ProcessPage::kHeater,
       0,
       {{InputPair::kTP, "303.15", "1000"}, {InputPair::kTP, "453.15", "1000"}},
       {"", "", "2"},
       [](StateEvaluator& ev) {
         return Heat(ev, {InputPair::kTP, 303.15, 1000}, {InputPair::kTP, 453.15, 1000}, 2.0);
       }},
      {"cooler by its heat",
       ProcessPage::kHeater,
       1,
       {{InputPair::kPS, "1000", "7"}, {}},
       {"1000", "-500", ""},
       [](StateEvaluator& ev) {
         return HeatTo(ev, {InputPair::kPS, 1000, 7}, 1000, -500, std::nullopt);
       }},
      {"Rankine cycle with a feedwater heater",
       ProcessPage::kRankine,
       0,
       {},
       {"8000", "753.15", "10", "85", "80", "", "", "500", "100000"},
       [](StateEvaluator& ev) {
         RankineInput in;
         in.boilerPressure = 8000;
         in.turbineInletTemperature = 753.15;
         in.condenserPressure = 10;
         in.turbineEfficiency = 85;
         in.pumpEfficiency = 80;
         in.feedwaterHeaterPressure = 500;
         in.netPower = 100000;
         return Rankine(ev, in);
       }},
      {"ideal Rankine cycle from saturated vapour with reheat",
       ProcessPage::kRankine,
       0,
       {},
       {"8000", "", "10", "100", "100", "1000", "673.15", "", ""},
       [](StateEvaluator& ev) {
         RankineInput in;
         in.boilerPressure = 8000;
         in.condenserPressure = 10;
         in.reheatPressure = 1000;
         in.reheatTemperature = 673.15;
         return Rankine(ev, in);
       }},
  };
}

const std::vector<PageCase>& SiCases() {
  static const std::vector<PageCase> cases = [] {
    std::vector<PageCase> all = MachineCases();
    for (std::vector<PageCase> more : {StreamCases(), HeatAndCycleCases()})
      for (PageCase& c : more) all.push_back(std::move(c));
    return all;
  }();
  return cases;
}

// The grids hold the result of the direct call, each number as the report shows it.
void ExpectShown(const ProcessForm& form, const ProcessResult& expected, const ReportUnits& units,
                 bool full) {
  ASSERT_EQ(form.StateGrid.RowCount(), static_cast<int>(expected.states.size()) + 1);
  ASSERT_EQ(form.FigureGrid.RowCount(), static_cast<int>(expected.figures.size()) + 1);
  const PairName columns[] = {PairName::kT, PairName::kP, PairName::kH, PairName::kS, PairName::kX};
  for (std::size_t i = 0; i < expected.states.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    EXPECT_EQ(form.StateGrid.Cell(0, row), ShownName(expected.states[i].name));
    for (int c = 0; c < 5; ++c) {
      const std::optional<ReportValue> v = StateValueShown(expected.states[i].state, columns[c], units);
      EXPECT_EQ(form.StateGrid.Cell(c + 1, row), v ? ShownNumber(v->value, units, full) : "")
          << expected.states[i].name << " column " << c;
    }
  }
  for (std::size_t i = 0; i < expected.figures.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const ReportValue v = FigureShown(expected.figures[i], units);
    EXPECT_EQ(form.FigureGrid.Cell(0, row), ShownName(expected.figures[i].name));
    EXPECT_EQ(form.FigureGrid.Cell(1, row), ShownNumber(v.value, units, full)) << expected.figures[i].name;
    EXPECT_EQ(form.FigureGrid.Cell(2, row), v.unit);
  }
}

void ExpectSameResult(const ProcessResult& got, const ProcessResult& expected) {
  ASSERT_EQ(got.states.size(), expected.states.size());
  for (std::size_t i = 0; i < got.states.size(); ++i) {
    EXPECT_EQ(got.states[i].name, expected.states[i].name);
    EXPECT_EQ(got.states[i].state.h, expected.states[i].state.h) << got.states[i].name;
    EXPECT_EQ(got.states[i].state.P, expected.states[i].state.P) << got.states[i].name;
  }
  ASSERT_EQ(got.figures.size(), expected.figures.size());
  for (std::size_t i = 0; i < got.figures.size(); ++i) {
    EXPECT_EQ(got.figures[i].name, expected.figures[i].name);
    EXPECT_EQ(got.figures[i].value, expected.figures[i].value) << got.figures[i].name;
  }
}

TEST(ProcessFormTest, EveryPageComputesWhatItsFunctionGives) {
  for (const PageCase& c : SiCases()) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.Fill(c);
    f.form.ComputeClick();
    StateEvaluator ev(IapwsCorrelations());
    const ProcessOutcome expected = c.direct(ev);
    ASSERT_TRUE(expected.result.has_value()) << expected.error;  // the case is a valid process
    ASSERT_TRUE(f.form.Page().result.has_value()) << f.form.Message.caption;
    ExpectSameResult(*f.form.Page().result, *expected.result);
    ExpectShown(f.form, *expected.result, f.form.Units(), false);
    EXPECT_FALSE(f.form.MessageIsError);
    EXPECT_TRUE(f.form.Copy.enabled);
  }
}

TEST(ProcessFormTest, FieldsAreReadInTheUnitsInUseAndTheFlowUnitChosen) {
  Fixture f;
  f.session.units.InitUnits(PresetSelection(UnitPreset::kEuropean));
  f.form.FollowSession();
  f.form.SelectFlowUnit(2);  // t/h
  ASSERT_EQ(f.form.FlowUnitBox.items[2], "t/h");
  f.Fill({"", ProcessPage::kTurbine, 0, {{InputPair::kTP, "500", "50"}}, {"0.1", "85", "36"}, {}});
  const ProcessPageForm& page = f.form.Page();
  EXPECT_EQ(page.values[0].caption.caption,
            "Outlet pressure (" + std::string(f.session.units.UnitText(kPressure)) + ")");
  EXPECT_EQ(page.values[2].caption.caption, "Mass flow (t/h; optional: gives the power)");
  f.form.ComputeClick();
  ASSERT_TRUE(page.result.has_value()) << f.form.Message.caption;

  auto internal = [&](Quantity q, double typed) {
    return static_cast<double>(UnitConversion(f.session.units, f.session.Set(), q).ToInternal(typed));
  };
  StateEvaluator ev(IapwsCorrelations());
  const ProcessOutcome expected =
      Expand(ev, {Machine::kTurbine,
                  {InputPair::kTP, internal(kTemperature, 500), internal(kPressure, 50)},
                  internal(kPressure, 0.1),
                  85,
                  FlowToInternal(36, FlowUnit::kTonnePerH)});
  ASSERT_TRUE(expected.result.has_value()) << expected.error;
  ExpectSameResult(*page.result, *expected.result);
  ExpectShown(f.form, *expected.result, f.form.Units(), false);

  // Back to SI: the same result shown in kelvin, the fields as typed.
  f.session.units.InitUnits(PresetSelection(UnitPreset::kSI));
  f.form.FollowSession();
  EXPECT_EQ(f.form.StateGrid.Cell(1, 0), "T (" + std::string(f.session.units.UnitText(kTemperature)) + ")");
  ExpectShown(f.form, *expected.result, f.form.Units(), false);
  EXPECT_EQ(page.states[0].first.text, "500");
}

TEST(ProcessFormTest, ANewStandardComputesThePageAgain) {
  Fixture f;
  f.Fill(SiCases()[0]);
  f.form.ComputeClick();
  f.session.UseCorrelationSet(BuiltInCorrelations());
  f.form.FollowSession();
  StateEvaluator ev(BuiltInCorrelations());
  const ProcessOutcome expected =
      Expand(ev, {Machine::kTurbine,
                  {InputPair::kTP, *BuiltInCorrelations().Storage().ReadTyped("773.15"), 5000},
                  10,
                  85,
                  10.0});
  ASSERT_TRUE(expected.result.has_value()) << expected.error;
  ASSERT_TRUE(f.form.Page().result.has_value());
  ExpectSameResult(*f.form.Page().result, *expected.result);
  EXPECT_NE(f.form.Message.caption.find(BuiltInCorrelations().Name()), std::string::npos);
  // Every stored digit of a figure (a Real6 in this standard) as the copy has it.
  f.form.FullPrecisionClick(true);
  f.form.CopyClick();
  EXPECT_NE(f.platform.clipboard.find("\t" + f.form.FigureGrid.Cell(1, 1) + "\t"), std::string::npos)
      << f.platform.clipboard;
}

TEST(ProcessFormTest, BadInputShowsItsMessageAndNoNumber) {
  struct Case {
    PageCase typed;
    std::string message;  // empty: the process function's own message
  };
  const std::vector<Case> cases = {
      {{"outlet pressure left out",
        ProcessPage::kTurbine,
        0,
        {{InputPair::kTP, "773.15", "5000"}},
        {"", "85", ""},
        {}},
       "Please enter the outlet pressure."},
      {{"half a state", ProcessPage::kTurbine, 0, {{InputPair::kTP, "773.15", ""}}, {"10", "85", ""}, {}},
       "Please enter both temperature and pressure of the inlet."},
      {{"not a number", ProcessPage::kFlash, 0, {{InputPair::kPH, "1000", "1,5"}}, {"1", "100"}, {}},
       "Enthalpy of the inlet is not a number: 1,5"},
      {{"a flow not a number",
        ProcessPage::kMixing,
        0,
        {{InputPair::kTP, "373", "100"}, {InputPair::kTP, "400", "100"}, {}, {}},
        {"1", "nan", "", "", "100"},
        {}},
       "Flow of stream 2 is not a number: nan"},
      {{"efficiency above 100 %",
        ProcessPage::kTurbine,
        0,
        {{InputPair::kTP, "773.15", "5000"}},
        {"10", "150", ""},
        [](StateEvaluator& ev) {
          return Expand(ev, {Machine::kTurbine, {InputPair::kTP, 773.15, 5000}, 10, 150, std::nullopt});
        }},
       ""},
      {{"condenser above the boiler",
        ProcessPage::kRankine,
        0,
        {},
        {"10", "", "8000", "85", "80", "", "", "", ""},
        [](StateEvaluator& ev) {
          RankineInput in;
          in.boilerPressure = 10;
          in.condenserPressure = 8000;
          in.turbineEfficiency = 85;
          in.pumpEfficiency = 80;
          return Rankine(ev, in);
        }},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.name);
    Fixture f;
    f.Fill(SiCases()[0]);
    f.form.ComputeClick();  // a result first: an error must take it away
    f.Fill(c.typed);
    f.form.ComputeClick();
    std::string message = c.message;
    if (message.empty()) {
      StateEvaluator ev(IapwsCorrelations());
      const ProcessOutcome direct = c.typed.direct(ev);
      ASSERT_FALSE(direct.result.has_value());
      message = direct.error;
    }
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(f.form.Message.caption, message);
    EXPECT_TRUE(f.form.MessageIsError);
    EXPECT_FALSE(f.form.Page().result.has_value());
    EXPECT_EQ(f.form.StateGrid.RowCount(), 1);
    EXPECT_EQ(f.form.FigureGrid.RowCount(), 1);
    EXPECT_FALSE(f.form.Copy.enabled);
    EXPECT_FALSE(f.form.SaveAs.enabled);
  }
}

TEST(ProcessFormTest, ModesAndPairsChooseTheFields) {
  Fixture f;
  f.form.SelectPage(static_cast<int>(ProcessPage::kMixing));
  f.form.SelectMode(0);
  const ProcessPageForm& mixing = f.form.Page();
  EXPECT_TRUE(mixing.states[1].enabled);
  EXPECT_FALSE(mixing.states[2].enabled);
  EXPECT_FALSE(mixing.values[3].value.enabled);
  f.form.SelectMode(2);
  EXPECT_TRUE(mixing.states[3].enabled);
  EXPECT_TRUE(mixing.values[3].value.enabled);

  f.form.SelectPage(static_cast<int>(ProcessPage::kTurbine));
  f.form.WriteStateField(0, false, "773.15");
  f.form.SelectPair(0, f.PairIndex(InputPair::kPH));
  const StateFields& inlet = f.form.Page().states[0];
  EXPECT_EQ(inlet.first.text, "");  // a new pair empties the fields, as in the main window
  EXPECT_EQ(inlet.firstCaption.caption,
            "Pressure (" + std::string(f.session.units.UnitText(kPressure)) + ")");
  EXPECT_EQ(inlet.secondCaption.caption,
            "Enthalpy (" + std::string(f.session.units.UnitText(kEnthalpyQ)) + ")");
  EXPECT_FALSE(f.form.Page().states[1].enabled);  // the measured outlet: the second mode only
  f.form.SelectMode(1);
  EXPECT_TRUE(f.form.Page().states[1].enabled);
  EXPECT_FALSE(f.form.Page().values[0].value.enabled);
}

TEST(ProcessFormTest, FullPrecisionShowsEveryStoredDigit) {
  Fixture f;
  f.Fill(SiCases()[0]);
  f.form.ComputeClick();
  const double h = f.form.Page().result->states[1].state.h;  // the outlet
  const std::string six = f.form.StateGrid.Cell(3, 2);
  EXPECT_EQ(six, GeneralText(h, 6));
  f.form.FullPrecisionClick(true);
  const std::string every = f.form.StateGrid.Cell(3, 2);
  EXPECT_EQ(every, StoredValueText(h, IapwsCorrelations()));
  EXPECT_GT(every.size(), six.size());
  f.form.FullPrecisionClick(false);
  EXPECT_EQ(f.form.StateGrid.Cell(3, 2), six);
  EXPECT_EQ(ShownNumber(std::numeric_limits<double>::quiet_NaN(), f.form.Units(), true), "Out of Range");
}

TEST(ProcessFormTest, CopyAndFilesTakeTheReport) {
  Fixture f;
  f.form.CopyClick();
  EXPECT_EQ(f.platform.clipboardWrites, 0);  // nothing to copy yet
  f.Fill(SiCases()[0]);
  f.form.ComputeClick();
  const ProcessResult& result = *f.form.Page().result;
  f.form.CopyClick();
  ASSERT_EQ(f.platform.clipboardWrites, 1);
  const std::string& copied = f.platform.clipboard;
  std::size_t lines = 0;
  for (std::size_t i = 0; i < copied.size(); ++i)
    if (copied[i] == '\n') {
      ++lines;
      EXPECT_TRUE(i > 0 && copied[i - 1] == '\r') << "a line end without CR at " << i;
    }
  EXPECT_EQ(lines, 1 + result.states.size() + result.figures.size());
  EXPECT_NE(copied.find('\t'), std::string::npos);
  // The digits as the window shows them.
  EXPECT_NE(copied.find(f.form.FigureGrid.Cell(1, 1)), std::string::npos) << copied;

  const ReportUnits units = f.form.Units();
  EXPECT_EQ(f.form.FileText("out.json"), ProcessJson(result, units));
  EXPECT_EQ(f.form.FileText("OUT.JSON"), ProcessJson(result, units));
  EXPECT_EQ(f.form.FileText("out.csv"), ProcessDelimited(result, units, ',', true));
  f.form.SaveDone("/nowhere/out.csv", "No such file or directory");
  EXPECT_TRUE(f.form.MessageIsError);
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0], "Cannot write /nowhere/out.csv: No such file or directory");
}

TEST(ProcessFormTest, HooksReceiveTheResultAndTheStateChosen) {
  Fixture f;
  f.Fill(SiCases()[0]);
  f.form.ComputeClick();
  EXPECT_FALSE(f.form.ShowOnDiagram.enabled);  // no hook: the buttons stay disabled
  EXPECT_FALSE(f.form.AddToStateList.enabled);
  std::vector<ProcessResult> shown;
  std::vector<NamedState> added;
  f.form.SetShowOnDiagram([&](const ProcessResult& r) { shown.push_back(r); });
  f.form.SetAddToStateList([&](const NamedState& s) { added.push_back(s); });
  EXPECT_TRUE(f.form.ShowOnDiagram.enabled);
  EXPECT_FALSE(f.form.AddToStateList.enabled);  // no state chosen yet
  f.form.ShowOnDiagramClick();
  ASSERT_EQ(shown.size(), 1u);
  ExpectSameResult(shown[0], *f.form.Page().result);
  f.form.SelectStateRow(1);
  EXPECT_TRUE(f.form.AddToStateList.enabled);
  f.form.AddToStateListClick();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].name, f.form.Page().result->states[1].name);
  EXPECT_EQ(added[0].state.h, f.form.Page().result->states[1].state.h);
  // Another page has no result: nothing to show.
  f.form.SelectPage(static_cast<int>(ProcessPage::kFlash));
  EXPECT_FALSE(f.form.ShowOnDiagram.enabled);
  f.form.ShowOnDiagramClick();
  EXPECT_EQ(shown.size(), 1u);
}

// Every state of a cycle with a feedwater heater and of a flash tank (liquid, wet, saturated,
// superheated) comes back from the pair handed to the state list.
TEST(ProcessFormTest, StateInputGivesTheStateBack) {
  for (std::size_t index : {std::size_t{8}, std::size_t{11}}) {  // the flash tank, the cycle
    const PageCase& c = SiCases()[index];
    SCOPED_TRACE(c.name);
    StateEvaluator ev(IapwsCorrelations());
    const ProcessOutcome outcome = c.direct(ev);
    ASSERT_TRUE(outcome.result.has_value()) << outcome.error;
    for (const NamedState& named : outcome.result->states) {
      const StateInput input = StateInputOf(named.state);
      EXPECT_EQ(input.pair, named.state.x ? InputPair::kPx : InputPair::kPH) << named.name;
      const Evaluation back = ev.Evaluate(input);
      ASSERT_TRUE(back.state.has_value()) << named.name << ": " << back.error;
      EXPECT_EQ(back.state->P, named.state.P) << named.name;
      EXPECT_NEAR(back.state->T, named.state.T, 1e-7 * named.state.T) << named.name;
      EXPECT_EQ(back.state->quality.has_value(), named.state.x.has_value()) << named.name;
    }
  }
}

}  // namespace
}  // namespace tulo
