// tulo-calc diagram ts|hs|ph|pt --output FILE.svg|FILE.png [-T V] [-P V] [--units U] [--standard S]
// Draws the chart the diagram window shows, with the state typed as -T and -P marked, on Qt's
// "offscreen" platform: no display is needed. Built only with the desktop program's libraries.

#include <QApplication>
#include <QByteArray>
#include <iostream>
#include <map>
#include <string>

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

}  // namespace

int DiagramCommand(const Args& args) {
  std::map<std::string, std::string> values;
  std::string kindArg;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-T" || a == "-P" || a == "--units" || a == "--standard" || a == "--output") {
      if (i + 1 >= args.size()) return Fail(a + " needs a value");
      values[a] = args[++i];
    } else if (kindArg.empty() && !a.empty() && a[0] != '-') {
      kindArg = a;
    } else {
      return Fail("unknown argument: " + Shown(a));
    }
  }
  if (kindArg.empty()) return Fail("which diagram? ts, hs, ph or pt");
  const std::optional<DiagramKind> kind = DiagramKindNamed(kindArg);
  if (!kind) return Fail("unknown diagram: " + Shown(kindArg) + " (ts, hs, ph or pt)");
  if (!values.count("--output")) return Fail("--output FILE.svg or FILE.png is required");
  const QString output = QString::fromStdString(values["--output"]);
  if (!gui::ImageFormatOf(output))
    return Fail("the output must end in .svg or .png: " + Shown(values["--output"]));
  const CorrelationSet* set = &BuiltInCorrelations();
  if (values.count("--standard")) {
    set = CorrelationSetNamed(values["--standard"]);
    if (set == nullptr)
      return Fail("unknown standard: " + Shown(values["--standard"]) + " (builtin or iapws)");
  }
  for (const char* name : {"-T", "-P"})
    if (values.count(name) && !ReadNumber(values[name])) return Fail(NumberProblem(values[name]));

  // The state as the window computes it from the same fields.
  CliPlatform platform;
  MainForm form(platform);
  form.InitialiseWithoutFile();
  if (values.count("--units")) {
    const auto selection = ParseUnitsArgument(values["--units"]);
    if (!selection) return Fail(UnknownUnitsText(values["--units"]));
    UnitsForm units(form);
    for (int q = 0; q < kQuantityCount; ++q) units.SelectUnit(q, (*selection)[q] - 1);
    units.UnitsOkClick();
  }
  form.SelectCorrelationSet(*set);
  for (auto [name, q, field] :
       {std::tuple{"-T", kTemperature, Field::kTemperature}, std::tuple{"-P", kPressure, Field::kPressure}}) {
    if (!values.count(name)) continue;
    if (!FitsReal6(form.session().units.ToInternal(q, *ReadNumber(values[name]))))
      return Fail(NumberProblem(values[name]) + " " + form.session().units.UnitText(q));
    form.WriteField(field, values[name]);
  }
  // Without -T and -P the chart has no mark; the form's request for a state does not apply.
  const bool stateGiven = values.count("-T") || values.count("-P");
  if (stateGiven && !form.FormError.caption.empty()) return Fail(form.FormError.caption);

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
  chart->SetLines(BuildDiagramLines(*kind, s.Set(), s.units), QString::fromStdString(s.Set().Name()));
  DiagramPicker picker(*kind, s.Set(), s.units);
  chart->SetMarker(gui::MarkOf(picker, form));
  QApplication::processEvents();  // lays the chart out in the view's size

  QString error;
  if (!gui::SaveChartImage(view, output, error)) {
    std::cerr << "tulo-calc diagram: cannot write " << values["--output"] << ": " << error.toStdString()
              << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tulo::cli
