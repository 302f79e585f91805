// The files that ship beside the program. Found by the real bytes of the
// program's path, so a folder whose name is not UTF-8 (an archive unpacked
// from another system) still works. They are read with readRegularFile
// (records/RecordFile.h), so a FIFO or a device in their place cannot hang
// the program.
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

// Whether path (as the system names it) is valid UTF-8, so that it can be
// written into a desktop entry or shown as it is.
bool isUtf8(const QByteArray& bytes);

} // namespace zemra
