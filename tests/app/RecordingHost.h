// A window stand-in for the mode controllers: a real model, a real renderer
// and information panel, and recorders for everything said or asked.
#pragma once

#include <QStringList>
#include <QWidget>

#include <deque>
#include <vector>

#include "app/InfoPanel.h"
#include "app/ModeController.h"
#include "render/BoardRenderer.h"
#include "tests/app/LogTestUtil.h"

namespace zemra::testing {

struct LogEntry {
    QString kind;
    QString text;
    bool operator==(const LogEntry&) const = default;
};

inline void PrintTo(const LogEntry& e, std::ostream* os)
{
    *os << e.kind.toStdString() << ": " << e.text.toStdString();
}

// The renderer with the panel calls of the model forwarded, as in the window.
class PanelRenderer : public BoardRenderer {
public:
    PanelRenderer(const WeiQiGame& game, InfoPanel& panel) : BoardRenderer(game), m_panel(panel) {}
    void SetLabelBlackDead(const std::string& c) override { m_panel.SetLabelBlackDead(QString::fromStdString(c)); }
    void SetLabelWhiteDead(const std::string& c) override { m_panel.SetLabelWhiteDead(QString::fromStdString(c)); }
    void ShowSideToMove(Colour side) override { m_panel.ShowSideToMove(side); }
    void SetHandicapCell(const std::string& text) override { m_panel.SetHandicapCell(QString::fromStdString(text)); }
    void PlayStoneSound(std::string_view name) override { stoneSounds.emplace_back(name); }

    std::vector<std::string> stoneSounds;

private:
    InfoPanel& m_panel;
};

class RecordingHost : public ModeHost {
public:
    RecordingHost()
    {
        view.setPanelSize(420, 420);
        board.setView(&view);
    }
    ~RecordingHost() override { board.setView(nullptr); }

    WeiQiGame& game() override { return board; }
    GameInfo& gameInfo() override { return info; }
    void showGameInfo() override { panel.ShowGameInfo(info, board.HandicapCount()); }
    void showResult(const QString& text) override
    {
        info.GameResult = text;
        panel.ShowResult(text);
    }
    void showSideToMove(Colour side) override { panel.ShowSideToMove(side); }
    void SendOutMessage(const QString& kind, const QString& text) override { log.push_back({kind, text}); }
    void clearLog() override
    {
        log.clear();
        ++logClears;
    }
    void ShowInformation(const QString& text) override { boxes << text; }
    bool askQuestion(const QString& caption, const QString& text, const QString&, const QString&) override
    {
        questions << caption + QLatin1Char('|') + text;
        return nextAnswer();
    }
    bool askYesNo(const QString& text) override
    {
        questions << text;
        return nextAnswer();
    }
    QString askOpenFileName(const FileDialogSettings& settings) override
    {
        dialogs.push_back(settings);
        return nextPath();
    }
    QString askSaveFileName(const FileDialogSettings& settings) override
    {
        dialogs.push_back(settings);
        return nextPath();
    }
    QWidget* dialogParent() override { return &window; }
    void playNotice(const QString& name) override { notices << name; }
    bool stoneSoundOn() const override { return stoneSound; }
    void setStoneSoundOn(bool on) override { stoneSound = on; }
    void WaitTicks(int bound, const std::function<bool()>& stop) override
    {
        waits << bound;
        if (duringWait) duringWait(bound);
        (void)stop;
    }
    BoardRenderer& renderer() override { return view; }
    void setBoardCursor(Qt::CursorShape shape) override { cursor = shape; }
    QString programDir() const override { return dir; }
    QString dataFile(const QString& name) const override { return dir + name; }
    void refreshMenus() override { ++menuRefreshes; }

    QWidget window;
    InfoPanel panel{&window};
    PanelRenderer view{board, panel};
    WeiQiGame board;
    GameInfo info;
    QString dir = QStringLiteral("/nowhere/");
    bool stoneSound = true;
    Qt::CursorShape cursor = Qt::PointingHandCursor;
    std::vector<LogEntry> log;
    int logClears = 0;
    QStringList boxes, questions, notices;
    std::vector<FileDialogSettings> dialogs;
    QList<int> waits;
    std::function<void(int bound)> duringWait; // what happens while a wait would run
    int menuRefreshes = 0;
    std::deque<bool> answers;   // questions answered in order; "no" when empty
    std::deque<QString> paths;  // file dialogs answered in order; cancelled when empty

private:
    bool nextAnswer()
    {
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    QString nextPath()
    {
        if (paths.empty()) return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

} // namespace zemra::testing
