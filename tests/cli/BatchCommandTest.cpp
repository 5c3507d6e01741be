// tulo-calc batch as a script meets it: the header, values equal to the window's cells and to
// tulo-calc property, saturated rows in liquid and vapour columns, statuses and exit statuses,
// refusals before any output, the three output formats, order across threads, a closed pipe.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
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
                            "--standard iapws --items h,rho,cp,mu --saturated");
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
        Batch(std::string("T,P\n") + s.t + "," + s.p + "\n", std::string("--saturated --units ") + s.units);
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
      {file + "--standard if97", "unknown standard: if97 (builtin, iapws or iapws95)\n"},
      {file + "--threads 0", "--threads must be a whole number from 1 to 256: 0\n"},
      {file + "--threads 1.5", "--threads must be a whole number from 1 to 256: 1.5\n"},
      {file + "--threads 1e30", "--threads must be a whole number from 1 to 256: 1e30\n"},
      {file + "--threads", "--threads needs a value\n"},
      {file + "--bogus", "unknown argument: --bogus\n"},
      {file + "--columns h=H101",
       "tulo-calc batch: no column named H101, given for the enthalpy by --columns\n"},
      {file + "--columns s=S1", "tulo-calc batch: no column named S1, given for the entropy by --columns\n"},
      {file + "--columns Q=QX", "--columns: unknown input Q (T, P, h, s or x, as in T=TT101,P=PT101)\n"},
      {file + "--columns T=", "--columns: no column name after T=\n"},
      {file + "--columns T=A,T=B", "--columns names the column of T twice\n"},
      {file + "--columns T=A,P=A", "--columns gives A for two inputs\n"},
      {file + "--columns T=tt101,x=TT101", "--columns gives TT101 for two inputs\n"},
      {file + "--keep Time,Time", "--keep names Time twice\n"},
      {file + "--keep Time,", "--keep: an empty column name in Time,\n"},
      {file + "--keep Time", "tulo-calc batch: no column named Time, given by --keep\n"},
      {file + "--columns T=TT101",
       "tulo-calc batch: no column named TT101, given for the temperature by --columns\n"},
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

// An input of another pair than T and P: its columns named by --columns with units in brackets,
// the pair's output columns, a row without a state (exit 4), input columns of no pair refused
// before any output.
TEST(BatchCommand, PairInputs) {
  const CalcRun plain = Batch("P,h\n1000,2800\n1000,1e5\n", "--standard iapws --items rho");
  EXPECT_EQ(plain.status, 4) << plain.err;
  const Table table = ParseCsv(plain.out);
  EXPECT_EQ(table.header, (std::vector<std::string>{"condition", "T", "P", "x", "density", "status"}));
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.Cell(0, "condition"), "Superheated Vapour");
  EXPECT_EQ(table.Cell(0, "status"), "");
  EXPECT_EQ(table.Cell(1, "T"), "");
  EXPECT_NE(table.Cell(1, "status"), "");

  // 2800 kJ/kg is 1204.308 Btu/lb, 1000 kPa 10 bar.
  const CalcRun named = Batch("Druck [bar],H101 [Btu/lb]\n10,1204.308\n",
                              "--standard iapws --items rho --columns P=Druck,h=H101");
  ASSERT_EQ(named.status, 0) << named.err;
  const Table inUnits = ParseCsv(named.out);
  ASSERT_EQ(inUnits.rows.size(), 1u);
  EXPECT_EQ(inUnits.header, table.header);
  for (const char* column : {"T", "P", "density"})
    EXPECT_NEAR(Number(inUnits.Cell(0, column)), Number(table.Cell(0, column)),
                1e-12 * Number(table.Cell(0, column)))
        << column;

  const CalcRun refused = Batch("T,P,h\n300,1000,100\n", "");
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("the input columns T, P, h make no input pair"), std::string::npos)
      << refused.err;
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
        "1: the output or the input failed", "joule_thomson", "internal_energy,", "lambda",
        "[--columns MAP] [--keep LIST]", "which\n      wins over U", "--saturated", "--decimal-comma\n"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

// What batch is given that is no CSV or TSV input is named as such, before any output.
TEST(BatchCommand, InputsThatAreNoTableAreNamed) {
  const TempFile json("[{\"T\": 300, \"P\": 1000}]\n");
  const std::string folder = std::filesystem::temp_directory_path().string();
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {json.Path(),
       "tulo-calc batch: unreadable header: the input looks like JSON; batch reads CSV or TSV\n"},
      {"- < " + json.Path(),
       "tulo-calc batch: unreadable header: the input looks like JSON; batch reads CSV or TSV\n"},
      {"< " + folder, "tulo-calc batch: cannot read the standard input: Is a directory\n"},
      {"- <&-", "tulo-calc batch: cannot read the standard input: Bad file descriptor\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CalcRun run = RunCalc("batch " + c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
  }
}

std::string FileText(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

constexpr int kSignalledRows = 200000;

// tulo-calc batch reading its rows from a pipe that stays open: once the first rows are out, the
// signal is sent, so the input cannot end before it.
CalcRun RunUntilSignal(const std::string& args, int signal) {
  const TempFile out(""), err("");
  int fds[2];
  if (pipe(fds) != 0) return {};
  const std::string command =
      std::string("exec ") + TULO_CALC_PATH + " batch " + args + " >" + out.Path() + " 2>" + err.Path();
  const pid_t child = fork();
  if (child == 0) {
    dup2(fds[0], 0);
    close(fds[0]);
    close(fds[1]);
    std::signal(signal, SIG_DFL);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[0]);
  // More rows than the reader looks at for the delimiter (a megabyte) and the chunks read ahead
  // hold, so that some are written while the reading waits.
  std::string rows = "T,P\n";
  for (int i = 0; i < kSignalledRows; ++i) rows += "300,1000\n";
  // A child that ends early must fail the checks below, not end this test process by SIGPIPE.
  const auto previousPipeHandler = std::signal(SIGPIPE, SIG_IGN);
  for (std::size_t at = 0; at < rows.size();) {
    const ssize_t n = write(fds[1], rows.data() + at, rows.size() - at);
    if (n <= 0) break;
    at += static_cast<std::size_t>(n);
  }
  // Waits (a minute at most, rather than hang) for a row after the header.
  for (int i = 0; i < 6000; ++i) {
    const std::string written = FileText(out.Path());
    if (std::count(written.begin(), written.end(), '\n') >= 2) break;
    usleep(10000);
  }
  std::signal(SIGPIPE, previousPipeHandler);
  kill(child, signal);
  int raw = 0;
  for (int i = 0; i < 100 && waitpid(child, &raw, WNOHANG) == 0; ++i) usleep(10000);
  close(fds[1]);  // in case the signal went to a thread other than the reading one
  waitpid(child, &raw, 0);
  CalcRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = FileText(out.Path());
  run.err = FileText(err.Path());
  return run;
}

// SIGTERM and SIGINT end the run between chunks: whole rows, the count and the last row's line
// in the message, a JSON array closed.
TEST(BatchCommand, ASignalEndsTheRunAfterWholeRows) {
  const struct {
    int signal;
    const char* name;
    const char* format;
  } cases[] = {{SIGTERM, "SIGTERM", "csv"}, {SIGINT, "SIGINT", "json"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CalcRun run =
        RunUntilSignal(std::string("--standard iapws --items h --format ") + c.format, c.signal);
    EXPECT_EQ(run.status, 1);
    std::size_t rows = 0;
    if (std::string(c.format) == "json") {
      rows = nlohmann::json::parse(run.out).size();
    } else {
      rows = ParseCsv(run.out).rows.size();
      ASSERT_FALSE(run.out.empty());
      EXPECT_EQ(run.out.back(), '\n');
    }
    EXPECT_GT(rows, 0u);
    EXPECT_LT(rows, static_cast<std::size_t>(kSignalledRows));
    EXPECT_EQ(run.err, "tulo-calc batch: stopped by " + std::string(c.name) + "; " + std::to_string(rows) +
                           " rows are written, the last from input line " + std::to_string(rows + 1) + "\n");
  }
}

// --threads 256 within an address-space limit of 1 GB: the chunks in flight, the threads and the
// allocator's arenas are bounded, so every row comes out.
TEST(BatchCommand, ManyThreadsFitAGigabyteOfAddressSpace) {
#ifdef TULO_SANITIZED
  // AddressSanitizer reserves terabytes of shadow address space: a limit on the address space
  // says nothing of the program's own memory there. The release build runs this test.
  GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
#endif
  constexpr int kRows = 140000;  // more than the chunks in flight hold
  std::string input = "T,P\n";
  for (int i = 0; i < kRows; ++i) input += "300,1000\n";
  const TempFile file(input), out(""), err("");
  const std::string command = std::string("ulimit -v 1000000 && exec ") + TULO_CALC_PATH + " batch " +
                              file.Path() + " --standard iapws --items h,s,rho --threads 256 >" + out.Path() +
                              " 2>" + err.Path();
  const int raw = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << FileText(err.Path());
  const std::string written = FileText(out.Path());
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), kRows + 1);
}

}  // namespace
}  // namespace tulo

namespace tulo {
namespace {

using testing::CalcRun;
using testing::RunCalc;

CalcRun BatchOf(const std::string& input, const std::string& args) {
  static int counter = 0;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("tulo-historian-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".csv");
  std::ofstream(path, std::ios::binary) << input;
  CalcRun run = RunCalc("batch " + path.string() + " " + args);
  std::filesystem::remove(path);
  return run;
}

// Plant-historian exports as they come: a Good/Bad quality column, blanks, units in brackets,
// other tag names, timestamps to keep, semicolons and decimal commas. The whole output is
// compared. 538.2 degC is 811.35 K through the program's Real6 conversion (the Celsius offset
// stored in 40 bits), 811.350000001 K, as the window has it when 538.2 is typed in Celsius.
TEST(BatchCommand, HistorianExports) {
  const std::string header = "condition,T,P,enthalpy,enthalpy_liquid,enthalpy_vapour,status\n";
  const std::string row = "Superheated Vapour,811.350000001,16530,3398.628022835,,,\n";
  const struct {
    const char* name;
    std::string input;
    std::string args;
    std::string out;
    int status = 0;
  } cases[] = {
      {"a Good/Bad Quality column is data; a blank T or P is missing",
       "Timestamp,Tag,T [degC],P [bar],Quality\n"
       "2024-03-01 00:00,HP1,538.2,165.3,Good\n"
       "2024-03-01 00:01,HP1,,165.2,Bad\n"
       "2024-03-01 00:02,HP1,538.2,,Good\n",
       "--items h --keep all",
       "Timestamp,Tag,Quality," + header + "2024-03-01 00:00,HP1,Good," + row +
           "2024-03-01 00:01,HP1,Bad,,,,,,,no temperature\n"
           "2024-03-01 00:02,HP1,Good,,,,,,,no pressure\n",
       4},
      {"units in brackets", "T [degC],P [bar]\n538.2,165.3\n", "--items h", header + row},
      {"the state in the display units", "T,P\n811.35,16530\n", "--items h",
       header + "Superheated Vapour,811.35,16530,3398.62802283,,,\n"},
      {"bracket units win over --units; the output has the units of U", "T [K],P [kPa]\n811.35,16530\n",
       "--items h --units European", header + "Superheated Vapour,538.2,163.137876,811.898248374,,,\n"},
      {"a semicolon file with decimal commas", "Zeit;T [\u00B0C];P [bar]\n01.03.2024 00:00;538,2;165,3\n",
       "--items h --keep Zeit", "Zeit," + header + "01.03.2024 00:00," + row},
      {"decimal commas out too, separated by semicolons",
       "Zeit;T [\u00B0C];P [bar]\n01.03.2024 00:00;538,2;165,3\n1;2.5;3\n",
       "--items h --keep Zeit --decimal-comma",
       "Zeit;condition;T;P;enthalpy;enthalpy_liquid;enthalpy_vapour;status\n"
       "01.03.2024 00:00;Superheated Vapour;811,350000001;16530;3398,628022835;;;\n"
       "1;;;;;;;not a number: 2.5\n",
       4},
      {"tag names mapped with --columns; the columns named T and P are data",
       "Tag,TT101 [degC],T,PT101 [barg],P\nHP1,538.2,1,164.28675,2\n",
       "--items h --columns T=TT101,P=PT101 --keep Tag", "Tag," + header + "HP1," + row},
      {"a kept column may not take an output column's name", "TT101,T,P\n1,2,3\n",
       "--columns T=TT101 --keep T", ""},
      {"a mapped steam quality: a blank P is saturated at T", "Temp,P,QX\n373.15,,50\n",
       "--items h --columns T=Temp,x=QX",
       "condition,T,P,enthalpy,enthalpy_liquid,enthalpy_vapour,enthalpy_wet,status\n"
       "Saturated Liquid and Vapour,373.15,101.3256341524,,418.87426924,2674.89500885,1546.884639045,\n"},
      {"--saturated restores the window's rule", "T,P\n373.15,\n", "--items h --saturated",
       header + "Saturated Liquid and Vapour,373.15,101.3256341524,,418.87426924,2674.89500885,\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CalcRun run = BatchOf(c.input, c.args);
    EXPECT_EQ(run.status, c.out.empty() ? 2 : c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

// A unit the program does not know is refused before any output, named, with the known ones.
TEST(BatchCommand, UnknownUnitsInBracketsAreRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"T [degK],P\n1,2\n",
       "tulo-calc batch: unknown temperature unit \"degK\" in column 1 (T [degK]); known: K, degC, \u00B0C, "
       "C, "
       "degF, \u00B0F, F, R, degR, \u00B0R\n"},
      {"Time,T,P [mmH2O]\n1,2,3\n",
       "tulo-calc batch: unknown pressure unit \"mmH2O\" in column 3 (P [mmH2O]); known: kPa, MPa, Pa, bar, "
       "mbar, atm, psi, inH2O, inHg, mmHg, kgf/cm2, lbf/ft2; absolute as they stand or with a, (a) or abs "
       "(bara, bar(a)), gauge with g, (g) or gauge (barg, psig, bar(g))\n"},
      {"T,P,x [kg/kg]\n1,2,3\n",
       "tulo-calc batch: unknown steam quality unit \"kg/kg\" in column 3 (x [kg/kg]); known: % (the steam "
       "quality in percent)\n"},
  };
  for (const auto& [input, err] : cases) {
    const CalcRun run = BatchOf(input, "");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, err);
  }
}

// An option given twice is refused, in every command, rather than the last one winning.
TEST(BatchCommand, OptionsGivenTwiceAreRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"batch --units SI --units European", "tulo-calc batch: option --units given twice\n"},
      {"batch --saturated --saturated", "tulo-calc batch: option --saturated given twice\n"},
      {"batch --keep all --items h --keep Time", "tulo-calc batch: option --keep given twice\n"},
      {"-T 300 -P 1000 -T 400", "tulo-calc: option -T given twice\n"},
      {"property 15 5 300 1000 --standard iapws --standard builtin",
       "tulo-calc property: option --standard given twice\n"},
  };
  for (const auto& [args, err] : cases) {
    const CalcRun run = RunCalc(args + " </dev/null");
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), err) << args;
  }
}

}  // namespace
}  // namespace tulo
