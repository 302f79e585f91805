#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/ToolbarMenus.h"

using namespace zemra;

namespace {

struct Menus {
    QWidget parent;
    std::vector<Command> run;
    ToolbarMenus menus{&parent, [this](Command c) { run.push_back(c); }, true};
};

} // namespace

TEST(ToolbarMenus, HeightsFollowItemsAndSeparators)
{
    Menus m;
    const struct {
        MenuId menu;
        int height;
    } rows[] = {
        {MenuId::GameMode, 6 + 6 * 17 + 5 * 9}, {MenuId::Local, 6 + 5 * 17 + 2 * 9},   {MenuId::Open, 6 + 13 * 17 + 4 * 9},
        {MenuId::GNUGO, 6 + 8 * 17 + 3 * 9},    {MenuId::Network, 6 + 10 * 17 + 2 * 9}, {MenuId::Option, 6 + 12 * 17 + 3 * 9},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(GetMenuHeight(m.menus.menu(r.menu)), r.height) << static_cast<int>(r.menu);
        // The menu must end 5 pixels above its button, so its real height
        // has to match the rule it is placed by.
        m.menus.menu(r.menu)->ensurePolished();
        EXPECT_EQ(m.menus.menu(r.menu)->sizeHint().height(), r.height) << static_cast<int>(r.menu);
    }
    QMenu empty;
    EXPECT_EQ(GetMenuHeight(&empty), 0);
}

TEST(ToolbarMenus, EveryCommandHasOneItemThatRunsIt)
{
    Menus m;
    for (int k = 1; k < CommandCount; ++k) {
        const auto command = static_cast<Command>(k);
        QAction* a = m.menus.action(command);
        ASSERT_NE(a, nullptr) << k;
        EXPECT_EQ(a->text(), QString::fromUtf8(menuEntry(command).caption));
        a->trigger();
        ASSERT_EQ(m.run.back(), command) << k;
    }
    EXPECT_EQ(m.run.size(), static_cast<std::size_t>(CommandCount - 1));
    // Captions keep their blanks; the same caption in two menus stays two items.
    EXPECT_EQ(menuAction(m.menus.menu(MenuId::Local), QStringLiteral("  悔    棋")), m.menus.action(Command::LocalUndo));
    EXPECT_EQ(menuAction(m.menus.menu(MenuId::Local), QStringLiteral("悔棋")), nullptr);
    EXPECT_EQ(menuAction(m.menus.menu(MenuId::GNUGO), QStringLiteral("  悔    棋")), m.menus.action(Command::GnuUndo));
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
