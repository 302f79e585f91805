// The program's eight sound clips, compiled in as Qt resources and played
// with Qt Multimedia through a module loaded on the first sound. Callers
// check StoneSoundOn / InfoSoundOn themselves.
#pragma once

#include <QString>
#include <QStringList>

namespace zemra {

// The clip names as the callers spell them: "Play", "Take", "NewGame",
// "Cheer", "Info", "Online", "Offline", "Request".
const QStringList& soundNames();

// The resource path of a clip, ":/sounds/play.wav", matching the name
// without regard to case; empty for any other name.
QString soundResourcePath(const QString& name);

// Starts the named clip and returns at once, cutting off the one still
// playing. An unknown name does nothing. Qt Multimedia is loaded only on the
// first call; on a machine without an audio output (or without the module)
// nothing is ever played and nothing is printed.
void PlayResourceSound(const QString& name);

// Where the sound-output module was loaded from (loading it if need be);
// empty when it was not found.
QByteArray soundOutputPath();

} // namespace zemra
