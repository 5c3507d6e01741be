#include "batch/TableOutput.h"

#include <algorithm>

#include "common/Text.h"

namespace tulo::batch {
namespace {

// The widest text of a value cell ("Out of Range", "-8.8888e-88"), and of a typed temperature or
// pressure as ShortestText writes it with twelve digits ("-1.66666666667"; a longer one, rare,
// pushes the rest of its line to the right).
constexpr std::size_t kCellWidth = 12;
constexpr std::size_t kTypedWidth = 14;
constexpr const char* kColumnGap = "  ";

bool IsStateColumn(ColumnKind kind) {
  return kind == ColumnKind::kTemperature || kind == ColumnKind::kPressure;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  const std::size_t length = Utf8Length(text);
  return length < width ? std::string(width - length, ' ') + text : text;
}

}  // namespace

std::optional<TableFormat> ParseTableFormat(std::string_view name) {
  if (name == "text") return TableFormat::kText;
  if (auto data = ParseOutputFormat(name)) {
    switch (*data) {
      case OutputFormat::kCsv:
        return TableFormat::kCsv;
      case OutputFormat::kTsv:
        return TableFormat::kTsv;
      case OutputFormat::kJson:
        return TableFormat::kJson;
    }
  }
  return std::nullopt;
}

std::string HeadingLine(const ColumnHeading& heading) {
  std::string line = heading.name;
  if (!heading.phase.empty()) line.append(" ").append(heading.phase);
  if (!heading.unit.empty()) line.append(" (").append(heading.unit).append(")");
  return line;
}

TableWriter::TableWriter(TableFormat format, const RangeTable& table)
    : format_(format), headings_(table.Headings()) {
  std::vector<std::string> names;
  switch (format_) {
    case TableFormat::kText:
      for (std::size_t c = 0; c + 1 < headings_.size(); ++c) {
        const ColumnHeading& h = headings_[c];
        widths_.push_back(std::max({IsStateColumn(table.Columns()[c].kind) ? kTypedWidth : kCellWidth,
                                    Utf8Length(h.name), Utf8Length(h.phase), Utf8Length(h.unit)}));
      }
      return;
    case TableFormat::kCsv:
    case TableFormat::kTsv:
      for (const ColumnHeading& h : headings_) names.push_back(HeadingLine(h));
      data_.emplace(format_ == TableFormat::kCsv ? OutputFormat::kCsv : OutputFormat::kTsv, std::move(names));
      return;
    case TableFormat::kJson:
      for (const ColumnHeading& h : headings_) names.push_back(h.key);
      data_.emplace(OutputFormat::kJson, std::move(names));
      return;
  }
}

void TableWriter::AppendTextLine(const std::vector<std::string>& cells, std::string& out) const {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c > 0) line += kColumnGap;
    line += c < widths_.size() ? PadLeft(cells[c], widths_[c]) : cells[c];
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out.append(line).append("\n");
}

void TableWriter::AppendHeader(std::string& out) const {
  if (data_) {
    data_->AppendHeader(out);
    return;
  }
  std::vector<std::string> names, phases, units;
  bool anyPhase = false;
  for (const ColumnHeading& h : headings_) {
    names.push_back(h.name);
    phases.push_back(h.phase);
    units.push_back(h.unit);
    anyPhase = anyPhase || !h.phase.empty();
  }
  AppendTextLine(names, out);
  if (anyPhase) AppendTextLine(phases, out);
  AppendTextLine(units, out);
}

void TableWriter::AppendRows(const RangeTable& block, std::string& out) {
  AppendRows(block, 0, block.RowCount(), out);
}

void TableWriter::AppendRows(const RangeTable& block, std::int64_t first, std::int64_t count, std::string& out) {
  const int columns = block.ColumnCount();
  const std::int64_t end = std::min(block.RowCount(), first + count);
  if (data_) {
    BatchResult row;
    for (std::int64_t r = first; r < end; ++r) {
      row.cells.clear();
      for (int c = 0; c + 1 < columns; ++c) row.cells.push_back(block.NumberText(r, c));
      row.status = block.CellText(r, columns - 1);  // the condition, the last column
      data_->AppendRow(row, firstRow_, out);
      firstRow_ = false;
    }
    return;
  }
  std::vector<std::string> cells(static_cast<std::size_t>(columns));
  for (std::int64_t r = first; r < end; ++r) {
    for (int c = 0; c < columns; ++c) cells[static_cast<std::size_t>(c)] = block.CellText(r, c);
    AppendTextLine(cells, out);
  }
}

void TableWriter::AppendFooter(std::string& out) const {
  if (data_) data_->AppendFooter(out);
}

std::string TableText(const RangeTable& table, TableFormat format) {
  TableWriter writer(format, table);
  std::string out;
  writer.AppendHeader(out);
  writer.AppendRows(table, out);
  writer.AppendFooter(out);
  return out;
}

std::string ClipboardText(const RangeTable& table) {
  std::string out;
  const int columns = table.ColumnCount();
  for (int c = 0; c < columns; ++c) {
    if (c > 0) out += '\t';
    out += HeadingLine(table.Headings()[static_cast<std::size_t>(c)]);
  }
  out += "\r\n";
  for (std::int64_t r = 0; r < table.RowCount(); ++r) {
    for (int c = 0; c < columns; ++c) {
      if (c > 0) out += '\t';
      out += table.CellText(r, c);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace tulo::batch
