// What both reader targets check once a record has been read: it loads onto
// a game, steps both ways, and what the SGF writer makes of it reads back to
// the same moves and position; the board's invariants hold throughout. The
// suite runs the same checks over the inputs the fuzzers once broke.
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
    void stopMarking() override { game->SetMarkingDead(false); }
    void trialPlayChanged(bool) override {}
    void recordStarted() override {}
};

// What is broken, or nullptr when every check holds (or the record was refused).
inline const char* recordBreaks(ReadOutcome read)
{
    if (!read.ok()) return nullptr;
    NullGameView board;
    WeiQiGame game(&board);
    QuietView view;
    view.game = &game;
    RecordStepper stepper(game, board, view);
    const GameInfo info = read.record.info;
    stepper.load(std::move(read.record));
    if (!game.checkInvariants().empty()) return "invariants after load";
    const std::vector<std::string> moves = game.MoveList();
    const QByteArray saved = sgfRecordBytes(game, info);

    stepper.first();
    stepper.prev10();
    stepper.toggleTrial();
    stepper.boardClick(1, 1, BoardButton::Left);
    stepper.boardClick(2, 2, BoardButton::Left);
    stepper.boardClick(1, 1, BoardButton::Right);
    if (!game.checkInvariants().empty()) return "invariants during trial play";
    if (stepper.trialPlay()) stepper.toggleTrial();
    stepper.last();
    if (game.MoveList() != moves) return "the same moves after stepping back and forth";
    if (!game.checkInvariants().empty()) return "invariants after stepping";

    ReadOutcome again = readSgfBytes(saved);
    if (!again.ok()) return "the written record reads back";
    WeiQiGame copy(&board);
    RecordStepper second(copy, board, view);
    view.game = &copy;
    second.load(std::move(again.record));
    if (copy.MoveList() != moves) return "the written record replays the same moves";
    if (!copy.checkInvariants().empty()) return "invariants of the written record";
    for (int i = 1; i <= WeiQiGame::MaxSize; ++i)
        for (int j = 1; j <= WeiQiGame::MaxSize; ++j)
            if (copy.pointCode(i, j) != game.pointCode(i, j)) return "the written record gives the same position";
    return nullptr;
}

inline void checkRecord(ReadOutcome read)
{
    if (const char* broken = recordBreaks(std::move(read))) {
        std::fprintf(stderr, "broken: %s\n", broken);
        std::abort();
    }
}

} // namespace zemra::fuzz
