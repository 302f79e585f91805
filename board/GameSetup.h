// How a game begins: the board size, the handicap, the stones a record puts
// down, and who moves first. Every new game of every mode, the dialogs that
// ask for one, the peer's proposals and the record readers judge a start by
// the one rule here.
#pragma once

#include <compare>
#include <vector>

#include "board/Words.h"

namespace zemra {

// A point of the board: i the column from the left, j the row from the top, both from 1.
struct BoardPoint {
    int i = 0;
    int j = 0;

    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
    friend auto operator<=>(const BoardPoint&, const BoardPoint&) = default;
};

struct GameSetup {
    static constexpr int MinBoardSize = 5;
    static constexpr int MaxBoardSize = 19;

    int boardSize = 19;
    // The fixed handicap layout (0, or 2..9 on the 19 × 19 board). With
    // free stones it is only the number the grid shows.
    int handicapCount = 0;
    // The third of three fixed stones at the lower right (a GIB habit)
    // instead of the upper left.
    bool threeStoneLowerRight = false;
    // Stones a record puts down itself (SGF AB / AW), instead of the layout.
    std::vector<BoardPoint> freeBlack;
    std::vector<BoardPoint> freeWhite;
    // Who moves once the stones are down.
    Colour firstPlayer = Colour::Black;

    // A game with the fixed layout: White moves first when there are stones.
    static GameSetup fixed(int boardSize, int handicapCount);

    static bool validBoardSize(int size) { return size >= MinBoardSize && size <= MaxBoardSize; }
    // The fixed layout is made of points of the 19 × 19 board.
    static bool handicapAllowed(int boardSize) { return boardSize == MaxBoardSize; }
    static bool validHandicap(int boardSize, int count)
    {
        return count == 0 || (handicapAllowed(boardSize) && count >= 2 && count <= 9);
    }

    bool hasFreeStones() const { return !freeBlack.empty() || !freeWhite.empty(); }
    // The size is 5..19; without free stones the handicap is a valid fixed
    // one; free stones lie on the board.
    bool valid() const;
};

// The fixed handicap points for 2..9 stones, in the order they go down;
// empty for other counts.
std::vector<BoardPoint> fixedHandicapPoints(int count, bool threeStoneLowerRight);

// Whether these stones are exactly a fixed handicap layout (one the board
// size allows, in any order, no white stones), so that a record may name it
// by its number alone.
bool isFixedLayout(int boardSize, const std::vector<BoardPoint>& black, const std::vector<BoardPoint>& white,
                   bool threeStoneLowerRight);

} // namespace zemra
