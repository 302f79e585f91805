#include "app/LocalGame.h"

#include <QDate>

#include "app/InfoPanel.h"

namespace zemra {

namespace {

const QString DefaultBlack = QStringLiteral("山间的清风");
const QString DefaultWhite = QStringLiteral("月下の旅人");
const QString InfoRank = QStringLiteral("9 段");

GameInfo friendlyGame(const QString& place, const QString& black, const QString& white, int boardSize)
{
    GameInfo info;
    info.GameEvent = QStringLiteral("围棋友谊赛");
    info.GameDate = LocalGame::today();
    info.GamePlace = place;
    info.BlackName = black;
    info.BlackRank = InfoRank;
    info.WhiteName = white;
    info.WhiteRank = InfoRank;
    info.SizeText = QString::number(boardSize);
    info.GameKomi = QStringLiteral("贴2又3/4子");
    info.GameResult = QStringLiteral("正在比赛！");
    info.GameSource = QStringLiteral("岚石围棋网");
    return info;
}

} // namespace

LocalGame::LocalGame(WeiQiGame& game, InfoPanel& panel, LocalGameHost& host) : m_game(game), m_panel(panel), m_host(host) {}

QString LocalGame::today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

void LocalGame::EnterMode()
{
    m_host.SetLocalIdentity(DefaultBlack, QStringLiteral("9段"));
    m_panel.ShowGameInfo(friendlyGame(QStringLiteral("中国"), DefaultBlack, DefaultWhite, m_game.BoardSize), 0);
    // The board gets no handicap stones here, so no handicap may be left
    // over from an earlier game or record: a saved record would gain stones
    // that were never on the board.
    m_game.HandicapCount = 0;
    m_game.InitWeiQiGame();
}

void LocalGame::Menu_Local_NewGameClick()
{
    if (const std::optional<LocalNewGameChoice> choice = m_host.AskLocalNewGame()) StartNewGame(*choice);
}

bool LocalGame::StartNewGame(const LocalNewGameChoice& choice)
{
    const bool handicapValid =
        choice.handicapCount == 0 || (choice.boardSize == 19 && choice.handicapCount >= 2 && choice.handicapCount <= 9);
    if (choice.boardSize < 5 || choice.boardSize > WeiQiGame::MaxSize || !handicapValid) return false;

    if (m_flagDeadChecked) Menu_Local_FlagDeadClick();
    m_game.PreviousBoardSize = m_game.BoardSize;
    m_game.BoardSize = choice.boardSize;
    m_panel.ShowGameInfo(friendlyGame(QStringLiteral("Local Area Network"), choice.blackName, choice.whiteName, choice.boardSize),
                         0);
    m_game.MarkingDead = false;
    m_game.clearPointMarks();
    m_game.InitWeiQiGame();
    m_game.HandicapCount = choice.handicapCount;
    // The local layout always puts a third stone on the upper left, as the
    // record writer does; a record read earlier must not move it.
    m_game.ThreeStoneLowerRight = 0;
    m_game.SetLocalHandicap();
    return true;
}

void LocalGame::BoardClick(int i, int j, Qt::MouseButton button)
{
    if (m_game.MarkingDead || !m_game.onBoard(i, j)) return;
    if (button == Qt::LeftButton) {
        if (m_game.PlayChess(i, j, m_game.SideToMove) != PlayResult::OK) return;
        m_game.SideToMove = opponentOf(m_game.SideToMove);
        m_panel.ShowSideToMove(m_game.SideToMove);
    } else if (button == Qt::RightButton) {
        m_game.Local_Undo();
    }
}

bool LocalGame::refuseWhileMarking()
{
    if (!m_flagDeadChecked) return false;
    m_host.ShowInformation(QStringLiteral("\r请先取消\"标记死子\"！"));
    return true;
}

void LocalGame::Menu_Local_UndoClick()
{
    if (refuseWhileMarking()) return;
    m_game.Local_Undo();
    m_host.SendOutMessage(QStringLiteral("System"), QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来实现“悔棋”！"));
}

void LocalGame::Menu_Local_PassClick()
{
    if (refuseWhileMarking()) return;
    const Colour passer = m_game.PassMove();
    m_host.SendOutMessage(QStringLiteral("System"),
                          passer == Colour::Black ? QStringLiteral("黑棋弃权一手！") : QStringLiteral("白棋弃权一手！"));
}

void LocalGame::Menu_Local_FlagDeadClick()
{
    m_flagDeadChecked = !m_flagDeadChecked;
    m_host.SetFlagDeadChecked(m_flagDeadChecked);
    m_game.SetMarkingDead(m_flagDeadChecked);
}

void LocalGame::Menu_Local_DianMuClick()
{
    const CountReport report = m_game.DianMu(m_flagDeadChecked);
    for (const std::string& line : report.lines)
        m_host.SendOutMessage(QStringLiteral("Version"), QString::fromStdString(line));
}

} // namespace zemra
