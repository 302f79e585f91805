// The command line as main reads it, and records whose names are GBK bytes
// (archives made on Windows unpack with such names) opened from the command
// line and from the open dialog, in real folders.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/CommandLine.h"
#include "app/FileDialogs.h"
#include "app/FormMain.h"
#include "app/InfoPanel.h"
#include "app/ProgramFiles.h"
#include "app/ZemraApplication.h"
#include "tests/app/StartedWindow.h"
#include "tests/app/TestDialogs.h"

using namespace zemra;

namespace {

using Action = CommandLine::Action;

CommandLine read(const std::vector<QByteArray>& args)
{
    std::vector<const char*> argv{"zemra"};
    for (const QByteArray& a : args)
        argv.push_back(a.constData());
    return readCommandLine(static_cast<int>(argv.size()), argv.data());
}

// 棋谱 and 谱棋 in GBK: neither is UTF-8, and Qt shows both the same way.
const QByteArray Qipu = "\xc6\xe5\xc6\xd7";
const QByteArray Puqi = "\xc6\xd7\xc6\xe5";
const QByteArray Sgf = "(;GM[1]FF[4]SZ[19]PB[Black]PW[White];B[pd];W[dp];B[pp])";
const QByteArray Gib = "\\HS\n\\[GAMEBLACKNAME=Black (9D)\\]\n\\HE\n\\GS\nSTO 0 1 1 15 3 \nSTO 0 2 2 3 15 \n\\GE\n";

// By the path's bytes: Qt's file classes cannot name these files.
void write(const QByteArray& path, const QByteArray& bytes)
{
    FILE* f = std::fopen(path.constData(), "wb");
    ASSERT_NE(f, nullptr) << path.toStdString();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
    std::fclose(f);
}

// Errors the window would have shown while command runs.
template <class F> QStringList errorsOf(F&& command)
{
    QStringList shown;
    ZemraApplication::setErrorSink([&](const QString& m) { shown << m; });
    command();
    ZemraApplication::setErrorSink({});
    return shown;
}

} // namespace

TEST(CommandLine, OptionsRecordsAndQtsOwnOptions)
{
    const struct {
        std::vector<QByteArray> args;
        Action action;
        QByteArray record;
        QList<QByteArray> qt;
        const char* named; // a word the refusal must name
    } rows[] = {
        {{}, Action::Start, {}, {}, nullptr},
        {{"game.sgf"}, Action::Start, "game.sgf", {}, nullptr},
        {{""}, Action::Start, {}, {}, nullptr}, // an empty argument opens nothing
        {{"--help"}, Action::Help, {}, {}, nullptr},
        {{"game.sgf", "-h"}, Action::Help, "game.sgf", {}, nullptr},
        {{"--version"}, Action::Version, {}, {}, nullptr},
        {{"-v"}, Action::Version, {}, {}, nullptr},
        {{"--", "-game.sgf"}, Action::Start, "-game.sgf", {}, nullptr},
        {{"--", "--help"}, Action::Start, "--help", {}, nullptr},
        {{"-"}, Action::Start, "-", {}, nullptr},
        {{"-platform", "offscreen", "a.sgf"}, Action::Start, "a.sgf", {"-platform", "offscreen"}, nullptr},
        {{"-style=fusion", "-reverse", "--", "-reverse"}, Action::Start, "-reverse", {"-style=fusion", "-reverse"}, nullptr},
        {{Qipu + ".sgf"}, Action::Start, Qipu + ".sgf", {}, nullptr},
        {{"--bogus"}, Action::Refuse, {}, {}, "--bogus"},
        {{"-x", "a.sgf"}, Action::Refuse, {}, {}, "-x"},
        {{"--help=x"}, Action::Refuse, {}, {}, "--help=x"},
        {{"a.sgf", "b.sgf"}, Action::Refuse, {}, {}, "b.sgf"},
        {{"-platform"}, Action::Refuse, {}, {}, "-platform"},
    };
    for (const auto& r : rows) {
        const CommandLine line = read(r.args);
        const std::string where = r.args.empty() ? "(none)" : r.args.front().toStdString();
        EXPECT_EQ(line.action, r.action) << where;
        EXPECT_EQ(line.recordPath, r.record) << where;
        EXPECT_EQ(line.qtOptions, r.qt) << where;
        if (r.named) {
            EXPECT_NE(line.problem.find(std::string("'") + r.named + "'"), std::string::npos) << line.problem;
            EXPECT_NE(line.problem.find(std::string("“") + r.named + "”"), std::string::npos) << line.problem;
        }
    }
}

// Removes a folder's tree by the entries' own bytes, which QDir cannot.
void removeTree(const QByteArray& path)
{
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..") continue;
            const QByteArray child = path + '/' + name;
            struct stat st {};
            if (::lstat(child.constData(), &st) == 0 && S_ISDIR(st.st_mode))
                removeTree(child);
            else
                ::unlink(child.constData());
        }
        ::closedir(dir);
    }
    ::rmdir(path.constData());
}

class GbkNamedRecords : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray base = QFile::encodeName(dir.path()) + '/';
    void TearDown() override { removeTree(QFile::encodeName(dir.path())); }
};

TEST_F(GbkNamedRecords, OpenFromTheCommandLineInAGbkFolder)
{
    const QByteArray folder = base + Qipu;
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    write(folder + '/' + Qipu + ".sgf", Sgf);
    write(folder + '/' + Puqi + ".gib", Gib);

    const struct {
        QByteArray name;
        int moves;
        QString source; // the grid's source row: the name as GBK, or nothing
    } rows[] = {{Qipu + ".sgf", 3, QString()}, {Puqi + ".gib", 2, QStringLiteral("谱棋.gib")}};
    for (const auto& r : rows) {
        // The path main hands the window, from argv's own bytes.
        const CommandLine line = read({folder + '/' + r.name});
        ASSERT_EQ(line.action, Action::Start);
        std::unique_ptr<TFormMain> form;
        EXPECT_EQ(errorsOf([&] { form = zemra::testing::startWindow(line.recordPath); }), QStringList())
            << r.name.toStdString();
        EXPECT_EQ(form->GameMode(), QStringLiteral("open"));
        EXPECT_EQ(form->game().MoveCount(), r.moves) << r.name.toStdString();
        if (!r.source.isEmpty()) {
            EXPECT_TRUE(form->infoPanel().StringGrid1()->Cells(1, 12).contains(r.source));
        }
    }

    // A name that is not there is told as GBK, not as replacement characters.
    const QStringList shown = errorsOf([&] { zemra::testing::startWindow(folder + '/' + Puqi + ".sgf"); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("找不到文件“谱棋.sgf”"))) << shown.first().toStdString();
}

TEST_F(GbkNamedRecords, OpenFromTheOpenDialogByTheNameQtShows)
{
    const QByteArray path = base + Qipu + ".sgf";
    write(path, Sgf);
    zemra::testing::TestDialogs dialogs;
    TFormMain form;
    form.setUserDialogs(&dialogs);
    form.Menu_Mode_OpenClick();
    // What a dialog gives for the chosen entry: the name as Qt shows it.
    const QString shown = QFile::decodeName(path);
    dialogs.paths = {shown, shown};
    EXPECT_EQ(errorsOf([&] { form.action(Command::OpenFile)->trigger(); }), QStringList());
    EXPECT_EQ(form.game().MoveCount(), 3);

    // Two names Qt shows alike cannot be told apart: both are named, and the
    // record on the board stays.
    write(base + Puqi + ".sgf", "(;SZ[9];B[ee])");
    ASSERT_EQ(QFile::decodeName(base + Puqi + ".sgf"), shown);
    const QStringList errors = errorsOf([&] { form.action(Command::OpenFile)->trigger(); });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("“棋谱.sgf”")) && errors.first().contains(QStringLiteral("“谱棋.sgf”")))
        << errors.first().toStdString();
    EXPECT_EQ(form.game().MoveCount(), 3);
}

TEST_F(GbkNamedRecords, QtsOwnDialogLetsSuchAChoiceThrough)
{
    const QByteArray path = base + Qipu + ".sgf";
    write(path, Sgf);
    QTimer::singleShot(0, [&] {
        QPointer<QFileDialog> dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->selectFile(QFile::decodeName(path));
        // Qt's refusal is a message box of its own: closed, so that a failure ends.
        QTimer::singleShot(3000, [dialog] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
            if (dialog) dialog->reject();
        });
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen = askOpenFile(nullptr, {QStringLiteral("打开"), QStringLiteral("棋谱(*.sgf *.gib)"), {}, {}});
    EXPECT_EQ(systemPath(chosen), path);
}
