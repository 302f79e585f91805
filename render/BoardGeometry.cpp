#include "render/BoardGeometry.h"

#include <algorithm>
#include <array>

namespace zemra {

int chessSizeFor(int panelWidth, int panelHeight, int boardSize)
{
    const int cells = std::clamp(boardSize, 1, 19) + 1;
    int size = std::min((panelWidth - 6) / cells, (panelHeight - 6) / cells);
    size = std::clamp(size, MinChessSize, MaxChessSize);
    // 34 is never used; the sizes around it shift up so it is skipped.
    if (size >= 34 && size <= 36) ++size;
    return size;
}

std::vector<QPoint> starPoints(int n)
{
    std::vector<int> lines;
    switch (n) {
    case 7:
    case 8:
    case 9: lines = {3, n - 2}; break;
    case 10:
    case 11:
    case 12:
    case 14:
    case 16:
    case 18: lines = {4, n - 3}; break;
    case 13: return {{4, 4}, {7, 7}, {4, 10}, {10, 4}, {10, 10}};
    case 15: lines = {4, 8, 12}; break;
    case 17: lines = {4, 9, 14}; break;
    case 19: lines = {4, 10, 16}; break;
    default: return {};
    }
    std::vector<QPoint> points;
    for (const int a : lines)
        for (const int b : lines)
            points.emplace_back(a, b);
    return points;
}

bool isStarPoint(int boardSize, int i, int j)
{
    // Asked for every point a redraw restores: the lists are made once.
    static const std::array<std::vector<QPoint>, 20> lists = [] {
        std::array<std::vector<QPoint>, 20> made;
        for (std::size_t n = 0; n < made.size(); ++n)
            made[n] = starPoints(static_cast<int>(n));
        return made;
    }();
    if (boardSize < 0 || boardSize >= static_cast<int>(lists.size())) return false;
    const std::vector<QPoint>& points = lists[static_cast<std::size_t>(boardSize)];
    return std::find(points.begin(), points.end(), QPoint(i, j)) != points.end();
}

PieceKind pieceKindAt(int n, int i, int j)
{
    if (i == 1 && j == 1) return PieceKind::LeftUp;
    if (i == n && j == 1) return PieceKind::RightUp;
    if (i == 1 && j == n) return PieceKind::LeftDown;
    if (i == n && j == n) return PieceKind::RightDown;
    if (i == 1) return PieceKind::Left;
    if (j == 1) return PieceKind::Up;
    if (i == n) return PieceKind::Right;
    if (j == n) return PieceKind::Down;
    if (isStarPoint(n, i, j)) return PieceKind::Star;
    return PieceKind::Cross;
}

QPoint pieceSourcePoint(PieceKind kind, int n)
{
    switch (kind) {
    case PieceKind::LeftUp: return {1, 1};
    case PieceKind::LeftDown: return {1, n};
    case PieceKind::RightUp: return {n, 1};
    case PieceKind::RightDown: return {n, n};
    case PieceKind::Up: return {2, 1};
    case PieceKind::Left: return {1, 2};
    case PieceKind::Down: return {2, n};
    case PieceKind::Right: return {n, 2};
    case PieceKind::Cross: return {2, 2};
    case PieceKind::Star: return n >= 7 && n <= 9 ? QPoint(3, 3) : QPoint(4, 4);
    }
    return {2, 2};
}

std::string_view pieceName(PieceKind kind)
{
    switch (kind) {
    case PieceKind::LeftUp: return "BoardLeftUp";
    case PieceKind::RightUp: return "BoardRightUp";
    case PieceKind::LeftDown: return "BoardLeftDown";
    case PieceKind::RightDown: return "BoardRightDown";
    case PieceKind::Left: return "BoardLeft";
    case PieceKind::Up: return "BoardUp";
    case PieceKind::Right: return "BoardRight";
    case PieceKind::Down: return "BoardDown";
    case PieceKind::Cross: return "BoardCross";
    case PieceKind::Star: return "BoardStar";
    }
    return "";
}

} // namespace zemra
