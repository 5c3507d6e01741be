#pragma once
// A reader of the CSV (or TSV) the program writes, for tests, kept apart from the program's own
// reader so that a fault shared by both cannot hide: RFC 4180 quoting (fields may hold the
// delimiter, doubled quotes and line ends), LF record ends, the last record ended too.

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tulo {

inline std::vector<std::vector<std::string>> CsvRecords(const std::string& text, char delimiter = ',') {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      EXPECT_TRUE(field.empty()) << "a quote inside an unquoted field";
      quoted = true;
    } else if (c == delimiter) {
      records.back().emplace_back();
    } else if (c == '\n') {
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted);
  EXPECT_EQ(records.back(), std::vector<std::string>(1));  // the text ends with a record end
  records.pop_back();
  return records;
}

}  // namespace tulo
