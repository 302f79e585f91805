#include "app/Sounds.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

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
// players live until the application object goes. Opened by the path's own
// bytes, so a program folder whose name is not UTF-8 still finds it.
SoundOutput loadSoundOutput()
{
    QList<QByteArray> dirs;
    const QByteArray fromEnv = qgetenv("ZEMRA_DATA_DIR");
    if (!fromEnv.isEmpty()) dirs << fromEnv + '/';
    dirs << programDirBytes() << programDirBytes() + "../lib/zemra/";
    for (const QByteArray& dir : dirs) {
        const QByteArray path = dir + ZEMRA_SOUND_MODULE;
        void* module = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        if (auto play = reinterpret_cast<PlayFunction>(::dlsym(module, QT_STRINGIFY(ZEMRA_SOUND_ENTRY))))
            return {path, play};
        ::dlclose(module);
    }
    return {};
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
