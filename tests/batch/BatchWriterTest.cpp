#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchReader.h"
#include "batch/BatchWriter.h"

namespace tulo::batch {
namespace {

using namespace std::string_literals;

std::string Format(OutputFormat format, const std::vector<std::string>& columns,
                   const std::vector<BatchResult>& rows) {
  BatchWriter writer(format, columns);
  std::string out;
  writer.AppendHeader(out);
  for (std::size_t i = 0; i < rows.size(); ++i) writer.AppendRow(rows[i], i == 0, out);
  writer.AppendFooter(out);
  return out;
}

TEST(BatchWriter, CellQuoting) {
  const struct {
    OutputFormat format;
    std::string cell;
    std::string written;
  } cases[] = {
      {OutputFormat::kCsv, "1.5", "1.5"},
      {OutputFormat::kCsv, "a,b", "\"a,b\""},
      {OutputFormat::kCsv, "say \"hi\"", "\"say \"\"hi\"\"\""},
      {OutputFormat::kCsv, "two\nlines", "\"two\nlines\""},
      {OutputFormat::kCsv, "cr\r", "\"cr\r\""},
      {OutputFormat::kCsv, "tab\tand ;", "tab\tand ;"},
      {OutputFormat::kTsv, "a\tb\nc\r\nd", "a b c  d"},
      {OutputFormat::kTsv, "a,\"b\"", "a,\"b\""},
  };
  for (const auto& c : cases) {
    std::string out = Format(c.format, {"value", "status"}, {{{c.cell}, ""}});
    const char separator = c.format == OutputFormat::kTsv ? '\t' : ',';
    std::string header = "value"s + separator + "status\n";
    EXPECT_EQ(out, header + c.written + separator + "\n") << c.cell;
  }
}

// With decimal commas, CSV is separated by semicolons: a cell is quoted for a semicolon, and a
// comma is an ordinary character.
TEST(BatchWriter, SemicolonSeparatedCsv) {
  BatchWriter writer(OutputFormat::kCsv, {"Zeit", "T", "status"}, ';');
  std::string out;
  writer.AppendHeader(out);
  writer.AppendRow({{"a;b", "538,2"}, "not a number: 1,2;3"}, true, out);
  EXPECT_EQ(out, "Zeit;T;status\n\"a;b\";538,2;\"not a number: 1,2;3\"\n");
  BatchWriter tsv(OutputFormat::kTsv, {"T", "status"}, ';');
  out.clear();
  tsv.AppendRow({{"538,2"}, ""}, true, out);
  EXPECT_EQ(out, "538,2\t\n");
}

TEST(BatchWriter, RowsHaveTheHeaderWidth) {
  const std::vector<std::string> columns{"condition", "h", "s", "status"};
  const std::vector<BatchResult> rows{
      {{"liquid", "1", "2"}, ""},
      {{}, "not a number"},
      {{"vapour", "1", "2", "extra"}, ""},
  };
  EXPECT_EQ(Format(OutputFormat::kCsv, columns, rows),
            "condition,h,s,status\nliquid,1,2,\n,,,not a number\nvapour,1,2,\n");
  EXPECT_EQ(Format(OutputFormat::kTsv, columns, rows),
            "condition\th\ts\tstatus\nliquid\t1\t2\t\n\t\t\tnot a number\nvapour\t1\t2\t\n");
}

TEST(BatchWriter, HeaderNamesAreQuotedLikeCells) {
  EXPECT_EQ(Format(OutputFormat::kCsv, {"h, kJ/kg", "status"}, {}), "\"h, kJ/kg\",status\n");
  EXPECT_EQ(Format(OutputFormat::kTsv, {"h\tkJ/kg", "status"}, {}), "h kJ/kg\tstatus\n");
}

TEST(BatchWriter, JsonIsOneValidArrayWithNumbersNullsAndStrings) {
  const std::vector<std::string> columns{"condition", "h \"kJ/kg\"", "v", "status"};
  const std::vector<BatchResult> rows{
      {{"liquid", "-1.5E+03", ""}, ""},
      {{"a\"b\\c\n\t", "1.", "0.25"}, "bad \x01 \xff\xfe row"},
      {{"12a", "01", "-0"}, ""},
  };
  const std::string text = Format(OutputFormat::kJson, columns, rows);
  const auto json = nlohmann::json::parse(text);  // throws on invalid JSON or UTF-8
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), 3u);
  EXPECT_EQ(json[0]["condition"], "liquid");
  EXPECT_EQ(json[0]["h \"kJ/kg\""], -1500.0);
  EXPECT_TRUE(json[0]["v"].is_null());
  EXPECT_EQ(json[0]["status"], "");
  EXPECT_EQ(json[1]["condition"], "a\"b\\c\n\t");
  EXPECT_EQ(json[1]["h \"kJ/kg\""], "1.");  // not a JSON number: kept as a string
  EXPECT_EQ(json[1]["v"], 0.25);
  EXPECT_EQ(json[1]["status"], "bad \x01 \xEF\xBF\xBD\xEF\xBF\xBD row");  // invalid UTF-8 replaced
  EXPECT_EQ(json[2]["condition"], "12a");
  EXPECT_EQ(json[2]["h \"kJ/kg\""], "01");
  EXPECT_TRUE(json[2]["v"].is_number());
  // One object per line between the brackets.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  EXPECT_EQ(Format(OutputFormat::kJson, columns, {}), "[\n]\n");
  EXPECT_EQ(nlohmann::json::parse(Format(OutputFormat::kJson, columns, {})).size(), 0u);
}

TEST(BatchWriter, CsvReadsBackThroughTheReader) {
  // What the writer quotes, the reader must read back unchanged.
  const std::vector<std::pair<std::string, std::string>> cells{
      {"300", "100"}, {"a,b", "\"q\""}, {"line\nbreak", "cr\r\nlf"}, {"\"\"", ","}, {" x ", "y\"z"},
  };
  std::vector<BatchResult> rows;
  for (const auto& [t, p] : cells) rows.push_back({{t, p}, ""});
  std::istringstream in(Format(OutputFormat::kCsv, {"T", "P", "status"}, rows));
  BatchReader reader(in);
  ASSERT_EQ(reader.ReadHeader(), "");
  BatchRow row;
  for (const auto& [t, p] : cells) {
    ASSERT_TRUE(reader.Next(row));
    EXPECT_EQ(row.error, "");
    EXPECT_EQ(row.t, t);
    EXPECT_EQ(row.p, p);
  }
  EXPECT_FALSE(reader.Next(row));
}

TEST(BatchWriter, FormatNames) {
  EXPECT_EQ(ParseOutputFormat("csv"), OutputFormat::kCsv);
  EXPECT_EQ(ParseOutputFormat("tsv"), OutputFormat::kTsv);
  EXPECT_EQ(ParseOutputFormat("json"), OutputFormat::kJson);
  EXPECT_FALSE(ParseOutputFormat("CSV").has_value());
  EXPECT_FALSE(ParseOutputFormat("xml").has_value());
}

}  // namespace
}  // namespace tulo::batch
