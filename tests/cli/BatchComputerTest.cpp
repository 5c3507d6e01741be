// The row computer of tulo-calc batch without a process: the default items and the columns, and
// rows that do not depend on the rows a computer did before.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cli/BatchComputer.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

TEST(BatchComputer, DefaultItemsAreEveryFullRowSetOnceInCatalogueOrder) {
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    SCOPED_TRACE(set->Name());
    const std::vector<Item> items = DefaultBatchItems(*set);
    std::set<Item> expected;
    for (Condition condition : kConditions)
      for (Item item : set->RowSet(condition, true)) expected.insert(item);
    EXPECT_EQ(std::set<Item>(items.begin(), items.end()), expected);
    EXPECT_EQ(items.size(), expected.size());
    const auto order = VariableItems();
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), [&](Item a, Item b) {
      return std::find(order.begin(), order.end(), a) < std::find(order.begin(), order.end(), b);
    }));
  }
}

BatchRequest Request(const CorrelationSet& set, std::vector<Item> items, UnitPreset units = UnitPreset::kSI) {
  return BatchRequest{&set, PresetSelection(units), std::move(items)};
}

batch::BatchRow Row(std::string t, std::string p, std::string quality = "") {
  batch::BatchRow row;
  row.t = std::move(t);
  row.p = std::move(p);
  row.quality = std::move(quality);
  return row;
}

TEST(BatchComputer, ColumnsMatchTheCellsOfEveryKindOfRow) {
  const BatchRequest request = Request(IapwsCorrelations(), {Item::kEnthalpy, Item::kSpeedOfSound, Item::kDensity});
  const std::vector<std::string> plain = BatchColumns(request, false);
  const std::vector<std::string> wet = BatchColumns(request, true);
  EXPECT_EQ(plain.size(), 3u + 9u + 1u);
  // The wet-steam grid has enthalpy and density, not the speed of sound.
  EXPECT_EQ(wet.size(), plain.size() + 2);
  EXPECT_EQ(wet[wet.size() - 3], "enthalpy_wet");
  EXPECT_EQ(wet[wet.size() - 2], "density_wet");
  BatchComputer computer(request);
  batch::BatchResult result;
  computer.Compute(Row("300", "1000"), result);
  EXPECT_EQ(result.cells.size(), plain.size() - 1);
  computer.Compute(Row("373.15", "", "50"), result);
  EXPECT_EQ(result.cells.size(), wet.size() - 1);
  EXPECT_FALSE(result.cells.back().empty());
  // A shorter row after a longer one: the cells of the one before are gone.
  computer.Compute(Row("abc", "1"), result);
  EXPECT_TRUE(result.cells.empty());
  EXPECT_EQ(result.status, "not a number: abc");
}

// A row's cells and status are those a fresh computer gives it, whatever came before: every row
// starts from the state of a window that has typed nothing.
TEST(BatchComputer, RowsDoNotDependOnTheRowsBefore) {
  const std::vector<batch::BatchRow> rows = {
      Row("373.15", "", "10"), Row("", "101.325"),      Row("373.15", "", "90"),
      Row("300", "1000"),      Row("abc", "1000"),      Row("373.15", ""),
      Row("", "1000", "25"),   Row("260", "0.1"),       Row("250", ""),
      Row("700", "25000"),     Row("373.15", "101.3"),  Row("1e39", ""),
      Row("453", "", "100"),   Row("300", "1000", "5"), Row("", ""),
      Row("5000", "1"),
  };
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    for (UnitPreset units : {UnitPreset::kSI, UnitPreset::kEuropean}) {
      SCOPED_TRACE(set->Name());
      const BatchRequest request = Request(*set, DefaultBatchItems(*set), units);
      BatchComputer sequence(request);
      batch::BatchResult reused;
      for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
          reused.status.clear();  // as the pipeline hands it on
          sequence.Compute(rows[i], reused);
          BatchComputer fresh(request);
          batch::BatchResult alone;
          fresh.Compute(rows[i], alone);
          EXPECT_EQ(reused.cells, alone.cells) << "row " << i << " pass " << pass;
          EXPECT_EQ(reused.status, alone.status) << "row " << i << " pass " << pass;
        }
      }
    }
  }
}

// Within 0.1 K of the boiling point at 101.325 kPa (IF97: 373.124 K) a row of the IAPWS standard
// has the phase of its side of the line, with single-phase cells; the built-in standard keeps
// the saturated columns there.
TEST(BatchComputer, IapwsRowsNextToTheSaturationLineTakeTheirSide) {
  const struct {
    const CorrelationSet* set;
    const char* t;
    const char* condition;
    bool single;
  } cases[] = {
      {&IapwsCorrelations(), "373.1", "Sub-cooled Liquid", true},
      {&IapwsCorrelations(), "373.15", "Superheated Vapour", true},
      {&BuiltInCorrelations(), "373.1", "Saturated Liquid and Vapour", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.t);
    const BatchRequest request = Request(*c.set, {Item::kEnthalpy});
    BatchComputer computer(request);
    batch::BatchResult result;
    computer.Compute(Row(c.t, "101.325"), result);
    ASSERT_EQ(result.cells.size(), 6u);
    EXPECT_EQ(result.cells[0], c.condition);
    EXPECT_EQ(!result.cells[3].empty(), c.single);   // enthalpy
    EXPECT_EQ(!result.cells[4].empty(), !c.single);  // enthalpy_liquid
    EXPECT_TRUE(result.status.empty()) << result.status;
  }
}

}  // namespace
}  // namespace tulo::cli
