// Opening a record file by the path the window gives: only regular files,
// read whole, then handed to the reader its ending names.
#pragma once

#include <QByteArray>
#include <QString>

#include "records/GameRecord.h"

namespace zemra {

// Largest record accepted; real records are a few hundred kilobytes at most.
inline constexpr qint64 MaxRecordBytes = 64 * 1024 * 1024;

// Reads a regular file of at most maxBytes. On failure returns a Chinese
// sentence naming the file and the reason, and leaves bytes empty. Never
// blocks on a FIFO or device: those are refused before opening.
QString readRegularFile(const QString& path, QByteArray& bytes, qint64 maxBytes = MaxRecordBytes);

ReadOutcome ReadingSGFFile(const QString& path);
ReadOutcome ReadingGIBFile(const QString& path);

// By the path's ending in any case: ".sgf" or ".gib"; any other is refused.
ReadOutcome readRecordFile(const QString& path);

} // namespace zemra
