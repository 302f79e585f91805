// Kept picture memory: reused across sizes, never under a picture still in use.
#include <gtest/gtest.h>

#include <vector>

#include "RenderTestUtil.h"
#include "render/PictureMemory.h"

namespace zemra {
namespace {

TEST(PictureMemoryTest, ReusedForSmallerPicturesButNotUnderOneStillInUse)
{
    PictureMemory memory;
    QImage first = memory.picture(300, 200);
    ASSERT_EQ(first.size(), QSize(300, 200));
    ASSERT_EQ(first.format(), QImage::Format_RGB32);
    const uchar* kept = first.constBits();
    first = QImage();
    QImage second = memory.picture(150, 250);
    EXPECT_EQ(second.constBits(), kept) << "a smaller picture takes the kept memory";
    second.fill(0xff112233);

    // A copy of the picture is still alive: the next one must not overwrite it.
    const QImage copy = second;
    second = QImage();
    QImage third = memory.picture(100, 100);
    third.fill(0xffffffff);
    EXPECT_NE(third.constBits(), copy.constBits());
    EXPECT_EQ(copy.pixel(149, 249), 0xff112233u);

    EXPECT_TRUE(memory.picture(0, 10).isNull());
}

TEST(PictureMemoryTest, CopiesOfTheBoardOutliveResizesAndTheRenderer)
{
    QImage before;
    QImage expected;
    {
        test::RenderedGame g(19, 37);
        g.renderer.DrawChess(4, 4, Colour::Black);
        before = g.renderer.BoardImage();
        expected = before.copy();
        for (const int s : {23, 59, 37}) {
            g.renderer.setPanelSize(test::panelFor(19, s), test::panelFor(19, s));
            g.renderer.FormResize();
        }
        EXPECT_EQ(before, expected) << "a layout drew into memory a copy still uses";
    }
    // The renderer is gone; fresh pictures must not land on the copy's memory.
    std::vector<QImage> others;
    for (int k = 0; k < 4; ++k) {
        others.emplace_back(before.size(), QImage::Format_RGB32);
        others.back().fill(0xffffffff);
    }
    EXPECT_EQ(before, expected);
}

} // namespace
} // namespace zemra
