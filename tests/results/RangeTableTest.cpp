// Range tables: the rows of a range, the default columns, the same rows on any number of
// threads and in any blocks, cancelling, and rows out of a correlation's range.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

#include "common/NumberReader.h"
#include "common/Real6.h"
#include "props/BuiltInSet.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"
#include "results/PhaseCondition.h"
#include "results/Session.h"
#include "results/RangeTable.h"
#include "units/Presets.h"

namespace tulo {
namespace {

double Typed(double x) {
  return static_cast<double>(R6(x));
}

TEST(RangeTable, RowsOfARange) {
  struct Case {
    double from, to, step;
    std::int64_t rows;           // 0: too many
    std::vector<double> values;  // the first, then the last ones, as many as given
  };
  const Case cases[] = {
      {0, 100, 10, 11, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
      // A step that does not divide the range: the last row is `to` all the same.
      {0, 100, 30, 5, {0, 30, 60, 90, 100}},
      // 0.1 is no binary fraction: ten steps still end on `to`, with no extra row before it.
      {0, 1, 0.1, 11, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}},
      {-20, 200, 20, 12, {-20, 0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200}},
      // A step just short of a third: the rest before `to` is below a millionth of a step.
      {0, 100, 33.3333333, 4, {0, 33.3333333, 66.6666666, 100}},
      // A step a little too long for two rows to fit before `to`.
      {0, 100, 50.001, 3, {0, 50.001, 100}},
      {5, 5, 1, 1, {5}},
      {0, 999999, 1, 1000000, {0, 1, 2}},
      {0, 1000000, 1, 0, {}},
      {0, 1, 1e-300, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " to " << c.to << " step " << c.step);
    const std::optional<TableRange> range = RangeByStep(c.from, c.to, c.step);
    if (c.rows == 0) {
      EXPECT_FALSE(range.has_value());
      continue;
    }
    ASSERT_TRUE(range.has_value());
    ASSERT_EQ(range->rows, c.rows);
    for (std::size_t i = 0; i < c.values.size(); ++i) EXPECT_EQ(range->Value(i, BuiltInCorrelations()), Typed(c.values[i])) << i;
    EXPECT_EQ(range->Value(range->rows - 1, BuiltInCorrelations()), Typed(c.to));
    for (std::int64_t i = 1; i < std::min<std::int64_t>(range->rows, 1000); ++i)
      EXPECT_LT(range->Value(i - 1, BuiltInCorrelations()), range->Value(i, BuiltInCorrelations())) << i;
  }
}

TEST(RangeTable, RowsByCount) {
  struct Case {
    double from, to;
    std::int64_t rows;
    std::vector<double> values;
  };
  const Case cases[] = {
      {0, 100, 5, {0, 25, 50, 75, 100}},
      {1, 2, 2, {1, 2}},
      {300, 300, 7, {300}},
      {0, 1, 4, {0, 1.0 / 3.0, 2.0 / 3.0, 1}},
  };
  for (const Case& c : cases) {
    const TableRange range = RangeByRows(c.from, c.to, c.rows);
    ASSERT_EQ(range.rows, static_cast<std::int64_t>(c.values.size()));
    for (std::size_t i = 0; i < c.values.size(); ++i) EXPECT_EQ(range.Value(i, BuiltInCorrelations()), Typed(c.values[i]));
  }
}

// What a data format writes of a value is what the number reader reads back as that value.
TEST(RangeTable, ShortestTextReadsBack) {
  struct Case {
    double x;
    const char* text;  // nullptr: only the read-back is checked
  };
  const Case cases[] = {
      {0.1, "0.1"},
      {100, "100"},
      {-20.5, "-20.5"},
      {101.325, "101.325"},
      {1e-05, "1e-05"},
      {0, "0"},
      {1.0 / 3.0, nullptr},
      {2675.571343724, nullptr},
      {6.02e23, nullptr},
      {-1.1754943e-30, nullptr},
      {16.666666666666668, nullptr},
  };
  for (const Case& c : cases) {
    const double stored = Typed(c.x);
    const std::string text = ShortestText(stored);
    if (c.text != nullptr) {
      EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(ReadNumber(text), stored) << text;
    EXPECT_LE(text.size(), 20u) << text;
  }
}

// Values of every magnitude, many of them close to the middle between two Real6 values.
TEST(RangeTable, ShortestTextReadsBackEveryValue) {
  std::mt19937_64 random(12);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12);
  for (int i = 0; i < 20000; ++i) {
    const double x = Typed(mantissa(random) * std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1 : -1));
    const std::string text = ShortestText(x);
    ASSERT_EQ(ReadNumber(text), x) << text;
    // Fourteen significant digits at most: never the seventeen of a double.
    const std::string mantissaText = text.substr(0, text.find('e'));
    EXPECT_LE(std::count_if(mantissaText.begin(), mantissaText.end(), [](char c) { return c >= '0' && c <= '9'; }),
              14 + (mantissaText.find("0.") != std::string::npos ? 1 + 4 : 0))
        << text;
  }
}

TEST(RangeTable, DefaultItemsAreTheGridsRows) {
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    SCOPED_TRACE(set->Name());
    const auto saturated = set->Layout().RowSet(Condition::kSatLiquidVapour, true);
    EXPECT_EQ(DefaultTableItems(*set, TableKind::kSaturationByTemperature),
              std::vector<Item>(saturated.begin(), saturated.end()));
    EXPECT_EQ(DefaultTableItems(*set, TableKind::kSaturationByPressure),
              DefaultTableItems(*set, TableKind::kSaturationByTemperature));
    const std::vector<Item> single = DefaultTableItems(*set, TableKind::kIsobar);
    EXPECT_EQ(single, DefaultTableItems(*set, TableKind::kIsotherm));
    std::set<Item> expected;
    for (Condition c : {Condition::kSubCooledLiquid, Condition::kSuperheated})
      for (Item item : set->Layout().RowSet(c, true)) expected.insert(item);
    EXPECT_EQ(single, std::vector<Item>(expected.begin(), expected.end()));
  }
}

TEST(RangeTable, ColumnsAndHeadings) {
  UnitSettings units;
  units.InitUnits(PresetSelection(UnitPreset::kEuropean));
  const Item items[] = {Item::kEnthalpy, Item::kCompressibilityFactor};
  struct Case {
    TableKind kind;
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {TableKind::kSaturationByPressure,
       {"T", "P", "enthalpy_liquid", "enthalpy_vapour", "compressibility_factor_liquid",
        "compressibility_factor_vapour", "condition"}},
      {TableKind::kIsotherm, {"T", "P", "enthalpy", "compressibility_factor", "condition"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> keys;
    for (const TableColumn& column : TableColumns(c.kind, items))
      keys.push_back(HeadingOf(column, units).key);
    EXPECT_EQ(keys, c.keys);
  }
  const std::vector<TableColumn> columns = TableColumns(TableKind::kSaturationByTemperature, items);
  const ColumnHeading liquid = HeadingOf(columns[2], units);
  EXPECT_EQ(liquid.name, "Enthalpy");
  EXPECT_EQ(liquid.phase, "liquid");
  EXPECT_EQ(liquid.unit, "kcal/kg");
  EXPECT_EQ(HeadingOf(columns[0], units).unit, "Celsius");
  EXPECT_EQ(HeadingOf(columns[5], units).unit, "");  // dimensionless: no "-"
  EXPECT_EQ(HeadingOf(columns.back(), units).name, "Condition");
}

TableRequest IsobarRequest(double from, double to, double step, double at, std::vector<Item> items) {
  return {TableKind::kIsobar, *RangeByStep(from, to, step), at, std::move(items)};
}

void ExpectSameCells(const RangeTable& a, std::int64_t aFirst, const RangeTable& b, std::int64_t rows) {
  ASSERT_EQ(a.ColumnCount(), b.ColumnCount());
  for (std::int64_t r = 0; r < rows; ++r) {
    ASSERT_EQ(a.RowCondition(aFirst + r), b.RowCondition(r)) << r;
    for (int c = 0; c < a.ColumnCount(); ++c) {
      const TableCell x = a.Cell(aFirst + r, c), y = b.Cell(r, c);
      ASSERT_EQ(x.status, y.status) << r << "," << c;
      if (x.status == Status::kValid) {
        ASSERT_EQ(x.value, y.value) << r << "," << c;
      }
    }
  }
}

// Every worker has its own session and the rows come out the same whatever the threads and
// blocks: a kept call of one row never shows in another.
TEST(RangeTable, SameRowsOnAnyThreadsAndInAnyBlocks) {
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    SCOPED_TRACE(set->Name());
    const TableRequest request = IsobarRequest(250, 900, 0.5, 1000, DefaultTableItems(*set, TableKind::kIsobar));
    const auto one = ComputeRangeTable(request, *set, si, TableControl{1, nullptr, {}});
    const auto three = ComputeRangeTable(request, *set, si, TableControl{3, nullptr, {}});
    ASSERT_TRUE(one && three);
    ASSERT_EQ(one->RowCount(), 1301);
    ExpectSameCells(*one, 0, *three, one->RowCount());
    const auto block = ComputeRangeTable(request, *set, si, 700, 301, TableControl{2, nullptr, {}});
    ASSERT_TRUE(block);
    EXPECT_EQ(block->FirstRow(), 700);
    EXPECT_EQ(block->CellText(0, 0), "600");
    ExpectSameCells(*one, 700, *block, 301);
  }
}

TEST(RangeTable, ProgressAndCancel) {
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  const TableRequest request = IsobarRequest(300, 800, 0.05, 500, {Item::kEnthalpy, Item::kDensity});
  std::vector<std::int64_t> reports;
  const auto table = ComputeRangeTable(request, BuiltInCorrelations(), si,
                                       TableControl{2, nullptr, [&](std::int64_t done, std::int64_t total) {
                                                      EXPECT_EQ(total, 10001);
                                                      reports.push_back(done);
                                                    }});
  ASSERT_TRUE(table);
  ASSERT_FALSE(reports.empty());
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_EQ(reports.back(), 10001);

  std::atomic<bool> cancel{false};
  std::int64_t lastDone = 0;
  const auto cancelled = ComputeRangeTable(request, BuiltInCorrelations(), si,
                                           TableControl{2, &cancel, [&](std::int64_t done, std::int64_t) {
                                                          lastDone = done;
                                                          cancel = true;
                                                        }});
  EXPECT_FALSE(cancelled.has_value());
  EXPECT_LT(lastDone, 10001);
  // A flag set before the start computes nothing.
  EXPECT_FALSE(ComputeRangeTable(request, BuiltInCorrelations(), si, TableControl{1, &cancel, {}}).has_value());
}

// Above 50 MPa the IAPWS standard ends at 1073.15 K: those rows show "Out of Range" and the table
// goes on to its last row.
TEST(RangeTable, RowsOutOfRangeNeverEndTheTable) {
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  const TableRequest request = IsobarRequest(900, 1300, 100, 80000, {Item::kEnthalpy, Item::kDensity});
  const auto table = ComputeRangeTable(request, IapwsCorrelations(), si);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->RowCount(), 5);
  for (std::int64_t r = 0; r < 5; ++r) {
    const bool inside = r <= 1;  // 900 and 1000 K
    EXPECT_EQ(table->Cell(r, 2).status, inside ? Status::kValid : Status::kOutOfRange) << r;
    EXPECT_EQ(table->CellText(r, 2) == "Out of Range", !inside) << r;
    EXPECT_TRUE(std::isnan(table->Cell(r, 2).value) != inside) << r;
    EXPECT_EQ(table->CellText(r, 4), "Super Critical");
    EXPECT_EQ(table->CellText(r, 1), "80000");
  }
  EXPECT_EQ(table->CellText(4, 0), "1300");
}

// In the built-in standard an isobar row within 0.1 K of the saturation line shows the saturated
// vapour; in the IAPWS standard such a row is the phase of its side of the line. Below the triple
// point a saturation table's liquid columns hold the saturated solid.
TEST(RangeTable, SaturatedRows) {
  const UnitSelection si = PresetSelection(UnitPreset::kSI);
  const std::vector<Item> items = {Item::kEnthalpy};
  // 373.1 K lies within 0.1 K of the boiling point at 101.325 kPa in both standards, below IF97's
  // 373.124 K; 373.15 K above it.
  const TableRequest isobar = IsobarRequest(373.1, 373.15, 0.05, 101.325, items);
  const struct {
    const CorrelationSet* set;
    Condition first, second;
    bool vapourFirst;
  } cases[] = {
      {&BuiltInCorrelations(), Condition::kSatLiquidVapour, Condition::kSatLiquidVapour, true},
      {&IapwsCorrelations(), Condition::kSubCooledLiquid, Condition::kSuperheated, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set->Name());
    const auto a = ComputeRangeTable(isobar, *c.set, si);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->RowCount(), 2);
    EXPECT_EQ(a->RowCondition(0), c.first);
    EXPECT_EQ(a->RowCondition(1), c.second);
    EXPECT_EQ(a->CellText(0, 3), ConditionName(c.first));
    ASSERT_EQ(a->Cell(0, 2).status, Status::kValid);
    ASSERT_EQ(a->Cell(1, 2).status, Status::kValid);
    // kJ/kg: the vapour's 2676 or the liquid's 419.
    EXPECT_EQ(a->Cell(0, 2).value > 2600.0, c.vapourFirst);
    EXPECT_GT(a->Cell(1, 2).value, 2600.0);
  }
  const TableRequest cold = {TableKind::kSaturationByTemperature, *RangeByStep(250, 260, 10), 0, items};
  const auto c = ComputeRangeTable(cold, BuiltInCorrelations(), si);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->RowCondition(0), Condition::kSatSolidVapour);
  EXPECT_LT(c->Cell(0, 2).value, -300.0);  // the solid's enthalpy, kJ/kg
}

// The IAPWS standard's values keep every digit of the double (in SI, whose units are the
// internal ones), and the data formats write every one of them. (The built-in rows are held
// against the window's cells in the table input tests.)
TEST(RangeTable, IapwsValuesKeepEveryDigit) {
  const TableRequest isobar = IsobarRequest(300, 800, 100, 1000, {Item::kEnthalpy});  // Tsat 453 K
  const auto table = ComputeRangeTable(isobar, IapwsCorrelations(), PresetSelection(UnitPreset::kSI));
  ASSERT_TRUE(table);
  Session s(IapwsCorrelations());
  for (std::int64_t r = 0; r < table->RowCount(); ++r) {
    const double T = 300.0 + 100.0 * static_cast<double>(r);
    const Phase phase = T < 453 ? Phase::kSubCooledLiquid : Phase::kSuperheated;
    const CalcResult expected = s.Calculators().Compute(Item::kEnthalpy, phase, T, 1000.0);
    ASSERT_TRUE(expected.Ok());
    EXPECT_EQ(table->Cell(r, 2).value, static_cast<double>(expected.value)) << T;
    EXPECT_EQ(std::strtod(table->NumberText(r, 2).c_str(), nullptr), static_cast<double>(expected.value)) << T;
  }
}

// Above 623.15 K an IAPWS saturation row holds the densities of Eq. 28 at the very pressure
// that it shows (Eq. 30, or the typed one with Eq. 31's temperature): the reference densities
// are python3-iapws's, as in the IF97 region 4 tests.
TEST(RangeTable, IapwsSaturationRowsAboveRegion1) {
  const struct {
    TableKind kind;
    double typed, T, P, rhoL, rhoV;  // K, kPa, kg/m3
  } rows[] = {
      {TableKind::kSaturationByTemperature, 640, 640, 20265.9421673, 481.612172212, 177.40124275},
      {TableKind::kSaturationByPressure, 20000, 638.895911546, 20000, 490.521350426, 170.698658935},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(TableKindName(row.kind));
    const TableRequest request = {row.kind, *RangeByStep(row.typed, row.typed, 1), 0, {Item::kDensity}};
    const auto table = ComputeRangeTable(request, IapwsCorrelations(), PresetSelection(UnitPreset::kSI));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->RowCount(), 1);
    const double expected[] = {row.T, row.P, row.rhoL, row.rhoV};
    for (int column = 0; column < 4; ++column) {
      ASSERT_EQ(table->Cell(0, column).status, Status::kValid) << column;
      EXPECT_NEAR(table->Cell(0, column).value, expected[column], 1e-9 * expected[column]) << column;
    }
  }
}

}  // namespace
}  // namespace tulo
