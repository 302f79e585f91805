// The record mode: a loaded SGF or GIB record stepped through on the board,
// with comments and labels, trial play, marking and counting.
#pragma once

#include "app/ModeController.h"

namespace zemra {

class RecordViewer final : public ModeController {
public:
    explicit RecordViewer(ModeHost& host) : ModeController(host) {}

    GameModeId mode() const override { return GameModeId::Open; }
    void enterMode() override;
    void leaveMode() override;
    void boardClick(int i, int j, Qt::MouseButton button) override;
    // Over the board, while neither trial play nor marking is on: a forward
    // roll steps back, a backward roll steps forward.
    bool wheel(int delta) override;
    bool runCommand(Command command) override;
    std::optional<CommandState> commandState(Command command) const override;

    // Opens the record named on the command line.
    void openCommandLineFile(const QString& path);

    void Menu_Open_PrevClick();
    void Menu_Open_NextClick();
    void Menu_Open_TryClick();
    void Menu_Open_FlagDeadClick();
    void Menu_Open_DianMuClick();

    bool trialPlay() const { return m_trialPlay; }
    bool flagDeadChecked() const { return m_flagDeadChecked; }

private:
    bool m_trialPlay = false;
    bool m_flagDeadChecked = false;
};

} // namespace zemra
