// tulo-calc batch as a script meets it: the header, values equal to the window's cells and to
// tulo-calc property, saturated rows in liquid and vapour columns, statuses and exit statuses,
// refusals before any output, the three output formats, order across threads, a closed pipe.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CsvRecords.h"
#include "cli/RunCalc.h"
#include "props/Catalogue.h"

namespace tulo {
namespace {

using testing::CalcRun;
using testing::RunCalc;

// A file that is removed when the test is done with it.
class TempFile {
 public:
  explicit TempFile(const std::string& text) {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tulo-batch-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".csv");
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~TempFile() { std::filesystem::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

CalcRun Batch(const std::string& input, const std::string& args) {
  TempFile file(input);
  return RunCalc("batch " + file.Path() + " " + args);
}

// CSV as the command writes it: RFC 4180 quoting, LF ends.
struct Table {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;

  std::size_t Column(const std::string& name) const {
    for (std::size_t i = 0; i < header.size(); ++i)
      if (header[i] == name) return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
  }
  const std::string& Cell(std::size_t row, const std::string& name) const {
    return rows.at(row).at(Column(name));
  }
};

Table ParseCsv(const std::string& text, char delimiter = ',') {
  const std::vector<std::vector<std::string>> records = CsvRecords(text, delimiter);
  Table table;
  if (records.empty()) return table;
  table.header = records.front();
  table.rows.assign(records.begin() + 1, records.end());
  for (const auto& row : table.rows) EXPECT_EQ(row.size(), table.header.size());
  return table;
}

double Number(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_TRUE(!text.empty() && *end == '\0') << '"' << text << "\" is not a plain number";
  return value;
}

TEST(BatchCommand, HeaderHasStateColumnsThenThreeColumnsPerItemThenStatus) {
  const CalcRun run = Batch("T,P\n300,1000\n", "--items h,rho,speed_of_sound --standard iapws");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string header =
      "condition,T,P,enthalpy,enthalpy_liquid,enthalpy_vapour,density,density_liquid,density_vapour,"
      "speed_of_sound,speed_of_sound_liquid,speed_of_sound_vapour,status\n";
  EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), header);
  // A quality column adds the wet-steam grid's items among those asked.
  const CalcRun wet = Batch("T,P,x\n373.15,,50\n", "--items h,rho,speed_of_sound --standard iapws");
  ASSERT_EQ(wet.status, 0) << wet.err;
  EXPECT_EQ(ParseCsv(wet.out).header.back(), "status");
  const std::vector<std::string> expectedWet = {"enthalpy_wet", "density_wet"};
  const auto& h = ParseCsv(wet.out).header;
  EXPECT_EQ(std::vector<std::string>(h.end() - 3, h.end() - 1), expectedWet);
}

// The default items: every row the grid shows in some phase condition of the standard.
TEST(BatchCommand, DefaultItemsAreTheGridRowsOfTheStandard) {
  const struct {
    const char* standard;
    std::size_t items;
    const char* has;
    const char* hasNot;
  } cases[] = {
      {"builtin", 18, "vaporisation_enthalpy", "speed_of_sound"},
      {"iapws", 24, "joule_thomson", "saturation_temperature"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.standard);
    const CalcRun run = Batch("T,P\n300,1000\n", std::string("--standard ") + c.standard);
    const Table table = ParseCsv(run.out);
    EXPECT_EQ(table.header.size(), 3 + 3 * c.items + 1);
    EXPECT_NO_FATAL_FAILURE(table.Column(c.has));
    for (const auto& name : table.header) EXPECT_NE(name, c.hasNot);
  }
}

// IAPWS values carry every digit of the double the standard computes: tulo-calc property's value
// (15 significant digits) to the last of them, single-phase and saturated.
TEST(BatchCommand, IapwsValuesAreThoseOfThePropertyCommand) {
  const CalcRun run = Batch("T,P\n300,1000\n500,1000\n373.15,\n1000,30000\n260,100\n",
                            "--standard iapws --items h,rho,cp,mu");
  ASSERT_EQ(run.status, 0) << run.err;
  const Table table = ParseCsv(run.out);
  ASSERT_EQ(table.rows.size(), 5u);
  const struct {
    std::size_t row;
    const char* condition;
    int phase;
    const char* suffix;
  } cells[] = {
      {0, "Sub-cooled Liquid", 5, ""},
      {1, "Superheated Vapour", 7, ""},
      {2, "Saturated Liquid and Vapour", 1, "_liquid"},
      {2, "Saturated Liquid and Vapour", 2, "_vapour"},
      {3, "Super Critical", 8, ""},
      {4, "Sub-cooled Solid", 3, ""},
  };
  const std::pair<const char*, int> items[] = {
      {"enthalpy", 15}, {"density", 18}, {"heat_capacity", 22}, {"viscosity", 21}};
  for (const auto& c : cells) {
    EXPECT_EQ(table.Cell(c.row, "condition"), c.condition);
    EXPECT_EQ(table.Cell(c.row, "status"), "");
    for (const auto& [key, code] : items) {
      SCOPED_TRACE(std::string(key) + c.suffix + " of row " + std::to_string(c.row));
      const std::string args = "property " + std::to_string(code) + " " + std::to_string(c.phase) + " " +
                               table.Cell(c.row, "T") + " " + table.Cell(c.row, "P") + " --standard iapws";
      const CalcRun property = RunCalc(args);
      ASSERT_EQ(property.status, 0) << args;
      const std::string& cell = table.Cell(c.row, key + std::string(c.suffix));
      if (property.out.rfind("0\t", 0) != 0) {  // not given (ice has no viscosity)
        EXPECT_EQ(cell, "") << property.out;
        continue;
      }
      const double expected = std::strtod(property.out.c_str() + 2, nullptr);
      EXPECT_NEAR(Number(cell), expected, 1e-14 * std::fabs(expected)) << property.out;
    }
  }
  // A single-phase row leaves the saturated columns empty, and the reverse.
  EXPECT_EQ(table.Cell(0, "enthalpy_liquid"), "");
  EXPECT_EQ(table.Cell(2, "enthalpy"), "");
  EXPECT_EQ(table.Cell(2, "T"), "373.15");
}

// The half unit of the last digit of a cell text ("113.37", "8.538e-4").
double HalfUnit(const std::string& text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string mantissa = text.substr(0, e);
  const std::size_t point = mantissa.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  const int exponent = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  return 0.5 * std::pow(10.0, exponent - decimals);
}

// The built-in standard's values are the window's cells with more digits: each rounds to the
// cell's text, in the units chosen; "Out of Range" cells are empty and named in the status.
TEST(BatchCommand, BuiltInValuesRoundToTheWindowsCells) {
  const struct {
    const char* t;
    const char* p;
    const char* units;
  } states[] = {
      {"300", "1000", "SI"},   {"500", "1000", "SI"},   {"373.15", "", "SI"}, {"", "5000", "SI"},
      {"25", "1", "European"}, {"250", "", "Imperial"}, {"260", "100", "SI"}, {"700", "25000", "SI"},
  };
  for (const auto& s : states) {
    SCOPED_TRACE(std::string(s.t) + " " + s.p + " " + s.units);
    const CalcRun run =
        Batch(std::string("T,P\n") + s.t + "," + s.p + "\n", std::string("--units ") + s.units);
    ASSERT_TRUE(run.status == 0 || run.status == 4) << run.err;
    const Table table = ParseCsv(run.out);
    ASSERT_EQ(table.rows.size(), 1u);
    std::string args = std::string("--layout tabs --units ") + s.units;
    if (*s.t) args += std::string(" -T ") + s.t;
    if (*s.p) args += std::string(" -P ") + s.p;
    const CalcRun window = RunCalc(args);
    ASSERT_EQ(window.status, 0) << window.err;
    std::istringstream lines(window.out);
    std::string line;
    int compared = 0;
    while (std::getline(lines, line)) {
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
      if (f.size() == 2 && f[0] == "Condition=") {
        EXPECT_EQ(table.Cell(0, "condition"), f[1]);
      }
      std::optional<Item> item;
      for (Item v : VariableItems())
        if (!f.empty() && PropName(v) == f[0]) item = v;
      if (!item || f.size() < 3) continue;
      const bool saturated = f.size() > 3 && !f[3].empty();
      const std::string key = ItemKey(*item);
      for (std::size_t k = 2; k <= (saturated ? 3u : 2u); ++k) {
        const std::string column = saturated ? key + (k == 2 ? "_liquid" : "_vapour") : key;
        const std::string& cell = table.Cell(0, column);
        SCOPED_TRACE(std::string(column).append(": window ").append(f[k]).append(", batch ").append(cell));
        if (f[k] == "Out of Range") {
          EXPECT_EQ(cell, "");
          EXPECT_NE(table.Cell(0, "status").find(column), std::string::npos);
        } else if (f[k].empty() || f[k] == " -") {
          EXPECT_EQ(cell, "");
        } else {
          EXPECT_NEAR(Number(cell), Number(f[k]), HalfUnit(f[k]) * (1 + 1e-9));
          ++compared;
        }
      }
    }
    EXPECT_GE(compared, 5);
  }
}

// Bad rows get the window's message (or the reader's) in the status column; the run goes on, in
// order, and exits 4 with the count on stderr.
TEST(BatchCommand, BadRowsHaveTheirMessageAndTheRunExitsFour) {
  const std::string input =
      "T,P,x\n"
      "abc,1,\n"
      "2000,100,\n"
      ",30000,\n"
      ",,50\n"
      "300,100,50\n"
      "373.15,,150\n"
      "373.15,,abc\n"
      "1,2,3,4\n"
      "1e39,100,\n"
      " 300 , 1000 ,\n"
      "\"300\",\"1000\",\"\"\n";
  const CalcRun run = Batch(input, "--items h,viscosity");
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "tulo-calc batch: 9 of 11 rows have a message in the status column\n");
  const Table table = ParseCsv(run.out);
  ASSERT_EQ(table.rows.size(), 11u);
  const char* statuses[] = {
      "not a number: abc",
      "Temperature must be between 166 and 1273.15 Kelvin",
      "For saturation the pressure must be less than 22090 kPa abs",
      "Please enter either temperature or pressure or both.",
      "Wet Steam Calculations are only possible for saturated steam.",
      "Percentage Wet Steam can only be between 0% and 100%",
      "not a number: abc",
      "wrong number of fields: 4 where the header has 3",
      "number out of range: 1e39",
      "",
      "",
  };
  for (std::size_t i = 0; i < table.rows.size(); ++i) EXPECT_EQ(table.rows[i].back(), statuses[i]) << i;
  // A row whose input failed has no cells; one whose quality failed keeps the state's values.
  EXPECT_EQ(table.Cell(0, "condition"), "");
  EXPECT_EQ(table.Cell(4, "condition"), "Sub-cooled Liquid");
  EXPECT_NE(table.Cell(4, "enthalpy"), "");
  EXPECT_EQ(table.Cell(9, "condition"), "Sub-cooled Liquid");
  EXPECT_EQ(table.rows[9], table.rows[10]);
}

TEST(BatchCommand, OutOfRangeValuesAreEmptyAndNamedInTheStatus) {
  // The built-in viscosity and conductivity end below 1273.15 K and above some pressures.
  const CalcRun run = Batch("T,P\n1200,100\n", "--items h,viscosity,thermal_conductivity");
  const Table table = ParseCsv(run.out);
  ASSERT_EQ(table.rows.size(), 1u);
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(table.Cell(0, "enthalpy"), "");
  EXPECT_EQ(table.Cell(0, "viscosity"), "");
  EXPECT_EQ(table.Cell(0, "status"), "Out of Range: viscosity, thermal_conductivity");
}

// Whatever is wrong with the call is told before any output, with exit status 2.
TEST(BatchCommand, RefusalsExitTwoBeforeAnyOutput) {
  const TempFile good("T,P\n300,1000\n");
  const TempFile noTemperature("Temp,P\n300,1000\n");
  const TempFile empty("");
  const std::string file = good.Path() + " ";
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {file + "--items h,enthalpie",
       "tulo-calc batch: unknown item: enthalpie (tulo-calc batch --help lists"},
      {file + "--items h,", "unknown item: "},
      {file + "--items molecular_weight", "unknown item: molecular_weight"},
      {file + "--items Enthalpy_", "unknown item: Enthalpy_"},
      {file + "--items speed_of_sound", "the builtin standard does not give speed_of_sound\n"},
      {file + "--items h,s,enthalpy", "item named twice: enthalpy\n"},
      {file + "--format xml", "--format must be csv, tsv or json: xml\n"},
      {file + "--units Metric", "unknown units: Metric\n"},
      {file + "--standard if97", "unknown standard: if97 (builtin or iapws)\n"},
      {file + "--threads 0", "--threads must be a whole number from 1 to 256: 0\n"},
      {file + "--threads 1.5", "--threads must be a whole number from 1 to 256: 1.5\n"},
      {file + "--threads 1e30", "--threads must be a whole number from 1 to 256: 1e30\n"},
      {file + "--threads", "--threads needs a value\n"},
      {file + "--bogus", "unknown argument: --bogus\n"},
      {file + file, "one input file at most: "},
      {"/nonexistent/plant.csv", "cannot open /nonexistent/plant.csv: No such file or directory\n"},
      {std::filesystem::temp_directory_path().string(), ": Is a directory\n"},
      {noTemperature.Path(), "tulo-calc batch: "},
      {empty.Path(), "tulo-calc batch: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CalcRun run = RunCalc("batch " + c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

// TSV and JSON hold what CSV holds; TSV input reads as CSV input does.
TEST(BatchCommand, FormatsHoldTheSameRows) {
  const std::string csvInput = "T,P,x\n300,1000,\n373.15,,25\nabc,1,\n";
  std::string tsvInput = csvInput;
  for (char& c : tsvInput)
    if (c == ',') c = '\t';
  const std::string args = "--standard iapws --items h,rho";
  const CalcRun csv = Batch(csvInput, args);
  EXPECT_EQ(csv.status, 4);
  EXPECT_EQ(Batch(tsvInput, args).out, csv.out);

  const CalcRun tsv = Batch(csvInput, args + " --format tsv");
  EXPECT_EQ(tsv.status, 4);
  const Table fromCsv = ParseCsv(csv.out);
  const Table fromTsv = ParseCsv(tsv.out, '\t');
  EXPECT_EQ(fromTsv.header, fromCsv.header);
  EXPECT_EQ(fromTsv.rows, fromCsv.rows);

  const CalcRun json = Batch(csvInput, args + " --format json");
  EXPECT_EQ(json.status, 4);
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  ASSERT_TRUE(parsed.is_array());
  ASSERT_EQ(parsed.size(), fromCsv.rows.size());
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    const nlohmann::json& object = parsed[i];
    ASSERT_EQ(object.size(), fromCsv.header.size());
    for (std::size_t k = 0; k < fromCsv.header.size(); ++k) {
      const std::string& name = fromCsv.header[k];
      const std::string& cell = fromCsv.rows[i][k];
      SCOPED_TRACE(name + " of row " + std::to_string(i));
      const nlohmann::json& value = object.at(name);
      if (name == "status" || name == "condition") {
        EXPECT_EQ(value.is_null() ? "" : value.get<std::string>(), cell);
      } else if (cell.empty()) {
        EXPECT_TRUE(value.is_null());
      } else {
        ASSERT_TRUE(value.is_number());
        EXPECT_EQ(value.get<double>(), Number(cell));  // every digit survives
      }
    }
  }
}

// Wet steam by mass from the liquid and vapour columns, for each row's own quality: rows at one
// temperature with changing qualities must not see one another's kept values.
TEST(BatchCommand, WetColumnsMixEachRowsQuality) {
  const CalcRun run =
      Batch("T,P,x\n373.15,,10\n373.15,,90\n373.15,,10\n373.15,,\n", "--standard iapws --items h,s");
  ASSERT_EQ(run.status, 0) << run.err;
  const Table table = ParseCsv(run.out);
  ASSERT_EQ(table.rows.size(), 4u);
  const double qualities[] = {0.1, 0.9, 0.1};
  for (std::size_t i = 0; i < 3; ++i) {
    for (const std::string key : {"enthalpy", "entropy"}) {
      const double liquid = Number(table.Cell(i, key + "_liquid"));
      const double vapour = Number(table.Cell(i, key + "_vapour"));
      const double expected = qualities[i] * vapour + (1 - qualities[i]) * liquid;
      EXPECT_NEAR(Number(table.Cell(i, key + "_wet")), expected, 1e-12 * expected) << key << " row " << i;
    }
  }
  EXPECT_EQ(table.Cell(3, "enthalpy_wet"), "");
}

// Rows come out in input order whatever the number of threads, from a file or from stdin.
TEST(BatchCommand, OrderIsTheInputsWithAnyThreadsAndFromStdin) {
  std::string input = "P,T,x\n";
  // Appends, not "," + text: GCC 12 at -O3 warns falsely (-Wrestrict) on the latter.
  for (int i = 0; i < 6000; ++i) {
    if (i % 97 == 0)
      input.append("junk,").append(std::to_string(i)).append(",\n");
    else if (i % 5 == 0)
      input.append(",")
          .append(std::to_string(280 + i % 360))
          .append(",")
          .append(std::to_string(i % 101))
          .append("\n");
    else
      input.append(std::to_string(1 + i % 20000))
          .append(",")
          .append(std::to_string(270 + i % 900))
          .append(",\n");
  }
  const TempFile file(input);
  const CalcRun one = RunCalc("batch " + file.Path() + " --standard iapws --threads 1");
  EXPECT_EQ(one.status, 4);
  EXPECT_EQ(ParseCsv(one.out).rows.size(), 6000u);
  for (const std::string threads : {"2", "7"}) {
    const CalcRun many = RunCalc("batch " + file.Path() + " --standard iapws --threads " + threads);
    EXPECT_EQ(many.status, 4);
    EXPECT_TRUE(many.out == one.out) << threads << " threads";
  }
  const CalcRun piped = RunCalc("batch - --standard iapws < " + file.Path());
  EXPECT_TRUE(piped.out == one.out);
  const CalcRun implicitStdin = RunCalc("batch --standard iapws < " + file.Path());
  EXPECT_TRUE(implicitStdin.out == one.out);
}

TEST(BatchCommand, AClosedPipeEndsTheRunQuietly) {
  std::string input = "T,P\n";
  for (int i = 0; i < 20000; ++i) input += "300,1000\n";
  const TempFile file(input);
  const CalcRun run = testing::RunIntoClosedPipe("batch " + file.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  const CalcRun full = RunCalc("batch " + file.Path() + " >/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "tulo-calc batch: cannot write the results: No space left on device\n");
}

TEST(BatchCommand, HelpTellsTheColumnsItemsAndExitStatuses) {
  const CalcRun run = RunCalc("batch --help");
  EXPECT_EQ(run.status, 0);
  for (const char* text :
       {"tulo-calc batch [FILE|-] [--format csv|tsv|json] [--items LIST]", "ITEM_liquid and ITEM_vapour",
        "ITEM_wet", "Exit status 0: every row good; 4:", "2, before any output",
        "1: the output or the input failed", "joule_thomson", "internal_energy,", "lambda"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace tulo
