// The state list: its edits, its cells (every digit, in the units in use, as the main window
// and the IAPWS-IF97 verification tables give them), its file (a bit-exact round trip, damaged
// and foreign files refused with their reason and left alone, a failed save that keeps the old
// file) and its CSV.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>

#include "CsvRecords.h"
#include "app/ConfigTestSupport.h"
#include "app/MainFormTestSupport.h"
#include "app/StateList.h"
#include "common/CommaLocale.h"
#include "common/FailingWriter.h"
#include "results/DisplayValue.h"
#include "results/IapwsSet.h"

namespace tulo::testing {
namespace {

double Parse(const std::string& text) {
  double x = std::nan("");
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
  return ec == std::errc() && end == text.data() + text.size() ? x : std::nan("");
}

UnitSettings UnitsOf(UnitPreset preset) {
  UnitSettings units;
  units.InitUnits(PresetSelection(preset));
  return units;
}

StateRecord Iapws(InputPair pair, double first, double second = 0.0) {
  return {"iapws", {pair, first, second}};
}

TEST(StateList, AddRenameRemoveClear) {
  StateList list;
  EXPECT_EQ(list.Add("", Iapws(InputPair::kT, 400)), 0u);
  EXPECT_EQ(list.Add("Boiler outlet", Iapws(InputPair::kTP, 700, 5000)), 1u);
  EXPECT_EQ(list.Add("  ", Iapws(InputPair::kP, 100)), 2u);
  struct Edit {
    bool rename;  // else remove
    std::size_t index;
    const char* name;
    bool done;
    std::vector<std::string> names;  // after the edit
  };
  const Edit kEdits[] = {
      {true, 0, "Feed", true, {"Feed", "Boiler outlet", "State 3"}},
      {true, 1, " ", false, {"Feed", "Boiler outlet", "State 3"}},
      {true, 3, "Nowhere", false, {"Feed", "Boiler outlet", "State 3"}},
      {false, 3, "", false, {"Feed", "Boiler outlet", "State 3"}},
      {false, 0, "", true, {"Boiler outlet", "State 3"}},
      {true, 1, "Condenser, \"hot\" side", true, {"Boiler outlet", "Condenser, \"hot\" side"}},
  };
  for (const Edit& e : kEdits) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.rename ? list.Rename(e.index, e.name) : list.Remove(e.index), e.done);
    std::vector<std::string> names;
    for (const StateEntry& entry : list.entries) names.push_back(entry.name);
    EXPECT_EQ(names, e.names);
  }
  EXPECT_EQ(list.entries[0].state.input.first, 700.0);  // the state moves with its name
  list.Add("", Iapws(InputPair::kT, 300));
  EXPECT_EQ(list.entries.back().name, "State 3");
  list.Clear();
  EXPECT_TRUE(list.entries.empty());
}

// IAPWS-IF97 verification values: Table 5 (region 1) and Table 15 (region 2), in SI, and the
// factor and offset of the imperial unit of the column (the program's unit table).
struct ValueCase {
  double T, P;  // K, kPa
  const char* column;
  double si;
  double factor, offset;
};
const ValueCase kIf97Cases[] = {
    {300, 3000, "enthalpy", 115.331273, 0.43011, 0},
    {300, 3000, "entropy", 0.392294792, 0.23889, 0},
    {300, 3000, "density", 1 / 0.100215168e-2, 0.06242796, 0},
    {300, 3000, "T", 300, 1.8, -255.372},
    {500, 3000, "enthalpy", 975.542239, 0.43011, 0},
    {300, 3.5, "enthalpy", 2549.91145, 0.43011, 0},
    {700, 3.5, "entropy", 10.1749996, 0.23889, 0},
    {300, 80000, "entropy", 0.368563852, 0.23889, 0},
};

TEST(StateList, IapwsCellsHoldEveryDigitInEitherUnits) {
  StateListValues values;
  for (const ValueCase& c : kIf97Cases) {
    SCOPED_TRACE(std::to_string(c.T) + " K " + std::to_string(c.P) + " kPa " + c.column);
    for (UnitPreset preset : {UnitPreset::kSI, UnitPreset::kImperial}) {
      const bool si = preset == UnitPreset::kSI;
      const std::string cell = values.Row(Iapws(InputPair::kTP, c.T, c.P), {c.column}, UnitsOf(preset))[0];
      const double shown = Parse(cell);
      const double expected = si ? c.si : (c.si + c.offset) * c.factor;
      EXPECT_NEAR(shown, expected, std::abs(expected) * 5e-9) << cell;  // the tables' 9 digits
      // Every digit of the double: the shortest text that reads back as it, beyond a cell's 12.
      char buf[32];
      EXPECT_EQ(std::string(buf, std::to_chars(buf, buf + sizeof buf, shown).ptr), cell);
    }
  }
}

// The built-in standard's cells are the main window's values, every digit its Real6 holds.
TEST(StateList, BuiltInCellsAreTheMainWindowsValues) {
  const std::pair<const char*, const char*> kRows[] = {
      {"enthalpy", "Enthalpy"}, {"entropy", "Entropy"}, {"density", "Density / Volume"}};
  for (UnitPreset preset : {UnitPreset::kSI, UnitPreset::kImperial}) {
    FormFixture f;
    f.UseUnits(PresetSelection(preset));
    f.Type(preset == UnitPreset::kSI ? "450" : "350", preset == UnitPreset::kSI ? "2000" : "290");
    const std::optional<StateInput> input = f.form.ShownInput();
    ASSERT_TRUE(input.has_value());
    EXPECT_EQ(input->pair, InputPair::kTP);
    StateListValues values;
    const StateRecord state{"builtin", *input};
    for (const auto& [key, row] : kRows) {
      SCOPED_TRACE(std::string(key) + (preset == UnitPreset::kSI ? " SI" : " imperial"));
      const std::string cell = values.Row(state, {key}, f.form.session().units)[0];
      const std::string grid = FormFixture::Cell(f.form.VarPropGrid, row, 2);
      // The grid rounds to its last decimal; the list keeps the digits beyond it.
      const std::size_t point = grid.find('.');
      ASSERT_NE(point, std::string::npos) << grid;
      const double halfUnit = 0.5 * std::pow(10.0, -static_cast<double>(grid.size() - point - 1));
      EXPECT_NEAR(Parse(cell), Parse(grid), halfUnit * (1 + 1e-9)) << cell << " / " << grid;
      EXPECT_GT(cell.size(), grid.size()) << cell << " / " << grid;
    }
  }
}

// What the main window hands to the list: the pair it shows and values that give its state again.
TEST(StateList, MainWindowsShownStateReEvaluates) {
  struct Shown {
    InputPair chosen;
    const char *first, *second;
    std::optional<InputPair> pair;  // nothing: no state shown
  };
  const Shown kCases[] = {
      {InputPair::kTP, "", "", std::nullopt},        {InputPair::kTP, "450", "2000", InputPair::kTP},
      {InputPair::kTP, "450", "", InputPair::kT},    {InputPair::kTP, "", "1000", InputPair::kP},
      {InputPair::kTP, "9999", "100", std::nullopt}, {InputPair::kPH, "1000", "2000", InputPair::kPH},
      {InputPair::kTx, "400", "30", InputPair::kTx}, {InputPair::kPH, "1000", "", std::nullopt},
  };
  for (const Shown& c : kCases) {
    SCOPED_TRACE(std::string(InfoOf(c.chosen).label) + " " + c.first + " / " + c.second);
    FormFixture f;
    ASSERT_TRUE(f.form.SelectInputPair(c.chosen));
    f.Type(c.first, c.second);
    const std::optional<StateInput> input = f.form.ShownInput();
    ASSERT_EQ(input.has_value(), c.pair.has_value());
    if (!input) continue;
    EXPECT_EQ(input->pair, *c.pair);
    StateEvaluator evaluator(f.form.session().Set());
    const Evaluation again = evaluator.Evaluate(*input);
    ASSERT_TRUE(again.state.has_value()) << again.error;
    EXPECT_EQ(again.state->T, f.form.session().state.TempK);
    EXPECT_EQ(again.state->P, f.form.session().state.PresKPa);
  }
}

// A saturated state given by T or P alone shows its vapour column, without a quality; a state
// the evaluator refuses shows "Out of Range" in every cell, never a number or nan.
TEST(StateList, SaturatedAndRefusedStates) {
  const UnitSettings si = UnitsOf(UnitPreset::kSI);
  const std::vector<ColumnKey> columns = {"P", "enthalpy", "entropy", "density", "x"};
  for (const char* standard : {"builtin", "iapws"}) {
    SCOPED_TRACE(standard);
    StateListValues values;
    std::vector<std::string> alone = values.Row({standard, {InputPair::kT, 450}}, columns, si);
    std::vector<std::string> vapour = values.Row({standard, {InputPair::kTx, 450, 100}}, columns, si);
    EXPECT_EQ(alone.back(), " -");
    EXPECT_EQ(vapour.back(), "100");
    alone.pop_back(), vapour.pop_back();
    EXPECT_EQ(alone, vapour);
    EXPECT_EQ(values.Row({standard, {InputPair::kTP, 450, 2000}}, {"x"}, si)[0], " -");

    const StateRecord refused{standard, {InputPair::kTP, 50000, 100}};
    EXPECT_EQ(values.Row(refused, columns, si), std::vector<std::string>(columns.size(), "Out of Range"));
    EXPECT_FALSE(values.Problem(refused).empty());
  }
  StateListValues values;
  EXPECT_EQ(values.Row({"nonesuch", {InputPair::kT, 450}}, {"T"}, si)[0], "Out of Range");
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

StateList Awkward() {
  StateList list;
  list.name = "Plant \"A\", line 2 \u00B0";
  list.columns = {"x", "speed_of_sound", "T"};
  list.Add("", Iapws(InputPair::kHS, 3000.123456789012, 1.0 / 3.0));
  list.Add("a,b\nc", {"builtin", {InputPair::kPx, 0.1, 99.99999999999999}});
  list.Add("\u00E9t\u00E9", Iapws(InputPair::kTP, 647.096, 22064.000000000004));
  list.Add("tiny", Iapws(InputPair::kTS, 5e-324, -0.0));
  return list;
}

void ExpectSameList(const StateList& read, const StateList& written) {
  EXPECT_EQ(read.name, written.name);
  EXPECT_EQ(read.columns, written.columns);
  ASSERT_EQ(read.entries.size(), written.entries.size());
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    const StateEntry &r = read.entries[i], &w = written.entries[i];
    EXPECT_EQ(r.name, w.name);
    EXPECT_EQ(r.state.standard, w.state.standard);
    EXPECT_EQ(r.state.input.pair, w.state.input.pair);
    EXPECT_TRUE(SameBits(r.state.input.first, w.state.input.first)) << r.state.input.first;
    EXPECT_TRUE(SameBits(r.state.input.second, w.state.input.second)) << r.state.input.second;
  }
}

TEST(StateList, SavedAndLoadedBitExactInAnyLocale) {
  TempDir dir;
  const std::string path = dir.File(kStateListFileName);
  const StateList list = Awkward();
  for (const char* locale : kCommaLocales) {
    CommaLocale comma(locale);
    ASSERT_TRUE(comma.Active()) << locale;
    ASSERT_EQ(SaveStateList(list, path), "");
    const StateListRead read = LoadStateList(path);
    EXPECT_EQ(read.error, "");
    ExpectSameList(read.list, list);
  }
  EXPECT_EQ(StateListJson(LoadStateList(path).list), StateListJson(list));
  // No file yet: an empty list, nothing to say.
  const StateListRead none = LoadStateList(dir.File("none.json"));
  EXPECT_EQ(none.error, "");
  EXPECT_TRUE(none.list.entries.empty());
}

TEST(StateList, DamagedOrForeignFilesAreRefusedAndKept) {
  std::string good = StateListJson(Awkward());
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::pair<std::string, const char*> kFiles[] = {
      {"Name,Temperature (Kelvin)\nState 1,300\n", "not a JSON text"},
      {good.substr(0, good.size() / 2), "not a JSON text"},
      {"", "not a JSON text"},
      {"\xff\xfe{", "not a JSON text"},
      {"{\"states\": []}", "not a state list"},
      {"[1, 2]", "not a state list"},
      {replaced("\"version\": 1", "\"version\": 7"), "another version"},
      {replaced("\"states\": [", "\"states\": 3, \"x\": ["), "wrong kind"},
      {replaced("\"name\": \"Plant", "\"name\": 5, \"n\": \"Plant"), "wrong kind"},
      {replaced("\"first\": \"3000.", "\"first\": 3000.0, \"f\": \""), "no number"},
      {replaced("\"first\": \"0.1\"", "\"first\": \"nan\""), "no number"},
      {replaced("\"first\": \"0.1\"", "\"first\": \"1e999\""), "no number"},
      {replaced("\"first\": \"0.1\"", "\"first\": \"0,1\""), "no number"},
      {replaced("\"pair\": \"P-x\"", "\"pair\": \"h-x\""), "no known pair"},
      {replaced("\"standard\": \"builtin\"", "\"standard\": \"other\""), "unknown standard \"other\""},
      {replaced("\"speed_of_sound\"", "\"colour\""), "unknown column \"colour\""},
      {replaced("\"speed_of_sound\"", "17"), "unknown column 17"},
      {replaced("\"name\": \"tiny\"", "\"nome\": \"tiny\""), "without its name"},
  };
  TempDir dir;
  const std::string path = dir.File(kStateListFileName);
  for (const auto& [text, reason] : kFiles) {
    SCOPED_TRACE(text.substr(0, 60));
    const StateListRead parsed = ParseStateList(text);
    EXPECT_NE(parsed.error.find(reason), std::string::npos) << parsed.error;
    EXPECT_TRUE(parsed.list.entries.empty());
    const Bytes bytes(text.begin(), text.end());
    WriteBytes(path, bytes);
    const StateListRead loaded = LoadStateList(path);
    EXPECT_NE(loaded.error.find("\"" + path + "\" cannot be used ("), std::string::npos) << loaded.error;
    EXPECT_NE(loaded.error.find(reason), std::string::npos) << loaded.error;
    EXPECT_NE(loaded.error.find("The list starts empty"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), bytes);
  }
}

TEST(StateList, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File(kStateListFileName);
  StateList list = Awkward();
  ASSERT_EQ(SaveStateList(list, path), "");
  const Bytes before = ReadBytes(path);
  list.Add("one more", Iapws(InputPair::kT, 400));
  FailingWriter full;
  full.room = 40;
  FailingWriter unsynced;
  unsynced.syncError = EIO;
  for (const FailingWriter* writer : {&full, &unsynced}) {
    const std::string error = SaveStateList(list, path, *writer);
    EXPECT_NE(error.find("could not be saved to \"" + path + "\""), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left beside it
  }
  EXPECT_NE(SaveStateList(list, dir.File("no-such-folder/statelist.json")), "");
}

TEST(StateList, CsvHasUnitsQuotesAndEveryRow) {
  StateList list = Awkward();
  list.columns = {"T", "enthalpy", "x", "compressibility_factor"};
  StateListValues values;
  const UnitSettings imperial = UnitsOf(UnitPreset::kImperial);
  const std::string csv = StateListCsv(list, values, imperial);
  const std::vector<std::vector<std::string>> records = CsvRecords(csv);
  ASSERT_EQ(records.size(), list.entries.size() + 1);  // the header, then one row per entry
  EXPECT_EQ(records[0], (std::vector<std::string>{"Name", "Temperature (Fahrenheit)", "Enthalpy (Btu/lb)",
                                                  "Steam Quality (% mass)", "Compressibility Factor \"Z\""}));
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    std::vector<std::string> row = {list.entries[i].name};
    for (const std::string& cell : values.Row(list.entries[i].state, list.columns, imperial))
      row.push_back(cell);
    EXPECT_EQ(records[i + 1], row);
  }
  EXPECT_NE(csv.find("\n\"a,b\nc\","), std::string::npos);
  EXPECT_EQ(csv.find('\r'), std::string::npos);
  EXPECT_EQ(csv.find("nan"), std::string::npos);
}

}  // namespace
}  // namespace tulo::testing
