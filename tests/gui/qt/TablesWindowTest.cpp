// The Tables window as the user drives it: opened from the File menu, a table typed and
// computed in the main window's units, its cells as the main window shows the same state, Copy
// for a spreadsheet, bad input, a large table computed in the background while the windows go on
// answering, cancelled, and one saved as CSV.

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/UnitsForm.h"
#include "gui/GridView.h"
#include "gui/TablesWindow.h"
#include "units/Presets.h"

namespace tulo::guitest {
namespace {

// Replaces a field's text as the user would: select all, type.
void Retype(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  if (text.isEmpty())
    QTest::keyClick(field, Qt::Key_Delete);
  else
    QTest::keyClicks(field, text);
}

struct TableRequest {
  int kind;  // index in the kind list: saturation by T, by P, isobar, isotherm
  QString from, to, step, rows, at;
};

void Fill(gui::TablesWindow& t, const TableRequest& r) {
  t.Kind->setCurrentIndex(r.kind);
  Retype(t.From, r.from);
  Retype(t.To, r.to);
  if (!r.step.isEmpty()) {
    QTest::mouseClick(t.ByStep, Qt::LeftButton);
    Retype(t.Step, r.step);
  } else {
    QTest::mouseClick(t.ByRows, Qt::LeftButton);
    Retype(t.Rows, r.rows);
  }
  if (t.At->isEnabled()) Retype(t.At, r.at);
}

// Checks only the items named.
void CheckOnly(gui::TablesWindow& t, const QStringList& names) {
  for (int i = 0; i < t.Items->count(); ++i)
    t.Items->item(i)->setCheckState(names.contains(t.Items->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
}

QString Cell(const gui::TablesWindow& t, int row, int col) {
  return t.Grid->model()->index(row, col).data().toString();
}

int RowOf(const gui::GridView& grid, const QString& name) {
  for (int r = 0; r < grid.rowCount(); ++r)
    if (grid.CellText(0, r) == name) return r;
  return -1;
}

gui::TablesWindow* OpenTables(gui::TMainProg& main) {
  main.Tables1->trigger();
  gui::TablesWindow* tables = main.Tables();
  if (tables == nullptr || !ShowActive(*tables)) return nullptr;
  return tables;
}

}  // namespace

class TablesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ComputesInTheUnitsInUseAndCopies() {
    Running run;
    QVERIFY(run.Ok());
    {
      UnitsForm units(run.main->Form());
      const UnitSelection european = PresetSelection(UnitPreset::kEuropean);
      for (int q = 0; q < kQuantityCount; ++q) units.SelectUnit(q, european[q] - 1);
      units.UnitsOkClick();
    }
    gui::TablesWindow* t = OpenTables(*run.main);
    QVERIFY(t != nullptr);
    QCOMPARE(t->FromLabel->text(), QString("&From (Celsius)"));
    QVERIFY(!t->At->isEnabled());  // a saturation table has no fixed quantity
    Fill(*t, {0, "0", "100", "20", "", ""});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QVERIFY(!t->Busy());  // six rows: computed at once
    QCOMPARE(t->Grid->model()->rowCount(), 6);
    const int columns = t->Grid->model()->columnCount();
    QCOMPARE(t->Grid->model()->headerData(2, Qt::Horizontal).toString(),
             QString("Enthalpy\nliquid\nkcal/kg"));
    QCOMPARE(Cell(*t, 5, 0), QString("100"));
    QCOMPARE(Cell(*t, 5, 1), QString("1.0000"));
    QCOMPARE(Cell(*t, 5, columns - 1), QString("Saturated Liquid and Vapour"));
    QVERIFY(t->MessageText().contains("6 rows"));

    // The main window shows the same cells for 100 Celsius typed.
    Type(run.main->TemperatureInput, "100");
    const int enthalpy = RowOf(*run.main->VarPropGrid, "Enthalpy");
    QVERIFY(enthalpy > 0);
    QCOMPARE(Cell(*t, 5, 2), run.main->VarPropGrid->CellText(2, enthalpy));
    QCOMPARE(Cell(*t, 5, 3), run.main->VarPropGrid->CellText(3, enthalpy));

    QTest::mouseClick(t->Copy, Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.endsWith("\r\n"));
    QCOMPARE(copied.count("\r\n"), 7);
    QCOMPARE(copied.count("\n"), 7);  // no line ends but CR LF
    const QStringList lines = copied.split("\r\n");
    QVERIFY(lines[0].startsWith("Temperature (Celsius)\tPressure (atm abs)\tEnthalpy liquid (kcal/kg)\t"));
    for (int i = 0; i < 7; ++i) QCOMPARE(lines[i].count('\t'), columns - 1);
    QVERIFY(lines[6].startsWith("100\t1.0000\t" + Cell(*t, 5, 2) + "\t"));
    QVERIFY(run.platform.messages.empty());
  }

  void BadInputShowsItsMessage() {
    Running run;
    QVERIFY(run.Ok());
    gui::TablesWindow* t = OpenTables(*run.main);
    QVERIFY(t != nullptr);
    struct Case {
      TableRequest request;
      QString message;
    };
    const std::vector<Case> cases = {
        {{0, "400", "300", "10", "", ""}, "From must not be above To."},
        {{0, "300", "400", "0", "", ""}, "The Step must not be zero."},
        {{0, "300", "400", "-5", "", ""}, "The Step must be positive: the table runs from From up to To."},
        {{2, "100", "400", "10", "", "101.325"}, "Temperature must be between 166 and 1273.15 Kelvin"},
        {{2, "300", "400", "", "2000000", "101.325"}, "A table has at most 1 000 000 rows."},
        {{3, "1", "100", "", "5", ""}, "Please enter the temperature of the isotherm (At)."},
        {{1, "1", "x", "", "5", ""}, "To is not a number: x"},
    };
    for (const Case& c : cases) {
      Fill(*t, c.request);
      QTest::mouseClick(t->Compute, Qt::LeftButton);
      QCOMPARE(t->MessageText(), c.message);
      QVERIFY(t->Table() == nullptr);
    }
    Fill(*t, {2, "300", "400", "50", "", "101.325"});
    CheckOnly(*t, {});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QCOMPARE(t->MessageText(), QString("Please check at least one column."));
    QTest::mouseClick(t->DefaultItems, Qt::LeftButton);
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QVERIFY(t->Table() != nullptr);
    QCOMPARE(t->Table()->RowCount(), 3);
  }

  // A large table runs in the background: the bar moves, the main window still takes typing, and
  // Cancel ends it, leaving the table shown before.
  void LargeTableInTheBackgroundIsCancelled() {
    Running run;
    QVERIFY(run.Ok());
    gui::TablesWindow* t = OpenTables(*run.main);
    QVERIFY(t != nullptr);
    Fill(*t, {2, "300", "800", "100", "", "1000"});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QCOMPARE(t->Table()->RowCount(), 6);

    Fill(*t, {2, "300", "800", "", "300000", "1000"});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QVERIFY(t->Busy());
    QVERIFY(t->Progress->isVisible());
    QVERIFY(t->Cancel->isEnabled());
    QVERIFY(!t->Compute->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(t->Progress->value() > 0, 60000);
    // The main window answers meanwhile.
    QVERIFY(ShowActive(*run.main));
    Type(run.main->TemperatureInput, "300");
    QCOMPARE(run.main->ConditionText->text(), QString("Saturated Liquid and Vapour"));
    QVERIFY(t->Busy());
    QTest::mouseClick(t->Cancel, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!t->Busy(), 10000);
    QCOMPARE(t->MessageText(), QString("Cancelled."));
    QVERIFY(!t->Progress->isVisible());
    QVERIFY(t->Compute->isEnabled());
    QCOMPARE(t->Table()->RowCount(), 6);
    QCOMPARE(t->Grid->model()->rowCount(), 6);
  }

  void BackgroundTableIsShownAndSaved() {
    Running run;
    QVERIFY(run.Ok());
    gui::TablesWindow* t = OpenTables(*run.main);
    QVERIFY(t != nullptr);
    Fill(*t, {3, "1", "60000", "", "12000", "500"});
    CheckOnly(*t, {"Enthalpy", "Compressibility Factor \"Z\""});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QVERIFY(t->Busy());
    QTRY_VERIFY_WITH_TIMEOUT(!t->Busy(), 60000);
    QVERIFY(t->Table() != nullptr);
    QCOMPARE(t->Grid->model()->rowCount(), 12000);
    QCOMPARE(Cell(*t, 11999, 1), QString("60000"));

    const QString path = QDir::current().filePath("isotherm.csv");
    QVERIFY(t->SaveCsv(path));
    QTRY_VERIFY_WITH_TIMEOUT(!t->Busy(), 60000);
    QCOMPARE(t->MessageText(), "Saved to " + path + ".");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    QVERIFY(!csv.contains('\r'));
    QCOMPARE(csv.count('\n'), 12001);
    QVERIFY(
        csv.startsWith("Temperature (Kelvin),Pressure (kPa abs),Enthalpy (kJ/kg),\"Compressibility Factor "
                       "\"\"Z\"\"\",Condition\n"
                       "500,1,"));
    // A file that cannot be written says so.
    Fill(*t, {3, "1", "100", "", "3", "500"});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QVERIFY(!t->SaveCsv(QDir::current().filePath("no-such-folder/table.csv")));
    QCOMPARE(run.platform.messages.size(), std::size_t{1});
    QVERIFY(run.platform.messages[0].find("Cannot write") == 0);

    // A disk that fills during the save leaves the table saved before whole and says why.
    Fill(*t, {3, "1", "1000", "", "200", "500"});
    QTest::mouseClick(t->Compute, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!t->Busy(), 60000);
    {
      FileSizeLimit full(1024);
      QVERIFY(!t->SaveCsv(path));
    }
    QCOMPARE(run.platform.messages.size(), std::size_t{2});
    QCOMPARE(run.platform.messages[1], "Cannot write " + path.toStdString() + ": File too large");
    QFile after(path);  // by name: an open file would still show the old bytes after a rename
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), csv);
    QCOMPARE(QDir::current().entryList({"isotherm*", ".isotherm*"}, QDir::Files | QDir::Hidden).size(), 1);
  }
};

int RunTablesWindowTests(int argc, char** argv) {
  TablesWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "TablesWindowTest.moc"
