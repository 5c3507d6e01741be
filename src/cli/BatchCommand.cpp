// tulo-calc batch [FILE|-] [--format csv|tsv|json] [--items LIST] [--units U] [--standard S]
// [--threads N] [--columns MAP] [--keep LIST] [--saturated] [--decimal-comma]: the rows of a CSV
// or TSV file (or of stdin) computed on every core and written in input order. Whatever is wrong
// with the arguments is told before any output.

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
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
#include "cli/CommandOptions.h"
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

// --columns T=NAME,P=NAME,h=NAME,s=NAME,x=NAME: the names of the input columns.
bool ParseColumns(const std::string& map, batch::ColumnRules& rules, std::string& error) {
  constexpr std::pair<const char*, batch::InputColumn> kInputs[] = {{"T", batch::InputColumn::kTemperature},
                                                                    {"P", batch::InputColumn::kPressure},
                                                                    {"h", batch::InputColumn::kEnthalpy},
                                                                    {"s", batch::InputColumn::kEntropy},
                                                                    {"x", batch::InputColumn::kQuality}};
  for (const std::string& entry : SplitList(map)) {
    const std::size_t equals = entry.find('=');
    const std::string key = entry.substr(0, equals);
    const std::string name = equals == std::string::npos ? "" : entry.substr(equals + 1);
    const auto* input =
        std::find_if(std::begin(kInputs), std::end(kInputs), [&](const auto& i) { return key == i.first; });
    if (input == std::end(kInputs)) {
      error = "--columns: unknown input " + Shown(key) + " (T, P, h, s or x, as in T=TT101,P=PT101)";
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

}  // namespace

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

namespace {

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
    if (parsed.request.set == nullptr) error = UnknownStandardText(v);
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

// The signal that asked a batch run to stop, 0 while none has. A mutable global only because a
// signal handler can reach nothing else; the handler only stores the number, and the run reads it
// between chunks. A lock-free atomic, not a volatile sig_atomic_t: the
// handler may run on any thread, and the reading thread must see what it stored.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void RequestStop(int signal) {
  stopSignal.store(signal, std::memory_order_relaxed);
}

// SIGINT and SIGTERM end the run after the chunk being written, with whole rows and a message,
// while the batch command runs; a signal ignored on entry (a background job's SIGINT) stays
// ignored. Without SA_RESTART, a read of stdin waiting for input returns at the signal, so that an
// idle pipe does not keep the run from ending.
class StopOnSignals {
 public:
  StopOnSignals() {
    Catch(SIGINT, oldInt_);
    Catch(SIGTERM, oldTerm_);
  }
  ~StopOnSignals() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

  static const char* Reason() {
    switch (stopSignal.load(std::memory_order_relaxed)) {
      case 0:
        return nullptr;
      case SIGINT:
        return "stopped by SIGINT";
      default:
        return "stopped by SIGTERM";
    }
  }

 private:
  static void Catch(int signal, struct sigaction& old) {
    sigaction(signal, nullptr, &old);
    if (old.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }

  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// glibc gives each thread that allocates an arena of its own, up to 8 per core, and each arena
// takes 64 MB of address space: with the workers' stacks, a run with many threads would not fit
// an address-space limit of 1 GB (ulimit -v). The workers reuse their buffers from row to row, so
// that a few shared arenas serve them as well.
constexpr int kMallocArenas = 4;

// Why standard input cannot be read as the input (a folder, a closed descriptor); empty when it
// can. Reading a folder through stdin would otherwise look like an empty input.
std::string StdinProblem() {
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0) return std::strerror(errno);
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  return {};
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
  if (parsed->file == "-") {
    if (const std::string problem = StdinProblem(); !problem.empty())
      return Fail("cannot read the standard input: " + problem);
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
    for (std::string& name : BatchColumns(request, header)) columns.push_back(std::move(name));
    return columns;
  };
  const batch::RowComputerFactory factory = [&request, &input]() -> batch::RowComputer {
    auto computer = std::make_shared<BatchComputer>(request, input);
    return [computer](const batch::BatchRow& row, batch::BatchResult& result) {
      computer->Compute(row, result);
    };
  };

  options.stopRequested = &StopOnSignals::Reason;

  batch::IgnoreBrokenPipeSignal();
#ifdef M_ARENA_MAX
  mallopt(M_ARENA_MAX, kMallocArenas);
#endif
  const StopOnSignals stopOnSignals;
  // Straight to the descriptor: std::cout's buffer would split rows across writes.
  batch::DescriptorSink out(STDOUT_FILENO);
  const batch::BatchReport report = batch::RunBatch(in, out, options, factory);
  if (!report.message.empty()) std::cerr << "tulo-calc batch: " << report.message << "\n";
  if (report.outcome == batch::BatchOutcome::kSomeRowsBad)
    std::cerr << "tulo-calc batch: " << report.badRows << " of " << report.rows
              << " rows have a message in the status column\n";
  return batch::ExitStatus(report.outcome);
}

}  // namespace tulo::cli
