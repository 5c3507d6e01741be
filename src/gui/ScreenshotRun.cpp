#include "gui/ScreenshotRun.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "gui/AboutBox.h"
#include "gui/DiagramWindow.h"
#include "gui/HelpWindow.h"
#include "gui/MainProg.h"
#include "gui/SaveFile.h"
#include "gui/SplashForm.h"
#include "gui/TablesWindow.h"
#include "gui/UnitsSelect.h"

namespace tulo::gui {
namespace {

// Typed key by key, as the user would.
void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, c.unicode(), Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
    QApplication::sendEvent(field, &release);
  }
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
  QString path = folder.filePath(name);
  QBuffer png;
  png.open(QIODevice::WriteOnly);
  QString error = "cannot encode the PNG image";
  const bool saved = widget.grab().save(&png, "PNG") && WriteFileWhole(path, png.data(), error);
  if (saved) {
    std::fprintf(stderr, "saved %s\n", qPrintable(path));
  } else {
    std::fprintf(stderr, "could not save %s: %s\n", qPrintable(path), qPrintable(error));
  }
  return saved;
}

// Each chart with steam at 300 degrees Celsius and 10 atm marked; then 100 degrees alone again.
bool SaveDiagrams(TMainProg& main, const QDir& folder) {
  bool ok = true;
  main.ClearInputs->click();
  Type(main.TemperatureInput, "300");
  Type(main.PressureInput, "10");
  Settle();
  for (DiagramKind kind : kDiagramKinds) {
    main.OpenDiagram(kind);
    Settle();
    ok = Save(*main.Diagram(), folder,
              QString("diagram-%1.png").arg(QString::fromStdString(std::string(DiagramKindKey(kind))))) &&
         ok;
  }
  main.Diagram()->close();
  main.ClearInputs->click();
  Type(main.TemperatureInput, "100");
  Settle();
  return ok;
}

void Run(TMainProg& main, const QDir& folder) {
  bool ok = true;
  // European units (Celsius, atm), picked in the units dialog, then 100 degrees typed.
  TUnitsSelect& units = *main.UnitsDialog();
  units.ShowModeless();
  units.Form().SelectOverall(4);
  Settle();
  ok = Save(units, folder, "units-dialog.png") && ok;
  units.UnitsOk->click();
  Settle();
  Type(main.TemperatureInput, "100");
  Settle();
  const char* pages[] = {"main-window.png", "page-fixed-properties.png", "page-steam-search.png",
                         "page-wet-steam.png"};
  for (int page = 0; page < 4; ++page) {
    main.PageControl1->setCurrentIndex(page);  // through the form, as a click on the tab
    Settle();
    ok = Save(main, folder, pages[page]) && ok;
  }
  main.PageControl1->setCurrentIndex(0);
  // File > Tables...: a saturation table from 0 to 200 Celsius in steps of 10, in the same units.
  main.Tables1->trigger();
  Settle();
  if (TablesWindow* tables = main.Tables()) {
    tables->Kind->setCurrentIndex(0);
    Type(tables->From, "0");
    Type(tables->To, "200");
    Type(tables->Step, "10");
    tables->Compute->click();
    Settle();
    ok = Save(*tables, folder, "tables-window.png") && ok;
    tables->close();
  } else {
    ok = false;
  }
  ok = SaveDiagrams(main, folder) && ok;
  // F1 on the Variable Results page: the help window, which the platform owns, at its page.
  main.PageHelp1->trigger();
  Settle();
  HelpWindow* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible()) help = h;
  ok = (help && Save(*help, folder, "help-window.png")) && ok;
  if (help) help->close();
  TSplashForm splash;
  ok = Save(splash, folder, "splash.png") && ok;
  main.AboutBox()->ShowModeless();
  Settle();
  ok = Save(*main.AboutBox(), folder, "about-box.png") && ok;
  QApplication::exit(ok ? 0 : 1);
}

}  // namespace

void StartScreenshotRun(TMainProg& main, const QString& folder) {
  QDir dir(folder);
  dir.mkpath(".");
  // After the first activation has run the input entry.
  QTimer::singleShot(300, &main, [&main, dir] { Run(main, dir); });
}

}  // namespace tulo::gui
