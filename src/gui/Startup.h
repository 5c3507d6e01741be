#pragma once
// The start-up sequence: splash, main window with its creation handler, about box, units dialog.

#include <memory>

#include "app/DataFolder.h"
#include "app/PlatformServices.h"
#include "gui/MainProg.h"

namespace tulo::gui {

struct StartupOptions {
  // How long the splash stays at least; tests set 0.
  int splashMs = 2000;
};

// The options of a run: TULO_NO_SPLASH_DELAY=1 in the environment, or --no-splash-delay among the
// arguments, skips the splash's wait.
StartupOptions StartupOptionsFrom(const QStringList& arguments);

// Finds the data folder, applies the first-start rule (PrepareDataFolder) and makes the folder the
// working directory, where the configuration file is looked for. False when the program must end:
// the message has been shown.
bool EnterDataFolder(PlatformServices& platform, const DataFolderEnvironment& env);

// Runs the start-up up to the message loop. Returns the main window, not yet shown, with its
// about box and units dialog; nullptr when its creation failed (the message has been shown) and
// the program must end.
std::unique_ptr<TMainProg> StartUp(PlatformServices& platform, const StartupOptions& options);

}  // namespace tulo::gui
