#include "app/EngineGame.h"

#include "app/LocalGame.h"
#include "app/MyComputer.h"

namespace zemra {

void EngineGame::enterMode()
{
    host().SetLocalIdentity(GetMyComputerName(), QStringLiteral("9段"));
    game().InitWeiQiGame();
}

bool EngineGame::mayLeave()
{
    if (!m_gameInProgress) return true;
    host().ShowInformation(QStringLiteral("正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！"));
    return false;
}

void EngineGame::leaveMode()
{
    if (m_flagDeadChecked) Menu_GNUGO_FlagDeadClick();
}

void EngineGame::boardClick(int i, int j, Qt::MouseButton button)
{
    (void)i;
    (void)j;
    (void)button;
}

std::optional<QString> EngineGame::closeRefusal() const
{
    if (enginesTurn()) return QStringLiteral("\r计算机正在思考，请等会儿再退出！");
    return std::nullopt;
}

bool EngineGame::runCommand(Command command)
{
    switch (command) {
    case Command::GnuFlagDead: Menu_GNUGO_FlagDeadClick(); return true;
    case Command::GnuDianMu: Menu_GNUGO_DianMuClick(); return true;
    default: return false;
    }
}

std::optional<CommandState> EngineGame::commandState(Command command) const
{
    switch (command) {
    case Command::GnuNewGame: return CommandState{!m_gameInProgress, false};
    case Command::GnuEndGame: return CommandState{m_gameInProgress, false};
    case Command::GnuFlagDead: return CommandState{true, m_flagDeadChecked};
    default: return std::nullopt;
    }
}

void EngineGame::beginGame(Colour engineColour)
{
    m_engineColour = engineColour;
    m_gameInProgress = true;
    host().refreshMenus();
}

void EngineGame::Menu_GNUGO_FlagDeadClick()
{
    m_flagDeadChecked = !m_flagDeadChecked;
    game().SetMarkingDead(m_flagDeadChecked);
    host().refreshMenus();
}

void EngineGame::Menu_GNUGO_DianMuClick()
{
    writeCount(host(), m_flagDeadChecked);
}

} // namespace zemra
