#include "cli/BatchComputer.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "cli/CliText.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "results/PhaseCondition.h"
#include "results/Results.h"

namespace tulo::cli {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

void AppendNote(std::string& status, std::string_view note) {
  if (!status.empty()) status += "; ";
  status += note;
}

// NumberProblem's message for a text of the input, its number form judged on the text read.
std::string NumberProblemOf(std::string_view asWritten, const std::string& asRead) {
  return std::string(IsNumberText(asRead) ? "number out of range: " : "not a number: ")
      .append(Shown(std::string(asWritten)));
}

// The request's units with the input columns' own units for T, P, h and s.
UnitSelection InputUnits(UnitSelection units, const batch::BatchHeader& header) {
  const std::pair<Quantity, std::optional<int>> columns[] = {{kTemperature, header.temperatureUnit},
                                                             {kPressure, header.pressureUnit},
                                                             {kEnthalpyQ, header.enthalpyUnit},
                                                             {kEntropyQ, header.entropyUnit}};
  for (const auto& [q, unit] : columns)
    if (unit) units[q] = static_cast<std::uint8_t>(*unit);
  return units;
}

// A pair row's status for a blank input, as "no temperature" of a T and P row.
std::string MissingInputText(PairName name) {
  switch (name) {
    case PairName::kT:
      return "no temperature";
    case PairName::kP:
      return "no pressure";
    case PairName::kH:
      return "no enthalpy";
    case PairName::kS:
      return "no entropy";
    case PairName::kX:
      break;
  }
  return "no steam quality";
}

const std::string& InputText(PairName name, const batch::BatchRow& row) {
  switch (name) {
    case PairName::kT:
      return row.t;
    case PairName::kP:
      return row.p;
    case PairName::kH:
      return row.h;
    case PairName::kS:
      return row.s;
    case PairName::kX:
      break;
  }
  return row.quality;
}

}  // namespace

std::vector<Item> DefaultBatchItems(const CorrelationSet& set) {
  std::vector<Item> items;
  for (Condition condition : kConditions)
    for (Item item : set.Layout().RowSet(condition, true))
      if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
  std::sort(items.begin(), items.end(), [](Item a, Item b) {
    const auto order = VariableItems();
    return std::find(order.begin(), order.end(), a) < std::find(order.begin(), order.end(), b);
  });
  return items;
}

std::vector<std::string> BatchColumns(const BatchRequest& request, bool withQuality) {
  std::vector<std::string> columns = {"condition", "T", "P"};
  for (Item item : request.items) {
    const std::string key = ItemKey(item);
    columns.push_back(key);
    columns.push_back(key + "_liquid");
    columns.push_back(key + "_vapour");
  }
  if (withQuality) {
    const auto wet = request.set->Layout().WetRowSet();
    for (Item item : request.items)
      if (std::find(wet.begin(), wet.end(), item) != wet.end()) columns.push_back(ItemKey(item) + "_wet");
  }
  columns.push_back("status");
  return columns;
}

std::vector<std::string> BatchColumns(const BatchRequest& request, const batch::BatchHeader& header) {
  if (!header.pair) return BatchColumns(request, header.qualityColumn.has_value());
  std::vector<std::string> columns = {"condition", "T", "P", "x"};
  for (Item item : request.items) columns.push_back(ItemKey(item));
  columns.push_back("status");
  return columns;
}

BatchComputer::BatchComputer(const BatchRequest& request, const batch::BatchHeader& header)
    : request_(request),
      evaluator_(*request.set),
      pair_(header.pair),
      session_(*request.set),
      kept_(header.keptColumns.size()),
      decimalCommaIn_(header.decimalComma),
      saturatedBlanks_(request.saturated || header.qualityColumn.has_value()),
      checks_(session_) {
  const UnitSelection input = InputUnits(request.units, header);
  session_.units.InitUnits(input);
  displayUnits_.InitUnits(request.units);
  for (Quantity q : {kTemperature, kPressure}) {
    sameUnit_[q] = input[q] == request.units[q];
    stateConversions_.emplace_back(displayUnits_, *request.set, q);
  }
  // Every code a Condition can hold, so that the look-up is ConditionName for any state.
  for (unsigned code = 0; code <= UINT8_MAX; ++code)
    conditionNames_.push_back(ConditionName(static_cast<Condition>(code)));
  // The first calculation of a fresh window, before anything is typed.
  RecalculateState(session_);
  fresh_ = session_.state;
  const auto wet = request.set->Layout().WetRowSet();
  for (std::size_t i = 0; i < request.items.size(); ++i) {
    const Item item = request.items[i];
    conversions_.emplace_back(displayUnits_, *request.set, PropQuantity(item));
    columnKeys_.push_back(ItemKey(item));
    if (std::find(wet.begin(), wet.end(), item) != wet.end()) wetItems_.push_back(i);
  }
}

std::string BatchComputer::UnreadableText(std::string_view t, std::string_view p) {
  for (auto [text, q] : {std::pair{t, kTemperature}, std::pair{p, kPressure}}) {
    if (text.empty()) continue;
    std::string buffer;
    const std::string typed(NumberText(text, buffer));
    const std::optional<double> value = ReadNumber(typed);
    if (!value) return NumberProblemOf(text, typed);
    if (!FitsReal6(session_.units.ToInternal(q, *value)))
      return NumberProblemOf(text, typed) + " " + session_.units.UnitText(q);
  }
  return "not a number";
}

const char* BatchComputer::MissingText(std::string_view t, std::string_view p) const {
  if (!saturatedBlanks_ && t.empty()) return "no temperature";
  if (!saturatedBlanks_ && p.empty()) return "no pressure";
  if (t.empty() && p.empty()) return kNothingTypedText;
  return nullptr;
}

std::string_view BatchComputer::NumberText(std::string_view text, std::string& buffer) const {
  if (!decimalCommaIn_) return text;
  // The comma becomes the reader's point; a point, no part of such a number ("1.234,5" holds a
  // thousands separator), becomes a comma that the reader refuses.
  buffer.assign(text);
  for (char& c : buffer) c = c == ',' ? '.' : c == '.' ? ',' : c;
  return buffer;
}

void BatchComputer::StateText(Quantity q, double internal, std::optional<double> read, std::string& cell) {
  // A number typed in the display unit is echoed as it was read: the calculation converts it to
  // the internal unit and back (300 Celsius came back as 300.0000000005).
  const double shown =
      read && sameUnit_[q] ? *read : static_cast<double>(stateConversions_[q].ToDisplay(internal));
  // A display value beyond the reals (a unit the state does not fit) stays empty, never "nan".
  if (std::isfinite(shown)) AppendStoredValueText(shown, *request_.set, cell);
}

std::optional<double> BatchComputer::RowQuality(std::string_view text, const Evaluated& state,
                                                std::string& status) {
  const std::string_view read = NumberText(text, quality_);
  const std::optional<double> quality = request_.set->Storage().ReadTyped(read);
  if (!quality) {
    AppendNote(status, NumberProblemOf(text, std::string(read)));
  } else if (*quality < 0.0 || *quality > 100.0) {
    AppendNote(status, kQualityRangeText);
  } else if (state.condition != Condition::kSatLiquidVapour) {
    AppendNote(status, kWetSteamOnlySaturatedText);
  } else {
    return quality;
  }
  return std::nullopt;
}

void BatchComputer::ValueCell(std::size_t itemIndex, const CalcResult& value, std::string& cell,
                              std::string_view suffix) {
  const DisplayValue v = conversions_[itemIndex].Display(value);
  switch (v.status) {
    case Status::kValid:
      AppendStoredValueText(v.value, *request_.set, cell);
      return;
    case Status::kNotGiven:
      return;
    case Status::kOutOfRange:
      outOfRange_ += outOfRange_.empty() ? "Out of Range: " : ", ";
      outOfRange_.append(columnKeys_[itemIndex]).append(suffix);
      return;
  }
}

void BatchComputer::Compute(const batch::BatchRow& row, batch::BatchResult& result) {
  // The kept columns lead every row, one without values too, so that rows join back. The cells of
  // the row before keep their storage (a number of 16 characters or more would otherwise take an
  // allocation a cell): the row is cut to the kept columns only when it ends without values.
  if (result.cells.size() < kept_) result.cells.resize(kept_);
  for (std::size_t i = 0; i < kept_; ++i)
    result.cells[i].assign(i < row.kept.size() ? std::string_view(row.kept[i]) : std::string_view());
  if (!(pair_ ? ComputePair(row, result) : ComputeTP(row, result))) result.cells.resize(kept_);
  // Every cell after the condition is a number or empty.
  if (request_.decimalComma)
    for (std::size_t i = kept_ + 1; i < result.cells.size(); ++i)
      std::replace(result.cells[i].begin(), result.cells[i].end(), '.', ',');
}

bool BatchComputer::ComputeTP(const batch::BatchRow& row, batch::BatchResult& result) {
  const std::string_view t = Trimmed(row.t), p = Trimmed(row.p), qualityText = Trimmed(row.quality);
  if (const char* missing = MissingText(t, p)) {
    result.status = missing;
    return false;
  }
  // The window's checks, and their messages in the units typed, from a fresh state: nothing of
  // the row before stays.
  CalcState& st = session_.state;
  st = fresh_;
  std::string buffer;
  t_.assign(NumberText(t, buffer));
  p_.assign(NumberText(p, buffer));
  error_.clear();
  if (!checks_.Validate(t_, p_, error_)) {
    result.status = error_.empty() ? UnreadableText(t, p) : Utf8Left(error_, kErrorTextLength);
    return false;
  }
  const InputPair pair = t.empty() ? InputPair::kP : p.empty() ? InputPair::kT : InputPair::kTP;
  const Evaluation evaluation =
      evaluator_.Evaluate({pair, pair == InputPair::kP ? st.PresKPa : st.TempK, st.PresKPa});
  if (!evaluation.state) {
    result.status = evaluation.error;
    return false;
  }
  const Evaluated& state = *evaluation.state;

  const std::size_t first = kept_ + kStateColumns;
  const std::size_t wetColumn = first + kPhaseColumns * request_.items.size();
  const std::optional<double> quality =
      qualityText.empty() ? std::nullopt : RowQuality(qualityText, state, result.status);
  // The cells of the row before keep their storage: cleared, not freed.
  result.cells.resize(wetColumn + (quality ? wetItems_.size() : 0));
  for (std::size_t i = kept_; i < result.cells.size(); ++i) result.cells[i].clear();
  result.cells[kept_].assign(conditionNames_[static_cast<std::size_t>(state.condition)]);
  // The numbers read are echoed as they are (StateText).
  StateText(kTemperature, state.T, t.empty() ? std::nullopt : std::optional(st.TempDisplay),
            result.cells[kept_ + 1]);
  StateText(kPressure, state.P, p.empty() ? std::nullopt : std::optional(st.PresDisplay),
            result.cells[kept_ + 2]);

  outOfRange_.clear();
  const std::span<const Phase> columns = state.Columns();
  for (std::size_t i = 0; i < request_.items.size(); ++i) {
    const std::size_t column = first + kPhaseColumns * i;
    const Item item = request_.items[i];
    if (state.Saturated()) {
      ValueCell(i, evaluator_.Value(state, item, columns[0]), result.cells[column + 1], "_liquid");
      ValueCell(i, evaluator_.Value(state, item, columns[1]), result.cells[column + 2], "_vapour");
    } else {
      ValueCell(i, evaluator_.Value(state, item, columns[0]), result.cells[column], "");
    }
  }
  if (quality) {
    // The wet steam of the row's quality at the state as typed (T and P both typed within the
    // saturation band stay as they are).
    Evaluated wet = state;
    wet.quality = *quality;
    for (std::size_t w = 0; w < wetItems_.size(); ++w)
      ValueCell(wetItems_[w], evaluator_.Value(wet, request_.items[wetItems_[w]], Phase::kWetSteam),
                result.cells[wetColumn + w], "_wet");
  }
  if (!outOfRange_.empty()) AppendNote(result.status, outOfRange_);
  return true;
}

std::optional<BatchComputer::PairValue> BatchComputer::PairInput(PairName name, const batch::BatchRow& row,
                                                                 std::string& status) {
  const std::string_view text = Trimmed(InputText(name, row));
  if (text.empty()) {
    status = MissingInputText(name);
    return std::nullopt;
  }
  std::string buffer;
  const std::string typed(NumberText(text, buffer));
  const std::optional<double> value = request_.set->Storage().ReadTyped(typed);
  if (!value) {
    status = NumberProblemOf(text, typed);
    return std::nullopt;
  }
  const std::optional<Quantity> q = QuantityOf(name);
  if (!q) return PairValue{*value, *value};  // x, in percent
  const long double internal = UnitConversion(session_.units, *request_.set, *q).ToInternal(*value);
  if (!FitsReal6(internal)) {
    status = NumberProblemOf(text, typed) + " " + session_.units.UnitText(*q);
    return std::nullopt;
  }
  return PairValue{*value, static_cast<double>(internal)};
}

bool BatchComputer::ComputePair(const batch::BatchRow& row, batch::BatchResult& result) {
  const PairInfo& info = InfoOf(*pair_);
  const std::optional<PairValue> first = PairInput(info.first, row, result.status);
  if (!first) return false;
  const std::optional<PairValue> second = PairInput(info.second, row, result.status);
  if (!second) return false;
  const Evaluation evaluation = evaluator_.Evaluate({*pair_, first->internal, second->internal});
  if (!evaluation.state) {
    result.status = evaluation.error;
    return false;
  }
  const Evaluated& state = *evaluation.state;
  // condition, T, P, x, then one cell per item; the cells of the row before keep their storage.
  const std::size_t items = kept_ + kStateColumns + 1;
  result.cells.resize(items + request_.items.size());
  for (std::size_t i = kept_; i < result.cells.size(); ++i) result.cells[i].clear();
  result.cells[kept_].assign(conditionNames_[static_cast<std::size_t>(state.condition)]);
  // A temperature or pressure given in the display unit is echoed as read, as in a T and P row.
  const auto read = [&](PairName name) -> std::optional<double> {
    if (info.first == name) return first->read;
    if (info.second == name) return second->read;
    return std::nullopt;
  };
  StateText(kTemperature, state.T, read(PairName::kT), result.cells[kept_ + 1]);
  StateText(kPressure, state.P, read(PairName::kP), result.cells[kept_ + 2]);
  if (state.quality) AppendStoredValueText(*state.quality, *request_.set, result.cells[kept_ + 3]);
  outOfRange_.clear();
  for (std::size_t i = 0; i < request_.items.size(); ++i)
    ValueCell(i, evaluator_.StateValue(state, request_.items[i]), result.cells[items + i], "");
  if (!outOfRange_.empty()) AppendNote(result.status, outOfRange_);
  return true;
}

}  // namespace tulo::cli
