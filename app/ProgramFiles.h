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

// A module of the program (zemra-sound.so, zemra-network.so) opened and its
// entry found: searched in $ZEMRA_DATA_DIR, the program's folder, then
// ../lib/zemra/ beside it (an installed copy). Never closed again.
struct ProgramModule {
    QByteArray path;       // where it was loaded from; empty when it was not
    void* entry = nullptr; // the entry function; null when it was not loaded
    QString problem;       // why not, from the system's loader
};
ProgramModule openProgramModule(const char* fileName, const char* entryName);

// The bytes of a path that Qt gives as text (a file dialog's choice, a
// shipped file's place). Qt shows a name that is not UTF-8 (from an archive
// made on Windows) with replacement characters and cannot open it by that
// text; each such part is found among its folder's entries by the way Qt
// shows their names. The text's own bytes when nothing matches. Throws
// std::runtime_error, naming the candidates, when several entries of one
// folder look the same and the choice cannot be told apart.
QByteArray systemPath(const QString& path);

// Whether path (as the system names it) is valid UTF-8, so that it can be
// written into a desktop entry or shown as it is.
bool isUtf8(const QByteArray& bytes);

} // namespace zemra
