// The local game: two people at one board. Entering the mode, starting a game
// from the dialog, board clicks, and the local menu's undo, pass, marking and
// count. Works on the one game state; reaches the window only through its
// host, so it runs without one.
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "app/LocalNewGameDialog.h"
#include "app/ModeController.h"

namespace zemra {

class LocalGame final : public ModeController {
public:
    explicit LocalGame(ModeHost& host);

    GameModeId mode() const override { return GameModeId::Local; }
    // Default players, fresh grid and labels, an empty board.
    void enterMode() override;
    void leaveMode() override;
    // The left button plays and hands the move over, the right one takes
    // back. Refused moves change nothing and say nothing.
    void boardClick(int i, int j, Qt::MouseButton button) override;
    std::span<const Row> commands() const override;

    // Ask for a new game and start it unless the user cancels.
    void Menu_Local_NewGameClick();
    // Start the game chosen in the dialog. False (and nothing changed) for
    // values the dialog never returns.
    bool StartNewGame(const LocalNewGameChoice& choice);
    void Menu_Local_UndoClick();
    void Menu_Local_PassClick();
    void Menu_Local_FlagDeadClick();
    void Menu_Local_DianMuClick();

    // The new-game dialog; tests answer it themselves.
    std::function<std::optional<LocalNewGameChoice>()> askNewGame;

private:
    bool refuseWhileMarking();
};

// Writes the six lines of a count to the log, as every mode does; marked
// stones count as dead while marking is on.
void writeCount(ModeHost& host);

} // namespace zemra
