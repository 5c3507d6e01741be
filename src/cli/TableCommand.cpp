// tulo-calc table saturation|isobar|isotherm --by temperature|pressure --from A --to B
//   (--step S | --rows N) [--at V] [--items LIST] [--format text|csv|tsv|json] [--units U]
//   [--standard builtin|iapws|iapws95]
// The rows are computed and written a block at a time, so that a table of a million rows never
// has to be held whole; a write that fails ends the command (main says so, exit status 1).

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/TableInput.h"
#include "batch/TableOutput.h"
#include "cli/CliText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

// Rows computed (on every core) and written at a time.
constexpr std::int64_t kBlockRows = 8192;

int Fail(const std::string& message) {
  std::cerr << "tulo-calc table: " << message << "\n";
  return 2;
}

// The kind from the first argument and --by; the message for a pair that does not go together.
std::optional<TableKind> KindOf(const std::string& kind, const std::string& by, std::string& error) {
  if (kind == "saturation") {
    if (by.empty() || by == "temperature") return TableKind::kSaturationByTemperature;
    if (by == "pressure") return TableKind::kSaturationByPressure;
    error = "--by must be temperature or pressure: " + Shown(by);
    return std::nullopt;
  }
  if (kind == "isobar" || kind == "isotherm") {
    const bool isobar = kind == "isobar";
    const std::string varies = isobar ? "temperature" : "pressure";
    if (by.empty() || by == varies) return isobar ? TableKind::kIsobar : TableKind::kIsotherm;
    error = "an " + kind + " varies the " + varies + ": --by " + Shown(by) + " does not fit it";
    return std::nullopt;
  }
  error = "the kind must be saturation, isobar or isotherm: " + Shown(kind);
  return std::nullopt;
}

// A comma-separated list of item keys or codes; the message names the first that is no item.
std::optional<std::vector<Item>> ItemsOf(const std::string& list, std::string& error) {
  std::vector<Item> items;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string key =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::optional<Item> item = ItemFromKey(key);
    if (!item || !IsVariableItem(*item)) {
      error = "--items: not a property: " + Shown(key) +
              " (a name such as enthalpy, entropy, density, or a code 15 to 33 or 36 to 41)";
      return std::nullopt;
    }
    items.push_back(*item);
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

// Computes the table in blocks and writes each as it is done; 1 when the output fails.
int WriteTable(const TableRequest& request, const CorrelationSet& set, const UnitSelection& units,
               batch::TableFormat format) {
  std::optional<batch::TableWriter> writer;
  std::string out;
  for (std::int64_t first = 0; first < request.range.rows; first += kBlockRows) {
    const std::int64_t count = std::min(kBlockRows, request.range.rows - first);
    const std::optional<RangeTable> block = ComputeRangeTable(request, set, units, first, count);
    if (!block) return 1;  // never: nothing cancels it
    out.clear();
    if (!writer) {
      writer.emplace(format, *block);
      writer->AppendHeader(out);
    }
    writer->AppendRows(*block, out);
    if (first + count >= request.range.rows) writer->AppendFooter(out);
    // A reader that has gone away, or a full disk: stop at once; main tells of it.
    if (!std::cout.write(out.data(), static_cast<std::streamsize>(out.size())) || !std::cout.flush())
      return 1;
  }
  return 0;
}

}  // namespace

int TableCommand(const Args& args) {
  if (args.empty() || args[0].empty() || args[0][0] == '-')
    return Fail("the kind of table is needed: saturation, isobar or isotherm (tulo-calc --help tells more)");
  const std::string& kindText = args[0];
  std::string error;
  std::optional<Options> options = ParseOptions(Args(args.begin() + 1, args.end()),
                                                {{"--by", true},
                                                 {"--from", true},
                                                 {"--to", true},
                                                 {"--step", true},
                                                 {"--rows", true},
                                                 {"--at", true},
                                                 {"--items", true},
                                                 {"--format", true},
                                                 {"--units", true},
                                                 {"--standard", true}},
                                                error);
  if (!options) return Fail(error);
  std::map<std::string, std::string>& values = options->values;
  auto value = [&](const char* name) {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  };

  const std::optional<TableKind> kind = KindOf(kindText, value("--by"), error);
  if (!kind) return Fail(error);
  const CorrelationSet* set = &Standards()[0].set();
  if (values.count("--standard")) {
    set = CorrelationSetNamed(value("--standard"));
    if (set == nullptr)
      return Fail(UnknownStandardText(value("--standard")));
  }
  UnitSelection units = PresetSelection(UnitPreset::kSI);
  if (values.count("--units")) {
    auto selection = ParseUnitsArgument(value("--units"));
    if (!selection) return Fail(UnknownUnitsText(value("--units")));
    units = *selection;
  }
  batch::TableFormat format = batch::TableFormat::kText;
  if (values.count("--format")) {
    auto f = batch::ParseTableFormat(value("--format"));
    if (!f) return Fail("--format must be text, csv, tsv or json: " + Shown(value("--format")));
    format = *f;
  }
  TableInput input;
  input.kind = *kind;
  input.from = value("--from");
  input.to = value("--to");
  input.step = value("--step");
  input.rows = value("--rows");
  input.at = value("--at");
  for (const char* name : {"--from", "--to", "--step", "--rows", "--at", "--items"})
    if (values.count(name) && values[name].empty()) return Fail(std::string(name) + " needs a value");
  if (values.count("--items")) {
    auto items = ItemsOf(value("--items"), error);
    if (!items) return Fail(error);
    input.items = std::move(*items);
  }

  Session session(*set);
  session.units.InitUnits(units);
  const TableCheck check = CheckTableInput(session, input);
  if (!check.request) return Fail(check.error);
  const TableRequest& request = *check.request;

  return WriteTable(request, *set, units, format);
}

}  // namespace tulo::cli
