#include "board/GameSetup.h"

#include <set>

namespace zemra {

GameSetup GameSetup::fixed(int boardSize, int handicapCount)
{
    GameSetup s;
    s.boardSize = boardSize;
    s.handicapCount = handicapCount;
    s.firstPlayer = handicapCount != 0 ? Colour::White : Colour::Black;
    return s;
}

bool GameSetup::valid() const
{
    if (!validBoardSize(boardSize)) return false;
    if (!hasFreeStones()) return validHandicap(boardSize, handicapCount);
    for (const std::vector<BoardPoint>* stones : {&freeBlack, &freeWhite})
        for (const BoardPoint& p : *stones)
            if (p.i < 1 || p.i > boardSize || p.j < 1 || p.j > boardSize) return false;
    return true;
}

std::vector<BoardPoint> fixedHandicapPoints(int count, bool threeStoneLowerRight)
{
    if (count < 2 || count > 9) return {};
    std::vector<BoardPoint> points = {{4, 16}, {16, 4}};
    if (count == 3) points.push_back(threeStoneLowerRight ? BoardPoint{16, 16} : BoardPoint{4, 4});
    if (count >= 4) points.insert(points.end(), {{4, 4}, {16, 16}});
    if (count >= 6) points.insert(points.end(), {{4, 10}, {16, 10}});
    if (count >= 8) points.insert(points.end(), {{10, 4}, {10, 16}});
    if (count % 2 == 1 && count != 3) points.push_back({10, 10});
    return points;
}

bool isFixedLayout(int boardSize, const std::vector<BoardPoint>& black, const std::vector<BoardPoint>& white,
                   bool threeStoneLowerRight)
{
    const int count = static_cast<int>(black.size());
    if (!white.empty() || count == 0 || !GameSetup::validHandicap(boardSize, count)) return false;
    const std::vector<BoardPoint> layout = fixedHandicapPoints(count, threeStoneLowerRight);
    return std::set<BoardPoint>(black.begin(), black.end()) == std::set<BoardPoint>(layout.begin(), layout.end());
}

} // namespace zemra
