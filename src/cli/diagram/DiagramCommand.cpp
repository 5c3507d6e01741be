// tulo-calc diagram ts|hs|ph|pt --output FILE.svg|FILE.png [-T V] [-P V] [--units U] [--standard S]
// Draws the chart the diagram window shows, with the state typed as -T and -P marked, on Qt's
// "offscreen" platform: no display is needed. Built only with the desktop program's libraries.

#include <QApplication>
#include <QByteArray>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <variant>

#include "app/MainForm.h"
#include "app/UnitsForm.h"
#include "cli/CliPlatform.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "common/NumberReader.h"
#include "common/Real6.h"
#include "gui/DiagramChart.h"
#include "results/Standards.h"
#include "units/Presets.h"

namespace tulo::cli {
namespace {

// The size of the picture, in pixels of the chart (a PNG holds twice as many each way).
constexpr int kWidth = 1000;
constexpr int kHeight = 750;

// Qt's notes on the offscreen platform (no window manager, no runtime folder) say nothing about
// the diagram: only its critical messages reach stderr.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << "tulo-calc diagram: " << message.toStdString() << "\n";
}

int Fail(const std::string& message) {
  std::cerr << "tulo-calc diagram: " << message << "\n";
  return 2;
}

// The command's arguments: the diagram's name and the options' values by option.
struct DiagramArgs {
  std::string kind;
  std::map<std::string, std::string> values;
  bool Has(const char* option) const { return values.count(option) != 0; }
};

// Reads the arguments; the message of the first one that is wrong otherwise.
std::variant<DiagramArgs, std::string> ReadArgs(const Args& args) {
  DiagramArgs read;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-T" || a == "-P" || a == "--units" || a == "--standard" || a == "--output") {
      if (i + 1 >= args.size()) return a + " needs a value";
      read.values[a] = args[++i];
    } else if (read.kind.empty() && !a.empty() && a[0] != '-') {
      read.kind = a;
    } else {
      return "unknown argument: " + Shown(a);
    }
  }
  if (read.kind.empty()) return std::string("which diagram? ts, hs, ph or pt");
  if (!DiagramKindNamed(read.kind)) return "unknown diagram: " + Shown(read.kind) + " (ts, hs, ph or pt)";
  if (!read.Has("--output")) return std::string("--output FILE.svg or FILE.png is required");
  if (!gui::ImageFormatOf(QString::fromStdString(read.values["--output"])))
    return "the output must end in .svg or .png: " + Shown(read.values["--output"]);
  if (read.Has("--standard") && CorrelationSetNamed(read.values["--standard"]) == nullptr)
    return "unknown standard: " + Shown(read.values["--standard"]) + " (builtin or iapws)";
  for (const char* name : {"-T", "-P"})
    if (read.Has(name) && !ReadNumber(read.values[name])) return NumberProblem(read.values[name]);
  if (read.Has("--units") && !ParseUnitsArgument(read.values["--units"]))
    return UnknownUnitsText(read.values["--units"]);
  return read;
}

// The state as the window computes it from the same fields; the message when it is not one.
std::optional<std::string> EnterState(MainForm& form, DiagramArgs& read) {
  form.InitialiseWithoutFile();
  if (read.Has("--units")) {
    const auto selection = ParseUnitsArgument(read.values["--units"]);
    UnitsForm units(form);
    for (int q = 0; q < kQuantityCount; ++q) units.SelectUnit(q, (*selection)[q] - 1);
    units.UnitsOkClick();
  }
  if (read.Has("--standard")) form.SelectCorrelationSet(*CorrelationSetNamed(read.values["--standard"]));
  for (auto [name, q, field] :
       {std::tuple{"-T", kTemperature, Field::kTemperature}, std::tuple{"-P", kPressure, Field::kPressure}}) {
    if (!read.Has(name)) continue;
    if (!FitsReal6(form.session().units.ToInternal(q, *ReadNumber(read.values[name]))))
      return NumberProblem(read.values[name]) + " " + form.session().units.UnitText(q);
    form.WriteField(field, read.values[name]);
  }
  // Without -T and -P the chart has no mark; the form's request for a state does not apply.
  const bool stateGiven = read.Has("-T") || read.Has("-P");
  if (stateGiven && !form.FormError.caption.empty()) return form.FormError.caption;
  return std::nullopt;
}

// Draws the chart of `kind` with the form's state marked into `output`; false with `error` set
// when the file cannot be written.
bool DrawChart(DiagramKind kind, MainForm& form, const QString& output, QString& error) {
  // Qt draws without a display unless the caller chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QtMessages);
  int argc = 1;
  char name[] = "tulo-calc";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  Session& s = form.session();
  auto* chart = new gui::DiagramChart;
  QChartView view(chart);  // owns the chart
  view.setRenderHint(QPainter::Antialiasing);
  // Shown, so that it lays the chart out in its size, but never on a screen.
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(kWidth, kHeight);
  view.show();
  chart->SetLines(BuildDiagramLines(kind, s.Set(), s.units), QString::fromStdString(s.Set().Name()));
  DiagramPicker picker(kind, s.Set(), s.units);
  chart->SetMarker(gui::MarkOf(picker, form));
  QApplication::processEvents();  // lays the chart out in the view's size
  return gui::SaveChartImage(view, output, error);
}

}  // namespace

int DiagramCommand(const Args& args) {
  auto read = ReadArgs(args);
  if (const auto* message = std::get_if<std::string>(&read)) return Fail(*message);
  DiagramArgs& diagram = std::get<DiagramArgs>(read);
  CliPlatform platform;
  MainForm form(platform);
  if (const std::optional<std::string> message = EnterState(form, diagram)) return Fail(*message);
  QString error;
  if (!DrawChart(*DiagramKindNamed(diagram.kind), form, QString::fromStdString(diagram.values["--output"]),
                 error)) {
    std::cerr << "tulo-calc diagram: cannot write " << diagram.values["--output"] << ": "
              << error.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tulo::cli
