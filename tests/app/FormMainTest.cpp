#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/BoardWidget.h"
#include "app/EngineGame.h"
#include "app/FormMain.h"
#include "app/InfoPanel.h"
#include "app/LocalNewGameDialog.h"
#include "app/MessageLog.h"
#include "app/MyMessageBox.h"
#include "app/SaveCommands.h"
#include "app/ToolbarMenus.h"
#include "app/ZemraApplication.h"
#include "render/BoardRenderer.h"
#include "tests/app/FakeEngineProgram.h"
#include "tests/app/TestDialogs.h"
#include "tests/records/FileSizeLimit.h"

using namespace zemra;

namespace {

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TFormMain>();
        form->setUserDialogs(&dialogs);
        form->resize(1000, 760);
        form->show();
        QApplication::processEvents();
    }

    // The pixel at the centre of point (i, j) on the board picture.
    QPoint centre(int i, int j)
    {
        const int s = form->renderer().ChessSize();
        const int m = form->renderer().BoardMargin();
        return {m + (i - 1) * s + s / 2, m + (j - 1) * s + s / 2};
    }
    void click(int i, int j, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint p = centre(i, j);
        form->PaintBox1MouseDown(button);
        form->PaintBox1MouseUp(button, p.x(), p.y());
    }
    QString logText() const { return form->messageLog()->toPlainText(); }
    QAction* item(QMenu* menu, const char* caption) { return TFormMain::item(menu, QString::fromUtf8(caption)); }

    zemra::testing::TestDialogs dialogs; // outlives the window
    std::unique_ptr<TFormMain> form;
};

} // namespace

TEST_F(FormMainTest, StartsInTheLocalModeWithTheBanner)
{
    EXPECT_EQ(form->GameMode(), QStringLiteral("local"));
    EXPECT_TRUE(item(form->menuGameMode(), "  本地对局")->isChecked());
    EXPECT_FALSE(item(form->menuGameMode(), "  欣赏棋谱")->isChecked());
    EXPECT_EQ(form->game().BoardSize(), 19);
    EXPECT_EQ(form->game().MoveCount(), 0);
    const QString log = logText();
    for (const QString& line : TFormMain::bannerLines())
        EXPECT_TRUE(log.contains(line)) << line.toStdString();
    // No mode notices at start-up.
    EXPECT_FALSE(log.contains(QStringLiteral("您已经切换到了")));
    EXPECT_EQ(form->infoPanel().LabelBlack()->text(), QStringLiteral("山间的清风"));
    EXPECT_GT(form->renderer().ChessSize(), 0);
}

TEST_F(FormMainTest, BannerLinesAreThirtyEightColumnsWide)
{
    for (const QString& line : TFormMain::bannerLines()) {
        int columns = 0;
        for (const QChar c : line)
            columns += c.unicode() < 0x80 ? 1 : 2;
        EXPECT_EQ(columns, 38) << line.toStdString();
    }
}

TEST_F(FormMainTest, LeftClickPlaysRightClickTakesBack)
{
    click(4, 4);
    EXPECT_EQ(form->game().BoardPoints(4, 4), "BlackChess1");
    EXPECT_EQ(form->game().SideToMove(), Colour::White);
    click(4, 4); // occupied: nothing, the same side stays
    EXPECT_EQ(form->game().MoveCount(), 1);
    EXPECT_EQ(form->game().SideToMove(), Colour::White);
    click(10, 10, Qt::RightButton);
    EXPECT_EQ(form->game().MoveCount(), 0);
    EXPECT_EQ(form->game().SideToMove(), Colour::Black);
    click(10, 10, Qt::MiddleButton);
    EXPECT_EQ(form->game().MoveCount(), 0);
}

TEST_F(FormMainTest, ReleaseWithoutPressAndClicksOffTheGridDoNothing)
{
    const QPoint p = centre(5, 5);
    form->PaintBox1MouseUp(Qt::LeftButton, p.x(), p.y());
    EXPECT_EQ(form->game().MoveCount(), 0);

    const int s = form->renderer().ChessSize();
    const int m = form->renderer().BoardMargin();
    const int edge = m + 19 * s;
    for (const QPoint q : {QPoint(edge, m + 5), QPoint(m + 5, edge), QPoint(m - 1, m + 5), QPoint(edge + 3, edge + 3)}) {
        form->PaintBox1MouseDown(Qt::LeftButton);
        form->PaintBox1MouseUp(Qt::LeftButton, q.x(), q.y());
    }
    EXPECT_EQ(form->game().MoveCount(), 0);
    // The press is consumed by one release only.
    form->PaintBox1MouseDown(Qt::LeftButton);
    form->PaintBox1MouseUp(Qt::LeftButton, p.x(), p.y());
    form->PaintBox1MouseUp(Qt::LeftButton, centre(6, 6).x(), centre(6, 6).y());
    EXPECT_EQ(form->game().MoveCount(), 1);
}

TEST_F(FormMainTest, WhileMarkingAnyButtonMarksAndNothingIsPlayed)
{
    click(4, 4);
    click(16, 16);
    item(form->menuLocal(), "  标记死子")->trigger();
    ASSERT_TRUE(form->game().MarkingDead());
    ASSERT_TRUE(item(form->menuLocal(), "  标记死子")->isChecked());
    click(4, 4, Qt::RightButton);
    EXPECT_EQ(form->game().PointMarks(4, 4), "Black Dead");
    EXPECT_EQ(form->game().MoveCount(), 2) << "a right click must not undo while marking";
    click(16, 16, Qt::MiddleButton);
    EXPECT_EQ(form->game().PointMarks(16, 16), "White Dead");
    click(10, 10);
    EXPECT_EQ(form->game().MoveCount(), 2);
    click(4, 4);
    EXPECT_EQ(form->game().PointMarks(4, 4), "");
}

TEST_F(FormMainTest, SwitchingModesSendsBothNoticesInOrder)
{
    item(form->menuGameMode(), "  欣赏棋谱")->trigger();
    EXPECT_EQ(form->GameMode(), QStringLiteral("open"));
    const QString log = logText();
    const auto n1 = log.indexOf(QStringLiteral("您已经切换到了“欣赏棋谱”模式！"));
    const auto n2 = log.indexOf(QStringLiteral("请点击“欣赏棋谱”的按钮开始新局"));
    EXPECT_GE(n1, 0);
    EXPECT_GT(n2, n1);
    EXPECT_TRUE(item(form->menuGameMode(), "  欣赏棋谱")->isChecked());
    EXPECT_FALSE(item(form->menuGameMode(), "  本地对局")->isChecked());

    // Choosing the current mode again says and changes nothing.
    const QString before = logText();
    item(form->menuGameMode(), "  欣赏棋谱")->trigger();
    EXPECT_EQ(logText(), before);
    EXPECT_TRUE(item(form->menuGameMode(), "  欣赏棋谱")->isChecked());
}

TEST_F(FormMainTest, LeavingTheLocalModeEndsMarking)
{
    click(4, 4);
    item(form->menuLocal(), "  标记死子")->trigger();
    click(4, 4);
    item(form->menuGameMode(), "  网络对局")->trigger();
    EXPECT_FALSE(form->game().MarkingDead());
    EXPECT_FALSE(item(form->menuLocal(), "  标记死子")->isChecked());
    EXPECT_EQ(form->game().PointMarks(4, 4), "");
    EXPECT_EQ(form->GameMode(), QStringLiteral("network"));
    EXPECT_EQ(form->infoPanel().StringGrid1()->Cells(1, 11), QStringLiteral("  比赛还没有开始！"));
}

TEST_F(FormMainTest, AnEngineGameInProgressKeepsTheMode)
{
    item(form->menuGameMode(), "  人机对弈")->trigger();
    ASSERT_EQ(form->GameMode(), QStringLiteral("GNUGO"));
    const zemra::testing::FakeEngineProgram fake;
    ASSERT_TRUE(form->controller<EngineGame>().StartNewGame(fake.choice()));
    ASSERT_FALSE(fake.args().empty()) << "the engine runs before its files go";
    EXPECT_FALSE(item(form->menuGNUGO(), "  开始新局")->isEnabled()) << "the menu shows the running game";
    EXPECT_TRUE(item(form->menuGNUGO(), "  结束棋局")->isEnabled());
    const QString before = logText();
    item(form->menuGameMode(), "  本地对局")->trigger();
    EXPECT_EQ(form->GameMode(), QStringLiteral("GNUGO"));
    EXPECT_EQ(logText(), before);
    EXPECT_EQ(dialogs.boxes, QStringList{QStringLiteral("正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！")});
    EXPECT_TRUE(item(form->menuGameMode(), "  人机对弈")->isChecked());
    EXPECT_FALSE(item(form->menuGameMode(), "  本地对局")->isChecked());
}

TEST_F(FormMainTest, ClosingAsksAndRespectsTheAnswer)
{
    dialogs.answers = {false, true};
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->Closing);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->Closing);
    EXPECT_EQ(dialogs.questions, QStringList(2, QStringLiteral("信息提示|\r您确定要退出游戏吗？")));
}

TEST_F(FormMainTest, ClosingWhileTheEngineThinksIsRefused)
{
    item(form->menuGameMode(), "  人机对弈")->trigger();
    // The engine's turn stays pending after a reply that is no move.
    const zemra::testing::FakeEngineProgram fake("genmove|= what\\n\\n\n");
    ASSERT_TRUE(form->controller<EngineGame>().StartNewGame(fake.choice()));
    click(4, 4);
    ASSERT_TRUE(form->controller<EngineGame>().enginesTurn());
    dialogs.defaultAnswer = true;
    const QStringList asked = dialogs.questions;
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.questions, asked) << "not even asked";
    EXPECT_EQ(dialogs.boxes, QStringList{QStringLiteral("\r计算机正在思考，请等会儿再退出！")});
}

TEST_F(FormMainTest, MenusOpenAboveTheirButtons)
{
    const QPoint button(500, 700);
    QMenu* mode = form->menuGameMode();
    EXPECT_EQ(form->menuPopupPoint(mode, button), QPoint(480, 700 - 153 - 5));
    QMenu* local = form->menuLocal();
    EXPECT_EQ(form->menuPopupPoint(local, button).y() + GetMenuHeight(local), 695);
}

TEST_F(FormMainTest, MenuStatesAtStart)
{
    EXPECT_FALSE(item(form->menuGNUGO(), "  结束棋局")->isEnabled());
    EXPECT_FALSE(item(form->menuNetwork(), "  网络对局 --- 观战")->isEnabled());
    EXPECT_FALSE(item(form->menuNetwork(), "  标记死子")->isEnabled());
    EXPECT_FALSE(item(form->menuNetwork(), "  开始点目")->isEnabled());
    for (const char* c : {"  打开落子音", "  打开提示音", "  显 示 坐 标"})
        EXPECT_TRUE(item(form->menuOption(), c)->isChecked()) << c;
    EXPECT_FALSE(item(form->menuOption(), "  全 屏 显 示")->isChecked());
}

TEST_F(FormMainTest, SplitterRuleAndWheelInTheLocalMode)
{
    // The window as laid out: grid above, the 11-pixel bar, the log to the
    // bottom of the lower area, the bar in the middle of it.
    for (const QSize size : {QSize(1000, 760), QSize(900, 601)}) {
        form->resize(size);
        QApplication::processEvents();
        auto* splitter = form->findChild<QWidget*>(QStringLiteral("ImageResize1"));
        ASSERT_NE(splitter, nullptr);
        QWidget* grid = form->infoPanel().StringGrid1();
        QWidget* log = form->messageLog();
        const int h = log->y() + log->height(); // the lower area's height
        EXPECT_EQ(splitter->y(), (h - 8) / 2 + 8);
        EXPECT_EQ(grid->y(), 8);
        EXPECT_EQ(grid->height(), splitter->y() - 8);
        EXPECT_EQ(log->y(), splitter->y() + 11);
    }
    form->PaintBox1MouseEnter();
    EXPECT_FALSE(form->FormMouseWheel(120)) << "the wheel steps only through records";
}

TEST_F(FormMainTest, CoordinatesOffAndOnGiveTheSamePicture)
{
    click(4, 4);
    click(5, 4);
    form->BtnNumberClick(); // numbers on every stone
    item(form->menuLocal(), "  标记死子")->trigger();
    click(5, 4);
    const QImage before = form->renderer().BoardImage().copy();
    item(form->menuOption(), "  显 示 坐 标")->trigger();
    EXPECT_FALSE(form->ShowCoordinates);
    EXPECT_NE(form->renderer().BoardImage().size(), before.size());
    item(form->menuOption(), "  显 示 坐 标")->trigger();
    EXPECT_EQ(form->renderer().BoardImage(), before);
}

TEST_F(FormMainTest, WaitTicksEndsAfterItsBoundOrItsCondition)
{
    QElapsedTimer clock;
    clock.start();
    form->WaitTicks(3);
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_LT(clock.elapsed(), 2000);
    clock.restart();
    bool stop = false;
    QTimer::singleShot(50, [&] { stop = true; });
    form->WaitTicks(50, [&] { return stop; });
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(ErrorHandler, AnExceptionInACommandIsShownOnceAndTheProgramGoesOn)
{
    QStringList shown;
    ZemraApplication::setErrorSink([&](const QString& m) { shown << m; });
    bool after = false;
    runGuarded([] { throw std::runtime_error("'PASS' is not a valid integer value"); });
    runGuarded([&] { after = true; });
    ZemraApplication::setErrorSink({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first(), QStringLiteral("'PASS' is not a valid integer value"));
    EXPECT_TRUE(after);
}

TEST_F(FormMainTest, AFailingMenuCommandIsStoppedAtTheBoundary)
{
    QStringList shown;
    ZemraApplication::setErrorSink([&](const QString& m) { shown << m; });
    dialogs.paths = {QStringLiteral("/nonexistent-folder/log.rtf")};
    item(form->menuOption(), "  保存聊天信息")->trigger(); // through Qt's signal, as a user's click
    ZemraApplication::setErrorSink({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(QStringLiteral("log.rtf"))) << shown.first().toStdString();
    EXPECT_EQ(form->GameMode(), QStringLiteral("local"));
}

TEST_F(FormMainTest, ASaveOntoAFullDiskKeepsTheOldFileAndSaysWhy)
{
    const struct {
        Command command;
        const char* name;
    } rows[] = {
        {Command::SaveSGF, "old.sgf"},
        {Command::SaveTXT, "old.txt"},
        {Command::SaveBMP, "old.bmp"},
        {Command::SaveChat, "old.rtf"},
    };
    click(4, 4);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString name = QString::fromLatin1(row.name);
        const QByteArray old(3000, 'o');
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        dialogs.paths = {dir.filePath(name)};
        QStringList shown;
        ZemraApplication::setErrorSink([&](const QString& m) { shown << m; });
        {
            // Small enough that the first write is cut and the next one fails.
            test::FileSizeLimit full(16);
            ASSERT_TRUE(full.set());
            form->action(row.command)->trigger();
        }
        ZemraApplication::setErrorSink({});
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains(name) && shown[0].contains(qt_error_string(EFBIG))) << shown[0].toStdString();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
    }
    EXPECT_EQ(form->saveCommands().SaveCounter, 1);
}

TEST_F(FormMainTest, RealMouseClicksOnTheBoardPicture)
{
    QWidget* board = form->PaintBox1();
    QTest::mouseClick(board, Qt::LeftButton, {}, centre(16, 4));
    EXPECT_EQ(form->game().BoardPoints(16, 4), "BlackChess1");
    QTest::mouseClick(board, Qt::LeftButton, {}, centre(4, 16));
    EXPECT_EQ(form->game().BoardPoints(4, 16), "WhiteChess2");
    QTest::mouseClick(board, Qt::RightButton, {}, centre(10, 10));
    EXPECT_EQ(form->game().MoveCount(), 1);
    // The stone is on the screen picture too: dark down and left of its centre
    // (the highlight is up and left, the last-move triangle right and down).
    const int q = form->renderer().ChessSize() / 5;
    const QColor c = form->renderer().PaintBox1().pixelColor(centre(16, 4) + QPoint(-q, q));
    EXPECT_LT(c.lightness(), 80);
}

TEST_F(FormMainTest, NewGameFromTheMenuWithThreeHandicapStones)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TFormLocalNewGame*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->CB_Handicap()->setCurrentIndex(2); // "让3子"
        dialog->Button1()->click();
        answered = true;
    });
    item(form->menuLocal(), "  开始新局")->trigger();
    ASSERT_TRUE(answered);
    EXPECT_EQ(form->infoPanel().StringGrid1()->Cells(1, 9), QStringLiteral("  3"));
    EXPECT_EQ(form->infoPanel().StringGrid1()->Cells(1, 3), QStringLiteral("  Local Area Network"));
    EXPECT_EQ(form->game().SideToMove(), Colour::White);
    EXPECT_EQ(form->game().BoardPoints(4, 4), "BlackChess0");
    EXPECT_EQ(form->game().BoardPoints(16, 4), "BlackChess0");
    EXPECT_EQ(form->game().BoardPoints(4, 16), "BlackChess0");
    // White plays first; its name label is the blue one.
    EXPECT_EQ(form->infoPanel().LabelWhite()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    click(10, 10);
    EXPECT_EQ(form->game().BoardPoints(10, 10), "WhiteChess1");
}

TEST_F(FormMainTest, CapturedStoneLabelsAndTheCountInTheLog)
{
    // Black takes a white stone in the corner, then the count is written.
    for (const auto& [i, j] : {std::pair{2, 1}, {1, 1}, {10, 10}, {10, 11}, {1, 2}})
        click(i, j);
    EXPECT_EQ(form->infoPanel().LabelWhiteDead()->text(), QStringLiteral("1 个"));
    item(form->menuLocal(), "  标记死子")->trigger();
    click(10, 11); // mark the white stone dead
    item(form->menuLocal(), "  开始点目")->trigger();
    const QString log = logText();
    EXPECT_TRUE(log.contains(QStringLiteral("白方：0(空)+0(黑子)+0(贴目) = 0 目"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("黑方：358(空)+2(白子) = 360 目"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("=> 点目结果：不计贴目时，黑棋胜 360 目")));
}

TEST_F(FormMainTest, TheCloseQuestionIsTheProgramsOwnDialog)
{
    form->setUserDialogs(nullptr);
    for (const bool confirm : {false, true}) {
        QTimer::singleShot(0, [confirm] {
            auto* box = qobject_cast<TFormMyMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("信息提示"));
            (confirm ? box->Button1 : box->Button2)->click();
        });
        EXPECT_EQ(form->close(), confirm);
        EXPECT_EQ(form->Closing, confirm);
    }
}

TEST_F(FormMainTest, DraggingTheSplitterMovesTheBorderBetweenGridAndLog)
{
    auto* splitter = form->findChild<QWidget*>(QStringLiteral("ImageResize1"));
    ASSERT_NE(splitter, nullptr);
    QWidget* grid = form->infoPanel().StringGrid1();
    QWidget* log = form->messageLog();
    const int gridBefore = grid->height();
    const int logBefore = log->height();
    const int top = splitter->y();
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(100, 5));
    QTest::mouseMove(splitter, QPoint(100, 25));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(100, 25));
    EXPECT_EQ(splitter->y(), top + 20);
    EXPECT_EQ(grid->height(), gridBefore + 20);
    EXPECT_EQ(log->height(), logBefore - 20);
    EXPECT_EQ(log->y(), splitter->y() + splitter->height());
}

TEST_F(FormMainTest, OptionFlagsFollowTheirTicks)
{
    const struct {
        const char* caption;
        bool TFormMain::*flag;
    } rows[] = {{"  打开落子音", &TFormMain::StoneSoundOn}, {"  打开提示音", &TFormMain::InfoSoundOn}};
    for (const auto& r : rows) {
        QAction* a = item(form->menuOption(), r.caption);
        a->trigger();
        EXPECT_FALSE(a->isChecked()) << r.caption;
        EXPECT_FALSE((*form).*r.flag) << r.caption;
        a->trigger();
        EXPECT_TRUE(a->isChecked()) << r.caption;
        EXPECT_TRUE((*form).*r.flag) << r.caption;
    }
}

TEST_F(FormMainTest, LeavingFullScreenKeepsTheWindowMaximised)
{
    QAction* full = item(form->menuOption(), "  全 屏 显 示");
    full->trigger();
    EXPECT_TRUE(full->isChecked());
    EXPECT_TRUE(form->windowState() & Qt::WindowFullScreen);
    full->trigger();
    EXPECT_FALSE(form->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
}

TEST_F(FormMainTest, KnowledgeGoesToTheLog)
{
    item(form->menuGameMode(), "  围棋知识")->trigger();
    EXPECT_TRUE(logText().contains(QStringLiteral("一、围棋规则")));
}

TEST_F(FormMainTest, EveryMenuCommandHasExactlyOneHandler)
{
    // A command put into the menus without a row would do nothing; one
    // claimed twice would run twice or show another owner's state.
    const auto rowsOf = [](auto rows, Command c) {
        return std::ranges::count_if(rows, [c](const auto& r) { return r.command == c; });
    };
    for (const MenuEntry& e : menuTable()) {
        if (e.command == Command::Separator) continue;
        auto handlers = rowsOf(TFormMain::windowCommands(), e.command);
        for (const GameModeId m : AllGameModes)
            handlers += rowsOf(form->controller(m).commands(), e.command);
        EXPECT_EQ(handlers, 1) << e.caption;
    }
}
