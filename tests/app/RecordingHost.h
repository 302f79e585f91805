// A window stand-in for the mode controllers: a real model, the window's own
// presenter with a real information panel, and recorders for everything
// said or asked.
#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

#include "app/GamePresenter.h"
#include "app/InfoPanel.h"
#include "app/ModeController.h"
#include "tests/app/LogTestUtil.h"
#include "tests/app/TestDialogs.h"

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

class RecordingHost : public ModeHost {
public:
    RecordingHost()
    {
        m_presenter.setPanelSize(420, 420);
        m_presenter.playStoneSound = [this](const QString& name) { stoneSounds << name; };
        board.setView(&m_presenter);
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
    GamePresenter& presenter() override { return m_presenter; }
    const BoardRenderer& renderer() const { return m_presenter.renderer(); }
    void SendOutMessage(const QString& kind, const QString& text) override { log.push_back({kind, text}); }
    void clearLog() override
    {
        log.clear();
        ++logClears;
    }
    UserDialogs& userDialogs() override { return dialogs; }
    QWidget* dialogParent() override { return &window; }
    void playNotice(const QString& name) override { notices << name; }
    void WaitTicks(int bound, const std::function<bool()>& stop) override
    {
        waits << bound;
        if (duringWait) duringWait(bound);
        (void)stop;
    }
    void setBoardCursor(Qt::CursorShape shape) override { cursor = shape; }
    QString programDir() const override { return dir; }
    QString dataFile(const QString& name) const override { return dir + name; }
    void refreshMenus() override { ++menuRefreshes; }

    QWidget window;
    InfoPanel panel{&window};
    WeiQiGame board;
    GameInfo info;
    TestDialogs dialogs;
    QString dir = QStringLiteral("/nowhere/");
    Qt::CursorShape cursor = Qt::PointingHandCursor;
    std::vector<LogEntry> log;
    int logClears = 0;
    QStringList notices, stoneSounds;
    QList<int> waits;
    std::function<void(int bound)> duringWait; // what happens while a wait would run
    int menuRefreshes = 0;

private:
    GamePresenter m_presenter{board, panel};
};

} // namespace zemra::testing
