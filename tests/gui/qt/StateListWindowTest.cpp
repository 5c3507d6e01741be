// The state list as the user drives it: the main window's state added from the File menu, named,
// shown with the main window's values, kept across a restart in statelist.json beside the
// configuration file, and exported as CSV.

#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "gui/GridView.h"
#include "gui/StateListWindow.h"

namespace tulo::guitest {
namespace {

QString Cell(const gui::StateListWindow& w, int row, int col) {
  const QTableWidgetItem* item = w.Grid->item(row, col);
  return item ? item->text() : QString("<none>");
}

int RowOf(const gui::GridView& grid, const QString& name) {
  for (int r = 0; r < grid.rowCount(); ++r)
    if (grid.CellText(0, r) == name) return r;
  return -1;
}

}  // namespace

class StateListWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void AddsTheMainWindowsStateAndExportsIt() {
    Running run;
    QVERIFY(run.Ok());
    // Nothing typed: nothing to add.
    run.main->AddToStateList1->trigger();
    QCOMPARE(run.platform.messages.size(), std::size_t{1});
    QVERIFY(run.platform.messages[0].starts_with("There is no state to add"));
    QVERIFY(run.main->StateList() == nullptr);

    Type(run.main->TemperatureInput, "450");
    Type(run.main->PressureInput, "2000");
    run.main->AddToStateList1->trigger();
    gui::StateListWindow* list = run.main->StateList();
    QVERIFY(list != nullptr);
    QVERIFY(list->isVisible());
    QCOMPARE(list->Grid->rowCount(), 1);
    QCOMPARE(Cell(*list, 0, 0), QString("State 1"));
    QCOMPARE(Cell(*list, 0, 1), QString("450"));
    QCOMPARE(Cell(*list, 0, 2), QString("2000"));
    QCOMPARE(list->Grid->horizontalHeaderItem(3)->text(), QString("Enthalpy (kJ/kg)"));
    const int enthalpy = RowOf(*run.main->VarPropGrid, "Enthalpy");
    QVERIFY(enthalpy > 0);
    // The main window's cell is the list's value rounded to the grid's decimals.
    const QString shown = run.main->VarPropGrid->CellText(2, enthalpy).trimmed();
    const int decimals = static_cast<int>(shown.size() - shown.indexOf('.') - 1);
    QCOMPARE(QString::number(Cell(*list, 0, 3).toDouble(), 'f', decimals), shown);
    QVERIFY(Cell(*list, 0, 3).size() > shown.size());
    QCOMPARE(Cell(*list, 0, 5), QString(" -"));  // no quality for a liquid

    QVERIFY(list->RenameEntry(0, "Feed, \"hot\""));
    const QString path = QDir::current().filePath("states.csv");
    QVERIFY(list->ExportCsv(path));
    QCOMPARE(list->MessageText(), "Exported to " + path + ".");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 3);  // the header, the state, the end of the last line
    QVERIFY(lines[0].startsWith("Name,Temperature (Kelvin),Pressure (kPa abs),Enthalpy (kJ/kg),"));
    QVERIFY(lines[1].startsWith("\"Feed, \"\"hot\"\"\",450,2000," + Cell(*list, 0, 3).toUtf8() + ","));

    QVERIFY(!list->ExportCsv(QDir::current().filePath("no-such-folder/states.csv")));
    QVERIFY(run.platform.messages.back().starts_with("Cannot write "));

    // The list is kept beside the configuration file, for the next start.
    QVERIFY(QFile::exists("statelist.json"));
    gui::StateListWindow again(run.main->Form());
    QCOMPARE(again.Grid->rowCount(), 1);
    QCOMPARE(Cell(again, 0, 0), QString("Feed, \"hot\""));
    QCOMPARE(Cell(again, 0, 3), Cell(*list, 0, 3));
  }
};

int RunStateListWindowTests(int argc, char** argv) {
  StateListWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "StateListWindowTest.moc"
