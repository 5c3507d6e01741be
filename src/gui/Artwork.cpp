#include "gui/Artwork.h"

namespace tulo::gui {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString ResourceName(int size) {
  return QString(":/tulo/tulo-%1.png").arg(size);
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : kSizes) icon.addFile(ResourceName(size), QSize(size, size));
  return icon;
}

// Drawn from the nearest larger export, so that small pictures stay sharp.
QPixmap ProgramPicture(int size) {
  for (int drawn : kSizes) {
    if (drawn >= size) {
      QPixmap picture(ResourceName(drawn));
      if (drawn == size) return picture;
      return picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
  }
  return QPixmap(ResourceName(256)).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace tulo::gui
