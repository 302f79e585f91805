#include "app/RecordViewer.h"

#include <stdexcept>

#include "app/LocalGame.h"
#include "app/ProgramFiles.h"
#include "records/RecordFile.h"

namespace zemra {

RecordViewer::RecordViewer(ModeHost& host) : ModeController(host), m_stepper(host.game(), host.presenter(), *this) {}

FileDialogSettings RecordViewer::openDialogSettings()
{
    return {QStringLiteral("打开棋谱文件 . . ."),
            QStringLiteral("各种格式棋谱(*.sgf *.gib);;SGF格式棋谱(*.sgf);;TOM对弈棋谱(*.gib)"), QString(), QString()};
}

void RecordViewer::enterMode()
{
    if (!m_opened) {
        // A handicap left by another mode would be saved with a board that never had it.
        game().newGame(GameSetup::fixed(game().BoardSize(), 0));
        return;
    }
    // The viewer's position counts the nodes on the board; an empty board
    // under a position past node 0 would make the next step back take back
    // nothing, or worse, a stone of the wrong node. Quietly: the log keeps
    // the mode notices, and the record's problems were told when it was opened.
    m_quiet = true;
    m_stepper.replay();
    m_quiet = false;
}

void RecordViewer::leaveMode()
{
    if (game().MarkingDead()) Menu_Open_FlagDeadClick();
    if (m_stepper.trialPlay()) Menu_Open_TryClick();
}

void RecordViewer::boardClick(int i, int j, Qt::MouseButton button)
{
    const BoardButton b = button == Qt::LeftButton    ? BoardButton::Left
                          : button == Qt::RightButton ? BoardButton::Right
                                                      : BoardButton::Other;
    m_stepper.boardClick(i, j, b);
}

bool RecordViewer::wheel(int delta)
{
    if (m_stepper.trialPlay() || game().MarkingDead() || delta == 0) return false;
    m_stepper.wheel(delta < 0);
    return true;
}

void RecordViewer::afterRelayout()
{
    m_stepper.redrawLabels();
}

std::span<const ModeController::Row> RecordViewer::commands() const
{
    using V = RecordViewer;
    static constexpr Row rows[] = {
        row<V, &V::Menu_Open_FileClick>(Command::OpenFile),
        row<V, &V::Menu_Open_Game1Click>(Command::OpenGame1),
        row<V, &V::Menu_Open_Game2Click>(Command::OpenGame2),
        row<V, &V::Menu_Open_Game3Click>(Command::OpenGame3),
        row<V, &V::Menu_Open_FirstClick>(Command::OpenFirst),
        row<V, &V::Menu_Open_PrevClick>(Command::OpenPrev),
        row<V, &V::Menu_Open_Prev10Click>(Command::OpenPrev10),
        row<V, &V::Menu_Open_Next10Click>(Command::OpenNext10),
        row<V, &V::Menu_Open_NextClick>(Command::OpenNext),
        row<V, &V::Menu_Open_LastClick>(Command::OpenLast),
        row<V, &V::Menu_Open_TryClick, &V::trialState>(Command::OpenTry),
        row<V, &V::Menu_Open_FlagDeadClick, &V::markingState>(Command::OpenFlagDead),
        row<V, &V::Menu_Open_DianMuClick>(Command::OpenDianMu),
    };
    return rows;
}

// --- opening -------------------------------------------------------------------

QByteArray RecordViewer::recordPath(OpenSender sender, const QByteArray& commandLinePath)
{
    // Paths that come as text are turned back into the system's bytes: a
    // name that is not UTF-8 only opens by those.
    switch (sender) {
    case OpenSender::OpenItem: return systemPath(host().askOpenFileName(openDialogSettings()));
    case OpenSender::Game1: return systemPath(host().dataFile(QStringLiteral("Game1.sgf")));
    case OpenSender::Game2: return systemPath(host().dataFile(QStringLiteral("Game2.sgf")));
    case OpenSender::Game3: return systemPath(host().dataFile(QStringLiteral("Game3.sgf")));
    case OpenSender::CommandLine: break;
    }
    return commandLinePath;
}

void RecordViewer::Menu_Open_FileClick(OpenSender sender, const QByteArray& commandLinePath)
{
    const QByteArray path = recordPath(sender, commandLinePath);
    if (path.isEmpty()) return;

    // The whole file is read before anything changes, so a bad one leaves
    // the game, its information and the grid as they were.
    ReadOutcome outcome = readRecordFile(path);
    if (!outcome.ok()) throw std::runtime_error(outcome.error.toStdString());

    if (game().MarkingDead()) stopMarking();
    if (m_stepper.trialPlay()) Menu_Open_TryClick();
    m_opened = outcome.record.info;
    const QStringList problems = m_stepper.load(std::move(outcome.record));
    if (sender == OpenSender::Game1 || sender == OpenSender::Game2 || sender == OpenSender::Game3) m_stepper.showRootComment();
    for (const QString& p : problems)
        host().SendOutMessage(QStringLiteral("System"), p);
}

void RecordViewer::recordStarted()
{
    // The grid before the nodes: it shows no captures yet, and the steps
    // then colour the side really to move at the last node.
    host().gameInfo() = *m_opened;
    host().showGameInfo();
    host().showSideToMove(game().SideToMove());
}

// --- marking and counting --------------------------------------------------------

void RecordViewer::Menu_Open_FlagDeadClick()
{
    setMarking(!game().MarkingDead());
    // Redrawing the stones for or after marking paints over labels on stones.
    m_stepper.redrawLabels();
}

void RecordViewer::Menu_Open_DianMuClick()
{
    writeCount(host());
}

// --- the stepper's window ---------------------------------------------------------

void RecordViewer::DrawLabel(int i, int j, const QString& text)
{
    host().presenter().DrawLabel(i, j, text);
}

void RecordViewer::eraseLabel(int i, int j)
{
    host().presenter().redrawPoint(i, j);
}

void RecordViewer::stopMarking()
{
    if (game().MarkingDead()) Menu_Open_FlagDeadClick();
}

void RecordViewer::trialPlayChanged(bool on)
{
    // Marks of trial stones are drawn blue.
    host().presenter().setTrialPlay(on);
    host().refreshMenus();
}

} // namespace zemra
