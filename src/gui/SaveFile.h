#pragma once
// Files the windows and tulo-calc's diagrams write: whole or not at all. QSaveFile writes into a
// new file beside the old one and renames it over the old one only on commit, when every byte is
// written and flushed. A symbolic link the user named is followed and its target replaced (the
// link stays), QSaveFile's own rule.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace tulo::gui {

// Appends every byte to an open file, or fails with the system's reason in `error`. QFile takes a
// write that stopped short (a disk filling up) as done and keeps no error, so the rest is written
// again until the system refuses and says why.
bool WriteAll(QSaveFile& file, const char* data, qint64 size, QString& error);

// Writes `bytes` as the whole content of `path`; false with the system's reason in `error`, the
// old file then left as it was.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& error);

}  // namespace tulo::gui
