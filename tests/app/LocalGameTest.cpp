// The local game flow on a real model and a real information panel, with
// the window replaced by a recording host.
#include <QDate>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/InfoPanel.h"
#include "app/LocalGame.h"
#include "tests/app/RecordingHost.h"

using namespace zemra;

namespace {

const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);
const QString MarkingRefusal = QStringLiteral("\r请先取消\"标记死子\"！");
const QString UndoHint = QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来实现“悔棋”！");

using zemra::testing::LogEntry;

// Everything a click may change, to show that a refusal changed nothing.
struct Snapshot {
    std::vector<std::string> points;
    std::vector<std::string> moves;
    Colour side;
    int moveCount;
    QString blackDead, whiteDead;
    QColor blackColour, whiteColour;
    bool operator==(const Snapshot&) const = default;
};

class LocalGameTest : public ::testing::Test {
protected:
    zemra::testing::RecordingHost host;
    WeiQiGame& game = host.board;
    InfoPanel& panel = host.panel;
    LocalGame local{host};
    std::optional<LocalNewGameChoice> answer;
    int asked = 0;

    void SetUp() override
    {
        local.askNewGame = [this] {
            ++asked;
            return answer;
        };
        local.enterMode();
    }
    StoneLabelMode labelMode() const { return host.renderer().StoneLabelMode(); }

    QString row(int r) const { return panel.StringGrid1()->Cells(1, r); }
    QColor colour(const QLabel* label) const { return label->palette().color(QPalette::WindowText); }
    void left(int i, int j) { local.boardClick(i, j, Qt::LeftButton); }
    void right() { local.boardClick(1, 1, Qt::RightButton); }

    Snapshot snapshot() const
    {
        Snapshot s;
        for (int i = 1; i <= 19; ++i)
            for (int j = 1; j <= 19; ++j)
                s.points.push_back(game.BoardPoints(i, j));
        s.moves = game.MoveList();
        s.side = game.SideToMove();
        s.moveCount = game.MoveCount();
        s.blackDead = panel.LabelBlackDead()->text();
        s.whiteDead = panel.LabelWhiteDead()->text();
        s.blackColour = colour(panel.LabelBlack());
        s.whiteColour = colour(panel.LabelWhite());
        return s;
    }

    void expectToMove(Colour side)
    {
        EXPECT_EQ(game.SideToMove(), side);
        EXPECT_EQ(colour(panel.LabelBlack()), side == Colour::Black ? Blue : Black);
        EXPECT_EQ(colour(panel.LabelWhite()), side == Colour::White ? Blue : Black);
    }

    // A white stone on (2,2) taken by Black's (3,2); White may not retake.
    void playKo()
    {
        for (const auto& [i, j] : {std::pair{1, 2}, {4, 2}, {2, 1}, {3, 1}, {2, 3}, {3, 3}, {10, 10}, {2, 2}, {3, 2}})
            left(i, j);
        ASSERT_EQ(game.MoveCount(), 9);
    }
};

TEST_F(LocalGameTest, EnteringTheModeShowsTheDefaultGame)
{
    const QString rows[] = {"  围棋友谊赛", "  " + QDate::currentDate().toString("yyyy-MM-dd"),
                            "  中国",       "  山间的清风",
                            "  9 段",       "  月下の旅人",
                            "  9 段",       "  19×19",
                            "  0",          "  贴2又3/4子",
                            "  正在比赛！", "  岚石围棋网"};
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(row(r), rows[r - 1]) << r;
    EXPECT_EQ(panel.LabelBlack()->text(), QStringLiteral("山间的清风"));
    EXPECT_EQ(panel.LabelWhite()->text(), QStringLiteral("月下の旅人"));
    EXPECT_EQ(panel.LabelBlackDead()->text(), QStringLiteral("0 个"));
    expectToMove(Colour::Black);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(LocalGameTest, EnteringKeepsTheSizeButDropsStonesAndAnyOldHandicap)
{
    game.newGame(GameSetup::fixed(9, 0));
    left(5, 5);
    local.enterMode();
    EXPECT_EQ(row(8), QStringLiteral("  9×9"));
    EXPECT_EQ(game.BoardPoints(5, 5), "");

    game.newGame(GameSetup::fixed(19, 3)); // left by an earlier game or record
    left(5, 5);
    local.enterMode();
    EXPECT_EQ(row(9), QStringLiteral("  0"));
    EXPECT_EQ(game.HandicapCount(), 0);
    EXPECT_EQ(game.MoveCount(), 0);
    EXPECT_EQ(game.BoardPoints(5, 5), "");
    expectToMove(Colour::Black);
}

TEST_F(LocalGameTest, NewGameWithThreeStoneHandicap)
{
    GameSetup record = GameSetup::fixed(19, 3);
    record.threeStoneLowerRight = true; // left by a record: must not move the local layout
    game.newGame(record);
    answer = LocalNewGameChoice{QStringLiteral("黑方"), QStringLiteral("白方"), 19, 3};
    local.Menu_Local_NewGameClick();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(row(3), QStringLiteral("  Local Area Network"));
    EXPECT_EQ(row(4), QStringLiteral("  黑方"));
    EXPECT_EQ(row(6), QStringLiteral("  白方"));
    EXPECT_EQ(row(8), QStringLiteral("  19×19"));
    EXPECT_EQ(row(9), QStringLiteral("  3"));
    EXPECT_EQ(panel.LabelBlack()->text(), QStringLiteral("黑方"));
    for (const auto& [i, j] : {std::pair{4, 16}, {16, 4}, {4, 4}})
        EXPECT_EQ(game.BoardPoints(i, j), "BlackChess0");
    EXPECT_EQ(game.BoardPoints(16, 16), "");
    EXPECT_EQ(game.MoveCount(), 0);
    expectToMove(Colour::White);

    left(10, 10);
    EXPECT_EQ(game.MoveList().back(), ";W[jj]");
    expectToMove(Colour::Black);
}

TEST_F(LocalGameTest, NewGameReplacesTheWholeGame)
{
    left(4, 4);
    left(5, 5);
    local.Menu_Local_FlagDeadClick();
    game.MarkingClick(4, 4);

    answer = LocalNewGameChoice{QStringLiteral("甲"), QStringLiteral("乙"), 9, 0};
    local.Menu_Local_NewGameClick();
    EXPECT_EQ(game.PreviousBoardSize(), 19);
    EXPECT_EQ(game.BoardSize(), 9);
    EXPECT_EQ(row(8), QStringLiteral("  9×9"));
    EXPECT_EQ(row(9), QStringLiteral("  0"));
    EXPECT_EQ(game.MoveCount(), 0);
    EXPECT_TRUE(game.MoveList().empty());
    EXPECT_EQ(game.BoardPoints(4, 4), "");
    EXPECT_FALSE(game.MarkingDead());
    EXPECT_FALSE(local.commandState(Command::LocalFlagDead)->checked);
    EXPECT_EQ(game.PointMarks(4, 4), "");
    EXPECT_EQ(labelMode(), StoneLabelMode::LastMoveMark);
    expectToMove(Colour::Black);
}

TEST_F(LocalGameTest, CancelledOrImpossibleNewGameChangesNothing)
{
    left(4, 4);
    const Snapshot before = snapshot();
    answer.reset();
    local.Menu_Local_NewGameClick();
    EXPECT_EQ(snapshot(), before);

    // Values the dialog never returns are refused rather than half applied.
    const LocalNewGameChoice impossible[] = {{"a", "b", 4, 0}, {"a", "b", 20, 0}, {"a", "b", 9, 3}, {"a", "b", 19, 1}};
    for (const LocalNewGameChoice& c : impossible) {
        EXPECT_FALSE(local.StartNewGame(c));
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(game.BoardSize(), 19);
    }
}

TEST_F(LocalGameTest, LeftClickPlaysAndHandsTheMoveOver)
{
    left(16, 4);
    EXPECT_EQ(game.BoardPoints(16, 4), "BlackChess1");
    expectToMove(Colour::White);
    left(4, 16);
    EXPECT_EQ(game.BoardPoints(4, 16), "WhiteChess2");
    expectToMove(Colour::Black);
    local.boardClick(10, 10, Qt::MiddleButton);
    EXPECT_EQ(game.MoveCount(), 2);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(LocalGameTest, RefusedMovesAreSilent)
{
    playKo();
    EXPECT_EQ(panel.LabelWhiteDead()->text(), QStringLiteral("1 个"));
    expectToMove(Colour::White);
    const struct {
        int i, j;
        const char* why;
    } refused[] = {{2, 2, "ko"}, {1, 1, "suicide"}, {10, 10, "occupied"}, {20, 3, "off the board"}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.why);
        const Snapshot before = snapshot();
        left(r.i, r.j);
        EXPECT_EQ(snapshot(), before);
    }
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.dialogs.boxes.isEmpty());
}

TEST_F(LocalGameTest, RightClickTakesBackWithoutHint)
{
    right(); // nothing to undo
    EXPECT_EQ(game.MoveCount(), 0);
    expectToMove(Colour::Black);

    playKo();
    right(); // takes back the capture
    EXPECT_EQ(game.BoardPoints(2, 2), "WhiteChess8");
    EXPECT_EQ(game.BoardPoints(3, 2), "");
    EXPECT_EQ(panel.LabelWhiteDead()->text(), QStringLiteral("0 个"));
    expectToMove(Colour::Black);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(LocalGameTest, PassesAreMovesWithMessages)
{
    local.Menu_Local_PassClick();
    expectToMove(Colour::White);
    local.Menu_Local_PassClick();
    expectToMove(Colour::Black);
    EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[]", ";W[]"}));
    EXPECT_EQ(host.log, (std::vector<LogEntry>{{"System", "黑棋弃权一手！"}, {"System", "白棋弃权一手！"}}));

    host.log.clear();
    local.Menu_Local_UndoClick();
    expectToMove(Colour::White);
    EXPECT_EQ(game.MoveList(), std::vector<std::string>{";B[]"});
    local.Menu_Local_UndoClick();
    local.Menu_Local_UndoClick(); // nothing left: the hint still comes
    EXPECT_EQ(game.MoveCount(), 0);
    expectToMove(Colour::Black);
    EXPECT_EQ(host.log, (std::vector<LogEntry>(3, {"System", UndoHint})));
}

TEST_F(LocalGameTest, MarkingRefusesUndoPassAndClicks)
{
    left(4, 4);
    left(16, 16);
    local.Menu_Local_FlagDeadClick();
    EXPECT_TRUE(game.MarkingDead());
    EXPECT_TRUE(local.commandState(Command::LocalFlagDead)->checked);
    EXPECT_EQ(labelMode(), StoneLabelMode::Marking);
    const Snapshot before = snapshot();

    local.Menu_Local_UndoClick();
    local.Menu_Local_PassClick();
    left(10, 10);
    right();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(host.dialogs.boxes, (QStringList{MarkingRefusal, MarkingRefusal}));
    EXPECT_TRUE(host.log.empty());

    game.MarkingClick(4, 4);
    EXPECT_EQ(game.PointMarks(4, 4), "Black Dead");
    local.Menu_Local_FlagDeadClick();
    EXPECT_FALSE(game.MarkingDead());
    EXPECT_FALSE(local.commandState(Command::LocalFlagDead)->checked);
    EXPECT_EQ(game.PointMarks(4, 4), "");
    EXPECT_EQ(labelMode(), StoneLabelMode::LastMoveMark);
    local.Menu_Local_PassClick();
    EXPECT_EQ(game.MoveCount(), 3);
}

class LocalGameCountTest : public LocalGameTest {
protected:
    // 5 × 5: a black wall on column 2, a white wall on column 3 and one
    // black stone inside White's side.
    void SetUp() override
    {
        LocalGameTest::SetUp();
        ASSERT_TRUE(local.StartNewGame({QStringLiteral("黑"), QStringLiteral("白"), 5, 0}));
        for (int j = 1; j <= 5; ++j) {
            left(2, j);
            left(3, j);
        }
        left(5, 3);
        ASSERT_EQ(game.MoveCount(), 11);
        host.log.clear();
    }

    std::vector<LogEntry> report(const std::vector<const char*>& middle) const
    {
        const QString rule(38, QLatin1Char('-'));
        std::vector<LogEntry> lines{{"Version", rule}};
        for (const char* m : middle)
            lines.push_back({"Version", QString::fromUtf8(m)});
        lines.push_back({"Version", rule});
        return lines;
    }
};

TEST_F(LocalGameCountTest, MarkedStoneCountsForWhite)
{
    local.Menu_Local_FlagDeadClick();
    game.MarkingClick(5, 3);
    local.Menu_Local_DianMuClick();
    const auto expected = report({"白方：10(空)+1(黑子)+0(贴目) = 11 目", "黑方：5(空)+0(白子) = 5 目",
                                  "公共地域：0 目    未知地域：0 目", "=> 点目结果：不计贴目时，白棋胜 6 目"});
    EXPECT_EQ(host.log, expected);

    // Again with the same marks: the same lines, the mark still there.
    host.log.clear();
    local.Menu_Local_DianMuClick();
    EXPECT_EQ(host.log, expected);
    EXPECT_EQ(game.PointMarks(5, 3), "Black Dead");
}

TEST_F(LocalGameCountTest, WithoutMarkingOldMarksAreForgotten)
{
    game.setPointMark(5, 3, MarkCode::BlackDead);
    local.Menu_Local_DianMuClick();
    EXPECT_EQ(host.log, report({"白方：0(空)+0(黑子)+0(贴目) = 0 目", "黑方：5(空)+0(白子) = 5 目",
                                "公共地域：9 目    未知地域：0 目", "=> 点目结果：不计贴目时，黑棋胜 5 目"}));
}

TEST_F(LocalGameTest, EmptyBoardCountsAsADraw)
{
    local.Menu_Local_DianMuClick();
    ASSERT_EQ(host.log.size(), 6u);
    EXPECT_EQ(host.log[4], (LogEntry{"Version", "=> 点目结果：不计贴目时，结果为和棋！"}));
}

} // namespace
