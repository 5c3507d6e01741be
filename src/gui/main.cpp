// tulo: the desktop program. It works in its data folder (TULO_DATA_DIR, else $XDG_DATA_HOME/tulo,
// else ~/.local/share/tulo), which must hold tulodefw.dta unless the folder is new.

#include <QApplication>

#include "gui/MainProg.h"
#include "gui/QtPlatform.h"
#include "gui/ScreenshotRun.h"
#include "gui/Startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Ties the window to the installed desktop entry (its icon and name on Wayland).
  QApplication::setDesktopFileName("com.example.tulo");
  tulo::gui::QtPlatform platform;
  if (!tulo::gui::EnterDataFolder(platform, tulo::ProcessDataFolderEnvironment())) return 1;
  auto main = tulo::gui::StartUp(platform, tulo::gui::StartupOptionsFrom(QApplication::arguments()));
  if (!main) return 1;
  main->show();
  QString screenshots = qEnvironmentVariable("TULO_SCREENSHOT_DIR");
  if (!screenshots.isEmpty()) tulo::gui::StartScreenshotRun(*main, screenshots);
  return app.exec();
}
