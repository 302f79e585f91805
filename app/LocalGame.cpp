#include "app/LocalGame.h"

namespace zemra {

void writeCount(ModeHost& host, bool markingOn)
{
    const CountReport report = host.game().DianMu(markingOn);
    for (const std::string& line : report.lines)
        host.SendOutMessage(QStringLiteral("Version"), QString::fromStdString(line));
}

LocalGame::LocalGame(ModeHost& host)
    : ModeController(host), askNewGame([this] {
          return TFormLocalNewGame::run(this->host().dialogParent(),
                                        [this](QWidget*, const QString& text) { this->host().ShowInformation(text); });
      })
{
}

void LocalGame::enterMode()
{
    host().gameInfo() = friendlyGameInfo(QStringLiteral("中国"), DefaultBlackName, DefaultWhiteName, game().BoardSize);
    // The board gets no handicap stones here, so no handicap may be left
    // over from an earlier game or record: a saved record would gain stones
    // that were never on the board.
    game().HandicapCount = 0;
    host().showGameInfo();
    game().InitWeiQiGame();
}

void LocalGame::leaveMode()
{
    if (m_flagDeadChecked) Menu_Local_FlagDeadClick();
}

bool LocalGame::runCommand(Command command)
{
    switch (command) {
    case Command::LocalNewGame: Menu_Local_NewGameClick(); return true;
    case Command::LocalUndo: Menu_Local_UndoClick(); return true;
    case Command::LocalPass: Menu_Local_PassClick(); return true;
    case Command::LocalFlagDead: Menu_Local_FlagDeadClick(); return true;
    case Command::LocalDianMu: Menu_Local_DianMuClick(); return true;
    default: return false;
    }
}

std::optional<CommandState> LocalGame::commandState(Command command) const
{
    switch (command) {
    case Command::LocalFlagDead: return CommandState{true, m_flagDeadChecked};
    case Command::LocalNewGame:
    case Command::LocalUndo:
    case Command::LocalPass:
    case Command::LocalDianMu: return CommandState{};
    default: return std::nullopt;
    }
}

void LocalGame::Menu_Local_NewGameClick()
{
    if (const std::optional<LocalNewGameChoice> choice = askNewGame()) StartNewGame(*choice);
}

bool LocalGame::StartNewGame(const LocalNewGameChoice& choice)
{
    const bool handicapValid =
        choice.handicapCount == 0 || (choice.boardSize == 19 && choice.handicapCount >= 2 && choice.handicapCount <= 9);
    if (choice.boardSize < 5 || choice.boardSize > WeiQiGame::MaxSize || !handicapValid) return false;

    if (m_flagDeadChecked) Menu_Local_FlagDeadClick();
    setUpNewGame(friendlyGameInfo(QStringLiteral("Local Area Network"), choice.blackName, choice.whiteName, choice.boardSize),
                 choice.boardSize, choice.handicapCount);
    return true;
}

void LocalGame::boardClick(int i, int j, Qt::MouseButton button)
{
    if (game().MarkingDead || !game().onBoard(i, j)) return;
    if (button == Qt::LeftButton) {
        if (game().PlayChess(i, j, game().SideToMove) != PlayResult::OK) return;
        game().SideToMove = opponentOf(game().SideToMove);
        host().showSideToMove(game().SideToMove);
    } else if (button == Qt::RightButton) {
        game().Local_Undo();
    }
}

bool LocalGame::refuseWhileMarking()
{
    if (!m_flagDeadChecked) return false;
    host().ShowInformation(QStringLiteral("\r请先取消\"标记死子\"！"));
    return true;
}

void LocalGame::Menu_Local_UndoClick()
{
    if (refuseWhileMarking()) return;
    game().Local_Undo();
    host().SendOutMessage(QStringLiteral("System"), QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来实现“悔棋”！"));
}

void LocalGame::Menu_Local_PassClick()
{
    if (refuseWhileMarking()) return;
    const Colour passer = game().PassMove();
    host().SendOutMessage(QStringLiteral("System"),
                          passer == Colour::Black ? QStringLiteral("黑棋弃权一手！") : QStringLiteral("白棋弃权一手！"));
}

void LocalGame::Menu_Local_FlagDeadClick()
{
    m_flagDeadChecked = !m_flagDeadChecked;
    game().SetMarkingDead(m_flagDeadChecked);
    host().refreshMenus();
}

void LocalGame::Menu_Local_DianMuClick()
{
    writeCount(host(), m_flagDeadChecked);
}

} // namespace zemra
