// tulo-calc batch [FILE|-] [--format csv|tsv|json] [--items LIST] [--units U] [--standard S]
// [--threads N]: the rows of a CSV or TSV file (or of stdin) computed on every core and written
// in input order. Whatever is wrong with the arguments is told before any output.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

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
};

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

std::optional<BatchArgs> ParseArgs(const Args& args, std::string& error) {
  BatchArgs parsed;
  parsed.request.set = &BuiltInCorrelations();
  parsed.request.units = PresetSelection(UnitPreset::kSI);
  std::optional<std::string> items;
  bool fileGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool option = a.size() > 1 && a[0] == '-';
    if (!option) {
      if (fileGiven) {
        error = "one input file at most: " + Shown(a);
        return std::nullopt;
      }
      parsed.file = a;
      fileGiven = true;
      continue;
    }
    if (a != "--format" && a != "--items" && a != "--units" && a != "--standard" && a != "--threads") {
      error = "unknown argument: " + Shown(a);
      return std::nullopt;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return std::nullopt;
    }
    const std::string& v = args[++i];
    if (a == "--format") {
      const auto format = batch::ParseOutputFormat(v);
      if (!format) {
        error = "--format must be csv, tsv or json: " + Shown(v);
        return std::nullopt;
      }
      parsed.format = *format;
    } else if (a == "--items") {
      items = v;
    } else if (a == "--units") {
      const auto units = ParseUnitsArgument(v);
      if (!units) {
        error = UnknownUnitsText(v);
        return std::nullopt;
      }
      parsed.request.units = *units;
    } else if (a == "--standard") {
      parsed.request.set = CorrelationSetNamed(v);
      if (parsed.request.set == nullptr) {
        error = "unknown standard: " + Shown(v) + " (builtin or iapws)";
        return std::nullopt;
      }
    } else {
      const std::optional<double> n = ReadNumber(v);
      if (!n || *n < 1 || *n > batch::kMaxThreads || *n != std::floor(*n)) {
        error = "--threads must be a whole number from 1 to " + std::to_string(batch::kMaxThreads) + ": " +
                Shown(v);
        return std::nullopt;
      }
      parsed.threads = static_cast<unsigned>(*n);
    }
  }
  // The items last: they depend on the standard, wherever --standard stands.
  if (items) {
    auto list = ParseItems(*items, *parsed.request.set, error);
    if (!list) return std::nullopt;
    parsed.request.items = std::move(*list);
  } else {
    parsed.request.items = DefaultBatchItems(*parsed.request.set);
  }
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
  const BatchRequest& request = parsed->request;
  options.columnsFor = [&request](const batch::BatchHeader& header) {
    return BatchColumns(request, header.qualityColumn.has_value());
  };
  const batch::RowComputerFactory factory = [&request]() -> batch::RowComputer {
    auto computer = std::make_shared<BatchComputer>(request);
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
