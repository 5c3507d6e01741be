#include "gui/SaveFile.h"

namespace tulo::gui {

bool WriteAll(QSaveFile& file, const char* data, qint64 size, QString& error) {
  while (size > 0) {
    const qint64 n = file.write(data, size);
    if (n <= 0) {
      error = file.errorString();
      file.cancelWriting();
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& error) {
  QSaveFile file(path);
  // Unbuffered: each write reaches the system at once, and its failure comes back from it.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = file.errorString();
    return false;
  }
  if (!WriteAll(file, bytes.constData(), bytes.size(), error)) return false;
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace tulo::gui
