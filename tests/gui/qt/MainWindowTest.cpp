// The main window as the user drives it: typing, limits, the wet-steam page, the copy menu, the
// steam search and the clear button. Values that depend on correlations still being written are
// not asserted; the saturation line, the state labels, headings and row names are.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "gui/GridView.h"

namespace tulo::guitest {
namespace {

// Every cell of the widget grid shows what the form holds.
void CompareWithForm(const gui::GridView& view, const StringGrid& grid) {
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColCount(); ++c)
      QCOMPARE(view.CellText(c, r), QString::fromStdString(grid.Cell(c, r)));
}

QStringList Column(const gui::GridView& view, int col) {
  QStringList texts;
  for (int r = 0; r < view.rowCount(); ++r) texts << view.CellText(col, r);
  return texts;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TypedTemperatureShowsTheSaturatedState() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");

    QCOMPARE(w.TemperatureInput->text(), QString("373.15"));
    QCOMPARE(w.FormError->text(), QString());
    QCOMPARE(w.ConditionText->text(), QString("Saturated Liquid and Vapour"));
    QCOMPARE(w.TemperatureOutput->text(), QString("373.150 Kelvin"));
    QCOMPARE(w.PressureOutput->text(), QString("101.330 kPa abs"));  // the saturation pressure
    const QStringList headings = {"Property", "Units", "Liquid", "Vapour"};
    for (int c = 0; c < 4; ++c) QCOMPARE(w.VarPropGrid->CellText(c, 0), headings[c]);
    const QStringList names = Column(*w.VarPropGrid, 0);
    QCOMPARE(names[1], QString("Enthalpy"));
    QCOMPARE(names[16], QString("Melting Point (@ pressure)"));
    QVERIFY(!names.contains("Saturation Pressure"));
    QVERIFY(!names.contains("Saturation Temperature"));
    QCOMPARE(w.VarPropGrid->CellText(1, 1), QString("kJ/kg"));
    CompareWithForm(*w.VarPropGrid, w.Form().VarPropGrid);
    CompareWithForm(*w.WetPropGrid, w.Form().WetPropGrid);
    CompareWithForm(*w.FixPropGrid, w.Form().FixPropGrid);
    QCOMPARE(w.FixPropGrid->CellText(0, 1), QString("Molecular Weight"));
    QCOMPARE(w.FixPropGrid->CellText(2, 1), QString("18.015"));
  }

  // The Standard menu swaps the standard under the typed state, the state frame names it, the
  // grid grows by the IAPWS rows, and the next start of the program uses it again.
  void StandardMenuSwapsAndIsRemembered() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    QCOMPARE(w.StandardText->text(), QString("Built-in correlations"));
    QVERIFY(w.StandardItems[0]->isChecked());
    Type(w.TemperatureInput, "300");
    Type(w.PressureInput, "101.325");
    const QString builtInEnthalpy = w.VarPropGrid->CellText(2, 1);
    w.StandardItems[1]->trigger();
    QCOMPARE(w.StandardText->text(), QString("IAPWS-IF97"));
    QVERIFY(w.StandardItems[1]->isChecked() && !w.StandardItems[0]->isChecked());
    QCOMPARE(w.TemperatureInput->text(), QString("300"));
    QVERIFY(w.VarPropGrid->CellText(2, 1) != builtInEnthalpy);
    QVERIFY(Column(*w.VarPropGrid, 0).contains("Speed of Sound"));
    CompareWithForm(*w.VarPropGrid, w.Form().VarPropGrid);

    auto again = gui::StartUp(run.platform, {0});
    QVERIFY(again != nullptr);
    QCOMPARE(again->StandardText->text(), QString("IAPWS-IF97"));
    QVERIFY(again->StandardItems[1]->isChecked());
  }

  // The state frame shows the form's warning where the built-in values stray from IAPWS-IF97,
  // and nothing in the IAPWS standard.
  void StateFrameWarnsWhereTheBuiltInValuesStray() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "645.6");
    Type(w.PressureInput, "59200");
    QCOMPARE(w.DeviationText->text(), QString("differs from IAPWS-IF97 by up to 6.2 % here: enthalpy"));
    QVERIFY(w.DeviationText->isVisibleTo(&w));
    w.StandardItems[1]->trigger();
    QCOMPARE(w.DeviationText->text(), QString());
  }

  void BothFieldsGiveTheConditionOfTheState() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "300");
    Type(w.PressureInput, "101.325");

    QCOMPARE(w.ConditionText->text(), QString("Sub-cooled Liquid"));
    QCOMPARE(w.VarPropGrid->CellText(2, 0), QString("Liquid"));
    QCOMPARE(w.VarPropGrid->CellText(3, 0), QString());
    const QStringList names = Column(*w.VarPropGrid, 0);
    const int saturation = static_cast<int>(names.indexOf("Saturation Pressure"));
    const int boiling = static_cast<int>(names.indexOf("Boiling Point (@ pressure)"));
    QVERIFY(saturation > 0 && boiling > saturation);
    QCOMPARE(w.VarPropGrid->CellText(2, saturation), QString("3.5318"));
    QCOMPARE(w.VarPropGrid->CellText(2, boiling), QString("373.15"));
    CompareWithForm(*w.VarPropGrid, w.Form().VarPropGrid);
  }

  void LimitsAreReportedInTheErrorLabel_data() {
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("error");
    QTest::newRow("saturation temperature")
        << "700"
        << ""
        << "For saturation the temperature must be less than 647.29 Kelvin";
    QTest::newRow("range replaces saturation") << "1300"
                                               << ""
                                               << "Temperature must be between 166 and 1273.15 Kelvin";
    QTest::newRow("saturation pressure") << ""
                                         << "22090.01"
                                         << "For saturation the pressure must be less than 22090 kPa abs";
    QTest::newRow("both: temperature checked last") << "100"
                                                    << "200000"
                                                    << "Temperature must be between 166 and 1273.15 Kelvin";
    QTest::newRow("not a number: no message") << "1,5"
                                              << ""
                                              << "";
  }

  void LimitsAreReportedInTheErrorLabel() {
    QFETCH(QString, temperature);
    QFETCH(QString, pressure);
    QFETCH(QString, error);
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    if (!temperature.isEmpty()) Type(w.TemperatureInput, temperature);
    if (!pressure.isEmpty()) Type(w.PressureInput, pressure);

    QCOMPARE(w.FormError->text(), error);
    QVERIFY(w.FormError->wordWrap());
    QCOMPARE(w.FormError->alignment(), Qt::AlignCenter);
    QCOMPARE(w.TemperatureOutput->text(), QString());
    QCOMPARE(w.ConditionText->text(), QString());
    for (int r = 1; r < w.VarPropGrid->rowCount(); ++r) QCOMPARE(w.VarPropGrid->CellText(0, r), QString());
    QVERIFY(run.platform.messages.empty());
  }

  void TypingInTheMiddleKeepsTheCursor() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "273.15");
    w.TemperatureInput->setCursorPosition(0);
    QTest::keyClick(w.TemperatureInput, Qt::Key_1);
    QCOMPARE(w.TemperatureInput->text(), QString("1273.15"));
    QCOMPARE(w.TemperatureInput->cursorPosition(), 1);
    QCOMPARE(w.FormError->text(), QString("For saturation the temperature must be less than 647.29 Kelvin"));
    QTest::keyClick(w.TemperatureInput, Qt::Key_Backspace);
    QCOMPARE(w.TemperatureInput->text(), QString("273.15"));
    QCOMPARE(w.TemperatureInput->cursorPosition(), 0);
    QCOMPARE(w.FormError->text(), QString());
    QCOMPARE(w.TemperatureOutput->text(), QString("273.150 Kelvin"));
  }

  void WetSteamPageOnlyForSaturatedStates_data() {
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<bool>("usable");
    QTest::newRow("nothing typed") << ""
                                   << "" << false;
    QTest::newRow("saturated by temperature") << "373.15"
                                              << "" << true;
    QTest::newRow("saturated by pressure") << ""
                                           << "101.325" << true;
    QTest::newRow("sub-cooled liquid") << "300"
                                       << "101.325" << false;
    QTest::newRow("superheated vapour") << "500"
                                        << "101.325" << false;
  }

  void WetSteamPageOnlyForSaturatedStates() {
    QFETCH(QString, temperature);
    QFETCH(QString, pressure);
    QFETCH(bool, usable);
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    if (!temperature.isEmpty()) Type(w.TemperatureInput, temperature);
    if (!pressure.isEmpty()) Type(w.PressureInput, pressure);

    QCOMPARE(w.WetSteamInput->isEnabled(), usable);
    QCOMPARE(w.WetSteamLabel->isEnabled(), usable);
    QCOMPARE(w.WetPropGrid->isEnabled(), usable);
    QCOMPARE(w.WetSteamLabel->text(), QString("Steam Quality (% mass basis)"));
    QCOMPARE(w.WetSteamPossible->text(),
             usable ? QString() : QString("Wet Steam Calculations are only possible for saturated steam."));
    const QStringList headings = {"Property", "Units", "Liquid", "Vapour", "Wet St'm"};
    for (int c = 0; c < 5; ++c) QCOMPARE(w.WetPropGrid->CellText(c, 0), usable ? headings[c] : QString());
  }

  void QualityOutsideItsRangeIsRefused_data() {
    QTest::addColumn<QString>("quality");
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("beeps");
    QTest::newRow("100 accepted") << "100" << 0 << 0;
    QTest::newRow("above 100") << "100.01" << 1 << 0;
    QTest::newRow("negative") << "-0.01" << 1 << 0;
    QTest::newRow("not a number") << "x" << 0 << 1;
  }

  void QualityOutsideItsRangeIsRefused() {
    QFETCH(QString, quality);
    QFETCH(int, messages);
    QFETCH(int, beeps);
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    w.PageControl1->setCurrentIndex(kWetSteamPage);
    Paste(w.WetSteamInput, quality);

    QCOMPARE(w.WetSteamInput->text(), quality);  // a refused text stays in the field
    QCOMPARE(static_cast<int>(run.platform.messages.size()), messages);
    if (messages > 0)
      QCOMPARE(run.platform.messages.back(),
               std::string("Percentage Wet Steam can only be between 0% and 100%"));
    QCOMPARE(run.platform.beeps, beeps);
  }

  void CopyMenuPutsTheResultsOnTheClipboard() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");

    QGuiApplication::clipboard()->setText("what was there before");
    w.WithTabs1->trigger();
    QString tabs = QGuiApplication::clipboard()->text();
    QCOMPARE(tabs, QString::fromStdString(w.Form().ResultsTextWithTabs()));
    QVERIFY(
        tabs.startsWith("Tulo Calculation Results\r\nTemperature=\t373.150 Kelvin\r\n"
                        "Pressure=\t101.330 kPa abs\r\nCondition=\tSaturated Liquid and Vapour\r\n\r\n"
                        "Property\tUnits\tLiquid\tVapour\r\nEnthalpy\tkJ/kg\t"));
    QCOMPARE(tabs.count("\r\n"), 5 + 17);

    w.WithSpaces1->trigger();
    QString spaces = QGuiApplication::clipboard()->text();
    QCOMPARE(spaces, QString::fromStdString(w.Form().ResultsTextWithSpaces()));
    QVERIFY(spaces.contains("\r\nTemperature=" + QString(18, ' ') + "373.150 Kelvin\r\n"));
    QVERIFY(spaces.contains("\r\nMelting Point (@ pressure)    Kelvin       "));
  }

  void SteamSearchFindsTheStateShownAndChangesPage() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    w.PageControl1->setCurrentIndex(kSteamSearchPage);
    QCOMPARE(w.Form().ActivePage, static_cast<int>(kSteamSearchPage));

    QStringList properties, given;
    for (int i = 0; i < w.SearchComboBox->count(); ++i) properties << w.SearchComboBox->itemText(i);
    for (int i = 0; i < w.TempOrPressComboBox->count(); ++i) given << w.TempOrPressComboBox->itemText(i);
    QCOMPARE(properties, QStringList({"Enthalpy (kJ/kg)", "Entropy (kJ/kg.K)", "Density / Volume (kg/m3)"}));
    QCOMPARE(given, QStringList({"Temperature (Kelvin)", "Pressure (kPa abs)"}));
    QCOMPARE(w.TempOrPressBox->text(), QString("373.150"));
    QVERIFY(w.GoSearch->isEnabled());

    // Search with the preloaded boxes: the state shown is found again.
    QTest::mouseClick(w.GoSearch, Qt::LeftButton);
    QVERIFY(run.platform.messages.empty());
    bool saturated = w.ConditionText->text() == "Saturated Liquid and Vapour";
    int expected = saturated ? kWetSteamPage : kVariableResultsPage;
    QCOMPARE(w.PageControl1->currentIndex(), expected);
    QCOMPARE(w.Form().ActivePage, expected);
    QCOMPARE(w.TemperatureInput->text(), QString("373.15"));
    QVERIFY(!w.PressureInput->text().isEmpty());
    QCOMPARE(w.TemperatureOutput->text(), QString("373.150 Kelvin"));
  }

  void SearchWithATextThatIsNoNumberStaysOnThePage() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    w.PageControl1->setCurrentIndex(kSteamSearchPage);
    Paste(w.SearchBox, "abc");
    QCOMPARE(w.Form().SearchBox.text, std::string("abc"));
    QTest::mouseClick(w.GoSearch, Qt::LeftButton);
    QCOMPARE(run.platform.messages, std::vector<std::string>{"Invalid searching parameter."});
    QCOMPARE(w.PageControl1->currentIndex(), static_cast<int>(kSteamSearchPage));
    QCOMPARE(w.TemperatureInput->text(), QString("373.15"));
  }

  void SearchListsAndWetSteamCheckBoxFollowTheForm() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    QVERIFY(!w.GoSearch->isEnabled());  // nothing typed yet
    QVERIFY(!w.UseWetSteam->isEnabled());
    Type(w.TemperatureInput, "373.15");
    QVERIFY(w.UseWetSteam->isEnabled());
    w.PageControl1->setCurrentIndex(kSteamSearchPage);

    // Picking "Pressure" preloads the saturation pressure.
    w.TempOrPressComboBox->setFocus();
    QTest::keyClick(w.TempOrPressComboBox, Qt::Key_Down);
    QCOMPARE(w.Form().TempOrPressComboBox.itemIndex, 1);
    QCOMPARE(w.TempOrPressBox->text(), QString("101.330"));

    w.UseWetSteam->setFocus();
    QTest::keyClick(w.UseWetSteam, Qt::Key_Space);
    QVERIFY(w.Form().UseWetSteam.checked);
    QVERIFY(w.UseWetSteam->isChecked());
    // The click ran the input entry, which rebuilt the lists at their first entries.
    QCOMPARE(w.TempOrPressComboBox->currentIndex(), 0);
    QCOMPARE(w.TempOrPressBox->text(), QString("373.150"));
  }

  void ClearButtonEmptiesTheInputs() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    Type(w.PressureInput, "200");
    QTest::mouseClick(w.ClearInputs, Qt::LeftButton);
    QCOMPARE(w.TemperatureInput->text(), QString());
    QCOMPARE(w.PressureInput->text(), QString());
    QCOMPARE(w.WetSteamInput->text(), QString());
    QCOMPARE(w.FormError->text(), QString("Please enter either temperature or pressure or both."));
    QCOMPARE(w.ConditionText->text(), QString());
  }

  // The pair chooser beside the fields: P-h relabels and empties them; a pressure and an enthalpy
  // inside the dome give the wet state, its quality shown (not typed) on the wet-steam page.
  void ChoosingPressureAndEnthalpyRelabelsTheFields() {
    Running run;
    QVERIFY(run.Ok());
    gui::TMainProg& w = *run.main;
    Type(w.TemperatureInput, "373.15");
    QCOMPARE(w.InputPairComboBox->currentIndex(), 0);
    const int steps = w.InputPairComboBox->findText("Pressure and enthalpy");
    QVERIFY(steps > 0);
    w.InputPairComboBox->setFocus();
    for (int i = 0; i < steps; ++i) QTest::keyClick(w.InputPairComboBox, Qt::Key_Down);
    QCOMPARE(w.Form().ChosenPair(), InputPair::kPH);
    QCOMPARE(w.UnitT->text(), QString("Pressure (kPa abs)"));
    QCOMPARE(w.UnitP->text(), QString("Enthalpy (kJ/kg)"));
    QCOMPARE(w.TemperatureInput->text(), QString());
    QCOMPARE(w.ConditionText->text(), QString());
    Type(w.TemperatureInput, "1000");
    QCOMPARE(w.FormError->text(), QString("Please enter both pressure and enthalpy."));
    Type(w.PressureInput, "2000");
    QCOMPARE(w.FormError->text(), QString());
    QCOMPARE(w.ConditionText->text(), QString("Saturated Liquid and Vapour"));
    QCOMPARE(w.PressureOutput->text(), QString::fromStdString(w.Form().PressureOutput.caption));
    QVERIFY(w.PressureOutput->text().startsWith("1000.000"));
    const double quality = w.WetSteamInput->text().toDouble();
    QVERIFY2(quality > 55.0 && quality < 65.0, qPrintable(w.WetSteamInput->text()));
    QVERIFY(!w.WetSteamInput->isEnabled());
    CompareWithForm(*w.VarPropGrid, w.Form().VarPropGrid);
    CompareWithForm(*w.WetPropGrid, w.Form().WetPropGrid);
    QCOMPARE(w.WetPropGrid->CellText(4, 1).isEmpty(), false);
  }

  // A platform that cannot show help: the form's message, once per command. F1 asks for the
  // page's topic first, then falls back on the window's own.
  void HelpThatCannotBeShownSaysSo() {
    Running run;
    QVERIFY(run.Ok());
    const std::string notFound = "Help file \"tulowin.hlp\" not found.";
    run.main->Contents1->trigger();
    QCOMPARE(run.platform.helpOpened, std::vector<std::string>{"tulowin.hlp#125"});
    QCOMPARE(run.platform.messages, std::vector<std::string>{notFound});
    run.main->PageControl1->setCurrentIndex(kSteamSearchPage);
    QTest::keyClick(run.main.get(), Qt::Key_F1);
    const std::vector<std::string> asked = {"tulowin.hlp#125", "tulowin.hlp#128", "tulowin.hlp#125"};
    QCOMPARE(run.platform.helpOpened, asked);
    QCOMPARE(run.platform.messages, (std::vector<std::string>{notFound, notFound}));
  }
};

int RunMainWindowTests(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "MainWindowTest.moc"
