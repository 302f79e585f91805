// The player area and the information grid: texts, colours and painting.
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/InfoPanel.h"

using namespace zemra;

namespace {

const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);
const QColor Panel(239, 239, 247);
const QColor Current(195, 199, 222);
const QColor Grey(128, 128, 128);

QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

class InfoPanelTest : public ::testing::Test {
protected:
    QWidget window;
    InfoPanel panel{&window};
    InfoGrid* grid = panel.StringGrid1();

    void SetUp() override
    {
        window.resize(400, 600);
        panel.playerArea()->move(0, 0);
        grid->setGeometry(0, 200, 254, 240);
        window.show();
    }

    QImage viewportImage() const { return grid->viewport()->grab().toImage(); }
    QRect cellRect(int col, int row) const { return grid->visualRect(grid->model()->index(row - 1, col)); }
};

TEST_F(InfoPanelTest, CaptionsOfAllThirteenRows)
{
    const char* const expected[][2] = {
        {"  信息类型", "  对局信息"}, {"  赛事名称", ""}, {"  比赛时间", ""}, {"  比赛地点", ""}, {"  执    黑", ""},
        {"  黑方段位", ""},           {"  执    白", ""}, {"  白方段位", ""}, {"  棋盘大小", ""}, {"  让 子 数", ""},
        {"  贴 目 数", ""},           {"  比赛结果", ""}, {"  棋谱来源", ""},
    };
    for (int row = 0; row < InfoGrid::RowCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid->Cells(0, row), QString::fromUtf8(expected[row][0]));
        EXPECT_EQ(grid->Cells(1, row), QString::fromUtf8(expected[row][1]));
    }
}

TEST_F(InfoPanelTest, GameInfoFillsRowsWithTwoBlanksNamesAndResetsCaptures)
{
    panel.SetLabelBlackDead(QStringLiteral("3 个"));
    panel.SetLabelWhiteDead(QStringLiteral("5 个"));
    panel.ShowSideToMove(zemra::Colour::White);

    GameInfo info;
    info.GameEvent = QStringLiteral("围棋友谊赛");
    info.GameDate = QStringLiteral("2024-03-05");
    info.GamePlace = QStringLiteral("中国");
    info.BlackName = QStringLiteral("山间的清风");
    info.BlackRank = QStringLiteral("9 段");
    info.WhiteName = QStringLiteral("月下の旅人");
    info.WhiteRank = QStringLiteral("1 级");
    info.SizeText = QStringLiteral("9");
    info.GameKomi = QStringLiteral("贴2又3/4子");
    info.GameResult = QStringLiteral("正在比赛！");
    info.GameSource = QString();
    panel.ShowGameInfo(info, 4);

    const char* const rows[] = {"  围棋友谊赛", "  2024-03-05", "  中国", "  山间的清风", "  9 段",       "  月下の旅人",
                                "  1 级",       "  9×9",        "  4",    "  贴2又3/4子", "  正在比赛！", "  "};
    for (int row = 1; row <= 12; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid->Cells(1, row), QString::fromUtf8(rows[row - 1]));
    }
    EXPECT_EQ(panel.LabelBlack()->text(), QStringLiteral("山间的清风"));
    EXPECT_EQ(panel.LabelWhite()->text(), QStringLiteral("月下の旅人"));
    EXPECT_EQ(textColour(panel.LabelBlack()), Blue);
    EXPECT_EQ(textColour(panel.LabelWhite()), Black);
    EXPECT_EQ(panel.LabelBlackDead()->text(), QStringLiteral("0 个"));
    EXPECT_EQ(panel.LabelWhiteDead()->text(), QStringLiteral("0 个"));
}

TEST_F(InfoPanelTest, ResultAndHandicapRowsChangeAlone)
{
    GameInfo info;
    info.GameResult = QStringLiteral("正在比赛！");
    panel.ShowGameInfo(info, 0);
    panel.ShowResult(QStringLiteral("网络中断，比赛结束！"));
    panel.SetHandicapCell(QStringLiteral("  3"));
    EXPECT_EQ(grid->Cells(1, 11), QStringLiteral("  网络中断，比赛结束！"));
    EXPECT_EQ(grid->Cells(1, 9), QStringLiteral("  3"));
    EXPECT_EQ(grid->Cells(1, 8), QStringLiteral("  19×19"));
}

TEST_F(InfoPanelTest, SideToMoveColoursTheNameLabels)
{
    const struct {
        zemra::Colour side;
        QColor black, white;
    } cases[] = {{zemra::Colour::White, Black, Blue}, {zemra::Colour::Black, Blue, Black}, {zemra::Colour::White, Black, Blue}};
    for (const auto& c : cases) {
        panel.ShowSideToMove(c.side);
        EXPECT_EQ(textColour(panel.LabelBlack()), c.black);
        EXPECT_EQ(textColour(panel.LabelWhite()), c.white);
    }
}

TEST_F(InfoPanelTest, LabelsGrowWithTheirText)
{
    GameInfo info;
    info.BlackName = QStringLiteral("一二三四五六七");
    info.WhiteName = QStringLiteral("abcdefghijklmn");
    panel.ShowGameInfo(info, 0);
    panel.SetLabelWhiteDead(QStringLiteral("123 个"));
    for (QLabel* label : {panel.LabelBlack(), panel.LabelWhite(), panel.LabelWhiteDead()}) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_LE(label->geometry().right(), PlayerArea::Width);
    }
}

TEST_F(InfoPanelTest, PicturesAndPlaceholders)
{
    QImage red(118, 93, QImage::Format_RGB32);
    red.fill(Qt::red);
    panel.setBlackPicture(red);
    const QImage area = panel.playerArea()->grab().toImage();
    EXPECT_EQ(QColor(area.pixel(7 + 59, 8 + 46)), QColor(Qt::red));
    // No white picture: something is drawn there, not the bare panel.
    EXPECT_NE(QColor(area.pixel(130 + 5, 8 + 5)), Panel);
    EXPECT_EQ(QColor(area.pixel(60, 104)), Panel);
}

TEST_F(InfoPanelTest, HeaderIsPaintedWithRaisedEdge)
{
    const QImage header = grid->horizontalHeader()->grab().toImage();
    ASSERT_EQ(header.height(), InfoGrid::RowHeight);
    EXPECT_EQ(QColor(header.pixel(0, 5)), QColor(Qt::white));  // left edge
    EXPECT_EQ(QColor(header.pixel(50, 0)), QColor(Qt::white)); // top edge
    EXPECT_EQ(QColor(header.pixel(50, InfoGrid::RowHeight - 1)), Grey);
    EXPECT_EQ(QColor(header.pixel(99, 8)), Grey); // right column of column 0
    EXPECT_EQ(QColor(header.pixel(100, 8)), QColor(Qt::white));
    EXPECT_EQ(QColor(header.pixel(3, 3)), QColor(212, 208, 200));
}

TEST_F(InfoPanelTest, CurrentRowIsHighlightedAndRowsEndInADottedLine)
{
    QImage img = viewportImage();
    const QRect row1 = cellRect(0, 1);
    const QRect row2 = cellRect(1, 2);
    ASSERT_EQ(row1.height(), InfoGrid::RowHeight);
    EXPECT_EQ(QColor(img.pixel(row1.left() + 3, row1.top() + 1)), Current);
    EXPECT_EQ(QColor(img.pixel(row2.left() + 3, row2.top() + 1)), Panel);
    for (int x = row2.left(); x < row2.left() + 20; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(QColor(img.pixel(x, row2.bottom())), x % 2 == 0 ? Grey : Panel);
    }

    grid->setCurrentCell(4, 0); // grid row 5
    img = viewportImage();
    EXPECT_EQ(grid->currentGridRow(), 5);
    EXPECT_EQ(QColor(img.pixel(row1.left() + 3, row1.top() + 1)), Panel);
    const QRect row5 = cellRect(1, 5);
    EXPECT_EQ(QColor(img.pixel(row5.left() + 3, row5.top() + 1)), Current);
}

TEST_F(InfoPanelTest, DrawCellStaysInsideItsRectangle)
{
    grid->SetCells(0, 3, QStringLiteral("比赛地点比赛地点比赛地点比赛地点"));
    grid->SetCells(1, 0, QStringLiteral("  对局信息对局信息对局信息对局信息对局信息对局信息"));
    for (const int row : {0, 3}) {
        SCOPED_TRACE(row);
        for (const int col : {0, 1}) {
            QImage img(300, 40, QImage::Format_RGB32);
            img.fill(Qt::green);
            const QRect rect(100, 10, 100, 17);
            {
                QPainter p(&img);
                grid->StringGrid1DrawCell(p, col, row, rect);
            }
            bool inkInside = false;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const bool green = QColor(img.pixel(x, y)) == QColor(Qt::green);
                    if (!rect.contains(x, y))
                        ASSERT_TRUE(green) << x << "," << y;
                    else
                        inkInside |= !green;
                }
            EXPECT_TRUE(inkInside);
        }
    }
}

TEST_F(InfoPanelTest, CaptionsAreBlackAndValuesNavy)
{
    grid->SetCells(1, 4, QStringLiteral("  黑黑黑"));
    const QImage img = viewportImage();
    const auto inkOf = [&img](const QRect& r) {
        int neutral = 0, bluish = 0;
        for (int y = r.top(); y < r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c(img.pixel(x, y));
                if (c.red() > 150) continue; // background
                (c.blue() - c.red() > 40 ? bluish : neutral) += 1;
            }
        return std::pair{neutral, bluish};
    };
    const auto [captionNeutral, captionBluish] = inkOf(cellRect(0, 4));
    EXPECT_GT(captionNeutral, 0);
    EXPECT_EQ(captionBluish, 0);
    const auto [valueNeutral, valueBluish] = inkOf(cellRect(1, 4));
    EXPECT_EQ(valueNeutral, 0);
    EXPECT_GT(valueBluish, 0);
}

TEST_F(InfoPanelTest, ShrunkGridScrollsToTheLastRowAndClicksDoNotScrollSideways)
{
    grid->resize(254, 17 * 4 + 4);
    QApplication::processEvents();
    ASSERT_GT(grid->verticalScrollBar()->maximum(), 0);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 2), 11);

    // A click on the wide value column selects the row; the captions stay in view.
    const QRect last = cellRect(1, 12);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(150, last.center().y()));
    EXPECT_EQ(grid->currentGridRow(), 12);
    EXPECT_EQ(grid->horizontalScrollBar()->value(), 0);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->currentGridRow(), 11);
    EXPECT_EQ(grid->horizontalScrollBar()->value(), 0);
    const QImage img = viewportImage();
    EXPECT_EQ(QColor(img.pixel(3, cellRect(0, 11).top() + 1)), Current);
    EXPECT_EQ(QColor(img.pixel(3, cellRect(0, 12).top() + 1)), Panel);
}

// The widgets are made when first asked for: what was written before is
// what they show, pixel for pixel.
TEST(InfoPanelWidgets, ShowWhatWasWrittenBeforeTheyWereMade)
{
    QImage red(118, 93, QImage::Format_RGB32);
    red.fill(Qt::red);
    GameInfo info;
    info.BlackName = QStringLiteral("甲");
    info.WhiteName = QStringLiteral("乙方");
    info.SizeText = QStringLiteral("9");
    const auto write = [&](InfoPanel& p) {
        p.setWhitePicture(red);
        p.ShowGameInfo(info, 0);
        p.SetHandicapCell(QStringLiteral("  2"));
        p.ShowSideToMove(Colour::White);
        p.SetLabelBlackDead(QStringLiteral("12 个"));
        p.ShowResult(QStringLiteral("W+R"));
    };
    QWidget window;
    InfoPanel early{&window}, late{&window};
    early.build();
    write(early);
    write(late);
    ASSERT_FALSE(late.built());
    EXPECT_EQ(late.playerArea()->grab().toImage(), early.playerArea()->grab().toImage());
    for (int row = 0; row < InfoGrid::RowCount; ++row)
        EXPECT_EQ(late.StringGrid1()->Cells(1, row), early.StringGrid1()->Cells(1, row)) << row;
}

} // namespace
