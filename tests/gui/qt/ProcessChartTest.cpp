// A process or cycle drawn over the charts: its paths and numbered states in the display units of
// the chart, kept by the diagram window over every chart until cleared, and written to a file by
// tulo-calc's process commands.

#include <QBuffer>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <iostream>
#include <sstream>

#include "GuiTestSupport.h"
#include "cli/Commands.h"
#include "gui/DiagramChart.h"
#include "gui/DiagramWindow.h"
#include "gui/UnitsSelect.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"
#include "units/Presets.h"

namespace tulo::guitest {
namespace {

ProcessState StateAt(double T, double P, double h, double s) {
  ProcessState st;
  st.T = T, st.P = P, st.h = h, st.s = s;
  return st;
}

// Three states of a path, two of them marked. The values need not be one state of water: a chart
// reads only the two of its axes.
ProcessOverlay HandOverlay() {
  ProcessOverlay overlay;
  overlay.paths = {{StateAt(500.0, 1000.0, 2000.0, 5.0), StateAt(600.0, 2000.0, 2500.0, 6.0),
                    StateAt(700.0, 3000.0, 3000.0, 7.0)}};
  overlay.marks = {{"inlet", overlay.paths[0][0]}, {"outlet", overlay.paths[0][2]}};
  return overlay;
}

// The display value of one internal value, by the factors of the units' tables: SI (K, kPa abs,
// kJ/kg, kJ/kg.K), SI with kPa gauge (a chart shows it absolute), Imperial (Fahrenheit, PSI abs,
// Btu/lb, Btu/lb.F).
struct UnitCase {
  const char* name;
  UnitSelection selection;
  double (*temperature)(double);
  double (*pressure)(double);
  double hFactor, sFactor;
};

UnitSelection SiGauge() {
  UnitSelection u = PresetSelection(UnitPreset::kSI);
  u[kPressure] = 12;  // kPa gauge
  return u;
}

const UnitCase kUnitCases[] = {
    {"SI", PresetSelection(UnitPreset::kSI), [](double T) { return T; }, [](double P) { return P; }, 1.0,
     1.0},
    {"SI gauge", SiGauge(), [](double T) { return T; }, [](double P) { return P; }, 1.0, 1.0},
    {"Imperial", PresetSelection(UnitPreset::kImperial), [](double T) { return (T - 255.372) * 1.8; },
     [](double P) { return P * 0.14504; }, 0.43011, 0.23889},
};

QPointF Expected(DiagramKind kind, const UnitCase& u, const ProcessState& st) {
  const double T = u.temperature(st.T), P = u.pressure(st.P), h = st.h * u.hFactor, s = st.s * u.sFactor;
  switch (kind) {
    case DiagramKind::kTs:
      return {s, T};
    case DiagramKind::kHs:
      return {s, h};
    case DiagramKind::kPh:
      return {h, P};
    case DiagramKind::kPt:
      return {T, P};
  }
  return {};
}

// Equal but for the rounding of the unit conversion's steps to the stored reals.
bool Near(QPointF a, QPointF b) {
  return std::fabs(a.x() - b.x()) <= 1e-9 * std::fabs(b.x()) &&
         std::fabs(a.y() - b.y()) <= 1e-9 * std::fabs(b.y());
}

// The chart as an SVG drawing.
QByteArray SvgOf(QChartView& view) {
  QApplication::processEvents();
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.svg");
  QString error;
  if (!gui::SaveChartImage(view, path, error)) return {};
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a call writes to stderr.
class ErrorText {
 public:
  ErrorText() : saved_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~ErrorText() { std::cerr.rdbuf(saved_); }
  ErrorText(const ErrorText&) = delete;
  ErrorText& operator=(const ErrorText&) = delete;
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* saved_;
};

}  // namespace

class ProcessChartTest : public QObject {
  Q_OBJECT

 private slots:
  void OverlayIsInTheChartsDisplayUnits() {
    const ProcessOverlay overlay = HandOverlay();
    for (const UnitCase& u : kUnitCases) {
      UnitSettings units;
      units.InitUnits(u.selection);
      for (DiagramKind kind : kDiagramKinds) {
        const QString where = QString("%1, %2").arg(u.name, QString::fromStdString(DiagramTitle(kind)));
        gui::DiagramChart chart;
        chart.SetLines(BuildDiagramLines(kind, BuiltInCorrelations(), units), "Built-in correlations");
        chart.SetProcess(overlay, units);
        // The P-T chart shows the states alone; the others one series for the path.
        QCOMPARE(chart.ProcessPaths().size(), kind == DiagramKind::kPt ? 0 : 1);
        for (QLineSeries* path : chart.ProcessPaths()) {
          QCOMPARE(path->count(), 3);
          for (int i = 0; i < 3; ++i) {
            const QPointF want = Expected(kind, u, overlay.paths[0][static_cast<std::size_t>(i)]);
            QVERIFY2(Near(path->at(i), want), qPrintable(where));
          }
          QVERIFY2(path->pen().widthF() > 2.0, qPrintable(where));  // thicker than every line
          // On the P-h chart along the logarithmic pressure axis, as the lines are.
          const bool logAxis = qobject_cast<QLogValueAxis*>(path->attachedAxes().value(1)) != nullptr;
          QCOMPARE(logAxis, kind == DiagramKind::kPh);
        }
        QCOMPARE(chart.ProcessMarks().size(), 2);
        for (int i = 0; i < 2; ++i) {
          QScatterSeries* mark = chart.ProcessMarks()[i];
          QCOMPARE(mark->count(), 1);
          QCOMPARE(mark->pointLabelsFormat(), QString::number(i + 1));
          QVERIFY(mark->pointLabelsVisible());
          QVERIFY2(Near(mark->at(0), Expected(kind, u, overlay.marks[static_cast<std::size_t>(i)].state)),
                   qPrintable(where));
        }
      }
    }
  }

  void PathBreaksWhereAStateCannotBeShown() {
    UnitSettings units;
    gui::DiagramChart chart;
    chart.SetLines(BuildDiagramLines(DiagramKind::kTs, BuiltInCorrelations(), units),
                   "Built-in correlations");
    ProcessOverlay overlay = HandOverlay();
    // Beyond the reals the units can show: no point there, the path goes on after it.
    overlay.paths[0].insert(overlay.paths[0].begin() + 1, StateAt(1e300, 1000.0, 2000.0, 1e300));
    overlay.paths[0].push_back(StateAt(1e300, 1000.0, 2000.0, 5.0));
    overlay.marks.push_back({"lost", overlay.paths[0].back()});
    chart.SetProcess(overlay, units);
    QCOMPARE(chart.ProcessPaths().size(), 2);
    QCOMPARE(chart.ProcessPaths()[0]->count(), 1);
    QCOMPARE(chart.ProcessPaths()[1]->count(), 2);
    QCOMPARE(chart.ProcessMarks().size(), 2);
  }

  // The numbers of states too close to tell apart on the chart go into one label.
  void MarksTooCloseShareOneLabel() {
    UnitSettings units;
    gui::DiagramChart chart;
    chart.SetLines(BuildDiagramLines(DiagramKind::kPh, BuiltInCorrelations(), units),
                   "Built-in correlations");
    ProcessOverlay overlay = HandOverlay();
    overlay.marks.push_back({"pump outlet", StateAt(500.0, 1010.0, 2001.0, 5.0)});  // next to 1
    overlay.marks.push_back({"far", StateAt(500.0, 1500.0, 2000.0, 5.0)});          // above 1 on a log axis
    chart.SetProcess(overlay, units);
    QCOMPARE(chart.ProcessMarks().size(), 4);
    QStringList labels;
    for (QScatterSeries* mark : chart.ProcessMarks())
      labels << (mark->pointLabelsVisible() ? mark->pointLabelsFormat() : QString("-"));
    QCOMPARE(labels, QStringList({"1, 3", "2", "-", "4"}));
  }

  // Drawing a process and clearing it leaves the chart as it was drawn without one, to the byte.
  void ClearedChartIsTheChartWithout() {
    UnitSettings units;
    auto* chart = new gui::DiagramChart;
    QChartView view(chart);
    view.setAttribute(Qt::WA_DontShowOnScreen);  // laid out in its size, as tulo-calc draws
    view.resize(1000, 750);
    view.show();
    chart->SetLines(BuildDiagramLines(DiagramKind::kPh, IapwsCorrelations(), units), "IAPWS-IF97");
    const qsizetype series = chart->series().size();
    const QByteArray without = SvgOf(view);
    QVERIFY(!without.isEmpty());
    chart->SetProcess(HandOverlay(), units);
    QCOMPARE(chart->series().size(), series + 3);
    const QByteArray with = SvgOf(view);
    QVERIFY(with != without);
    QVERIFY(with.contains("#009688"));  // the process's colour
    QVERIFY(!without.contains("#009688"));
    chart->SetProcess(std::nullopt, units);
    QCOMPARE(chart->series().size(), series);
    QVERIFY(chart->ProcessPaths().empty() && chart->ProcessMarks().empty());
    QCOMPARE(SvgOf(view), without);
  }

  void WindowKeepsTheProcessUntilCleared() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    w.OpenDiagram(DiagramKind::kTs);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(!d->ClearProcessButton->isEnabled() && !d->ClearProcessButton->isVisible());
    QVERIFY(d->Chart->ProcessMarks().empty());

    // Shown on a closed window: it opens on the chart it had, with the process.
    d->hide();
    d->ShowProcess(HandOverlay());
    QVERIFY(d->isVisible());
    QCOMPARE(d->Kind(), DiagramKind::kTs);
    QVERIFY(d->ClearProcessButton->isEnabled() && d->ClearProcessButton->isVisible());
    QCOMPARE(d->Chart->ProcessPaths().size(), 1);
    QCOMPARE(d->Chart->ProcessMarks().size(), 2);
    QCOMPARE(d->Chart->ProcessMarks()[1]->at(0), QPointF(7.0, 700.0));

    // Another kind, other units: the new charts draw it in theirs.
    const int builds = d->Builds();
    d->SetKind(DiagramKind::kPh);
    gui::TUnitsSelect& unitsDialog = *w.UnitsDialog();
    unitsDialog.ShowModeless();
    unitsDialog.Form().SelectOverall(2);  // Imperial
    QTest::mouseClick(unitsDialog.UnitsOk, Qt::LeftButton);
    QCOMPARE(d->Builds(), builds + 2);
    QCOMPARE(d->Chart->ProcessPaths().size(), 1);
    QVERIFY(Near(d->Chart->ProcessMarks()[1]->at(0),
                 Expected(DiagramKind::kPh, kUnitCases[2], HandOverlay().marks[1].state)));
    d->SetKind(DiagramKind::kPt);
    QVERIFY(d->Chart->ProcessPaths().empty());
    QCOMPARE(d->Chart->ProcessMarks().size(), 2);

    // A new process replaces the one before.
    ProcessOverlay one = HandOverlay();
    one.marks.resize(1);
    d->ShowProcess(one);
    QCOMPARE(d->Chart->ProcessMarks().size(), 1);

    // Cleared by its button, on this chart and the ones after it.
    QTest::mouseClick(d->ClearProcessButton, Qt::LeftButton);
    QVERIFY(!d->ClearProcessButton->isEnabled() && !d->ClearProcessButton->isVisible());
    QVERIFY(!d->ShowsProcess());
    QVERIFY(d->Chart->ProcessMarks().empty());
    d->SetKind(DiagramKind::kHs);
    QVERIFY(d->Chart->ProcessPaths().empty() && d->Chart->ProcessMarks().empty());
    QVERIFY(run.platform.errors.empty());
  }

  void DrawProcessChartWritesTheProcessOrRefuses() {
    WorkDir dir;
    StateEvaluator evaluator(IapwsCorrelations());
    UnitSettings units;
    units.InitUnits(PresetSelection(UnitPreset::kImperial));
    MachineInput turbine;
    turbine.inlet = {InputPair::kTP, 773.15, 4000.0};
    turbine.outletPressure = 10.0;
    turbine.efficiency = 85.0;
    const ProcessOutcome outcome = Expand(evaluator, turbine);
    QVERIFY2(outcome.result.has_value(), outcome.error.c_str());
    cli::ProcessChartRequest request{"ts", "turbine.svg", &*outcome.result, &evaluator, &units};
    {
      ErrorText err;
      QCOMPARE(cli::DrawProcessChart(request), 0);
      QCOMPARE(err.Text(), std::string());
    }
    QFile file("turbine.svg");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    QVERIFY(svg.contains("<title>T-s diagram, IAPWS-IF97</title>"));
    QVERIFY(svg.contains("Btu/lb"));   // the axes in the units asked for
    QVERIFY(svg.contains("#009688"));  // the process's colour
    // The numbers of the states (inlet, outlet, isentropic outlet), in the darker shade of it.
    QStringList numbers;
    const QRegularExpression label("<text fill=\"#00645b\"[^>]*>([0-9]+)</text>");
    for (const QRegularExpressionMatch& m : label.globalMatch(QString::fromUtf8(svg)))
      numbers << m.captured(1);
    QCOMPARE(numbers, QStringList({"1", "2", "3"}));

    struct Refusal {
      std::string kind, output;
      int status;
      std::string message;
    };
    const Refusal refusals[] = {
        {"pt", "chart.svg", 2, "tulo-calc: unknown diagram: pt (ts, hs or ph)\n"},
        {"", "chart.svg", 2, "tulo-calc: unknown diagram:  (ts, hs or ph)\n"},
        {"hs", "chart.jpg", 2, "tulo-calc: the output must end in .svg or .png: chart.jpg\n"},
        {"ph", "missing/chart.png", 1, "tulo-calc: cannot write missing/chart.png: "},
    };
    for (const Refusal& r : refusals) {
      request.kind = r.kind;
      request.output = r.output;
      ErrorText err;
      QCOMPARE(cli::DrawProcessChart(request), r.status);
      QVERIFY2(err.Text().starts_with(r.message), err.Text().c_str());
      if (r.status == 1)
        QVERIFY2(err.Text().size() > r.message.size() + 1, err.Text().c_str());  // the reason
      QVERIFY(!QFile::exists(QString::fromStdString(r.output)));
    }
  }
};

int RunProcessChartTests(int argc, char** argv) {
  ProcessChartTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "ProcessChartTest.moc"
