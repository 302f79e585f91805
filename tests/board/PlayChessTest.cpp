#include <gtest/gtest.h>

#include "BoardTestUtil.h"

using namespace zemra;
using namespace zemra::test;

namespace {

class PlayChessTest : public ::testing::Test {
protected:
    RecordingView view;
    WeiQiGame game{&view};

    void SetUp() override
    {
        game.InitWeiQiGame();
        view.clear();
    }
};

// The ko shape around c3: Black has just taken the white stone at cc by dc.
constexpr const char* kKoUpToCapture = "cb db bc ec cd dd pd cc dc";

} // namespace

TEST_F(PlayChessTest, InitEmptiesEverythingWhateverTheOldSize)
{
    play(game, "aa bb ss rs");
    game.newGame(GameSetup::fixed(9, 0));
    for (int i = 1; i <= 19; ++i)
        for (int j = 1; j <= 19; ++j)
            ASSERT_EQ(game.BoardPoints(i, j), "");
    EXPECT_EQ(game.SideToMoveWord(), "BlackChess");
    EXPECT_TRUE(game.MoveList().empty());
    EXPECT_TRUE(game.CaptureList().empty());
    EXPECT_EQ(game.MoveCount(), 0);
    EXPECT_EQ(game.BlackCaptured() + game.WhiteCaptured(), 0);
}

TEST_F(PlayChessTest, PlainMoveIsNumberedRecordedAndDrawn)
{
    EXPECT_EQ(game.PlayChess(16, 4, game.SideToMove()), PlayResult::OK);
    EXPECT_EQ(game.BoardPoints(16, 4), "BlackChess1");
    EXPECT_EQ(game.MoveList(), std::vector<std::string>{";B[pd]"});
    EXPECT_EQ(game.CaptureList(), std::vector<std::string>{""});
    EXPECT_EQ(view.last("Sound"), "SoundPlay");
    EXPECT_EQ(game.SideToMove(), Colour::Black) << "PlayChess must not flip the side";
    EXPECT_EQ(play(game, "pd"), "YiYouQiZi");
}

TEST_F(PlayChessTest, TheStoneHasTheColourGivenWhateverSideIsToMove)
{
    ASSERT_EQ(game.SideToMove(), Colour::Black);
    EXPECT_EQ(game.PlayChess(16, 4, Colour::White), PlayResult::OK);
    EXPECT_EQ(game.BoardPoints(16, 4), "WhiteChess1");
    EXPECT_EQ(game.MoveList(), std::vector<std::string>{";W[pd]"});
    EXPECT_EQ(game.SideToMove(), Colour::Black);
    // And it captures as that colour: White's stone takes the black one at aa.
    EXPECT_EQ(game.PlayChess(1, 1, Colour::Black), PlayResult::OK);
    EXPECT_EQ(game.PlayChess(2, 1, Colour::White), PlayResult::OK);
    EXPECT_EQ(game.PlayChess(1, 2, Colour::White), PlayResult::OK);
    EXPECT_EQ(game.CaptureList().back(), ";B[aa]");
    EXPECT_EQ(game.BlackCaptured(), 1);
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(PlayChessTest, OccupiedPointChangesNothingAndIsSilent)
{
    play(game, "pd dp");
    view.clear();
    const Snapshot before = snapshot(game);
    EXPECT_EQ(game.PlayChess(16, 4, game.SideToMove()), PlayResult::YiYouQiZi);
    EXPECT_EQ(game.PlayChess(4, 16, game.SideToMove()), PlayResult::YiYouQiZi);
    EXPECT_EQ(snapshot(game), before);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PlayChessTest, CornerSuicideIsRefusedAndRestored)
{
    play(game, "ba pd ab"); // White to move; aa has no liberty and takes nothing
    view.clear();
    const Snapshot before = snapshot(game);
    EXPECT_EQ(game.PlayChess(1, 1, game.SideToMove()), PlayResult::BuRuQi);
    EXPECT_EQ(snapshot(game), before);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(PlayChessTest, FillingLastLibertyOfOwnLargeGroupIsRefusedWithNumbersKept)
{
    // A white string of five on the top edge with one liberty left, at ga.
    play(game, "aa ba ab ca bb da cb ea db fa eb pp fb pq ha qq gb");
    ASSERT_EQ(diagramOf(game).substr(0, 40), "XOOOOO.X...........\nXXXXXXX............\n");
    // White (to move) plays ga: no liberty, captures nothing.
    ASSERT_EQ(game.SideToMove(), Colour::White);
    view.clear();
    const Snapshot before = snapshot(game);
    EXPECT_EQ(game.PlayChess(7, 1, game.SideToMove()), PlayResult::BuRuQi);
    EXPECT_EQ(snapshot(game), before);
    EXPECT_EQ(game.BoardPoints(4, 1), "WhiteChess6");
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(PlayChessTest, MoveWithoutOwnLibertyThatCapturesIsLegal)
{
    game.newGame(GameSetup::fixed(5, 0));
    setDiagram(game, R"(
        .OX..
        OX...
        X....)");
    view.clear();
    EXPECT_EQ(game.PlayChess(1, 1, game.SideToMove()), PlayResult::OK);
    // Found by the neighbour order (right, then below), not sorted across groups.
    EXPECT_EQ(game.CaptureList().back(), ";W[ba];W[ab]");
    EXPECT_EQ(game.WhiteCaptured(), 2);
    EXPECT_EQ(game.BoardPoints(1, 1), "BlackChess1");
    EXPECT_EQ(view.last("WhiteDead="), "WhiteDead=2 个");
    EXPECT_EQ(view.last("Sound"), "SoundTake");
}

TEST_F(PlayChessTest, CaptureWithLibertyTakesTheStoneOff)
{
    play(game, "ba aa pd pp"); // White elsewhere; Black to take aa by ab
    view.clear();
    EXPECT_EQ(play(game, "ab"), "OK");
    EXPECT_EQ(game.BoardPoints(1, 1), "");
    EXPECT_EQ(game.CaptureList().back(), ";W[aa]");
    EXPECT_EQ(game.WhiteCaptured(), 1);
    EXPECT_EQ(view.last("WhiteDead="), "WhiteDead=1 个");
    EXPECT_EQ(view.last("Sound"), "SoundTake");
}

TEST_F(PlayChessTest, CaptureTextIsGroupByGroupThenColumnThenRow)
{
    game.newGame(GameSetup::fixed(5, 0));
    setDiagram(game, R"(
        XXOXX
        XXOXX
        OO.OX
        XXOXX
        XXOXX)");
    EXPECT_EQ(game.PlayChess(3, 3, game.SideToMove()), PlayResult::OK);
    EXPECT_EQ(game.CaptureList().back(), ";W[ac];W[bc];W[ca];W[cb];W[dc];W[cd];W[ce]");
    EXPECT_EQ(game.WhiteCaptured(), 7);
    EXPECT_EQ(game.checkInvariants(), "");
}

TEST_F(PlayChessTest, EdgesOfSmallAndLargeBoardsGiveNoLiberty)
{
    const struct {
        int size;
        const char* moves;
        const char* capture;
    } rows[] = {
        {5, "ee de aa ed", ";B[ee]"},  {5, "ea da aa eb", ";B[ea]"},       {19, "ss rs aa sr", ";B[ss]"},
        {19, "as ar aa bs", ";B[as]"}, {9, "ei di aa fi ee eh", ";B[ei]"},
    };
    for (const auto& r : rows) {
        game.newGame(GameSetup::fixed(r.size, 0));
        play(game, r.moves);
        EXPECT_EQ(game.CaptureList().back(), r.capture) << r.size << ": " << r.moves;
        EXPECT_EQ(game.checkInvariants(), "");
    }
}

TEST_F(PlayChessTest, ImmediateKoRecaptureIsRefusedAndRestoredExactly)
{
    ASSERT_EQ(play(game, kKoUpToCapture), "OK OK OK OK OK OK OK OK OK");
    ASSERT_EQ(game.CaptureList().back(), ";W[cc]");
    view.clear();
    const Snapshot before = snapshot(game);
    EXPECT_EQ(game.PlayChess(3, 3, game.SideToMove()), PlayResult::DaJie);
    EXPECT_EQ(snapshot(game), before);
    EXPECT_EQ(game.BoardPoints(4, 3), "BlackChess9");
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PlayChessTest, KoRecaptureAllowedAfterInterveningMovesOrPasses)
{
    const char* interludes[] = {"qq dp", "pass pass", "qq pass", "pass dp"};
    for (const char* interlude : interludes) {
        game.InitWeiQiGame();
        play(game, kKoUpToCapture);
        play(game, interlude);
        EXPECT_EQ(play(game, "cc"), "OK") << interlude;
        EXPECT_EQ(game.CaptureList().back(), ";B[dc]") << interlude;
        // And now Black may not take straight back.
        EXPECT_EQ(play(game, "dc"), "DaJie") << interlude;
    }
}

TEST_F(PlayChessTest, SnapbackTakingSeveralStonesIsAllowed)
{
    setDiagram(game, R"(
        ..OX
        OOOX
        XXXX)");
    EXPECT_EQ(play(game, "ba"), "OK"); // throw-in
    EXPECT_EQ(play(game, "aa"), "OK"); // White takes one stone
    ASSERT_EQ(game.CaptureList().back(), ";B[ba]");
    EXPECT_EQ(play(game, "ba"), "OK"); // and loses five
    EXPECT_EQ(game.CaptureList().back(), ";W[aa];W[ab];W[bb];W[ca];W[cb]");
    EXPECT_EQ(game.WhiteCaptured(), 5);
    EXPECT_EQ(game.BlackCaptured(), 1);
}

TEST_F(PlayChessTest, SingleCaptureAfterSingleCaptureElsewhereIsAllowed)
{
    EXPECT_EQ(play(game, "ba aa ss rs ab sr"), "OK OK OK OK OK OK");
    EXPECT_EQ(game.CaptureList()[4], ";W[aa]");
    EXPECT_EQ(game.CaptureList()[5], ";B[ss]");
}

TEST_F(PlayChessTest, RetakingOnTheEmptiedPointButNotTheLastStoneIsAllowed)
{
    // Black's dc takes cc; White's reply at cc takes bc, a single stone but
    // not the one Black just played, so it is no ko.
    setDiagram(game, R"(
        .......
        .OX....
        OXO....
        .OX....)");
    ASSERT_EQ(play(game, "dc"), "OK");
    ASSERT_EQ(game.CaptureList().back(), ";W[cc]");
    EXPECT_EQ(play(game, "cc"), "OK");
    EXPECT_EQ(game.CaptureList().back(), ";B[bc]");
    EXPECT_EQ(game.checkInvariants(), "");
}
