// The record mode and the save commands on a real model, renderer and
// information panel, with the window replaced by a recording host; and the
// record named on the command line, opened by the window itself.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/FormMain.h"
#include "app/InfoPanel.h"
#include "app/MessageLog.h"
#include "app/RecordViewer.h"
#include "app/SaveCommands.h"
#include "app/ZemraApplication.h"
#include "records/RecordFile.h"
#include "tests/app/RecordingHost.h"
#include "tests/app/StartedWindow.h"
#include "text/Gbk.h"

using namespace zemra;
using zemra::testing::LogEntry;

namespace {

const QString TestData = QStringLiteral(ZEMRA_TESTDATA_DIR);
const QString Classic = TestData + QStringLiteral("/sgf/classic/blood-vomiting_1835_intetsu-vs-jowa_littlego.sgf");
const QString Sys = QStringLiteral("System");
const QString Ver = QStringLiteral("Version");

std::vector<std::string> points(const WeiQiGame& g)
{
    std::vector<std::string> out;
    for (int i = 1; i <= 19; ++i)
        for (int j = 1; j <= 19; ++j)
            out.push_back(g.BoardPoints(i, j));
    return out;
}

// What a command's error box would have said; empty when nothing failed.
template <class F> QString errorOf(F&& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

class RecordViewerTest : public ::testing::Test {
protected:
    zemra::testing::RecordingHost host;
    WeiQiGame& game = host.board;
    RecordViewer viewer{host};
    QTemporaryDir scratch;

    void SetUp() override
    {
        host.dir = QStringLiteral(ZEMRA_SOURCE_DIR "/resources/");
        viewer.enterMode();
    }
    QString row(int r) { return host.panel.StringGrid1()->Cells(1, r); }
    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = scratch.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void open(const QString& path)
    {
        host.dialogs.paths.push_back(path);
        viewer.Menu_Open_FileClick(OpenSender::OpenItem);
    }
    QImage cell(int i, int j) const
    {
        const BoardRenderer& r = host.renderer();
        const int s = r.ChessSize();
        return r.PaintBox1().copy(r.BoardMargin() + (i - 1) * s, r.BoardMargin() + (j - 1) * s, s, s);
    }
    // The colour at the corner of the last-move triangle of (i, j).
    QRgb markAt(int i, int j) const
    {
        const BoardRenderer& r = host.renderer();
        const QPoint c = r.layout().intersection(i, j);
        return r.PaintBox1().pixel(c + QPoint(1, 1)) & 0xffffff;
    }
};

} // namespace

TEST_F(RecordViewerTest, ClassicGamesOpenSilentlyAtTheirLastMoveWithRootComment)
{
    viewer.Menu_Open_Game1Click();
    EXPECT_TRUE(host.dialogs.files.empty());
    const RecordStepper& s = viewer.stepper();
    ASSERT_GT(s.RecordNodes().size(), 100u);
    EXPECT_EQ(s.RecordPos(), static_cast<int>(s.RecordNodes().size()));
    EXPECT_EQ(game.MoveCount(), static_cast<int>(game.MoveList().size()));
    EXPECT_GT(game.MoveCount(), 100);
    EXPECT_EQ(row(4), QStringLiteral("  本因坊秀策"));
    EXPECT_EQ(host.panel.LabelBlack()->text(), QStringLiteral("本因坊秀策"));
    EXPECT_EQ(row(8), QStringLiteral("  19×19"));
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_EQ(host.log[0], (LogEntry{Ver, QString()}));
    EXPECT_EQ(host.log[1], (LogEntry{Sys, s.RootComment()}));
    EXPECT_FALSE(s.RootComment().isEmpty());
    EXPECT_TRUE(host.stoneSounds.isEmpty());
    for (auto open : {&RecordViewer::Menu_Open_Game2Click, &RecordViewer::Menu_Open_Game3Click}) {
        (viewer.*open)();
        EXPECT_GT(game.MoveCount(), 100);
        EXPECT_NE(row(6), QStringLiteral("  未知"));
    }
}

TEST_F(RecordViewerTest, PublishedRecordFromTheDialogThenStepping)
{
    if (!QFile::exists(Classic)) GTEST_SKIP() << "no shared test records";
    open(Classic);
    ASSERT_EQ(host.dialogs.files.size(), 1u);
    EXPECT_EQ(host.dialogs.files[0].title, QStringLiteral("打开棋谱文件 . . ."));
    EXPECT_TRUE(host.dialogs.files[0].filter.contains(QStringLiteral("TOM对弈棋谱(*.gib)")));
    const int n = static_cast<int>(viewer.stepper().RecordNodes().size());
    EXPECT_EQ(viewer.stepper().RecordPos(), n);
    EXPECT_EQ(row(4), QStringLiteral("  Akaboshi Intetsu"));
    EXPECT_EQ(row(6), QStringLiteral("  Honinbo Jowa"));
    EXPECT_GT(n, 240) << "comments with brackets do not cut the record short";

    viewer.runCommand(Command::OpenFirst);
    EXPECT_EQ(game.MoveCount(), 1);
    viewer.runCommand(Command::OpenLast);
    EXPECT_EQ(viewer.stepper().RecordPos(), n);
    EXPECT_TRUE(host.stoneSounds.isEmpty()) << "multi-steps are silent";
}

TEST_F(RecordViewerTest, CommentsHintsAndLabelsReachTheLogAndThePicture)
{
    open(write("labels.sgf", "(;SZ[9]PB[甲]PW[乙]C[开局];B[cc]C[好棋];W[gg]LB[ee:A];B[dd])"));
    EXPECT_EQ(row(8), QStringLiteral("  9×9"));
    EXPECT_EQ(game.BoardSize(), 9);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()}, {Sys, QString()}}));
    const LogEntry backHint{Sys, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来查看上一步！")};
    const LogEntry nextHint{Sys, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“左键”来查看下一步！")};

    viewer.runCommand(Command::OpenPrev);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()}, {Sys, QString()}, backHint}));
    const QImage labelled = cell(5, 5);
    viewer.runCommand(Command::OpenPrev);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()}, {Sys, QStringLiteral("好棋")}}));
    EXPECT_NE(cell(5, 5), labelled) << "the label is erased";

    viewer.runCommand(Command::OpenNext);
    EXPECT_EQ(cell(5, 5), labelled);
    viewer.runCommand(Command::OpenNext);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()}, {Sys, QString()}, nextHint}));
    viewer.runCommand(Command::OpenNext); // past the end: nothing at all
    EXPECT_EQ(host.log.size(), 3u);

    // Board clicks and the wheel step without hints.
    viewer.boardClick(1, 1, Qt::RightButton);
    EXPECT_EQ(viewer.stepper().RecordPos(), 2);
    EXPECT_TRUE(viewer.wheel(-120));
    EXPECT_EQ(viewer.stepper().RecordPos(), 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(viewer.wheel(120));
    EXPECT_EQ(viewer.stepper().RecordPos(), 0);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()}, {Sys, QStringLiteral("开局")}}));
}

TEST_F(RecordViewerTest, TrialPlayMarksBlueAndReturnsToTheRecord)
{
    open(write("trial.sgf", "(;SZ[19];B[pd];W[dd])"));
    const auto before = points(game);
    EXPECT_EQ(markAt(4, 4), 0xff0000u);

    viewer.runCommand(Command::OpenTry);
    EXPECT_TRUE(viewer.commandState(Command::OpenTry)->checked);
    viewer.boardClick(10, 10, Qt::LeftButton);
    viewer.boardClick(10, 10, Qt::LeftButton); // occupied: not counted
    EXPECT_EQ(viewer.stepper().TrialMoves(), 1);
    EXPECT_EQ(markAt(10, 10), 0x0000ffu) << "trial stones are marked blue";
    EXPECT_FALSE(viewer.wheel(120)) << "the wheel does not step during trial play";
    viewer.runCommand(Command::OpenPrev);
    EXPECT_EQ(host.log.back(), (LogEntry{Sys, QStringLiteral("请您先取消“试下”状态！")}));
    EXPECT_EQ(viewer.stepper().RecordPos(), 2);

    viewer.boardClick(3, 3, Qt::RightButton);
    EXPECT_FALSE(viewer.commandState(Command::OpenTry)->checked);
    EXPECT_EQ(host.log.back(), (LogEntry{Sys, QStringLiteral("回到原始棋谱，试下已被自动取消。")}));
    EXPECT_EQ(points(game), before);
    EXPECT_EQ(markAt(4, 4), 0xff0000u);

    // Switched off by the menu, every trial stone goes.
    viewer.runCommand(Command::OpenTry);
    viewer.boardClick(10, 10, Qt::LeftButton);
    viewer.boardClick(11, 11, Qt::LeftButton);
    viewer.leaveMode();
    EXPECT_FALSE(viewer.trialPlay());
    EXPECT_EQ(points(game), before);
    EXPECT_EQ(host.log.back(), (LogEntry{Sys, QStringLiteral("回到原始棋谱，试下已经被取消。")}));
}

TEST_F(RecordViewerTest, MarkingAndCountingInTheRecordMode)
{
    open(write("count.sgf", "(;SZ[5];B[cc])"));
    viewer.runCommand(Command::OpenFlagDead);
    EXPECT_TRUE(game.MarkingDead());
    EXPECT_TRUE(viewer.commandState(Command::OpenFlagDead)->checked);
    EXPECT_FALSE(viewer.wheel(-120));
    viewer.runCommand(Command::OpenPrev); // a step ends marking
    EXPECT_FALSE(game.MarkingDead());
    EXPECT_FALSE(viewer.commandState(Command::OpenFlagDead)->checked);
    viewer.runCommand(Command::OpenNext);
    viewer.runCommand(Command::OpenDianMu);
    EXPECT_EQ(host.log.back().kind, Ver);
}

TEST_F(RecordViewerTest, ABadFileKeepsThePreviousGame)
{
    open(write("good.sgf", "(;SZ[9]PB[甲]PW[乙];B[cc];W[gg])"));
    const auto board = points(game);
    const GameInfo info = host.info;
    const std::vector<std::string> moves = game.MoveList();

    const struct {
        const char* name;
        QByteArray bytes;
    } bad[] = {{"size.sgf", "(;SZ[25];B[aa])"}, {"empty-size.sgf", "(;SZ[];B[aa])"}, {"notes.txt", "(;B[aa])"}};
    QStringList paths;
    for (const auto& b : bad)
        paths << write(b.name, b.bytes);
    paths << scratch.filePath(QStringLiteral("missing.gib"));
    if (QFile::exists(TestData + QStringLiteral("/sgf/malformed/not-an-sgf.sgf")))
        paths << TestData + QStringLiteral("/sgf/malformed/not-an-sgf.sgf");
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        host.dialogs.paths.push_back(path);
        const QString error = errorOf([&] { viewer.runCommand(Command::OpenFile); });
        EXPECT_TRUE(error.contains(QFileInfo(path).fileName())) << error.toStdString();
        EXPECT_EQ(points(game), board);
        EXPECT_EQ(game.MoveList(), moves);
        EXPECT_EQ(host.info, info);
        EXPECT_EQ(row(4), QStringLiteral("  甲"));
        EXPECT_EQ(viewer.stepper().RecordPos(), 2);
    }
    // A cancelled dialog changes nothing and says nothing.
    EXPECT_EQ(errorOf([&] { viewer.runCommand(Command::OpenFile); }), QString());
    EXPECT_EQ(game.MoveList(), moves);
}

TEST_F(RecordViewerTest, ComingBackToTheModePutsTheRecordBack)
{
    open(write("back.sgf", "(;SZ[9]PB[甲];B[cc];W[gg];B[ee])"));
    viewer.runCommand(Command::OpenPrev);
    game.InitWeiQiGame(); // another mode played on the board
    host.info = GameInfo{};
    host.log.clear();
    viewer.enterMode();
    EXPECT_EQ(viewer.stepper().RecordPos(), 3);
    EXPECT_EQ(game.MoveCount(), 3);
    EXPECT_EQ(row(4), QStringLiteral("  甲"));
    EXPECT_TRUE(host.log.empty()) << "the log keeps the mode notices";
    viewer.runCommand(Command::OpenFirst);
    EXPECT_EQ(game.MoveCount(), 1);
}

TEST_F(RecordViewerTest, OpeningTellsOnlyWhatTheLogKeepsAndDrawsTheBoardOnce)
{
    host.log = {{Sys, QStringLiteral("before")}};
    const int clears = host.logClears;
    // A capture, comments, passes after the last clear, a label at the end.
    open(write("held.sgf", "(;SZ[9]C[根];B[ba]C[一];W[aa]C[二];B[ab];W[];B[]LB[ee:A])"));
    EXPECT_EQ(host.logClears, clears + 1);
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{Ver, QString()},
                                               {Sys, QString()},
                                               {Sys, QStringLiteral("白棋弃权一手！")},
                                               {Sys, QStringLiteral("黑棋弃权一手！")}}));
    EXPECT_TRUE(host.stoneSounds.empty());
    EXPECT_EQ(host.panel.LabelWhiteDead()->text(), QStringLiteral("1 个"));
    EXPECT_EQ(host.panel.LabelWhite()->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    // The picture drawn once at the end of a multi-step is the one drawn
    // from scratch, and the one single steps arrive at.
    const auto drawnFromScratch = [&] {
        const QImage held = host.renderer().PaintBox1().copy();
        host.presenter().FormResize();
        viewer.afterRelayout();
        return host.renderer().PaintBox1() == held;
    };
    viewer.runCommand(Command::OpenFirst);
    EXPECT_TRUE(drawnFromScratch());
    viewer.runCommand(Command::OpenNext10);
    EXPECT_TRUE(drawnFromScratch());
    const QImage opened = host.renderer().PaintBox1().copy();
    viewer.runCommand(Command::OpenPrev);
    viewer.runCommand(Command::OpenPrev);
    viewer.runCommand(Command::OpenNext);
    viewer.runCommand(Command::OpenNext);
    EXPECT_EQ(host.renderer().PaintBox1(), opened);
    EXPECT_EQ(host.stoneSounds.size(), 0u) << "passes make no sound";

    // Past the entries the log can use, a note says how many more there were.
    std::string passes = "(;SZ[9]"; // an empty comment, then 150 entries
    for (int k = 0; k < 150; ++k)
        passes += k % 2 ? ";W[]" : ";B[]";
    open(write("passes.sgf", QByteArray::fromStdString(passes + ")")));
    ASSERT_EQ(host.log.size(), RecordStepper::HeldLogEntries + 1);
    EXPECT_EQ(host.log[1], (LogEntry{Sys, QString()}));
    EXPECT_EQ(host.log[2], (LogEntry{Sys, QStringLiteral("黑棋弃权一手！")}));
    EXPECT_EQ(host.log.back(), (LogEntry{Sys, QStringLiteral("……（还有 52 条消息，没有显示。）")}));
}

int stonesOn(const WeiQiGame& g)
{
    int n = 0;
    for (int i = 1; i <= 19; ++i)
        for (int j = 1; j <= 19; ++j)
            n += g.hasStone(i, j);
    return n;
}

TEST_F(RecordViewerTest, OpeningDrawsEachStoneOnceAndTheEmptyBoardOnlyOverStones)
{
    const struct {
        const char* name;
        QByteArray sgf;
        int boardsDrawn; // the empty board under the last one was already shown
    } rows[] = {
        {"handicap.sgf", "(;SZ[19]HA[2]AB[dp][pd];W[dd];B[pp];W[qq])", 0},
        {"again.sgf", "(;SZ[19]HA[2]AB[dp][pd];W[dd];B[pp];W[qq])", 1},
        {"capture.sgf", "(;SZ[19];B[ba];W[aa];B[ab])", 1},
    };
    for (const auto& r : rows) {
        const BoardRenderer::DrawCounts before = host.renderer().drawCounts();
        open(write(r.name, r.sgf));
        EXPECT_EQ(host.renderer().drawCounts().emptyBoards - before.emptyBoards, r.boardsDrawn) << r.name;
        EXPECT_EQ(host.renderer().drawCounts().stones - before.stones, stonesOn(game)) << r.name;
    }
}

TEST_F(RecordViewerTest, ALongCommentIsShownCutWithANote)
{
    const QString word(100000, QLatin1Char('x')); // no blank anywhere
    const QString head = word.left(RecordStepper::ShownCommentLength) + QStringLiteral("……\n");
    open(write("long.sgf", "(;SZ[9]PB[甲]C[" + word.toUtf8() + "];B[ee];W[cc];B[gg]C[" + word.toUtf8() + "y])"));
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_EQ(host.log[1].text, head + QStringLiteral("（这段评注共 100001 字，太长，只显示了前 4000 字。）"));
    EXPECT_EQ(viewer.stepper().RootComment(), word) << "the record keeps the whole comment";
    EXPECT_EQ(row(4), QStringLiteral("  甲"));
    EXPECT_EQ(game.MoveCount(), 3);

    viewer.runCommand(Command::OpenFirst);
    viewer.boardClick(1, 1, Qt::RightButton); // to the root
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_EQ(host.log[1].text, head + QStringLiteral("（这段评注共 100000 字，太长，只显示了前 4000 字。）"));
    EXPECT_EQ(game.MoveCount(), 0);
}

TEST_F(RecordViewerTest, ARecordAboveTheLimitIsRefusedAndTheGameKept)
{
    open(write("good.sgf", "(;SZ[9]PB[甲];B[cc];W[gg])"));
    const auto board = points(game);
    const std::vector<std::string> moves = game.MoveList();
    std::string sgf = "(;SZ[19]";
    for (std::size_t k = 0; k <= MaxRecordNodes; ++k)
        sgf += k % 2 ? ";W[]" : ";B[]";
    host.dialogs.paths.push_back(write("huge.sgf", QByteArray::fromStdString(sgf + ")")));
    const QString error = errorOf([&] { viewer.runCommand(Command::OpenFile); });
    EXPECT_EQ(error, QStringLiteral("无法打开棋谱“huge.sgf”：棋谱太长：超过了 100 万个节点（着手），不能打开。"));
    EXPECT_EQ(points(game), board);
    EXPECT_EQ(game.MoveList(), moves);
    EXPECT_EQ(row(4), QStringLiteral("  甲"));
    EXPECT_EQ(viewer.stepper().RecordNodes().size(), 2u);
}

TEST_F(RecordViewerTest, SavesAsSgfTextAndBitmap)
{
    open(write("save.sgf", "(;SZ[9]PB[甲]PW[乙]RE[B+R];B[cc];W[gg];B[]) "));
    SaveCommands save(host);
    save.today = [] { return QDate(2026, 12, 7); };

    const QString sgf = scratch.filePath(QStringLiteral("out.sgf"));
    host.dialogs.paths = {sgf, QString()};
    save.Menu_Option_SaveSGFClick();
    save.Menu_Option_SaveSGFClick(); // cancelled: nothing counts
    ASSERT_EQ(host.dialogs.files.size(), 3u);
    EXPECT_EQ(host.dialogs.files[1].proposedName, QStringLiteral("Game 2026-12-07_01.sgf"));
    EXPECT_EQ(host.dialogs.files[1].title, QStringLiteral("保存棋谱文件为 . . ."));
    EXPECT_EQ(host.dialogs.files[1].filter, QStringLiteral("SGF格式棋谱(*.sgf)"));
    EXPECT_EQ(host.dialogs.files[2].proposedName, QStringLiteral("Game 2026-12-07_02.sgf"));
    EXPECT_EQ(save.SaveCounter, 2);
    const ReadOutcome back = ReadingSGFFile(sgf);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.record.info.BlackName, QStringLiteral("甲"));
    EXPECT_EQ(back.record.info.GameResult, QStringLiteral("B+R"));
    EXPECT_EQ(back.record.boardSize, 9);
    EXPECT_EQ(back.record.recordNodes, game.MoveList());

    const QString txt = scratch.filePath(QStringLiteral("out.txt"));
    host.dialogs.paths = {txt};
    save.Menu_Option_SaveTXTClick();
    EXPECT_EQ(host.dialogs.files.back().proposedName, QStringLiteral("Game 2026-12-07.txt"));
    QFile t(txt);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = t.readAll().split('\n');
    ASSERT_EQ(lines.size(), 9 + 3); // n + 2 lines, each ended by CR LF
    EXPECT_EQ(lines[3], gbk::encode(QStringLiteral(" ├┼●┼┼┼﹢┼┤ 3\r")));
    EXPECT_EQ(lines[7], gbk::encode(QStringLiteral(" ├┼﹢┼┼┼○┼┤ 7\r")));

    const QString bmp = scratch.filePath(QStringLiteral("out.bmp"));
    host.dialogs.paths = {bmp};
    save.Menu_Option_SaveBMPClick();
    EXPECT_EQ(host.dialogs.files.back().proposedName, QStringLiteral("Game 2026-12-07.bmp"));
    const QImage picture(bmp);
    const int s = 9 * host.renderer().ChessSize() + 2 * host.renderer().BoardMargin();
    ASSERT_EQ(picture.size(), QSize(s, s));
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
              host.renderer().PaintBox1().copy(0, 0, s, s).convertToFormat(QImage::Format_RGB32));

    // A failure names the file, keeps the counter and the file already there.
    host.dialogs.paths = {scratch.filePath(QStringLiteral("no-such-folder/x.sgf"))};
    const QString error = errorOf([&] { save.Menu_Option_SaveSGFClick(); });
    EXPECT_TRUE(error.contains(QStringLiteral("x.sgf"))) << error.toStdString();
    EXPECT_EQ(save.SaveCounter, 2);
}

TEST(RecordViewerWindow, TheCommandLineRecordOpensInTheRecordMode)
{
    if (!QFile::exists(Classic)) GTEST_SKIP() << "no shared test records";
    zemra::testing::TestDialogs dialogs;
    const std::unique_ptr<TFormMain> started = zemra::testing::startWindow(QFile::encodeName(Classic));
    TFormMain& form = *started;
    form.setUserDialogs(&dialogs);
    EXPECT_EQ(form.GameMode(), QStringLiteral("open"));
    EXPECT_EQ(form.infoPanel().StringGrid1()->Cells(1, 4), QStringLiteral("  Akaboshi Intetsu"));
    const RecordViewer& viewer = form.controller<RecordViewer>();
    EXPECT_EQ(viewer.stepper().RecordPos(), static_cast<int>(viewer.stepper().RecordNodes().size()));
    EXPECT_TRUE(form.StoneSoundOn);

    // The window's save item reaches the writer.
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("w.sgf"));
    dialogs.paths = {path};
    form.action(Command::SaveSGF)->trigger();
    EXPECT_EQ(ReadingSGFFile(path).record.recordNodes, form.game().MoveList());
    EXPECT_EQ(form.saveCommands().SaveCounter, 2);
}

// The record is on the board before the board is first drawn, at the
// window's size: the empty board is drawn once, each stone once.
TEST(RecordViewerWindow, ACommandLineRecordIsDrawnOnce)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray sgf;
    } rows[] = {
        {"capture.sgf", "(;SZ[9];B[ba];W[aa];B[ab]LB[ee:A])"},
        {"handicap.sgf", "(;SZ[19]HA[2]AB[dp][pd];W[dd];B[pp];W[qq])"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        QFile file(dir.filePath(QString::fromLatin1(r.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(r.sgf) == r.sgf.size());
        file.close();
        const std::unique_ptr<TFormMain> form = zemra::testing::startWindow(QFile::encodeName(file.fileName()));
        ASSERT_GT(form->game().MoveCount(), 0);
        const BoardRenderer::DrawCounts drawn = form->renderer().drawCounts();
        EXPECT_EQ(drawn.emptyBoards, 1);
        EXPECT_EQ(drawn.stones, stonesOn(form->game()));
        // Nothing is missing: drawn again from scratch, the picture is the same.
        const QImage shown = form->renderer().PaintBox1().copy();
        form->FormResize();
        EXPECT_EQ(form->renderer().PaintBox1(), shown);
    }
}

namespace {

// What the side panel shows: the log, the grid, and each label's text,
// colour and size.
QStringList panelText(TFormMain& form)
{
    QStringList shown{form.messageLog()->toPlainText()};
    InfoPanel& panel = form.infoPanel();
    for (int row = 0; row < InfoGrid::RowCount; ++row)
        shown << panel.StringGrid1()->Cells(0, row) + QLatin1Char('|') + panel.StringGrid1()->Cells(1, row);
    for (const QLabel* l : {panel.LabelBlack(), panel.LabelWhite(), panel.LabelBlackDead(), panel.LabelWhiteDead()})
        shown << QStringLiteral("%1 %2 %3x%4")
                     .arg(l->text(), l->palette().color(QPalette::WindowText).name())
                     .arg(l->width())
                     .arg(l->height());
    return shown;
}

} // namespace

// The panels are made once the command-line record is in; they show what
// they would have shown had they been there when it was opened.
TEST(RecordViewerWindow, ACommandLineRecordLeavesThePanelsAsOpeningItLater)
{
    if (!QFile::exists(Classic)) GTEST_SKIP() << "no shared test records";
    const QStringList started = panelText(*zemra::testing::startWindow(QFile::encodeName(Classic)));

    zemra::testing::TestDialogs dialogs;
    TFormMain form;
    form.setUserDialogs(&dialogs);
    const QStringList before = panelText(form); // made now, before the record
    form.Menu_Mode_OpenClick();
    dialogs.paths = {Classic};
    form.action(Command::OpenFile)->trigger();
    const QStringList opened = panelText(form);
    ASSERT_NE(opened, before);
    EXPECT_EQ(started, opened);
}

TEST(RecordViewerWindow, ABadCommandLineFileIsReportedAndTheBoardStaysUsable)
{
    QStringList shown;
    ZemraApplication::setErrorSink([&](const QString& m) { shown << m; });
    const std::unique_ptr<TFormMain> form = zemra::testing::startWindow(QByteArrayLiteral("/nonexistent/record.sgf"));
    ZemraApplication::setErrorSink({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("record.sgf")));
    EXPECT_EQ(form->GameMode(), QStringLiteral("open"));
    EXPECT_EQ(form->game().MoveCount(), 0);
}
