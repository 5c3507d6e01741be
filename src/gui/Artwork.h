#pragma once
// The program's icon and picture, from the resource file.

#include <QIcon>
#include <QPixmap>

namespace tulo::gui {

// The window icon, in every size drawn.
QIcon ProgramIcon();
// The picture of the splash, the about box and the main window, `size` pixels square.
QPixmap ProgramPicture(int size);

}  // namespace tulo::gui
