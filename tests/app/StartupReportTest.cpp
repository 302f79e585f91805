// The start-up report of an installed tree: what it calls found is what the
// program can really use.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/StartupReport.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

TEST(StartupReportTest, FindsTheShippedFilesAndNamesTheMissingOnes)
{
    QString shipped = qEnvironmentVariable("ZEMRA_DATA_DIR");
    if (shipped.isEmpty()) shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    shipped = QDir(shipped).absolutePath() + QLatin1Char('/');
    const QStringList found = startupReport([&](const QString& name) { return QFile::encodeName(shipped + name); });
    EXPECT_EQ(found.size(), 14); // two pictures, two icons, the two modules, eight sounds
    for (const QString& line : found)
        EXPECT_TRUE(line.startsWith(QStringLiteral("found "))) << line.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("found ImageBlack.jpg ") + shipped + QStringLiteral("ImageBlack.jpg")));

    // A picture that does not decode is as good as missing.
    QTemporaryDir dir;
    QFile broken(dir.filePath(QStringLiteral("ImageWhite.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a jpeg");
    broken.close();
    const QStringList report = startupReport([&](const QString& name) { return QFile::encodeName(dir.filePath(name)); });
    EXPECT_TRUE(report.contains(QStringLiteral("missing ImageWhite.jpg ") + dir.filePath(QStringLiteral("ImageWhite.jpg"))));
    EXPECT_TRUE(report.contains(QStringLiteral("missing SGF.ico ") + dir.filePath(QStringLiteral("SGF.ico"))));
    EXPECT_TRUE(report.contains(QStringLiteral("found Play :/sounds/play.wav"))) << report.join('\n').toStdString();
}

} // namespace
} // namespace zemra
