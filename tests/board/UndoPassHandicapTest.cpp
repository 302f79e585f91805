#include <gtest/gtest.h>

#include <cstdio>

#include "board/Coordinates.h"

#include "BoardTestUtil.h"

using namespace zemra;
using namespace zemra::test;

namespace {

class UndoTest : public ::testing::Test {
protected:
    RecordingView view;
    WeiQiGame game{&view};
    void SetUp() override { game.InitWeiQiGame(); }
};

} // namespace

TEST_F(UndoTest, UndoOfACaptureRestoresStonesNumbersAndCounter)
{
    play(game, "ba aa ca pp bb ab ac"); // Black's ac (move 7) takes aa and ab
    ASSERT_EQ(game.CaptureList.back(), ";W[aa];W[ab]");
    const int whiteBefore = game.WhiteCaptured;
    ASSERT_EQ(whiteBefore, 2);
    view.clear();
    game.Local_Undo();
    EXPECT_EQ(game.BoardPoints(1, 1), "WhiteChess2");
    EXPECT_EQ(game.BoardPoints(1, 2), "WhiteChess6");
    EXPECT_EQ(game.BoardPoints(1, 3), "");
    EXPECT_EQ(game.WhiteCaptured, 0);
    EXPECT_EQ(game.MoveCount, 6);
    EXPECT_EQ(game.SideToMove, Colour::Black);
    EXPECT_EQ(game.checkInvariants(), "");
    EXPECT_EQ(view.last("Turn"), "TurnBlack");
    EXPECT_EQ(view.last("WhiteDead="), "WhiteDead=0 个");
}

TEST_F(UndoTest, UndoOfCaptureOfHandicapStoneGivesBackNumberZero)
{
    game.HandicapCount = 2;
    game.SetLocalHandicap(); // dp, pd; White to move
    // White surrounds the handicap stone at pd while Black plays elsewhere.
    EXPECT_EQ(play(game, "od aa qd ab pc ac pe"), "OK OK OK OK OK OK OK");
    ASSERT_EQ(game.CaptureList.back(), ";B[pd]");
    ASSERT_EQ(game.BlackCaptured, 1);
    game.Local_Undo();
    EXPECT_EQ(game.BoardPoints(16, 4), "BlackChess0");
    EXPECT_EQ(game.BlackCaptured, 0);
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(UndoTest, UndoOfPassLeavesTheBoardAlone)
{
    play(game, "pd pass");
    view.clear();
    game.Local_Undo();
    EXPECT_EQ(game.MoveCount, 1);
    EXPECT_EQ(game.MoveList, std::vector<std::string>{";B[pd]"});
    EXPECT_EQ(game.SideToMove, Colour::White);
    EXPECT_EQ(view.last("Turn"), "TurnWhite");
}

TEST_F(UndoTest, ThreePassesAreThreeMovesUndoneInReverse)
{
    play(game, "pass pass pass");
    EXPECT_EQ(game.MoveList, (std::vector<std::string>{";B[]", ";W[]", ";B[]"}));
    EXPECT_EQ(game.CaptureList, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(game.SideToMove, Colour::White);
    for (int left = 2; left >= 0; --left) {
        game.Local_Undo();
        EXPECT_EQ(game.MoveCount, left);
        EXPECT_EQ(game.MoveList.size(), static_cast<std::size_t>(left));
    }
    EXPECT_EQ(game.SideToMove, Colour::Black);
}

TEST_F(UndoTest, NothingToUndoChangesNothing)
{
    game.HandicapCount = 4;
    game.SetLocalHandicap();
    const Snapshot before = snapshot(game);
    view.clear();
    game.Local_Undo();
    EXPECT_EQ(snapshot(game), before);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(UndoTest, PassByTheSideNotExpectedIsStillUndoneSafely)
{
    // A list that does not alternate (as a record may give) must not send
    // the undo into the board with a bad index.
    game.MoveList = {";B[]"};
    game.CaptureList = {""};
    game.MoveCount = 1;
    game.SideToMove = Colour::Black;
    game.Local_Undo();
    EXPECT_EQ(game.MoveCount, 0);
    EXPECT_TRUE(game.MoveList.empty());
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(UndoTest, PassIsRecordedAndHandsOverTheMove)
{
    view.clear();
    EXPECT_EQ(game.PassMove(), Colour::Black);
    EXPECT_EQ(game.SideToMove, Colour::White);
    EXPECT_EQ(game.MoveList.back(), ";B[]");
    EXPECT_EQ(game.CaptureList.back(), "");
    EXPECT_EQ(view.last("Turn"), "TurnWhite");
    EXPECT_EQ(game.PassMove(), Colour::White);
    EXPECT_EQ(game.MoveList.back(), ";W[]");
    EXPECT_EQ(game.MoveCount, 2);
}

TEST(Handicap, LayoutsFollowTheTable)
{
    const struct {
        int count;
        int lowerRight;
        const char* points; // in placing order
    } rows[] = {
        {2, 0, "dp pd"},
        {3, 0, "dp pd dd"},
        {3, 1, "dp pd pp"},
        {4, 0, "dp pd dd pp"},
        {5, 0, "dp pd dd pp jj"},
        {6, 0, "dp pd dd pp dj pj"},
        {7, 0, "dp pd dd pp dj pj jj"},
        {8, 0, "dp pd dd pp dj pj jd jp"},
        {9, 0, "dp pd dd pp dj pj jd jp jj"},
        {9, 1, "dp pd dd pp dj pj jd jp jj"},
    };
    for (const auto& r : rows) {
        RecordingView view;
        WeiQiGame game(&view);
        game.InitWeiQiGame();
        game.HandicapCount = r.count;
        game.ThreeStoneLowerRight = r.lowerRight;
        view.clear();
        game.SetLocalHandicap();
        std::string placed;
        for (const std::string& c : view.calls) {
            if (c.rfind("DrawBlack(", 0) != 0) continue;
            int i = 0, j = 0;
            std::sscanf(c.c_str(), "DrawBlack(%d,%d)", &i, &j);
            placed += (placed.empty() ? "" : " ") + NumberToLetter(i) + NumberToLetter(j);
            EXPECT_EQ(game.BoardPoints(i, j), "BlackChess0");
        }
        EXPECT_EQ(placed, r.points) << r.count;
        EXPECT_EQ(view.calls.front(), "Cell[  " + std::to_string(r.count) + "]");
        EXPECT_EQ(view.calls.back(), "TurnWhite");
        EXPECT_EQ(game.SideToMove, Colour::White);
        EXPECT_EQ(game.MoveCount, 0);
        EXPECT_TRUE(game.MoveList.empty());
        // White's first move is move 1.
        EXPECT_EQ(game.PlayChess(10, 1, game.SideToMove), PlayResult::OK);
        EXPECT_EQ(game.BoardPoints(10, 1), "WhiteChess1");
    }
}

TEST(Handicap, ZeroLeavesBlackToMoveAndOddValuesOnlyHandOver)
{
    for (int count : {0, 1, 10, -3}) {
        RecordingView view;
        WeiQiGame game(&view);
        game.InitWeiQiGame();
        game.HandicapCount = count;
        view.clear();
        game.SetLocalHandicap();
        int stones = 0;
        for (int i = 1; i <= 19; ++i)
            for (int j = 1; j <= 19; ++j)
                stones += game.hasStone(i, j);
        EXPECT_EQ(stones, 0) << count;
        EXPECT_EQ(game.SideToMove, count == 0 ? Colour::Black : Colour::White) << count;
        EXPECT_EQ(view.joined(), count == 0 ? "" : "TurnWhite") << count;
    }
}
