#include "app/NetworkGame.h"

namespace zemra {

void NetworkGame::enterMode()
{
    const QString black = QStringLiteral("山间的清风");
    host().SetLocalIdentity(black, QStringLiteral("9段"));
    GameInfo& info = host().gameInfo();
    info = friendlyGameInfo(QStringLiteral("Local Area Network"), black, QStringLiteral("月下の旅人"), game().BoardSize);
    info.GameResult = QStringLiteral("比赛还没有开始！");
    game().HandicapCount = 0;
    host().showGameInfo();
    NetworkColor.clear();
    game().InitWeiQiGame();
}

void NetworkGame::leaveMode()
{
    PeerConnected = false;
    if (!NetworkColor.isEmpty()) {
        NetworkColor.clear();
        host().showResult(QStringLiteral("网络中断，比赛结束！"));
    }
}

void NetworkGame::boardClick(int i, int j, Qt::MouseButton button)
{
    (void)i;
    (void)j;
    (void)button;
}

bool NetworkGame::runCommand(Command command)
{
    switch (command) {
    case Command::NetObserve:
    case Command::NetFlagDead:
    case Command::NetDianMu: return true; // always disabled; nothing to do
    default: return false;
    }
}

std::optional<CommandState> NetworkGame::commandState(Command command) const
{
    switch (command) {
    case Command::NetObserve:
    case Command::NetFlagDead:
    case Command::NetDianMu: return CommandState{false, false};
    default: return std::nullopt;
    }
}

} // namespace zemra
