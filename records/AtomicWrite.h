// The one way every save writes a file: the whole content goes to a new file
// beside the target, is forced to the disk, and only then takes the target's
// name. A full disk or any other failure on the way leaves the old file as it
// was, byte for byte, and no temporary file behind.
#pragma once

#include <QByteArray>
#include <QString>

namespace zemra {

// Replaces the file at path with bytes. Every write, the sync and the close
// are checked; a symbolic link is followed so the link itself stays, and a
// file that was there keeps its permission bits (a new one gets 0666 less the
// umask). Returns "" when the new content is in place, otherwise the system's
// words for why not (for a full disk "No space left on device").
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace zemra
