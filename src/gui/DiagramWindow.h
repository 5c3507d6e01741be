#pragma once
// The diagram window: a chart of the standard in use with the state of the main window marked.
// It follows the main form after each handler (FollowForm): the mark moves with what is typed,
// and the lines are built again when the standard or the units change. Hovering shows the state
// under the cursor; a click on the T-s, h-s or P-h chart writes that state into the main form.
// A process or cycle shown on it stays over every chart until it is cleared.

#include <QChartView>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/MainForm.h"
#include "process/Processes.h"
#include "results/DiagramPick.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tulo::gui {

class DiagramChart;

// The chart's view: passes the pointer's moves and clicks on. Dragging a rectangle with the left
// button zooms into it; dragging with the middle button, or the left one with Ctrl held, pans; so
// do the arrow keys. Home and a right click show the whole chart again.
class DiagramView : public QChartView {
  Q_OBJECT

 public:
  explicit DiagramView(QChart* chart, QWidget* parent = nullptr);

  std::function<void(QPoint)> onHover, onClick;
  std::function<void()> onLeave, onReset;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  bool panning_ = false;
  QPoint pressedAt_, panFrom_;
};

class DiagramWindow : public QWidget {
  Q_OBJECT

 public:
  // `run` runs a handler of the form as the main window runs its own (so that handlers never nest).
  DiagramWindow(MainForm& form, std::function<void(const std::function<void()>&)> run,
                QWidget* parent = nullptr);
  ~DiagramWindow() override;

  // Shows the window with the chart of `kind` in front.
  void Open(DiagramKind kind);
  void SetKind(DiagramKind kind);
  DiagramKind Kind() const { return kind_; }

  // Brings the chart up to date with the form: builds the lines again when the standard or the
  // units are not those it was built for, and moves the mark. A hidden window waits until shown.
  void FollowForm();

  // The state under a position of the view, shown in CursorText; a click there sets it.
  void HoverAt(QPoint viewPosition);
  void ClickAt(QPoint viewPosition);

  // Draws a process over the chart in view and over every chart shown after it, in the units of
  // the moment, replacing the one drawn before; shows the window.
  void ShowProcess(ProcessOverlay overlay);
  // Removes the process (the "Clear process" button).
  void ClearProcess();
  bool ShowsProcess() const { return process_.has_value(); }

  // Writes the chart to a PNG or SVG file; false after a message when it cannot.
  bool SaveAs(const QString& path);

  DiagramView* View;
  DiagramChart* Chart;
  QComboBox* KindBox;
  QPushButton* ResetZoom;
  QPushButton* SavePng;
  QPushButton* SaveSvg;
  QPushButton* ClearProcessButton;  // shown and enabled while a process is drawn
  QLabel* CursorText;
  QLabel* StateText;

  // The number of times the lines were built (a bench and the tests read it).
  int Builds() const { return builds_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Rebuild();
  void MoveMark();
  void DrawProcess();
  void SaveWithDialog(const QString& filter, const QString& suffix);
  QString StateLine(const DiagramState& st);

  MainForm& form_;
  std::function<void(const std::function<void()>&)> run_;
  DiagramKind kind_ = DiagramKind::kTs;
  std::unique_ptr<DiagramPicker> picker_;
  // What the lines were built for.
  const CorrelationSet* builtSet_ = nullptr;
  UnitSelection builtUnits_{};
  std::optional<DiagramKind> builtKind_;
  int builds_ = 0;
  std::optional<ProcessOverlay> process_;
  // Hovering computes the state once per turn of the event loop, at the last position.
  QTimer hoverTimer_;
  QPoint hoverPosition_;
};

}  // namespace tulo::gui
