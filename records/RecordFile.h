// Opening a record file by the path the window gives: only regular files,
// read whole, then handed to the reader its ending names.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "records/GameRecord.h"

namespace zemra {

// Largest record accepted; real records are a few hundred kilobytes at most.
inline constexpr qint64 MaxRecordBytes = 64 * 1024 * 1024;

// One read of a whole regular file by the path's own bytes (a folder whose
// name is not UTF-8 still works). Never blocks on a FIFO or device: the
// file is opened without waiting and refused unless it is regular.
struct RegularFileRead {
    enum class Status { Read, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Missing;
    QByteArray bytes;    // the whole file when Read
    qint64 size = 0;     // the file's size when TooLarge
    QString systemError; // the system's words when Unreadable
};
RegularFileRead readRegularFileBytes(const QByteArray& path, qint64 maxBytes);

// The whole file, when path names a regular file of at most maxBytes;
// nothing otherwise.
std::optional<QByteArray> readRegularFile(const QByteArray& path, qint64 maxBytes);

// Reads a regular file of at most maxBytes. On failure returns a Chinese
// sentence naming the file and the reason, and leaves bytes empty.
QString readRegularFile(const QString& path, QByteArray& bytes, qint64 maxBytes = MaxRecordBytes);

ReadOutcome ReadingSGFFile(const QString& path);
ReadOutcome ReadingGIBFile(const QString& path);

// By the path's ending in any case: ".sgf" or ".gib"; any other is refused.
ReadOutcome readRecordFile(const QString& path);
// The same by the path's own bytes, as the command line and the system give
// them: a name that is not UTF-8 (from an archive made on Windows) still
// opens, and messages show it as displayPath does.
ReadOutcome readRecordFile(const QByteArray& path);

// A path as the system names it, for the user's eyes: each part as UTF-8
// when it is UTF-8, otherwise as GBK.
QString displayPath(const QByteArray& path);

} // namespace zemra
