// tulo-calc diagram ts|hs|ph|pt --output FILE.svg|FILE.png [-T V] [-P V] [--units U] [--standard S]
// Draws the chart the diagram window shows, with the state typed as -T and -P marked, on Qt's
// "offscreen" platform: no display is needed. Built only with the desktop program's libraries.

#include <QString>
#include <iostream>
#include <optional>
#include <string>
#include <variant>

#include "app/MainForm.h"
#include "cli/CliPlatform.h"
#include "cli/CliText.h"
#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/diagram/ChartFile.h"
#include "common/NumberReader.h"
#include "gui/DiagramChart.h"

namespace tulo::cli {
namespace {

int Fail(const std::string& message) {
  std::cerr << "tulo-calc diagram: " << message << "\n";
  return 2;
}

// The command's arguments: the diagram's name, then the options.
struct DiagramArgs {
  std::string kind;
  Options options;
};

// Reads the arguments; the message of the first one that is wrong otherwise.
std::variant<DiagramArgs, std::string> ReadArgs(const Args& args) {
  if (args.empty() || args[0].empty() || args[0][0] == '-') return std::string("which diagram? ts, hs, ph or pt");
  DiagramArgs read{args[0], {}};
  std::string error;
  const std::optional<Options> options = ParseOptions(
      Args(args.begin() + 1, args.end()),
      {{"-T", true}, {"-P", true}, {"--units", true}, {"--standard", true}, {"--output", true}}, error);
  if (!options) return error;
  read.options = *options;
  Options& o = read.options;
  if (!DiagramKindNamed(read.kind)) return "unknown diagram: " + Shown(read.kind) + " (ts, hs, ph or pt)";
  if (!o.Has("--output")) return std::string("--output FILE.svg or FILE.png is required");
  if (!gui::ImageFormatOf(QString::fromStdString(o.values["--output"])))
    return "the output must end in .svg or .png: " + Shown(o.values["--output"]);
  for (const char* name : {"-T", "-P"})
    if (o.Has(name) && !ReadNumber(o.values[name])) return NumberProblem(o.values[name]);
  return read;
}

// The state as the window computes it from the same fields; the message when it is not one.
std::optional<std::string> EnterState(MainForm& form, const Options& o) {
  form.InitialiseWithoutFile();
  if (!InstallUnits(form, o)) return UnknownUnitsText(o.values.at("--units"));
  if (!InstallStandard(form, o)) return UnknownStandardText(o.values.at("--standard"));
  if (std::optional<std::string> message = TypeState(form, o)) return message;
  // Without -T and -P the chart has no mark; the form's request for a state does not apply.
  const bool stateGiven = o.Has("-T") || o.Has("-P");
  if (stateGiven && !form.FormError.caption.empty()) return form.FormError.caption;
  return std::nullopt;
}

// Draws the chart of `kind` with the form's state marked into `output`; false with `error` set
// when the file cannot be written.
bool DrawChart(DiagramKind kind, MainForm& form, const QString& output, QString& error) {
  const Session& s = form.session();
  return WriteChartFile(
      kind, s.Set(), s.units,
      [&](gui::DiagramChart& chart) {
        DiagramPicker picker(kind, s.Set(), s.units);
        chart.SetMarker(gui::MarkOf(picker, form));
      },
      output, error);
}

}  // namespace

int DiagramCommand(const Args& args) {
  auto read = ReadArgs(args);
  if (const auto* message = std::get_if<std::string>(&read)) return Fail(*message);
  const DiagramArgs& diagram = std::get<DiagramArgs>(read);
  CliPlatform platform;
  MainForm form(platform);
  if (const std::optional<std::string> message = EnterState(form, diagram.options)) return Fail(*message);
  const std::string& output = diagram.options.values.at("--output");
  QString error;
  if (!DrawChart(*DiagramKindNamed(diagram.kind), form, QString::fromStdString(output), error)) {
    std::cerr << "tulo-calc diagram: cannot write " << output << ": " << error.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tulo::cli
