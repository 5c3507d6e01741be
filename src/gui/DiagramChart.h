#pragma once
// A chart of water and steam drawn with Qt Charts: the lines of the core (DiagramLines) as line
// series on value or logarithmic axes, their labels, the critical point, and the mark of the
// current state, which moves by one point of one series, and a process or cycle drawn over them.
// Shared by the diagram window and tulo-calc's diagram and process commands, which draw it
// without a display.

#include <QChart>
#include <QChartView>
#include <QList>
#include <QString>
#include <optional>

#include "app/MainForm.h"
#include "process/Processes.h"
#include "results/DiagramLabels.h"
#include "results/DiagramLines.h"
#include "results/DiagramPick.h"

class QGraphicsSimpleTextItem;
class QLineSeries;
class QScatterSeries;

namespace tulo::gui {

class DiagramChart : public QChart {
  Q_OBJECT

 public:
  explicit DiagramChart(QGraphicsItem* parent = nullptr);

  // Sets every series, axis and label from `lines`; `standard` names the set in the title. Give a
  // chart its lines once: Qt Charts may go on drawing an axis removed from a chart, so the window
  // makes a new chart for other lines.
  void SetLines(DiagramLines lines, const QString& standard);
  const DiagramLines& Lines() const { return lines_; }

  // Moves the mark of the current state there, or hides it.
  void SetMarker(const std::optional<DiagramPoint>& point);
  std::optional<DiagramPoint> Marker() const;
  QScatterSeries* MarkerSeries() const { return marker_; }

  // Draws a process over the lines, replacing the one drawn before; std::nullopt removes it. Its
  // states are placed as the chart places a state (PlaceState), in the display units of `units`,
  // which must be those the lines were built in: each path a thick line of its own colour, each
  // mark a point labelled with its number (marks too close to tell apart share one label, "1, 2").
  // The P-T chart shows the marks alone: there a boiler's or a condenser's phase change shrinks to
  // one point of the vapour pressure curve, and a path along that curve would hide it. What lies
  // outside the axes is clipped as the lines are.
  void SetProcess(const std::optional<ProcessOverlay>& overlay, const UnitSettings& units);
  // The series of the process drawn: the pieces of its paths (a path breaks where a state cannot
  // be shown), and one series of one point per mark, whose label is its number.
  const QList<QLineSeries*>& ProcessPaths() const { return paths_; }
  const QList<QScatterSeries*>& ProcessMarks() const { return marks_; }

  // The chart's value at a position in the chart's own coordinates; nothing outside the plot area.
  std::optional<DiagramPoint> ValueAt(QPointF position);
  // The position of a value, in the chart's coordinates.
  QPointF PositionOf(const DiagramPoint& point);

  // The series of the lines drawn (each piece of a line is one series).
  int LineSeriesCount() const { return static_cast<int>(pieces_.size()); }

  // Back to the whole frame of the lines after zooming and panning.
  void ResetView();
  // The plot area and the ranges its axes show now.
  std::optional<PlotArea> ShownArea() const;
  // The labels shown, in the chart's coordinates.
  QList<QRectF> LabelRects() const;

 private:
  void Clear();
  void ClearProcess();
  void AddProcessMark(std::size_t number, DiagramPoint p);
  void Attach(QAbstractSeries* series);
  void PlaceLabels();

  DiagramLines lines_;
  QList<QLineSeries*> pieces_;
  QScatterSeries* critical_ = nullptr;
  QScatterSeries* marker_ = nullptr;
  QAbstractAxis* xAxis_ = nullptr;
  QAbstractAxis* yAxis_ = nullptr;
  // One per line of lines_ (null for a line without a label).
  QList<QGraphicsSimpleTextItem*> labels_;
  QList<QLineSeries*> paths_;
  QList<QScatterSeries*> marks_;
};

// The mark of the state the main form shows: nothing while its inputs give no state.
std::optional<DiagramPoint> MarkOf(DiagramPicker& picker, const MainForm& form);

enum class ImageFormat { kPng, kSvg };
// By the file's extension (.png, .svg, any case); nothing for another.
std::optional<ImageFormat> ImageFormatOf(const QString& path);

// Writes what the view shows to `path` as PNG or SVG (by the extension). False with the reason in
// `error` when the file cannot be written.
bool SaveChartImage(QChartView& view, const QString& path, QString& error);

}  // namespace tulo::gui
