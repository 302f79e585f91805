// The local game: two people at one board. Entering the mode, starting a game
// from the dialog, board clicks, and the local menu's undo, pass, marking and
// count. Works on the one game state; reaches the window only through
// LocalGameHost, so it runs without one.
#pragma once

#include <QString>

#include <optional>

#include "app/LocalNewGameDialog.h"
#include "board/WeiQiGame.h"

namespace zemra {

class InfoPanel;

// What the local game needs from the main window.
class LocalGameHost {
public:
    virtual ~LocalGameHost() = default;
    // One log entry; kind is "System", "Local", "Remote" or "Version".
    virtual void SendOutMessage(const QString& kind, const QString& text) = 0;
    // The one-button information box for short refusals.
    virtual void ShowInformation(const QString& text) = 0;
    // Mirror the tick of the local menu's "  标记死子" entry.
    virtual void SetFlagDeadChecked(bool checked) = 0;
    // LocalNickName and LocalRank.
    virtual void SetLocalIdentity(const QString& nickName, const QString& rank) = 0;
    // Runs TFormLocalNewGame; nothing when the user cancels.
    virtual std::optional<LocalNewGameChoice> AskLocalNewGame() = 0;
};

class LocalGame {
public:
    LocalGame(WeiQiGame& game, InfoPanel& panel, LocalGameHost& host);

    // The mode's own set-up, after the window has switched to "local":
    // default players, fresh grid and labels, an empty board.
    void EnterMode();

    // Ask for a new game and start it unless the user cancels.
    void Menu_Local_NewGameClick();
    // Start the game chosen in the dialog. False (and nothing changed) for
    // values the dialog never returns.
    bool StartNewGame(const LocalNewGameChoice& choice);

    // A click on point (i, j) of the board while marking is off: the left
    // button plays and hands the move over, the right one takes back. Refused
    // moves change nothing and say nothing.
    void BoardClick(int i, int j, Qt::MouseButton button);

    void Menu_Local_UndoClick();
    void Menu_Local_PassClick();
    void Menu_Local_FlagDeadClick();
    void Menu_Local_DianMuClick();

    // Whether "  标记死子" is ticked.
    bool flagDeadChecked() const { return m_flagDeadChecked; }

    static QString today();

private:
    bool refuseWhileMarking();

    WeiQiGame& m_game;
    InfoPanel& m_panel;
    LocalGameHost& m_host;
    bool m_flagDeadChecked = false;
};

} // namespace zemra
