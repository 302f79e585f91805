// File associations against a temporary home: the files written, what the
// real xdg-utils, shared-mime-info, desktop-file-utils and GIO make of them,
// associating twice, removing, and folders that cannot be written.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <unistd.h>

#include "app/Associations.h"
#include "tests/MissingTool.h"
#include "tests/app/LogTestUtil.h"
#include "tests/records/FileSizeLimit.h"

namespace zemra {
namespace {

// The build copies SGF.ico and GIB.ico beside the program, two folders above
// the test when ZEMRA_DATA_DIR does not say.
QString shippedDataFile(const QString& name)
{
    QString dir = qEnvironmentVariable("ZEMRA_DATA_DIR");
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    return dir + QLatin1Char('/') + name;
}

bool installed(const char* program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// Everything under a folder, sorted: "path/" for folders, "path md5" for files.
using Tree = QStringList;

Tree snapshot(const QString& root, const QSet<QString>& generated = {})
{
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(root).relativeFilePath(path);
        bool skip = false;
        for (const QString& g : generated)
            skip = skip || rel == g || rel.startsWith(g + QLatin1Char('/'));
        if (skip) continue;
        tree << (it.fileInfo().isDir()
                     ? rel + QLatin1Char('/')
                     : rel + QLatin1Char(' ') +
                           QString::fromLatin1(QCryptographicHash::hash(readAll(path), QCryptographicHash::Md5).toHex()));
    }
    tree.sort();
    return tree;
}

// What update-mime-database and update-desktop-database make: the whole mime
// folder but its packages, which the tool needs to stay, and the desktop cache.
const QSet<QString> GeneratedDatabases{QStringLiteral("data/mime"), QStringLiteral("data/applications/mimeinfo.cache")};

class AssociationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        root = home.path();
        paths = {root + QStringLiteral("/data"), root + QStringLiteral("/config")};
    }

    // Refresh commands are recorded, not run, unless a test says otherwise;
    // then they run to their end in the test's own surroundings.
    FileAssociations make(const QString& program = QStringLiteral("/opt/zemra/bin/zemra"), bool realTools = false)
    {
        FileAssociations a(paths, program, shippedDataFile);
        a.onError = [this](const QString& m) { errors << m; };
        if (realTools)
            a.runTool = [this](const QString& p, const QStringList& args) { run(p, args); };
        else
            a.runTool = [this](const QString& p, const QStringList& args) { tools << p + QLatin1Char(' ') + args.join(' '); };
        return a;
    }

    QProcessEnvironment cleanEnvironment() const
    {
        // No desktop named: xdg-mime takes its generic, file-based path. The
        // system folders are the test's own, so another Go program installed
        // on this machine cannot answer for the type.
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), root);
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), paths.dataHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), paths.configHome);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), system.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), system.path() + QStringLiteral("/config"));
        return env;
    }

    QString run(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(cleanEnvironment());
        p.start(program, args);
        if (!p.waitForFinished(30000)) return QStringLiteral("<timeout>");
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir home;
    QTemporaryDir system;
    QString root;
    DesktopPaths paths;
    QStringList errors;
    QStringList tools;
};

TEST(DesktopPathsTest, FollowTheBaseDirectoryRules)
{
    struct Row {
        const char* dataHome;
        const char* configHome;
        const char* wantData;
        const char* wantConfig;
    };
    const Row rows[] = {
        {nullptr, nullptr, "/h/.local/share", "/h/.config"},
        {"/x/data", "/x/config/", "/x/data", "/x/config"},
        {"", "", "/h/.local/share", "/h/.config"},
        {"relative/data", "config", "/h/.local/share", "/h/.config"}, // relative values are invalid
    };
    for (const Row& row : rows) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), QStringLiteral("/h"));
        if (row.dataHome) env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromUtf8(row.dataHome));
        if (row.configHome) env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromUtf8(row.configHome));
        const DesktopPaths p = DesktopPaths::fromEnvironment(env);
        EXPECT_EQ(p.dataHome, QString::fromUtf8(row.wantData)) << row.dataHome;
        EXPECT_EQ(p.configHome, QString::fromUtf8(row.wantConfig)) << row.configHome;
    }
}

TEST_F(AssociationsTest, AssociatingWritesTypeIconsEntryAndDefaultThenNotifies)
{
    for (const AssociatedFileType* type : {&sgfFileType(), &gibFileType()}) {
        SCOPED_TRACE(type->extension.toStdString());
        tools.clear();
        FileAssociations a = make();
        ASSERT_TRUE(a.associate(*type));
        EXPECT_TRUE(errors.isEmpty());

        const QString package = QString::fromUtf8(
            readAll(paths.dataHome + QStringLiteral("/mime/packages/") + type->typeKey + QStringLiteral(".xml")));
        EXPECT_TRUE(package.contains(QStringLiteral("<mime-type type=\"%1\">").arg(type->mimeType))) << package.toStdString();
        EXPECT_TRUE(package.contains(QStringLiteral("<comment>%1</comment>").arg(type->description))) << package.toStdString();
        EXPECT_TRUE(package.contains(QStringLiteral("<glob pattern=\"*%1\"/>").arg(type->extension))) << package.toStdString();

        // Every size of the shipped icon, as PNG in the user's theme.
        for (int size : {16, 32, 48, 256}) {
            const QImage icon(paths.dataHome + QStringLiteral("/icons/hicolor/%1x%1/mimetypes/").arg(size) + type->iconName +
                              QStringLiteral(".png"));
            EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        }

        const QString entry = QString::fromUtf8(
            readAll(paths.dataHome + QStringLiteral("/applications/") + type->typeKey + QStringLiteral(".desktop")));
        EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=/opt/zemra/bin/zemra %f\n"))) << entry.toStdString();
        EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=%1;\n").arg(type->mimeType))) << entry.toStdString();

        EXPECT_TRUE(readAll(paths.configHome + QStringLiteral("/mimeapps.list"))
                        .contains((type->mimeType + QLatin1Char('=') + type->typeKey + QStringLiteral(".desktop;\n")).toUtf8()));
        EXPECT_EQ(tools,
                  QStringList({QStringLiteral("update-mime-database ") + paths.dataHome + QStringLiteral("/mime"),
                               QStringLiteral("update-desktop-database ") + paths.dataHome + QStringLiteral("/applications")}));
    }
    // One default section holding both types.
    EXPECT_EQ(readAll(paths.configHome + QStringLiteral("/mimeapps.list")),
              QByteArray("[Default Applications]\napplication/x-go-sgf=zemra.sgf.desktop;\n"
                         "application/x-go-gib=zemra.gib.desktop;\n"));
}

TEST_F(AssociationsTest, RealDesktopToolsSeeOurHandlerAndType)
{
    if (!installed("xdg-mime") || !installed("update-mime-database")) {
        // scripts/install-deps installs both: in CI this must run.
        ZEMRA_SKIP_OR_FAIL_IN_CI("xdg-utils or shared-mime-info missing");
    }
    FileAssociations a = make(QStringLiteral("/opt/zemra/bin/zemra"), true);
    ASSERT_TRUE(a.associate(sgfFileType()));
    ASSERT_TRUE(a.associate(gibFileType()));
    EXPECT_EQ(run(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-go-sgf")}),
              QStringLiteral("zemra.sgf.desktop"));
    EXPECT_EQ(run(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-go-gib")}),
              QStringLiteral("zemra.gib.desktop"));
    // The database the real tool built from our package knows the GIB type.
    const QByteArray globs = readAll(paths.dataHome + QStringLiteral("/mime/globs2"));
    EXPECT_TRUE(globs.contains("application/x-go-gib:*.gib")) << globs.constData();
    EXPECT_TRUE(globs.contains("application/x-go-sgf:*.sgf")) << globs.constData();
    EXPECT_TRUE(errors.isEmpty());

    a.remove(sgfFileType());
    EXPECT_EQ(run(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-go-sgf")}),
              QString());
    EXPECT_FALSE(readAll(paths.dataHome + QStringLiteral("/mime/globs2")).contains("application/x-go-sgf"));
}

TEST_F(AssociationsTest, AnotherHandlerComesBackWhenOursIsRemoved)
{
    if (!installed("xdg-mime") || !installed("update-desktop-database")) {
        ZEMRA_SKIP_OR_FAIL_IN_CI("xdg-utils or desktop-file-utils missing");
    }
    // Another Go program installed for everyone claims SGF records.
    const QString apps = system.path() + QStringLiteral("/data/applications");
    writeText(apps + QStringLiteral("/othergo.desktop"),
              "[Desktop Entry]\nType=Application\nName=Other Go\nExec=othergo %f\nMimeType=application/x-go-sgf;\n");
    run(QStringLiteral("update-desktop-database"), {apps});
    const QStringList query{QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-go-sgf")};
    ASSERT_EQ(run(QStringLiteral("xdg-mime"), query), QStringLiteral("othergo.desktop"));

    FileAssociations a = make(QStringLiteral("/opt/zemra/bin/zemra"), true);
    ASSERT_TRUE(a.associate(sgfFileType()));
    EXPECT_EQ(run(QStringLiteral("xdg-mime"), query), QStringLiteral("zemra.sgf.desktop"));
    a.remove(sgfFileType());
    EXPECT_EQ(run(QStringLiteral("xdg-mime"), query), QStringLiteral("othergo.desktop"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AssociationsTest, AProgramPathThatCannotStartTheProgramIsRefused)
{
    for (const QString& program : {QString(), QStringLiteral("zemra"), QStringLiteral("/opt/\uFFFD\uFFFD/zemra")}) {
        errors.clear();
        FileAssociations a = make(program);
        EXPECT_FALSE(a.associate(sgfFileType())) << program.toStdString();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("写入错误")));
        EXPECT_TRUE(snapshot(root).isEmpty()) << "nothing written for " << program.toStdString();
    }
}

TEST_F(AssociationsTest, OpenCommandSurvivesBlanksAndShellCharactersInThePath)
{
    // GIO parses the entry as a desktop would and runs the program with the file.
    const QString folder = root + QStringLiteral("/my \"Go\" $games `x` \\ here");
    const QString program = folder + QStringLiteral("/echo args");
    const QString out = root + QStringLiteral("/args.txt");
    writeText(program, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '%1'\n").arg(out).toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    FileAssociations a = make(program);
    ASSERT_TRUE(a.associate(sgfFileType()));
    const QString entry = a.desktopFile(sgfFileType());
    if (installed("desktop-file-validate")) {
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entry});
        ASSERT_TRUE(validate.waitForFinished(30000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().constData();
    }
    if (!installed("gio")) {
        ZEMRA_SKIP_OR_FAIL_IN_CI("gio (libglib2.0-bin) missing");
    }
    run(QStringLiteral("gio"), {QStringLiteral("launch"), entry, QStringLiteral("/tmp/a game.sgf")});
    for (int k = 0; k < 100 && !QFile::exists(out); ++k)
        QThread::msleep(50);
    EXPECT_EQ(readAll(out), QByteArray("[/tmp/a game.sgf]\n"));
}

TEST(ExecProgramTest, QuotesAndEscapesAsDesktopEntriesWant)
{
    const struct {
        const char* path;
        const char* exec;
    } rows[] = {
        {"/usr/bin/zemra", "/usr/bin/zemra"},           {"/opt/my go/zemra", "\"/opt/my go/zemra\""},
        {"/opt/a$b/zemra", "\"/opt/a\\\\$b/zemra\""}, // \$ in the argument, the backslash doubled in the value
        {"/opt/100%/zemra", "/opt/100%%/zemra"},      // % is a field code unless doubled
        {"/opt/q\"x/zemra", "\"/opt/q\\\\\"x/zemra\""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FileAssociations::execProgram(QString::fromUtf8(row.path)), QString::fromUtf8(row.exec)) << row.path;
}

TEST_F(AssociationsTest, AssociatingTwiceWritesTheSame)
{
    FileAssociations a = make();
    ASSERT_TRUE(a.associate(sgfFileType()));
    const Tree once = snapshot(root);
    ASSERT_TRUE(a.associate(sgfFileType()));
    EXPECT_EQ(snapshot(root), once);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AssociationsTest, RemovingRestoresTheFolder)
{
    // The user's own settings around ours must come back byte for byte.
    writeText(paths.configHome + QStringLiteral("/mimeapps.list"),
              "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/plain=gedit.desktop;\n");
    writeText(paths.dataHome + QStringLiteral("/applications/other.desktop"), "[Desktop Entry]\nName=Other\n");
    for (bool realTools : {false, true}) {
        SCOPED_TRACE(realTools ? "real tools" : "recorded tools");
        if (realTools && !installed("update-mime-database")) continue;
        const QSet<QString> generated = realTools ? GeneratedDatabases : QSet<QString>();
        const Tree before = snapshot(root, generated);
        FileAssociations a = make(QStringLiteral("/opt/zemra/bin/zemra"), realTools);
        ASSERT_TRUE(a.associate(sgfFileType()));
        ASSERT_TRUE(a.associate(gibFileType()));
        a.remove(gibFileType());
        a.remove(sgfFileType());
        EXPECT_EQ(snapshot(root, generated), before);
        EXPECT_TRUE(QDir(paths.dataHome + QStringLiteral("/mime/packages")).isEmpty());
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AssociationsTest, RemovingWhatWasNeverMadeDoesNothing)
{
    FileAssociations a = make();
    a.remove(sgfFileType());
    a.remove(gibFileType());
    EXPECT_TRUE(snapshot(root).isEmpty());
    EXPECT_TRUE(tools.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AssociationsTest, RemovingLeavesADefaultTheUserGaveAnotherProgram)
{
    FileAssociations a = make();
    ASSERT_TRUE(a.associate(sgfFileType()));
    const QByteArray other = "[Default Applications]\napplication/x-go-sgf=sabaki.desktop;\n";
    writeText(a.mimeappsFile(), other);
    a.remove(sgfFileType());
    EXPECT_EQ(readAll(a.mimeappsFile()), other);
    EXPECT_FALSE(QFile::exists(a.desktopFile(sgfFileType())));
}

TEST(MimeappsTextTest, DefaultsAreSetAndTakenBackWithoutTouchingTheRest)
{
    const QString id = QStringLiteral("zemra.sgf.desktop");
    const QString sgf = QStringLiteral("application/x-go-sgf");
    const struct {
        const char* before;
        const char* withOurs;
        const char* afterRemoval;
    } rows[] = {
        {"", "[Default Applications]\napplication/x-go-sgf=zemra.sgf.desktop;\n", ""},
        {"[Default Applications]\ntext/plain=ed.desktop;\n\n[Added Associations]\nx/y=a.desktop;\n",
         "[Default Applications]\ntext/plain=ed.desktop;\napplication/x-go-sgf=zemra.sgf.desktop;\n\n[Added Associations]\n"
         "x/y=a.desktop;\n",
         "[Default Applications]\ntext/plain=ed.desktop;\n\n[Added Associations]\nx/y=a.desktop;\n"},
        // An earlier default is replaced, as the registry overwrites a value.
        {"[Default Applications]\napplication/x-go-sgf=sabaki.desktop;\n",
         "[Default Applications]\napplication/x-go-sgf=zemra.sgf.desktop;\n", ""},
        {"[Added Associations]\nx/y=a.desktop;\n",
         "[Added Associations]\nx/y=a.desktop;\n\n[Default Applications]\napplication/x-go-sgf=zemra.sgf.desktop;\n",
         "[Added Associations]\nx/y=a.desktop;\n"},
    };
    for (const auto& row : rows) {
        const QByteArray with = FileAssociations::withDefault(row.before, sgf, id);
        EXPECT_EQ(with, QByteArray(row.withOurs)) << row.before;
        EXPECT_EQ(FileAssociations::withoutDefault(with, sgf, id), QByteArray(row.afterRemoval)) << row.before;
    }
    // Only our id leaves a list of several handlers.
    EXPECT_EQ(FileAssociations::withoutDefault("[Default Applications]\napplication/x-go-sgf=a.desktop;zemra.sgf.desktop;\n", sgf,
                                               id),
              QByteArray("[Default Applications]\napplication/x-go-sgf=a.desktop;\n"));
    // Lines that are not ours keep their bytes, UTF-8 or not.
    const QByteArray foreign = "[Default Applications]\n# \xc6\xe5\xc6\xd7\ntext/x-\xff=\xfe.desktop;\n";
    const QByteArray added = FileAssociations::withDefault(foreign, sgf, id);
    EXPECT_TRUE(added.startsWith(foreign));
    EXPECT_EQ(FileAssociations::withoutDefault(added, sgf, id), foreign);
}

TEST_F(AssociationsTest, UnwritableLocationGivesTheWriteErrorAndNoDefault)
{
    // A file where a folder should be stops even root, whom permissions do not.
    const struct {
        const char* blocked;
        const char* pathInMessage;
    } rows[] = {
        {"data/applications", "zemra.sgf.desktop"},
        {"data/icons", "zemra-sgf.png"},
        {"data/mime", "zemra.sgf.xml"},
        {"config", "mimeapps.list"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.blocked);
        QDir(root).removeRecursively();
        QDir().mkpath(root);
        const QByteArray userDefaults = "[Default Applications]\ntext/plain=ed.desktop;\n";
        if (QString::fromUtf8(row.blocked) != QStringLiteral("config"))
            writeText(paths.configHome + QStringLiteral("/mimeapps.list"), userDefaults);
        writeText(root + QLatin1Char('/') + QString::fromUtf8(row.blocked), "not a folder");
        errors.clear();
        tools.clear();
        FileAssociations a = make();
        EXPECT_FALSE(a.associate(sgfFileType()));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("写入错误"))) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(QString::fromUtf8(row.pathInMessage))) << errors[0].toStdString();
        EXPECT_TRUE(tools.isEmpty()) << "notice sent after a failure";
        if (QString::fromUtf8(row.blocked) != QStringLiteral("config")) {
            EXPECT_EQ(readAll(a.mimeappsFile()), userDefaults);
        }
        // Nothing half-written: no temporary files left beside the targets.
        for (const QString& path : snapshot(root))
            EXPECT_FALSE(path.contains(QStringLiteral(".tmp")) || path.contains(QStringLiteral("~"))) << path.toStdString();
    }
}

TEST_F(AssociationsTest, AFullDiskKeepsEveryFileAsItWasAndSaysWhy)
{
    writeText(paths.configHome + QStringLiteral("/mimeapps.list"), "[Default Applications]\ntext/plain=ed.desktop;\n");
    FileAssociations a = make();
    ASSERT_TRUE(a.associate(sgfFileType()));
    const Tree before = snapshot(root);
    const QByteArray defaults = readAll(a.mimeappsFile());
    tools.clear();
    {
        test::FileSizeLimit full(16);
        ASSERT_TRUE(full.set());
        EXPECT_FALSE(a.associate(sgfFileType()));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("写入错误")) && errors[0].contains(qt_error_string(EFBIG)))
            << errors[0].toStdString();
        EXPECT_TRUE(tools.isEmpty()) << "notice sent after a failure";
        EXPECT_EQ(snapshot(root), before); // no cut file, no temporary file

        // Taking it back rewrites the list of defaults, which then stays whole.
        a.remove(sgfFileType());
    }
    EXPECT_EQ(readAll(a.mimeappsFile()), defaults);
}

TEST_F(AssociationsTest, ReadOnlyFolderGivesTheWriteError)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    QDir().mkpath(paths.dataHome);
    QFile::setPermissions(paths.dataHome, QFile::ReadOwner | QFile::ExeOwner);
    FileAssociations a = make();
    EXPECT_FALSE(a.associate(sgfFileType()));
    QFile::setPermissions(paths.dataHome, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_FALSE(QFile::exists(a.mimeappsFile()));
}

TEST_F(AssociationsTest, MissingIconFileStillAssociates)
{
    FileAssociations a(paths, QStringLiteral("/opt/zemra/bin/zemra"),
                       [this](const QString& name) { return root + QStringLiteral("/nowhere/") + name; });
    a.onError = [this](const QString& m) { errors << m; };
    a.runTool = {};
    EXPECT_TRUE(a.associate(sgfFileType()));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(QDir(paths.dataHome + QStringLiteral("/icons")).exists());
    EXPECT_TRUE(QFile::exists(a.desktopFile(sgfFileType())));
}

TEST(RecordIconsTest, ShippedIconsHoldFourSizesMatchingTheThemePngs)
{
    for (const char* format : {"SGF", "GIB"}) {
        SCOPED_TRACE(format);
        QImageReader reader(shippedDataFile(QString::fromLatin1(format) + QStringLiteral(".ico")));
        ASSERT_EQ(reader.imageCount(), 4);
        QList<int> sizes;
        do {
            const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull());
            sizes << image.width();
            // The ICO and the theme's PNG are the same picture, pixel for pixel.
            const QImage png = QImage(QStringLiteral(ZEMRA_SOURCE_DIR "/resources/icons/zemra-%1-%2.png")
                                          .arg(QString::fromLatin1(format).toLower())
                                          .arg(image.width()))
                                   .convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(image, png) << image.width();
        } while (reader.jumpToNextImage());
        EXPECT_EQ(sizes, QList<int>({16, 32, 48, 256}));
    }
}

} // namespace
} // namespace zemra
