// tulo: the desktop program. Start-up in the working directory, which must hold tulodefw.dta.

#include <QApplication>

#include "gui/MainProg.h"
#include "gui/QtPlatform.h"
#include "gui/ScreenshotRun.h"
#include "gui/Startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tulo::gui::QtPlatform platform;
  auto main = tulo::gui::StartUp(platform, tulo::gui::StartupOptionsFrom(QApplication::arguments()));
  if (!main) return 1;
  main->show();
  QString screenshots = qEnvironmentVariable("TULO_SCREENSHOT_DIR");
  if (!screenshots.isEmpty()) tulo::gui::StartScreenshotRun(*main, screenshots);
  return app.exec();
}
