// Stones through their masks, numbers, marks, labels and bad input.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "GameTestAccess.h"
#include "RenderTestUtil.h"
#include "render/Fonts.h"

namespace zemra {
namespace {

using test::RenderedGame;

// Pixels of `after` in `area` that differ from `before`.
QRect changedArea(const QImage& before, const QImage& after, const QRect& area)
{
    QRect changed;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    return changed;
}

TEST(DrawChessTest, MaskAndStoneLeaveEverythingOutsideTheCircle)
{
    for (const int s : {10, 23, 36, 37, 59}) {
        RenderedGame g(19, s);
        ASSERT_EQ(g.renderer.ChessSize(), s);
        // An edge point and a star point: grid, frame and dot under the stone.
        for (const QPoint p : {QPoint(1, 7), QPoint(4, 4), QPoint(19, 19)}) {
            for (const Colour colour : {Colour::Black, Colour::White}) {
                const QImage before = g.renderer.BoardImage();
                g.renderer.DrawChess(p.x(), p.y(), colour);
                const QImage& after = g.renderer.BoardImage();
                const QRect cell = g.cell(p.x(), p.y());
                // The intersection's pixel centre is the circle's centre.
                const double cx = g.centre(p.x(), p.y()).x() + 0.5;
                const double cy = g.centre(p.x(), p.y()).y() + 0.5;
                const StoneImages& stones = stoneImages(s);
                const QImage& stone = colour == Colour::Black ? stones.BlackChess : stones.WhiteChess;
                for (int y = 0; y < after.height(); ++y) {
                    for (int x = 0; x < after.width(); ++x) {
                        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                        if (d > s / 2.0 + 0.75) {
                            ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << s << " outside at " << x << "," << y;
                        } else if (d < s / 2.0 - 2) {
                            ASSERT_EQ(after.pixel(x, y), stone.pixel(x - cell.left(), y - cell.top()))
                                << s << " inside at " << x << "," << y;
                        }
                    }
                }
                g.renderer.ClearChessBoard(p.x(), p.y());
                ASSERT_EQ(g.renderer.BoardImage(), before) << s << ": clearing restores the empty point";
            }
        }
        // The screen is only touched by SendImageToFront.
        g.renderer.DrawChess(10, 10, Colour::Black);
        EXPECT_NE(g.renderer.PaintBox1(), g.renderer.BoardImage());
        g.renderer.SendImageToFront(10, 10);
        EXPECT_EQ(g.renderer.PaintBox1(), g.renderer.BoardImage());
    }
}

TEST(DrawChessTest, StateCodesOtherThanStonesDrawNothing)
{
    RenderedGame g(19, 37);
    const QImage before = g.renderer.BoardImage();
    for (const PointCode code : {PointCode::Empty, PointCode::BlackChuan, PointCode::WhiteChuan})
        g.renderer.DrawChess(5, 5, code);
    EXPECT_EQ(g.renderer.BoardImage(), before);
    g.renderer.DrawChess(5, 5, PointCode::WhiteChess);
    EXPECT_NE(g.renderer.BoardImage(), before);
}

TEST(SendImageToFrontTest, CopiesTheCellOnePixelLargerAndReportsIt)
{
    RenderedGame g(19, 37);
    std::vector<QRect> reported;
    g.renderer.setScreenChanged([&](const QRect& r) { reported.push_back(r); });
    g.renderer.DrawChess(3, 5, Colour::White);
    g.renderer.SendImageToFront(3, 5);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], g.cell(3, 5).adjusted(0, 0, 1, 1));
    // The last cell's extra pixel is still inside the picture.
    g.renderer.SendImageToFront(19, 19);
    EXPECT_EQ(reported.back(), g.cell(19, 19).adjusted(0, 0, 1, 1));
}

TEST(ShowChessNumberTest, NumbersAreCentredByTheirWidth)
{
    for (const int s : {23, 37, 59}) {
        // Stones numbered 7, 37 and 123 from a move list of passes.
        RenderedGame g(19, s);
        WeiQiGame& game = g.game;
        // The last move is a pass, so no last-move mark joins the text.
        WeiQiGameTestAccess::setMoves(game, std::vector<std::string>(130, ";B[]"));
        struct Row {
            int number;
            int i, j;
            Colour colour;
        };
        const Row rows[] = {
            {7, 3, 3, Colour::Black}, {37, 5, 5, Colour::White}, {123, 7, 7, Colour::Black}, {99, 9, 9, Colour::White}};
        g.renderer.SetStoneLabelMode(StoneLabelMode::AllNumbers);
        for (const Row& row : rows) {
            WeiQiGameTestAccess::setMove(game, static_cast<std::size_t>(row.number - 1), formatMoveNode(row.colour, row.i, row.j));
            game.setPoint(row.i, row.j, chessCode(row.colour), row.number);
            g.renderer.DrawChess(row.i, row.j, row.colour);
            const QImage plain = g.renderer.BoardImage();
            g.renderer.ShowChessNumberAndFlag(row.number);
            const QRect text = changedArea(plain, g.renderer.BoardImage(), g.cell(row.i, row.j));
            ASSERT_FALSE(text.isEmpty()) << row.number;
            const QRect cell = g.cell(row.i, row.j);
            const double textCentre = text.left() + text.width() / 2.0;
            const double cellCentre = cell.left() + cell.width() / 2.0;
            EXPECT_NEAR(textCentre, cellCentre, 1.5) << s << ": " << row.number;
            EXPECT_TRUE(cell.adjusted(2, 2, -2, -2).contains(text)) << s << ": " << row.number;
            // White on black, black on white (thin strokes at small sizes stay grey).
            const QPoint probe = text.center();
            int lightest = 0, darkest = 255;
            for (int y = text.top(); y <= text.bottom(); ++y)
                for (int x = text.left(); x <= text.right(); ++x) {
                    lightest = std::max(lightest, qGray(g.pixel(x, y)));
                    darkest = std::min(darkest, qGray(g.pixel(x, y)));
                }
            if (row.colour == Colour::Black)
                EXPECT_GT(lightest, 160) << row.number << " at " << probe.x();
            else
                EXPECT_LT(darkest, 120) << row.number;
        }
    }
}

TEST(ShowChessNumberTest, SameBitsAsPlainTextDrawingThroughFontChanges)
{
    // Cell sizes with different number fonts, then back to the first: text
    // kept from another font would show here.
    RenderedGame g(19, 37);
    for (const int s : {37, 23, 59, 58, 10, 37}) {
        g.renderer.setPanelSize(test::panelFor(19, s), test::panelFor(19, s));
        g.renderer.InitChessBoard();
        ASSERT_EQ(g.renderer.ChessSize(), s);
        const QFont font = boardFont(SongTi, s / 3);
        const QFontMetrics metrics(font);
        for (const int number : {1, 7, 88, 123, 361}) {
            for (const Colour colour : {Colour::Black, Colour::White}) {
                const int i = 3 + number % 13;
                const int j = colour == Colour::Black ? 5 : 11;
                g.game.setPoint(i, j, chessCode(colour), number);
                g.renderer.ClearChessBoard(i, j);
                g.renderer.DrawChess(i, j, colour);
                QImage expected = g.renderer.BoardImage().copy();
                {
                    const QString text = QString::number(number);
                    const QRect cell = g.cell(i, j);
                    QPainter painter(&expected);
                    painter.setFont(font);
                    painter.setPen(QColor(colour == Colour::Black ? Qt::white : Qt::black));
                    painter.drawText(cell.left() + (s - metrics.horizontalAdvance(text)) / 2,
                                     cell.top() + (s - metrics.height()) / 2 + metrics.ascent(), text);
                }
                g.renderer.ShowChessNumber(i, j, number);
                ASSERT_EQ(g.renderer.BoardImage(), expected) << "cell " << s << ", number " << number;
            }
        }
    }
}

TEST(ShowChessNumberAndFlagTest, DrawsNothingWhenThereIsNoStoneOfThatMove)
{
    RenderedGame g(9, 37);
    WeiQiGame& game = g.game;
    g.renderer.SetStoneLabelMode(StoneLabelMode::AllNumbers);
    // Black 1 at cc is captured by white 8; black passes (9); white 10 fills cc.
    ASSERT_EQ(test::play(game, "cc bc aa dc ab cb ac cd pass cc"), "OK OK OK OK OK OK OK OK pass OK");
    ASSERT_EQ(game.pointCode(3, 3), PointCode::WhiteChess);
    ASSERT_EQ(game.pointNumber(3, 3), 10);
    const QImage before = g.renderer.BoardImage();
    const QImage screen = g.renderer.PaintBox1();
    struct Row {
        const char* why;
        int number;
    };
    for (const Row row : {Row{"zero", 0}, Row{"negative", -3}, Row{"beyond the list", 99}, Row{"a pass", 9},
                          Row{"a later stone stands there", 1}})
        g.renderer.ShowChessNumberAndFlag(row.number);
    EXPECT_EQ(g.renderer.BoardImage(), before);
    EXPECT_EQ(g.renderer.PaintBox1(), screen);

    // Damaged nodes.
    for (const char* node : {";X[cc]", ";B[zz]", ";B[c", ";", "", ";B[tt]", ";W[cc]"}) {
        WeiQiGameTestAccess::setMove(game, 0, node);
        g.renderer.ShowChessNumberAndFlag(1);
        EXPECT_EQ(g.renderer.BoardImage(), before) << node;
    }
}

TEST(BadInputTest, NothingCrashesAndNothingIsDrawnOffTheBoard)
{
    // Before any layout.
    {
        WeiQiGame game;
        BoardRenderer renderer(game);
        renderer.DrawChess(1, 1, Colour::Black);
        renderer.ClearChessBoard(1, 1);
        renderer.SendImageToFront(1, 1);
        renderer.ShowChessNumberAndFlag(1);
        renderer.DrawBlock(1, 1, Colour::Black);
        renderer.DrawLabel(1, 1, "A");
        renderer.DeleteDeadChessFromImage(";B[aa]");
        renderer.BtnNumberClick();
        EXPECT_TRUE(renderer.BoardImage().isNull());
    }
    RenderedGame g(9, 23);
    const QImage before = g.renderer.BoardImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(10, 5), QPoint(5, 10), QPoint(-1, 3), QPoint(19, 19), QPoint(100000, 1)}) {
        g.renderer.DrawChess(p.x(), p.y(), Colour::Black);
        g.renderer.ClearChessBoard(p.x(), p.y());
        g.renderer.SendImageToFront(p.x(), p.y());
        g.renderer.DrawStar(p.x(), p.y());
        g.renderer.ShowChessNumber(p.x(), p.y(), 5);
        g.renderer.DrawLargeTriangle(p.x(), p.y());
        g.renderer.DrawSmallTriangle(p.x(), p.y());
        g.renderer.DrawBlock(p.x(), p.y(), Colour::White);
        g.renderer.DrawLabel(p.x(), p.y(), "A");
    }
    for (const char* text : {"", "abc", ";", ";;;", ";B[", ";B[zz]", ";B[a", ";W[jj]", "B[aa]"})
        g.renderer.DeleteDeadChessFromImage(text);
    EXPECT_EQ(g.renderer.BoardImage(), before);
}

TEST(DeleteDeadChessFromImageTest, ErasesEveryNamedStoneToTheEmptyPoint)
{
    RenderedGame g(19, 37);
    const QImage empty = g.renderer.BoardImage();
    const QPoint points[] = {{1, 1}, {19, 1}, {1, 7}, {7, 19}, {4, 4}, {10, 10}, {2, 2}, {5, 6}};
    std::string text;
    for (const QPoint p : points) {
        g.renderer.DrawChess(p.x(), p.y(), Colour::White);
        g.renderer.ShowChessNumber(p.x(), p.y(), 88);
        g.renderer.DrawBlock(p.x(), p.y(), Colour::Black);
        text += formatMoveNode(Colour::White, p.x(), p.y());
    }
    g.renderer.DeleteDeadChessFromImage(text);
    EXPECT_EQ(g.renderer.BoardImage(), empty);
    EXPECT_EQ(g.renderer.PaintBox1(), empty);
}

TEST(DrawLabelTest, BlueOnBothPicturesAndNotRedrawnOnResize)
{
    RenderedGame g(13, 37);
    g.renderer.DrawLabel(7, 7, "A");
    auto blueIn = [&](const QImage& image) {
        const QRect cell = g.cell(7, 7);
        int blue = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                blue += qBlue(p) > qRed(p) + 60 ? 1 : 0;
            }
        return blue;
    };
    EXPECT_GT(blueIn(g.renderer.BoardImage()), 10);
    EXPECT_GT(blueIn(g.renderer.PaintBox1()), 10);
    g.renderer.FormResize();
    EXPECT_EQ(blueIn(g.renderer.BoardImage()), 0);
}

TEST(CoordinatesTest, DrawnOnlyWhenShownAndToggleRelaysTheBoard)
{
    RenderedGame g(19, 37);
    const int J = g.renderer.layout().squareSide();
    auto inkBelow = [&](int column) {
        const QRect cell = g.cell(column, 19);
        int dark = 0;
        for (int y = J + 1; y < g.renderer.BoardImageSize(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                dark += qGray(g.pixel(x, y)) < 100 ? 1 : 0;
        return dark;
    };
    EXPECT_EQ(inkBelow(1), 0);
    g.renderer.setShowCoordinates(true);
    g.game.InitWeiQiGame();
    EXPECT_GT(inkBelow(1), 5);
    EXPECT_GT(inkBelow(19), 5);
    EXPECT_EQ(g.renderer.PaintBox1(), g.renderer.BoardImage());
    g.renderer.setShowCoordinates(false);
    g.renderer.FormResize();
    EXPECT_EQ(inkBelow(1), 0);
    EXPECT_EQ(g.renderer.BoardImageSize(), J + 10);
}

} // namespace
} // namespace zemra
