#include "gui/Startup.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

#include "gui/AboutBox.h"
#include "gui/Artwork.h"
#include "gui/SplashForm.h"
#include "gui/UnitsSelect.h"

namespace tulo::gui {

StartupOptions StartupOptionsFrom(const QStringList& arguments) {
  StartupOptions options;
  if (qEnvironmentVariable("TULO_NO_SPLASH_DELAY") == "1" || arguments.contains("--no-splash-delay"))
    options.splashMs = 0;
  return options;
}

bool EnterDataFolder(PlatformServices& platform, const DataFolderEnvironment& env) {
  const std::filesystem::path folder = DataFolder(env);
  DataFolderResult result = PrepareDataFolder(folder);
  if (result.outcome == DataFolderOutcome::kFailed) {
    platform.ShowMessage(result.errorText);
    return false;
  }
  if (!QDir::setCurrent(QString::fromStdString(folder.string()))) {
    platform.ShowMessage("Cannot enter the data folder \"" + folder.string() + "\"  -  Aborting");
    return false;
  }
  return true;
}

std::unique_ptr<TMainProg> StartUp(PlatformServices& platform, const StartupOptions& options) {
  auto splash = std::make_unique<TSplashForm>();
  splash->ShowAndPaint();
  splash->WaitForTimer(options.splashMs);

  // The application title; the display name is left alone, as Qt would append it to every caption.
  QApplication::setApplicationName("TULO For Windows");
  QApplication::setWindowIcon(ProgramIcon());
  auto main = std::make_unique<TMainProg>(platform);
  if (!main->Initialised()) return nullptr;  // the splash goes with this scope
  auto* about = new TAboutBox(*main, platform);
  auto* units = new TUnitsSelect(*main);
  main->AttachDialogs(about, units);

  splash->hide();
  splash.reset();
  return main;
}

}  // namespace tulo::gui
