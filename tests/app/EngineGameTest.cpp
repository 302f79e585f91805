// The engine game against the scripted fake engine, run as a real child
// process with the window replaced by a recording host; and one short game
// against the real GNU Go through the window itself.
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/EngineGame.h"
#include "app/FormMain.h"
#include "app/MessageLog.h"
#include "app/MyMessageBox.h"
#include "app/ZemraApplication.h"
#include "board/Coordinates.h"
#include "board/MoveNode.h"
#include "engine/EngineCommand.h"
#include "engine/GTPUtils.h"
#include "engine/GtpProtocol.h"
#include "render/BoardRenderer.h"
#include "tests/MissingTool.h"
#include "tests/app/FakeEngineProgram.h"
#include "tests/app/RecordingHost.h"

using namespace zemra;
using zemra::testing::FakeEngineProgram;
using zemra::testing::LogEntry;

namespace {

const QString PassBox = QStringLiteral("\rGNU GO  弃权一手！");
const LogEntry EnginePass{"System", "GNU GO  弃权一手！"};
const LogEntry Interrupted{"System", QString::fromUtf8(EngineExitedText.data())};

class EngineGameTest : public ::testing::Test {
protected:
    zemra::testing::RecordingHost host;
    WeiQiGame& game = host.board;
    EngineGame engine{host};
    std::unique_ptr<FakeEngineProgram> fake;

    void SetUp() override { engine.enterMode(); }

    // A new game against the fake engine with this script; earlier records cleared.
    void start(const std::string& script, Colour user = Colour::Black, int size = 19, int handicap = 0)
    {
        if (engine.gameInProgress()) endGame();
        host.log.clear();
        host.dialogs.boxes.clear();
        host.notices.clear();
        host.waits.clear();
        fake = std::make_unique<FakeEngineProgram>(script);
        ASSERT_TRUE(engine.StartNewGame(fake->choice(user, size, handicap)));
        ASSERT_TRUE(engine.gameInProgress());
    }
    void click(int i, int j) { engine.boardClick(i, j, Qt::LeftButton); }
    QString resultRow() { return host.panel.StringGrid1()->Cells(1, 11); }
    void endGame()
    {
        host.dialogs.answers = {true};
        engine.Menu_GNUGO_EndGameClick();
        ASSERT_FALSE(engine.gameInProgress());
    }
};

TEST_F(EngineGameTest, EveryReplyShapeToTheEnginesMove)
{
    const struct {
        const char* script;
        const char* engineStone; // BoardPoints of D4 (4, 16), or of Q16 (16, 4) for the second row
        bool usersTurn, over;
        std::vector<LogEntry> log;
        QStringList boxes;
    } rows[] = {
        {"genmove|= D4\\n\\n", "WhiteChess2", true, false, {}, {}},
        {"genmove|= Q16\\r\\n\\r\\n", "WhiteChess2", true, false, {}, {}},
        {"genmove|= PASS\\n\\n", "", true, false, {EnginePass}, {PassBox}},
        {"genmove|= resign\\n\\n", "", false, true, {{"System", "GNU GO  投子认输！"}}, {"\rGNU GO  投子认输！"}},
        {"genmove|? illegal move\\n\\n", "", false, false, {}, {}},
        {"genmove|I think I will play\\n\\n", "", false, false, {}, {}},
        {"genmove|= T25\\n\\n", "", false, false, {}, {}}, // off the board: no move either
        {"genmove|@partial = Q\n", "", false, true, {Interrupted}, {"\r" + Interrupted.text}},
        {"play|@crash\n", "", false, true, {Interrupted}, {"\r" + Interrupted.text}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.script);
        start(r.script);
        click(4, 4);
        EXPECT_EQ(game.BoardPoints(4, 4), "BlackChess1");
        EXPECT_EQ(game.BoardPoints(std::strstr(r.script, "Q16") ? 16 : 4, std::strstr(r.script, "Q16") ? 4 : 16),
                  r.engineStone);
        EXPECT_EQ(game.MoveCount(), *r.engineStone ? 2 : 1);
        EXPECT_EQ(engine.usersTurn(), r.usersTurn);
        EXPECT_EQ(engine.gameInProgress(), !r.over);
        EXPECT_EQ(host.log, r.log);
        EXPECT_EQ(host.dialogs.boxes, r.boxes);
        EXPECT_EQ(host.cursor, r.usersTurn || r.over ? Qt::PointingHandCursor : Qt::WaitCursor);
        const bool crash = std::strstr(r.script, "play|");
        const bool resign = std::strstr(r.script, "resign");
        EXPECT_EQ(fake->commands(), std::string("play black D16\n") + (crash ? "" : "genmove white\n") + (resign ? "quit\n" : ""));
        EXPECT_EQ(host.notices, (resign ? QStringList{"NewGame", "Cheer"} : QStringList{"NewGame"}));
        if (r.over) {
            EXPECT_EQ(resultRow(), resign ? QStringLiteral("  GNU GO 投子认输！") : QStringLiteral("  比赛中断！"));
            EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[dd]"})) << "the board stays";
            EXPECT_FALSE(engine.closeRefusal().has_value());
        }
    }
}

TEST_F(EngineGameTest, PassesUndoAndTheOpeningMove)
{
    // As White on 9 × 9 the engine opens after the pause; its pass after ours is recorded.
    start("genmove|= E5\\n\\n\ngenmove|= PASS\\n\\n\n", Colour::White, 9);
    EXPECT_EQ(host.waits, QList<int>{20});
    EXPECT_EQ(fake->args(), "--mode gtp --quiet --level 1 --boardsize 9\n");
    engine.Menu_GNUGO_UNDOClick(); // only the engine's opening: nothing to take back
    engine.Menu_GNUGO_PASSClick();
    EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[ee]", ";W[]", ";B[]"}));
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{"System", "白棋弃权一手！"}, EnginePass}));
    EXPECT_EQ(host.notices, (QStringList{"NewGame", "Info"}));
    EXPECT_EQ(fake->commands(), "genmove black\nplay white pass\ngenmove black\n");

    // The engine's pass after a board move is not in the move list, and undo
    // still goes back exactly to before the user's move, as GNU Go does.
    start("genmove|= D4\\n\\n\ngenmove|= PASS\\n\\n\n");
    click(4, 4);
    click(10, 10);
    ASSERT_EQ(game.MoveList(), (std::vector<std::string>{";B[dd]", ";W[dp]", ";B[jj]"}));
    engine.Menu_GNUGO_UNDOClick();
    EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[dd]", ";W[dp]"}));
    engine.Menu_GNUGO_UNDOClick();
    engine.Menu_GNUGO_UNDOClick(); // nothing left of the user's
    EXPECT_TRUE(game.MoveList().empty());
    EXPECT_EQ(game.SideToMove(), Colour::Black);
    EXPECT_EQ(fake->commands(), "play black D16\ngenmove white\nplay black K10\ngenmove white\nundo\nundo\nundo\nundo\n");

    start("genmove|= C3\\n\\n\n", Colour::Black, 19, 3);
    EXPECT_EQ(fake->commands(), "fixed_handicap 3\ngenmove white\n");
    EXPECT_EQ(game.BoardPoints(3, 17), "WhiteChess1");
}

TEST_F(EngineGameTest, WhileTheEngineThinksOnlyEndingTheGameActs)
{
    // The engine sleeps and reads not even "quit"; a wait that went on would ask.
    engine.setSilenceLimit(std::chrono::seconds(20));
    start("genmove|@sleep 60000 = D4\\n\\n\n");
    QTimer thinking;
    thinking.callOnTimeout([&] {
        if (fake->commands().find("genmove") == std::string::npos) return;
        thinking.stop();
        EXPECT_TRUE(engine.closeRefusal().has_value());
        engine.Menu_GNUGO_EstimateClick();
        engine.Menu_GNUGO_HintClick();
        engine.Menu_GNUGO_UNDOClick();
        engine.Menu_GNUGO_FlagDeadClick();
        click(10, 10);
        endGame();
    });
    thinking.start(5);
    click(4, 4);
    EXPECT_EQ(host.dialogs.questions, QStringList{"信息提示|\r您确定结束当前对局吗？"}) << "ending the game ends the wait at once";
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{"System", QString::fromUtf8(EstimateBusyText.data())},
                                                {"System", QString::fromUtf8(HintBusyText.data())},
                                                {"System", "计算机正在思考，请等会儿再悔棋。"},
                                                {"System", "和GNU GO的对局已经结束！"}}));
    EXPECT_EQ(host.dialogs.boxes, QStringList{"\r计算机正在思考，请等会儿再标记死子！"});
    // Nothing sent for the refused commands ("quit" may come too late for the sleeping engine to read).
    const std::string sent = fake->commands();
    EXPECT_TRUE(sent == "play black D16\ngenmove white\n" || sent == "play black D16\ngenmove white\nquit\n") << sent;
    EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[dd]"}));
}

TEST_F(EngineGameTest, ASilentEngineIsGivenUpAfterAsking)
{
    engine.setSilenceLimit(std::chrono::milliseconds(100));
    start("genmove|@silent\n");
    host.dialogs.answers = {true, false}; // wait once more, then give up
    click(4, 4);
    EXPECT_EQ(host.dialogs.questions.size(), 2);
    EXPECT_EQ(resultRow(), QStringLiteral("  比赛中断！"));
    EXPECT_TRUE(host.log.at(0).text.contains(QStringLiteral("长时间没有回应")));
    EXPECT_EQ(game.MoveList(), std::vector<std::string>{";B[dd]"});
}

TEST_F(EngineGameTest, AnEngineThatTalksWithoutEndingItsReplyIsStoppedAndTheGameKept)
{
    const LogEntry unending{"System", QString::fromUtf8(EngineUnendingText.data())};
    const struct {
        const char* script;
        int questions; // a reply past the limit is not waited on: the engine is broken
    } rows[] = {
        {"genmove|@chatter 2\n", 1},                // progress lines for ever: the silence limit asks
        {"genmove|@chatter 0\n", 0},                // flat out: the reply limit stops it
        {"genmove|@flood 2000000 = D4\\n\\n\n", 0}, // 2 MB of debug before the move
    };
    engine.setSilenceLimit(std::chrono::milliseconds(200));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.script);
        start(r.script);
        host.dialogs.questions.clear();
        host.dialogs.answers = {false};
        // The window's own events go on while the engine talks.
        int eventsWhileTalking = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout,
                         [&] { eventsWhileTalking += fake->commands().find("genmove") != std::string::npos; });
        timer.start(0);
        click(4, 4);
        timer.stop();
        EXPECT_GT(eventsWhileTalking, 0);
        EXPECT_EQ(host.dialogs.questions.size(), r.questions);
        EXPECT_FALSE(engine.gameInProgress());
        EXPECT_EQ(host.log, std::vector<LogEntry>{unending});
        EXPECT_EQ(host.dialogs.boxes, QStringList{"\r" + unending.text});
        EXPECT_EQ(resultRow(), QStringLiteral("  比赛中断！"));
        EXPECT_EQ(game.MoveList(), std::vector<std::string>{";B[dd]"}) << "the board stays";
        EXPECT_EQ(host.cursor, Qt::PointingHandCursor);
    }
}

TEST_F(EngineGameTest, EndingTheEngineEndsWhatItStarted)
{
    // Gone, or a zombie waiting for whoever adopted it.
    const auto gone = [](pid_t pid) {
        if (::kill(pid, 0) != 0) return errno == ESRCH;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string field;
        for (int k = 0; k < 3 && stat >> field; ++k) {
        }
        return field == "Z";
    };
    for (const char* script : {"genmove|@fork = D4\\n\\n\n", "genmove|@fork @crash\n"}) {
        SCOPED_TRACE(script);
        start(script);
        click(4, 4);
        const pid_t child = fake->childPid();
        ASSERT_GT(child, 0);
        if (engine.gameInProgress()) {
            EXPECT_FALSE(gone(child));
            endGame();
        }
        EXPECT_TRUE(gone(child));
    }
}

TEST_F(EngineGameTest, WithoutAGameEveryCommandOnlySaysSo)
{
    for (Command c : {Command::GnuUndo, Command::GnuPass, Command::GnuEstimate, Command::GnuHint, Command::GnuFlagDead,
                      Command::GnuDianMu})
        engine.runCommand(c);
    EXPECT_EQ(host.log, std::vector<LogEntry>(6, {"System", "您不在对局中，不能使用这项功能！"}));
    click(4, 4);
    EXPECT_EQ(game.MoveCount(), 0);

    // No engine at all: the error box, how to install one, and a usable board.
    QStringList errors;
    ZemraApplication::setErrorSink([&](const QString& m) { errors << m; });
    GnuNewGameChoice choice = FakeEngineProgram().choice(Colour::Black, 9);
    choice.engineFile = QStringLiteral("/nonexistent/gnugo");
    engine.StartNewGame(choice);
    ZemraApplication::setErrorSink({});
    EXPECT_EQ(errors, QStringList{withLineBreaks(QString::fromUtf8(ECreateChildProcessErr().what()))});
    EXPECT_TRUE(host.log.back().text.contains(QStringLiteral("apt install gnugo")));
    EXPECT_FALSE(engine.gameInProgress());
    EXPECT_TRUE(engine.commandState(Command::GnuNewGame)->enabled);
    EXPECT_EQ(game.BoardSize(), 9);
}

TEST_F(EngineGameTest, MarkingRefusesPassAndUndoAndEndsWithTheGame)
{
    start("genmove|= D4\\n\\n");
    click(4, 4);
    engine.Menu_GNUGO_FlagDeadClick();
    engine.Menu_GNUGO_PASSClick();
    engine.Menu_GNUGO_UNDOClick();
    EXPECT_EQ(host.dialogs.boxes, QStringList(2, QStringLiteral("\r请先取消\"标记死子\"！")));
    EXPECT_EQ(game.MoveCount(), 2);
    host.dialogs.answers = {false};
    engine.Menu_GNUGO_EndGameClick(); // "取消": nothing changes
    EXPECT_TRUE(engine.gameInProgress() && game.MarkingDead());
    endGame();
    EXPECT_FALSE(game.MarkingDead());
}

TEST_F(EngineGameTest, MenuItemsFollowTheGame)
{
    // New game, undo, pass, end game, marking: "e" enabled, "-" disabled, "v" ticked.
    const Command items[] = {Command::GnuNewGame, Command::GnuUndo, Command::GnuPass, Command::GnuEndGame,
                             Command::GnuFlagDead};
    const auto shown = [&] {
        std::string s;
        for (const Command c : items) {
            const CommandState state = *engine.commandState(c);
            s += state.checked ? 'v' : state.enabled ? 'e' : '-';
        }
        return s;
    };
    const struct {
        const char* step;
        std::function<void()> act;
        const char* items;
    } rows[] = {
        {"no game yet", [] {}, "eee-e"},
        {"a game runs", [&] { start("genmove|= D4\\n\\n"); click(4, 4); }, "-eeee"},
        {"marking", [&] { engine.Menu_GNUGO_FlagDeadClick(); }, "-eeev"},
        {"the engine resigns", [&] { start("genmove|= resign\\n\\n"); click(4, 4); }, "e---e"},
    };
    for (const auto& r : rows) {
        r.act();
        EXPECT_EQ(shown(), r.items) << r.step;
    }
}

TEST_F(EngineGameTest, AHintBlinksUntilThePressAndLeavesThePointAsItWas)
{
    start("gg_genmove|= C3\\n\\n\ngg_genmove|= PASS\\n\\n\n", Colour::Black, 9);
    const QPoint at = host.renderer().layout().intersection(3, 7) + QPoint(-3, 3);
    const QColor empty = host.renderer().PaintBox1().pixelColor(at);
    QList<bool> stoneShown;
    host.duringWait = [&](int) {
        stoneShown << (host.renderer().PaintBox1().pixelColor(at) != empty);
        if (stoneShown.size() == 3) engine.boardPressed();
    };
    engine.Menu_GNUGO_HintClick();
    EXPECT_EQ(stoneShown, (QList<bool>{true, false, true, false}));
    EXPECT_EQ(host.waits, (QList<int>{4, 4, 4, 4}));
    EXPECT_EQ(host.renderer().PaintBox1().pixelColor(at), empty);
    EXPECT_EQ(game.MoveCount(), 0) << "a hint plays nothing";
    engine.Menu_GNUGO_HintClick();
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{"System", "棋局可能已经结束，电脑建议弃权。"}}));
    EXPECT_EQ(fake->commands(), "gg_genmove black\ngg_genmove black\n");
}

// Sorted GTP vertices of one colour: ours, then GNU Go's for the same moves.
std::vector<std::string> ourStones(const WeiQiGame& game, const char* code)
{
    std::vector<std::string> v;
    for (int i = 1; i <= game.BoardSize(); ++i)
        for (int j = 1; j <= game.BoardSize(); ++j)
            if (game.BoardPoints(i, j).rfind(code, 0) == 0) v.push_back(iToGNU(i) + jToGNU(j, game.BoardSize()));
    return std::sort(v.begin(), v.end()), v;
}
std::vector<std::string> gnuGosStones(GtpEngine& gtp, const char* colour)
{
    std::istringstream words(std::string(gtp::replyBody(gtp.request(std::string("list_stones ") + colour, 50).text)));
    std::vector<std::string> v{std::istream_iterator<std::string>(words), {}};
    return std::sort(v.begin(), v.end()), v;
}

} // namespace

// A short game against the real GNU Go through the window's own menus and
// clicks; GNU Go, given our move list afresh, must then see our board.
TEST(EngineGameGnuGo, AShortGameThroughTheWindowMatchesGnuGosBoard)
{
    if (findSystemGnuGo().empty()) ZEMRA_SKIP_OR_FAIL_IN_CI("gnugo is not installed; scripts/install-deps installs it");
    for (const auto& [size, handicap] : {std::pair{9, 0}, {19, 3}}) {
        SCOPED_TRACE(size);
        zemra::testing::TestDialogs dialogs;
        dialogs.defaultAnswer = true;
        TFormMain form;
        form.setUserDialogs(&dialogs);
        form.show();
        QCoreApplication::processEvents(); // the board is laid out once the window is shown
        const auto menu = [&](Command c) { form.action(c)->trigger(); };
        menu(Command::ModeGNUGO);
        EngineGame& engine = form.controller<EngineGame>();
        engine.askNewGame = [size, handicap] {
            return std::optional<GnuNewGameChoice>({Colour::Black, size, handicap, 1, QStringLiteral("./gnugo"), true});
        };
        menu(Command::GnuNewGame);
        ASSERT_TRUE(engine.gameInProgress());
        WeiQiGame& game = form.game();
        EXPECT_EQ(game.MoveCount(), handicap ? 1 : 0) << "with a handicap the engine opens";

        for (const auto& [i, j] : {std::pair{3, 3}, {7, 7}, {3, 7}, {7, 3}}) {
            if (game.hasStone(i, j) || game.MoveCount() > 4) continue;
            const int before = game.MoveCount();
            const QPoint p = form.renderer().layout().intersection(i, j);
            form.PaintBox1MouseDown(Qt::LeftButton);
            form.PaintBox1MouseUp(Qt::LeftButton, p.x(), p.y());
            EXPECT_EQ(game.MoveCount(), before + 2) << "our stone and GNU Go's";
        }
        menu(Command::GnuPass);
        const int beforeUndo = game.MoveCount();
        menu(Command::GnuUndo);
        EXPECT_LT(game.MoveCount(), beforeUndo);
        bool blinked = false;
        QTimer press; // once the hint blinks, however long GNU Go thinks
        press.callOnTimeout([&] {
            if (!engine.hintBlinking()) return;
            blinked = true;
            press.stop();
            form.PaintBox1MouseDown(Qt::LeftButton);
        });
        press.start(10);
        menu(Command::GnuHint);
        EXPECT_TRUE(blinked);
        menu(Command::GnuEstimate);
        EXPECT_TRUE(form.messageLog()->toPlainText().contains(QStringLiteral("不计贴目时")));

        GtpEngine replay;
        std::string error;
        ASSERT_TRUE(replay.start({findSystemGnuGo(), "--mode", "gtp", "--boardsize", std::to_string(size)}, error));
        if (handicap) replay.request(gtp::fixedHandicap(handicap), 10);
        for (const std::string& node : game.MoveList()) {
            const MoveNode m = parseMoveNode(node).value();
            replay.request(m.pass ? gtp::playPass(m.colour) : gtp::play(m.colour, m.i, m.j, size), 10);
        }
        EXPECT_EQ(ourStones(game, "BlackChess"), gnuGosStones(replay, "black"));
        EXPECT_EQ(ourStones(game, "WhiteChess"), gnuGosStones(replay, "white"));
        replay.quit();
        menu(Command::GnuEndGame);
        EXPECT_EQ(form.gameInfo().GameResult, QStringLiteral("比赛中断！"));
    }
}
