// The artwork by name, its mask convention, the wood tile's seams, the
// shadow gradients and the font mapping.
#include <gtest/gtest.h>

#include <QFontDatabase>

#include "tests/MissingTool.h"

#include <QFontInfo>
#include <cstdlib>

#include "render/BoardArt.h"
#include "render/BoardGeometry.h"
#include "render/Fonts.h"

namespace zemra {
namespace {

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(BoardArtTest, NamesGiveTheirSizesAndUnknownNamesNothing)
{
    struct Row {
        const char* name;
        int width;
        int height;
    };
    const Row rows[] = {{"B10", 10, 10}, {"W10", 10, 10}, {"M10", 10, 10}, {"B37", 37, 37},
                        {"W59", 59, 59}, {"M59", 59, 59}, {"SD4", 10, 10}, {"SD5", 1, 10},
                        {"SD6", 10, 10}, {"SD7", 10, 1},  {"SD8", 10, 10}, {"SmallBoard", 50, 50}};
    for (const Row& row : rows) {
        const QImage image = boardArt(QString::fromLatin1(row.name));
        EXPECT_EQ(image.size(), QSize(row.width, row.height)) << row.name;
    }
    for (const char* bad : {"B9", "B60", "X37", "B", "", "SD3", "SD9", "B3x", "M-1", "W 5"})
        EXPECT_TRUE(boardArt(QString::fromLatin1(bad)).isNull()) << bad;
}

TEST(BoardArtTest, StonesStandOnBlackAndTheMaskIsBlackInsideWhiteOutside)
{
    for (int size = MinChessSize; size <= MaxChessSize; ++size) {
        const StoneImages& stones = stoneImages(size);
        const int c = size / 2;
        for (const QImage* stone : {&stones.BlackChess, &stones.WhiteChess}) {
            EXPECT_EQ(stone->pixel(0, 0) & 0xffffff, 0u) << size;
            EXPECT_EQ(stone->pixel(size - 1, size - 1) & 0xffffff, 0u) << size;
        }
        EXPECT_EQ(stones.ChessMask.pixel(0, 0) & 0xffffff, 0xffffffu) << size;
        EXPECT_EQ(stones.ChessMask.pixel(c, c) & 0xffffff, 0u) << size;
        // Wherever the mask keeps the board, the stone must add nothing.
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if ((stones.ChessMask.pixel(x, y) & 0xffffff) == 0) continue;
                ASSERT_EQ(stones.BlackChess.pixel(x, y) & 0xffffff, 0u) << size;
                ASSERT_EQ(stones.WhiteChess.pixel(x, y) & 0xffffff, 0u) << size;
            }
        }
        EXPECT_LT(qGray(stones.BlackChess.pixel(c, c)), 70) << size;
        EXPECT_GT(qGray(stones.WhiteChess.pixel(c, c)), 190) << size;
    }
}

TEST(BoardArtTest, WoodTileHasNoSeam)
{
    const QImage& tile = SmallBoard();
    // The step across the tile's edge is no larger than steps inside it.
    int inside = 0;
    int across = 0;
    for (int k = 0; k < SmallBoardSide; ++k) {
        for (int x = 0; x + 1 < SmallBoardSide; ++x)
            inside = std::max(inside, channelDistance(tile.pixel(x, k), tile.pixel(x + 1, k)));
        for (int y = 0; y + 1 < SmallBoardSide; ++y)
            inside = std::max(inside, channelDistance(tile.pixel(k, y), tile.pixel(k, y + 1)));
        across = std::max(across, channelDistance(tile.pixel(SmallBoardSide - 1, k), tile.pixel(0, k)));
        across = std::max(across, channelDistance(tile.pixel(k, SmallBoardSide - 1), tile.pixel(k, 0)));
    }
    EXPECT_LE(across, inside);
    // Warm wood: red over green over blue everywhere.
    const QRgb p = tile.pixel(25, 25);
    EXPECT_GT(qRed(p), qGreen(p));
    EXPECT_GT(qGreen(p), qBlue(p));
}

TEST(BoardArtTest, ShadowsAreDarkestAtTheBoardAndFadeIntoThePanel)
{
    // (piece, pixel next to the board, pixel farthest out)
    struct Row {
        int number;
        QPoint near;
        QPoint far;
    };
    const Row rows[] = {{5, {0, 0}, {0, 9}}, {7, {0, 0}, {9, 0}}, {6, {0, 0}, {9, 9}}, {4, {9, 0}, {9, 9}}, {8, {0, 9}, {9, 9}}};
    for (const Row& row : rows) {
        const QImage& piece = shadowPiece(row.number);
        EXPECT_LT(qGray(piece.pixel(row.near)), qGray(PanelColour) - 40) << row.number;
        EXPECT_LE(channelDistance(piece.pixel(row.far), PanelColour), 2) << row.number;
        for (int y = 0; y < piece.height(); ++y)
            for (int x = 0; x < piece.width(); ++x) {
                const QRgb p = piece.pixel(x, y);
                EXPECT_TRUE(qRed(p) == qGreen(p) && qBlue(p) >= qRed(p)) << "grey, tinted like the panel";
            }
    }
    // The lower-left and upper-right corners start softly at the board's side.
    EXPECT_GT(qGray(shadowPiece(4).pixel(0, 0)), qGray(shadowPiece(4).pixel(9, 0)));
    EXPECT_GT(qGray(shadowPiece(8).pixel(0, 0)), qGray(shadowPiece(8).pixel(0, 9)));
}

TEST(FontsTest, WindowsNamesMapToInstalledFonts)
{
    struct Row {
        QString asked;
        QString family;
    };
    const Row rows[] = {{SongTi, "AR PL UMing CN"}, {CourierNew, "Liberation Mono"}, {Arial, "Liberation Sans"}};
    for (const Row& row : rows)
        if (!QFontDatabase::families().contains(row.family))
            ZEMRA_SKIP_OR_FAIL_IN_CI(row.family.toStdString() + " is not installed (fonts-arphic-uming, fonts-liberation)");
    for (const Row& row : rows)
        EXPECT_EQ(QFontInfo(boardFont(row.asked, 12)).family(), row.family) << row.asked.toStdString();
    // 12 points at 96 dpi
    EXPECT_EQ(boardFont(SongTi, 12).pixelSize(), 16);
}

} // namespace
} // namespace zemra
