#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "board/Coordinates.h"

#include "BoardTestUtil.h"

using namespace zemra;
using namespace zemra::test;

namespace {

class UndoTest : public ::testing::Test {
protected:
    RecordingView view{&game};
    WeiQiGame game{&view};
    void SetUp() override { game.InitWeiQiGame(); }
};

} // namespace

TEST_F(UndoTest, UndoOfACaptureRestoresStonesNumbersAndCounter)
{
    play(game, "ba aa ca pp bb ab ac"); // Black's ac (move 7) takes aa and ab
    ASSERT_EQ(game.CaptureList().back(), ";W[aa];W[ab]");
    const int whiteBefore = game.WhiteCaptured();
    ASSERT_EQ(whiteBefore, 2);
    game.Local_Undo();
    EXPECT_EQ(game.BoardPoints(1, 1), "WhiteChess2");
    EXPECT_EQ(game.BoardPoints(1, 2), "WhiteChess6");
    EXPECT_EQ(game.BoardPoints(1, 3), "");
    EXPECT_EQ(game.WhiteCaptured(), 0);
    EXPECT_EQ(game.MoveCount(), 6);
    EXPECT_EQ(game.SideToMove(), Colour::Black);
    EXPECT_EQ(game.checkInvariants(), "");
    EXPECT_EQ(view.last("Turn"), "TurnBlack");
    EXPECT_EQ(view.last("WhiteDead="), "WhiteDead=0 个");
    // The taken stones are back on the picture; the mark is on move 6.
    EXPECT_EQ(view.shown(1, 1) + view.shown(1, 2) + view.shown(1, 3), "OO^.");
}

TEST_F(UndoTest, UndoOfCaptureOfHandicapStoneGivesBackNumberZero)
{
    ASSERT_TRUE(game.newGame(GameSetup::fixed(19, 2))); // dp, pd; White to move
    // White surrounds the handicap stone at pd while Black plays elsewhere.
    EXPECT_EQ(play(game, "od aa qd ab pc ac pe"), "OK OK OK OK OK OK OK");
    ASSERT_EQ(game.CaptureList().back(), ";B[pd]");
    ASSERT_EQ(game.BlackCaptured(), 1);
    game.Local_Undo();
    EXPECT_EQ(game.BoardPoints(16, 4), "BlackChess0");
    EXPECT_EQ(game.BlackCaptured(), 0);
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(UndoTest, UndoOfPassLeavesTheBoardAlone)
{
    play(game, "pd pass");
    game.Local_Undo();
    EXPECT_EQ(game.MoveCount(), 1);
    EXPECT_EQ(game.MoveList(), std::vector<std::string>{";B[pd]"});
    EXPECT_EQ(game.SideToMove(), Colour::White);
    EXPECT_EQ(view.last("Turn"), "TurnWhite");
}

TEST_F(UndoTest, ThreePassesAreThreeMovesUndoneInReverse)
{
    play(game, "pass pass pass");
    EXPECT_EQ(game.MoveList(), (std::vector<std::string>{";B[]", ";W[]", ";B[]"}));
    EXPECT_EQ(game.CaptureList(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(game.SideToMove(), Colour::White);
    for (int left = 2; left >= 0; --left) {
        game.Local_Undo();
        EXPECT_EQ(game.MoveCount(), left);
        EXPECT_EQ(game.MoveList().size(), static_cast<std::size_t>(left));
    }
    EXPECT_EQ(game.SideToMove(), Colour::Black);
}

TEST_F(UndoTest, NothingToUndoChangesNothing)
{
    ASSERT_TRUE(game.newGame(GameSetup::fixed(19, 4)));
    const Snapshot before = snapshot(game);
    const std::vector<std::string> shown = view.picture;
    game.Local_Undo();
    EXPECT_EQ(snapshot(game), before);
    EXPECT_EQ(view.picture, shown);
}

TEST_F(UndoTest, PassByTheSideNotExpectedIsStillUndoneSafely)
{
    // A list that does not alternate (as a record may give) must not send
    // the undo into the board with a bad index.
    game.PassMove();
    game.setSideToMove(Colour::Black);
    ASSERT_EQ(game.MoveList(), std::vector<std::string>{";B[]"});
    game.Local_Undo();
    EXPECT_EQ(game.MoveCount(), 0);
    EXPECT_TRUE(game.MoveList().empty());
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(UndoTest, PassIsRecordedAndHandsOverTheMove)
{
    view.clear();
    EXPECT_EQ(game.PassMove(), Colour::Black);
    EXPECT_EQ(game.SideToMove(), Colour::White);
    EXPECT_EQ(game.MoveList().back(), ";B[]");
    EXPECT_EQ(game.CaptureList().back(), "");
    EXPECT_EQ(view.last("Turn"), "TurnWhite");
    EXPECT_EQ(game.PassMove(), Colour::White);
    EXPECT_EQ(game.MoveList().back(), ";W[]");
    EXPECT_EQ(game.MoveCount(), 2);
}

TEST(Handicap, LayoutsFollowTheTable)
{
    const struct {
        int count;
        bool lowerRight;
        const char* points;
    } rows[] = {
        {2, false, "dp pd"},
        {3, false, "dp pd dd"},
        {3, true, "dp pd pp"},
        {4, false, "dp pd dd pp"},
        {5, false, "dp pd dd pp jj"},
        {6, false, "dp pd dd pp dj pj"},
        {7, false, "dp pd dd pp dj pj jj"},
        {8, false, "dp pd dd pp dj pj jd jp"},
        {9, false, "dp pd dd pp dj pj jd jp jj"},
        {9, true, "dp pd dd pp dj pj jd jp jj"},
    };
    for (const auto& r : rows) {
        RecordingView view;
        WeiQiGame game(&view);
        play(game, "aa bb"); // an earlier game on the board
        GameSetup setup = GameSetup::fixed(19, r.count);
        setup.threeStoneLowerRight = r.lowerRight;
        ASSERT_TRUE(game.newGame(setup));
        std::set<std::string> placed, expected;
        for (int i = 1; i <= 19; ++i)
            for (int j = 1; j <= 19; ++j)
                if (game.hasStone(i, j)) {
                    EXPECT_EQ(game.BoardPoints(i, j), "BlackChess0");
                    placed.insert(NumberToLetter(i) + NumberToLetter(j));
                }
        std::istringstream words(r.points);
        for (std::string w; words >> w;)
            expected.insert(w);
        EXPECT_EQ(placed, expected) << r.count;
        EXPECT_EQ(view.last("Cell["), "Cell[  " + std::to_string(r.count) + "]");
        EXPECT_EQ(view.last("Turn"), "TurnWhite");
        EXPECT_EQ(game.SideToMove(), Colour::White);
        EXPECT_EQ(game.HandicapCount(), r.count);
        EXPECT_TRUE(game.MoveList().empty());
        // White's first move is move 1.
        EXPECT_EQ(game.PlayChess(10, 1, game.SideToMove()), PlayResult::OK);
        EXPECT_EQ(game.BoardPoints(10, 1), "WhiteChess1");
    }
}

TEST(Handicap, AnInvalidStartChangesNothing)
{
    GameSetup offBoard = GameSetup::fixed(9, 0);
    offBoard.freeWhite = {{3, 3}, {10, 1}};
    const struct {
        const char* what;
        GameSetup setup;
    } rows[] = {
        {"one stone", GameSetup::fixed(19, 1)},          {"ten stones", GameSetup::fixed(19, 10)},
        {"negative", GameSetup::fixed(19, -3)},          {"handicap on 9x9", GameSetup::fixed(9, 2)},
        {"too small", GameSetup::fixed(4, 0)},           {"too large", GameSetup::fixed(20, 0)},
        {"a record's stone off the board", offBoard},
    };
    for (const auto& r : rows) {
        WeiQiGame game;
        play(game, "aa bb");
        const Snapshot before = snapshot(game);
        EXPECT_FALSE(r.setup.valid()) << r.what;
        EXPECT_FALSE(game.newGame(r.setup)) << r.what;
        EXPECT_EQ(snapshot(game), before) << r.what;
        EXPECT_EQ(game.BoardSize(), 19) << r.what;
    }
}
