// The six pop-up menus of the toolbar, built from one table of commands and
// captions, and the height rule used to open them above their buttons. The
// menus only show state: ticks and enabled items are set from the window's
// and the modes' data before a menu is shown and after every command.
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

class QWidget;

namespace zemra {

enum class MenuId : std::uint8_t { GameMode, Local, Open, GNUGO, Network, Option };
inline constexpr int MenuCount = 6;

// Every item of every toolbar menu.
enum class Command : std::uint8_t {
    Separator,
    // game mode
    ModeLocal,
    ModeOpen,
    ModeGNUGO,
    ModeNetwork,
    Knowledge,
    HomePage,
    // local game
    LocalNewGame,
    LocalUndo,
    LocalPass,
    LocalFlagDead,
    LocalDianMu,
    // records
    OpenFile,
    OpenGame1,
    OpenGame2,
    OpenGame3,
    OpenFirst,
    OpenPrev,
    OpenPrev10,
    OpenNext10,
    OpenNext,
    OpenLast,
    OpenTry,
    OpenFlagDead,
    OpenDianMu,
    // engine game
    GnuNewGame,
    GnuUndo,
    GnuPass,
    GnuEndGame,
    GnuEstimate,
    GnuHint,
    GnuFlagDead,
    GnuDianMu,
    // network game
    NetServer,
    NetClient,
    NetObserve,
    NetNewGame,
    NetUndo,
    NetPass,
    NetHeQi,
    NetResign,
    NetFlagDead,
    NetDianMu,
    // options
    SaveSGF,
    SaveBMP,
    SaveTXT,
    SaveChat,
    AssociateSGF,
    RemoveSGF,
    AssociateGIB,
    RemoveGIB,
    FullScreen,
    StoneSound,
    InfoSound,
    Coordinates,
};
inline constexpr int CommandCount = static_cast<int>(Command::Coordinates) + 1;

struct MenuEntry {
    MenuId menu;
    Command command; // Separator for a separator line
    const char* caption; // UTF-8, blanks included
    bool checkable;
};

// All menus in order, item by item.
std::span<const MenuEntry> menuTable();

// The table row of a command (never a separator).
const MenuEntry& menuEntry(Command command);

// What a menu item shows.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class ToolbarMenus {
public:
    // Builds every menu as a child of parent; triggered items call run.
    // Unstyled menus get their style when first shown (styling costs start-up time).
    ToolbarMenus(QWidget* parent, std::function<void(Command)> run, bool styled = false);

    QMenu* menu(MenuId id) const { return m_menus[static_cast<std::size_t>(id)]; }
    QAction* action(Command command) const { return m_actions[static_cast<std::size_t>(command)]; }

    // Shows a state on an item.
    void show(Command command, CommandState state) const;

private:
    std::array<QMenu*, MenuCount> m_menus{};
    std::array<QAction*, CommandCount> m_actions{};
};

// 0 without items; else 6, plus 9 per separator and 17 per other item.
int GetMenuHeight(const QMenu* menu);

// Menus are styled so that GetMenuHeight is their real height.
QString menuStyleSheet();

} // namespace zemra
