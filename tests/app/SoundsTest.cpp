#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSoundEffect>
#include <QtEndian>
#include <gtest/gtest.h>

#include "tests/MissingTool.h"

#include "app/Sounds.h"

using namespace zemra;

namespace {

// Everything Qt logs while one of these lives, instead of the console.
class MessageCatcher {
public:
    MessageCatcher()
    {
        s_messages.clear();
        m_previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { s_messages << text; });
    }
    ~MessageCatcher() { qInstallMessageHandler(m_previous); }
    QStringList messages() const { return s_messages; }

private:
    static inline QStringList s_messages;
    QtMessageHandler m_previous;
};

void processEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Wave {
    QString error; // empty when the file is a PCM WAVE file as we make them
    int channels = 0;
    int rate = 0;
    int bits = 0;
    QList<qint16> samples; // first channel
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

// Walks the RIFF chunks as any reader would, so a wrong length or a missing
// chunk shows up as an error rather than as noise.
Wave readWave(const QByteArray& bytes)
{
    Wave wave;
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        wave.error = QStringLiteral("not RIFF/WAVE");
        return wave;
    }
    if (u32(4) != static_cast<quint32>(bytes.size() - 8)) wave.error = QStringLiteral("RIFF length is not the file length");
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(at + 4);
        if (at + 8 + size > bytes.size()) {
            wave.error = QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id));
            return wave;
        }
        if (id == "fmt ") {
            if (u16(at + 8) != 1) wave.error = QStringLiteral("not PCM");
            wave.channels = u16(at + 10);
            wave.rate = static_cast<int>(u32(at + 12));
            wave.bits = u16(at + 22);
            haveFormat = true;
        } else if (id == "data" && haveFormat && wave.bits == 16 && wave.channels > 0) {
            const int frameBytes = 2 * wave.channels;
            if (size % frameBytes != 0) wave.error = QStringLiteral("data is not whole frames");
            for (qsizetype k = 0; k + frameBytes <= size; k += frameBytes)
                wave.samples << qFromLittleEndian<qint16>(bytes.constData() + at + 8 + k);
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat)
        wave.error = QStringLiteral("no fmt chunk");
    else if (wave.samples.isEmpty())
        wave.error = QStringLiteral("no 16-bit data");
    return wave;
}

int peak(const QList<qint16>& samples, qsizetype from, qsizetype to)
{
    int top = 0;
    for (qsizetype k = std::max<qsizetype>(0, from); k < std::min(to, samples.size()); ++k)
        top = std::max(top, std::abs(static_cast<int>(samples[k])));
    return top;
}

} // namespace

// Holds whether or not another test has touched Qt Multimedia before.
TEST(Sounds, PlayingIsSilentOnTheConsoleAndIgnoresUnknownNames)
{
    MessageCatcher catcher;
    for (const QString& name : soundNames())
        PlayResourceSound(name);
    for (const char* name : {"", "Ping", "play.wav", " Play", "../sounds/play", "Play\n"})
        PlayResourceSound(QString::fromUtf8(name));
    // A burst of stones, each cutting the last off.
    for (int k = 0; k < 20; ++k)
        PlayResourceSound(k % 2 ? QStringLiteral("take") : QStringLiteral("PLAY"));
    processEventsFor(300);
    EXPECT_TRUE(catcher.messages().isEmpty()) << catcher.messages().join(QLatin1Char('\n')).toStdString();
}

TEST(Sounds, NamesMatchWithoutRegardToCase)
{
    EXPECT_EQ(soundResourcePath(QStringLiteral("Play")), QStringLiteral(":/sounds/play.wav"));
    EXPECT_EQ(soundResourcePath(QStringLiteral("PLAY")), QStringLiteral(":/sounds/play.wav"));
    EXPECT_EQ(soundResourcePath(QStringLiteral("newgame")), QStringLiteral(":/sounds/newgame.wav"));
    EXPECT_EQ(soundResourcePath(QStringLiteral("rEqUeSt")), QStringLiteral(":/sounds/request.wav"));
    for (const char* name : {"", "Ping", "play.wav", " Play", "Play ", "New Game", "sounds/play"})
        EXPECT_TRUE(soundResourcePath(QString::fromUtf8(name)).isEmpty()) << name;
    EXPECT_EQ(soundNames(), (QStringList{"Play", "Take", "NewGame", "Cheer", "Info", "Online", "Offline", "Request"}));
}

TEST(Sounds, EveryClipIsAWaveFileOfAPlausibleLength)
{
    const struct {
        const char* name;
        double minSeconds, maxSeconds;
    } clips[] = {
        {"Play", 0.05, 0.2}, {"Take", 0.4, 1.2},   {"NewGame", 0.3, 2.0}, {"Cheer", 0.3, 2.0},
        {"Info", 0.2, 2.0},  {"Online", 0.3, 2.0}, {"Offline", 0.3, 2.0}, {"Request", 0.3, 2.0},
    };
    for (const auto& clip : clips) {
        SCOPED_TRACE(clip.name);
        QFile file(soundResourcePath(QString::fromLatin1(clip.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "not compiled into the program";
        const Wave wave = readWave(file.readAll());
        ASSERT_TRUE(wave.error.isEmpty()) << wave.error.toStdString();
        EXPECT_EQ(wave.bits, 16);
        EXPECT_GE(wave.rate, 11025);
        EXPECT_GE(wave.seconds(), clip.minSeconds);
        EXPECT_LE(wave.seconds(), clip.maxSeconds);
        // Audible, not clipped, and ending at rest so that a cut-off leaves no click.
        const int top = peak(wave.samples, 0, wave.samples.size());
        EXPECT_GT(top, 32767 / 4);
        EXPECT_LT(top, 32767);
        EXPECT_LT(std::abs(static_cast<int>(wave.samples.last())), 100);
    }
}

TEST(Sounds, StoneClipsAreShortAndTheTakeHasStonesFallingAfterTheClick)
{
    QFile play(soundResourcePath(QStringLiteral("Play")));
    QFile take(soundResourcePath(QStringLiteral("Take")));
    ASSERT_TRUE(play.open(QIODevice::ReadOnly) && take.open(QIODevice::ReadOnly));
    // Played on every move: small enough to start at once.
    EXPECT_LT(play.size(), 8 * 1024);
    EXPECT_LT(take.size(), 48 * 1024);

    const Wave wave = readWave(take.readAll());
    ASSERT_TRUE(wave.error.isEmpty());
    // The click is over within a tenth of a second; later knocks prove the
    // captured stones are heard, each starting from near silence.
    const qsizetype tenth = wave.rate / 10;
    const int click = peak(wave.samples, 0, tenth);
    int knocks = 0;
    bool quiet = false;
    for (qsizetype at = 2 * tenth; at < wave.samples.size(); at += wave.rate / 200) {
        const int level = peak(wave.samples, at, at + wave.rate / 200);
        if (level < click / 20)
            quiet = true;
        else if (quiet && level > click / 8) {
            ++knocks;
            quiet = false;
        }
    }
    EXPECT_GE(knocks, 3);
}

TEST(Sounds, QtMultimediaDecodesEveryClip)
{
    // Without an audio device Qt complains while loading; that is this test's
    // own business, so the complaints are caught here.
    MessageCatcher catcher;
    for (const QString& name : soundNames()) {
        QSoundEffect effect;
        effect.setSource(QUrl(QStringLiteral("qrc") + soundResourcePath(name)));
        QElapsedTimer timer;
        timer.start();
        while (effect.status() != QSoundEffect::Ready && effect.status() != QSoundEffect::Error && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (effect.status() == QSoundEffect::Error && name == soundNames().first())
            ZEMRA_SKIP_OR_FAIL_IN_CI("Qt Multimedia cannot load sounds on this machine");
        EXPECT_EQ(effect.status(), QSoundEffect::Ready) << name.toStdString();
    }
}
