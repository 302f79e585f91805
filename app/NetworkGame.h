// The network mode: hosting or challenging another copy over TCP, the
// greeting, game proposals, moves and the requests of a running game. The
// connection values are this class's data; the menus only show them.
#pragma once

#include "app/ModeController.h"

namespace zemra {

class NetworkGame final : public ModeController {
public:
    explicit NetworkGame(ModeHost& host) : ModeController(host) {}

    GameModeId mode() const override { return GameModeId::Network; }
    // The default players and information of a friendly game not yet begun.
    void enterMode() override;
    // Connections are dropped; a running game ends.
    void leaveMode() override;
    void boardClick(int i, int j, Qt::MouseButton button) override;
    bool runCommand(Command command) override;
    std::optional<CommandState> commandState(Command command) const override;

    // --- connection values ----------------------------------------------
    QString NetworkRole;  // "server", "client" or empty
    QString NetworkColor; // the local colour word while a game runs, else empty
    bool PeerConnected = false;
};

} // namespace zemra
