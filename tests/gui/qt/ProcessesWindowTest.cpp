// The Processes window as the user drives it: opened from the File menu, a turbine and a Rankine
// cycle typed and computed, the result copied, saved and shown on a diagram, F1 for its help.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/DiagramWindow.h"
#include "gui/GridView.h"
#include "gui/ProcessesWindow.h"
#include "gui/StateListWindow.h"
#include "gui/UnitsSelect.h"

namespace tulo::guitest {
namespace {

gui::ProcessesWindow* OpenProcesses(gui::TMainProg& main) {
  main.Processes1->trigger();
  gui::ProcessesWindow* window = main.Processes();
  if (window == nullptr || !ShowActive(*window)) return nullptr;
  return window;
}

// Types the values of the page in front, field by field; an empty text leaves a field empty.
void TypeValues(gui::ProcessesWindow& w, const QStringList& texts) {
  const gui::ProcessesWindow::PageControls& page =
      w.PageWidgets[static_cast<std::size_t>(w.Pages->currentIndex())];
  for (int i = 0; i < texts.size(); ++i)
    if (!texts[i].isEmpty()) Type(page.values[static_cast<std::size_t>(i)], texts[i]);
}

}  // namespace

class ProcessesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TurbineAndCycleComputedCopiedAndShown() {
    Running run;
    QVERIFY(run.Ok());
    gui::ProcessesWindow* w = OpenProcesses(*run.main);
    QVERIFY(w != nullptr);
    QCOMPARE(w->Pages->count(), 8);
    QVERIFY(!w->Copy->isEnabled());
    QVERIFY(!w->ShowOnDiagram->isEnabled());  // nothing computed yet

    // A turbine: 773.15 K and 5000 kPa expanded to 10 kPa at 85 %, 10 kg/s.
    const gui::ProcessesWindow::StateControls& inlet = w->PageWidgets[0].states[0];
    Type(inlet.first, "773.15");
    Type(inlet.second, "5000");
    TypeValues(*w, {"10", "85", "10"});
    QTest::mouseClick(w->Compute, Qt::LeftButton);
    QCOMPARE(w->States->rowCount(), 4);  // the heading, inlet, outlet, isentropic outlet
    QCOMPARE(w->States->CellText(0, 2), QString("Outlet"));
    QCOMPARE(w->Figures->CellText(0, 2), QString("Power"));
    QCOMPARE(w->Figures->CellText(1, 2), QString::fromStdString(w->Form().FigureGrid.Cell(1, 2)));
    QVERIFY(w->Copy->isEnabled());

    // An efficiency above 100 %: the function's message in red, no numbers.
    Paste(w->PageWidgets[0].values[1], "150");
    QTest::keyClick(w->PageWidgets[0].values[1], Qt::Key_Return);
    QVERIFY(w->Message->text().contains("efficiency"));
    QCOMPARE(w->States->rowCount(), 1);
    QVERIFY(!w->Copy->isEnabled());

    // The Rankine cycle, with a net power; Copy puts it on the clipboard for a spreadsheet.
    w->Pages->setCurrentIndex(7);
    TypeValues(*w, {"8000", "753.15", "10", "85", "80", "", "", "", "100"});
    w->PowerUnit->setCurrentIndex(1);  // MW
    emit w->PowerUnit->activated(1);
    QTest::mouseClick(w->Compute, Qt::LeftButton);
    QVERIFY2(w->Form().Page().result.has_value(), qPrintable(w->Message->text()));
    const ProcessResult& cycle = *w->Form().Page().result;
    QCOMPARE(w->States->rowCount(), static_cast<int>(cycle.states.size()) + 1);
    QVERIFY(cycle.FigureNamed("steam_flow").has_value());
    QTest::mouseClick(w->Copy, Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.contains('\t'));
    QCOMPARE(copied.count("\r\n"), copied.count("\n"));
    QCOMPARE(copied.count("\r\n"), static_cast<int>(1 + cycle.states.size() + cycle.figures.size()));

    // Full precision shows more digits of the same values.
    const QString six = w->Figures->CellText(1, 1);
    QTest::mouseClick(w->FullPrecision, Qt::LeftButton);
    QVERIFY(w->Figures->CellText(1, 1).size() > six.size());

    // Show on diagram draws the cycle on the chart; Add to state list hands the state chosen on.
    QVERIFY(run.main->Diagram() == nullptr);
    QTest::mouseClick(w->ShowOnDiagram, Qt::LeftButton);
    QVERIFY(run.main->Diagram() != nullptr);
    QVERIFY(run.main->Diagram()->ShowsProcess());
    QVERIFY(!w->AddToStateList->isEnabled());  // no state chosen
    w->States->setCurrentCell(3, 0);           // the third state
    QVERIFY(w->AddToStateList->isEnabled());
    QTest::mouseClick(w->AddToStateList, Qt::LeftButton);
    QVERIFY(run.main->StateList() != nullptr);
    QCOMPARE(run.main->StateList()->List().entries.size(), std::size_t{1});
    const StateEntry& entry = run.main->StateList()->List().entries[0];
    QCOMPARE(entry.name, ShownName(cycle.states[2].name));
    QCOMPARE(entry.state.input.pair, StateInputOf(cycle.states[2].state).pair);

    // The hook receives the result itself; the turbine page still holds its own.
    std::vector<ProcessResult> shown;
    w->Form().SetShowOnDiagram([&](const ProcessResult& r) { shown.push_back(r); });
    QVERIFY(w->ShowOnDiagram->isEnabled());
    QTest::mouseClick(w->ShowOnDiagram, Qt::LeftButton);
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].states.size(), cycle.states.size());
    QCOMPARE(*shown[0].FigureNamed("net_work"), *cycle.FigureNamed("net_work"));
    w->Pages->setCurrentIndex(0);
    QVERIFY(!w->ShowOnDiagram->isEnabled());  // the turbine's last Compute failed

    run.platform.helpResult = true;
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(run.platform.helpOpened.back(), std::string("tulowin.hlp#133"));
  }

  void SavesWholeOrSaysWhyAndFollowsTheUnits() {
    Running run;
    QVERIFY(run.Ok());
    gui::ProcessesWindow* w = OpenProcesses(*run.main);
    QVERIFY(w != nullptr);
    w->Pages->setCurrentIndex(5);  // the flash tank
    const gui::ProcessesWindow::StateControls& inlet = w->PageWidgets[5].states[0];
    Type(inlet.first, "453.15");
    Type(inlet.second, "2000");
    TypeValues(*w, {"10", "200"});
    QTest::mouseClick(w->Compute, Qt::LeftButton);
    QVERIFY2(w->SaveAsButton->isEnabled(), qPrintable(w->Message->text()));

    QVERIFY(w->SaveAs("flash.json"));
    QFile json("flash.json");
    QVERIFY(json.open(QIODevice::ReadOnly));
    QCOMPARE(json.readAll().toStdString(), *w->Form().FileText("flash.json"));
    QVERIFY(w->Message->text().startsWith("Saved to flash.json"));

    QVERIFY(!w->SaveAs("no-such-folder/flash.csv"));
    QCOMPARE(run.platform.messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(run.platform.messages[0])
                .startsWith("Cannot write no-such-folder/flash.csv: "));
    QVERIFY(w->Message->text().startsWith("Cannot write"));

    // European units, picked in the units dialog: the result is shown in them at once.
    gui::TUnitsSelect& units = *run.main->UnitsDialog();
    units.ShowModeless();
    units.Form().SelectOverall(4);
    QTest::mouseClick(units.UnitsOk, Qt::LeftButton);
    QCOMPARE(w->States->CellText(1, 0), QString("T (Celsius)"));
    QCOMPARE(w->PageWidgets[5].states[0].firstCaption->text(), QString("Temperature (Celsius)"));
  }
};

int RunProcessesWindowTests(int argc, char** argv) {
  ProcessesWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "ProcessesWindowTest.moc"
