// A process drawn over the charts in their display units, kept by the diagram window until
// cleared, and written to a file by tulo-calc (DrawProcessChart).

#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
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

// A path of three states, the first and last marked; a chart reads only the two of its axes.
ProcessOverlay HandOverlay() {
  ProcessOverlay o;
  o.paths = {{StateAt(500, 1000, 2000, 5), StateAt(600, 2000, 2500, 6), StateAt(700, 3000, 3000, 7)}};
  o.marks = {{"inlet", o.paths[0][0]}, {"outlet", o.paths[0][2]}};
  return o;
}

// display = (internal + offset) * factor by the units' tables: SI, SI with kPa gauge (a chart
// shows absolute pressure), Imperial (Fahrenheit, PSI abs, Btu/lb, Btu/lb.F).
struct UnitCase {
  UnitPreset preset;
  int pressureUnit;
  double tOffset, tFactor, pFactor, hFactor, sFactor;
};
const UnitCase kUnitCases[] = {{UnitPreset::kSI, 1, 0, 1, 1, 1, 1},
                               {UnitPreset::kSI, 12, 0, 1, 1, 1, 1},
                               {UnitPreset::kImperial, 11, -255.372, 1.8, 0.14504, 0.43011, 0.23889}};

UnitSettings UnitsOf(const UnitCase& u) {
  UnitSelection selection = PresetSelection(u.preset);
  selection[kPressure] = static_cast<std::uint8_t>(u.pressureUnit);
  UnitSettings units;
  units.InitUnits(selection);
  return units;
}

// The point expected, within the rounding of the conversion's steps to stored reals.
bool At(QPointF got, DiagramKind kind, const UnitCase& u, const ProcessState& st) {
  const double T = (st.T + u.tOffset) * u.tFactor, P = st.P * u.pFactor, h = st.h * u.hFactor;
  const double s = st.s * u.sFactor;
  const QPointF points[] = {{s, T}, {s, h}, {h, P}, {T, P}};  // in the order of kDiagramKinds
  const QPointF want = points[static_cast<int>(kind)];
  return std::fabs(got.x() / want.x() - 1) < 1e-9 && std::fabs(got.y() / want.y() - 1) < 1e-9;
}

QByteArray SvgOf(QChartView& view) {
  QApplication::processEvents();
  QTemporaryDir dir;
  QString error;
  QFile file(dir.filePath("chart.svg"));
  if (!gui::SaveChartImage(view, file.fileName(), error) || !file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

struct ErrorText {
  std::ostringstream text;
  std::streambuf* saved = std::cerr.rdbuf(text.rdbuf());
  ~ErrorText() { std::cerr.rdbuf(saved); }
};

}  // namespace

class ProcessChartTest : public QObject {
  Q_OBJECT

 private slots:
  void OverlayIsInTheChartsDisplayUnits() {
    const ProcessOverlay overlay = HandOverlay();
    for (const UnitCase& u : kUnitCases) {
      UnitSettings units = UnitsOf(u);
      for (DiagramKind kind : kDiagramKinds) {
        gui::DiagramChart chart;
        chart.SetLines(BuildDiagramLines(kind, BuiltInCorrelations(), units), "Built-in");
        chart.SetProcess(overlay, units);
        const QByteArray where = QByteArray::number(u.pressureUnit) + " " + DiagramTitle(kind).c_str();
        // The P-T chart shows the states alone.
        QCOMPARE(chart.ProcessPaths().size(), kind == DiagramKind::kPt ? 0 : 1);
        for (QLineSeries* path : chart.ProcessPaths()) {
          QCOMPARE(path->count(), 3);
          for (int i = 0; i < 3; ++i)
            QVERIFY2(At(path->at(i), kind, u, overlay.paths[0][static_cast<std::size_t>(i)]),
                     where.constData());
          QVERIFY(path->pen().widthF() > 2.0);  // thicker than the chart's lines
          const bool logAxis = qobject_cast<QLogValueAxis*>(path->attachedAxes().value(1)) != nullptr;
          QCOMPARE(logAxis, kind == DiagramKind::kPh);
        }
        QCOMPARE(chart.ProcessMarks().size(), 2);
        for (int i = 0; i < 2; ++i) {
          QScatterSeries* mark = chart.ProcessMarks()[i];
          QCOMPARE(mark->pointLabelsFormat(), QString::number(i + 1));
          QVERIFY2(At(mark->at(0), kind, u, overlay.marks[static_cast<std::size_t>(i)].state),
                   where.constData());
        }
      }
    }
  }

  // A path breaks where a state cannot be shown (beyond the units' reals); close marks share a label.
  void PathBreaksAndCloseMarksShareALabel() {
    UnitSettings units;
    gui::DiagramChart chart;
    chart.SetLines(BuildDiagramLines(DiagramKind::kPh, BuiltInCorrelations(), units), "Built-in");
    ProcessOverlay overlay = HandOverlay();
    overlay.paths[0].insert(overlay.paths[0].begin() + 1, StateAt(500, 1e300, 1e300, 5));
    overlay.marks.push_back({"lost", overlay.paths[0][1]});
    overlay.marks.push_back({"pump outlet", StateAt(500, 1010, 2001, 5)});  // next to 1
    overlay.marks.push_back({"far", StateAt(500, 1500, 2000, 5)});          // above 1 (log axis)
    chart.SetProcess(overlay, units);
    QCOMPARE(chart.ProcessPaths().size(), 2);
    QCOMPARE(chart.ProcessPaths()[1]->count(), 2);
    QStringList labels;
    for (QScatterSeries* mark : chart.ProcessMarks())
      labels << (mark->pointLabelsVisible() ? mark->pointLabelsFormat() : QString("-"));
    QCOMPARE(labels, QStringList({"1, 4", "2", "-", "5"}));
  }

  // Drawing a process and clearing it leaves the drawing of the chart as it was, to the byte.
  void ClearedChartIsTheChartWithout() {
    UnitSettings units;
    auto* chart = new gui::DiagramChart;
    QChartView view(chart);
    view.setAttribute(Qt::WA_DontShowOnScreen);  // laid out in its size, as tulo-calc draws
    view.resize(1000, 750);
    view.show();
    chart->SetLines(BuildDiagramLines(DiagramKind::kPh, IapwsCorrelations(), units), "IAPWS-IF97");
    const QByteArray without = SvgOf(view);
    chart->SetProcess(HandOverlay(), units);
    const QByteArray with = SvgOf(view);
    QVERIFY(with.contains("#009688") && !without.contains("#009688"));  // the process's colour
    chart->SetProcess(std::nullopt, units);
    QVERIFY(chart->ProcessPaths().empty() && chart->ProcessMarks().empty());
    QCOMPARE(SvgOf(view), without);
  }

  void WindowKeepsTheProcessUntilCleared() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    w.OpenDiagram(DiagramKind::kTs);
    gui::DiagramWindow* d = w.Diagram();
    const auto clearable = [d] {
      return d->ClearProcessButton->isEnabled() && d->ClearProcessButton->isVisible();
    };
    QVERIFY(!clearable() && d->Chart->ProcessMarks().empty());
    // Shown on a closed window: it opens on its chart, with the process.
    d->hide();
    d->ShowProcess(HandOverlay());
    QVERIFY(d->isVisible() && clearable());
    QCOMPARE(d->Chart->ProcessPaths().size(), 1);
    QCOMPARE(d->Chart->ProcessMarks()[1]->at(0), QPointF(7.0, 700.0));
    // Another kind, other units: each new chart draws it in its own.
    d->SetKind(DiagramKind::kPh);
    gui::TUnitsSelect& unitsDialog = *w.UnitsDialog();
    unitsDialog.ShowModeless();
    unitsDialog.Form().SelectOverall(2);  // Imperial
    QTest::mouseClick(unitsDialog.UnitsOk, Qt::LeftButton);
    QVERIFY(At(d->Chart->ProcessMarks()[1]->at(0), DiagramKind::kPh, kUnitCases[2],
               HandOverlay().marks[1].state));
    // A new process replaces the one before.
    ProcessOverlay one = HandOverlay();
    one.marks.resize(1);
    d->ShowProcess(one);
    QCOMPARE(d->Chart->ProcessMarks().size(), 1);
    // Cleared by its button, on this chart and the ones after it.
    QTest::mouseClick(d->ClearProcessButton, Qt::LeftButton);
    QVERIFY(!clearable() && !d->ShowsProcess() && d->Chart->ProcessMarks().empty());
    d->SetKind(DiagramKind::kHs);
    QVERIFY(d->Chart->ProcessPaths().empty() && d->Chart->ProcessMarks().empty());
  }

  void DrawProcessChartWritesTheProcessOrRefuses() {
    WorkDir dir;
    StateEvaluator evaluator(IapwsCorrelations());
    UnitSettings units = UnitsOf(kUnitCases[2]);
    MachineInput turbine{Machine::kTurbine, {InputPair::kTP, 773.15, 4000.0}, 10.0, 85.0, std::nullopt};
    const ProcessOutcome outcome = Expand(evaluator, turbine);
    QVERIFY2(outcome.result.has_value(), outcome.error.c_str());
    cli::ProcessChartRequest request{"ts", "turbine.svg", &*outcome.result, &evaluator, &units};
    {
      ErrorText err;
      QCOMPARE(cli::DrawProcessChart(request), 0);
      QCOMPARE(err.text.str(), std::string());
    }
    QFile file("turbine.svg");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QVERIFY(svg.contains("<title>T-s diagram, IAPWS-IF97</title>") && svg.contains("Btu/lb"));
    // The numbers of inlet, outlet and isentropic outlet, in the process's darker shade.
    QStringList numbers;
    for (const auto& m : QRegularExpression("<text fill=\"#00645b\"[^>]*>([0-9]+)</text>").globalMatch(svg))
      numbers << m.captured(1);
    QCOMPARE(numbers, QStringList({"1", "2", "3"}));

    struct Refusal {
      std::string kind, output;
      int status;
      std::string message;
    };
    for (const Refusal& r :
         {Refusal{"pt", "c.svg", 2, "tulo-calc: unknown diagram: pt (ts, hs or ph)\n"},
          Refusal{"hs", "c.jpg", 2, "tulo-calc: the output must end in .svg or .png: c.jpg\n"},
          Refusal{"ph", "no/c.png", 1, "tulo-calc: cannot write no/c.png: "}}) {
      request.kind = r.kind, request.output = r.output;
      ErrorText err;
      QCOMPARE(cli::DrawProcessChart(request), r.status);
      const std::string text = err.text.str();
      QVERIFY2(text.starts_with(r.message) && (r.status == 2 || text.size() > r.message.size() + 1),
               text.c_str());
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
