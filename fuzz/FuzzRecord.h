// What both reader targets check once a record has been read: it loads onto
// a game, steps both ways, and what the SGF writer makes of it reads back to
// the same moves and position.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "board/WeiQiGame.h"
#include "records/RecordStepper.h"
#include "records/RecordWriters.h"
#include "records/SgfReader.h"

namespace zemra::fuzz {

struct QuietView : RecordView {
    WeiQiGame* game = nullptr;
    void clearLog() override {}
    void SendOutMessage(const QString&, const QString&) override {}
    void DrawLabel(int, int, const QString&) override {}
    void eraseLabel(int, int) override {}
    void setStoneSoundMuted(bool) override {}
    void stopMarking() override { game->SetMarkingDead(false); }
    void trialPlayChanged(bool) override {}
};

inline void require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

inline void checkRecord(ReadOutcome read)
{
    if (!read.ok()) return;
    NullGameView board;
    WeiQiGame game(&board);
    QuietView view;
    view.game = &game;
    RecordStepper stepper(game, board, view);
    const GameInfo info = read.record.info;
    stepper.load(std::move(read.record));
    require(game.checkInvariants().empty(), "invariants after load");
    const std::vector<std::string> moves = game.MoveList;
    const QByteArray saved = sgfRecordBytes(game, info);

    stepper.first();
    stepper.prev10();
    stepper.toggleTrial();
    stepper.boardClick(1, 1, BoardButton::Left);
    stepper.boardClick(2, 2, BoardButton::Left);
    stepper.boardClick(1, 1, BoardButton::Right);
    if (stepper.trialPlay()) stepper.toggleTrial();
    stepper.last();
    require(game.MoveList == moves, "the same moves after stepping back and forth");
    require(game.checkInvariants().empty(), "invariants after stepping");

    ReadOutcome again = readSgfBytes(saved);
    require(again.ok(), "the written record reads back");
    WeiQiGame copy(&board);
    RecordStepper second(copy, board, view);
    view.game = &copy;
    second.load(std::move(again.record));
    require(copy.MoveList == moves, "the written record replays the same moves");
    for (int i = 1; i <= WeiQiGame::MaxSize; ++i)
        for (int j = 1; j <= WeiQiGame::MaxSize; ++j)
            require(copy.pointCode(i, j) == game.pointCode(i, j), "the written record gives the same position");
}

} // namespace zemra::fuzz
