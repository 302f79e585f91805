// The message log: the runs each sender kind writes, the welcome line, and
// saving as RTF read back by unrtf.
#include <gtest/gtest.h>

#include "tests/MissingTool.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

#include "app/FileDialogs.h"
#include "app/MessageLog.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

using testing::describe;

const QColor Maroon(128, 0, 0), Blue(0, 0, 255), Black(0, 0, 0), Red(255, 0, 0);

TEST(MessageLogTest, StartsWithTheWelcomeLineInRedAndAnEmptyLine)
{
    MessageLog log;
    EXPECT_EQ(describe(log.runs()), describe({{MessageLog::welcomeText() + "\n\n", Red}}));
    EXPECT_TRUE(MessageLog::welcomeText().contains(MakerWebAddress));
    EXPECT_TRUE(log.isReadOnly());
}

TEST(MessageLogTest, EachSenderKindWritesItsRuns)
{
    struct Row {
        const char* name;
        QString mode;
        QString kind;
        QString text;
        QList<RtfRun> runs;
    };
    const QString nick = QStringLiteral("山间的清风"), rank = QStringLiteral("9段");
    const Row rows[] = {
        {"system", "local", "System", "x", {{"信息> ", Maroon}, {"x\n", Black}}},
        {"local outside network", "local", "Local", "你好", {{"信息> ", Blue}, {"你好\n", Black}}},
        {"local in engine mode", "GNUGO", "Local", "你好", {{"信息> ", Blue}, {"你好\n", Black}}},
        {"local in network", "network", "Local", "你好", {{"山间的清风(9段)> ", Blue}, {"你好\n", Black}}},
        {"remote", "network", "Remote", "CHAT 月下の旅人(3段);谢谢", {{"月下の旅人(3段)> ", Blue}, {"谢谢\n", Black}}},
        {"remote without ;", "network", "Remote", "CHAT hello", {{"> ", Blue}, {"CHAT hello\n", Black}}},
        {"remote nickname with ;", "network", "Remote", "CHAT a;b(1段);hi", {{"a> ", Blue}, {"b(1段);hi\n", Black}}},
        {"remote ; inside the prefix", "network", "Remote", "CH;x", {{"> ", Blue}, {"x\n", Black}}},
        {"remote empty body", "network", "Remote", "CHAT z(1段);", {{"z(1段)> ", Blue}, {"\n", Black}}},
        {"version", "local", "Version", "黑方：180 子", {{"黑方：180 子\n", Blue}}},
        {"version empty", "local", "Version", "", {{"\n", Blue}}},
        {"line breaks", "local", "System", "a\r\nb\rc\nd", {{"信息> ", Maroon}, {"a\nb\nc\nd\n", Black}}},
        {"kind is case-sensitive", "local", "system", "x", {}},
        {"unknown kind", "local", "Chat", "x", {}},
    };
    for (const Row& row : rows) {
        MessageLog log;
        log.clearLog();
        if (QString(row.mode) == QLatin1String("network")) log.setLocalHeader([&] { return nick + '(' + rank + ')'; });
        log.SendOutMessage(row.kind, row.text);
        EXPECT_EQ(describe(log.runs()), describe(row.runs)) << row.name;
    }
}

TEST(MessageLogTest, EntriesFollowEachOtherAndClearingEmptiesTheLog)
{
    MessageLog log;
    log.SendOutMessage("Version", "v");
    log.SendOutMessage("System", "s");
    EXPECT_EQ(log.toPlainText(), MessageLog::welcomeText() + "\n\nv\n信息> s\n");
    EXPECT_EQ(log.textCursor().position(), log.document()->characterCount() - 1); // caret at the end
    log.clearLog();
    EXPECT_TRUE(log.runs().isEmpty());
    log.SendOutMessage("System", "t");
    EXPECT_EQ(log.toPlainText(), "信息> t\n");
}

TEST(MessageLogTest, ProposedFileNameCarriesTheDate)
{
    EXPECT_EQ(MessageLog::proposedFileName(QDate(2026, 12, 7)), "Game 2026-12-07.rtf");
    EXPECT_EQ(MessageLog::proposedFileName(QDate(2009, 1, 31)), "Game 2009-01-31.rtf");
}

TEST(MessageLogTest, SavedFileReadsBackWithColours)
{
    if (!testing::unrtfInstalled()) ZEMRA_SKIP_OR_FAIL_IN_CI("unrtf (Debian package unrtf) is needed to check RTF files");
    MessageLog log;
    log.setLocalHeader([] { return QStringLiteral("山间的清风(9段)"); });
    log.SendOutMessage("System", "您已经切换到了“网络对局”模式！");
    log.SendOutMessage("Local", "你好 {ok}");
    log.SendOutMessage("Remote", "CHAT 月下の旅人(3段);谢谢");
    log.SendOutMessage("Version", "");
    log.SendOutMessage("Version", "-    ●╭○╮      version 3.3.7     -");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Game 2026-12-07.rtf");
    log.saveToFile(path);
    const QList<RtfRun> read = testing::runsFromUnrtfHtml(testing::unrtfHtml(path));
    EXPECT_EQ(describe(read), describe(testing::blanksCollapsed(testing::mergedRuns(log.runs()))));
    EXPECT_TRUE(read.size() > 5 && read[1].colour == Maroon && read[1].text == "信息> ") << describe(read);
}

TEST(MessageLogTest, FailedSaveThrowsAndKeepsTheLog)
{
    MessageLog log;
    log.SendOutMessage("System", "keep me");
    const QString before = log.toPlainText();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THROW(log.saveToFile(dir.filePath("missing/x.rtf")), std::runtime_error);
    EXPECT_EQ(log.toPlainText(), before);
}

TEST(MessageLogTest, ALongWordWithoutBlanksComesBackWholeFromRunsAndCopies)
{
    // The log may lay such a word out with break chances of its own; they
    // must not reach the saved file or the clipboard.
    MessageLog log;
    log.clearLog();
    const QString word = QString(5000, QLatin1Char('x')) + QStringLiteral("棋😀") + QString(300, QLatin1Char('y'));
    log.SendOutMessage("System", word);
    EXPECT_EQ(describe(log.runs()), describe({{"信息> ", Maroon}, {word + "\n", Black}}));
    log.selectAll();
    log.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "信息> " + word + "\n");
}

// Answers the save dialog once it is up: records what it proposes, then
// accepts the given file or cancels when it is empty.
struct DialogAnswer {
    QString title;
    QString proposed;
    QString suffix;
    QStringList filters;
};

void answerSaveDialog(DialogAnswer* seen, const QString& file)
{
    QTimer::singleShot(0, [seen, file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            answerSaveDialog(seen, file);
            return;
        }
        seen->title = dialog->windowTitle();
        const auto edits = dialog->findChildren<QLineEdit*>();
        for (QLineEdit* edit : edits)
            if (edit->text().endsWith(".rtf")) seen->proposed = edit->text();
        seen->suffix = dialog->defaultSuffix();
        seen->filters = dialog->nameFilters();
        if (file.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
}

TEST(MessageLogTest, SaveDialogAsksForTheFileAndCancelWritesNothing)
{
    MessageLog log;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    const FileDialogSettings settings{"保存聊天信息为 . . .", "RTF文件格式(*.rtf)", "rtf", MessageLog::proposedFileName(QDate::currentDate())};
    DialogAnswer seen;
    answerSaveDialog(&seen, QString());
    EXPECT_TRUE(askSaveFile(nullptr, settings).isEmpty());
    EXPECT_EQ(seen.title, "保存聊天信息为 . . .");
    EXPECT_EQ(seen.proposed, MessageLog::proposedFileName(QDate::currentDate()));
    EXPECT_EQ(seen.suffix, "rtf");
    EXPECT_EQ(seen.filters, QStringList{"RTF文件格式(*.rtf)"});
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    const QString path = dir.filePath("chat.rtf");
    answerSaveDialog(&seen, path);
    ASSERT_EQ(askSaveFile(nullptr, settings), path);
    log.saveToFile(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("{\\rtf1"));
}

} // namespace
} // namespace zemra
