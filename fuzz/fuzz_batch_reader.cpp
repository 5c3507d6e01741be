// The batch reader and pipeline on arbitrary bytes. The reader is checked against a plain
// whole-text model of the same rules (records, fields, lines, row errors, the header); the
// pipeline must give exactly one output row per record, in input order, in every format, and
// its CSV must read back through the reader unchanged.
//
// The read size, record limit, threads and chunk size are taken from the input's length, so that
// the seeds stay plain text and still cross buffer ends and the record limit.

#include <algorithm>
#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "batch/BatchReader.h"
#include "batch/BatchRun.h"
#include "units/UnitSymbols.h"

using tulo::fuzz::Check;
using tulo::fuzz::Fail;
using namespace tulo::batch;

namespace {

struct ModelRecord {
  std::uint64_t line = 0;
  std::vector<std::string> fields;
  std::size_t bytes = 0;  // without the line end
  bool blank = true;
  bool textAfterQuote = false;
  bool unclosedQuote = false;
};

bool EndsField(char c, char delimiter) {
  return c == delimiter || c == '\n' || c == '\r';
}

// Every record of text, blank ones included.
std::vector<ModelRecord> SplitRecords(std::string_view text, char delimiter) {
  std::vector<ModelRecord> records;
  std::size_t i = 0;
  const std::size_t n = text.size();
  std::uint64_t line = 1;
  while (i < n) {
    ModelRecord r;
    r.line = line;
    for (;;) {
      std::string field;
      if (i < n && text[i] == '"') {
        r.blank = false;
        ++r.bytes;
        ++i;
        while (i < n && !(text[i] == '"' && (i + 1 == n || text[i + 1] != '"'))) {
          if (text[i] == '"') {  // a doubled quote
            field += '"';
            r.bytes += 2;
            i += 2;
            continue;
          }
          if (text[i] == '\n') ++line;
          field += text[i++];
          ++r.bytes;
        }
        if (i == n) {
          r.unclosedQuote = true;
          r.fields.push_back(field);
          break;
        }
        ++i;  // the closing quote
        ++r.bytes;
        if (i < n && !EndsField(text[i], delimiter)) r.textAfterQuote = true;
      }
      while (i < n && !EndsField(text[i], delimiter)) {
        if (text[i] != ' ' && text[i] != '\t' && text[i] != ',') r.blank = false;
        field += text[i++];
        ++r.bytes;
      }
      r.fields.push_back(field);
      if (i < n && text[i] == delimiter) {
        ++r.bytes;
        ++i;
        continue;
      }
      if (i < n) {
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
      }
      break;
    }
    records.push_back(r);
  }
  return records;
}

char ModelDelimiter(std::string_view text, std::size_t window) {
  text = text.substr(0, window);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t,") != std::string_view::npos) {
      if (line.find('\t') != std::string_view::npos) return '\t';
      return line.find(',') == std::string_view::npos && line.find(';') != std::string_view::npos ? ';' : ',';
    }
    start = end + 1;
  }
  return ',';
}

// By InputColumn: T, P, x, h, s.
using Columns = std::array<std::optional<std::size_t>, kInputColumns>;

// The input columns are T and P (x optional), or two of T, P, x, h, s that make a pair.
bool MakeInput(const Columns& found) {
  if (found[0] && found[1] && !found[3] && !found[4]) return true;
  constexpr std::array<std::array<int, 2>, 7> kPairs = {
      {{0, 2}, {1, 2}, {1, 3}, {1, 4}, {3, 4}, {0, 3}, {0, 4}}};
  for (const auto& pair : kPairs) {
    bool exactly = true;
    for (std::size_t k = 0; k < kInputColumns; ++k)
      exactly = exactly &&
                found[k].has_value() == (static_cast<int>(k) == pair[0] || static_cast<int>(k) == pair[1]);
    if (exactly) return true;
  }
  return false;
}

struct Model {
  bool headerReadable = false;
  std::size_t fieldCount = 0;
  Columns columns;
  bool unknownUnit = false;  // refused for the unit in brackets of an input column
  std::vector<ModelRecord> rows;
};

Model BuildModel(std::string_view text, std::size_t maxRecordBytes) {
  Model model;
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return model;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<ModelRecord> records = SplitRecords(text, ModelDelimiter(text, maxRecordBytes));
  std::erase_if(records, [](const ModelRecord& r) { return r.blank; });
  if (records.empty()) return model;
  const ModelRecord& header = records.front();
  if (header.bytes > maxRecordBytes || header.unclosedQuote || header.textAfterQuote) return model;
  Columns found;
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    InputColumn column = ClassifyColumnName(header.fields[i]);
    if (column == InputColumn::kOther) continue;
    auto& slot = found[static_cast<std::size_t>(column)];
    if (slot) return model;
    slot = i;
  }
  if (!MakeInput(found)) return model;
  // An input column's unit in brackets must be one the program knows.
  constexpr tulo::Quantity kQuantities[] = {tulo::kTemperature, tulo::kPressure, tulo::kTemperature,
                                            tulo::kEnthalpyQ, tulo::kEntropyQ};
  for (std::size_t k = 0; k < kInputColumns; ++k) {
    if (!found[k]) continue;
    const std::string_view unit = ColumnUnitText(header.fields[*found[k]]);
    if (unit.empty()) continue;
    if (k == 2 ? unit != "%" : !tulo::UnitFromSymbol(kQuantities[k], unit)) {
      model.unknownUnit = true;
      return model;
    }
  }
  model.headerReadable = true;
  model.fieldCount = header.fields.size();
  model.columns = found;
  model.rows.assign(records.begin() + 1, records.end());
  return model;
}

// A record's text of an input column, empty when the input has no such column.
std::string Field(const ModelRecord& r, const std::optional<std::size_t>& column) {
  return column ? r.fields[*column] : std::string();
}

// The start of the reader's message for a record, empty when it is read well.
std::string ExpectedError(const ModelRecord& r, const Model& model, std::size_t maxRecordBytes) {
  if (r.bytes > maxRecordBytes) return "row longer than";
  if (r.unclosedQuote) return "a quoted field is not closed";
  if (r.textAfterQuote) return "text after the closing quote";
  if (r.fields.size() != model.fieldCount) return "wrong number of fields";
  return {};
}

void CheckReader(std::string_view text, const Model& model, std::size_t maxRecordBytes,
                 std::size_t readBytes) {
  std::istringstream in{std::string(text)};
  BatchReader reader(in, maxRecordBytes, readBytes);
  const std::string headerError = reader.ReadHeader();
  Check(headerError.empty() == model.headerReadable, "header: reader says \"" + headerError + "\"");
  if (!model.headerReadable) {
    Check(headerError.starts_with(model.unknownUnit ? "unknown " : "unreadable header: "),
          "header message: " + headerError);
    return;
  }
  BatchRow row;
  for (const ModelRecord& want : model.rows) {
    Check(reader.Next(row), "a record is missing (line " + std::to_string(want.line) + ")");
    Check(row.line == want.line, "line " + std::to_string(row.line) + " for " + std::to_string(want.line));
    const std::string error = ExpectedError(want, model, maxRecordBytes);
    Check(row.error.starts_with(error) && row.error.empty() == error.empty(),
          "line " + std::to_string(want.line) + ": \"" + row.error + "\" where \"" + error + "\" was due");
    if (!error.empty()) continue;
    const std::string* texts[] = {&row.t, &row.p, &row.quality, &row.h, &row.s};
    for (std::size_t k = 0; k < kInputColumns; ++k)
      Check(*texts[k] == Field(want, model.columns[k]), "input text " + std::to_string(k) + " differs");
  }
  Check(!reader.Next(row), "a record too many");
}

// The computer: echoes the line and the texts; a row without P is bad.
RowComputerFactory EchoFactory() {
  return [] {
    return [](const BatchRow& row, BatchResult& result) {
      result =
          BatchResult{{std::to_string(row.line), row.t, row.p, row.quality}, row.p.empty() ? "no P" : ""};
    };
  };
}

BatchReport RunFormat(std::string_view text, OutputFormat format, const BatchOptions& base,
                      std::string& out) {
  BatchOptions options = base;
  options.format = format;
  std::istringstream in{std::string(text)};
  std::ostringstream output;
  BatchReport report = RunBatch(in, output, options, EchoFactory());
  out = output.str();
  return report;
}

void CheckPipeline(std::string_view text, const Model& model, const BatchOptions& options) {
  const std::uint64_t records = model.rows.size();
  std::string out;

  // TSV: one line per row; the first cell is the input line, so order shows.
  BatchReport report = RunFormat(text, OutputFormat::kTsv, options, out);
  if (!model.headerReadable) {
    Check(report.outcome == BatchOutcome::kUnreadableHeader && out.empty(), "unreadable header, yet output");
    return;
  }
  Check(report.outcome == (report.badRows > 0 ? BatchOutcome::kSomeRowsBad : BatchOutcome::kAllRowsGood),
        "outcome does not match the bad rows");
  Check(report.rows == records,
        "TSV: " + std::to_string(report.rows) + " rows for " + std::to_string(records));
  Check(static_cast<std::uint64_t>(std::count(out.begin(), out.end(), '\n')) == records + 1,
        "TSV line count");
  std::size_t at = out.find('\n') + 1;
  for (const ModelRecord& want : model.rows) {
    // A record the reader refused never reaches the computer: its cells are empty.
    const bool readWell = ExpectedError(want, model, options.maxRecordBytes).empty();
    const std::string first = out.substr(at, out.find('\t', at) - at);
    Check(first == (readWell ? std::to_string(want.line) : std::string()), "TSV rows out of order");
    at = out.find('\n', at) + 1;
  }

  // CSV reads back through the reader: same rows, same texts.
  report = RunFormat(text, OutputFormat::kCsv, options, out);
  Check(report.rows == records, "CSV row count");
  std::istringstream csv(out);
  BatchReader back(csv);
  Check(back.ReadHeader().empty(), "the CSV output has no readable header");
  BatchRow row;
  for (const ModelRecord& want : model.rows) {
    Check(back.Next(row), "CSV output: a row is missing");
    Check(row.error.empty(), "CSV output: row error " + row.error);
    const bool readWell = ExpectedError(want, model, options.maxRecordBytes).empty();
    if (readWell)
      Check(row.t == Field(want, model.columns[0]) && row.p == Field(want, model.columns[1]),
            "CSV output: texts differ");
  }
  Check(!back.Next(row), "CSV output: a row too many");

  // JSON: one valid document, an array of one object per row.
  report = RunFormat(text, OutputFormat::kJson, options, out);
  auto json = nlohmann::json::parse(out, nullptr, false);
  Check(!json.is_discarded(), "JSON output does not parse");
  Check(json.is_array() && json.size() == records, "JSON array size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t maxRecordBytes = 24 + (size % 5) * 60;
  const std::size_t readBytes = 1 + size % 37;
  const Model model = BuildModel(text, maxRecordBytes);
  CheckReader(text, model, maxRecordBytes, readBytes);

  BatchOptions options;
  options.columns = {"line", "T", "P", "x", "status"};
  options.threads = 1 + static_cast<unsigned>(size % 3);
  options.chunkRows = 1 + size % 4;
  options.chunksInFlight = 1 + size % 3;
  options.maxRecordBytes = maxRecordBytes;
  CheckPipeline(text, model, options);
  return 0;
}
