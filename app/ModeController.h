// One controller per game mode, and what a controller may ask of the main
// window. The window dispatches mode switches, board clicks, the wheel,
// closing and the mode's menu commands to the current controller; the
// controller holds its mode's logic and state, and the menus show that state.
#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

#include <functional>
#include <optional>
#include <span>

#include "app/CommandTable.h"
#include "app/GameModes.h"
#include "app/GamePresenter.h"
#include "app/ToolbarMenus.h"
#include "app/UserDialogs.h"
#include "board/WeiQiGame.h"
#include "records/GameInfo.h"

class QWidget;

namespace zemra {

// What the window does for a mode.
class ModeHost {
public:
    virtual ~ModeHost() = default;

    // --- the game and its information --------------------------------------
    virtual WeiQiGame& game() = 0;
    virtual GameInfo& gameInfo() = 0;
    // Rows 1..12 of the grid from gameInfo() and the game's HandicapCount,
    // both names (Black blue) and both captured-stone texts "0 个".
    virtual void showGameInfo() = 0;
    // GameResult := text, and row 11 shows it.
    virtual void showResult(const QString& text) = 0;
    // The board picture and the player panel.
    virtual GamePresenter& presenter() = 0;
    // The name of the side to move turns blue, the other black.
    void showSideToMove(Colour side) { presenter().ShowSideToMove(side); }

    // --- telling and asking the user ----------------------------------------
    // One log entry; kind is "System", "Local", "Remote" or "Version".
    virtual void SendOutMessage(const QString& kind, const QString& text) = 0;
    virtual void clearLog() = 0;
    // The message boxes and the file dialogs.
    virtual UserDialogs& userDialogs() = 0;
    void ShowInformation(const QString& text) { userDialogs().ShowInformation(text); }
    bool askQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no)
    {
        return userDialogs().askQuestion(caption, text, yes, no);
    }
    bool askYesNo(const QString& text) { return userDialogs().askYesNo(text); }
    QString askOpenFileName(const FileDialogSettings& settings) { return userDialogs().askOpenFileName(settings); }
    QString askSaveFileName(const FileDialogSettings& settings) { return userDialogs().askSaveFileName(settings); }
    // The parent of a mode's own dialogs.
    virtual QWidget* dialogParent() = 0;

    // --- sounds, waiting, the pointer ---------------------------------------
    // A notice sound ("NewGame", "Cheer", "Info", ...), when notice sounds are on.
    virtual void playNotice(const QString& name) = 0;
    // Handles events for about bound × 100 ms, or until stop() says so.
    virtual void WaitTicks(int bound, const std::function<bool()>& stop = {}) = 0;
    // The pointer over the board (busy while the engine thinks, else the hand).
    virtual void setBoardCursor(Qt::CursorShape shape) = 0;

    // --- the program's files ------------------------------------------------
    // Folder of the program with a trailing '/'.
    virtual QString programDir() const = 0;
    // Where a file shipped with the program is found.
    virtual QString dataFile(const QString& name) const = 0;

    // The menus show the controllers' state again (after a change that did
    // not come from a menu command).
    virtual void refreshMenus() = 0;
};

class ModeController {
public:
    explicit ModeController(ModeHost& host) : m_host(host) {}
    virtual ~ModeController() = default;
    ModeController(const ModeController&) = delete;
    ModeController& operator=(const ModeController&) = delete;

    virtual GameModeId mode() const = 0;

    // The mode's own set-up after the window has switched to it; ends with
    // an empty board.
    virtual void enterMode() = 0;
    // Asked before another mode is entered; false refuses the switch (the
    // controller has told the user why) and nothing changes.
    virtual bool mayLeave() { return true; }
    // Another mode is entered: end marking, trial play, connections.
    virtual void leaveMode() {}

    // A press on the board picture (any button).
    virtual void boardPressed() {}
    // A release on point (i, j) of the board, left or right button, while
    // dead stones are not being marked.
    virtual void boardClick(int i, int j, Qt::MouseButton button) = 0;
    // The wheel over the board; true when the mode used it.
    virtual bool wheel(int delta) { return (void)delta, false; }
    // The board was laid out again; redraw what only the mode knows.
    virtual void afterRelayout() {}

    // Why the window may not close now, or nothing.
    virtual std::optional<QString> closeRefusal() const { return std::nullopt; }
    // Closing is confirmed: drop what must not outlive the window.
    virtual void closing() {}

    // The mode's menu commands, each once, with its handler and what its
    // item shows.
    using Row = CommandRow<ModeController>;
    virtual std::span<const Row> commands() const = 0;
    // Runs one of the mode's menu commands; false when it is not the mode's.
    bool runCommand(Command command) { return runCommandRow(commands(), *this, command); }
    // What a menu item of the mode shows; nothing when it is not the mode's.
    std::optional<CommandState> commandState(Command command) const { return commandRowState(commands(), *this, command); }

    // A chat line the user sent (already in the log).
    virtual void chatLineSent(const QString& text) { (void)text; }
    // The user's name before their chat lines in the log, "nickname(rank)",
    // in a mode that has a peer; empty elsewhere.
    virtual QString chatName() const { return {}; }

protected:
    ModeHost& host() const { return m_host; }
    WeiQiGame& game() const { return m_host.game(); }

    // A row of commands(): handler Run of controller C, and optionally what
    // the item shows (see commandRow).
    template <class C, void (C::*Run)(), auto State = nullptr> static constexpr Row row(Command command)
    {
        return commandRow<ModeController, C, Run, State>(command);
    }
    static constexpr Row inactive(Command command) { return inactiveRow<ModeController>(command); }

    // Dead-stone marking. The game's MarkingDead is its one record; the
    // mode's "  标记死子" item ticks with it. Leaving a mode ends marking, so
    // only the current mode's item can show the tick the user sees.
    CommandState markingState() const { return {true, game().MarkingDead()}; }
    void setMarking(bool on)
    {
        game().SetMarkingDead(on);
        host().refreshMenus();
    }

    // A new game on the board as the setup says, with its information
    // shown. The setup must be valid().
    void setUpNewGame(const GameInfo& info, const GameSetup& setup) const
    {
        game().newGame(setup);
        host().gameInfo() = info;
        host().showGameInfo();
        host().showSideToMove(game().SideToMove());
    }

private:
    ModeHost& m_host;
};

} // namespace zemra
