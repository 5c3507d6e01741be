// A process or cycle of tulo-calc process and tulo-calc cycle drawn on the T-s, h-s or P-h chart
// (--diagram ts|hs|ph --output FILE), the way tulo-calc diagram writes its charts.

#include <QString>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/diagram/ChartFile.h"
#include "gui/DiagramChart.h"

namespace tulo::cli {
namespace {

int Fail(const std::string& message) {
  std::cerr << "tulo-calc: " << message << "\n";
  return 2;
}

// The charts a process is drawn on: the P-T chart shows its states alone (DiagramChart).
std::optional<DiagramKind> ProcessChartKind(const std::string& key) {
  const std::optional<DiagramKind> kind = DiagramKindNamed(key);
  if (kind == DiagramKind::kPt) return std::nullopt;
  return kind;
}

}  // namespace

int DrawProcessChart(const ProcessChartRequest& request) {
  if (request.result == nullptr || request.evaluator == nullptr || request.units == nullptr)
    return Fail("no process to draw");
  const std::optional<DiagramKind> kind = ProcessChartKind(request.kind);
  if (!kind) return Fail("unknown diagram: " + Shown(request.kind) + " (ts, hs or ph)");
  const QString output = QString::fromStdString(request.output);
  if (!gui::ImageFormatOf(output))
    return Fail("the output must end in .svg or .png: " + Shown(request.output));
  const ProcessOverlay overlay = OverlayOf(*request.evaluator, *request.result);
  QString error;
  const bool written = WriteChartFile(
      *kind, request.evaluator->Set(), *request.units,
      [&](gui::DiagramChart& chart) { chart.SetProcess(overlay, *request.units); }, output, error);
  if (!written) {
    std::cerr << "tulo-calc: cannot write " << request.output << ": " << error.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tulo::cli
