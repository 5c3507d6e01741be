#include "batch/BatchWriter.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tulo::batch {
namespace {

void AppendJsonString(std::string_view text, std::string& out) {
  // Printable ASCII without quotes or backslashes, nearly every cell, is its own escape. Going
  // through nlohmann's serializer (a json value and a string per cell) took more than half of
  // the time of a JSON row.
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; })) {
    out += '"';
    out += text;
    out += '"';
    return;
  }
  // nlohmann's serializer escapes quotes, backslashes and control characters and, with
  // `replace`, turns bytes that are not UTF-8 into U+FFFD instead of throwing.
  out += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto digits = [&] {
    std::size_t start = i;
    while (i < n && IsDigit(text[i])) ++i;
    return i > start;
  };
  if (i < n && text[i] == '-') ++i;
  if (i < n && text[i] == '0')
    ++i;
  else if (!digits())
    return false;
  if (i < n && text[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == n;
}

}  // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view name) {
  if (name == "csv") return OutputFormat::kCsv;
  if (name == "tsv") return OutputFormat::kTsv;
  if (name == "json") return OutputFormat::kJson;
  return std::nullopt;
}

BatchWriter::BatchWriter(OutputFormat format, std::vector<std::string> columns, char csvSeparator)
    : format_(format),
      separator_(format == OutputFormat::kTsv ? '\t' : csvSeparator),
      columns_(std::move(columns)) {
  for (char c : {separator_, '\r', '\n'}) special_[static_cast<unsigned char>(c)] = true;
  if (format_ == OutputFormat::kCsv) special_['"'] = true;
  if (columns_.empty()) columns_.push_back("status");
  for (const auto& name : columns_) {
    std::string key;
    AppendJsonString(name, key);
    key += ':';
    jsonKeys_.push_back(std::move(key));
  }
}

bool BatchWriter::Plain(std::string_view cell) const {
  // A table lookup a character: nearly every cell is a number, copied as it is.
  return std::none_of(cell.begin(), cell.end(),
                      [this](char c) { return special_[static_cast<unsigned char>(c)]; });
}

void BatchWriter::AppendCell(std::string_view cell, std::string& out) const {
  if (format_ == OutputFormat::kJson) {
    AppendJsonString(cell, out);
    return;
  }
  if (Plain(cell)) {
    out += cell;
    return;
  }
  if (format_ == OutputFormat::kTsv) {
    for (char c : cell) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void BatchWriter::AppendHeader(std::string& out) const {
  if (format_ == OutputFormat::kJson) {
    out += '[';
    return;
  }
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (i > 0) out += separator_;
    AppendCell(columns_[i], out);
  }
  out += '\n';
}

void BatchWriter::AppendRow(const BatchResult& row, bool firstRow, std::string& out) const {
  const std::size_t cellColumns = columns_.size() - 1;
  auto cell = [&](std::size_t i) -> std::string_view {
    return i < row.cells.size() ? std::string_view(row.cells[i]) : std::string_view();
  };
  if (format_ == OutputFormat::kJson) {
    out += firstRow ? "\n{" : ",\n{";
    for (std::size_t i = 0; i < cellColumns; ++i) {
      out += jsonKeys_[i];
      std::string_view text = cell(i);
      if (text.empty())
        out += "null";
      else if (IsJsonNumber(text))
        out += text;
      else
        AppendJsonString(text, out);
      out += ',';
    }
    out += jsonKeys_.back();
    AppendJsonString(row.status, out);
    out += '}';
    return;
  }
  for (std::size_t i = 0; i < cellColumns; ++i) {
    AppendCell(cell(i), out);
    out += separator_;
  }
  AppendCell(row.status, out);
  out += '\n';
}

void BatchWriter::AppendFooter(std::string& out) const {
  if (format_ == OutputFormat::kJson) out += "\n]\n";
}

}  // namespace tulo::batch
