#include "app/LocalGame.h"

namespace zemra {

void writeCount(ModeHost& host)
{
    const CountReport report = host.game().DianMu(host.game().MarkingDead());
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
    host().gameInfo() = friendlyGameInfo(QStringLiteral("中国"), DefaultBlackName, DefaultWhiteName, game().BoardSize());
    // No handicap may be left over from an earlier game or record: a saved
    // record would gain stones that were never on the board.
    game().newGame(GameSetup::fixed(game().BoardSize(), 0));
    host().showGameInfo();
}

void LocalGame::leaveMode()
{
    if (game().MarkingDead()) Menu_Local_FlagDeadClick();
}

std::span<const ModeController::Row> LocalGame::commands() const
{
    using L = LocalGame;
    static constexpr Row rows[] = {
        row<L, &L::Menu_Local_NewGameClick>(Command::LocalNewGame),
        row<L, &L::Menu_Local_UndoClick>(Command::LocalUndo),
        row<L, &L::Menu_Local_PassClick>(Command::LocalPass),
        row<L, &L::Menu_Local_FlagDeadClick, &L::markingState>(Command::LocalFlagDead),
        row<L, &L::Menu_Local_DianMuClick>(Command::LocalDianMu),
    };
    return rows;
}

void LocalGame::Menu_Local_NewGameClick()
{
    if (const std::optional<LocalNewGameChoice> choice = askNewGame()) StartNewGame(*choice);
}

bool LocalGame::StartNewGame(const LocalNewGameChoice& choice)
{
    // The third of three stones goes upper left, as the record writer
    // expects; a record read earlier must not move it.
    const GameSetup setup = GameSetup::fixed(choice.boardSize, choice.handicapCount);
    if (!setup.valid()) return false;

    if (game().MarkingDead()) Menu_Local_FlagDeadClick();
    setUpNewGame(friendlyGameInfo(QStringLiteral("Local Area Network"), choice.blackName, choice.whiteName, choice.boardSize),
                 setup);
    return true;
}

void LocalGame::boardClick(int i, int j, Qt::MouseButton button)
{
    if (game().MarkingDead() || !game().onBoard(i, j)) return;
    if (button == Qt::LeftButton) {
        if (game().PlayChess(i, j, game().SideToMove()) != PlayResult::OK) return;
        game().setSideToMove(opponentOf(game().SideToMove()));
    } else if (button == Qt::RightButton) {
        game().Local_Undo();
    }
}

bool LocalGame::refuseWhileMarking()
{
    if (!game().MarkingDead()) return false;
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
    setMarking(!game().MarkingDead());
}

void LocalGame::Menu_Local_DianMuClick()
{
    writeCount(host());
}

} // namespace zemra
