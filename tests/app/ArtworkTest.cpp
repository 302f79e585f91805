#include <QColor>
#include <gtest/gtest.h>

#include "app/Artwork.h"

#include "ImageTestUtil.h"

using namespace zemra;
using zemra::test::meanLightness;

namespace {

bool columnsEqual(const QImage& a, int ax, const QImage& b, int bx, int fromY, int toY)
{
    for (int y = fromY; y <= toY; ++y)
        if (a.pixel(ax, y) != b.pixel(bx, y)) return false;
    return true;
}

bool rowsEqual(const QImage& a, int ay, const QImage& b, int by, int fromX, int toX)
{
    for (int x = fromX; x <= toX; ++x)
        if (a.pixel(x, ay) != b.pixel(x, by)) return false;
    return true;
}

} // namespace

TEST(Artwork, EveryPieceIsCompiledInAtItsSize)
{
    const struct {
        const char* name;
        QSize size;
    } pieces[] = {
        {"FrameTopLeft", {16, 12}},    {"FrameTop", {16, 12}},       {"FrameTopRight", {16, 12}},
        {"FrameBottomLeft", {16, 12}}, {"FrameBottom", {16, 12}},    {"FrameBottomRight", {16, 12}},
        {"FrameLeft", {12, 16}},       {"FrameRight", {12, 16}},     {"ToolHeader", {270, 19}},
        {"ToolFooter", {270, 20}},     {"PanelSide", {8, 16}},       {"ImageResize", {254, 11}},
        {"StoneIconBlack", {19, 19}},  {"StoneIconWhite", {19, 19}}, {"SettingsBackground", {245, 70}},
    };
    for (const auto& piece : pieces)
        EXPECT_EQ(artworkImage(QString::fromLatin1(piece.name)).size(), piece.size) << piece.name;
    for (const QString& strip : toolbarStripNames())
        EXPECT_EQ(artworkImage(strip).size(), QSize(132, 30)) << strip.toStdString();
    EXPECT_EQ(artworkNames().size(), 8 + static_cast<qsizetype>(std::size(pieces)));
    for (const QString& name : artworkNames())
        EXPECT_FALSE(artworkPixmap(name).isNull()) << name.toStdString();

    for (const char* name : {"", "Nothing", "imagelocal", "../sounds/play", "AppIcon16"})
        EXPECT_TRUE(artworkImage(QString::fromLatin1(name)).isNull()) << name;
    EXPECT_TRUE(artworkPixmap(QStringLiteral("Nothing")).isNull());

    const QIcon icon = applicationIcon();
    for (int size : {16, 32, 64})
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
}

TEST(Artwork, SpriteStripsHaveThreeDistinctFramesWithClearBorders)
{
    for (const QString& name : toolbarStripNames()) {
        SCOPED_TRACE(name.toStdString());
        const QImage strip = artworkImage(name).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(strip.size(), QSize(132, 30));
        // A pixmap keeps premultiplied pixels; taking them back out rounds
        // differently on different CPUs, so both sides are compared premultiplied.
        const QImage premultiplied = strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage frames[3];
        for (int k = 0; k < 3; ++k) {
            frames[k] = strip.copy(k * ButtonWidth, 0, ButtonWidth, ButtonHeight);
            EXPECT_EQ(buttonFrame(name, static_cast<ButtonFrame>(k)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      premultiplied.copy(k * ButtonWidth, 0, ButtonWidth, ButtonHeight));
        }
        EXPECT_NE(frames[0], frames[1]);
        EXPECT_NE(frames[1], frames[2]);
        EXPECT_NE(frames[0], frames[2]);
        // The window copies 45 x 31 from a frame's start: the column and row
        // beyond the frame must add nothing, so the edges are transparent.
        for (int k = 0; k < 3; ++k) {
            for (int y = 0; y < 30; ++y) {
                EXPECT_EQ(qAlpha(strip.pixel(k * 44, y)), 0) << "frame " << k << " left column, y " << y;
                EXPECT_EQ(qAlpha(strip.pixel(k * 44 + 43, y)), 0) << "frame " << k << " right column, y " << y;
            }
            for (int x = 0; x < 44; ++x)
                EXPECT_EQ(qAlpha(strip.pixel(k * 44 + x, 29)), 0) << "frame " << k << " bottom row";
        }
        // Hover lighter than normal, pressed darker, judged on the face.
        const QRect face(6, 6, 32, 20);
        const double normal = meanLightness(frames[0], face);
        EXPECT_GT(meanLightness(frames[1], face), normal);
        EXPECT_LT(meanLightness(frames[2], face), normal);
    }
    EXPECT_TRUE(buttonFrame(QStringLiteral("ToolHeader"), ButtonFrame::Normal).isNull());
}

TEST(Artwork, StretchedFramePiecesRepeatAndCornersMeetThemWithoutASeam)
{
    const QImage top = artworkImage(QStringLiteral("FrameTop"));
    const QImage bottom = artworkImage(QStringLiteral("FrameBottom"));
    const QImage left = artworkImage(QStringLiteral("FrameLeft"));
    const QImage right = artworkImage(QStringLiteral("FrameRight"));
    const QImage side = artworkImage(QStringLiteral("PanelSide"));
    // Stretching along the strip must not change the picture.
    for (int x = 1; x < 16; ++x) {
        EXPECT_TRUE(columnsEqual(top, 0, top, x, 0, 11)) << x;
        EXPECT_TRUE(columnsEqual(bottom, 0, bottom, x, 0, 11)) << x;
    }
    for (int y = 1; y < 16; ++y) {
        EXPECT_TRUE(rowsEqual(left, 0, left, y, 0, 11)) << y;
        EXPECT_TRUE(rowsEqual(right, 0, right, y, 0, 11)) << y;
        EXPECT_TRUE(rowsEqual(side, 0, side, y, 0, 7)) << y;
    }
    // Each corner continues the horizontal strip at its inner end and the
    // vertical strip (12 wide, flush with the outer edge) along its bottom or top.
    const QImage topLeft = artworkImage(QStringLiteral("FrameTopLeft"));
    const QImage topRight = artworkImage(QStringLiteral("FrameTopRight"));
    const QImage bottomLeft = artworkImage(QStringLiteral("FrameBottomLeft"));
    const QImage bottomRight = artworkImage(QStringLiteral("FrameBottomRight"));
    EXPECT_TRUE(columnsEqual(topLeft, 15, top, 0, 0, 11));
    EXPECT_TRUE(columnsEqual(bottomLeft, 15, bottom, 0, 0, 11));
    EXPECT_TRUE(columnsEqual(topRight, 0, top, 0, 0, 11));
    EXPECT_TRUE(columnsEqual(bottomRight, 0, bottom, 0, 0, 11));
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(topLeft.pixel(x, 11), left.pixel(x, 0)) << x;
        EXPECT_EQ(bottomLeft.pixel(x, 0), left.pixel(x, 0)) << x;
        EXPECT_EQ(topRight.pixel(4 + x, 11), right.pixel(x, 0)) << x;
        EXPECT_EQ(bottomRight.pixel(4 + x, 0), right.pixel(x, 0)) << x;
    }
}

TEST(Artwork, StoneIconsShowTheirColourOnATransparentGround)
{
    const QImage black = artworkImage(QStringLiteral("StoneIconBlack")).convertToFormat(QImage::Format_ARGB32);
    const QImage white = artworkImage(QStringLiteral("StoneIconWhite")).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(black.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(white.pixel(18, 18)), 0);
    EXPECT_EQ(qAlpha(black.pixel(9, 9)), 255);
    EXPECT_LT(QColor(black.pixel(11, 12)).lightness(), 80);
    EXPECT_GT(QColor(white.pixel(11, 12)).lightness(), 200);
}
