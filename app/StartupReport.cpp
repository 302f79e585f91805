#include "app/StartupReport.h"

#include <QFile>
#include <cstdio>

#include "app/JpegImage.h"
#include "app/Sounds.h"

namespace zemra {

bool startupReportRequested()
{
    return !qEnvironmentVariableIsEmpty("ZEMRA_STARTUP_REPORT");
}

QStringList startupReport(const std::function<QString(const QString& name)>& dataFile)
{
    QStringList lines;
    auto add = [&lines](bool found, const QString& name, const QString& path) {
        lines << (found ? QStringLiteral("found ") : QStringLiteral("missing ")) + name + QLatin1Char(' ') + path;
    };
    for (const QString& name : {QStringLiteral("ImageBlack.jpg"), QStringLiteral("ImageWhite.jpg")}) {
        const QString path = dataFile(name);
        add(!decodeJpegFile(QFile::encodeName(path)).isNull(), name, path);
    }
    for (const QString& name : {QStringLiteral("SGF.ico"), QStringLiteral("GIB.ico")}) {
        const QString path = dataFile(name);
        add(QFile::exists(path), name, path);
    }
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
