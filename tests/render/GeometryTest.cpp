// Cell size, picture size, grid, frame, star points and mark sizes.
#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "render/BoardGeometry.h"

namespace zemra {
namespace {

using test::RenderedGame;

constexpr QRgb BlackInk = 0x000000;

TEST(GeometryTest, ChessSizeForPanel)
{
    struct Row {
        int width, height, boardSize, expected;
    };
    const Row rows[] = {
        {700, 700, 19, 35},   // 694 div 20 = 34, never used
        {706, 706, 19, 36},   // 35 -> 36
        {726, 726, 19, 37},   // 36 -> 37
        {746, 746, 19, 37},   // 37 stays
        {666, 900, 19, 33},   // the smaller side decides
        {500, 400, 9, 39},    //
        {100, 100, 19, 10},   // too small: clamped, the picture overflows
        {0, 0, 19, 10},       //
        {-40, 5, 19, 10},     //
        {3000, 3000, 19, 59}, //
        {3000, 3000, 5, 59},  //
        {300, 300, 0, 59},    // a board size the model never has: no division by zero
        {300, 300, -1, 59},   //
        {300, 300, 99, 14},   //
    };
    for (const Row& row : rows)
        EXPECT_EQ(chessSizeFor(row.width, row.height, row.boardSize), row.expected)
            << row.width << "x" << row.height << " n=" << row.boardSize;
}

TEST(GeometryTest, RendererLaysOutAndPlacesThePicture)
{
    WeiQiGame game;
    BoardRenderer renderer(game);
    renderer.setPanelSize(700, 700);
    renderer.InitChessBoard();
    EXPECT_EQ(renderer.ChessSize(), 35);
    EXPECT_EQ(renderer.BoardMargin(), 3);
    const int J = 19 * 35 + 6;
    EXPECT_EQ(renderer.BoardImageSize(), J + 10);
    EXPECT_EQ(renderer.BoardImage().size(), QSize(J + 10, J + 10));
    EXPECT_EQ(renderer.PaintBox1().size(), QSize(J + 10, J + 10));
    EXPECT_EQ(renderer.paintBoxPos(), QPoint((700 - J) / 2 - 3, (700 - J) / 2));

    // Coordinates add the width of "19" and centre the picture with them.
    renderer.setShowCoordinates(true);
    renderer.InitChessBoard();
    const int withCoordinates = renderer.BoardImageSize();
    EXPECT_GT(withCoordinates, J + 10);
    EXPECT_LT(withCoordinates, J + 10 + 35);
    EXPECT_EQ(renderer.paintBoxPos().x(), (700 - J - (withCoordinates - J - 10)) / 2);

    // A tiny panel: cell size 10 and a picture starting left of the panel.
    renderer.setShowCoordinates(false);
    renderer.setPanelSize(100, 100);
    renderer.InitChessBoard();
    EXPECT_EQ(renderer.ChessSize(), 10);
    EXPECT_LT(renderer.paintBoxPos().x(), 0);
    EXPECT_LT(renderer.paintBoxPos().y(), 0);
}

TEST(GeometryTest, GridFrameOutlineAndShadowPixels)
{
    for (const int s : {10, 37, 59}) {
        RenderedGame g(19, s);
        const BoardLayout& layout = g.renderer.layout();
        const int g0 = layout.gridStart();
        const int L = layout.gridEnd();
        const int J = layout.squareSide();
        ASSERT_EQ(g0, 3 + s / 2);
        ASSERT_EQ(L, g0 + 18 * s);
        const int mid = g0 + 2 * s + s / 3; // between two lines
        for (int k = 0; k < 19; ++k) {
            const int line = g0 + k * s;
            EXPECT_EQ(g.pixel(line, mid), BlackInk) << s;
            EXPECT_EQ(g.pixel(mid, line), BlackInk) << s;
            if (k < 18) {
                EXPECT_NE(g.pixel(line + 1, mid), BlackInk) << s;
            }
        }
        // Two-pixel edges, and wood outside them.
        for (const int edge : {g0 - 1, L + 1}) {
            EXPECT_EQ(g.pixel(edge, mid), BlackInk) << s;
            EXPECT_EQ(g.pixel(mid, edge), BlackInk) << s;
        }
        EXPECT_NE(g.pixel(g0 - 2, mid), BlackInk) << s;
        EXPECT_NE(g.pixel(L + 2, mid), BlackInk) << s;
        EXPECT_EQ(g.pixel(g0 - 1, g0 - 1), BlackInk) << s;
        EXPECT_EQ(g.pixel(L + 1, L + 1), BlackInk) << s;
        EXPECT_NE(g.pixel(mid, mid), BlackInk) << s;
        // Grey outline round the board square.
        for (const QPoint p : {QPoint(0, 0), QPoint(J - 1, 0), QPoint(0, J - 1), QPoint(J - 1, J - 1), QPoint(mid, J - 1)})
            EXPECT_EQ(g.pixel(p.x(), p.y()), 0x808080u) << s;
        // The shadow beside the square darkens towards it.
        EXPECT_LT(qGray(g.pixel(J, mid)), qGray(g.pixel(J + 9, mid))) << s;
        EXPECT_LT(qGray(g.pixel(mid, J)), qGray(g.pixel(mid, J + 9))) << s;
        // The screen got the whole picture.
        EXPECT_EQ(g.renderer.PaintBox1(), g.renderer.BoardImage()) << s;
    }
}

TEST(GeometryTest, StarPointTable)
{
    struct Row {
        int n;
        std::vector<QPoint> stars;
    };
    const Row rows[] = {
        {5, {}},
        {6, {}},
        {7, {{3, 3}, {3, 5}, {5, 3}, {5, 5}}},
        {9, {{3, 3}, {3, 7}, {7, 3}, {7, 7}}},
        {10, {{4, 4}, {4, 7}, {7, 4}, {7, 7}}},
        {13, {{4, 4}, {4, 10}, {7, 7}, {10, 4}, {10, 10}}},
        {15, {{4, 4}, {4, 8}, {4, 12}, {8, 4}, {8, 8}, {8, 12}, {12, 4}, {12, 8}, {12, 12}}},
        {17, {{4, 4}, {4, 9}, {4, 14}, {9, 4}, {9, 9}, {9, 14}, {14, 4}, {14, 9}, {14, 14}}},
        {18, {{4, 4}, {4, 15}, {15, 4}, {15, 15}}},
        {19, {{4, 4}, {4, 10}, {4, 16}, {10, 4}, {10, 10}, {10, 16}, {16, 4}, {16, 10}, {16, 16}}},
    };
    for (const Row& row : rows) {
        std::vector<QPoint> got = starPoints(row.n);
        auto less = [](QPoint a, QPoint b) { return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y(); };
        std::sort(got.begin(), got.end(), less);
        EXPECT_EQ(got, row.stars) << row.n;
    }
    const std::size_t counts[] = {0, 0, 4, 4, 4, 4, 4, 4, 5, 4, 9, 4, 9, 4, 9}; // n = 5..19
    for (int n = 5; n <= 19; ++n)
        EXPECT_EQ(starPoints(n).size(), counts[n - 5]) << n;
}

TEST(GeometryTest, StarDotsAreDrawnOnEveryBoardSizeAndNowhereElse)
{
    for (int n = 5; n <= 19; ++n) {
        RenderedGame g(n, 23);
        for (int i = 2; i < n; ++i) {
            for (int j = 2; j < n; ++j) {
                const QPoint c = g.centre(i, j);
                EXPECT_EQ(g.pixel(c.x() + 1, c.y() + 1) == BlackInk, isStarPoint(n, i, j)) << n << ": " << i << "," << j;
            }
        }
    }
}

TEST(GeometryTest, StarDotShape)
{
    RenderedGame g(19, 37);
    const QPoint c = g.centre(10, 10);
    const char* const expected[] = {
        ".....+.....", //
        "....XXX....", // y0 - 2
        "...XXXXX...", //
        "XXXXXXXXXXX", // y0, the grid line
        "...XXXXX...", //
        "....XXX....", // y0 + 2
        ".....+.....",
    };
    for (int dy = -3; dy <= 3; ++dy) {
        std::string row;
        for (int dx = -5; dx <= 5; ++dx) {
            const bool ink = g.pixel(c.x() + dx, c.y() + dy) == BlackInk;
            row += ink ? (dx == 0 && (dy == -3 || dy == 3) ? '+' : 'X') : '.';
        }
        EXPECT_EQ(row, expected[dy + 3]) << "row " << dy;
    }
}

TEST(GeometryTest, MarkSizes)
{
    struct Row {
        int s, large, small, block;
    };
    for (const Row row : {Row{10, 3, 2, 3}, Row{59, 27, 14, 19}, Row{37, 16, 9, 11}, Row{36, 16, 9, 11}}) {
        EXPECT_EQ(largeTriangleLeg(row.s), row.large) << row.s;
        EXPECT_EQ(smallTriangleLeg(row.s), row.small) << row.s;
        EXPECT_EQ(blockSide(row.s), row.block) << row.s;
        if (row.s == 36) continue; // only reachable by layout through 35

        RenderedGame g(19, row.s);
        ASSERT_EQ(g.renderer.ChessSize(), row.s);
        g.renderer.DrawLargeTriangle(4, 4);
        g.renderer.DrawSmallTriangle(10, 10);
        g.renderer.DrawBlock(16, 16, Colour::White);
        auto count = [&](int i, int j, QRgb colour) {
            int pixels = 0;
            const QRect cell = g.cell(i, j);
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    pixels += g.pixel(x, y) == colour ? 1 : 0;
            return pixels;
        };
        // Right triangles with legs of `large` and `small`: leg (leg + 1) / 2 pixels.
        EXPECT_EQ(count(4, 4, test::RedMark), row.large * (row.large + 1) / 2) << row.s;
        const QPoint c = g.centre(4, 4);
        EXPECT_EQ(g.pixel(c.x(), c.y()), test::RedMark) << "the right angle sits on the intersection";
        EXPECT_EQ(g.pixel(c.x() + row.large - 1, c.y()), test::RedMark);
        EXPECT_EQ(g.pixel(c.x(), c.y() + row.large - 1), test::RedMark);
        EXPECT_EQ(count(10, 10, test::RedMark), row.small * (row.small + 1) / 2) << row.s;
        EXPECT_EQ(g.pixel(g.cell(10, 10).left(), g.cell(10, 10).top()), test::RedMark);
        EXPECT_EQ(count(16, 16, 0xffffff), row.block * row.block) << row.s;
        const QPoint b = g.centre(16, 16);
        EXPECT_EQ(g.pixel(b.x() - row.block / 2, b.y() - row.block / 2), 0xffffffu);
        EXPECT_EQ(g.pixel(b.x() + row.block / 2, b.y() + row.block / 2), 0xffffffu);
    }
}

TEST(GeometryTest, PieceKindOfEveryPoint)
{
    struct Row {
        int n, i, j;
        PieceKind kind;
    };
    const Row rows[] = {
        {19, 1, 1, PieceKind::LeftUp},      {19, 19, 1, PieceKind::RightUp}, {19, 1, 19, PieceKind::LeftDown},
        {19, 19, 19, PieceKind::RightDown}, {19, 1, 7, PieceKind::Left},     {19, 7, 1, PieceKind::Up},
        {19, 19, 7, PieceKind::Right},      {19, 7, 19, PieceKind::Down},    {19, 4, 4, PieceKind::Star},
        {19, 10, 10, PieceKind::Star},      {19, 3, 3, PieceKind::Cross},    {19, 2, 2, PieceKind::Cross},
        {9, 3, 3, PieceKind::Star},         {9, 4, 4, PieceKind::Cross},     {9, 9, 5, PieceKind::Right},
        {13, 7, 7, PieceKind::Star},        {13, 7, 4, PieceKind::Cross},    {5, 3, 3, PieceKind::Cross},
        {6, 4, 4, PieceKind::Cross},        {5, 5, 5, PieceKind::RightDown},
    };
    for (const Row& row : rows)
        EXPECT_EQ(pieceName(pieceKindAt(row.n, row.i, row.j)), pieceName(row.kind)) << row.n << ": " << row.i << "," << row.j;
    EXPECT_EQ(pieceSourcePoint(PieceKind::Star, 9), QPoint(3, 3));
    EXPECT_EQ(pieceSourcePoint(PieceKind::Star, 19), QPoint(4, 4));
    EXPECT_EQ(pieceSourcePoint(PieceKind::RightDown, 13), QPoint(13, 13));
}

} // namespace
} // namespace zemra
