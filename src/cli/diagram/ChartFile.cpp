#include "cli/diagram/ChartFile.h"

#include <QApplication>
#include <iostream>
#include <memory>

namespace tulo::cli {
namespace {

// The size of the picture, in pixels of the chart (a PNG holds twice as many each way).
constexpr int kWidth = 1000;
constexpr int kHeight = 750;

// Qt's notes on the offscreen platform (no window manager, no runtime folder) say nothing about
// the chart: only its critical messages reach stderr.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << "tulo-calc: " << message.toStdString() << "\n";
}

}  // namespace

bool WriteChartFile(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units,
                    const std::function<void(gui::DiagramChart&)>& decorate, const QString& output,
                    QString& error) {
  const QtMessageHandler previous = qInstallMessageHandler(QtMessages);
  // The arguments live as long as the application.
  int argc = 1;
  char name[] = "tulo-calc";
  char* argv[] = {name, nullptr};
  std::unique_ptr<QApplication> app;
  if (QCoreApplication::instance() == nullptr) {
    // Qt draws without a display unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
  }
  bool written = false;
  {
    auto* chart = new gui::DiagramChart;
    QChartView view(chart);  // owns the chart
    view.setRenderHint(QPainter::Antialiasing);
    // Shown, so that it lays the chart out in its size, but never on a screen.
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(kWidth, kHeight);
    view.show();
    chart->SetLines(BuildDiagramLines(kind, set, units), QString::fromStdString(set.Name()));
    decorate(*chart);
    QApplication::processEvents();  // lays the chart out in the view's size
    written = gui::SaveChartImage(view, output, error);
  }
  app.reset();  // its notes on leaving go the same way
  qInstallMessageHandler(previous);
  return written;
}

}  // namespace tulo::cli
