#pragma once
// The output of a batch run: one row per input row, in one of three formats.
//
// - csv: RFC 4180; a cell holding the separator (a comma, or a semicolon for numbers with a
//   decimal comma), a double quote or a line end is quoted, its quotes doubled. Rows end with LF.
// - tsv: tabs and line ends inside a cell become spaces, so every row is one line.
// - json: one array of objects, one object per line, keyed by the column names:
//     [
//     {"condition":"liquid","T":300,...,"status":""},
//     ...
//     ]
//   A cell that is a JSON number as written is a number, an empty cell is null, any other cell a
//   string; the status is always a string. Invalid UTF-8 becomes U+FFFD.
//
// Every row has the header's width: the columns given, the status last; a row's cells are cut or
// padded with empty cells to the columns before the status.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/BatchRow.h"

namespace tulo::batch {

enum class OutputFormat { kCsv, kTsv, kJson };

// "csv", "tsv" or "json" (lower case, as on the command line).
std::optional<OutputFormat> ParseOutputFormat(std::string_view name);

// Formats rows of one run; shared by the worker threads (every member is const).
class BatchWriter {
 public:
  // columns: the output column names, the status column last (an empty list means one column,
  // "status"). csvSeparator: the separator of csv.
  BatchWriter(OutputFormat format, std::vector<std::string> columns, char csvSeparator = ',');

  void AppendHeader(std::string& out) const;
  // firstRow: the row is the first of the output (JSON separates the objects).
  void AppendRow(const BatchResult& row, bool firstRow, std::string& out) const;
  void AppendFooter(std::string& out) const;

 private:
  void AppendCell(std::string_view cell, std::string& out) const;
  // True when no character of the cell needs quoting (csv) or replacing (tsv).
  bool Plain(std::string_view cell) const;

  OutputFormat format_;
  char separator_;  // of csv and tsv
  // By byte: the characters a csv cell is quoted for, or those a tsv cell has replaced.
  std::array<bool, 256> special_{};
  std::vector<std::string> columns_;
  std::vector<std::string> jsonKeys_;  // "name": with the name escaped, for each column
};

}  // namespace tulo::batch
