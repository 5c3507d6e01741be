#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchReader.h"

namespace tulo::batch {
namespace {

using namespace std::string_literals;

struct ReadOut {
  std::string headerError;
  BatchHeader header;
  std::vector<BatchRow> rows;
};

ReadOut ReadAll(const std::string& text, std::size_t maxRecordBytes = kMaxRecordBytes,
                std::size_t readBytes = kReadBytes) {
  std::istringstream in(text);
  BatchReader reader(in, maxRecordBytes, readBytes);
  ReadOut out;
  out.headerError = reader.ReadHeader();
  if (!out.headerError.empty()) return out;
  out.header = reader.Header();
  BatchRow row;
  while (reader.Next(row)) out.rows.push_back(row);
  return out;
}

struct ExpectedRow {
  std::uint64_t line;
  std::string t, p, quality;
  std::string error = {};  // a part of the message; empty for a row read well
};

struct ReaderCase {
  const char* name;
  std::string input;
  std::vector<ExpectedRow> rows;
  std::size_t maxRecordBytes = kMaxRecordBytes;
};

void ExpectRowsReadingBy(const ReaderCase& c, std::size_t readBytes) {
  ReadOut out = ReadAll(c.input, c.maxRecordBytes, readBytes);
  ASSERT_EQ(out.headerError, "");
  ASSERT_EQ(out.rows.size(), c.rows.size());
  for (std::size_t i = 0; i < c.rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const BatchRow& got = out.rows[i];
    const ExpectedRow& want = c.rows[i];
    EXPECT_EQ(got.line, want.line);
    EXPECT_EQ(got.t, want.t);
    EXPECT_EQ(got.p, want.p);
    EXPECT_EQ(got.quality, want.quality);
    if (want.error.empty())
      EXPECT_EQ(got.error, "");
    else
      EXPECT_NE(got.error.find(want.error), std::string::npos) << got.error;
  }
}

void ExpectRows(const ReaderCase& c) {
  // Reads of one and three bytes put the buffer's ends inside every token.
  for (std::size_t readBytes : {kReadBytes, std::size_t{1}, std::size_t{3}}) {
    SCOPED_TRACE(std::string(c.name) + ", reads of " + std::to_string(readBytes));
    ExpectRowsReadingBy(c, readBytes);
  }
}

TEST(BatchReader, LineEndsByteOrderMarkAndEmptyLines) {
  const ReaderCase cases[] = {
      {"LF", "T,P\n300,100\n400,200\n", {{2, "300", "100", ""}, {3, "400", "200", ""}}},
      {"CR LF with an empty line",
       "T,P\r\n300,100\r\n\r\n400,200\r\n",
       {{2, "300", "100", ""}, {4, "400", "200", ""}}},
      {"lone CR, no line end at the end",
       "T,P\r300,100\r400,200",
       {{2, "300", "100", ""}, {3, "400", "200", ""}}},
      {"byte order mark", "\xEF\xBB\xBFT,P\n1,2\n", {{2, "1", "2", ""}}},
      {"empty lines, blank lines and rows of empty fields are skipped",
       "\n\nT,P\n\n1,2\n   \n,\n , \n\t\n3,4\n",
       {{5, "1", "2", ""}, {10, "3", "4", ""}}},
      {"in TSV too", "T\tP\n\t\n,\t,\n1\t2\n", {{4, "1", "2", ""}}},
      {"an empty quoted field is not an empty row", "T,P\n\"\",\n", {{2, "", "", ""}}},
      {"blanks kept as typed", "T,P\n 300 , 1e2\t\n", {{2, " 300 ", " 1e2\t", ""}}},
  };
  for (const auto& c : cases) ExpectRows(c);
}

TEST(BatchReader, QuotedFields) {
  const ReaderCase cases[] = {
      {"comma, doubled quote and line end inside quotes",
       "T,P,x\n\"3,5\",\"1\"\"2\",\"a\nb\"\n5,6,7\n",
       {{2, "3,5", "1\"2", "a\nb"}, {4, "5", "6", "7"}}},
      {"CR LF inside quotes is text",
       "T,P\r\n\"1\r\n2\",3\r\n4,5\r\n",
       {{2, "1\r\n2", "3", ""}, {4, "4", "5", ""}}},
      {"a quote inside an unquoted field is a character", "T,P\n1\"2,3\"\n", {{2, "1\"2", "3\"", ""}}},
      {"quoted header names", "\"T\",\"P\"\n1,2\n", {{2, "1", "2", ""}}},
      {"text after the closing quote",
       "T,P\n\"1\"x,2\n3,4\n",
       {{2, "", "", "", "text after the closing quote"}, {3, "3", "4", ""}}},
      {"a quote never closed swallows the rest",
       "T,P\n1,\"2\n3,4\n5,6\n",
       {{2, "", "", "", "not closed before the end of the input"}}},
  };
  for (const auto& c : cases) ExpectRows(c);
}

TEST(BatchReader, FieldCountsAndColumns) {
  const ReaderCase cases[] = {
      {"wrong number of fields",
       "T,P\n1,2,3\n4\n5,6\n",
       {{2, "", "", "", "wrong number of fields: 3 where the header has 2"},
        {3, "", "", "", "wrong number of fields: 1 where the header has 2"},
        {4, "5", "6", ""}}},
      {"columns in any order, others ignored", "id,P,name,T,comment\na,2,b,1,c\n", {{2, "1", "2", ""}}},
      {"names with units, case and blanks",
       " temperature [degC] ,Pressure (kPa), X [%] \n1,2,3\n",
       {{2, "1", "2", "3"}}},
      {"x as the quality column", "x,t,p\n0.5,1,2\n", {{2, "1", "2", "0.5"}}},
      {"TSV", "T\tP\tx\n1,5\t2\t3\n", {{2, "1,5", "2", "3"}}},
      {"TSV with a quoted tab", "T\tP\n\"a\tb\"\t2\n", {{2, "a\tb", "2", ""}}},
      {"TSV found past blank lines of commas", "\n , \nT\tP\n1\t2\n", {{4, "1", "2", ""}}},
      {"binary bytes are text", "T,P\n\x01\xff"s + '\0' + ",\x80\n"s, {{2, "\x01\xff"s + '\0', "\x80", ""}}},
  };
  for (const auto& c : cases) ExpectRows(c);
}

TEST(BatchReader, RecordLengthLimit) {
  const std::string longLine(3 * kMaxRecordBytes, '7');
  const ReaderCase cases[] = {
      {"at the limit", "T,P\n12345678,1234567\n", {{2, "12345678", "1234567", ""}}, 16},
      {"one byte over",
       "T,P\n123456789,1234567\r\n5,6\n",
       {{2, "", "", "", "row longer than 16 bytes"}, {3, "5", "6", ""}},
       16},
      {"over the limit inside quotes, across lines",
       "T,P\n\"1\n2\n3\n4\n5\n6\n7\n8\n9\",1\n5,6\n",
       {{2, "", "", "", "row longer than 16 bytes"}, {11, "5", "6", ""}},
       16},
      {"the default limit",
       "T,P\n" + longLine + ",1\n5,6\n",
       {{2, "", "", "", "row longer than 1048576 bytes"}, {3, "5", "6", ""}}},
      {"a long blank line is still skipped",
       "T,P\n" + std::string(100, ' ') + "\n5,6\n",
       {{3, "5", "6", ""}},
       16},
  };
  for (const auto& c : cases) ExpectRows(c);
}

// The quotes of a quoted field count to the record's length, the doubled ones both.
TEST(BatchReader, QuotesCountToTheRecordLength) {
  const std::string atLimit(kMaxRecordBytes - 4, '1');
  const std::string tooLong = "row longer than 16 bytes";
  const ReaderCase cases[] = {
      {"a quoted field at the limit", "T,P\n\"1234567\",123456\n", {{2, "1234567", "123456", ""}}, 16},
      {"a quoted field one byte over",
       "T,P\n\"12345678\",123456\n5,6\n",
       {{2, "", "", "", tooLong}, {3, "5", "6", ""}},
       16},
      {"two quoted fields at the limit", "T,P\n\"123456\",\"12345\"\n", {{2, "123456", "12345", ""}}, 16},
      {"two quoted fields one byte over", "T,P\n\"123456\",\"123456\"\n", {{2, "", "", "", tooLong}}, 16},
      {"a doubled quote at the limit", "T,P\n\"12\"\"345\",123456\n", {{2, "12\"345", "123456", ""}}, 16},
      {"a doubled quote one byte over", "T,P\n\"12\"\"3456\",123456\n", {{2, "", "", "", tooLong}}, 16},
      {"the default limit, quoted", "T,P\n\"" + atLimit + "\",1\n", {{2, atLimit, "1", ""}}},
      {"the default limit, quoted, one byte over",
       "T,P\n\"1" + atLimit + "\",1\n5,6\n",
       {{2, "", "", "", "row longer than 1048576 bytes"}, {3, "5", "6", ""}}},
  };
  for (const auto& c : cases) ExpectRows(c);
}

TEST(BatchReader, DelimiterComesFromTheHeaderLine) {
  const std::pair<std::string, char> cases[] = {
      {"T,P\n1\t2,3\n", ','},
      {"T\tP\n1,2\t3\n", '\t'},
      {"\n,,\n\tT\tP\n", '\t'},
      {"T,\"P\"\t,x\n", '\t'},  // a tab anywhere in the line, even after a quote
      {"Zeit;T [\u00B0C];P [bar]\n", ';'},
      {"\n;;\nT;P\n", ';'},
      {"T;P,x\n", ','},  // a comma wins over semicolons
      {"T P\n", ','},
  };
  for (const auto& [input, delimiter] : cases) {
    std::istringstream in(input);
    BatchReader reader(in);
    reader.ReadHeader();
    EXPECT_EQ(reader.Header().delimiter, delimiter) << input;
  }
}

TEST(BatchReader, UnreadableHeaders) {
  const struct {
    std::string input;
    std::string message;
    std::size_t maxRecordBytes = kMaxRecordBytes;
  } cases[] = {
      {"", "the input has no header row"},
      {"\n\r\n , \n", "the input has no header row"},
      {"A,P\n1,2\n", "no temperature column"},
      {"T,B\n1,2\n", "no pressure column"},
      {"T;P,x\n1;2,3\n", "no temperature column"},
      {"T,P,temperature\n", "two temperature columns (1 and 3)"},
      {"x,T,P,X [%]\n", "two steam quality columns (1 and 4)"},
      {"T,\"P\n1,2\n", "a quoted name is not closed"},
      {"\"T\"K,P\n", "text after the closing quote of a name"},
      {"Temperature,Pressure\n", "longer than 8 bytes", 8},
      {"\xFF\xFET\0,\0P\0\n\0"s, "UTF-16"},
  };
  for (const auto& c : cases) {
    ReadOut out = ReadAll(c.input, c.maxRecordBytes);
    EXPECT_EQ(out.headerError.rfind("unreadable header: ", 0), 0u) << c.input;
    EXPECT_NE(out.headerError.find(c.message), std::string::npos) << c.input << " -> " << out.headerError;
  }
}

TEST(BatchReader, ColumnNames) {
  const std::pair<const char*, InputColumn> cases[] = {
      {"T", InputColumn::kTemperature},       {" temperature ", InputColumn::kTemperature},
      {"T [K]", InputColumn::kTemperature},   {"TEMPERATURE(degF)", InputColumn::kTemperature},
      {"P", InputColumn::kPressure},          {"pressure [kPa]", InputColumn::kPressure},
      {"X", InputColumn::kQuality},           {"x [%]", InputColumn::kQuality},
      {"Quality", InputColumn::kOther},       {"steam quality (%)", InputColumn::kOther},
      {"P [bar(a)]", InputColumn::kPressure}, {"Tsat", InputColumn::kOther},
      {"[K]", InputColumn::kOther},           {"T [K", InputColumn::kOther},
      {"pressure drop", InputColumn::kOther}, {"", InputColumn::kOther},
  };
  for (const auto& [name, column] : cases) EXPECT_EQ(ClassifyColumnName(name), column) << name;
}

// The input columns are T and P (x optional) or one pair of the state evaluator; the pair's
// columns are read into the row, their units in brackets into the header.
TEST(BatchReader, InputPairsOfTheHeader) {
  const struct {
    std::string input;
    std::optional<InputPair> pair;
    std::string error;  // the message holds it; empty: read
    std::optional<int> hUnit, sUnit;
    std::string h, s, x;  // the texts of the first row
  } cases[] = {
      {"P [bar],h [kJ/kg]\n1,2\n", InputPair::kPH, "", 1, {}, "2", "", ""},
      {"Entropy (Btu/lb.F);enthalpy [kcal/kg]\n3;4\n", InputPair::kHS, "", 5, 2, "4", "3", ""},
      {"x,Zeit,T\n50,0,373\n", InputPair::kTx, "", {}, {}, "", "", "50"},
      {"T,s [kJ/(kg K)]\n1,6\n", InputPair::kTS, "", {}, 1, "", "6", ""},
      {"T,P,x\n1,2,3\n", std::nullopt, "", {}, {}, "", "", "3"},
      {"T,P,h\n", std::nullopt, "the input columns T, P, h make no input pair", {}, {}, "", "", ""},
      {"h [kJ/kg],X\n",
       std::nullopt,
       "the input columns h [kJ/kg], X make no input pair",
       {},
       {},
       "",
       "",
       ""},
      {"Tag,s\n", std::nullopt, "the input columns s make no input pair", {}, {}, "", "", ""},
      {"P,x,h\n", std::nullopt, "the input columns P, x, h make no input pair", {}, {}, "", "", ""},
      {"P,h [J/kg]\n", std::nullopt, "unknown enthalpy unit \"J/kg\" in column 2", {}, {}, "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    BatchReader reader(in);
    const std::string error = reader.ReadHeader();
    if (!c.error.empty()) {
      EXPECT_NE(error.find(c.error), std::string::npos) << error;
      continue;
    }
    ASSERT_EQ(error, "");
    EXPECT_EQ(reader.Header().pair, c.pair);
    EXPECT_EQ(reader.Header().enthalpyUnit, c.hUnit);
    EXPECT_EQ(reader.Header().entropyUnit, c.sUnit);
    BatchRow row;
    ASSERT_TRUE(reader.Next(row));
    EXPECT_EQ(row.h, c.h);
    EXPECT_EQ(row.s, c.s);
    EXPECT_EQ(row.quality, c.x);
  }
}

TEST(BatchReader, RowBuffersAreGivenBackAfterALongRecord) {
  // A row reused after a record near the limit must not keep its megabyte.
  std::istringstream in("T,P\n" + std::string(kMaxRecordBytes - 2, '1') + ",2\n3,4\n");
  BatchReader reader(in);
  ASSERT_EQ(reader.ReadHeader(), "");
  BatchRow row;
  ASSERT_TRUE(reader.Next(row));
  EXPECT_EQ(row.t.size(), kMaxRecordBytes - 2);
  ASSERT_TRUE(reader.Next(row));
  EXPECT_EQ(row.t, "3");
  EXPECT_LT(row.t.capacity(), 4096u);
  EXPECT_FALSE(reader.Next(row));
}

}  // namespace
}  // namespace tulo::batch

namespace tulo::batch {
namespace {

// The header read with the rules of the command line: which field holds each input, the units
// of the brackets, the kept columns, the decimal comma; or the message for a header refused.
struct RulesCase {
  const char* name;
  std::string input;
  ColumnRules rules;
  std::string error;  // a part of the message; empty when the header is read
  std::size_t t = 0, p = 0;
  std::optional<std::size_t> x = {};
  std::optional<int> tUnit = {}, pUnit = {};
  std::vector<std::string> kept = {};
  bool decimalComma = false;
};

ColumnRules Names(std::string t, std::string p, std::string x = "") {
  ColumnRules rules;
  rules.names = {std::move(t), std::move(p), std::move(x)};
  return rules;
}

ColumnRules Keep(std::vector<std::string> names, bool all = false) {
  ColumnRules rules;
  rules.keep = std::move(names);
  rules.keepAll = all;
  rules.reservedNames = {"condition", "T", "P", "status"};
  return rules;
}

TEST(BatchReader, ColumnRulesUnitsAndKeptColumns) {
  const RulesCase cases[] = {
      {"a historian's Quality column is data", "Time,T,P,Quality\n", {}, "", 1, 2},
      {"units in brackets", "T [degC],P [bar]\n", {}, "", 0, 1, {}, 2, 3},
      {"gauge and absolute marks", "P [barg],T [K],x [%]\n", {}, "", 1, 0, 2, 1, 14},
      {"bar(a) in brackets, psig in parentheses", "T (degF),P [bar(a)]\n", {}, "", 0, 1, {}, 3, 3},
      {"the program's own unit names", "T [Celsius],P [PSI gauge]\n", {}, "", 0, 1, {}, 2, 22},
      {"MPa and an empty bracket", "T [],P [MPa]\n", {}, "", 0, 1, {}, {}, 23},
      {"an unknown temperature unit",
       "T [degK],P\n",
       {},
       "unknown temperature unit \"degK\" in column 1 (T [degK]); known: K, degC"},
      {"an unknown pressure unit",
       "T,P [mmH2O]\n",
       {},
       "unknown pressure unit \"mmH2O\" in column 2 (P [mmH2O]); known: kPa, MPa"},
      {"a quality in a fraction",
       "T,P,x [-]\n",
       {},
       "unknown steam quality unit \"-\" in column 3 (x [-]); known: %"},
      {"mapped names, the default ones then data",
       "T,TT101 [degC],PT101,P\n",
       Names("tt101", "PT101"),
       "",
       1,
       2,
       {},
       2},
      {"a mapped name with its unit", "a,TT101 [K],PT101\n", Names("TT101 [K]", "PT101"), "", 1, 2, {}, 1},
      {"a mapped quality column", "T,P,QX\n", Names("", "", "QX"), "", 0, 1, 2},
      {"a mapped column missing", "T,P\n", Names("TT101", ""),
       "no column named TT101, given for the temperature"},
      {"a mapped column twice", "TT101,tt101,P\n", Names("TT101", ""), "two temperature columns (1 and 2)"},
      {"keep in the order asked",
       "Tag,T,Time,P,Quality\n",
       Keep({"Quality", "time"}),
       "",
       1,
       3,
       {},
       {},
       {},
       {"Quality", "Time"}},
      {"keep all: every column that is no input",
       "Time,T [K],P,Quality,x\n",
       Keep({}, true),
       "",
       1,
       2,
       4,
       1,
       {},
       {"Time", "Quality"}},
      {"keep a column missing", "T,P\n", Keep({"Time"}), "no column named Time, given by --keep"},
      {"keep an input", "T,P,Time\n", Keep({"P"}), "--keep P: an input column"},
      {"keep a column named as an output column", "T,P,status\n", Keep({}, true),
       "--keep: the column status has the name of an output column"},
      {"a semicolon file has decimal commas",
       "Zeit;T [\u00B0C];P [bar]\n",
       Keep({"Zeit"}),
       "",
       1,
       2,
       {},
       2,
       3,
       {"Zeit"},
       true},
      {"a Latin-1 degree sign",
       "T [\xB0"
       "C];P\n",
       {},
       "",
       0,
       1,
       {},
       2,
       {},
       {},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream in(c.input);
    BatchReader reader(in);
    const std::string error = reader.ReadHeader(c.rules);
    if (!c.error.empty()) {
      EXPECT_NE(error.find(c.error), std::string::npos) << error;
      continue;
    }
    ASSERT_EQ(error, "");
    const BatchHeader& h = reader.Header();
    EXPECT_EQ(h.temperatureColumn, c.t);
    EXPECT_EQ(h.pressureColumn, c.p);
    EXPECT_EQ(h.qualityColumn, c.x);
    EXPECT_EQ(h.temperatureUnit, c.tUnit);
    EXPECT_EQ(h.pressureUnit, c.pUnit);
    EXPECT_EQ(h.keptNames, c.kept);
    EXPECT_EQ(h.decimalComma, c.decimalComma);
  }
}

TEST(BatchReader, KeptColumnsAreReadIntoEveryRow) {
  for (std::size_t readBytes : {kReadBytes, std::size_t{1}}) {
    std::istringstream in("Time;Tag;T;P\n01.03.2024 00:00;HP1;538,2;165,3\n\"a;b\";;1;2\nx;y;1\n");
    BatchReader reader(in, kMaxRecordBytes, readBytes);
    ASSERT_EQ(reader.ReadHeader(Keep({"Tag", "Time"})), "");
    std::vector<BatchRow> rows;
    for (BatchRow row; reader.Next(row);) rows.push_back(row);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].kept, (std::vector<std::string>{"HP1", "01.03.2024 00:00"}));
    EXPECT_EQ(rows[0].t, "538,2");
    EXPECT_EQ(rows[0].p, "165,3");
    EXPECT_EQ(rows[1].kept, (std::vector<std::string>{"", "a;b"}));
    // A record that cannot be read keeps nothing of the record before.
    EXPECT_EQ(rows[2].kept, (std::vector<std::string>{"", ""}));
    EXPECT_NE(rows[2].error, "");
  }
}

}  // namespace
}  // namespace tulo::batch
