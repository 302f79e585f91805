// The record mode: a loaded SGF or GIB record stepped through on the board,
// with comments and labels, trial play, marking and counting. The stepping
// rules live in RecordStepper; this class opens the files, fills the grid,
// and is the stepper's window: the log, the labels and the trial marks.
#pragma once

#include <QStringList>

#include <optional>

#include "app/ModeController.h"
#include "records/GameRecord.h"
#include "records/RecordStepper.h"

namespace zemra {

// Where the open command takes its record from.
enum class OpenSender { OpenItem, Game1, Game2, Game3, CommandLine };

class RecordViewer final : public ModeController, private RecordView {
public:
    explicit RecordViewer(ModeHost& host);

    GameModeId mode() const override { return GameModeId::Open; }
    // A fresh board; a record loaded before is put back at its last move,
    // so the board and the viewer's position always agree.
    void enterMode() override;
    // Ends marking and trial play (trial stones are taken back).
    void leaveMode() override;
    // Trial play: left plays, right takes back. Otherwise left steps
    // forward and right back, without the hint.
    void boardClick(int i, int j, Qt::MouseButton button) override;
    // Over the board, while neither trial play nor marking is on: a forward
    // roll steps back, a backward roll steps forward.
    bool wheel(int delta) override;
    void afterRelayout() override;
    std::span<const Row> commands() const override;

    // The open command. The dialog's cancel changes nothing. A file that
    // cannot be read stops the command with an error naming the file and
    // the reason; the game on the board and its information stay.
    void Menu_Open_FileClick(OpenSender sender, const QByteArray& commandLinePath = {});
    void Menu_Open_FileClick() { Menu_Open_FileClick(OpenSender::OpenItem); }
    void Menu_Open_Game1Click() { Menu_Open_FileClick(OpenSender::Game1); }
    void Menu_Open_Game2Click() { Menu_Open_FileClick(OpenSender::Game2); }
    void Menu_Open_Game3Click() { Menu_Open_FileClick(OpenSender::Game3); }
    // Opens the record named on the command line, by the path's own bytes.
    void openCommandLineFile(const QByteArray& path) { Menu_Open_FileClick(OpenSender::CommandLine, path); }

    void Menu_Open_FirstClick() { m_stepper.first(); }
    // The menu items' own steps show a hint; other senders step silently.
    void Menu_Open_PrevClick(StepSender sender) { m_stepper.prev(sender); }
    void Menu_Open_PrevClick() { Menu_Open_PrevClick(StepSender::OwnMenuItem); }
    void Menu_Open_Prev10Click() { m_stepper.prev10(); }
    void Menu_Open_Next10Click() { m_stepper.next10(); }
    void Menu_Open_NextClick(StepSender sender) { m_stepper.next(sender); }
    void Menu_Open_NextClick() { Menu_Open_NextClick(StepSender::OwnMenuItem); }
    void Menu_Open_LastClick() { m_stepper.last(); }
    void Menu_Open_TryClick() { m_stepper.toggleTrial(); }
    void Menu_Open_FlagDeadClick();
    void Menu_Open_DianMuClick();

    const RecordStepper& stepper() const { return m_stepper; }
    bool trialPlay() const { return m_stepper.trialPlay(); }

    // The open dialog's settings.
    static FileDialogSettings openDialogSettings();

private:
    // The path as the system names it; empty when the dialog was cancelled.
    QByteArray recordPath(OpenSender sender, const QByteArray& commandLinePath);

    // --- RecordView ----------------------------------------------------------
    void clearLog() override
    {
        if (!m_quiet) host().clearLog();
    }
    void SendOutMessage(const QString& kind, const QString& text) override
    {
        if (!m_quiet) host().SendOutMessage(kind, text);
    }
    void DrawLabel(int i, int j, const QString& text) override;
    void eraseLabel(int i, int j) override;
    void stopMarking() override;
    void trialPlayChanged(bool on) override;
    // The grid and the player labels for the record opened (the stepper
    // holds its nodes).
    void recordStarted() override;
    CommandState trialState() const { return {true, m_stepper.trialPlay()}; }

    RecordStepper m_stepper;
    // What the grid shows of the record last opened; nothing before one.
    std::optional<GameInfo> m_opened;
    bool m_quiet = false; // the log is left alone while a record is put back
};

} // namespace zemra
