// What a record reader hands to the record viewer: the game information,
// the starting position and the node texts of the main line, plus what the
// user should hear about the file. Reading never throws: a failure is a
// ReadOutcome with an error message, and the caller keeps its game.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

#include "board/GameSetup.h"
#include "records/GameInfo.h"

namespace zemra {

struct GameRecord {
    // As the open command leaves them before reading: both names "未知",
    // SizeText "19", the rest empty; the reader fills what the file says.
    GameInfo info = resetGameInfo();
    int boardSize = 19; // SizeText as a number, 5..19
    // The game's HandicapCount: the number of black setup stones of an SGF
    // record, the handicap words or INI line of a GIB record.
    int handicapCount = 0;
    bool threeStoneLowerRight = false; // a GIB three-stone game puts the third stone at (16, 16)
    // Setup stones at the points the record names (SGF AB / AW of the root
    // and of the nodes before the first move). Empty for GIB: its handicap
    // stones stand on the fixed points for handicapCount.
    std::vector<BoardPoint> setupBlack;
    std::vector<BoardPoint> setupWhite;
    QString rootComment;                   // the root's C[] value, unescaped; empty without one
    std::vector<std::string> recordNodes;  // UTF-8 node texts after the root, each from its ';'
    QStringList problems;                  // what the user should hear although the record opened

    static GameInfo resetGameInfo();
    // How the game on the board begins: set-up stones that are exactly the
    // fixed handicap layout (and GIB's handicap, which names no stones) go
    // down as that layout, any others as the record's own stones.
    GameSetup setup() const;
};

struct ReadOutcome {
    GameRecord record; // meaningful only when ok()
    QString error;     // a whole Chinese sentence for the user; empty on success

    bool ok() const { return error.isEmpty(); }
    static ReadOutcome failure(const QString& message);
};

// Nodes of one record's main line beyond which it is refused: every node
// is played onto the board when the record opens, and a million take about
// a second and a hundred megabytes. Real games have a few hundred.
inline constexpr std::size_t MaxRecordNodes = 1'000'000;

// The refusal of a record longer than MaxRecordNodes, naming the limit.
ReadOutcome tooManyNodes();

} // namespace zemra
