// The engine mode: one game at a time against GNU Go, run as a child process
// and spoken to over GTP. Which colour the engine plays, whether a game runs
// and whether a hint blinks are this class's data; the menus and labels only
// show them.
//
// Every wait for the engine keeps the window's events flowing, so any
// command may arrive while a reply is awaited. What keeps the user from
// acting out of turn is state: the user's turn (usersTurn) excludes a pending
// reply and the pause before the engine's opening move; end game is always
// allowed and ends the wait at once; every step after a wait first checks
// that its game is still the one being played.
#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "app/GnuNewGameDialog.h"
#include "app/ModeController.h"
#include "engine/GtpEngine.h"

namespace zemra {

class EngineGame final : public ModeController {
public:
    explicit EngineGame(ModeHost& host);

    GameModeId mode() const override { return GameModeId::GNUGO; }
    // The user's name is the machine's host name, rank "9段".
    void enterMode() override;
    // Refused while a game runs.
    bool mayLeave() override;
    void leaveMode() override;
    // Any press on the board stops a blinking hint.
    void boardPressed() override { m_hintBlinking = false; }
    // A left click on the user's turn plays and asks the engine's reply.
    void boardClick(int i, int j, Qt::MouseButton button) override;
    // Refused while the engine is to move or a reply is awaited.
    std::optional<QString> closeRefusal() const override;
    void closing() override { m_hintBlinking = false; }
    std::span<const Row> commands() const override;

    // Ask for the settings and start a game unless the user cancels.
    void Menu_GNUGO_NewGameClick();
    // Start the game chosen in the dialog. False (and nothing changed) while
    // a game runs or for values the dialog never returns.
    bool StartNewGame(const GnuNewGameChoice& choice);
    void Menu_GNUGO_UNDOClick();
    void Menu_GNUGO_PASSClick();
    void Menu_GNUGO_EndGameClick();
    void Menu_GNUGO_EstimateClick();
    void Menu_GNUGO_HintClick();
    void Menu_GNUGO_FlagDeadClick();
    void Menu_GNUGO_DianMuClick();

    bool gameInProgress() const { return m_gameInProgress; }
    Colour engineColour() const { return m_engineColour; }
    Colour userColour() const { return opponentOf(m_engineColour); }
    // The engine is to move (it thinks, or its reply could not be read).
    bool enginesTurn() const { return m_gameInProgress && game().SideToMove() == m_engineColour; }
    // The user may move: a game runs, it is the user's colour to move, and
    // nothing is awaited from the engine.
    bool usersTurn() const;
    bool hintBlinking() const { return m_hintBlinking; }

    // How long the engine may stay silent before the user is asked whether
    // to wait on.
    void setSilenceLimit(std::chrono::milliseconds limit) { m_engine.setSilenceLimit(limit); }
    // The most one reply may hold (bytes) before the engine counts as broken.
    void setReplyLimit(std::size_t bytes) { m_engine.setReplyLimit(bytes); }

    // The new-game dialog; tests answer it themselves.
    std::function<std::optional<GnuNewGameChoice>()> askNewGame;

private:
    bool refuseWithoutGame();
    bool refuseWhileMarking();
    bool awaitingEngine() const;
    // New game only without a game, end game only with one; undo and pass
    // are withdrawn once the engine has resigned.
    CommandState newGameState() const { return {!m_gameInProgress, false}; }
    CommandState endGameState() const { return {m_gameInProgress, false}; }
    CommandState passUndoState() const { return {m_passUndoEnabled, false}; }
    // Sends a command and waits for its reply with the command's quiet period.
    GtpReply ask(std::string_view command);
    // False when the game cannot go on after this reply: the engine was lost
    // (the game is then ended) or the game ended during the wait.
    bool survived(const GtpReply& reply);
    // The engine's move: "genmove" and what its reply says.
    void askEngineMove(bool afterUsersPass);
    void giveTurnBack();
    void engineResigns();
    void enginePasses(bool afterUsersPass);
    void engineLost(ReplyStatus status);
    // No game from here on; the board, the lists and the engine are left alone.
    void finishGame();
    void blinkHint(int i, int j, Colour side);

    GtpEngine m_engine;
    bool m_gameInProgress = false;
    Colour m_engineColour = Colour::White;
    bool m_hintBlinking = false;
    bool m_passUndoEnabled = true;
    bool m_openingPending = false; // the pause before the engine's first move
    int m_gameId = 0;              // raised whenever a game starts or ends
    // MoveCount before each of the user's moves, newest last: an undo goes
    // back to the newest, whatever the engine answered after it.
    std::vector<int> m_userMoveStarts;
};

} // namespace zemra
