// The row computer of tulo-calc batch without a process: the default items and the columns, and
// rows that do not depend on the rows a computer did before.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <optional>
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
      for (Item item : set->Layout().RowSet(condition, true)) expected.insert(item);
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
  const BatchRequest request =
      Request(IapwsCorrelations(), {Item::kEnthalpy, Item::kSpeedOfSound, Item::kDensity});
  const std::vector<std::string> plain = BatchColumns(request, false);
  const std::vector<std::string> wet = BatchColumns(request, true);
  EXPECT_EQ(plain.size(), 3u + 9u + 1u);
  // The wet-steam grid has enthalpy and density, not the speed of sound.
  EXPECT_EQ(wet.size(), plain.size() + 2);
  EXPECT_EQ(wet[wet.size() - 3], "enthalpy_wet");
  EXPECT_EQ(wet[wet.size() - 2], "density_wet");
  batch::BatchHeader withQuality;
  withQuality.qualityColumn = 2;
  BatchComputer computer(request, withQuality);
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
      BatchRequest request = Request(*set, DefaultBatchItems(*set), units);
      request.saturated = true;
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

// The quality's limits belong to it: 0 % is the saturated liquid, 100 % the saturated vapour;
// just beyond them the row has the window's message and no wet values.
TEST(BatchComputer, QualityFromZeroToOneHundredPercentInclusive) {
  BatchRequest request = Request(IapwsCorrelations(), {Item::kEnthalpy});
  request.saturated = true;                           // the blank P: saturated at T
  const std::size_t liquid = 4, vapour = 5, wet = 6;  // condition, T, P, h, h_liquid, h_vapour, h_wet
  const struct {
    const char* quality;
    std::optional<std::size_t> equalTo;  // the column the wet value equals; none: refused
  } cases[] = {
      {"0", liquid},   {"0.0", liquid},          {"100", vapour},           {"100.000", vapour},
      {"1e2", vapour}, {"-0.001", std::nullopt}, {"100.001", std::nullopt}, {"1e3", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.quality);
    BatchComputer computer(request);
    batch::BatchResult result;
    computer.Compute(Row("373.15", "", c.quality), result);
    if (c.equalTo) {
      EXPECT_EQ(result.status, "");
      ASSERT_EQ(result.cells.size(), wet + 1);
      EXPECT_FALSE(result.cells[wet].empty());
      EXPECT_EQ(result.cells[wet], result.cells[*c.equalTo]);
    } else {
      EXPECT_EQ(result.status, kQualityRangeText);
      EXPECT_EQ(result.cells.size(), wet);
    }
  }
}

// A column in units of its own gives the state the same numbers in the display units give: the
// same cells, T and P and the items of temperature and pressure (tsat, psat) in the display units.
// A decimal comma reads as a point; a point then is no number.
TEST(BatchComputer, InputColumnUnitsAndDecimalCommas) {
  const struct {
    std::optional<int> tUnit, pUnit;
    bool decimalComma;
    batch::BatchRow row, same;
  } cases[] = {
      {2, {}, false, Row("26.85", "1000"), Row("300", "1000")},
      {2, 12, false, Row("100", ""), Row("373.15", "")},
      {{}, 12, false, Row("", "898.675", "50"), Row("", "1000", "50")},
      {1, 1, true, Row("300", "1000,5"), Row("300", "1000.5")},
      {2, 12, true, Row("26,85", "898,675"), Row("300", "1000")},
  };
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(std::string(set->Name()) + " case " + std::to_string(i));
      BatchRequest request = Request(*set, DefaultBatchItems(*set));
      request.saturated = true;
      batch::BatchHeader header;
      header.temperatureUnit = cases[i].tUnit;
      header.pressureUnit = cases[i].pUnit;
      header.decimalComma = cases[i].decimalComma;
      BatchComputer inColumnUnits(request, header);
      BatchComputer inDisplayUnits(request);
      batch::BatchResult got, expected;
      inColumnUnits.Compute(cases[i].row, got);
      inDisplayUnits.Compute(cases[i].same, expected);
      EXPECT_EQ(got.status, expected.status);
      EXPECT_EQ(got.cells, expected.cells);
      EXPECT_GT(got.cells.size(), 3u);
    }
  }
  batch::BatchHeader commas;
  commas.decimalComma = true;
  const BatchRequest request = Request(BuiltInCorrelations(), {Item::kEnthalpy});
  BatchComputer computer(request, commas);
  batch::BatchResult result;
  computer.Compute(Row("1.234,5", "1000"), result);
  EXPECT_EQ(result.status, "not a number: 1.234,5");
  computer.Compute(Row("300", "1e40000"), result);
  EXPECT_EQ(result.status, "number out of range: 1e40000");
}

// The T and P columns echo the numbers read, not the numbers converted to kelvin and kPa and back
// (450 Celsius came back as 450.0000000005, 0.01 as 0.00999999977648), in both standards.
TEST(BatchComputer, TypedTemperatureAndPressureComeBackAsRead) {
  const UnitSelection celsiusKPa = {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const UnitSelection celsiusBar = {2, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const struct {
    UnitSelection units;
    const char *t, *p;
  } cases[] = {
      {celsiusKPa, "450", "1000"}, {celsiusKPa, "0.01", ""},      {celsiusBar, "300", "100"},
      {celsiusBar, "", "1.5"},     {celsiusKPa, "-5", "101.325"}, {celsiusBar, "99.63", "1.01325"},
  };
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    for (const auto& c : cases) {
      BatchRequest request{set, c.units, {Item::kEnthalpy}};
      request.saturated = true;  // a blank: saturated at the other
      BatchComputer computer(request);
      batch::BatchResult result;
      computer.Compute(Row(c.t, c.p), result);
      ASSERT_EQ(result.status, "") << set->Name() << " " << c.t << "/" << c.p;
      if (*c.t != '\0') {
        EXPECT_EQ(result.cells[1], c.t) << set->Name();
      }
      if (*c.p != '\0') {
        EXPECT_EQ(result.cells[2], c.p) << set->Name();
      }
    }
  }
}

// In the IAPWS standard the typed number reaches the equations without a Real6 rounding: 0.01
// Celsius is the state typed as 273.16 kelvin, bit for bit.
TEST(BatchComputer, IapwsStatesTypedInCelsiusAreThoseTypedInKelvin) {
  const struct {
    const char *celsius, *kelvin, *p;
  } cases[] = {
      {"0.01", "273.16", ""}, {"300", "573.15", "1000"}, {"99.5", "372.65", ""}, {"-10.25", "262.9", "0.2"}};
  BatchRequest inCelsius{&IapwsCorrelations(), {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {Item::kEnthalpy}};
  BatchRequest inKelvin{&IapwsCorrelations(), PresetSelection(UnitPreset::kSI), {Item::kEnthalpy}};
  inCelsius.saturated = inKelvin.saturated = true;  // a blank: saturated at the other
  for (const auto& c : cases) {
    BatchComputer celsius(inCelsius), kelvin(inKelvin);
    batch::BatchResult a, b;
    celsius.Compute(Row(c.celsius, c.p), a);
    kelvin.Compute(Row(c.kelvin, c.p), b);
    ASSERT_EQ(a.cells.size(), b.cells.size()) << c.celsius;
    EXPECT_EQ(a.cells[0], b.cells[0]) << c.celsius;  // the condition
    for (std::size_t i = 2; i < a.cells.size(); ++i)
      EXPECT_EQ(a.cells[i], b.cells[i]) << c.celsius << " column " << i;
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

batch::BatchHeader PairHeader(InputPair pair) {
  batch::BatchHeader header;
  header.pair = pair;
  return header;
}

// A pair row's texts, by the pair's names.
batch::BatchRow PairRow(InputPair pair, const std::string& first, const std::string& second) {
  batch::BatchRow row;
  for (auto [name, text] : {std::pair{InfoOf(pair).first, first}, std::pair{InfoOf(pair).second, second}}) {
    std::string& field = name == PairName::kT   ? row.t
                         : name == PairName::kP ? row.p
                         : name == PairName::kH ? row.h
                         : name == PairName::kS ? row.s
                                                : row.quality;
    field = text;
  }
  return row;
}

double Relative(const std::string& got, const std::string& want) {
  const double a = std::stod(got), b = std::stod(want);
  return std::abs(a - b) / std::max(std::abs(b), 1.0);
}

// A state given by P and h, P and s or h and s is the single-phase state those values came from:
// the forward row's condition, T, P and values again. (Not T-h and T-s: in the liquid h and s
// hardly change with P, which such a pair then fixes only roughly.)
TEST(BatchComputer, PairRowsGiveBackTheForwardState) {
  const std::pair<const char*, const char*> states[] = {
      {"300", "1000"}, {"500", "1000"}, {"700", "25000"}, {"900", "20000"}, {"420", "50"}};
  const std::vector<Item> items = {Item::kEnthalpy, Item::kEntropy, Item::kDensity};
  // The forward row: condition, T, P, then h, s, rho each in its three phase columns.
  const std::map<PairName, std::size_t> forwardColumn = {
      {PairName::kT, 1}, {PairName::kP, 2}, {PairName::kH, 3}, {PairName::kS, 6}};
  const struct {
    const CorrelationSet* set;
    double tolerance;
  } standards[] = {{&IapwsCorrelations(), 1e-9}, {&BuiltInCorrelations(), 1e-6}};
  for (const auto& standard : standards) {
    const BatchRequest request = Request(*standard.set, items);
    BatchComputer forward(request);
    for (InputPair pair : {InputPair::kPH, InputPair::kPS, InputPair::kHS}) {
      BatchComputer computer(request, PairHeader(pair));
      for (const auto& [t, p] : states) {
        SCOPED_TRACE(std::string(standard.set->Name()) + " " + std::string(InfoOf(pair).label) + " " + t +
                     " K " + p + " kPa");
        batch::BatchResult want, got;
        forward.Compute(Row(t, p), want);
        ASSERT_EQ(want.status, "");
        computer.Compute(PairRow(pair, want.cells[forwardColumn.at(InfoOf(pair).first)],
                                 want.cells[forwardColumn.at(InfoOf(pair).second)]),
                         got);
        ASSERT_EQ(got.status, "");
        // condition, T, P, x, h, s, rho
        ASSERT_EQ(got.cells.size(), 7u);
        EXPECT_EQ(got.cells[0], want.cells[0]);
        EXPECT_EQ(got.cells[3], "");
        for (auto [column, forwardAt] : {std::pair{1, 1}, {2, 2}, {4, 3}, {5, 6}, {6, 9}})
          EXPECT_LT(Relative(got.cells[column], want.cells[forwardAt]), standard.tolerance)
              << "column " << column << ": " << got.cells[column] << " for " << want.cells[forwardAt];
      }
    }
  }
}

// A state given by T or P and a quality is the saturated state of a T and P row with one of them
// blank and that quality: the same T, P and wet-steam values, each item in one column.
TEST(BatchComputer, QualityPairsAreTheWetSteamOfTheSaturatedRow) {
  const struct {
    InputPair pair;
    const char *t, *p, *x;
  } cases[] = {{InputPair::kTx, "373.15", "", "50"},
               {InputPair::kPx, "", "1000", "2.5"},
               {InputPair::kTx, "600", "", "100"},
               {InputPair::kPx, "", "15000", "0"}};
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    const BatchRequest request = Request(*set, {Item::kEnthalpy, Item::kDensity});
    batch::BatchHeader withQuality;
    withQuality.qualityColumn = 2;
    BatchComputer window(request, withQuality);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(set->Name()) + " " + c.t + c.p + " at " + c.x);
      BatchComputer computer(request, PairHeader(c.pair));
      batch::BatchResult want, got;
      window.Compute(Row(c.t, c.p, c.x), want);
      computer.Compute(PairRow(c.pair, *c.t != '\0' ? c.t : c.p, c.x), got);
      ASSERT_EQ(want.status, "");
      ASSERT_EQ(got.status, "");
      // condition, T, P, h, h_liquid, h_vapour, rho..., h_wet, rho_wet; condition, T, P, x, h, rho
      const std::vector<std::string> expected = {want.cells[0], want.cells[1], want.cells[2],
                                                 c.x,           want.cells[9], want.cells[10]};
      EXPECT_EQ(got.cells, expected);
    }
  }
}

// A blank input, a text that is no number and a pair without a state leave the row without values,
// with the message: the evaluator's one for a state it does not find.
TEST(BatchComputer, PairRowsWithoutAState) {
  const struct {
    InputPair pair;
    const char *first, *second;
    const char* status;  // empty: the evaluator's message
  } cases[] = {
      {InputPair::kPH, "1000", "", "no enthalpy"},
      {InputPair::kHS, " ", "7", "no enthalpy"},
      {InputPair::kTS, "300", "", "no entropy"},
      {InputPair::kPx, "", "50", "no pressure"},
      {InputPair::kTx, "400", "", "no steam quality"},
      {InputPair::kHS, "2800", "abc", "not a number: abc"},
      {InputPair::kPH, "1000", "1e40000", "number out of range: 1e40000"},
      {InputPair::kPH, "1000", "100000", ""},
      {InputPair::kHS, "100", "9", ""},
      {InputPair::kTx, "400", "101", ""},
      {InputPair::kPx, "30000", "50", ""},
  };
  for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
    const BatchRequest request = Request(*set, {Item::kEnthalpy});
    batch::BatchHeader header = PairHeader(InputPair::kPH);
    header.keptColumns = {0};
    StateEvaluator evaluator(*set);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(set->Name()) + " " + c.first + " " + c.second);
      header.pair = c.pair;
      BatchComputer computer(request, header);
      batch::BatchRow row = PairRow(c.pair, c.first, c.second);
      row.kept = {"tag"};
      batch::BatchResult result;
      computer.Compute(row, result);
      EXPECT_EQ(result.cells, std::vector<std::string>{"tag"});
      if (*c.status != '\0') {
        EXPECT_EQ(result.status, c.status);
        continue;
      }
      const Evaluation evaluation = evaluator.Evaluate({c.pair, std::stod(c.first), std::stod(c.second)});
      EXPECT_FALSE(evaluation.state.has_value());
      EXPECT_NE(result.status, "");
      EXPECT_EQ(result.status, evaluation.error);
    }
  }
}

}  // namespace
}  // namespace tulo::cli
