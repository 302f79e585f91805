#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
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

    zemra::testing::TestDialogs dialogs; // outlives the window
    std::unique_ptr<TFormMain> form;
};

} // namespace

TEST_F(FormMainTest, StartsInTheLocalModeWithTheBanner)
{
    EXPECT_EQ(form->GameMode(), QStringLiteral("local"));
    EXPECT_TRUE(form->action(Command::ModeLocal)->isChecked());
    EXPECT_FALSE(form->action(Command::ModeOpen)->isChecked());
    EXPECT_EQ(form->game().BoardSize(), 19);
    EXPECT_EQ(form->game().MoveCount(), 0);
    // The log ends with the five banner lines, 38 columns wide (a figure
    // takes two), with the build's version; no mode notice.
    QStringList log = logText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    log = log.mid(log.indexOf(QString(38, QLatin1Char('-'))));
    ASSERT_EQ(log.size(), 5) << logText().toStdString();
    for (const QString& line : log) {
        int columns = 0;
        for (const QChar c : line)
            columns += c.unicode() < 0x80 ? 1 : 2;
        EXPECT_EQ(columns, 38) << line.toStdString();
    }
    EXPECT_TRUE(log[1].contains(QStringLiteral("version " ZEMRA_VERSION))) << log[1].toStdString();
    EXPECT_FALSE(logText().contains(QStringLiteral("您已经切换到了")));
    EXPECT_EQ(form->infoPanel().LabelBlack()->text(), QStringLiteral("山间的清风"));
    EXPECT_GT(form->renderer().ChessSize(), 0);
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
    form->action(Command::LocalFlagDead)->trigger();
    ASSERT_TRUE(form->game().MarkingDead());
    ASSERT_TRUE(form->action(Command::LocalFlagDead)->isChecked());
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
    form->action(Command::ModeOpen)->trigger();
    EXPECT_EQ(form->GameMode(), QStringLiteral("open"));
    const QString log = logText();
    const auto n1 = log.indexOf(QStringLiteral("您已经切换到了“欣赏棋谱”模式！"));
    const auto n2 = log.indexOf(QStringLiteral("请点击“欣赏棋谱”的按钮开始新局"));
    EXPECT_GE(n1, 0);
    EXPECT_GT(n2, n1);
    EXPECT_TRUE(form->action(Command::ModeOpen)->isChecked());
    EXPECT_FALSE(form->action(Command::ModeLocal)->isChecked());

    // Choosing the current mode again says and changes nothing.
    const QString before = logText();
    form->action(Command::ModeOpen)->trigger();
    EXPECT_EQ(logText(), before);
    EXPECT_TRUE(form->action(Command::ModeOpen)->isChecked());
}

TEST_F(FormMainTest, LeavingTheLocalModeEndsMarking)
{
    click(4, 4);
    form->action(Command::LocalFlagDead)->trigger();
    click(4, 4);
    form->action(Command::ModeNetwork)->trigger();
    EXPECT_FALSE(form->game().MarkingDead());
    EXPECT_FALSE(form->action(Command::LocalFlagDead)->isChecked());
    EXPECT_EQ(form->game().PointMarks(4, 4), "");
    EXPECT_EQ(form->GameMode(), QStringLiteral("network"));
    EXPECT_EQ(form->infoPanel().StringGrid1()->Cells(1, 11), QStringLiteral("  比赛还没有开始！"));
}

TEST_F(FormMainTest, AnEngineGameInProgressKeepsTheMode)
{
    form->action(Command::ModeGNUGO)->trigger();
    ASSERT_EQ(form->GameMode(), QStringLiteral("GNUGO"));
    const zemra::testing::FakeEngineProgram fake;
    ASSERT_TRUE(form->controller<EngineGame>().StartNewGame(fake.choice()));
    ASSERT_FALSE(fake.args().empty()) << "the engine runs before its files go";
    EXPECT_FALSE(form->action(Command::GnuNewGame)->isEnabled()) << "the menu shows the running game";
    EXPECT_TRUE(form->action(Command::GnuEndGame)->isEnabled());
    const QString before = logText();
    form->action(Command::ModeLocal)->trigger();
    EXPECT_EQ(form->GameMode(), QStringLiteral("GNUGO"));
    EXPECT_EQ(logText(), before);
    EXPECT_EQ(dialogs.boxes, QStringList{QStringLiteral("正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！")});
    EXPECT_TRUE(form->action(Command::ModeGNUGO)->isChecked());
    EXPECT_FALSE(form->action(Command::ModeLocal)->isChecked());
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
    form->action(Command::ModeGNUGO)->trigger();
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

TEST_F(FormMainTest, MenuStatesAtStart)
{
    EXPECT_FALSE(form->action(Command::GnuEndGame)->isEnabled());
    EXPECT_FALSE(form->action(Command::NetObserve)->isEnabled());
    EXPECT_FALSE(form->action(Command::NetFlagDead)->isEnabled());
    EXPECT_FALSE(form->action(Command::NetDianMu)->isEnabled());
    for (const Command c : {Command::StoneSound, Command::InfoSound, Command::Coordinates})
        EXPECT_TRUE(form->action(c)->isChecked()) << static_cast<int>(c);
    EXPECT_FALSE(form->action(Command::FullScreen)->isChecked());
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
    form->action(Command::LocalFlagDead)->trigger();
    click(5, 4);
    const QImage before = form->renderer().BoardImage().copy();
    form->action(Command::Coordinates)->trigger();
    EXPECT_FALSE(form->ShowCoordinates);
    EXPECT_NE(form->renderer().BoardImage().size(), before.size());
    form->action(Command::Coordinates)->trigger();
    EXPECT_EQ(form->renderer().BoardImage(), before);
}

TEST_F(FormMainTest, WaitTicksRunsTheWindowUntilItsTicksOrItsCondition)
{
    form->WaitTicks(3);
    EXPECT_EQ(form->TickCount, 3) << "the timer ticked up to the bound";
    QTest::qWait(250);
    EXPECT_EQ(form->TickCount, 3) << "the timer stops with the wait";

    // Events go on during the wait: one of them ends it long before its bound (10 s).
    bool stop = false;
    QTimer::singleShot(0, [&] { stop = true; });
    form->WaitTicks(100, [&] { return stop; });
    EXPECT_LT(form->TickCount, 100);
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
    form->action(Command::SaveChat)->trigger(); // through Qt's signal, as a user's click
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
    form->action(Command::LocalNewGame)->trigger();
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
    form->action(Command::LocalFlagDead)->trigger();
    click(10, 11); // mark the white stone dead
    form->action(Command::LocalDianMu)->trigger();
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
        Command command;
        bool TFormMain::*flag;
    } rows[] = {{Command::StoneSound, &TFormMain::StoneSoundOn}, {Command::InfoSound, &TFormMain::InfoSoundOn}};
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.command));
        QAction* a = form->action(r.command);
        a->trigger();
        EXPECT_FALSE(a->isChecked());
        EXPECT_FALSE((*form).*r.flag);
        a->trigger();
        EXPECT_TRUE(a->isChecked());
        EXPECT_TRUE((*form).*r.flag);
    }
}

TEST_F(FormMainTest, LeavingFullScreenKeepsTheWindowMaximised)
{
    QAction* full = form->action(Command::FullScreen);
    full->trigger();
    EXPECT_TRUE(full->isChecked());
    EXPECT_TRUE(form->windowState() & Qt::WindowFullScreen);
    full->trigger();
    EXPECT_FALSE(form->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
}

TEST_F(FormMainTest, KnowledgeGoesToTheLogSectionBySection)
{
    form->clearLog();
    form->action(Command::Knowledge)->trigger();
    // Each section: an empty line, its heading, an empty line, its verses;
    // headings and verses indented by five blanks; nothing after the last verse.
    const std::pair<const char*, int> sections[] = {
        {"     一、围棋规则", 4}, {"     二、行棋", 10}, {"     三、布局", 12}, {"     四、死活", 9},
        {"     五、对杀", 7},     {"     六、中盘", 10}, {"     七、收官", 9},
    };
    const QStringList lines = logText().split(QLatin1Char('\n'));
    qsizetype at = 0;
    for (const auto& [heading, count] : sections) {
        SCOPED_TRACE(heading);
        EXPECT_EQ(lines.mid(at, 3), (QStringList{QString(), QString::fromUtf8(heading), QString()}));
        int verses = 0;
        for (at += 3; at < lines.size() && !lines[at].isEmpty(); ++at, ++verses)
            EXPECT_TRUE(lines[at].startsWith(QStringLiteral("     ")) && lines[at][5] != QLatin1Char(' '))
                << lines[at].toStdString();
        EXPECT_EQ(verses, count);
    }
    EXPECT_EQ(lines.mid(at), QStringList{QString()}) << "only the last line break follows";
    for (const RtfRun& run : form->messageLog()->runs())
        EXPECT_EQ(run.colour, MessageLog::Blue) << "written as \"Version\"";
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
