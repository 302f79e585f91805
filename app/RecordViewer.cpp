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
    game().InitWeiQiGame();
    // The viewer's position counts the nodes on the board; an empty board
    // under a position past node 0 would make the next step back take back
    // nothing, or worse, a stone of the wrong node.
    if (m_opened) {
        // Quietly: the log keeps the mode notices, and the record's
        // problems were told when it was opened.
        showRecordInfo();
        m_quiet = true;
        m_stepper.replay();
        m_quiet = false;
    }
}

void RecordViewer::leaveMode()
{
    if (m_flagDeadChecked) Menu_Open_FlagDeadClick();
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
    if (m_stepper.trialPlay() || m_flagDeadChecked || game().MarkingDead || delta == 0) return false;
    m_stepper.wheel(delta < 0);
    return true;
}

void RecordViewer::afterRelayout()
{
    m_stepper.redrawLabels();
}

bool RecordViewer::runCommand(Command command)
{
    switch (command) {
    case Command::OpenFile: Menu_Open_FileClick(OpenSender::OpenItem); return true;
    case Command::OpenGame1: Menu_Open_Game1Click(); return true;
    case Command::OpenGame2: Menu_Open_Game2Click(); return true;
    case Command::OpenGame3: Menu_Open_Game3Click(); return true;
    case Command::OpenFirst: Menu_Open_FirstClick(); return true;
    case Command::OpenPrev: Menu_Open_PrevClick(); return true;
    case Command::OpenPrev10: Menu_Open_Prev10Click(); return true;
    case Command::OpenNext10: Menu_Open_Next10Click(); return true;
    case Command::OpenNext: Menu_Open_NextClick(); return true;
    case Command::OpenLast: Menu_Open_LastClick(); return true;
    case Command::OpenTry: Menu_Open_TryClick(); return true;
    case Command::OpenFlagDead: Menu_Open_FlagDeadClick(); return true;
    case Command::OpenDianMu: Menu_Open_DianMuClick(); return true;
    default: return false;
    }
}

std::optional<CommandState> RecordViewer::commandState(Command command) const
{
    switch (command) {
    case Command::OpenTry: return CommandState{true, m_stepper.trialPlay()};
    case Command::OpenFlagDead: return CommandState{true, m_flagDeadChecked};
    case Command::OpenFile:
    case Command::OpenGame1:
    case Command::OpenGame2:
    case Command::OpenGame3:
    case Command::OpenFirst:
    case Command::OpenPrev:
    case Command::OpenPrev10:
    case Command::OpenNext10:
    case Command::OpenNext:
    case Command::OpenLast:
    case Command::OpenDianMu: return CommandState{};
    default: return std::nullopt;
    }
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

    if (game().MarkingDead) stopMarking();
    if (m_stepper.trialPlay()) Menu_Open_TryClick();
    m_opened = Opened{outcome.record.info, outcome.record.handicapCount};
    showRecordInfo();
    const QStringList problems = m_stepper.load(std::move(outcome.record));
    if (sender == OpenSender::Game1 || sender == OpenSender::Game2 || sender == OpenSender::Game3) m_stepper.showRootComment();
    for (const QString& p : problems)
        host().SendOutMessage(QStringLiteral("System"), p);
}

void RecordViewer::showRecordInfo()
{
    // The grid first: it shows Black to move, and the steps then colour the
    // side really to move at the last node.
    host().gameInfo() = m_opened->info;
    game().HandicapCount = m_opened->handicapCount;
    host().showGameInfo();
}

// --- marking and counting --------------------------------------------------------

void RecordViewer::Menu_Open_FlagDeadClick()
{
    m_flagDeadChecked = !m_flagDeadChecked;
    game().SetMarkingDead(m_flagDeadChecked);
    // Redrawing the stones for or after marking paints over labels on stones.
    m_stepper.redrawLabels();
    host().refreshMenus();
}

void RecordViewer::Menu_Open_DianMuClick()
{
    writeCount(host(), m_flagDeadChecked);
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
    if (m_flagDeadChecked)
        Menu_Open_FlagDeadClick();
    else
        game().SetMarkingDead(false);
}

void RecordViewer::trialPlayChanged(bool on)
{
    // Marks of trial stones are drawn blue.
    host().presenter().setTrialPlay(on);
    host().refreshMenus();
}

} // namespace zemra
