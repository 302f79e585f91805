#include "app/RecordViewer.h"

#include "app/LocalGame.h"
#include "render/BoardRenderer.h"

namespace zemra {

void RecordViewer::enterMode()
{
    game().InitWeiQiGame();
}

void RecordViewer::leaveMode()
{
    if (m_flagDeadChecked) Menu_Open_FlagDeadClick();
    if (m_trialPlay) Menu_Open_TryClick();
}

void RecordViewer::boardClick(int i, int j, Qt::MouseButton button)
{
    (void)i;
    (void)j;
    if (button == Qt::LeftButton)
        Menu_Open_NextClick();
    else if (button == Qt::RightButton)
        Menu_Open_PrevClick();
}

bool RecordViewer::wheel(int delta)
{
    if (m_trialPlay || m_flagDeadChecked || delta == 0) return false;
    if (delta > 0)
        Menu_Open_PrevClick();
    else
        Menu_Open_NextClick();
    return true;
}

bool RecordViewer::runCommand(Command command)
{
    switch (command) {
    case Command::OpenPrev: Menu_Open_PrevClick(); return true;
    case Command::OpenNext: Menu_Open_NextClick(); return true;
    case Command::OpenTry: Menu_Open_TryClick(); return true;
    case Command::OpenFlagDead: Menu_Open_FlagDeadClick(); return true;
    case Command::OpenDianMu: Menu_Open_DianMuClick(); return true;
    default: return false;
    }
}

std::optional<CommandState> RecordViewer::commandState(Command command) const
{
    switch (command) {
    case Command::OpenTry: return CommandState{true, m_trialPlay};
    case Command::OpenFlagDead: return CommandState{true, m_flagDeadChecked};
    default: return std::nullopt;
    }
}

void RecordViewer::openCommandLineFile(const QString& path)
{
    (void)path;
}

void RecordViewer::Menu_Open_PrevClick() {}

void RecordViewer::Menu_Open_NextClick() {}

void RecordViewer::Menu_Open_TryClick()
{
    if (m_flagDeadChecked) Menu_Open_FlagDeadClick();
    m_trialPlay = !m_trialPlay;
    host().renderer().setTrialPlay(m_trialPlay);
    host().refreshMenus();
}

void RecordViewer::Menu_Open_FlagDeadClick()
{
    m_flagDeadChecked = !m_flagDeadChecked;
    game().SetMarkingDead(m_flagDeadChecked);
    host().refreshMenus();
}

void RecordViewer::Menu_Open_DianMuClick()
{
    writeCount(host(), m_flagDeadChecked);
}

} // namespace zemra
