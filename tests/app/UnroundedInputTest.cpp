// In the IAPWS standard a typed number reaches the result as the double nearest its text: the
// steam quality, the range table's From and At, the steam search's fixed value and what it
// writes back, and the fields the units dialog rewrites. The built-in standard keeps its Real6.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/MainFormTestSupport.h"
#include "app/TableInput.h"
#include "common/Real6.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "results/RangeTable.h"
#include "units/Presets.h"

namespace tulo {
namespace {

using testing::FormFixture;

// The saturated values of an item at the state shown, mixed by mass at quality percent, as a
// double: what the wet-steam column holds for that quality.
double LeverRule(Session& s, Item item, double quality) {
  CalculatorTable& calcs = s.Calculators();
  const double x = quality / 100.0;
  const auto value = [&](Phase phase) {
    return static_cast<double>(calcs.Compute(item, phase, s.state.TempK, s.state.PresKPa).value);
  };
  return x * value(Phase::kSatVapour) + (1.0 - x) * value(Phase::kSatLiquid);
}

double WetValue(Session& s, Item item) {
  return static_cast<double>(s.Calculators().Compute(item, Phase::kWetSteam, s.state.TempK, s.state.PresKPa).value);
}

struct FormCase {
  const char* name;
  const CorrelationSet* set;
};

TEST(UnroundedInput, WetSteamUsesTheTypedQuality) {
  constexpr double kTyped = 33.3333333333;
  const FormCase cases[] = {{"iapws", &IapwsCorrelations()}, {"built-in", &BuiltInCorrelations()}};
  for (const FormCase& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture f;
    f.form.SelectCorrelationSet(*c.set);
    f.Type("373.15", "");
    f.form.WriteField(Field::kWetSteam, "33.3333333333");
    Session& s = f.form.session();
    const double kept = c.set->Storage().RoundsToReal6() ? static_cast<double>(R6(kTyped)) : kTyped;
    EXPECT_EQ(s.steamQuality, kept);
    if (!c.set->Storage().RoundsToReal6()) {
      EXPECT_EQ(WetValue(s, Item::kEnthalpy), LeverRule(s, Item::kEnthalpy, kTyped));
    }
  }
}

// The first row of a table and its fixed value are the numbers typed, as the standard reads them.
TEST(UnroundedInput, TableRowsAreTheTypedValues) {
  struct Case {
    const CorrelationSet* set;
    TableKind kind;
    const char* from;
    const char* at;
    int column;     // 0 the temperature, 1 the pressure
    double shown;   // the typed value of that column in the first row
  };
  const double from = 300.123456789, at = 101.325000001;
  const Case cases[] = {
      {&IapwsCorrelations(), TableKind::kSaturationByTemperature, "300.123456789", "", 0, from},
      {&IapwsCorrelations(), TableKind::kIsobar, "300.123456789", "101.325000001", 0, from},
      {&IapwsCorrelations(), TableKind::kIsobar, "300.123456789", "101.325000001", 1, at},
      {&BuiltInCorrelations(), TableKind::kSaturationByTemperature, "300.123456789", "", 0,
       static_cast<double>(R6(from))},
      {&BuiltInCorrelations(), TableKind::kIsobar, "300.123456789", "101.325000001", 1,
       static_cast<double>(R6(at))},
  };
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.set->Name() << " " << TableKindName(c.kind) << " column " << c.column);
    Session s(*c.set);
    s.units.InitUnits(si);
    const TableCheck check = CheckTableInput(s, {c.kind, c.from, "400", "", "3", c.at, {}});
    ASSERT_TRUE(check.request) << check.error;
    const auto table = ComputeRangeTable(*check.request, *c.set, si);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Cell(0, c.column).value, c.shown);
    if (!c.set->Storage().RoundsToReal6()) {
      EXPECT_EQ(table->NumberText(0, c.column), c.column == 0 ? c.from : c.at);
    }
  }
}

// A search in the IAPWS standard writes back its fixed value and the quality found with every
// digit: the state shown is at the fixed value typed and has the enthalpy searched for.
TEST(UnroundedInput, SearchWritesBackTheStateFound) {
  constexpr double kTarget = 2000.123456789, kFixed = 373.123456789;
  FormFixture f;
  f.form.SelectCorrelationSet(IapwsCorrelations());
  f.Type("373.15", "");
  f.form.SelectSearchItem(0);       // enthalpy
  f.form.SelectTempOrPressItem(0);  // temperature held
  f.form.WriteField(Field::kSearchBox, "2000.123456789");
  f.form.WriteField(Field::kTempOrPressBox, "373.123456789");
  ASSERT_EQ(f.form.GoSearchClick(), SearchOutcome::kFound);
  Session& s = f.form.session();
  ASSERT_EQ(s.state.Condition, Condition::kSatLiquidVapour);
  EXPECT_EQ(s.state.TempK, kFixed);
  EXPECT_NEAR(WetValue(s, Item::kEnthalpy), kTarget, 1e-9);
}

// Changing units rewrites the typed fields in the new units; in the IAPWS standard the state
// stays the one typed, not one rounded to the field notation's digits.
TEST(UnroundedInput, UnitsChangeKeepsTheTypedState) {
  struct Case {
    UnitPreset preset;
    const char* name;
  };
  const Case cases[] = {{UnitPreset::kEuropean, "European"}, {UnitPreset::kImperial, "Imperial"}};
  constexpr double kT = 300.123456789, kP = 101.325000001;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture f;
    f.form.SelectCorrelationSet(IapwsCorrelations());
    f.Type("300.123456789", "101.325000001");
    f.UseUnits(PresetSelection(c.preset));
    const CalcState& st = f.form.session().state;
    EXPECT_NEAR(st.TempK, kT, 1e-12 * kT);
    EXPECT_NEAR(st.PresKPa, kP, 1e-12 * kP);
  }
}

}  // namespace
}  // namespace tulo
