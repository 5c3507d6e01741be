#include "results/RangeTable.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

#include "common/Real6.h"
#include "results/CellText.h"
#include "results/DisplayValue.h"
#include "results/PhaseCondition.h"
#include "results/Results.h"
#include "results/Session.h"
#include "results/StateEvaluator.h"

namespace tulo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Rows a worker takes at a time: few enough that the work stays even and the progress moves,
// many enough that the shared counter and the report cost nothing.
constexpr std::int64_t kChunkRows = 256;

// A step leaving less than this share of itself before `to` divides the range.
constexpr double kStepSlack = 1e-6;

std::string TrimmedUnit(UnitSettings& units, Quantity q) {
  std::string text = units.UnitText(q);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text == "-" ? std::string() : text;
}

// The items of the row sets of `conditions`, each once, in catalogue order.
std::vector<Item> RowsOf(const CorrelationSet& set, std::initializer_list<Condition> conditions) {
  std::vector<Item> items;
  for (Condition c : conditions)
    for (Item item : set.Layout().RowSet(c, true)) items.push_back(item);
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

// One worker's rows: a session of its own, its state set as the window sets it for the typed
// values of each row.
class RowComputer {
 public:
  RowComputer(const TableRequest& request, const CorrelationSet& set, const UnitSelection& units,
              const std::vector<TableColumn>& columns)
      : request_(request), columns_(columns), s_(set), evaluator_(set), cells_(columns.size()) {
    s_.units.InitUnits(units);
    // The fixed quantity is the same in every row.
    if (request.kind == TableKind::kIsobar) fixed_ = TypedPressure(request.at);
    if (request.kind == TableKind::kIsotherm) fixed_ = TypedTemperature(request.at);
  }

  void Compute(std::int64_t index, RangeTable& table, std::int64_t row) {
    const double typed = request_.range.Value(index, s_.Set());
    StateInput input;
    switch (request_.kind) {
      case TableKind::kSaturationByTemperature:
        input = {InputPair::kT, TypedTemperature(typed)};
        break;
      case TableKind::kSaturationByPressure:
        input = {InputPair::kP, TypedPressure(typed)};
        break;
      case TableKind::kIsobar:
        input = {InputPair::kTP, TypedTemperature(typed), fixed_};
        break;
      case TableKind::kIsotherm:
        input = {InputPair::kTP, fixed_, TypedPressure(typed)};
        break;
    }
    const Evaluation e = evaluator_.Evaluate(input);
    const bool stateKnown = e.state.has_value();
    const Evaluated st = e.state.value_or(Evaluated{});
    const Quantity varied = VariedQuantity(request_.kind);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      const TableColumn& column = columns_[c];
      TableCell& cell = cells_[c];
      switch (column.kind) {
        case ColumnKind::kTemperature:
        case ColumnKind::kPressure: {
          const Quantity q = column.kind == ColumnKind::kTemperature ? kTemperature : kPressure;
          if (q == varied)
            cell = {typed, Status::kValid};
          else if (!IsSaturationTable(request_.kind))
            cell = {request_.at, Status::kValid};
          else if (stateKnown)
            cell = Shown(q, q == kTemperature ? st.T : st.P);
          else
            cell = {kNaN, Status::kOutOfRange};
          break;
        }
        case ColumnKind::kValue:
        case ColumnKind::kLiquid:
        case ColumnKind::kVapour:
          cell = stateKnown ? Value(column, st) : TableCell{kNaN, Status::kOutOfRange};
          break;
        case ColumnKind::kCondition:
          cell = {0.0, Status::kValid};
          break;
      }
    }
    table.SetRow(row, st.condition, cells_);
  }

 private:
  // A typed temperature as the input checks keep it.
  double TypedTemperature(double typed) {
    return static_cast<double>(UnitConversion(s_.units, s_.Set(), kTemperature).ToInternal(typed));
  }
  // A typed pressure as the input checks keep it, then as the recalculation holds it (the
  // pressure goes through its display unit once more, as the window's does).
  double TypedPressure(double typed) {
    s_.state.PresKPa = static_cast<double>(UnitConversion(s_.units, s_.Set(), kPressure).ToInternal(typed));
    RefreshQuantity(s_, kPressure);
    return s_.state.PresKPa;
  }

  // An internal value in its display unit, as the window's state holds it.
  TableCell Shown(Quantity q, long double internal) {
    const long double shown = UnitConversion(s_.units, s_.Set(), q).ToDisplay(internal);
    if (!std::isfinite(shown)) return {kNaN, Status::kOutOfRange};
    return {static_cast<double>(shown), Status::kValid};
  }

  TableCell Value(const TableColumn& column, const Evaluated& st) {
    // A liquid (or solid) and a vapour column on the saturation line; a single value column shows
    // the state's one value (the saturated vapour on the saturation line).
    const std::span<const Phase> phases = st.Columns();
    const Phase phase = column.kind == ColumnKind::kLiquid ? phases.front()
                        : column.kind == ColumnKind::kVapour ? phases.back()
                                                               : st.OneColumn();
    const CalcResult r = evaluator_.Value(st, column.item, phase);
    // As its standard stores it: a Real6 or every digit of a double.
    const DisplayValue shown = UnitConversion(s_.units, s_.Set(), PropQuantity(column.item)).Display(r);
    return {shown.value, shown.status};
  }

  const TableRequest& request_;
  const std::vector<TableColumn>& columns_;
  Session s_;  // the units and the window's conversions of typed values
  StateEvaluator evaluator_;
  std::vector<TableCell> cells_;
  double fixed_ = 0.0;  // internal
};

}  // namespace

bool IsSaturationTable(TableKind kind) {
  return kind == TableKind::kSaturationByTemperature || kind == TableKind::kSaturationByPressure;
}

Quantity VariedQuantity(TableKind kind) {
  return kind == TableKind::kSaturationByPressure || kind == TableKind::kIsotherm ? kPressure : kTemperature;
}

std::optional<Quantity> FixedQuantity(TableKind kind) {
  switch (kind) {
    case TableKind::kIsobar:
      return kPressure;
    case TableKind::kIsotherm:
      return kTemperature;
    case TableKind::kSaturationByTemperature:
    case TableKind::kSaturationByPressure:
      break;
  }
  return std::nullopt;
}

std::string TableKindName(TableKind kind) {
  switch (kind) {
    case TableKind::kSaturationByTemperature:
      return "Saturation by temperature";
    case TableKind::kSaturationByPressure:
      return "Saturation by pressure";
    case TableKind::kIsobar:
      return "Isobar";
    case TableKind::kIsotherm:
      return "Isotherm";
  }
  return "";
}

double TableRange::Value(std::int64_t row, const CorrelationSet& set) const {
  const double x = row >= rows - 1 ? to : from + static_cast<double>(row) * step;
  return static_cast<double>(set.Storage().Store(x));
}

std::optional<TableRange> RangeByStep(double from, double to, double step) {
  if (from == to) return TableRange{from, to, step, 1};
  const double steps = (to - from) / step;
  if (!(steps < static_cast<double>(kMaxTableRows))) return std::nullopt;
  const double whole = std::floor(steps);
  const auto count = static_cast<std::int64_t>(steps - whole < kStepSlack ? whole : whole + 1.0);
  if (count + 1 > kMaxTableRows) return std::nullopt;
  return TableRange{from, to, step, count + 1};
}

TableRange RangeByRows(double from, double to, std::int64_t rows) {
  if (rows <= 1 || from == to) return {from, to, 0.0, 1};
  return {from, to, (to - from) / static_cast<double>(rows - 1), rows};
}

std::vector<Item> DefaultTableItems(const CorrelationSet& set, TableKind kind) {
  if (IsSaturationTable(kind)) return RowsOf(set, {Condition::kSatLiquidVapour});
  return RowsOf(set, {Condition::kSubCooledLiquid, Condition::kSuperheated});
}

std::vector<TableColumn> TableColumns(TableKind kind, std::span<const Item> items) {
  std::vector<TableColumn> columns = {{ColumnKind::kTemperature, Item::kTemperature},
                                      {ColumnKind::kPressure, Item::kPressure}};
  for (Item item : items) {
    if (IsSaturationTable(kind)) {
      columns.push_back({ColumnKind::kLiquid, item});
      columns.push_back({ColumnKind::kVapour, item});
    } else {
      columns.push_back({ColumnKind::kValue, item});
    }
  }
  columns.push_back({ColumnKind::kCondition, Item::kTemperature});
  return columns;
}

ColumnHeading HeadingOf(const TableColumn& column, UnitSettings& units) {
  switch (column.kind) {
    case ColumnKind::kTemperature:
      return {"Temperature", "", TrimmedUnit(units, kTemperature), "T"};
    case ColumnKind::kPressure:
      return {"Pressure", "", TrimmedUnit(units, kPressure), "P"};
    case ColumnKind::kValue:
      return {PropName(column.item), "", TrimmedUnit(units, PropQuantity(column.item)), ItemKey(column.item)};
    case ColumnKind::kLiquid:
      return {PropName(column.item), "liquid", TrimmedUnit(units, PropQuantity(column.item)),
              ItemKey(column.item) + "_liquid"};
    case ColumnKind::kVapour:
      return {PropName(column.item), "vapour", TrimmedUnit(units, PropQuantity(column.item)),
              ItemKey(column.item) + "_vapour"};
    case ColumnKind::kCondition:
      break;
  }
  return {"Condition", "", "", "condition"};
}

RangeTable::RangeTable(TableRequest request, const CorrelationSet& set, const UnitSelection& units,
                       std::int64_t first, std::int64_t count)
    : request_(std::move(request)),
      set_(&set),
      columns_(TableColumns(request_.kind, request_.items)),
      first_(first),
      count_(count) {
  UnitSettings settings;
  settings.InitUnits(units);
  for (const TableColumn& column : columns_) headings_.push_back(HeadingOf(column, settings));
  const auto cells = static_cast<std::size_t>(count_) * columns_.size();
  values_.assign(cells, kNaN);
  statuses_.assign(cells, Status::kNotGiven);
  conditions_.assign(static_cast<std::size_t>(count_), Condition::kNone);
}

TableCell RangeTable::Cell(std::int64_t row, int col) const {
  const std::size_t i = static_cast<std::size_t>(row) * columns_.size() + static_cast<std::size_t>(col);
  return {values_[i], statuses_[i]};
}

void RangeTable::SetRow(std::int64_t row, Condition condition, std::span<const TableCell> cells) {
  const std::size_t base = static_cast<std::size_t>(row) * columns_.size();
  for (std::size_t c = 0; c < columns_.size() && c < cells.size(); ++c) {
    values_[base + c] = cells[c].value;
    statuses_[base + c] = cells[c].status;
  }
  conditions_[static_cast<std::size_t>(row)] = condition;
}

// The temperature or pressure typed for every row: the varied quantity and the fixed one.
bool RangeTable::Typed(const TableColumn& column) const {
  const Quantity q = column.kind == ColumnKind::kTemperature ? kTemperature : kPressure;
  return q == VariedQuantity(request_.kind) || FixedQuantity(request_.kind) == q;
}

std::string RangeTable::CellText(std::int64_t row, int col) const {
  const TableColumn& column = columns_[static_cast<std::size_t>(col)];
  if (column.kind == ColumnKind::kCondition) return ConditionName(RowCondition(row));
  const TableCell cell = Cell(row, col);
  switch (cell.status) {
    case Status::kValid:
      break;
    case Status::kNotGiven:
      return " -";
    case Status::kOutOfRange:
      return "Out of Range";
  }
  const bool typed =
      (column.kind == ColumnKind::kTemperature || column.kind == ColumnKind::kPressure) && Typed(column);
  // Other numbers as the window's grid cells show them, from the Real6 of the value.
  return typed ? StoredValueText(cell.value, *set_) : ValueCellText(R6(cell.value));
}

std::string RangeTable::NumberText(std::int64_t row, int col) const {
  const TableCell cell = Cell(row, col);
  const ColumnKind kind = columns_[static_cast<std::size_t>(col)].kind;
  if (kind == ColumnKind::kCondition || cell.status != Status::kValid) return CellText(row, col);
  // The typed temperature and pressure are the rows' values as the standard keeps them typed; the
  // one derived on the saturation line, and the properties, as the standard stores them.
  return StoredValueText(cell.value, *set_);
}

std::optional<RangeTable> ComputeRangeTable(const TableRequest& request, const CorrelationSet& set,
                                            const UnitSelection& units, std::int64_t first,
                                            std::int64_t count, const TableControl& control) {
  RangeTable table(request, set, units, first, count);
  unsigned threads =
      control.threads != 0 ? control.threads : std::max(1u, std::thread::hardware_concurrency());
  const std::int64_t chunks = (count + kChunkRows - 1) / kChunkRows;
  threads = static_cast<unsigned>(std::clamp<std::int64_t>(chunks, 1, threads));

  std::atomic<std::int64_t> next{0};
  std::atomic<bool> stopped{false};
  std::mutex reportMutex;
  std::int64_t done = 0;
  std::exception_ptr failure;
  auto work = [&] {
    try {
      RowComputer computer(request, set, units, table.Columns());
      for (;;) {
        const std::int64_t begin = next.fetch_add(kChunkRows);
        if (begin >= count) return;
        const std::int64_t end = std::min(count, begin + kChunkRows);
        for (std::int64_t row = begin; row < end; ++row) {
          if (stopped.load(std::memory_order_relaxed) ||
              (control.cancel != nullptr && control.cancel->load(std::memory_order_relaxed))) {
            stopped = true;
            return;
          }
          computer.Compute(first + row, table, row);
        }
        if (control.progress) {
          std::lock_guard lock(reportMutex);
          done += end - begin;
          control.progress(done, count);
        }
      }
    } catch (...) {
      std::lock_guard lock(reportMutex);
      if (!failure) failure = std::current_exception();
      stopped = true;
    }
  };
  std::vector<std::thread> workers;
  for (unsigned i = 1; i < threads; ++i) workers.emplace_back(work);
  work();
  for (std::thread& w : workers) w.join();
  if (failure) std::rethrow_exception(failure);
  if (stopped) return std::nullopt;
  return table;
}

std::optional<RangeTable> ComputeRangeTable(const TableRequest& request, const CorrelationSet& set,
                                            const UnitSelection& units, const TableControl& control) {
  return ComputeRangeTable(request, set, units, 0, request.range.rows, control);
}

}  // namespace tulo
