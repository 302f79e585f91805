#include "app/Sounds.h"

#include <QCoreApplication>

#include "app/ProgramFiles.h"
#include "app/SoundOutput.h"

namespace zemra {

namespace {

using PlayFunction = bool (*)(const QString&);

struct SoundOutput {
    QByteArray path; // where the module was loaded from
    PlayFunction play = nullptr;
};

// The sound-output module, loaded on the first sound. Never unloaded: its
// players live until the application object goes.
SoundOutput loadSoundOutput()
{
    const ProgramModule module = openProgramModule(ZEMRA_SOUND_MODULE, QT_STRINGIFY(ZEMRA_SOUND_ENTRY));
    return {module.path, reinterpret_cast<PlayFunction>(module.entry)};
}

const SoundOutput& soundOutput()
{
    static const SoundOutput output = loadSoundOutput();
    return output;
}

} // namespace

const QStringList& soundNames()
{
    static const QStringList names{QStringLiteral("Play"),    QStringLiteral("Take"),   QStringLiteral("NewGame"),
                                   QStringLiteral("Cheer"),   QStringLiteral("Info"),   QStringLiteral("Online"),
                                   QStringLiteral("Offline"), QStringLiteral("Request")};
    return names;
}

QString soundResourcePath(const QString& name)
{
    for (const QString& known : soundNames()) {
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return QStringLiteral(":/sounds/") + known.toLower() + QStringLiteral(".wav");
    }
    return {};
}

void PlayResourceSound(const QString& name)
{
    const QString path = soundResourcePath(name);
    auto* app = QCoreApplication::instance();
    if (path.isEmpty() || !app) return;

    // Without the module or an audio output the program is silent, as
    // before; once the output says there is none it is not asked again.
    static bool silent = false;
    if (silent) return;
    const PlayFunction play = soundOutput().play;
    if (!play || !play(path)) silent = true;
}

QByteArray soundOutputPath()
{
    return soundOutput().path;
}

} // namespace zemra
