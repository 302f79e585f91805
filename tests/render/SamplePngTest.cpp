// Writes sample boards into the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QDir>

#include "RenderTestUtil.h"

namespace zemra {
namespace {

using test::RenderedGame;

// A made-up opening with fights in three corners.
constexpr const char* Opening19 = "pd dp pp dc ce dd cd de fc cc bc cb bb db ed ec qf nc pb pc qc oc ob "
                                  "nb fq cn jp cf bf bg be cg dh qj cq cp bp dq bq br er eq fp";

void save(const BoardRenderer& renderer, const QString& name)
{
    const QDir dir(QStringLiteral(ZEMRA_RENDER_PNG_DIR));
    ASSERT_TRUE(dir.mkpath(QStringLiteral(".")));
    const QString path = dir.filePath(name);
    ASSERT_TRUE(renderer.PaintBox1().save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path), renderer.PaintBox1().convertToFormat(QImage(path).format()));
}

TEST(SamplePngTest, NineteenWithNumbers)
{
    for (const int s : {10, 37, 59}) {
        for (const bool coordinates : {false, true}) {
            RenderedGame g(19, s, coordinates);
            g.renderer.SetStoneLabelMode(StoneLabelMode::AllNumbers);
            test::play(g.game, Opening19);
            save(g.renderer, QStringLiteral("board19_numbers_%1%2.png").arg(s).arg(coordinates ? "_coords" : ""));
        }
    }
}

TEST(SamplePngTest, NineteenPlainWithLastMove)
{
    RenderedGame g(19, 37, true);
    test::play(g.game, Opening19);
    save(g.renderer, QStringLiteral("board19_last_move_37.png"));
}

TEST(SamplePngTest, NineWithDeadMarks)
{
    RenderedGame g(9, 59, true);
    test::play(g.game, "ee cc gg cg gc dd fd df ff ge eg hf gf bd fg ch hd");
    g.game.SetMarkingDead(true);
    g.game.MarkingClick(7, 7);
    g.game.MarkingClick(3, 8);
    save(g.renderer, QStringLiteral("board9_dead_59.png"));
}

TEST(SamplePngTest, ThirteenWithLabels)
{
    RenderedGame g(13, 37);
    test::play(g.game, "dd jj dj jd gg cg gc");
    g.renderer.setGameMode("open");
    g.renderer.setTrialPlay(true);
    g.renderer.ShowChessNumberAndFlag(g.game.MoveCount);
    g.renderer.DrawLabel(10, 7, "A");
    g.renderer.DrawLabel(7, 10, "B");
    g.renderer.DrawLabel(4, 7, "C");
    save(g.renderer, QStringLiteral("board13_labels_37.png"));
}

} // namespace
} // namespace zemra
