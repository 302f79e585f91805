// The files that ship beside the program. Found by the real bytes of the
// program's path, so a folder whose name is not UTF-8 (an archive unpacked
// from another system) still works, and read only when they are regular
// files, so a FIFO or a device in their place cannot hang the program.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zemra {

// The program's folder as the system names it, with a trailing '/'.
QByteArray programDirBytes();
// The program's full path as the system names it; empty when unknown.
QByteArray programPathBytes();

// The folder for display and for Qt file names, with a trailing '/'.
QString programDirText();

// The folders searched for a shipped file, in order: $ZEMRA_DATA_DIR, the
// program's folder, then ../share/zemra/ beside it (an installed copy).
QByteArray locateProgramFile(const QString& name);

// The whole file, when path names a regular file of at most maxBytes;
// nothing otherwise. Never blocks on a FIFO or device.
std::optional<QByteArray> readRegularFile(const QByteArray& path, qint64 maxBytes);

// Whether path (as the system names it) is valid UTF-8, so that it can be
// written into a desktop entry or shown as it is.
bool isUtf8(const QByteArray& bytes);

} // namespace zemra
