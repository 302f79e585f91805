// The engine mode: one game at a time against GNU Go, run as a child process
// and spoken to over GTP. Which colour the engine plays and whether a game
// runs are this class's data; the menus and labels only show them.
#pragma once

#include "app/ModeController.h"

namespace zemra {

class EngineGame final : public ModeController {
public:
    explicit EngineGame(ModeHost& host) : ModeController(host) {}

    GameModeId mode() const override { return GameModeId::GNUGO; }
    // The user's name is the machine's host name, rank "9段".
    void enterMode() override;
    // Refused while a game runs.
    bool mayLeave() override;
    void leaveMode() override;
    void boardPressed() override { m_hintBlinking = false; }
    void boardClick(int i, int j, Qt::MouseButton button) override;
    // Refused while the engine is to move.
    std::optional<QString> closeRefusal() const override;
    bool runCommand(Command command) override;
    std::optional<CommandState> commandState(Command command) const override;

    void Menu_GNUGO_FlagDeadClick();
    void Menu_GNUGO_DianMuClick();

    bool gameInProgress() const { return m_gameInProgress; }
    Colour engineColour() const { return m_engineColour; }
    bool enginesTurn() const { return m_gameInProgress && game().SideToMove == m_engineColour; }
    bool hintBlinking() const { return m_hintBlinking; }

    // A game against the engine playing engineColour has begun.
    void beginGame(Colour engineColour);

private:
    bool m_gameInProgress = false;
    Colour m_engineColour = Colour::White;
    bool m_hintBlinking = false;
    bool m_flagDeadChecked = false;
};

} // namespace zemra
