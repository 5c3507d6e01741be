#include "cli/ProcessArgs.h"

#include <iostream>
#include <string_view>

#include "cli/CliText.h"
#include "cli/StateArgs.h"
#include "props/BuiltInSet.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

const std::map<std::string, bool> kReportOptions = {
    {"--standard", true}, {"--units", true},   {"--flow-unit", true},       {"--power-unit", true},
    {"--format", true},   {"--diagram", true}, {"--full-precision", false}, {"--output", true},
};

constexpr std::string_view kFlowPart = "flow=";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma = text.find(separator); comma != std::string::npos;
       comma = text.find(separator, start)) {
    parts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The chart options; an empty text when they are right.
std::string ChartProblem(const Options& o, ProcessDrawer drawer) {
  if (!o.Has("--diagram")) return o.Has("--output") ? "--output goes with --diagram ts|hs|ph" : "";
  const std::string& kind = o.values.at("--diagram");
  if (kind != "ts" && kind != "hs" && kind != "ph")
    return "unknown diagram: " + Shown(kind) + " (ts, hs or ph)";
  if (!o.Has("--output")) return "--diagram needs --output FILE.svg or FILE.png";
  if (drawer == nullptr)
    return "--diagram: this build has no diagrams (they need the desktop program's Qt libraries)";
  return "";
}

}  // namespace

std::map<std::string, bool> ProcessOptions(const std::map<std::string, bool>& own) {
  std::map<std::string, bool> all = kReportOptions;
  all.insert(own.begin(), own.end());
  return all;
}

std::optional<ReportSetup> SetupOf(const Options& o, ProcessDrawer drawer, std::string& error) {
  ReportSetup setup;
  setup.set = o.Has("--standard") ? CorrelationSetNamed(o.values.at("--standard")) : &BuiltInCorrelations();
  if (setup.set == nullptr) error = UnknownStandardText(o.values.at("--standard"));
  const std::optional<UnitSelection> selection =
      o.Has("--units") ? ParseUnitsArgument(o.values.at("--units")) : PresetSelection(UnitPreset::kSI);
  if (error.empty() && !selection) error = UnknownUnitsText(o.values.at("--units"));
  if (selection) setup.units.InitUnits(*selection);
  if (o.Has("--flow-unit")) {
    const std::optional<FlowUnit> flow = FlowUnitNamed(o.values.at("--flow-unit"));
    if (error.empty() && !flow)
      error = "unknown flow unit: " + Shown(o.values.at("--flow-unit")) + " (kg/s, kg/h, t/h or lb/h)";
    setup.flow = flow.value_or(FlowUnit::kKgPerS);
  }
  if (o.Has("--power-unit")) {
    const std::optional<PowerUnit> power = PowerUnitNamed(o.values.at("--power-unit"));
    if (error.empty() && !power)
      error = "unknown power unit: " + Shown(o.values.at("--power-unit")) + " (kW or MW)";
    setup.power = power.value_or(PowerUnit::kKW);
  }
  const std::string format = o.Has("--format") ? o.values.at("--format") : "text";
  if (error.empty() && format != "text" && format != "json")
    error = "unknown format: " + Shown(format) + " (text or json)";
  setup.json = format == "json";
  setup.fullPrecision = o.flags.count("--full-precision") != 0;
  if (error.empty()) error = ChartProblem(o, drawer);
  if (o.Has("--diagram")) setup.chart = o.values.at("--diagram");
  if (o.Has("--output")) setup.output = o.values.at("--output");
  if (!error.empty()) return std::nullopt;
  return setup;
}

void ValueReader::Fault(const std::string& message) {
  if (error_.empty()) error_ = message;
}

const std::string* ValueReader::Text(const std::string& option, bool required) {
  const auto it = o_.values.find(option);
  if (it != o_.values.end()) return &it->second;
  if (required) Fault("missing " + option);
  return nullptr;
}

double ValueReader::Value(const std::string& option, Quantity q) {
  const std::string* text = Text(option, true);
  if (text == nullptr) return 0.0;
  std::string error;
  const std::optional<double> value = InternalValue(*text, q, *setup_.set, setup_.units, error);
  if (!value) Fault(option + ": " + error);
  return value.value_or(0.0);
}

std::optional<double> ValueReader::OptionalValue(const std::string& option, Quantity q) {
  if (!o_.Has(option.c_str())) return std::nullopt;
  return Value(option, q);
}

double ValueReader::Percent(const std::string& option, std::optional<double> fallback) {
  const std::string* text = Text(option, !fallback);
  if (text == nullptr) return fallback.value_or(0.0);
  std::string error;
  const std::optional<double> value = InternalValue(*text, std::nullopt, *setup_.set, setup_.units, error);
  if (!value) Fault(option + ": " + error);
  return value.value_or(0.0);
}

std::optional<double> ValueReader::Flow(const std::string& option, const std::string& text) {
  std::string error;
  const std::optional<double> value = InternalValue(text, std::nullopt, *setup_.set, setup_.units, error);
  if (!value) {
    Fault(option + ": " + error);
  } else if (!(*value > 0.0)) {
    Fault(option + ": the flow must be above zero, not " + Shown(text));
  } else {
    return FlowToInternal(*value, setup_.flow);
  }
  return std::nullopt;
}

std::optional<double> ValueReader::OptionalFlow(const std::string& option) {
  const std::string* text = Text(option, false);
  if (text == nullptr) return std::nullopt;
  return Flow(option, *text);
}

std::optional<double> ValueReader::OptionalPower(const std::string& option) {
  const std::string* text = Text(option, false);
  if (text == nullptr) return std::nullopt;
  std::string error;
  const std::optional<double> value = InternalValue(*text, std::nullopt, *setup_.set, setup_.units, error);
  if (!value) {
    Fault(option + ": " + error);
  } else if (!(*value > 0.0)) {
    Fault(option + ": the power must be above zero, not " + Shown(*text));
  } else {
    return PowerToInternal(*value, setup_.power);
  }
  return std::nullopt;
}

StateInput ValueReader::StateOf(const std::string& option, const std::string& text,
                                std::optional<double>* flow) {
  std::vector<Given> given;
  std::optional<std::string> flowText;
  for (const std::string& part : Split(text, ',')) {
    if (part.starts_with(kFlowPart)) {
      if (flow == nullptr)
        Fault(option + ": no flow= here (a stream's flow: --stream, --steam, flash --inlet)");
      if (flowText) Fault(option + ": flow given twice");
      flowText = part.substr(kFlowPart.size());
    } else if (std::optional<Given> g = ReadGiven(part)) {
      given.push_back(std::move(*g));
    } else {
      Fault(option + ": " + Shown(part) + " is not " + std::string(kGivenForm));
    }
  }
  if (given.size() != 2)
    Fault(option + ": a state is two of T, P, h, s, x (NAME=VALUE,NAME=VALUE), not " +
          std::to_string(given.size()));
  if (flow != nullptr && !flowText) Fault(option + ": a stream needs its flow: NAME=VALUE,NAME=VALUE,flow=V");
  if (Failed()) return {};
  if (flow != nullptr) *flow = Flow(option, *flowText);
  std::string error;
  const std::optional<StateInput> input = InputOf(given, *setup_.set, setup_.units, error);
  if (!input) Fault(option + ": " + error);
  return input.value_or(StateInput{});
}

StateInput ValueReader::State(const std::string& option) {
  const std::string* text = Text(option, true);
  return text == nullptr ? StateInput{} : StateOf(option, *text, nullptr);
}

StreamInput ValueReader::Stream(const std::string& option) {
  const std::string* text = Text(option, true);
  return text == nullptr ? StreamInput{} : Stream(option, *text);
}

StreamInput ValueReader::Stream(const std::string& option, const std::string& text) {
  std::optional<double> flow;
  StreamInput stream{StateOf(option, text, &flow)};
  stream.flow = flow.value_or(0.0);
  return stream;
}

void ValueReader::Exclusive(const std::string& a, const std::string& b) {
  if (o_.Has(a.c_str()) && o_.Has(b.c_str())) Fault(a + " and " + b + " together: give one of them");
}

void ValueReader::OneOf(const std::string& a, const std::string& b) {
  if (!o_.Has(a.c_str()) && !o_.Has(b.c_str())) Fault("missing " + a + " or " + b);
}

void ValueReader::Together(const std::string& a, const std::string& b) {
  if (o_.Has(a.c_str()) != o_.Has(b.c_str())) Fault(a + " and " + b + " go together: give both or neither");
}

int Refuse(const std::string& command, const std::string& message) {
  std::cerr << "tulo-calc " << command << ": " << message << "\n";
  return 2;
}

int Finish(const ProcessOutcome& outcome, const ReportSetup& setup, StateEvaluator& evaluator,
           ProcessDrawer drawer, const std::string& command) {
  if (!outcome.result) return Refuse(command, outcome.error);
  if (setup.chart) {
    const int status =
        drawer(ProcessChartRequest{*setup.chart, setup.output, &*outcome.result, &evaluator, &setup.units});
    if (status != 0) return status;
  }
  const ReportUnits units = setup.Report();
  std::cout << (setup.json ? ProcessJson(*outcome.result, units)
                           : ProcessText(*outcome.result, units, setup.fullPrecision));
  return 0;
}

}  // namespace tulo::cli
