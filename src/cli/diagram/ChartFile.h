#pragma once
// A chart of water and steam written to an SVG or PNG file by tulo-calc, on Qt's "offscreen"
// platform: no display is needed. Built only with the desktop program's libraries.

#include <QString>
#include <functional>

#include "gui/DiagramChart.h"
#include "props/CorrelationSet.h"
#include "results/DiagramLines.h"
#include "units/Units.h"

namespace tulo::cli {

// Draws the chart of `kind` of `set` in `units`, with what `decorate` adds to it once its lines
// are drawn (the mark of a state, a process), into `output` (.svg or .png); false with the
// reason in `error` when the file cannot be written. It makes the application Qt draws with when
// there is none yet.
bool WriteChartFile(DiagramKind kind, const CorrelationSet& set, const UnitSettings& units,
                    const std::function<void(gui::DiagramChart&)>& decorate, const QString& output,
                    QString& error);

}  // namespace tulo::cli
