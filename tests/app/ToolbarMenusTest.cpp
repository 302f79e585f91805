#include <QMenu>
#include <gtest/gtest.h>

#include "app/ToolbarMenus.h"

using namespace zemra;

TEST(ToolbarMenus, HeightsFollowItemsAndSeparators)
{
    const struct {
        const char* name;
        QStringList captions;
        int height;
    } rows[] = {
        {"game mode", gameModeMenuCaptions(), 6 + 6 * 17 + 5 * 9}, {"local", localMenuCaptions(), 6 + 5 * 17 + 2 * 9},
        {"record", recordMenuCaptions(), 6 + 13 * 17 + 4 * 9},     {"engine", engineMenuCaptions(), 6 + 8 * 17 + 3 * 9},
        {"network", networkMenuCaptions(), 6 + 10 * 17 + 2 * 9},   {"options", optionsMenuCaptions(), 6 + 12 * 17 + 3 * 9},
    };
    for (const auto& r : rows) {
        std::unique_ptr<QMenu> menu(buildMenu(r.captions, nullptr));
        EXPECT_EQ(GetMenuHeight(menu.get()), r.height) << r.name;
    }
    QMenu empty;
    EXPECT_EQ(GetMenuHeight(&empty), 0);
    EXPECT_EQ(gameModeMenuCaptions().size(), 11);
}

TEST(ToolbarMenus, StyledMenuIsAsHighAsTheRuleSays)
{
    // The menu must end 5 pixels above its button, so its real height has
    // to match the rule it is placed by.
    for (const QStringList& captions : {gameModeMenuCaptions(), localMenuCaptions(), optionsMenuCaptions()}) {
        std::unique_ptr<QMenu> menu(buildMenu(captions, nullptr));
        menu->ensurePolished();
        EXPECT_EQ(menu->sizeHint().height(), GetMenuHeight(menu.get())) << captions.first().toStdString();
    }
}

TEST(ToolbarMenus, CaptionsKeepTheirBlanks)
{
    std::unique_ptr<QMenu> menu(buildMenu(localMenuCaptions(), nullptr));
    ASSERT_NE(menuAction(menu.get(), QStringLiteral("  悔    棋")), nullptr);
    EXPECT_EQ(menuAction(menu.get(), QStringLiteral("悔棋")), nullptr);
    EXPECT_EQ(menuAction(menu.get(), QStringLiteral("-")), nullptr);
}
