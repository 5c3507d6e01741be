#include "app/StateList.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <system_error>

#include "results/DisplayValue.h"
#include "results/Standards.h"

namespace tulo {
namespace {

constexpr const char* kOutOfRange = "Out of Range";
constexpr const char* kNoValue = " -";

struct PairKeyEntry {
  InputPair pair;
  std::string_view key;
};
constexpr std::array<PairKeyEntry, 10> kPairKeys = {{{InputPair::kTP, "T-P"},
                                                     {InputPair::kT, "T"},
                                                     {InputPair::kP, "P"},
                                                     {InputPair::kTx, "T-x"},
                                                     {InputPair::kPx, "P-x"},
                                                     {InputPair::kPH, "P-h"},
                                                     {InputPair::kPS, "P-s"},
                                                     {InputPair::kHS, "h-s"},
                                                     {InputPair::kTH, "T-h"},
                                                     {InputPair::kTS, "T-s"}}};

bool Blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The variable item of a column key; nothing for T, P, x and unknown keys.
std::optional<Item> ColumnItem(std::string_view key) {
  for (Item item : VariableItems())
    if (ItemKey(item) == key) return item;
  return std::nullopt;
}

// The unit quantity of a column; nothing for the quality, which is in percent.
std::optional<Quantity> ColumnQuantity(std::string_view key) {
  if (key == "T") return kTemperature;
  if (key == "P") return kPressure;
  if (const std::optional<Item> item = ColumnItem(key)) return PropQuantity(*item);
  return std::nullopt;
}

std::string DisplayText(const CalcResult& r, Quantity q, const CorrelationSet& set,
                        const UnitSettings& units) {
  if (r.status == Status::kNotGiven) return kNoValue;
  const DisplayValue v = UnitConversion(units, set, q).Display(r);
  if (v.status != Status::kValid || !std::isfinite(v.value)) return kOutOfRange;
  return StoredValueText(v.value, set);
}

// Every digit of a double, in the fewest characters, whatever the locale.
std::string NumberText(double x) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  return {buf, end};
}

std::string CsvCell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::vector<ColumnKey> DefaultColumns() {
  return {"T", "P", ItemKey(Item::kEnthalpy), ItemKey(Item::kEntropy), "x", ItemKey(Item::kDensity)};
}

std::vector<ColumnKey> ColumnChoices() {
  std::vector<ColumnKey> keys = {"T", "P", "x"};
  for (Item item : VariableItems()) keys.push_back(ItemKey(item));
  return keys;
}

bool IsColumnKey(std::string_view key) {
  return key == "T" || key == "P" || key == "x" || ColumnItem(key).has_value();
}

std::string ColumnName(std::string_view key) {
  if (key == "T") return PropName(Item::kTemperature);
  if (key == "P") return PropName(Item::kPressure);
  if (key == "x") return "Steam Quality";
  if (const std::optional<Item> item = ColumnItem(key)) return PropName(*item);
  return std::string(key);
}

std::string ColumnTitle(std::string_view key, const UnitSettings& units) {
  if (key == "x") return ColumnName(key) + " (% mass)";
  const std::optional<Quantity> q = ColumnQuantity(key);
  // A dimensionless item is named alone, as the Tables window's headings name it.
  const std::string unit = q && *q != kDimensionless ? units.UnitText(*q) : std::string();
  return unit.empty() ? ColumnName(key) : ColumnName(key) + " (" + unit + ")";
}

std::string_view PairKey(InputPair pair) {
  for (const PairKeyEntry& e : kPairKeys)
    if (e.pair == pair) return e.key;
  return {};
}

std::optional<InputPair> PairFromKey(std::string_view key) {
  for (const PairKeyEntry& e : kPairKeys)
    if (e.key == key) return e.pair;
  return std::nullopt;
}

// ---- The list ----

std::size_t StateList::Add(std::string entryName, const StateRecord& state) {
  if (Blank(entryName)) entryName = "State " + std::to_string(entries.size() + 1);
  entries.push_back({std::move(entryName), state});
  return entries.size() - 1;
}

bool StateList::Rename(std::size_t index, const std::string& newName) {
  if (index >= entries.size() || Blank(newName)) return false;
  entries[index].name = newName;
  return true;
}

bool StateList::Remove(std::size_t index) {
  if (index >= entries.size()) return false;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

// ---- The values ----

StateEvaluator* StateListValues::EvaluatorOf(const std::string& standard) {
  auto found = evaluators_.find(standard);
  if (found != evaluators_.end()) return found->second.get();
  const CorrelationSet* set = CorrelationSetNamed(standard);
  if (set == nullptr) return nullptr;
  return evaluators_.emplace(standard, std::make_unique<StateEvaluator>(*set)).first->second.get();
}

std::string StateListValues::Problem(const StateRecord& state) {
  StateEvaluator* evaluator = EvaluatorOf(state.standard);
  if (evaluator == nullptr) return "unknown standard \"" + state.standard + "\"";
  return evaluator->Evaluate(state.input).error;
}

std::vector<std::string> StateListValues::Row(const StateRecord& state, const std::vector<ColumnKey>& columns,
                                              const UnitSettings& units) {
  StateEvaluator* evaluator = EvaluatorOf(state.standard);
  const Evaluation evaluation = evaluator ? evaluator->Evaluate(state.input) : Evaluation{};
  if (!evaluation.state) return std::vector<std::string>(columns.size(), kOutOfRange);
  const Evaluated& s = *evaluation.state;
  const CorrelationSet& set = evaluator->Set();
  std::vector<std::string> cells;
  for (const ColumnKey& key : columns) {
    if (key == "T") {
      cells.push_back(DisplayText(CalcResult::Valid(s.T), kTemperature, set, units));
    } else if (key == "P") {
      cells.push_back(DisplayText(CalcResult::Valid(s.P), kPressure, set, units));
    } else if (key == "x") {
      cells.push_back(s.quality ? StoredValueText(*s.quality, set) : kNoValue);
    } else if (const std::optional<Item> item = ColumnItem(key)) {
      cells.push_back(
          DisplayText(evaluator->Value(s, *item, s.OneColumn()), PropQuantity(*item), set, units));
    } else {
      cells.push_back(kNoValue);
    }
  }
  return cells;
}

// ---- CSV ----

std::string StateListCsv(const StateList& list, StateListValues& values, const UnitSettings& units) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "," + a temporary string.
  std::string csv = "Name";
  for (const ColumnKey& key : list.columns) csv.append(1, ',').append(CsvCell(ColumnTitle(key, units)));
  csv += '\n';
  for (const StateEntry& entry : list.entries) {
    csv += CsvCell(entry.name);
    for (const std::string& cell : values.Row(entry.state, list.columns, units))
      csv.append(1, ',').append(CsvCell(cell));
    csv += '\n';
  }
  return csv;
}

// ---- The file ----

namespace {

using Json = nlohmann::ordered_json;
constexpr const char* kFormat = "tulo-state-list";
constexpr int kVersion = 1;

std::optional<double> NumberOf(const Json& j) {
  if (!j.is_string()) return std::nullopt;
  const std::string& text = j.get_ref<const std::string&>();
  double x = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(x)) return std::nullopt;
  return x;
}

const Json* Member(const Json& object, const char* key, Json::value_t type) {
  const auto found = object.find(key);
  if (found == object.end() || found->type() != type) return nullptr;
  return &*found;
}

std::string StringOf(const Json* j) {
  return j ? j->get<std::string>() : std::string();
}

// One entry of "states"; its reason when it is not one.
std::optional<StateEntry> ReadEntry(const Json& j, std::string& error) {
  const Json* name = j.is_object() ? Member(j, "name", Json::value_t::string) : nullptr;
  const Json* standard = name ? Member(j, "standard", Json::value_t::string) : nullptr;
  const Json* pair = standard ? Member(j, "pair", Json::value_t::string) : nullptr;
  if (pair == nullptr) {
    error = "a state without its name, standard or pair";
    return std::nullopt;
  }
  StateEntry entry{StringOf(name), {StringOf(standard), {}}};
  if (CorrelationSetNamed(entry.state.standard) == nullptr) {
    error = "unknown standard \"" + entry.state.standard + "\"";
    return std::nullopt;
  }
  const std::optional<InputPair> input = PairFromKey(StringOf(pair));
  const std::optional<double> first = NumberOf(j.value("first", Json()));
  const std::optional<double> second = NumberOf(j.value("second", Json()));
  if (!input || !first || !second) {
    error = "the state \"" + entry.name + "\" has no known pair or no number for each of its two values";
    return std::nullopt;
  }
  entry.state.input = {*input, *first, *second};
  return entry;
}

// The columns; their reason when they are not a list of known keys.
std::optional<std::vector<ColumnKey>> ReadColumns(const Json& j, std::string& error) {
  std::vector<ColumnKey> columns;
  for (const Json& key : j) {
    if (!key.is_string() || !IsColumnKey(key.get_ref<const std::string&>())) {
      error = "unknown column " + key.dump(-1, ' ', false, Json::error_handler_t::replace);
      return std::nullopt;
    }
    columns.push_back(key.get<std::string>());
  }
  return columns;
}

}  // namespace

std::string StateListJson(const StateList& list) {
  Json states = Json::array();
  for (const StateEntry& e : list.entries)
    states.push_back({{"name", e.name},
                      {"standard", e.state.standard},
                      {"pair", PairKey(e.state.input.pair)},
                      {"first", NumberText(e.state.input.first)},
                      {"second", NumberText(e.state.input.second)}});
  const Json file = {{"format", kFormat},
                     {"version", kVersion},
                     {"name", list.name},
                     {"columns", list.columns},
                     {"states", states}};
  return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

StateListRead ParseStateList(std::string_view text) {
  const Json j = Json::parse(text.begin(), text.end(), nullptr, false);
  if (j.is_discarded()) return {{}, "not a JSON text"};
  if (!j.is_object() || j.value("format", Json()) != kFormat) return {{}, "not a state list"};
  if (j.value("version", Json()) != kVersion) return {{}, "a state list of another version"};
  const Json* name = Member(j, "name", Json::value_t::string);
  const Json* columns = Member(j, "columns", Json::value_t::array);
  const Json* states = Member(j, "states", Json::value_t::array);
  if (!name || !columns || !states)
    return {{}, "its name, columns or states are missing or of the wrong kind"};
  StateListRead read;
  read.list.name = StringOf(name);
  std::optional<std::vector<ColumnKey>> keys = ReadColumns(*columns, read.error);
  if (!keys) return {{}, read.error};
  read.list.columns = std::move(*keys);
  for (const Json& state : *states) {
    std::optional<StateEntry> entry = ReadEntry(state, read.error);
    if (!entry) return {{}, read.error};
    read.list.entries.push_back(std::move(*entry));
  }
  return read;
}

std::string SaveStateList(const StateList& list, const std::string& path, const FileWriter& writer) {
  const std::string error = WriteFileAtomically(path, StateListJson(list),
                                                {.replace = true, .followLink = false, .writer = &writer});
  if (error.empty()) return {};
  return "The state list could not be saved to \"" + path + "\" (" + error +
         "); the file keeps the list as it was.";
}

StateListRead LoadStateList(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return {};
  std::ifstream in(path, std::ios::binary);
  std::string text;
  if (in) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  StateListRead read =
      in.bad() || !in.is_open() ? StateListRead{{}, "it cannot be read"} : ParseStateList(text);
  if (!read.error.empty())
    read.error = "The state list file \"" + path + "\" cannot be used (" + read.error +
                 "). The list starts empty; the file is left as it is until the list is changed.";
  return read;
}

}  // namespace tulo
