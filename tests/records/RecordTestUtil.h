// A record view that keeps what the viewer showed, and a game on a board
// that keeps the side-to-move colours, for the record tests.
#pragma once

#include <QString>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "board/WeiQiGame.h"
#include "records/RecordStepper.h"
#include "records/SgfReader.h"

namespace zemra::test {

struct ShownLog : RecordView {
    std::vector<std::pair<QString, QString>> log; // since the last clearLog
    int clears = 0;
    std::map<std::pair<int, int>, QString> labels; // what stands on the picture
    std::vector<std::pair<int, int>> erased;
    bool trial = false;
    WeiQiGame* game = nullptr;

    void clearLog() override
    {
        log.clear();
        ++clears;
    }
    void SendOutMessage(const QString& kind, const QString& text) override { log.emplace_back(kind, text); }
    void DrawLabel(int i, int j, const QString& text) override { labels[{i, j}] = text; }
    void eraseLabel(int i, int j) override
    {
        labels.erase({i, j});
        erased.emplace_back(i, j);
    }
    void stopMarking() override { game->SetMarkingDead(false); }
    void trialPlayChanged(bool on) override { trial = on; }
    void recordStarted() override {}

    QString lastSystem() const { return log.empty() ? QString() : log.back().second; }
};

struct SideBoard : NullGameView {
    std::vector<Colour> shownSides;
    int sounds = 0;
    void ShowSideToMove(Colour side) override { shownSides.push_back(side); }
    void PlayStoneSound(std::string_view) override { ++sounds; }
};

// One game with its viewer, loaded from SGF text.
struct Viewer {
    SideBoard board;
    WeiQiGame game{&board};
    ShownLog shown;
    RecordStepper stepper{game, board, shown};

    Viewer() { shown.game = &game; }
    QStringList open(std::string_view sgf)
    {
        ReadOutcome read = readSgfText(sgf);
        if (!read.ok()) return {read.error};
        return stepper.load(std::move(read.record));
    }
    // The board as rows of '.', 'X' (black), 'O' (white), top row first.
    std::string position() const
    {
        std::string out;
        for (int j = 1; j <= game.BoardSize(); ++j) {
            for (int i = 1; i <= game.BoardSize(); ++i) {
                const PointCode c = game.pointCode(i, j);
                out += c == PointCode::BlackChess ? 'X' : c == PointCode::WhiteChess ? 'O' : '.';
            }
            out += '\n';
        }
        return out;
    }
};

} // namespace zemra::test
