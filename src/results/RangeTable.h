#pragma once
// Range tables: the properties of the states along the saturation line, an isobar or an isotherm,
// one row per state, in the units and the standard of a session.
//
// Every row is the state the window shows for the same typed values: the varied quantity (and the
// fixed one) typed in its display unit, read as the standard takes a typed number (a Real6 in the
// built-in standard, the nearest double in one computed in double precision), with the
// phase condition and the saturation line of the standard in use. Its cells are the window's:
//   - saturation tables: a liquid and a vapour column per item (on the sublimation line, below
//     the triple point, the liquid column holds the saturated solid, as the window's first column);
//   - isobars and isotherms: one column per item, the value in the phase of the row's condition.
//     A row within the saturation band (a state the window shows as saturated) takes the
//     saturated vapour's values, as the "Sat." row of a superheated-steam table does; its
//     condition column says that it is saturated.
// The columns: the temperature, the pressure, the items' columns, the condition last.
// A cell out of a correlation's range has that status and the window's text; it never ends the
// table.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "props/CalcResult.h"
#include "props/Catalogue.h"
#include "props/CorrelationSet.h"
#include "props/Phase.h"
#include "units/Units.h"

namespace tulo {

enum class TableKind : std::uint8_t {
  kSaturationByTemperature,
  kSaturationByPressure,
  kIsobar,    // the temperature varies at a fixed pressure
  kIsotherm,  // the pressure varies at a fixed temperature
};

inline constexpr TableKind kTableKinds[] = {TableKind::kSaturationByTemperature,
                                            TableKind::kSaturationByPressure, TableKind::kIsobar,
                                            TableKind::kIsotherm};

// The largest table: more rows is an input error.
inline constexpr std::int64_t kMaxTableRows = 1'000'000;

bool IsSaturationTable(TableKind kind);
// The quantity that varies from row to row.
Quantity VariedQuantity(TableKind kind);
// The quantity held fixed: the pressure of an isobar, the temperature of an isotherm; nothing for
// a saturation table.
std::optional<Quantity> FixedQuantity(TableKind kind);
// "Saturation by temperature", "Isobar", ...
std::string TableKindName(TableKind kind);

// The values of the varied quantity, in its display unit: `rows` values from `from` in steps of
// `step`, the last exactly `to` (closer to the one before than a step when the step does not
// divide the range). One row when from equals to.
struct TableRange {
  double from = 0.0;
  double to = 0.0;
  double step = 0.0;
  std::int64_t rows = 1;

  // The value of row i (0 <= i < rows) as `set` would keep it typed: a Real6 in the built-in
  // standard, the double itself in one computed in double precision.
  double Value(std::int64_t row, const CorrelationSet& set) const;
};

// The range from a step (> 0, from <= to); nothing when it has more than kMaxTableRows rows.
// A step that leaves less than a millionth of itself before `to` divides the range.
std::optional<TableRange> RangeByStep(double from, double to, double step);
// The range of `rows` rows (>= 2 when from < to, 1 when from equals to).
TableRange RangeByRows(double from, double to, std::int64_t rows);

struct TableRequest {
  TableKind kind = TableKind::kSaturationByTemperature;
  TableRange range;
  double at = 0.0;          // the fixed quantity, in its display unit (as typed); unused for saturation
  std::vector<Item> items;  // variable items, none twice
};

// The items of the variable-results grid of the standard (full list): for a saturation table its
// rows for saturated liquid and vapour, for an isobar or an isotherm the union of its rows for
// sub-cooled liquid and superheated vapour; in catalogue order.
std::vector<Item> DefaultTableItems(const CorrelationSet& set, TableKind kind);

enum class ColumnKind : std::uint8_t { kTemperature, kPressure, kValue, kLiquid, kVapour, kCondition };

struct TableColumn {
  ColumnKind kind;
  Item item;  // the item of a value column; kTemperature or kPressure for those; unused for the condition
};

// The columns of a table of `items`.
std::vector<TableColumn> TableColumns(TableKind kind, std::span<const Item> items);

// The heading of a column in three parts: the name ("Enthalpy"), the phase ("liquid", "vapour" or
// empty) and the unit text in `units` (empty for the condition and for dimensionless items);
// and its key ("enthalpy_liquid", "T", "condition").
struct ColumnHeading {
  std::string name, phase, unit, key;
};
ColumnHeading HeadingOf(const TableColumn& column, UnitSettings& units);

// One cell: its value in its display unit (NaN unless the status is valid) and status. A
// temperature, pressure or property value is as its standard stores it, a Real6 or a double.
struct TableCell {
  double value;
  Status status;
};

// Rows [first, first + count) of a table, computed.
class RangeTable {
 public:
  // set: the standard computed, which outlives the table.
  RangeTable(TableRequest request, const CorrelationSet& set, const UnitSelection& units, std::int64_t first,
             std::int64_t count);

  const TableRequest& Request() const { return request_; }
  const std::vector<TableColumn>& Columns() const { return columns_; }
  const std::vector<ColumnHeading>& Headings() const { return headings_; }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // The rows held and the index of the first in the whole table.
  std::int64_t RowCount() const { return count_; }
  std::int64_t FirstRow() const { return first_; }

  // row counts from 0 within the rows held. The condition column's cell is always valid, with a
  // value of 0.
  TableCell Cell(std::int64_t row, int col) const;
  Condition RowCondition(std::int64_t row) const { return conditions_[row]; }
  // The text of a cell as the grid shows it: a typed temperature or pressure as typed, every other
  // number as the window's grid cells show it (about five significant figures), " -" or
  // "Out of Range" for those statuses, the condition's name.
  std::string CellText(std::int64_t row, int col) const;
  // The number of a cell as the data formats write it: every digit the value holds (ShortestText
  // as StoredValueText gives it), the status text
  // otherwise, the condition's name.
  std::string NumberText(std::int64_t row, int col) const;

  // For the computation: the cells of a row, by column.
  void SetRow(std::int64_t row, Condition condition, std::span<const TableCell> cells);

 private:
  bool Typed(const TableColumn& column) const;

  TableRequest request_;
  const CorrelationSet* set_;
  std::vector<TableColumn> columns_;
  std::vector<ColumnHeading> headings_;
  std::int64_t first_;
  std::int64_t count_;
  std::vector<double> values_;    // [row * columns + col]
  std::vector<Status> statuses_;  // [row * columns + col]
  std::vector<Condition> conditions_;
};

// How a computation runs: the worker threads (0: one per core), a flag that ends it early (read
// before every row) and a report of the rows done so far, called from the workers one at a time
// (never two at once), after every few hundred rows and at the end.
struct TableControl {
  unsigned threads = 0;
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(std::int64_t done, std::int64_t total)> progress;
};

// Computes rows [first, first + count) of the table in the standard `set` and the units `units`,
// each worker with a session of its own. Nothing when the cancel flag ended it. The request must be
// valid (CheckTableInput in the application layer checks what the user typed).
std::optional<RangeTable> ComputeRangeTable(const TableRequest& request, const CorrelationSet& set,
                                            const UnitSelection& units, std::int64_t first,
                                            std::int64_t count, const TableControl& control = {});
// Every row.
std::optional<RangeTable> ComputeRangeTable(const TableRequest& request, const CorrelationSet& set,
                                            const UnitSelection& units, const TableControl& control = {});

}  // namespace tulo
