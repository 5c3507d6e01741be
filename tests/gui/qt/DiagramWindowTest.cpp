// The diagram window: opened from the Diagrams menu, it marks the state typed in the main window
// and moves the mark as the user types, without building its lines again; a change of units or
// standard builds them again; hovering shows the state under the pointer and a click sets it;
// the chart is saved as PNG and SVG.

#include <QComboBox>
#include <QDir>
#include <array>
#include <functional>
#include <QFile>
#include <QLabel>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

#include "GuiTestSupport.h"
#include "gui/DiagramChart.h"
#include "gui/DiagramWindow.h"
#include "gui/UnitsSelect.h"
#include "props/BuiltInSet.h"
#include "results/IapwsSet.h"

namespace tulo::guitest {
namespace {

// The view position of a chart value.
QPoint ViewPositionOf(gui::DiagramWindow& d, const DiagramPoint& p) {
  return d.View->mapFromScene(d.Chart->mapToScene(d.Chart->PositionOf(p)));
}

QByteArray Head(const QString& path, int n) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(n);
}

// The point the core gives a state on the window's chart, in the main window's units.
DiagramPoint PointOf(gui::TMainProg& w, DiagramKind kind, long double T, long double P, Condition c,
                     double quality = 0.0) {
  DiagramPicker picker(kind, w.Form().session().Set(), w.Form().session().units);
  return picker.PointOf(T, P, c, quality).value_or(DiagramPoint{});
}

}  // namespace

class DiagramWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MarkFollowsTheStateTyped() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    QCOMPARE(w.DiagramActions.size(), 4);
    w.DiagramActions[0]->trigger();  // T-s
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(d != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QCOMPARE(d->Kind(), DiagramKind::kTs);
    QCOMPARE(d->KindBox->currentText(), QString("T-s"));
    QVERIFY(!d->Chart->Marker().has_value());  // nothing typed yet
    QVERIFY(d->StateText->text().startsWith("No state"));
    const int builds = d->Builds();
    QCOMPARE(builds, 1);
    QVERIFY(d->Chart->LineSeriesCount() > 20);

    Type(w.TemperatureInput, "773.15");
    Type(w.PressureInput, "4000");
    auto mark = d->Chart->Marker();
    QVERIFY(mark.has_value());
    QCOMPARE(mark->y, 773.15);
    QVERIFY(std::fabs(mark->x - 6.9) < 0.3);  // kJ/kg.K, steam at 500 C and 40 bar
    QVERIFY(d->StateText->text().contains("Superheated Vapour"));

    // Every key moves the mark; the lines stay as they are.
    QTest::keyClick(w.PressureInput, Qt::Key_Backspace);  // 400 kPa
    mark = d->Chart->Marker();
    QVERIFY(mark.has_value());
    QVERIFY(mark->x > 7.5);  // lower pressure, more entropy
    QCOMPARE(d->Chart->MarkerSeries()->count(), 1);
    QCOMPARE(d->Builds(), builds);

    // A saturated state is marked at the quality typed on the Wet Steam page.
    w.ClearInputs->click();
    QVERIFY(!d->Chart->Marker().has_value());
    Type(w.TemperatureInput, "373.15");
    const double liquid = d->Chart->Marker().value_or(DiagramPoint{}).x;
    Type(w.WetSteamInput, "50");
    const double half = d->Chart->Marker().value_or(DiagramPoint{}).x;
    QVERIFY(half > liquid + 2.0);
    QCOMPARE(d->Builds(), builds);
    QVERIFY(run.platform.messages.empty());
  }

  void UnitsStandardAndKindBuildTheLinesAgain() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    w.OpenDiagram(DiagramKind::kPh);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const int builds = d->Builds();
    QVERIFY(d->Chart->title().contains("Built-in correlations"));
    QVERIFY(qobject_cast<QLogValueAxis*>(d->Chart->axes(Qt::Vertical).value(0)) != nullptr);

    // European units, picked in the units dialog: the axes follow.
    gui::TUnitsSelect& units = *w.UnitsDialog();
    units.ShowModeless();
    units.Form().SelectOverall(4);
    QTest::mouseClick(units.UnitsOk, Qt::LeftButton);
    QCOMPARE(d->Builds(), builds + 1);
    QCOMPARE(d->Chart->axes(Qt::Vertical).value(0)->titleText(), QString("Pressure (atm abs)"));
    QCOMPARE(d->Chart->axes(Qt::Horizontal).value(0)->titleText(), QString("Enthalpy (kcal/kg)"));
    auto mark = d->Chart->Marker();
    QVERIFY(mark.has_value());
    QVERIFY(std::fabs(mark->y - 1.0) < 0.01);  // atm: water at 100 Celsius

    // The other standard.
    w.Form().SelectCorrelationSet(IapwsCorrelations());
    QCOMPARE(d->Builds(), builds + 2);
    QVERIFY(d->Chart->title().contains("IAPWS-IF97"));

    // The kind list.
    d->KindBox->setCurrentIndex(3);
    emit d->KindBox->activated(3);
    QCOMPARE(d->Kind(), DiagramKind::kPt);
    QCOMPARE(d->Builds(), builds + 3);
    QCOMPARE(d->Chart->axes().size(), 2);  // the axes of the charts before are gone
    QCOMPARE(d->Chart->axes(Qt::Horizontal).value(0)->titleText(), QString("Temperature (Celsius)"));
    QVERIFY(d->Chart->Marker().has_value());
    QVERIFY(std::fabs(d->Chart->Marker()->x - 100.0) < 1e-6);
  }

  void HoverShowsTheStateUnderThePointer() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    w.OpenDiagram(DiagramKind::kHs);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const DiagramPoint p = PointOf(w, DiagramKind::kHs, 773.15L, 4000.0L, Condition::kSuperheated);
    // The pointer's move as the window system delivers it to the chart's viewport.
    const QPoint at = ViewPositionOf(*d, p);
    QMouseEvent move(QEvent::MouseMove, at, d->View->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(d->View->viewport(), &move);
    QVERIFY(d->CursorText->text().isEmpty());  // computed once the events of this turn are done
    QTRY_VERIFY(!d->CursorText->text().isEmpty());
    const QString text = d->CursorText->text();
    QVERIFY2(text.contains("T = ") && text.contains("P = ") && text.contains("h = ") && text.contains("s = "),
             qPrintable(text));
    QVERIFY2(text.contains("Kelvin") && text.contains("kPa abs"), qPrintable(text));
    QVERIFY2(text.endsWith("Superheated Vapour"), qPrintable(text));
    // Inside the dome: the mixture and its quality.
    Session sat(w.Form().session().Set());
    const long double psat = sat.Set().SaturationPressure(sat.Calculators(), 450.0L).value;
    d->HoverAt(
        ViewPositionOf(*d, PointOf(w, DiagramKind::kHs, 450.0L, psat, Condition::kSatLiquidVapour, 60.0)));
    // The quality of the point under the pointer, within what a pixel holds.
    const QString wet = d->CursorText->text();
    const qsizetype quality = wet.indexOf("Saturated Liquid and Vapour, quality ");
    QVERIFY2(quality >= 0, qPrintable(wet));
    const double percent = wet.mid(quality + 37).section(' ', 0, 0).toDouble();
    QVERIFY2(std::fabs(percent - 60.0) < 0.5, qPrintable(wet));
    // Outside the plot area nothing is shown.
    d->HoverAt(QPoint(2, 2));
    QVERIFY(d->CursorText->text().isEmpty());
  }

  void ClickSetsTheStateThere() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    w.OpenDiagram(DiagramKind::kHs);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    // Superheated: temperature and pressure are written, within what a pixel holds.
    DiagramPoint p = PointOf(w, DiagramKind::kHs, 773.15L, 4000.0L, Condition::kSuperheated);
    QTest::mouseClick(d->View->viewport(), Qt::LeftButton, {}, ViewPositionOf(*d, p));
    const CalcState& st = w.Form().session().state;
    QCOMPARE(w.Form().ConditionText.caption, std::string("Superheated Vapour"));
    QVERIFY2(std::fabs(st.TempK - 773.15) < 10.0, qPrintable(w.TemperatureInput->text()));
    QVERIFY2(std::fabs(st.PresKPa / 4000.0 - 1.0) < 0.3, qPrintable(w.PressureInput->text()));
    QCOMPARE(w.PageControl1->currentIndex(), static_cast<int>(kVariableResultsPage));
    QVERIFY(d->Chart->Marker().has_value());  // the mark went to the state clicked

    // Inside the dome of the T-s chart: the saturation temperature and the quality.
    d->KindBox->setCurrentIndex(0);
    emit d->KindBox->activated(0);
    Session sat(w.Form().session().Set());
    const long double psat = sat.Set().SaturationPressure(sat.Calculators(), 423.15L).value;
    p = PointOf(w, DiagramKind::kTs, 423.15L, psat, Condition::kSatLiquidVapour, 40.0);
    QTest::mouseClick(d->View->viewport(), Qt::LeftButton, {}, ViewPositionOf(*d, p));
    QCOMPARE(w.Form().ConditionText.caption, std::string("Saturated Liquid and Vapour"));
    QCOMPARE(w.PressureInput->text(), QString(""));
    QVERIFY2(std::fabs(st.TempK - 423.15) < 5.0, qPrintable(w.TemperatureInput->text()));
    QVERIFY2(std::fabs(w.WetSteamInput->text().toDouble() - 40.0) < 3.0, qPrintable(w.WetSteamInput->text()));
    QCOMPARE(w.PageControl1->currentIndex(), static_cast<int>(kWetSteamPage));

    // The P-T chart only reads states off.
    const QString before = w.TemperatureInput->text();
    d->KindBox->setCurrentIndex(3);
    emit d->KindBox->activated(3);
    p = PointOf(w, DiagramKind::kPt, 600.0L, 100.0L, Condition::kSuperheated);
    QTest::mouseClick(d->View->viewport(), Qt::LeftButton, {}, ViewPositionOf(*d, p));
    QCOMPARE(w.TemperatureInput->text(), before);
    QVERIFY(run.platform.messages.empty());
  }

  // The labels drawn in the window's own font: none covers another, on every chart of both
  // standards.
  void LabelsNeverOverlap() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    for (const CorrelationSet* set : {&BuiltInCorrelations(), &IapwsCorrelations()}) {
      w.Form().SelectCorrelationSet(*set);
      for (DiagramKind kind : kDiagramKinds) {
        w.OpenDiagram(kind);
        gui::DiagramWindow* d = w.Diagram();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QList<QRectF> rects = d->Chart->LabelRects();
        const QString where = QString::fromStdString(set->Name() + " " + std::string(DiagramKindKey(kind)));
        QVERIFY2(kind == DiagramKind::kPt || rects.size() >= 8, qPrintable(where));
        for (qsizetype i = 0; i < rects.size(); ++i) {
          QVERIFY2(d->Chart->plotArea().contains(rects[i]), qPrintable(where));
          for (qsizetype j = 0; j < i; ++j) QVERIFY2(!rects[i].intersects(rects[j]), qPrintable(where));
        }
      }
    }
  }

  // Dragging a rectangle zooms into it, the arrow keys and the middle button pan, and the reset
  // button, Home and a right click show the whole chart again; a click on a zoomed chart still
  // sets the state under the pointer.
  void ZoomPanAndReset() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    w.OpenDiagram(DiagramKind::kTs);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QWidget* port = d->View->viewport();
    auto ranges = [d] {
      const PlotArea a = d->Chart->ShownArea().value_or(PlotArea{});
      return std::array<double, 4>{a.x.lowest, a.x.highest, a.y.lowest, a.y.highest};
    };
    const std::array<double, 4> whole = ranges();
    const QPoint middle = ViewPositionOf(*d, {6.0, 700.0});
    auto zoom = [&] {
      QTest::mousePress(port, Qt::LeftButton, {}, middle - QPoint(120, 80));
      QTest::mouseMove(port, middle);
      QTest::mouseMove(port, middle + QPoint(120, 80));
      QTest::mouseRelease(port, Qt::LeftButton, {}, middle + QPoint(120, 80));
    };
    struct Reset {
      const char* name;
      std::function<void()> press;
    };
    const Reset resets[] = {
        {"button", [&] { d->ResetZoom->click(); }},
        {"Home", [&] { QTest::keyClick(d->View, Qt::Key_Home); }},
        {"right click", [&] { QTest::mouseClick(port, Qt::RightButton, {}, middle); }},
    };
    for (const Reset& reset : resets) {
      zoom();
      const std::array<double, 4> zoomed = ranges();
      QVERIFY2(zoomed[0] > whole[0] && zoomed[1] < whole[1] && zoomed[2] > whole[2] && zoomed[3] < whole[3],
               reset.name);
      QVERIFY2(zoomed[1] - zoomed[0] < (whole[1] - whole[0]) / 2, reset.name);
      QVERIFY2(w.TemperatureInput->text().isEmpty(), reset.name);  // a drag sets no state
      reset.press();
      QVERIFY2(ranges() == whole, reset.name);
    }

    // Panning keeps the size of the view and moves it.
    zoom();
    const std::array<double, 4> zoomed = ranges();
    QTest::keyClick(d->View, Qt::Key_Right);
    std::array<double, 4> moved = ranges();
    QVERIFY(moved[0] > zoomed[0]);
    QVERIFY(std::fabs((moved[1] - moved[0]) - (zoomed[1] - zoomed[0])) < 1e-9 * zoomed[1]);
    QCOMPARE(moved[2], zoomed[2]);
    // The middle button drags the chart along: down shows what lies above.
    QTest::mousePress(port, Qt::MiddleButton, {}, middle);
    QTest::mouseMove(port, middle + QPoint(0, 40));
    QTest::mouseRelease(port, Qt::MiddleButton, {}, middle + QPoint(0, 40));
    const std::array<double, 4> dragged = ranges();
    QVERIFY(dragged[2] > moved[2]);
    QCOMPARE(dragged[0], moved[0]);
    QVERIFY(w.TemperatureInput->text().isEmpty());
    const QList<QRectF> rects = d->Chart->LabelRects();
    for (qsizetype i = 0; i < rects.size(); ++i)
      for (qsizetype j = 0; j < i; ++j) QVERIFY(!rects[i].intersects(rects[j]));

    // A click on the zoomed chart: superheated steam at 500 degrees Celsius and 40 bar.
    const DiagramPoint p = PointOf(w, DiagramKind::kTs, 773.15L, 4000.0L, Condition::kSuperheated);
    const PlotArea shown = *d->Chart->ShownArea();
    QVERIFY(p.x > shown.x.lowest && p.x < shown.x.highest && p.y > shown.y.lowest && p.y < shown.y.highest);
    QTest::mouseClick(port, Qt::LeftButton, {}, ViewPositionOf(*d, p));
    QCOMPARE(w.Form().ConditionText.caption, std::string("Superheated Vapour"));
    QVERIFY2(std::fabs(w.Form().session().state.TempK - 773.15) < 2.0, qPrintable(w.TemperatureInput->text()));
    QVERIFY(ranges() == dragged);
    QVERIFY(run.platform.messages.empty());
  }

  void SavesPngAndSvg() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "500");
    w.OpenDiagram(DiagramKind::kTs);
    gui::DiagramWindow* d = w.Diagram();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QTemporaryDir dir;
    const QString png = dir.filePath("ts.png"), svg = dir.filePath("ts.svg");
    QVERIFY(d->SaveAs(png));
    QVERIFY(d->SaveAs(svg));
    QCOMPARE(Head(png, 8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QVERIFY(QFile(png).size() > 10000);
    const QByteArray text = Head(svg, 400);
    QVERIFY(text.startsWith("<?xml"));
    QVERIFY(text.contains("<svg"));
    QVERIFY(QFile(svg).size() > 10000);

    // A folder that is not there: the message says so, and nothing is written.
    QVERIFY(!d->SaveAs(dir.filePath("missing/ts.svg")));
    QCOMPARE(run.platform.errors.size(), 1u);
    QVERIFY2(run.platform.errors[0].text.starts_with("Cannot write"), run.platform.errors[0].text.c_str());
    QVERIFY(!QFile::exists(dir.filePath("missing/ts.svg")));

    // A disk that fills during the save: the pictures saved before stay whole, the message gives
    // the system's reason, and no temporary file is left.
    const QByteArray pngBefore = Head(png, 1 << 24), svgBefore = Head(svg, 1 << 24);
    {
      FileSizeLimit full(4096);
      QVERIFY(!d->SaveAs(png));
      QVERIFY(!d->SaveAs(svg));
    }
    QCOMPARE(run.platform.errors.size(), 3u);
    QCOMPARE(run.platform.errors[1].text, "Cannot write \"" + png.toStdString() + "\": File too large");
    QCOMPARE(run.platform.errors[2].text, "Cannot write \"" + svg.toStdString() + "\": File too large");
    QCOMPARE(Head(png, 1 << 24), pngBefore);
    QCOMPARE(Head(svg, 1 << 24), svgBefore);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  }
};

int RunDiagramWindowTests(int argc, char** argv) {
  DiagramWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "DiagramWindowTest.moc"
