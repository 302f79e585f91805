#include <gtest/gtest.h>

#include "BoardTestUtil.h"

using namespace zemra;
using namespace zemra::test;

namespace {

class MarkingTest : public ::testing::Test {
protected:
    RecordingView view{&game};
    WeiQiGame game{&view};
    void SetUp() override { game.InitWeiQiGame(); }

    int marked(MarkCode m) const
    {
        int n = 0;
        for (int i = 1; i <= 19; ++i)
            for (int j = 1; j <= 19; ++j)
                n += game.pointMark(i, j) == m;
        return n;
    }
};

} // namespace

TEST_F(MarkingTest, ClickMarksTheChainButNotADiagonalNeighbour)
{
    play(game, "aa pp ba pq bb cb cc"); // black chain aa-ba-bb; cc only diagonal
    game.SetMarkingDead(true);
    game.MarkingClick(1, 1);
    EXPECT_EQ(marked(MarkCode::BlackDead), 3);
    EXPECT_EQ(game.PointMarks(3, 3), "");
    EXPECT_EQ(game.PointMarks(2, 2), "Black Dead");

    game.MarkingClick(16, 16); // a white stone
    EXPECT_EQ(game.PointMarks(16, 17), "White Dead");
    EXPECT_EQ(marked(MarkCode::WhiteDead), 2);
}

TEST_F(MarkingTest, SecondClickUnmarksAndGivesTheLastMoveItsMarkBack)
{
    play(game, "aa pp ba pq bb cb cc");
    game.SetMarkingDead(true);
    game.MarkingClick(3, 3);
    game.MarkingClick(1, 1);
    game.MarkingClick(3, 3); // cc is move 7, the last move
    EXPECT_EQ(view.shown(3, 3), "X^");
    EXPECT_EQ(game.PointMarks(3, 3), "");
    game.MarkingClick(2, 1);
    for (const auto& [i, j] : {std::pair{1, 1}, {2, 1}, {2, 2}})
        EXPECT_EQ(view.shown(i, j), "X") << "only the last move carries the mark";
    EXPECT_EQ(marked(MarkCode::BlackDead), 0);
    EXPECT_EQ(snapshot(game).moves.size(), 7u) << "marking never touches the game";
}

TEST_F(MarkingTest, EmptyPointsAndPointsOffTheArrayDoNothing)
{
    play(game, "aa");
    game.SetMarkingDead(true);
    const std::vector<std::string> before = view.picture;
    for (auto [i, j] : {std::pair{5, 5}, {0, 1}, {20, 20}, {1, 0}})
        game.MarkingClick(i, j);
    EXPECT_EQ(view.picture, before);
    EXPECT_EQ(marked(MarkCode::None), 361);
}

TEST_F(MarkingTest, HandicapStonesMarkAndUnmarkWithoutALastMoveMark)
{
    game.newGame(GameSetup::fixed(19, 2));
    game.SetMarkingDead(true);
    game.MarkingClick(4, 16);
    EXPECT_EQ(game.PointMarks(4, 16), "Black Dead");
    EXPECT_EQ(view.shown(4, 16), "X#");
    game.MarkingClick(4, 16);
    EXPECT_EQ(game.PointMarks(4, 16), "");
    EXPECT_EQ(view.shown(4, 16), "X") << "a handicap stone is no last move";
}

TEST_F(MarkingTest, SwitchingRedrawsEveryStoneAndOffForgetsTheMarks)
{
    game.newGame(GameSetup::fixed(19, 2));
    play(game, "aa");
    game.SetMarkingDead(true);
    EXPECT_EQ(view.last("Mode"), "Mode4");
    game.MarkingClick(1, 1);
    game.MarkingClick(4, 16);
    game.SetMarkingDead(false);
    EXPECT_FALSE(game.MarkingDead());
    EXPECT_EQ(view.last("Mode"), "Mode1");
    // Every square goes, from the handicap stones (no move to show) too.
    EXPECT_EQ(view.shown(1, 1) + view.shown(4, 16) + view.shown(16, 4), "O^XX");
    EXPECT_EQ(marked(MarkCode::None), 361);
    game.SetMarkingDead(true);
    EXPECT_EQ(marked(MarkCode::None), 361) << "marking starts again with no marks";
}

TEST(RegionVerdict, TransitionTable)
{
    const MarkCode B = MarkCode::BlackChess, W = MarkCode::WhiteChess, BD = MarkCode::BlackDead, WD = MarkCode::WhiteDead;
    const struct {
        MarkCode before, border, after;
    } rows[] = {
        {MarkCode::BlankPoint, B, MarkCode::BlackPoint},
        {MarkCode::BlankPoint, W, MarkCode::WhitePoint},
        {MarkCode::BlankPoint, BD, MarkCode::WhitePoint},
        {MarkCode::BlankPoint, WD, MarkCode::BlackPoint},
        {MarkCode::BlackPoint, B, MarkCode::BlackPoint},
        {MarkCode::BlackPoint, W, MarkCode::SharePoint},
        {MarkCode::BlackPoint, BD, MarkCode::ErrorPoint},
        {MarkCode::BlackPoint, WD, MarkCode::BlackPoint},
        {MarkCode::WhitePoint, B, MarkCode::SharePoint},
        {MarkCode::WhitePoint, W, MarkCode::WhitePoint},
        {MarkCode::WhitePoint, BD, MarkCode::WhitePoint},
        {MarkCode::WhitePoint, WD, MarkCode::ErrorPoint},
        {MarkCode::SharePoint, B, MarkCode::SharePoint},
        {MarkCode::SharePoint, W, MarkCode::SharePoint},
        {MarkCode::SharePoint, BD, MarkCode::SharePoint},
        {MarkCode::SharePoint, WD, MarkCode::SharePoint},
        {MarkCode::ErrorPoint, B, MarkCode::ErrorPoint},
        {MarkCode::ErrorPoint, W, MarkCode::ErrorPoint},
        {MarkCode::ErrorPoint, BD, MarkCode::ErrorPoint},
        {MarkCode::ErrorPoint, WD, MarkCode::ErrorPoint},
        {MarkCode::BlackPoint, MarkCode::BlankPoint, MarkCode::BlackPoint},
    };
    for (const auto& r : rows)
        EXPECT_EQ(markWord(WeiQiGame::nextRegionVerdict(r.before, r.border)), markWord(r.after))
            << markWord(r.before) << " + " << markWord(r.border);
}

namespace {

std::vector<std::string> report(const std::string& white, const std::string& black, int share, int error,
                                const std::string& verdict)
{
    const std::string rule(38, '-');
    return {rule,
            white,
            black,
            "公共地域：" + std::to_string(share) + " 目    未知地域：" + std::to_string(error) + " 目",
            "=> 点目结果：不计贴目时，" + verdict,
            rule};
}

} // namespace

TEST(Count, SixLinesForTypicalPositions)
{
    struct Row {
        const char* name;
        int size;
        const char* diagram;
        std::vector<std::pair<int, int>> dead; // marked with the marking click
        int blackCaptured, whiteCaptured;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"empty board",
         19,
         "",
         {},
         0,
         0,
         report("白方：0(空)+0(黑子)+0(贴目) = 0 目", "黑方：0(空)+0(白子) = 0 目", 0, 0, "结果为和棋！")},
        {"black only",
         19,
         "...\n.X.",
         {},
         0,
         4,
         report("白方：0(空)+0(黑子)+0(贴目) = 0 目", "黑方：360(空)+4(白子) = 364 目", 0, 0, "黑棋胜 364 目")},
        {"walls with a dead black stone",
         9,
         "..X..O...\n..X..O...\n..X..O...\n..X..O...\n..X..O.X.\n..X..O...\n..X..O...\n..X..O...\n..X..O...",
         {{8, 5}},
         3,
         5,
         report("白方：27(空)+4(黑子)+0(贴目) = 31 目", "黑方：18(空)+5(白子) = 23 目", 18, 0, "白棋胜 8 目")},
        {"dead white group in black area",
         7,
         "..X....\n..X.O..\n..X....\n..X....\n..X....\n..X....\n..X....",
         {},
         0,
         0,
         report("白方：0(空)+0(黑子)+0(贴目) = 0 目", "黑方：14(空)+0(白子) = 14 目", 27, 0, "黑棋胜 14 目")},
        {"dead white stone marked",
         7,
         "..X....\n..X.O..\n..X....\n..X....\n..X....\n..X....\n..X....",
         {{5, 2}},
         0,
         0,
         report("白方：0(空)+0(黑子)+0(贴目) = 0 目", "黑方：42(空)+1(白子) = 43 目", 0, 0, "黑棋胜 43 目")},
    };
    for (const Row& r : rows) {
        WeiQiGame game;
        game.newGame(GameSetup::fixed(r.size, 0));
        setDiagram(game, r.diagram);
        WeiQiGameTestAccess::setCaptured(game, r.blackCaptured, r.whiteCaptured);
        game.SetMarkingDead(true);
        for (auto [i, j] : r.dead)
            game.MarkingClick(i, j);
        const CountReport got = game.DianMu(true);
        EXPECT_EQ(got.lines, r.lines) << r.name;
    }
}

TEST(Count, LiveThenDeadOfOneColourIsUnknownDeadThenLiveIsShared)
{
    for (bool liveFirst : {true, false}) {
        WeiQiGame game;
        game.newGame(GameSetup::fixed(5, 0));
        for (int j = 1; j <= 5; ++j)
            game.setPoint(2, j, PointCode::BlackChess, 0);
        // Marks set directly: the fill meets (2,1) first.
        for (int j = 1; j <= 5; ++j)
            if ((j == 1) != liveFirst) game.setPointMark(2, j, MarkCode::BlackDead);
        const CountReport r = game.DianMu(true);
        if (liveFirst) {
            EXPECT_EQ(r.errorPoints, 20);
            EXPECT_EQ(r.lines[3], "公共地域：0 目    未知地域：20 目");
        } else {
            EXPECT_EQ(r.sharePoints, 20);
            EXPECT_EQ(r.lines[3], "公共地域：20 目    未知地域：0 目");
        }
    }
}

TEST(Count, WithoutMarkingOldMarksAreForgottenAndWithMarkingTheyStay)
{
    WeiQiGame game;
    game.newGame(GameSetup::fixed(9, 0));
    setDiagram(game, "..X..O...\n..X..O...\n..X..O.X.");
    game.SetMarkingDead(true);
    game.MarkingClick(8, 3);
    const CountReport first = game.DianMu(true);
    const CountReport second = game.DianMu(true);
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_EQ(game.PointMarks(8, 3), "Black Dead");
    EXPECT_EQ(game.PointMarks(1, 1), "") << "count codes are cleaned up";
    EXPECT_EQ(first.blackDead, 1);

    const CountReport unmarked = game.DianMu(false);
    EXPECT_EQ(unmarked.blackDead, 0);
    EXPECT_EQ(game.PointMarks(8, 3), "");
    EXPECT_NE(unmarked.lines, first.lines);
}
