#include "gui/DiagramChart.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QImageWriter>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "gui/SaveFile.h"

namespace tulo::gui {
namespace {

struct LineStyle {
  QColor color;
  qreal width;
  Qt::PenStyle pen;
};

LineStyle StyleOf(LineRole role) {
  switch (role) {
    case LineRole::kSaturatedLiquid:
    case LineRole::kSaturatedVapour:
    case LineRole::kSaturation:
      return {QColor(0x20, 0x20, 0x20), 2.0, Qt::SolidLine};
    case LineRole::kQuality:
      return {QColor(0x80, 0x80, 0x80), 1.0, Qt::DashLine};
    case LineRole::kIsobar:
      return {QColor(0x1f, 0x5f, 0xbf), 1.2, Qt::SolidLine};
    case LineRole::kIsotherm:
      return {QColor(0xc0, 0x39, 0x2b), 1.2, Qt::SolidLine};
    case LineRole::kMelting:
      return {QColor(0x2e, 0x8b, 0x57), 2.0, Qt::SolidLine};
    case LineRole::kSublimation:
      return {QColor(0x8e, 0x44, 0xad), 2.0, Qt::SolidLine};
  }
  return {Qt::black, 1.0, Qt::SolidLine};
}

// The legend names one series of each kind of line.
QString LegendName(LineRole role, const DiagramLines& lines) {
  switch (role) {
    case LineRole::kSaturatedLiquid:
    case LineRole::kSaturatedVapour:
    case LineRole::kSaturation:
      return "Saturation line";
    case LineRole::kQuality:
      return "Steam quality (%)";
    case LineRole::kIsobar:
      return QString("Isobars (%1)").arg(QString::fromStdString(lines.pressureUnit));
    case LineRole::kIsotherm:
      return QString("Isotherms (%1)").arg(QString::fromStdString(lines.temperatureUnit));
    case LineRole::kMelting:
      return "Melting line";
    case LineRole::kSublimation:
      return "Sublimation line";
  }
  return "";
}

// The saturated liquid and vapour sides share one entry.
int LegendGroup(LineRole role) {
  return role == LineRole::kSaturatedVapour ? static_cast<int>(LineRole::kSaturatedLiquid)
                                            : static_cast<int>(role);
}

// Labelled ticks at round values of the range shown: a zoomed axis gets a finer step.
void SetTicks(QValueAxis& axis) {
  const double interval = TickInterval(axis.min(), axis.max());
  axis.setTickInterval(interval);
  axis.setTickAnchor(std::ceil(axis.min() / interval) * interval);
}

// Shows the axis's whole frame.
void ShowFrame(QAbstractAxis& axis, const DiagramAxis& a) {
  if (auto* log = qobject_cast<QLogValueAxis*>(&axis)) {
    // Qt places the labelled decades from ln(range end) / ln(10), whose rounding can put 10^-4 a
    // hair above -4 and so drop the label of the lowest decade: the range reaches a hair beyond.
    log->setRange(a.lowest * (1.0 - 1e-12), a.highest * (1.0 + 1e-12));
  } else if (auto* value = qobject_cast<QValueAxis*>(&axis)) {
    value->setRange(a.lowest, a.highest);
  }
}

QAbstractAxis* MakeAxis(const DiagramAxis& a) {
  const QString title = QString::fromStdString(a.title);
  if (a.logarithmic) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10.0);
    axis->setLabelFormat("%g");
    ShowFrame(*axis, a);
    // Minor ticks at 2..9 only where the decades are few enough to leave them room.
    axis->setMinorTickCount(std::log10(a.highest / a.lowest) <= 6.0 ? 8 : 0);
    axis->setTitleText(title);
    return axis;
  }
  auto* axis = new QValueAxis;
  axis->setTickType(QValueAxis::TicksDynamic);
  ShowFrame(*axis, a);
  SetTicks(*axis);
  axis->setLabelFormat("%g");
  axis->setTitleText(title);
  QObject::connect(axis, &QValueAxis::rangeChanged, axis, [axis] { SetTicks(*axis); });
  return axis;
}

// The range an axis shows now, on the lines' axis `a`.
DiagramAxis Shown(const QAbstractAxis* axis, DiagramAxis a) {
  if (const auto* log = qobject_cast<const QLogValueAxis*>(axis)) {
    a.lowest = log->min(), a.highest = log->max();
  } else if (const auto* value = qobject_cast<const QValueAxis*>(axis)) {
    a.lowest = value->min(), a.highest = value->max();
  }
  return a;
}

// A process stands out from every line of the charts in colour and width.
const QColor kProcessColor(0x00, 0x96, 0x88);

// The points of a path that the chart can show, in pieces broken where one cannot be.
template <typename Place>
QList<QList<QPointF>> PiecesOf(const std::vector<ProcessState>& path, const Place& place) {
  QList<QList<QPointF>> pieces(1);
  for (const ProcessState& st : path) {
    if (const std::optional<DiagramPoint> p = place(st)) {
      pieces.back().append(QPointF(p->x, p->y));
    } else if (!pieces.back().empty()) {
      pieces.emplaceBack();
    }
  }
  if (pieces.back().empty()) pieces.removeLast();
  return pieces;
}

// Where along an axis's frame a value lies, 0 at its lowest and 1 at its highest end.
double FrameShare(const DiagramAxis& axis, double v) {
  if (axis.logarithmic) return std::log10(v / axis.lowest) / std::log10(axis.highest / axis.lowest);
  return (v - axis.lowest) / (axis.highest - axis.lowest);
}

// Two marks closer than this share of the frame each way share one label ("1, 2"): apart, their
// numbers would be drawn over each other (a pump's inlet and outlet on every chart).
constexpr double kSharedLabelDistance = 0.015;

bool SharesLabel(const DiagramLines& lines, DiagramPoint a, DiagramPoint b) {
  return std::fabs(FrameShare(lines.x, a.x) - FrameShare(lines.x, b.x)) < kSharedLabelDistance &&
         std::fabs(FrameShare(lines.y, a.y) - FrameShare(lines.y, b.y)) < kSharedLabelDistance;
}

// A numbered state of a process: one point with its number beside it (a label format without
// placeholders is the label itself).
QScatterSeries* MarkSeries(const QString& number) {
  auto* mark = new QScatterSeries;
  mark->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  mark->setMarkerSize(10);
  mark->setColor(kProcessColor);
  mark->setBorderColor(kProcessColor.darker(150));
  mark->setPointLabelsFormat(number);
  mark->setPointLabelsColor(kProcessColor.darker(150));
  QFont font = mark->pointLabelsFont();
  font.setBold(true);
  mark->setPointLabelsFont(font);
  mark->setPointLabelsClipping(true);
  mark->setPointLabelsVisible(true);
  return mark;
}

}  // namespace

DiagramChart::DiagramChart(QGraphicsItem* parent) : QChart(parent) {
  setAnimationOptions(QChart::NoAnimation);
  legend()->setAlignment(Qt::AlignBottom);
  connect(this, &QChart::plotAreaChanged, this, [this] { PlaceLabels(); });
}

void DiagramChart::Clear() {
  qDeleteAll(labels_);
  labels_.clear();
  xAxis_ = yAxis_ = nullptr;
  pieces_.clear();
  paths_.clear();
  marks_.clear();
  removeAllSeries();  // deletes them
  for (QAbstractAxis* axis : axes()) {
    removeAxis(axis);
    delete axis;
  }
  critical_ = marker_ = nullptr;
}

void DiagramChart::SetLines(DiagramLines lines, const QString& standard) {
  Clear();
  lines_ = std::move(lines);
  setTitle(QString::fromStdString(DiagramTitle(lines_.kind)) + ", " + standard);
  QAbstractAxis* x = MakeAxis(lines_.x);
  QAbstractAxis* y = MakeAxis(lines_.y);
  addAxis(x, Qt::AlignBottom);
  addAxis(y, Qt::AlignLeft);
  xAxis_ = x;
  yAxis_ = y;
  // Zooming and panning change the ranges: the labels find their places again.
  for (QAbstractAxis* axis : {x, y}) {
    if (auto* log = qobject_cast<QLogValueAxis*>(axis))
      connect(log, &QLogValueAxis::rangeChanged, this, [this] { PlaceLabels(); });
    if (auto* value = qobject_cast<QValueAxis*>(axis))
      connect(value, &QValueAxis::rangeChanged, this, [this] { PlaceLabels(); });
  }

  QList<int> named;
  for (const DiagramLine& line : lines_.lines) {
    const LineStyle style = StyleOf(line.role);
    QPen pen(style.color, style.width, style.pen);
    for (const auto& piece : line.pieces) {
      auto* series = new QLineSeries;
      QList<QPointF> points;
      points.reserve(static_cast<qsizetype>(piece.size()));
      for (const DiagramPoint& p : piece) points.append(QPointF(p.x, p.y));
      series->replace(points);
      series->setPen(pen);
      const bool first = !named.contains(LegendGroup(line.role));
      if (first) {
        series->setName(LegendName(line.role, lines_));
        named.append(LegendGroup(line.role));
      }
      Attach(series);
      if (!first)
        for (QLegendMarker* m : legend()->markers(series)) m->setVisible(false);
      pieces_.append(series);
    }
    QGraphicsSimpleTextItem* item = nullptr;
    if (!line.label.empty()) {
      item = new QGraphicsSimpleTextItem(QString::fromStdString(line.label), this);
      QFont font = item->font();
      font.setPointSizeF(7.5);
      item->setFont(font);
      item->setBrush(style.color.darker(120));
      item->setZValue(10);
      item->setVisible(false);
    }
    labels_.append(item);
  }

  critical_ = new QScatterSeries;
  critical_->setName("Critical point");
  critical_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  critical_->setMarkerSize(8);
  critical_->setColor(QColor(0x20, 0x20, 0x20));
  critical_->setBorderColor(QColor(0x20, 0x20, 0x20));
  if (lines_.critical) critical_->append(lines_.critical->x, lines_.critical->y);
  Attach(critical_);

  marker_ = new QScatterSeries;
  marker_->setName("State");
  marker_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  marker_->setMarkerSize(13);
  marker_->setColor(QColor(0xf3, 0x9c, 0x12));
  marker_->setBorderColor(QColor(0x80, 0x30, 0x00));
  Attach(marker_);
  PlaceLabels();
}

void DiagramChart::Attach(QAbstractSeries* series) {
  addSeries(series);
  series->attachAxis(xAxis_);
  series->attachAxis(yAxis_);
}

void DiagramChart::ClearProcess() {
  for (QAbstractSeries* series : paths_) removeSeries(series);
  for (QAbstractSeries* series : marks_) removeSeries(series);
  qDeleteAll(paths_);
  qDeleteAll(marks_);
  paths_.clear();
  marks_.clear();
}

void DiagramChart::SetProcess(const std::optional<ProcessOverlay>& overlay, const UnitSettings& units) {
  ClearProcess();
  if (!overlay || xAxis_ == nullptr) return;
  DiagramUnits shown(units);
  const auto place = [&](const ProcessState& st) {
    return PlaceState(lines_.kind, shown, st.T, st.P, st.h, st.s);
  };
  if (lines_.kind != DiagramKind::kPt) {
    for (const std::vector<ProcessState>& path : overlay->paths)
      for (const QList<QPointF>& piece : PiecesOf(path, place)) {
        auto* series = new QLineSeries;
        series->replace(piece);
        series->setPen(QPen(kProcessColor, 3.0));
        // The legend names the process once.
        if (paths_.empty()) series->setName("Process");
        Attach(series);
        if (!paths_.empty())
          for (QLegendMarker* m : legend()->markers(series)) m->setVisible(false);
        paths_.append(series);
      }
  }
  for (std::size_t i = 0; i < overlay->marks.size(); ++i)
    if (const std::optional<DiagramPoint> p = place(overlay->marks[i].state)) AddProcessMark(i + 1, *p);
}

void DiagramChart::AddProcessMark(std::size_t number, DiagramPoint p) {
  auto* mark = MarkSeries(QString::number(number));
  mark->append(p.x, p.y);
  // A state on (or next to) one marked before adds its number to that one's label.
  for (QScatterSeries* before : marks_) {
    const QPointF q = before->at(0);
    if (before->pointLabelsVisible() && SharesLabel(lines_, {q.x(), q.y()}, p)) {
      before->setPointLabelsFormat(before->pointLabelsFormat() + ", " + QString::number(number));
      mark->setPointLabelsVisible(false);
      break;
    }
  }
  Attach(mark);
  for (QLegendMarker* m : legend()->markers(mark)) m->setVisible(false);
  marks_.append(mark);
}

void DiagramChart::SetMarker(const std::optional<DiagramPoint>& point) {
  if (marker_ == nullptr) return;
  if (!point) {
    if (marker_->count() > 0) marker_->clear();
    return;
  }
  const QPointF p(point->x, point->y);
  if (marker_->count() == 0) {
    marker_->append(p);
  } else if (marker_->at(0) != p) {
    marker_->replace(0, p);
  }
}

std::optional<DiagramPoint> DiagramChart::Marker() const {
  if (marker_ == nullptr || marker_->count() == 0) return std::nullopt;
  return DiagramPoint{marker_->at(0).x(), marker_->at(0).y()};
}

std::optional<DiagramPoint> DiagramChart::ValueAt(QPointF position) {
  if (marker_ == nullptr || !plotArea().contains(position)) return std::nullopt;
  const QPointF v = mapToValue(position, marker_);
  if (!std::isfinite(v.x()) || !std::isfinite(v.y())) return std::nullopt;
  return DiagramPoint{v.x(), v.y()};
}

QPointF DiagramChart::PositionOf(const DiagramPoint& point) {
  if (marker_ == nullptr) return {};
  return mapToPosition(QPointF(point.x, point.y), marker_);
}

void DiagramChart::ResetView() {
  if (xAxis_ == nullptr || yAxis_ == nullptr) return;
  ShowFrame(*xAxis_, lines_.x);
  ShowFrame(*yAxis_, lines_.y);
}

std::optional<PlotArea> DiagramChart::ShownArea() const {
  if (xAxis_ == nullptr || yAxis_ == nullptr) return std::nullopt;
  const QRectF r = plotArea();
  return PlotArea{
      {r.left(), r.top(), r.width(), r.height()}, Shown(xAxis_, lines_.x), Shown(yAxis_, lines_.y)};
}

// Where the core finds room for them in the plot area as it is now; the others are hidden.
void DiagramChart::PlaceLabels() {
  const std::optional<PlotArea> area = ShownArea();
  if (!area || area->box.width <= 0 || area->box.height <= 0) return;
  std::vector<TextSize> sizes;
  for (const QGraphicsSimpleTextItem* item : labels_) {
    const QRectF box = item ? item->boundingRect() : QRectF();
    sizes.push_back({box.width(), box.height()});
  }
  const std::vector<std::optional<PixelBox>> boxes = tulo::PlaceLabels(lines_, *area, sizes);
  for (qsizetype i = 0; i < labels_.size(); ++i) {
    QGraphicsSimpleTextItem* item = labels_[i];
    if (item == nullptr) continue;
    const std::optional<PixelBox>& box = boxes[static_cast<std::size_t>(i)];
    if (box) item->setPos(box->left, box->top);
    item->setVisible(box.has_value());
  }
}

QList<QRectF> DiagramChart::LabelRects() const {
  QList<QRectF> rects;
  for (const QGraphicsSimpleTextItem* item : labels_)
    if (item && item->isVisible()) rects.append(item->mapRectToParent(item->boundingRect()));
  return rects;
}

std::optional<DiagramPoint> MarkOf(DiagramPicker& picker, const MainForm& form) {
  if (form.ConditionText.caption.empty()) return std::nullopt;
  const Session& s = form.session();
  return picker.PointOf(s.state.TempK, s.state.PresKPa, s.state.Condition, s.steamQuality);
}

std::optional<ImageFormat> ImageFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "png") return ImageFormat::kPng;
  if (suffix == "svg") return ImageFormat::kSvg;
  return std::nullopt;
}

namespace {

// Draws the chart into `out` as `format`; false with `error` set.
bool DrawChartInto(QChartView& view, ImageFormat format, QBuffer& out, QString& error) {
  const QSize size = view.size();
  if (format == ImageFormat::kPng) {
    // Twice the pixels of the view, drawn from the scene at that scale: sharp enough for a
    // printed report.
    constexpr int kScale = 2;
    QImage image(size * kScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    view.scene()->render(&painter, QRectF(image.rect()),
                         view.mapToScene(view.viewport()->rect()).boundingRect());
    painter.end();
    QImageWriter writer(&out, "png");
    if (!writer.write(image)) {
      error = "cannot encode the PNG image: " + writer.errorString();
      return false;
    }
    return true;
  }
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(view.chart()->title());
  QPainter painter;
  if (!painter.begin(&svg)) {
    error = "cannot draw the SVG file";
    return false;
  }
  view.render(&painter);
  painter.end();
  return true;
}

}  // namespace

bool SaveChartImage(QChartView& view, const QString& path, QString& error) {
  const std::optional<ImageFormat> format = ImageFormatOf(path);
  if (!format) {
    error = "the file name must end in .png or .svg";
    return false;
  }
  // The picture is made in memory first, so that a failure to write it is a failure of plain
  // writes, each checked, and never lost inside an image writer.
  QBuffer picture;
  picture.open(QIODevice::WriteOnly);
  if (!DrawChartInto(view, *format, picture, error)) return false;
  return WriteFileWhole(path, picture.data(), error);
}

}  // namespace tulo::gui
