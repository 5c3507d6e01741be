#pragma once
// The screenshot run: with TULO_SCREENSHOT_DIR set, the program types a state into the shown
// main window, saves a picture of the window on each page, of the two dialogs, of the help window
// and of the splash into that folder, and quits. It drives the window the way a user would, through its widgets.

#include <QString>

namespace tulo::gui {

class TMainProg;

// Schedules the run on the event loop; the program quits when it is done.
void StartScreenshotRun(TMainProg& main, const QString& folder);

}  // namespace tulo::gui
