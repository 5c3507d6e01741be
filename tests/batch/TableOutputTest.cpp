// The writers of range tables: CSV quoting and line ends read back by an RFC 4180 reader, TSV,
// JSON read back by a JSON parser, the aligned text, the clipboard text, and a table written in
// blocks as it is written whole.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "CsvRecords.h"
#include "batch/TableOutput.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo::batch {
namespace {

// Lines without their LF; fails on a CR anywhere.
std::vector<std::string> Lines(const std::string& text) {
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_TRUE(text.empty() || text.back() == '\n');
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// A table with every kind of cell: an isobar at 80 MPa (super critical, out of the IAPWS range
// above 1073.15 K), items with a quote in the name and without a unit.
RangeTable Isobar(std::int64_t first, std::int64_t count) {
  const TableRequest request = {TableKind::kIsobar,
                          *RangeByStep(300, 1300, 100),
                          80000,
                          {Item::kEnthalpy, Item::kCompressibilityFactor, Item::kSurfaceTension}};
  return *ComputeRangeTable(request, IapwsCorrelations(), PresetSelection(UnitPreset::kSI), first, count);
}

RangeTable Saturation() {
  const TableRequest request = {
      TableKind::kSaturationByTemperature, *RangeByStep(-25, 75, 25), 0, {Item::kEnthalpy}};
  return *ComputeRangeTable(request, IapwsCorrelations(), PresetSelection(UnitPreset::kEuropean));
}

TEST(TableOutput, Formats) {
  EXPECT_EQ(ParseTableFormat("text"), TableFormat::kText);
  EXPECT_EQ(ParseTableFormat("csv"), TableFormat::kCsv);
  EXPECT_EQ(ParseTableFormat("tsv"), TableFormat::kTsv);
  EXPECT_EQ(ParseTableFormat("json"), TableFormat::kJson);
  EXPECT_FALSE(ParseTableFormat("CSV").has_value());
  EXPECT_FALSE(ParseTableFormat("").has_value());
}

TEST(TableOutput, CsvQuotingAndLineEnds) {
  const RangeTable table = Isobar(0, 11);
  const std::string csv = TableText(table, TableFormat::kCsv);
  Lines(csv);  // LF only
  // The quotes of Compressibility Factor "Z" are doubled inside a quoted field.
  EXPECT_NE(csv.find(",\"Compressibility Factor \"\"Z\"\"\","), std::string::npos) << csv;
  const auto records = CsvRecords(csv);
  ASSERT_EQ(records.size(), 12u);
  const std::vector<std::string> header = {"Temperature (Kelvin)",  "Pressure (kPa abs)",
                                           "Enthalpy (kJ/kg)",      "Compressibility Factor \"Z\"",
                                           "Surface Tension (N/m)", "Condition"};
  EXPECT_EQ(records[0], header);
  int outOfRange = 0, notGiven = 0;
  for (std::int64_t r = 0; r < table.RowCount(); ++r) {
    const auto& record = records[static_cast<std::size_t>(r) + 1];
    ASSERT_EQ(record.size(), header.size());
    for (int c = 0; c < table.ColumnCount(); ++c) {
      EXPECT_EQ(record[c], table.NumberText(r, c));
      const TableCell cell = table.Cell(r, c);
      // Every digit the value holds: the state's T and P as Real6, the IAPWS properties as doubles.
      if (cell.status == Status::kValid && c + 1 < table.ColumnCount()) {
        const double read = c < 2 ? *ReadNumber(record[c]) : std::strtod(record[c].c_str(), nullptr);
        EXPECT_EQ(read, cell.value) << record[c];
      }
    }
    outOfRange += record[2] == "Out of Range";
    notGiven += record[4] == " -";  // no surface tension above the critical point
  }
  EXPECT_EQ(outOfRange, 3);
  EXPECT_GT(notGiven, 0);
  EXPECT_EQ(records[1][5], "Sub-cooled Liquid");
}

TEST(TableOutput, TsvHasOneLinePerRowAndNoQuotes) {
  const RangeTable table = Isobar(0, 11);
  const std::vector<std::string> lines = Lines(TableText(table, TableFormat::kTsv));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(
      lines[0],
      "Temperature (Kelvin)\tPressure (kPa abs)\tEnthalpy (kJ/kg)\tCompressibility Factor \"Z\"\tSurface "
      "Tension (N/m)\tCondition");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 5) << lines[i];
    EXPECT_EQ(lines[i].find('"'), std::string::npos);
  }
  EXPECT_EQ(lines[1].substr(0, 10), "300\t80000\t");
}

TEST(TableOutput, JsonReadsBack) {
  const RangeTable table = Isobar(0, 11);
  const nlohmann::json rows = nlohmann::json::parse(TableText(table, TableFormat::kJson));
  ASSERT_TRUE(rows.is_array());
  ASSERT_EQ(rows.size(), 11u);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const nlohmann::json& row = rows[r];
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row["T"].get<double>(), table.Cell(r, 0).value);
    EXPECT_EQ(row["condition"].get<std::string>(), table.CellText(r, 5));
    const TableCell h = table.Cell(r, 2);
    if (h.status == Status::kValid) {
      EXPECT_EQ(row["enthalpy"].get<double>(), h.value);
    } else {
      EXPECT_EQ(row["enthalpy"].get<std::string>(), "Out of Range");
    }
    EXPECT_TRUE(row.contains("compressibility_factor"));
    EXPECT_TRUE(row["surface_tension"].is_number() || row["surface_tension"] == " -");
  }
}

TEST(TableOutput, TextColumnsLineUp) {
  const RangeTable table = Saturation();
  const std::vector<std::string> lines = Lines(TableText(table, TableFormat::kText));
  // Three heading lines (names, phases, units), then the rows.
  ASSERT_EQ(lines.size(), 3u + 5u);
  EXPECT_NE(lines[1].find("liquid"), std::string::npos);
  EXPECT_NE(lines[2].find("Celsius"), std::string::npos);
  const std::size_t conditionAt = lines[0].find("Condition");
  ASSERT_NE(conditionAt, std::string::npos);
  const std::size_t temperatureEnd = lines[0].find("Temperature") + std::string("Temperature").size();
  for (std::size_t i = 3; i < lines.size(); ++i) {
    EXPECT_NE(lines[i].back(), ' ');
    EXPECT_EQ(lines[i].find("Saturated"), conditionAt) << lines[i];
    // Right-aligned numbers: the temperature ends where its heading ends.
    const std::string t = table.CellText(static_cast<std::int64_t>(i) - 3, 0);
    EXPECT_EQ(lines[i].find(t + "  ") + t.size(), temperatureEnd) << lines[i];
  }
  EXPECT_NE(lines[3].find("Saturated Solid and Vapour"), std::string::npos);  // -25 Celsius
  EXPECT_NE(lines.back().find("Saturated Liquid and Vapour"), std::string::npos);
  // An isobar has no phase line.
  EXPECT_EQ(Lines(TableText(Isobar(0, 2), TableFormat::kText)).size(), 2u + 2u);
}

TEST(TableOutput, BlocksAsWhole) {
  const RangeTable whole = Isobar(0, 11);
  for (TableFormat format : {TableFormat::kText, TableFormat::kCsv, TableFormat::kTsv, TableFormat::kJson}) {
    const RangeTable a = Isobar(0, 4), b = Isobar(4, 7);
    TableWriter writer(format, a);
    std::string out;
    writer.AppendHeader(out);
    writer.AppendRows(a, out);
    writer.AppendRows(b, out);
    writer.AppendFooter(out);
    EXPECT_EQ(out, TableText(whole, format)) << static_cast<int>(format);
    // Rows of one block a few at a time, as the window saves them.
    TableWriter parts(format, whole);
    std::string partOut;
    parts.AppendHeader(partOut);
    for (std::int64_t first = 0; first < whole.RowCount(); first += 3) parts.AppendRows(whole, first, 3, partOut);
    parts.AppendFooter(partOut);
    EXPECT_EQ(partOut, out);
  }
}

TEST(TableOutput, ClipboardTextHasTabsAndCrLf) {
  const RangeTable table = Saturation();
  const std::string text = ClipboardText(table);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(text[i - 1], '\r');
      ++lines;
    } else if (text[i] == '\r') {
      ASSERT_LT(i + 1, text.size());
      EXPECT_EQ(text[i + 1], '\n');
    }
  }
  EXPECT_EQ(lines, 6u);
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "Temperature (Celsius)\tPressure (atm abs)\tEnthalpy liquid (kcal/kg)\tEnthalpy vapour "
            "(kcal/kg)\tCondition");
  // The cells as the grid shows them.
  const std::string second =
      text.substr(text.find("\r\n") + 2, text.find("\r\n", text.find("\r\n") + 2) - text.find("\r\n") - 2);
  EXPECT_EQ(second, table.CellText(0, 0) + "\t" + table.CellText(0, 1) + "\t" + table.CellText(0, 2) + "\t" +
                        table.CellText(0, 3) + "\t" + table.CellText(0, 4));
}

}  // namespace
}  // namespace tulo::batch
