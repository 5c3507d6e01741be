#include "gui/DiagramWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DiagramClick.h"
#include "gui/Artwork.h"
#include "gui/DiagramChart.h"
#include "gui/HelpWindow.h"
#include "results/PhaseCondition.h"
#include "units/Format.h"

namespace tulo::gui {
namespace {

// The entries of the kind list, in the order of kDiagramKinds.
constexpr const char* kKindNames[] = {"T-s", "h-s (Mollier)", "P-h", "P-T"};

int IndexOf(DiagramKind kind) {
  for (int i = 0; i < static_cast<int>(std::size(kDiagramKinds)); ++i)
    if (kDiagramKinds[i] == kind) return i;
  return 0;
}

// About five significant figures, as the grids show values.
QString Shown(long double x) {
  return QString::fromStdString(TrimLeadingSpaces(FormatReal(12, AutoDecimals(x), true, x)));
}

}  // namespace

DiagramView::DiagramView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
  viewport()->setMouseTracking(true);  // hovering without a button pressed
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::RectangleRubberBand);
  setFocusPolicy(Qt::StrongFocus);  // the arrow keys and Home
}

void DiagramView::mousePressEvent(QMouseEvent* e) {
  pressedAt_ = e->position().toPoint();
  panning_ = e->button() == Qt::MiddleButton ||
             (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ControlModifier));
  if (panning_) {
    panFrom_ = pressedAt_;
    e->accept();
    return;
  }
  QChartView::mousePressEvent(e);
}

void DiagramView::mouseMoveEvent(QMouseEvent* e) {
  if (onHover) onHover(e->position().toPoint());
  if (panning_) {
    const QPoint at = e->position().toPoint();
    // The chart follows the pointer: its view moves the other way along x; y grows upwards.
    chart()->scroll(panFrom_.x() - at.x(), at.y() - panFrom_.y());
    panFrom_ = at;
    e->accept();
    return;
  }
  QChartView::mouseMoveEvent(e);
}

void DiagramView::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (panning_) {
    panning_ = false;
    e->accept();
    return;
  }
  if (e->button() == Qt::RightButton) {
    if (onReset) onReset();
    e->accept();
    return;
  }
  // A drag draws the rectangle to zoom into; only a click (no further than a drag starts) sets
  // the state there.
  const bool click = (at - pressedAt_).manhattanLength() < QApplication::startDragDistance();
  if (e->button() == Qt::LeftButton && click && onClick) onClick(at);
  QChartView::mouseReleaseEvent(e);
}

void DiagramView::keyPressEvent(QKeyEvent* e) {
  // An arrow key moves the view a tenth of the plot area that way.
  const QRectF area = chart()->plotArea();
  const qreal dx = area.width() / 10, dy = area.height() / 10;
  switch (e->key()) {
    case Qt::Key_Left:
      chart()->scroll(-dx, 0);
      break;
    case Qt::Key_Right:
      chart()->scroll(dx, 0);
      break;
    case Qt::Key_Up:
      chart()->scroll(0, dy);
      break;
    case Qt::Key_Down:
      chart()->scroll(0, -dy);
      break;
    case Qt::Key_Home:
      if (onReset) onReset();
      break;
    default:
      QChartView::keyPressEvent(e);
      return;
  }
  e->accept();
}

void DiagramView::leaveEvent(QEvent* e) {
  if (onLeave) onLeave();
  QChartView::leaveEvent(e);
}

DiagramWindow::DiagramWindow(MainForm& form, std::function<void(const std::function<void()>&)> run,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), run_(std::move(run)) {
  setObjectName("DiagramWindow");
  setWindowTitle("Diagrams");
  setWindowIcon(ProgramIcon());

  KindBox = new QComboBox(this);
  KindBox->setObjectName("KindBox");
  for (const char* name : kKindNames) KindBox->addItem(name);
  ResetZoom = new QPushButton("&Reset zoom", this);
  ResetZoom->setObjectName("ResetZoom");
  ResetZoom->setToolTip("Show the whole chart again (Home, or a right click on the chart)");
  SavePng = new QPushButton("Save as P&NG...", this);
  SavePng->setObjectName("SavePng");
  SaveSvg = new QPushButton("Save as S&VG...", this);
  SaveSvg->setObjectName("SaveSvg");
  ClearProcessButton = new QPushButton("&Clear process", this);
  ClearProcessButton->setObjectName("ClearProcess");
  ClearProcessButton->setToolTip("Remove the process or cycle drawn on the charts");
  // There only while a process is drawn, so that the window without one stays as it was.
  ClearProcessButton->setEnabled(false);
  ClearProcessButton->setVisible(false);
  auto* kindLabel = new QLabel("&Diagram", this);
  kindLabel->setBuddy(KindBox);
  auto* bar = new QHBoxLayout;
  bar->addWidget(kindLabel);
  bar->addWidget(KindBox);
  bar->addStretch(1);
  bar->addWidget(ClearProcessButton);
  bar->addWidget(ResetZoom);
  bar->addWidget(SavePng);
  bar->addWidget(SaveSvg);

  Chart = new DiagramChart;
  View = new DiagramView(Chart, this);
  View->setObjectName("DiagramView");
  View->setMinimumSize(640, 480);
  CursorText = new QLabel(this);
  CursorText->setObjectName("CursorText");
  CursorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
  StateText = new QLabel(this);
  StateText->setObjectName("StateText");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(View, 1);
  layout->addWidget(CursorText);
  layout->addWidget(StateText);
  resize(900, 720);
  AddHelpKey(*this, form_, HelpTopic::kDiagrams);

  hoverTimer_.setSingleShot(true);
  hoverTimer_.setInterval(0);
  connect(&hoverTimer_, &QTimer::timeout, this, [this] { HoverAt(hoverPosition_); });
  View->onHover = [this](QPoint p) {
    hoverPosition_ = p;
    if (!hoverTimer_.isActive()) hoverTimer_.start();
  };
  View->onLeave = [this] {
    hoverTimer_.stop();
    CursorText->clear();
  };
  View->onClick = [this](QPoint p) { ClickAt(p); };
  View->onReset = [this] { Chart->ResetView(); };
  connect(ResetZoom, &QPushButton::clicked, this, [this] { Chart->ResetView(); });
  connect(KindBox, &QComboBox::activated, this, [this](int index) {
    if (index >= 0 && index < static_cast<int>(std::size(kDiagramKinds))) SetKind(kDiagramKinds[index]);
  });
  connect(ClearProcessButton, &QPushButton::clicked, this, [this] { ClearProcess(); });
  connect(SavePng, &QPushButton::clicked, this, [this] { SaveWithDialog("PNG images (*.png)", ".png"); });
  connect(SaveSvg, &QPushButton::clicked, this, [this] { SaveWithDialog("SVG drawings (*.svg)", ".svg"); });
}

DiagramWindow::~DiagramWindow() = default;

void DiagramWindow::Open(DiagramKind kind) {
  SetKind(kind);
  show();
  raise();
  activateWindow();
}

void DiagramWindow::SetKind(DiagramKind kind) {
  kind_ = kind;
  KindBox->setCurrentIndex(IndexOf(kind));
  FollowForm();
}

void DiagramWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FollowForm();
}

void DiagramWindow::FollowForm() {
  if (!isVisible()) return;
  const Session& s = form_.session();
  if (!picker_ || builtSet_ != &s.Set() || builtUnits_ != s.units.GetUnitSelection() || builtKind_ != kind_)
    Rebuild();
  MoveMark();
}

void DiagramWindow::Rebuild() {
  const Session& s = form_.session();
  builtSet_ = &s.Set();
  builtUnits_ = s.units.GetUnitSelection();
  builtKind_ = kind_;
  picker_ = std::make_unique<DiagramPicker>(kind_, s.Set(), s.units);
  // A new chart each time: Qt Charts leaves the drawing of a removed axis behind until its items
  // are deleted, which a chart of another kind would show beside its own.
  auto* chart = new DiagramChart;
  chart->SetLines(BuildDiagramLines(kind_, s.Set(), s.units), QString::fromStdString(s.Set().Name()));
  View->setChart(chart);
  delete Chart;
  Chart = chart;
  if (process_) DrawProcess();
  setWindowTitle(QString::fromStdString(DiagramTitle(kind_)));
  CursorText->clear();
  ++builds_;
}

void DiagramWindow::MoveMark() {
  const std::optional<DiagramPoint> mark = MarkOf(*picker_, form_);
  Chart->SetMarker(mark);
  if (form_.ConditionText.caption.empty()) {
    StateText->setText("No state: type a temperature, a pressure or both in the main window.");
    return;
  }
  const DiagramLines& lines = Chart->Lines();
  const bool inside = mark && mark->x >= lines.x.lowest && mark->x <= lines.x.highest &&
                      mark->y >= lines.y.lowest && mark->y <= lines.y.highest;
  QString text = QString("State: %1, %2, %3")
                     .arg(QString::fromStdString(form_.TemperatureOutput.caption),
                          QString::fromStdString(form_.PressureOutput.caption),
                          QString::fromStdString(form_.ConditionText.caption));
  if (!inside) text += " (not on this chart)";
  StateText->setText(text);
}

void DiagramWindow::ShowProcess(ProcessOverlay overlay) {
  process_ = std::move(overlay);
  ClearProcessButton->setEnabled(true);
  ClearProcessButton->setVisible(true);
  // Showing a hidden window brings its lines up to date first.
  show();
  raise();
  activateWindow();
  DrawProcess();
}

void DiagramWindow::ClearProcess() {
  process_.reset();
  ClearProcessButton->setEnabled(false);
  ClearProcessButton->setVisible(false);
  DrawProcess();
}

void DiagramWindow::DrawProcess() {
  if (picker_) Chart->SetProcess(process_, form_.session().units);
}

QString DiagramWindow::StateLine(const DiagramState& st) {
  UnitSettings& u = form_.session().units;
  QString text = QString("T = %1 %2    P = %3 %4")
                     .arg(QString::fromStdString(FormatFieldNumber(u.ToDisplay(kTemperature, st.T))),
                          QString::fromStdString(u.UnitText(kTemperature)),
                          QString::fromStdString(FormatFieldNumber(u.ToDisplay(kPressure, st.P))),
                          QString::fromStdString(u.UnitText(kPressure)));
  if (st.h)
    text += QString("    h = %1 %2")
                .arg(Shown(u.ToDisplay(kEnthalpyQ, *st.h)), QString::fromStdString(u.UnitText(kEnthalpyQ)));
  if (st.s)
    text += QString("    s = %1 %2")
                .arg(Shown(u.ToDisplay(kEntropyQ, *st.s)), QString::fromStdString(u.UnitText(kEntropyQ)));
  text += "    " + QString::fromStdString(ConditionName(st.condition));
  if (st.wet) text += QString(", quality %1 %").arg(Shown(st.quality));
  return text;
}

void DiagramWindow::HoverAt(QPoint viewPosition) {
  if (!picker_) return;
  const auto value = Chart->ValueAt(Chart->mapFromScene(View->mapToScene(viewPosition)));
  if (!value) {
    CursorText->clear();
    return;
  }
  const std::optional<DiagramState> st = picker_->StateAt(*value);
  CursorText->setText(st ? StateLine(*st) : QString("No state of the standard's range here"));
}

void DiagramWindow::ClickAt(QPoint viewPosition) {
  if (!picker_ || !ClickSetsState(kind_)) return;
  const auto value = Chart->ValueAt(Chart->mapFromScene(View->mapToScene(viewPosition)));
  if (!value) return;
  const std::optional<DiagramState> st = picker_->StateAt(*value);
  if (!st) {
    CursorText->setText("No state of the standard's range here");
    return;
  }
  const DiagramState state = *st;
  run_([this, state] { WriteDiagramState(form_, state); });
}

bool DiagramWindow::SaveAs(const QString& path) {
  QString error;
  if (SaveChartImage(*View, path, error)) return true;
  form_.platform().ShowError("Save diagram",
                             QString("Cannot write \"%1\": %2").arg(path, error).toStdString());
  return false;
}

void DiagramWindow::SaveWithDialog(const QString& filter, const QString& suffix) {
  const QString name = QString::fromStdString(std::string(DiagramKindKey(kind_))) + "-diagram" + suffix;
  QString path = QFileDialog::getSaveFileName(this, "Save diagram", name, filter);
  if (path.isEmpty()) return;
  if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
  SaveAs(path);
}

}  // namespace tulo::gui
