// The sound output, built as a module of its own that the program loads on
// the first sound it plays: Qt Multimedia and the audio and codec libraries
// under it (PulseAudio, libsndfile, FLAC, Vorbis, Opus, MP3...) then cost
// nothing at start-up, in time or in memory.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QHash>
#include <QMediaDevices>
#include <QObject>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include "app/SoundOutput.h"

namespace {

// Qt's PulseAudio backend warns when it finds no sound server, which is the
// normal state of a build machine; the answer "no outputs" says it all.
QtMessageHandler previousHandler = nullptr;

void dropAudioBackendNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("PulseAudioService:"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

bool audioOutputExists()
{
    previousHandler = qInstallMessageHandler(dropAudioBackendNoise);
    const bool exists = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    return exists;
}

// One effect per clip, made on its first use. Parented to the application
// so they go before the audio backend does.
class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent) : QObject(parent) {}

    void play(const QString& path)
    {
        QSoundEffect*& effect = m_effects[path];
        if (!effect) {
            effect = new QSoundEffect(this);
            effect->setSource(QUrl(QLatin1String("qrc") + path));
        }
        if (m_current) m_current->stop();
        m_current = effect;
        // Plays as soon as the clip is loaded; the first time that is a moment later.
        effect->play();
    }

private:
    QHash<QString, QSoundEffect*> m_effects;
    QPointer<QSoundEffect> m_current;
};

} // namespace

extern "C" Q_DECL_EXPORT bool ZEMRA_SOUND_ENTRY(const QString& resourcePath)
{
    auto* app = QCoreApplication::instance();
    if (!app) return true;
    // Decided once per run: probing the backend again on every stone would
    // cost a connection attempt each time on a machine without sound.
    static const bool canPlay = audioOutputExists();
    if (!canPlay) return false;

    static QPointer<SoundPlayer> player;
    if (!player) player = new SoundPlayer(app);
    player->play(resourcePath);
    return true;
}
