// Start-up: the order of the windows, the first screen, a start without configuration file, and
// the first start of an installed program in its data folder.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "gui/AboutBox.h"
#include "gui/MainProg.h"
#include "gui/SplashForm.h"
#include "gui/Startup.h"
#include "gui/UnitsSelect.h"

namespace tulo::guitest {
namespace {

template <class Window>
int CountTopLevel(bool visibleOnly) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<Window*>(w) && (!visibleOnly || w->isVisible())) ++n;
  return n;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void MissingConfigurationStopsBeforeTheMainWindow() {
    WorkDir dir;  // no tulodefw.dta here
    ScriptedPlatform platform;
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main == nullptr);
    // The bare name is looked for in the working folder, which the message names.
    const std::string path = QDir::current().absoluteFilePath("tulodefw.dta").toStdString();
    QCOMPARE(platform.messages, std::vector<std::string>{"Configuration File \"" + path +
                                                         "\" not found  -  Aborting\nA fresh one is made by: "
                                                         "tulo-calc --create-config \"" +
                                                         path + "\""});
    QCOMPARE(CountTopLevel<gui::TMainProg>(false), 0);
    QCOMPARE(CountTopLevel<gui::TSplashForm>(false), 0);
  }

  // As from the desktop menu: started in some other folder, the program works in
  // $XDG_DATA_HOME/tulo, made with a fresh file on the first start.
  void FirstStartMakesTheDataFolderAndOpens() {
    WorkDir dir;
    const QString xdg = QDir::currentPath() + "/xdg";
    const QString folder = xdg + "/tulo";
    QVERIFY(QDir().mkpath(QDir::currentPath() + "/elsewhere"));
    QDir::setCurrent(QDir::currentPath() + "/elsewhere");
    ScriptedPlatform platform;
    QVERIFY(gui::EnterDataFolder(platform, {std::nullopt, xdg.toStdString(), "/no/such/home"}));
    QCOMPARE(QDir::currentPath(), folder);
    QVERIFY(QFile::exists(folder + "/tulodefw.dta"));
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main != nullptr);
    QVERIFY(platform.messages.empty());
    QCOMPARE(main->UnitT->text(), QString("Temperature (Kelvin)"));
  }

  // A data folder made beforehand and left empty (mkdir data; TULO_DATA_DIR=data) is a first start.
  void EmptyDataFolderIsAFirstStart() {
    WorkDir dir;
    const QString folder = QDir::currentPath() + "/data";
    QVERIFY(QDir().mkpath(folder));
    ScriptedPlatform platform;
    QVERIFY(gui::EnterDataFolder(platform, {folder.toStdString(), std::nullopt, std::nullopt}));
    QCOMPARE(QDir::currentPath(), folder);
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main != nullptr);
    QVERIFY(platform.messages.empty());
    QCOMPARE(QFileInfo(folder + "/tulodefw.dta").size(), qint64{1032});
  }

  // Once the folder is there, a file that went missing or was damaged stops the program with the
  // message it gives today; the folder is entered and nothing is written.
  void LaterStartsKeepTheConfigurationMessages() {
    struct Case {
      const char* what;
      const char* content;  // nullptr: no file
      std::string message;  // after the file's quoted path
    };
    const Case cases[] = {
        {"missing", nullptr, " not found  -  Aborting\nA fresh one is made by: tulo-calc --create-config "},
        {"damaged", "short", " is too short (5 bytes, 1032 expected)  -  Aborting"},
    };
    for (const Case& c : cases) {
      WorkDir dir;
      const QString folder = QDir::currentPath() + "/data";
      QVERIFY(QDir().mkpath(folder));
      if (c.content) {
        QFile file(folder + "/tulodefw.dta");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(c.content);
      }
      QFile settings(folder + "/tulo-settings.ini");  // the folder is in use: not a first start
      QVERIFY(settings.open(QIODevice::WriteOnly));
      settings.close();
      ScriptedPlatform platform;
      QVERIFY2(gui::EnterDataFolder(platform, {folder.toStdString(), std::nullopt, std::nullopt}), c.what);
      QCOMPARE(QDir::currentPath(), folder);
      auto main = gui::StartUp(platform, {0});
      QVERIFY2(main == nullptr, c.what);
      // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a chain of + here.
      std::string quoted(1, '"');
      quoted.append((folder + "/tulodefw.dta").toStdString()).push_back('"');
      std::string message("Configuration File ");
      message.append(quoted).append(c.message);
      if (!c.content) message.append(quoted);
      QCOMPARE(platform.messages, std::vector<std::string>{message});
      QCOMPARE(QFile::exists(folder + "/tulodefw.dta"), c.content != nullptr);
      QCOMPARE(CountTopLevel<gui::TMainProg>(false), 0);
    }
  }

  void DataFolderThatCannotBeMadeStopsBeforeTheSplash() {
    WorkDir dir;
    const QString start = QDir::currentPath();
    QFile plain("plain");
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    ScriptedPlatform platform;
    QVERIFY(!gui::EnterDataFolder(platform, {std::nullopt, (start + "/plain").toStdString(), std::nullopt}));
    QCOMPARE(platform.messages.size(), std::size_t{1});
    QVERIFY(platform.messages[0].starts_with("Cannot create the data folder \"" + start.toStdString() +
                                             "/plain/tulo\""));
    QCOMPARE(QDir::currentPath(), start);
    QCOMPARE(CountTopLevel<gui::TSplashForm>(false), 0);
  }

  void StartUpCreatesTheWindowsAndDropsTheSplash() {
    WorkDir dir;
    QVERIFY(dir.CreateConfig());
    ScriptedPlatform platform;
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main != nullptr);
    QVERIFY(platform.messages.empty());
    QVERIFY(main->AboutBox() != nullptr);
    QVERIFY(main->UnitsDialog() != nullptr);
    QVERIFY(!main->AboutBox()->isVisible());
    QVERIFY(!main->UnitsDialog()->isVisible());
    QCOMPARE(CountTopLevel<gui::TSplashForm>(false), 0);
    QCOMPARE(QApplication::applicationName(), QString("TULO For Windows"));

    // Until the window is first activated, the input entry has not run.
    QCOMPARE(main->FormError->text(), QString());
    QVERIFY(ShowActive(*main));
    QCOMPARE(main->FormError->text(), QString("Please enter either temperature or pressure or both."));
    QCOMPARE(main->windowTitle(), QString("TULO for Windows"));
    QCOMPARE(main->UnitT->text(), QString("Temperature (Kelvin)"));
    QCOMPARE(main->UnitP->text(), QString("Pressure (kPa abs)"));
    QVERIFY(main->UnitT->font().bold());
    QCOMPARE(main->PageControl1->currentIndex(), 0);
    QCOMPARE(main->VarPropGrid->CellText(0, 0), QString("Property"));
    QCOMPARE(main->VarPropGrid->CellText(1, 0), QString("Units"));
    QCOMPARE(main->WetSteamInput->text(), QString("0"));
    QVERIFY(main->width() >= 522 && main->height() >= 409);
    QVERIFY(!(main->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(main->windowFlags() & Qt::WindowMinimizeButtonHint);
  }

  void PagesAndMenusAreThoseOfTheProgram() {
    WorkDir dir;
    QVERIFY(dir.CreateConfig());
    ScriptedPlatform platform;
    auto main = gui::StartUp(platform, {0});
    QVERIFY(main != nullptr);
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));

    const QStringList pages = {"&Variable Results", "Fixed &Properties", "&Steam Search", "&Wet Steam"};
    QCOMPARE(main->PageControl1->count(), 4);
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(main->PageControl1->tabText(i), pages[i]);
      QCOMPARE(main->TabSet1->tabText(i), pages[i]);
    }
    QVERIFY(!main->TabSet1->isVisible());

    struct Entry {
      QString title;
      QStringList items;  // empty: a command on the bar itself
    };
    const std::vector<Entry> menus = {
        {"&File", {"&Tables...", "&Processes...", "State &list", "&Add to state list", "", "E&xit"}},  // "": the separator
        {"&Copy Results", {"With Tabs (for spreadsheets)", "With Spaces (for text files)"}},
        {"&Units", {}},
        {"&Standard", {"Built-in correlations", "IAPWS-IF97", "IAPWS-95"}},
        {"&Diagrams", {"&T-s Diagram", "&h-s (Mollier) Diagram", "&P-h Diagram", "P-T Diagra&m"}},
        {"&Help", {"&Contents", "&About..."}}};
    const QList<QAction*> bar = main->menuBar()->actions();
    QCOMPARE(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t i = 0; i < menus.size(); ++i) {
      QCOMPARE(bar[i]->text(), menus[i].title);
      QStringList items;
      if (bar[i]->menu())
        for (QAction* item : bar[i]->menu()->actions()) items << item->text();
      QCOMPARE(items, menus[i].items);
      QCOMPARE(bar[i]->menu() == nullptr, menus[i].items.isEmpty());
    }
    QCOMPARE(main->Exit1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));

    // The "&Units" command opens the dialog at once.
    main->CustomUnits1->trigger();
    QVERIFY(main->UnitsDialog()->isVisible());
    QCOMPARE(main->UnitsDialog()->windowTitle(), QString("Select Units"));
  }

  void SplashLooksAsDrawnAndWaitsForItsTimer() {
    gui::TSplashForm splash;
    QCOMPARE(splash.size(), QSize(gui::TSplashForm::kWidth, gui::TSplashForm::kHeight));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QStringList texts;
    for (QLabel* label : splash.findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("FOR WINDOWS"));
    QVERIFY(texts.contains("Loading..."));
    splash.ShowAndPaint();
    QVERIFY(splash.isVisible());
    splash.WaitForTimer(1);
    QVERIFY(!splash.Timer1.isActive());  // Timer1Timer stopped it
  }
};

int RunStartupTests(int argc, char** argv) {
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "StartupTest.moc"
