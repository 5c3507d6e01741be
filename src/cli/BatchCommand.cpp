// tulo-calc batch [FILE|-] [--format csv|tsv|json] [--items LIST] [--units U] [--standard S]
// [--threads N] [--columns MAP] [--keep LIST] [--saturated] [--decimal-comma]: the rows of a CSV
// or TSV file (or of stdin) computed on every core and written in input order. Whatever is wrong
// with the arguments is told before any output.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "batch/BatchRun.h"
#include "cli/BatchComputer.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "common/NumberReader.h"
#include "props/BuiltInSet.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

int Fail(const std::string& message) {
  std::cerr << "tulo-calc batch: " << message << "\n";
  return 2;
}

struct BatchArgs {
  std::string file = "-";
  batch::OutputFormat format = batch::OutputFormat::kCsv;
  BatchRequest request;
  unsigned threads = 0;
  batch::ColumnRules rules;
};

// The options that take a value, in the order they are applied (--items needs the standard),
// and the flags.
constexpr const char* kValueOptions[] = {"--format",  "--units", "--standard", "--threads",
                                         "--columns", "--keep",  "--items"};
constexpr const char* kFlagOptions[] = {"--saturated", "--decimal-comma"};

// The pieces of a comma-separated list, empty ones included.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(list.substr(start, comma - start));
  parts.push_back(list.substr(start));
  return parts;
}

// --columns T=NAME,P=NAME,x=NAME: the names of the input columns. h and s name the inputs of
// pairs not computed yet, and are refused as such.
bool ParseColumns(const std::string& map, batch::ColumnRules& rules, std::string& error) {
  constexpr std::pair<const char*, batch::InputColumn> kInputs[] = {{"T", batch::InputColumn::kTemperature},
                                                                    {"P", batch::InputColumn::kPressure},
                                                                    {"x", batch::InputColumn::kQuality}};
  for (const std::string& entry : SplitList(map)) {
    const std::size_t equals = entry.find('=');
    const std::string key = entry.substr(0, equals);
    const std::string name = equals == std::string::npos ? "" : entry.substr(equals + 1);
    if (key == "h" || key == "s") {
      error = key + ": this input pair is not supported yet";
      return false;
    }
    const auto* input =
        std::find_if(std::begin(kInputs), std::end(kInputs), [&](const auto& i) { return key == i.first; });
    if (input == std::end(kInputs)) {
      error = "--columns: unknown input " + Shown(key) + " (T, P or x, as in T=TT101,P=PT101)";
      return false;
    }
    std::string& slot = rules.names[static_cast<std::size_t>(input->second)];
    if (name.find_first_not_of(" \t") == std::string::npos) {
      error = "--columns: no column name after " + key + "=";
      return false;
    }
    if (!slot.empty()) {
      error = "--columns names the column of " + key + " twice";
      return false;
    }
    // Header names are compared without case: "a" and "A" are one column.
    const auto same = [&name](const std::string& other) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      return std::equal(name.begin(), name.end(), other.begin(), other.end(),
                        [&](char a, char b) { return lower(a) == lower(b); });
    };
    for (const std::string& other : rules.names)
      if (same(other)) {
        error = "--columns gives " + Shown(name) + " for two inputs";
        return false;
      }
    slot = name;
  }
  return true;
}

// --keep all, or --keep NAME,NAME...: the columns copied to the output.
bool ParseKeep(const std::string& list, batch::ColumnRules& rules, std::string& error) {
  if (list == "all") {
    rules.keepAll = true;
    return true;
  }
  for (const std::string& name : SplitList(list)) {
    if (name.find_first_not_of(" \t") == std::string::npos) {
      error = "--keep: an empty column name in " + Shown(list);
      return false;
    }
    if (std::find(rules.keep.begin(), rules.keep.end(), name) != rules.keep.end()) {
      error = "--keep names " + Shown(name) + " twice";
      return false;
    }
    rules.keep.push_back(name);
  }
  return true;
}

// The items of --items, or the message for the first that is wrong.
std::optional<std::vector<Item>> ParseItems(const std::string& list, const CorrelationSet& set,
                                            std::string& error) {
  std::vector<Item> items;
  double quality = 0.0;
  Condition condition = Condition::kNone;
  CalcContext ctx{quality, condition};
  const std::unique_ptr<CalculatorTable> calculators = set.MakeCalculators(ctx);
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string name =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::optional<Item> item = ItemFromKey(name);
    if (!item || !IsVariableItem(*item)) {
      error = "unknown item: " + Shown(name) + " (tulo-calc batch --help lists the items)";
      return std::nullopt;
    }
    if (calculators->VarPropCalc(*item) == nullptr) {
      error = "the " + std::string(StandardKey(set)) + " standard does not give " + ItemKey(*item);
      return std::nullopt;
    }
    if (std::find(items.begin(), items.end(), *item) != items.end()) {
      error = "item named twice: " + ItemKey(*item);
      return std::nullopt;
    }
    items.push_back(*item);
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

// Applies one option's value; false, with the message in error, for a wrong one.
bool ApplyOption(const std::string& name, const std::string& v, BatchArgs& parsed, std::string& error) {
  if (name == "--format") {
    const auto format = batch::ParseOutputFormat(v);
    if (format)
      parsed.format = *format;
    else
      error = "--format must be csv, tsv or json: " + Shown(v);
  } else if (name == "--units") {
    const auto units = ParseUnitsArgument(v);
    if (units)
      parsed.request.units = *units;
    else
      error = UnknownUnitsText(v);
  } else if (name == "--standard") {
    parsed.request.set = CorrelationSetNamed(v);
    if (parsed.request.set == nullptr) error = "unknown standard: " + Shown(v) + " (builtin or iapws)";
  } else if (name == "--threads") {
    const std::optional<double> n = ReadNumber(v);
    if (!n || *n < 1 || *n > batch::kMaxThreads || *n != std::floor(*n))
      error = "--threads must be a whole number from 1 to " + std::to_string(batch::kMaxThreads) + ": " +
              Shown(v);
    else
      parsed.threads = static_cast<unsigned>(*n);
  } else if (name == "--columns") {
    ParseColumns(v, parsed.rules, error);
  } else if (name == "--keep") {
    ParseKeep(v, parsed.rules, error);
  } else {
    auto list = ParseItems(v, *parsed.request.set, error);
    if (list) parsed.request.items = std::move(*list);
  }
  return error.empty();
}

std::optional<BatchArgs> ParseArgs(const Args& args, std::string& error) {
  BatchArgs parsed;
  parsed.request.set = &BuiltInCorrelations();
  parsed.request.units = PresetSelection(UnitPreset::kSI);
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  bool fileGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() <= 1 || a[0] != '-') {
      if (fileGiven) {
        error = "one input file at most: " + Shown(a);
        return std::nullopt;
      }
      parsed.file = a;
      fileGiven = true;
      continue;
    }
    const bool flag =
        std::find(std::begin(kFlagOptions), std::end(kFlagOptions), a) != std::end(kFlagOptions);
    if (!flag &&
        std::find(std::begin(kValueOptions), std::end(kValueOptions), a) == std::end(kValueOptions)) {
      error = "unknown argument: " + Shown(a);
      return std::nullopt;
    }
    if (values.count(a) != 0 || flags.count(a) != 0) {
      error = "option " + a + " given twice";
      return std::nullopt;
    }
    if (flag) {
      flags.insert(a);
      continue;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return std::nullopt;
    }
    values[a] = args[++i];
  }
  for (const char* name : kValueOptions)
    if (values.count(name) != 0 && !ApplyOption(name, values[name], parsed, error)) return std::nullopt;
  if (values.count("--items") == 0) parsed.request.items = DefaultBatchItems(*parsed.request.set);
  parsed.request.saturated = flags.count("--saturated") != 0;
  parsed.rules.decimalComma = flags.count("--decimal-comma") != 0;
  // Numbers in JSON have a point whatever the input's numbers have.
  parsed.request.decimalComma = parsed.rules.decimalComma && parsed.format != batch::OutputFormat::kJson;
  return parsed;
}

}  // namespace

int BatchCommand(const Args& args) {
  std::string error;
  const std::optional<BatchArgs> parsed = ParseArgs(args, error);
  if (!parsed) return Fail(error);

  std::ifstream file;
  if (parsed->file != "-") {
    file.open(parsed->file, std::ios::binary);
    if (!file) return Fail("cannot open " + Shown(parsed->file) + ": " + std::strerror(errno));
    // A folder opens, and then cannot be read.
    std::error_code ec;
    if (std::filesystem::is_directory(parsed->file, ec))
      return Fail("cannot open " + Shown(parsed->file) + ": " + std::strerror(EISDIR));
  }
  std::istream& in = parsed->file == "-" ? std::cin : file;

  batch::BatchOptions options;
  options.format = parsed->format;
  options.threads = parsed->threads;
  options.columnRules = parsed->rules;
  if (parsed->request.decimalComma) options.csvSeparator = ';';
  const BatchRequest& request = parsed->request;
  options.columnRules.reservedNames = BatchColumns(request, true);
  // Set once the header is read, before the first computer is made.
  batch::BatchHeader input;
  options.columnsFor = [&request, &input](const batch::BatchHeader& header) {
    input = header;
    std::vector<std::string> columns = header.keptNames;
    for (std::string& name : BatchColumns(request, header.qualityColumn.has_value()))
      columns.push_back(std::move(name));
    return columns;
  };
  const batch::RowComputerFactory factory = [&request, &input]() -> batch::RowComputer {
    auto computer = std::make_shared<BatchComputer>(request, input);
    return [computer](const batch::BatchRow& row, batch::BatchResult& result) {
      computer->Compute(row, result);
    };
  };

  batch::IgnoreBrokenPipeSignal();
  const batch::BatchReport report = batch::RunBatch(in, std::cout, options, factory);
  if (!report.message.empty()) std::cerr << "tulo-calc batch: " << report.message << "\n";
  if (report.outcome == batch::BatchOutcome::kSomeRowsBad)
    std::cerr << "tulo-calc batch: " << report.badRows << " of " << report.rows
              << " rows have a message in the status column\n";
  return batch::ExitStatus(report.outcome);
}

}  // namespace tulo::cli
