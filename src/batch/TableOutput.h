#pragma once
// The output of a range table, written block by block as its rows are computed, so that a large
// table never has to be held whole:
//
// - text: aligned columns for reading, the cells as the Tables window shows them (about five
//   significant figures, " -" and "Out of Range"); two or three heading lines (the names, the
//   phases of a saturation table, the units); numbers right-aligned, the condition last.
// - csv (RFC 4180, through BatchWriter), tsv: one heading row, "Enthalpy liquid (kJ/kg)", then
//   every digit of each value (RangeTable::NumberText) or its status text; LF line ends, for files.
// - json: an array of one object per row keyed by the columns' keys ("T", "enthalpy_liquid",
//   "condition"); values are numbers, status texts strings.
// Every format ends its lines with LF. The clipboard text of the window is separate: tabs, the
// cells as shown, CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchWriter.h"
#include "results/RangeTable.h"

namespace tulo::batch {

enum class TableFormat { kText, kCsv, kTsv, kJson };

// "text", "csv", "tsv" or "json" (lower case, as on the command line).
std::optional<TableFormat> ParseTableFormat(std::string_view name);

// A column's heading on one line: "Enthalpy liquid (kJ/kg)", "Temperature (Celsius)", "Condition".
std::string HeadingLine(const ColumnHeading& heading);

class TableWriter {
 public:
  // The columns and headings are those of `table` (any block of the table to be written).
  TableWriter(TableFormat format, const RangeTable& table);

  void AppendHeader(std::string& out) const;
  // The rows of the next block, in order; or rows [first, first + count) of it.
  void AppendRows(const RangeTable& block, std::string& out);
  void AppendRows(const RangeTable& block, std::int64_t first, std::int64_t count, std::string& out);
  void AppendFooter(std::string& out) const;

 private:
  void AppendTextLine(const std::vector<std::string>& cells, std::string& out) const;

  TableFormat format_;
  std::vector<ColumnHeading> headings_;
  std::optional<BatchWriter> data_;  // csv, tsv and json
  std::vector<std::size_t> widths_;  // text: the width of every column but the last
  bool firstRow_ = true;
};

// The whole table in one format.
std::string TableText(const RangeTable& table, TableFormat format);

// The table as Copy puts it on the clipboard: a heading row (HeadingLine), then the cells as the
// window shows them, separated by tabs, each line ended by CR LF.
std::string ClipboardText(const RangeTable& table);

}  // namespace tulo::batch
