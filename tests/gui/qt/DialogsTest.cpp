// The units dialog, the about box, the message boxes of the Qt platform, and closing the program
// with the question about changed units answered through a real message box.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "gui/AboutBox.h"
#include "gui/UnitsSelect.h"

namespace tulo::guitest {
namespace {

// Picks the entry `steps` below the current one with the keyboard, as the user does.
void PickDown(QComboBox* list, int steps) {
  list->setFocus();
  for (int i = 0; i < steps; ++i) QTest::keyClick(list, Qt::Key_Down);
}

QStringList LabelTexts(const QWidget& window) {
  QStringList texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void UnitsOkRewritesTheTypedValues() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    gui::TUnitsSelect& units = *w.UnitsDialog();
    Type(w.TemperatureInput, "373.15");
    w.CustomUnits1->trigger();
    QVERIFY(units.isVisible());
    QVERIFY(!units.isModal());
    const QStringList labels = LabelTexts(units);
    for (const char* label : UnitsForm::kLabels) QVERIFY2(labels.contains(label), label);
    QVERIFY(labels.contains("OVERALL UNITS"));
    QCOMPARE(units.List(kTemperature)->currentText(), QString("Kelvin"));
    QCOMPARE(units.OverComboBox->currentText(), QString("Pick Overall Units"));
    QCOMPARE(units.List(kPressure)->count(), 24);  // MPa abs and MPa gauge appended
    QCOMPARE(units.List(kPressure)->itemText(23), QString("MPa gauge"));

    PickDown(units.List(kTemperature), 1);
    QCOMPARE(units.Form().List(kTemperature).itemIndex, 1);
    QCOMPARE(w.UnitT->text(), QString("Temperature (Kelvin)"));  // nothing changes before OK
    QTest::mouseClick(units.UnitsOk, Qt::LeftButton);

    QVERIFY(!units.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.UnitT->text(), QString("Temperature (Celsius)"));
    QCOMPARE(w.TemperatureInput->text(), QString("100"));
    QCOMPARE(w.TemperatureOutput->text(), QString("100.000 Celsius"));
    QCOMPARE(w.PressureOutput->text(), QString("101.330 kPa abs"));
    QCOMPARE(w.ConditionText->text(), QString("Saturated Liquid and Vapour"));
    QCOMPARE(w.VarPropGrid->CellText(1, 16), QString("Celsius"));  // melting point, now in Celsius
  }

  void UnitsCancelKeepsTheUnitsButNotThePicks() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    gui::TUnitsSelect& units = *w.UnitsDialog();
    w.CustomUnits1->trigger();
    PickDown(units.OverComboBox, 2);  // "Use Imperial Units"
    QCOMPARE(units.OverComboBox->currentText(), QString("Use Imperial Units"));
    QCOMPARE(units.List(kTemperature)->currentText(), QString("Fahrenheit"));
    QCOMPARE(units.List(kPressure)->currentText(), QString("PSI abs"));
    QTest::mouseClick(units.UnitsCancel, Qt::LeftButton);
    QVERIFY(!units.isVisible());
    QCOMPARE(w.UnitT->text(), QString("Temperature (Kelvin)"));

    w.CustomUnits1->trigger();  // the same dialog again, as it was left
    QVERIFY(units.isVisible());
    QCOMPARE(units.List(kTemperature)->currentText(), QString("Fahrenheit"));
    PickDown(units.OverComboBox, 3);  // "Use Last Saved Units": the units read at start-up
    QCOMPARE(units.List(kTemperature)->currentText(), QString("Kelvin"));
    QCOMPARE(units.List(kPressure)->currentText(), QString("kPa abs"));
  }

  void AboutBoxShowsTheProduct() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    gui::TAboutBox& about = *w.AboutBox();
    w.About1->trigger();
    QVERIFY(about.isVisible());
    QCOMPARE(about.windowTitle(), QString("About TULO for Windows"));
    const QStringList labels = LabelTexts(about);
    for (const char* text :
         {"Product Name :", "TULO for Windows", "Version :", "2.0.12", "E-mail :", "Web Page :"})
      QVERIFY2(labels.contains(text), text);
    QCOMPARE(about.Version_No->text(), QString("2.0.12"));
    QVERIFY(about.MailLink->font().underline());
    QCOMPARE(about.WebLink->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(!about.ProgramIcon->pixmap().isNull());

    QTest::mouseClick(about.OKButton, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QVERIFY(w.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&w));
  }

  void AboutBoxLinks_data() {
    QTest::addColumn<bool>("mail");
    QTest::addColumn<bool>("works");
    QTest::addColumn<QString>("error");
    QTest::newRow("mail") << true << true << "";
    QTest::newRow("mail fails") << true << false
                                << "Can't connect to your e-mail program from here. Sorry....";
    QTest::newRow("web") << false << true << "";
    QTest::newRow("web fails") << false << false << "Can't connect to Dunelo Web Page...";
  }

  void AboutBoxLinks() {
    QFETCH(bool, mail);
    QFETCH(bool, works);
    QFETCH(QString, error);
    Running run;
    QVERIFY(run.Ok());
    gui::TAboutBox& about = *run.main->AboutBox();
    run.platform.mailResult = run.platform.webResult = works;
    run.main->About1->trigger();
    QTest::mouseClick(mail ? about.MailLink : about.WebLink, Qt::LeftButton);

    QCOMPARE(run.platform.mails,
             mail ? std::vector<std::string>{"support@example.com"} : std::vector<std::string>{});
    QCOMPARE(run.platform.pages,
             mail ? std::vector<std::string>{} : std::vector<std::string>{"https://www.example.com/"});
    QCOMPARE(static_cast<int>(run.platform.errors.size()), works ? 0 : 1);
    if (!works) {
      QCOMPARE(run.platform.errors[0].title, std::string("Error"));
      QCOMPARE(QString::fromStdString(run.platform.errors[0].text), error);
    }
    QVERIFY(about.isVisible());  // the box stays open either way
  }

  // The boxes of the Qt platform, answered by clicking their buttons.
  void QtPlatformBoxes_data() {
    QTest::addColumn<int>("kind");  // 0 information, 1 Yes/No, 2 Yes/No/Cancel, 3 error
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("answer");
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    const QString app = gui::QtPlatform::kBoxTitle;
    QTest::newRow("information") << 0 << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                                 << int(QMessageBox::Information) << app << -1;
    QTest::newRow("yes/no: no") << 1 << int(QMessageBox::No) << yesNo << int(QMessageBox::Question) << app
                                << int(Answer::kNo);
    QTest::newRow("yes/no/cancel: cancel") << 2 << int(QMessageBox::Cancel) << (yesNo | QMessageBox::Cancel)
                                           << int(QMessageBox::Question) << app << int(Answer::kCancel);
    QTest::newRow("error") << 3 << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(QMessageBox::Critical)
                           << "Error" << -1;
  }

  void QtPlatformBoxes() {
    QFETCH(int, kind);
    QFETCH(int, click);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(int, answer);
    gui::QtPlatform platform;
    MessageBoxClicker clicker(static_cast<QMessageBox::StandardButton>(click));
    int got = -1;
    switch (kind) {
      case 0:
        platform.ShowMessage("the text");
        break;
      case 1:
        got = static_cast<int>(platform.Confirm("the text", false));
        break;
      case 2:
        got = static_cast<int>(platform.Confirm("the text", true));
        break;
      default:
        platform.ShowError("Error", "the text");
        break;
    }
    QCOMPARE(clicker.seen, 1);
    QCOMPARE(clicker.text, QString("the text"));
    QCOMPARE(clicker.title, title);
    QCOMPARE(int(clicker.buttons), buttons);
    QCOMPARE(int(clicker.icon), icon);
    QCOMPARE(got, answer);
  }

  void ClosingWithChangedUnitsAsks_data() {
    QTest::addColumn<bool>("changeUnits");
    QTest::addColumn<int>("click");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("savedTemperatureUnit");
    QTest::addColumn<int>("saveCount");
    QTest::newRow("units unchanged: no question") << false << int(QMessageBox::NoButton) << true << 1 << 1;
    QTest::newRow("yes: units saved") << true << int(QMessageBox::Yes) << true << 2 << 1;
    QTest::newRow("no: old units kept") << true << int(QMessageBox::No) << true << 1 << 1;
    QTest::newRow("cancel: stays open, nothing written")
        << true << int(QMessageBox::Cancel) << false << 1 << 0;
  }

  void ClosingWithChangedUnitsAsks() {
    QFETCH(bool, changeUnits);
    QFETCH(int, click);
    QFETCH(bool, closes);
    QFETCH(int, savedTemperatureUnit);
    QFETCH(int, saveCount);
    WorkDir dir;
    QVERIFY(dir.CreateConfig());
    gui::QtPlatform platform;  // real message boxes
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main != nullptr);
    QVERIFY(ShowActive(*main));
    if (changeUnits) {
      main->CustomUnits1->trigger();
      PickDown(main->UnitsDialog()->List(kTemperature), 1);
      QTest::mouseClick(main->UnitsDialog()->UnitsOk, Qt::LeftButton);
      QCOMPARE(main->UnitT->text(), QString("Temperature (Celsius)"));
    }

    MessageBoxClicker clicker(static_cast<QMessageBox::StandardButton>(click));
    main->Exit1->trigger();
    QCOMPARE(clicker.seen, changeUnits ? 1 : 0);
    if (changeUnits) {
      QCOMPARE(clicker.text, QString("Save units for next session?"));
      QCOMPARE(int(clicker.buttons), int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    }
    QCOMPARE(main->isVisible(), !closes);
    std::optional<ConfigRecord> record = dir.ReadConfig();
    QVERIFY(record.has_value());
    QCOMPARE(int(record->SavedUnits[kTemperature]), savedTemperatureUnit);
    QCOMPARE(int(record->SaveCount), saveCount);
  }
};

int RunDialogTests(int argc, char** argv) {
  DialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "DialogsTest.moc"
