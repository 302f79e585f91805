// The model driving the picture: placements, captures, undos, label modes
// and marking leave exactly what a fresh drawing of the position shows.
#include <gtest/gtest.h>

#include <functional>

#include "RandomPlayer.h"
#include "RenderTestUtil.h"

namespace zemra {
namespace {

using test::RenderedGame;

void expectSameAsFresh(const RenderedGame& g, const std::string& what)
{
    const auto fresh = test::drawnFresh(g.game, g.renderer);
    ASSERT_EQ(fresh->BoardImageSize(), g.renderer.BoardImageSize()) << what;
    EXPECT_TRUE(fresh->BoardImage() == g.renderer.BoardImage()) << what << ": leftovers on the board picture";
    EXPECT_TRUE(fresh->PaintBox1() == g.renderer.PaintBox1()) << what << ": leftovers on the screen picture";
}

// A plain stone of the given colour at (i, j), as on a fresh board.
QImage plainStone(const RenderedGame& like, int i, int j, Colour colour)
{
    RenderedGame g(like.game.BoardSize(), like.renderer.ChessSize());
    g.renderer.DrawChess(i, j, colour);
    return g.cellImage(i, j);
}

TEST(CaptureTest, ErasureRestoresTheEmptyPointExactly)
{
    // Captures at a corner, an edge, a star point and an inner point.
    struct Row {
        const char* moves;
        QPoint captured;
    };
    const Row rows[] = {
        {"aa ba pass ab", {1, 1}},
        {"ae ad pass af pass be", {1, 5}},
        {"dd cd pass ed pass dc pass de", {4, 4}},
        {"ef df pass ff pass ee pass eg", {5, 6}},
    };
    for (const Row& row : rows) {
        RenderedGame g(19, 37);
        const QImage empty = g.cellImage(row.captured.x(), row.captured.y());
        test::play(g.game, row.moves);
        ASSERT_EQ(g.game.pointCode(row.captured.x(), row.captured.y()), PointCode::Empty) << row.moves;
        EXPECT_EQ(g.cellImage(row.captured.x(), row.captured.y()), empty) << row.moves;
        expectSameAsFresh(g, row.moves);
    }
}

TEST(RedrawTest, MovesCapturesAndUndosMatchAFreshDrawing)
{
    const char* const games[] = {
        // A ko: capture, recapture refused, fill.
        "dd ed ec fc cd fe de ee pass fd",
        // Edge captures, a two-stone capture, undo through them.
        "aa ba ab bb pass ac pd qd pe qe pass qc pass od pass oe pf",
    };
    for (const StoneLabelMode mode : {StoneLabelMode::LastMoveMark, StoneLabelMode::AllNumbers, StoneLabelMode::LastNumber}) {
        for (const char* moves : games) {
            RenderedGame g(19, 37);
            g.renderer.SetStoneLabelMode(mode);
            test::play(g.game, moves);
            expectSameAsFresh(g, std::string(moves) + " mode " + std::to_string(static_cast<int>(mode)));
            for (int k = 0; k < 5; ++k)
                g.game.Local_Undo();
            expectSameAsFresh(g, std::string(moves) + " undone, mode " + std::to_string(static_cast<int>(mode)));
        }
    }
}

TEST(RedrawTest, SeededRandomGamesWithUndosMatchAFreshDrawing)
{
    struct Row {
        int boardSize, chessSize;
        StoneLabelMode mode;
        bool coordinates;
        std::uint32_t seed;
    };
    const Row rows[] = {
        {9, 23, StoneLabelMode::AllNumbers, false, 1u},
        {9, 10, StoneLabelMode::LastMoveMark, true, 2u},
        {13, 37, StoneLabelMode::LastNumber, false, 3u},
        {19, 23, StoneLabelMode::AllNumbers, true, 4u},
        {7, 59, StoneLabelMode::LastMoveMark, false, 5u}};
    for (const Row& row : rows) {
        RenderedGame g(row.boardSize, row.chessSize, row.coordinates);
        g.renderer.SetStoneLabelMode(row.mode);
        test::RandomPlayer player(row.seed);
        std::uniform_int_distribution<int> percent(0, 99);
        for (int step = 0; step < 300; ++step) {
            if (percent(player.rng()) < 15) {
                g.game.Local_Undo();
            } else {
                const test::RandomMove move = player.propose(g.game);
                if (move.pass)
                    g.game.PassMove();
                else if (g.game.PlayChess(move.i, move.j, g.game.SideToMove()) == PlayResult::OK)
                    g.game.setSideToMove(opponentOf(g.game.SideToMove()));
            }
            if (step % 60 == 59) {
                expectSameAsFresh(g, "seed " + std::to_string(row.seed) + " step " + std::to_string(step));
                if (testing::Test::HasFailure()) return;
            }
        }
    }
}

TEST(LabelModeTest, NumberButtonCyclesOneTwoThreeOne)
{
    RenderedGame g(19, 37);
    test::play(g.game, "pd dd pp dp");
    const QPoint first(16, 4); // move 1, black
    const QPoint last(4, 16);  // move 4, white
    const QImage plainFirst = plainStone(g, first.x(), first.y(), Colour::Black);
    const QImage plainLast = plainStone(g, last.x(), last.y(), Colour::White);
    const QPoint c = g.centre(last.x(), last.y());
    const QPoint corner = g.cell(last.x(), last.y()).topLeft();
    auto largeMark = [&] { return g.pixel(c.x() + 1, c.y() + 1) == test::RedMark; };
    auto smallMark = [&] { return g.pixel(corner.x(), corner.y()) == test::RedMark; };
    auto numbered = [&](QPoint p, const QImage& plain) { return g.cellImage(p.x(), p.y()) != plain; };

    ASSERT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::LastMoveMark);
    const QImage modeOne = g.renderer.BoardImage();
    EXPECT_TRUE(largeMark());
    EXPECT_FALSE(smallMark());
    EXPECT_FALSE(numbered(first, plainFirst));

    g.renderer.BtnNumberClick();
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::AllNumbers);
    EXPECT_TRUE(smallMark());
    EXPECT_FALSE(largeMark());
    EXPECT_TRUE(numbered(first, plainFirst));

    g.renderer.BtnNumberClick();
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::LastNumber);
    EXPECT_TRUE(smallMark());
    EXPECT_FALSE(numbered(first, plainFirst));
    {
        // The last move carries its number: more than the plain stone and the mark.
        RenderedGame reference(19, 37);
        reference.renderer.DrawChess(last.x(), last.y(), Colour::White);
        reference.renderer.DrawSmallTriangle(last.x(), last.y());
        EXPECT_NE(g.cellImage(last.x(), last.y()), reference.cellImage(last.x(), last.y()));
    }

    g.renderer.BtnNumberClick();
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::LastMoveMark);
    EXPECT_EQ(g.renderer.BoardImage(), modeOne);
    EXPECT_EQ(g.renderer.PaintBox1(), modeOne);
    EXPECT_EQ(g.cellImage(last.x(), last.y()) == plainLast, false);
}

TEST(LabelModeTest, MarkingUsesModeFourAndTheButtonWaits)
{
    RenderedGame g(9, 37);
    test::play(g.game, "cc gg cg gc ee");
    g.renderer.SetStoneLabelMode(StoneLabelMode::AllNumbers);
    g.renderer.FormResize();
    g.game.SetMarkingDead(true);
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::Marking);
    const QPoint corner = g.cell(5, 5).topLeft();
    EXPECT_EQ(g.pixel(corner.x(), corner.y()), test::RedMark);
    EXPECT_EQ(g.cellImage(3, 3), plainStone(g, 3, 3, Colour::Black)) << "no numbers while marking";

    g.game.MarkingClick(7, 7);
    const QPoint dead = g.centre(7, 7);
    EXPECT_EQ(g.pixel(dead.x(), dead.y()), 0x000000u) << "a dead white stone carries a black square";
    g.game.MarkingClick(7, 3);
    EXPECT_EQ(g.pixel(g.centre(7, 3).x(), g.centre(7, 3).y()), 0x000000u);
    g.game.MarkingClick(3, 3);
    EXPECT_EQ(g.pixel(g.centre(3, 3).x(), g.centre(3, 3).y()), 0xffffffu) << "a dead black stone carries a white square";
    g.game.MarkingClick(7, 3); // taken back
    expectSameAsFresh(g, "marking");

    const QImage marked = g.renderer.BoardImage();
    g.renderer.BtnNumberClick();
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::Marking);
    EXPECT_EQ(g.renderer.BoardImage(), marked);

    g.game.SetMarkingDead(false);
    EXPECT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::LastMoveMark);
    expectSameAsFresh(g, "after marking");
}

TEST(LabelModeTest, HandicapStonesKeepNoNumber)
{
    RenderedGame g(19, 37);
    g.game.newGame(GameSetup::fixed(19, 4));
    const QImage plain = plainStone(g, 4, 4, Colour::Black);
    EXPECT_EQ(g.cellImage(4, 4), plain);
    g.renderer.BtnNumberClick();
    ASSERT_EQ(g.renderer.StoneLabelMode(), StoneLabelMode::AllNumbers);
    EXPECT_EQ(g.cellImage(4, 4), plain);
    EXPECT_EQ(g.cellImage(16, 16), plainStone(g, 16, 16, Colour::Black));
    expectSameAsFresh(g, "handicap, mode 2");
}

TEST(MarkColourTest, BlueWhileAskedAndRedAgainOnTheNextRedraw)
{
    RenderedGame g(19, 37);
    test::play(g.game, "pd");
    const QPoint c = g.centre(16, 4);
    auto mark = [&] { return g.pixel(c.x() + 1, c.y() + 1); };
    EXPECT_EQ(mark(), test::RedMark);

    g.renderer.setMarksBlue(true);
    EXPECT_EQ(mark(), test::RedMark) << "a mark already drawn stays";
    g.renderer.ShowChessNumberAndFlag(1);
    EXPECT_EQ(mark(), test::BlueMark);
    test::play(g.game, "dp");
    const QPoint c2 = g.centre(4, 16);
    EXPECT_EQ(g.pixel(c2.x() + 1, c2.y() + 1), test::BlueMark);
    EXPECT_NE(mark(), test::BlueMark) << "the mark moved on";

    g.renderer.setMarksBlue(false);
    g.renderer.ShowChessNumberAndFlag(2);
    EXPECT_EQ(g.pixel(c2.x() + 1, c2.y() + 1), test::RedMark);
}

TEST(LayoutTest, StarPointsSurviveABoardSizeChangeAtTheSameCellSize)
{
    // A tiny panel keeps the cell size at 10 for both board sizes.
    RenderedGame g(5, 10);
    ASSERT_EQ(g.renderer.ChessSize(), 10);
    g.game.newGame(GameSetup::fixed(19, 0));
    ASSERT_EQ(g.renderer.ChessSize(), 10);
    const QImage empty = g.cellImage(4, 4);
    g.renderer.DrawChess(4, 4, Colour::Black);
    g.renderer.ClearChessBoard(4, 4);
    EXPECT_EQ(g.cellImage(4, 4), empty);
}

TEST(LayoutTest, TheSameEmptyBoardIsNotDrawnTwice)
{
    const struct {
        const char* what;
        std::function<void(BoardRenderer&)> draw;
        int boardsDrawn; // by the new game's layout
    } rows[] = {
        {"nothing", [](BoardRenderer&) {}, 0},
        {"a stone taken off again",
         [](BoardRenderer& r) {
             r.DrawChess(4, 4, Colour::Black);
             r.ClearChessBoard(4, 4);
         },
         1},
        {"a label", [](BoardRenderer& r) { r.DrawLabel(5, 5, QStringLiteral("A")); }, 1},
        {"a dead mark", [](BoardRenderer& r) { r.DrawBlock(3, 3, Colour::White); }, 1},
        {"a triangle", [](BoardRenderer& r) { r.DrawSmallTriangle(3, 3); }, 1},
    };
    for (const auto& row : rows) {
        RenderedGame g(19, 23, true);
        const QImage empty = g.renderer.PaintBox1().copy();
        row.draw(g.renderer);
        const int before = g.renderer.drawCounts().emptyBoards;
        g.game.InitWeiQiGame();
        EXPECT_EQ(g.renderer.drawCounts().emptyBoards - before, row.boardsDrawn) << row.what;
        EXPECT_EQ(g.renderer.BoardImage(), empty) << row.what;
        EXPECT_EQ(g.renderer.PaintBox1(), empty) << row.what;
    }
}

TEST(LayoutTest, ResizeRedrawsStonesAndDeadMarksAtTheNewSize)
{
    RenderedGame g(9, 23);
    test::play(g.game, "cc gg cg gc ee");
    g.game.setPointMark(7, 7, MarkCode::WhiteDead);
    g.renderer.setPanelSize(test::panelFor(9, 59), test::panelFor(9, 59));
    g.renderer.FormResize();
    ASSERT_EQ(g.renderer.ChessSize(), 59);
    EXPECT_EQ(g.renderer.BoardImage().width(), 9 * 59 + 16);
    EXPECT_EQ(g.pixel(g.centre(7, 7).x(), g.centre(7, 7).y()), 0x000000u);
    EXPECT_LT(qGray(g.pixel(g.centre(3, 3).x() + 10, g.centre(3, 3).y() + 10)), 80) << "a black stone";
    expectSameAsFresh(g, "resized");
}

} // namespace
} // namespace zemra
