#include "app/StartupReport.h"

#include <QFile>
#include <cstdio>

#include "app/JpegImage.h"
#include "app/NetworkMode.h"
#include "app/NetworkModule.h"
#include "records/RecordFile.h"
#include "app/SoundOutput.h"
#include "app/Sounds.h"

namespace zemra {

bool startupReportRequested()
{
    return !qEnvironmentVariableIsEmpty("ZEMRA_STARTUP_REPORT");
}

QStringList startupReport(const std::function<QByteArray(const QString& name)>& locate)
{
    QStringList lines;
    auto add = [&lines](bool found, const QString& name, const QString& path) {
        lines << (found ? QStringLiteral("found ") : QStringLiteral("missing ")) + name + QLatin1Char(' ') + path;
    };
    for (const QString& name : {QStringLiteral("ImageBlack.jpg"), QStringLiteral("ImageWhite.jpg")}) {
        const QByteArray path = locate(name);
        add(!decodeJpegFile(path).isNull(), name, QFile::decodeName(path));
    }
    for (const QString& name : {QStringLiteral("SGF.ico"), QStringLiteral("GIB.ico")}) {
        const QByteArray path = locate(name);
        add(readRegularFile(path, 16 * 1024 * 1024).has_value(), name, QFile::decodeName(path));
    }
    const QByteArray soundOutput = soundOutputPath();
    add(!soundOutput.isEmpty(), QStringLiteral(ZEMRA_SOUND_MODULE), QFile::decodeName(soundOutput));
    const QByteArray network = networkModulePath();
    add(!network.isEmpty(), QStringLiteral(ZEMRA_NETWORK_MODULE), QFile::decodeName(network));
    for (const QString& sound : soundNames()) {
        const QString path = soundResourcePath(sound);
        add(QFile::exists(path), sound, path);
    }
    return lines;
}

void printStartupReport(const QStringList& lines)
{
    for (const QString& line : lines)
        std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace zemra
