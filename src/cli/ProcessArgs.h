#pragma once
// What the process and cycle commands share: the options of the report (standard, units, flow
// and power units, format, chart), the reading of their values into internal units, and the
// printing of an outcome.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "process/ProcessReport.h"

namespace tulo::cli {

// The options of every process and cycle command, with `own`, those of one operation.
std::map<std::string, bool> ProcessOptions(const std::map<std::string, bool>& own);

// The report's choices of a call: the standard, the units, the format and the chart.
struct ReportSetup {
  const CorrelationSet* set = nullptr;
  UnitSettings units;
  FlowUnit flow = FlowUnit::kKgPerS;
  PowerUnit power = PowerUnit::kKW;
  bool json = false;
  bool fullPrecision = false;
  std::optional<std::string> chart;  // ts, hs or ph, with `output`
  std::string output;

  ReportUnits Report() const { return {&units, set, flow, power}; }
};

// The choices of the options; nothing, with `error` set, for an unknown standard, units, flow or
// power unit or format, a chart without a file or a drawer, a file without a chart.
std::optional<ReportSetup> SetupOf(const Options& o, ProcessDrawer drawer, std::string& error);

// Reads the values of an operation's options into internal units. The first fault is kept and
// every later read gives a placeholder, so that an input is built in one expression and checked
// once (Failed) before it is used.
class ValueReader {
 public:
  ValueReader(const Options& o, const ReportSetup& setup) : o_(o), setup_(setup) {}

  // A required option's value in the unit of q in the units in use.
  double Value(const std::string& option, Quantity q);
  std::optional<double> OptionalValue(const std::string& option, Quantity q);
  // Percent (an efficiency); `fallback` for an option not given, nothing: required.
  double Percent(const std::string& option, std::optional<double> fallback = std::nullopt);
  // A flow in the flow unit, above zero.
  std::optional<double> OptionalFlow(const std::string& option);
  // A power in the power unit, above zero.
  std::optional<double> OptionalPower(const std::string& option);
  // A required state option NAME=VALUE,NAME=VALUE.
  StateInput State(const std::string& option);
  // A stream NAME=VALUE,NAME=VALUE,flow=V: a required option's, or `text` (a repeated option's).
  StreamInput Stream(const std::string& option);
  StreamInput Stream(const std::string& option, const std::string& text);

  // A fault when both options are given.
  void Exclusive(const std::string& a, const std::string& b);
  // A fault when neither is given.
  void OneOf(const std::string& a, const std::string& b);
  // A fault when one is given without the other.
  void Together(const std::string& a, const std::string& b);

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }
  const Options& Opts() const { return o_; }

 private:
  void Fault(const std::string& message);
  const std::string* Text(const std::string& option, bool required);
  std::optional<double> Flow(const std::string& option, const std::string& text);
  // The state of a text, with its flow= when `flow` is given.
  StateInput StateOf(const std::string& option, const std::string& text, std::optional<double>* flow);

  const Options& o_;
  const ReportSetup& setup_;
  std::string error_;
};

// The outcome printed in the format of the setup (and drawn on its chart); its error, or an input
// fault, as "tulo-calc COMMAND: MESSAGE" on stderr with exit status 2.
int Finish(const ProcessOutcome& outcome, const ReportSetup& setup, StateEvaluator& evaluator,
           ProcessDrawer drawer, const std::string& command);
// A message of the command on stderr; exit status 2.
int Refuse(const std::string& command, const std::string& message);

}  // namespace tulo::cli
