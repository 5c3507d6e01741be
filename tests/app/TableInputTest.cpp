// Range tables against the window: every row holds what the window shows when its temperature
// and pressure are typed, in both standards and several units; and what the user types for a
// table is checked with clear messages.

#include <gtest/gtest.h>

#include "app/MainFormTestSupport.h"
#include "app/TableInput.h"
#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/RangeTable.h"
#include "units/Presets.h"

namespace tulo {
namespace {

using testing::FormFixture;

struct InputCase {
  const char* standard;  // "builtin" or "iapws"
  UnitPreset units;
  TableKind kind;
  const char *from, *to, *step, *rows, *at;
  const char* error;  // empty: the input is good
};

TableCheck Check(const InputCase& c, const std::vector<Item>& items = {}) {
  Session s(std::string(c.standard) == "iapws" ? IapwsCorrelations() : BuiltInCorrelations());
  s.units.InitUnits(PresetSelection(c.units));
  return CheckTableInput(s, {c.kind, c.from, c.to, c.step, c.rows, c.at, items});
}

constexpr TableKind kSatT = TableKind::kSaturationByTemperature;
constexpr TableKind kSatP = TableKind::kSaturationByPressure;
constexpr TableKind kIsobar = TableKind::kIsobar;
constexpr TableKind kIsotherm = TableKind::kIsotherm;
constexpr UnitPreset kSI = UnitPreset::kSI;
constexpr UnitPreset kEuropean = UnitPreset::kEuropean;

TEST(TableInput, Messages) {
  const InputCase cases[] = {
      {"builtin", kSI, kSatT, "300", "400", "10", "", "", ""},
      {"builtin", kSI, kSatT, "", "400", "10", "", "", "Please enter From and To."},
      {"builtin", kSI, kSatT, "300", "400", "", "", "", "Please enter either a Step or a number of Rows."},
      {"builtin", kSI, kSatT, "300", "400", "10", "5", "",
       "Please enter either a Step or a number of Rows, not both."},
      {"builtin", kSI, kIsobar, "300", "400", "10", "", "", "Please enter the pressure of the isobar (At)."},
      {"builtin", kSI, kIsotherm, "100", "400", "10", "", "",
       "Please enter the temperature of the isotherm (At)."},
      {"builtin", kSI, kSatP, "100", "400", "10", "", "300", "At is only for an isobar or an isotherm."},
      {"builtin", kSI, kSatT, "abc", "400", "10", "", "", "From is not a number: abc"},
      {"builtin", kSI, kSatT, "300", "1e999", "10", "", "", "To is out of range: 1e999"},
      {"builtin", kSI, kSatT, "300", "400", "1,5", "", "", "Step is not a number: 1,5"},
      {"builtin", kSI, kIsobar, "300", "400", "10", "", "inf", "At is not a number: inf"},
      // From above To, steps of zero and of the wrong sign.
      {"builtin", kSI, kSatT, "400", "300", "10", "", "", "From must not be above To."},
      {"builtin", kSI, kSatT, "300", "400", "0", "", "", "The Step must not be zero."},
      {"builtin", kSI, kSatT, "300", "400", "-10", "", "",
       "The Step must be positive: the table runs from From up to To."},
      // Ranges outside the input limits, with the window's own messages.
      {"builtin", kSI, kIsobar, "100", "400", "10", "", "101.325",
       "Temperature must be between 166 and 1273.15 Kelvin"},
      {"builtin", kEuropean, kIsobar, "20", "1500", "10", "", "1",
       "Temperature must be between -107.15 and 1000 Celsius"},
      {"builtin", kSI, kIsobar, "300", "400", "10", "", "200000",
       "Pressure must be between 3.41e-7 and 100000 kPa abs"},
      {"builtin", kSI, kSatT, "300", "700", "10", "", "",
       "For saturation the temperature must be less than 647.29 Kelvin"},
      {"builtin", kEuropean, kSatT, "0", "380", "10", "", "",
       "For saturation the temperature must be less than 374.14 Celsius"},
      {"iapws", kSI, kSatP, "1", "30000", "", "10", "",
       "For saturation the pressure must be less than 22064 kPa abs"},
      {"iapws", kSI, kIsobar, "300", "3000", "", "10", "100",
       "Temperature must be between 50 and 2273.15 Kelvin"},
      // More than a million rows, or no whole number of them.
      {"builtin", kSI, kIsobar, "300", "1000", "0.0001", "", "100",
       "The Step gives too many rows: a table has at most 1 000 000."},
      // A step below what the program's reals hold reads as 0 but is no zero step.
      {"builtin", kSI, kIsobar, "300", "1000", "1e-300", "", "100",
       "The Step gives too many rows: a table has at most 1 000 000."},
      {"builtin", kSI, kIsobar, "300", "1000", "-1e-300", "", "100",
       "The Step must be positive: the table runs from From up to To."},
      {"builtin", kSI, kIsobar, "300", "1000", "0.0e-300", "", "100", "The Step must not be zero."},
      {"builtin", kSI, kIsobar, "300", "300", "1e-300", "", "100", ""},
      {"builtin", kSI, kIsobar, "300", "1000", "", "1000001", "100", "A table has at most 1 000 000 rows."},
      {"builtin", kSI, kIsobar, "300", "1000", "", "1000000", "100", ""},
      {"builtin", kSI, kIsobar, "300", "1000", "", "2.5", "100", "Rows must be a whole number, at least 1."},
      {"builtin", kSI, kIsobar, "300", "1000", "", "0", "100", "Rows must be a whole number, at least 1."},
      {"builtin", kSI, kIsobar, "300", "1000", "", "1", "100",
       "One row needs From equal to To; a range needs at least 2 rows."},
      {"builtin", kSI, kIsobar, "300", "300", "", "1", "100", ""},
      {"builtin", kSI, kIsobar, "300", "300", "0", "", "100", "The Step must not be zero."},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " " << c.to << " " << c.step << " " << c.rows << " "
                                    << c.at);
    const TableCheck check = Check(c);
    EXPECT_EQ(check.error, c.error);
    EXPECT_EQ(check.request.has_value(), std::string(c.error).empty());
  }
}

TEST(TableInput, Items) {
  const InputCase good = {"builtin", kSI, kIsobar, "300", "400", "10", "", "100", ""};
  const TableCheck defaults = Check(good);
  ASSERT_TRUE(defaults.request);
  EXPECT_EQ(defaults.request->items, DefaultTableItems(BuiltInCorrelations(), kIsobar));
  const TableCheck twice = Check(good, {Item::kDensity, Item::kEnthalpy, Item::kDensity});
  ASSERT_TRUE(twice.request);
  EXPECT_EQ(twice.request->items, (std::vector<Item>{Item::kDensity, Item::kEnthalpy}));
  // The built-in correlations have no speed of sound; the IAPWS standard has.
  EXPECT_EQ(Check(good, {Item::kSpeedOfSound}).error,
            "Speed of Sound is not given by the Built-in correlations.");
  InputCase iapws = good;
  iapws.standard = "iapws";
  EXPECT_TRUE(Check(iapws, {Item::kSpeedOfSound}).request);
  EXPECT_EQ(Check(good, {Item::kCriticalTemperature}).error,
            "Critical Temperature is not given by the Built-in correlations.");
}

// ---- Rows against the window ----

const CorrelationSet& SetNamed(const std::string& name) {
  return name == "iapws" ? IapwsCorrelations() : BuiltInCorrelations();
}

struct WindowCase {
  const char* standard;
  UnitPreset units;
  TableKind kind;
  const char *from, *to, *step, *at;
};

// Types the row's temperature and pressure into a fresh window (the varied one, and the fixed one
// of an isobar or isotherm, as the table writes them) and compares the window with the row. The
// rows are Real6 values: a standard that reads a typed number to the nearest double is typed every
// digit of the row's value, so that the window computes the same state.
void ExpectRowAsWindow(const WindowCase& c, const RangeTable& table, std::int64_t row, int& compared) {
  FormFixture f;
  f.form.SelectCorrelationSet(SetNamed(c.standard));
  f.UseUnits(PresetSelection(c.units));
  const auto typed = [&](int col) {
    const double x = table.Cell(row, col).value;
    return SetNamed(c.standard).Storage().RoundsToReal6() ? table.CellText(row, col)
                                                : StoredValueText(x, SetNamed(c.standard));
  };
  const std::string t = typed(0), p = typed(1);
  switch (c.kind) {
    case kSatT:
      f.Type(t, "");
      break;
    case kSatP:
      f.Type("", p);
      break;
    case kIsobar:
    case kIsotherm:
      f.Type(t, p);
      break;
  }
  SCOPED_TRACE(::testing::Message() << "row " << row << ": T " << t << ", P " << p);
  ASSERT_EQ(f.form.FormError.caption, "");
  Session& s = f.form.session();
  const int conditionColumn = table.ColumnCount() - 1;
  ASSERT_EQ(table.CellText(row, conditionColumn), f.form.ConditionText.caption);
  ASSERT_EQ(table.RowCondition(row), s.state.Condition);
  // The quantity the window derives on the saturation line.
  if (IsSaturationTable(c.kind)) {
    const Quantity derived = c.kind == kSatT ? kPressure : kTemperature;
    EXPECT_EQ(table.Cell(row, derived == kTemperature ? 0 : 1).value,
              derived == kPressure ? s.state.PresDisplay : s.state.TempDisplay);
  }
  const StringGrid& grid = f.form.VarPropGrid;
  for (int col = 2; col < conditionColumn; ++col) {
    const TableColumn& column = table.Columns()[col];
    int gridColumn = 2;
    if (column.kind == ColumnKind::kVapour ||
        (column.kind == ColumnKind::kValue && IsSaturated(s.state.Condition)))
      gridColumn = 3;
    const std::string shown = FormFixture::Cell(grid, PropName(column.item), gridColumn);
    if (shown == "<no row>") continue;  // the grid does not list the item in this condition
    EXPECT_EQ(table.CellText(row, col), shown) << PropName(column.item) << " column " << gridColumn;
    ++compared;
  }
}

TEST(TableInput, RowsAreWhatTheWindowShows) {
  const WindowCase cases[] = {
      // Both saturation lines: the sublimation line below the triple point, then up to near the
      // critical point.
      {"builtin", kSI, kSatT, "200", "640", "20", ""},
      {"iapws", kSI, kSatT, "200", "640", "20", ""},
      {"builtin", kEuropean, kSatP, "0.01", "200", "", ""},
      {"iapws", UnitPreset::kImperial, kSatP, "1", "3000", "", ""},
      // Through ice, water, the boiling point itself and steam.
      {"builtin", kEuropean, kIsobar, "-40", "600", "20", "1"},
      {"iapws", kEuropean, kIsobar, "-40", "600", "20", "1"},
      {"iapws", UnitPreset::kCustomary, kIsobar, "100", "1500", "100", "3000"},
      {"builtin", kSI, kIsotherm, "1", "60000", "", "500"},
      {"iapws", kSI, kIsotherm, "0.5", "100000", "", "273.16"},
      {"iapws", UnitPreset::kImperial, kIsotherm, "0.1", "14000", "", "800"},
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.standard << " " << TableKindName(c.kind) << " " << c.from << " to "
                                    << c.to);
    Session s(SetNamed(c.standard));
    s.units.InitUnits(PresetSelection(c.units));
    TableInput input{c.kind, c.from, c.to, c.step, std::string(c.step).empty() ? "12" : "", c.at, {}};
    const TableCheck check = CheckTableInput(s, input);
    ASSERT_TRUE(check.request) << check.error;
    const auto table = ComputeRangeTable(*check.request, s.Set(), s.units.GetUnitSelection());
    ASSERT_TRUE(table);
    int compared = 0;
    for (std::int64_t row = 0; row < table->RowCount(); ++row) ExpectRowAsWindow(c, *table, row, compared);
    EXPECT_GT(compared, 5 * table->RowCount());
  }
}

}  // namespace
}  // namespace tulo
