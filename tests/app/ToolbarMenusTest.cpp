#include <QMenu>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/FormMain.h"
#include "app/ToolbarMenus.h"

using namespace zemra;

namespace {

struct Menus {
    QWidget parent;
    std::vector<Command> run;
    ToolbarMenus menus{&parent, [this](Command c) { run.push_back(c); }, true};
};

} // namespace

// Every menu as popped up from its button: its measured height (6, 17 per
// item, 9 per separator line), its bottom 5 pixels above the button, its left
// edge 20 pixels left of it; the options menu centred 25 pixels into it.
TEST(ToolbarMenus, EachMenuOpensAboveItsButtonAtItsHeight)
{
    TFormMain form;
    form.resize(800, 600);
    form.show();
    const struct {
        Command mode;
        MenuId menu;
        const char* button;
        int height;
    } rows[] = {
        {Command::ModeLocal, MenuId::GameMode, "BtnGameMode", 153}, {Command::ModeLocal, MenuId::Local, "BtnLocal", 109},
        {Command::ModeOpen, MenuId::Open, "BtnOpen", 263},          {Command::ModeGNUGO, MenuId::GNUGO, "BtnGNUGO", 169},
        {Command::ModeNetwork, MenuId::Network, "BtnNetwork", 194}, {Command::ModeNetwork, MenuId::Option, "BtnOption", 237},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        form.runCommand(r.mode);
        auto* button = form.findChild<QWidget*>(QString::fromLatin1(r.button));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QMenu* menu = form.menu(r.menu);
        ASSERT_TRUE(menu->isVisible());
        const QRect shown = menu->geometry();
        const QPoint at = button->mapToGlobal(QPoint(0, 0));
        menu->hide();
        EXPECT_EQ(shown.height(), r.height);
        EXPECT_EQ(shown.bottom() + 1, at.y() - 5);
        EXPECT_EQ(shown.left(), r.menu == MenuId::Option ? at.x() + 25 - shown.width() / 2 : at.x() - 20);
    }
}

// Each menu's captions in order, blanks included; "-" a separator line.
TEST(ToolbarMenus, EveryMenuShowsItsCaptionsInOrder)
{
    Menus m;
    const struct {
        MenuId menu;
        QStringList captions;
    } rows[] = {
        {MenuId::GameMode,
         {"  本地对局", "-", "  欣赏棋谱", "-", "  人机对弈", "-", "  网络对局", "-", "  围棋知识", "-", "  作者主页"}},
        {MenuId::Local, {"  开始新局", "-", "  悔    棋", "  弃权一手", "-", "  标记死子", "  开始点目"}},
        {MenuId::Open,
         {"  打开棋谱", "-", "  经典棋谱 ①", "  经典棋谱 ②", "  经典棋谱 ③", "-", "  第  一  手", "  上  一  手", "  前  10  手",
          "  后  10  手", "  下  一  手", "  最后一手", "-", "  试       下", "-", "  标记死子", "  开始点目"}},
        {MenuId::GNUGO,
         {"  开始新局", "-", "  悔    棋", "  弃权一手", "  结束棋局", "-", "  形势判断", "  电脑支招", "-", "  标记死子",
          "  开始点目"}},
        {MenuId::Network,
         {"  网络对局 --- 设局", "  网络对局 --- 挑战", "  网络对局 --- 观战", "-", "  新局申请", "  申请悔棋", "  弃权一手",
          "  申请和棋", "  投子认输", "-", "  标记死子", "  开始点目"}},
        {MenuId::Option,
         {"  保存棋谱(SGF)", "  保存棋谱(BMP)", "  保存棋谱(TXT)", "  保存聊天信息", "-", "  关联SGF棋谱", "  取消SGF关联",
          "  关联GIB棋谱", "  取消GIB关联", "-", "  全 屏 显 示", "-", "  打开落子音", "  打开提示音", "  显 示 坐 标"}},
    };
    for (const auto& r : rows) {
        QStringList shown;
        for (const QAction* a : m.menus.menu(r.menu)->actions())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
        EXPECT_EQ(shown, r.captions);
    }
}

TEST(ToolbarMenus, EveryCommandHasOneItemThatRunsIt)
{
    Menus m;
    for (int k = 1; k < CommandCount; ++k) {
        const auto command = static_cast<Command>(k);
        QAction* a = m.menus.action(command);
        ASSERT_NE(a, nullptr) << k;
        a->trigger();
        ASSERT_EQ(m.run.back(), command) << k;
    }
    EXPECT_EQ(m.run.size(), static_cast<std::size_t>(CommandCount - 1));
}

TEST(ToolbarMenus, ItemsShowTheStateTheyAreGiven)
{
    Menus m;
    QAction* marking = m.menus.action(Command::OpenFlagDead);
    m.menus.show(Command::OpenFlagDead, {true, true});
    EXPECT_TRUE(marking->isChecked());
    // A triggered item ticks itself; the next state shown puts the data back.
    marking->trigger();
    m.menus.show(Command::OpenFlagDead, {true, true});
    EXPECT_TRUE(marking->isChecked());
    m.menus.show(Command::GnuEndGame, {false, false});
    EXPECT_FALSE(m.menus.action(Command::GnuEndGame)->isEnabled());
}
