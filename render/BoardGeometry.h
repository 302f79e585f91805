// Board geometry in pixels: the cell size chosen for a panel, the board
// square, the grid lines, the star points and the kinds of empty point. Pure
// arithmetic, shared by the renderer and the window's click mapping.
#pragma once

#include <QPoint>
#include <QRect>
#include <string_view>
#include <vector>

namespace zemra {

inline constexpr int MinChessSize = 10;
inline constexpr int MaxChessSize = 59;
inline constexpr int BoardMarginPixels = 3;
// The drop shadow right of and below the board square.
inline constexpr int ShadowWidth = 10;

// Cell side for a board panel of width x height and an n x n board: the
// largest that fits, clamped to 10..59, with 34..36 moved up by one.
int chessSizeFor(int panelWidth, int panelHeight, int boardSize);

// Layout of the board square for one board size and cell size.
struct BoardLayout {
    int boardSize = 19;
    int chessSize = 0;
    int margin = BoardMarginPixels;

    // J: side of the board square.
    int squareSide() const { return boardSize * chessSize + 2 * margin; }
    // g0 and L: first and last grid line.
    int gridStart() const { return margin + chessSize / 2; }
    int gridEnd() const { return gridStart() + (boardSize - 1) * chessSize; }
    QRect cellRect(int i, int j) const
    {
        return {margin + (i - 1) * chessSize, margin + (j - 1) * chessSize, chessSize, chessSize};
    }
    QPoint intersection(int i, int j) const { return {gridStart() + (i - 1) * chessSize, gridStart() + (j - 1) * chessSize}; }
    bool onBoard(int i, int j) const { return i >= 1 && i <= boardSize && j >= 1 && j <= boardSize; }
};

// Side of the square board picture; w19 is the text width of "19", added
// when the coordinates are shown.
inline int boardImageSizeFor(const BoardLayout& layout, bool showCoordinates, int w19)
{
    return layout.squareSide() + ShadowWidth + (showCoordinates ? w19 : 0);
}

// Star points of an n x n board as (column, row); none below 7.
std::vector<QPoint> starPoints(int boardSize);
bool isStarPoint(int boardSize, int i, int j);

// The ten kinds of empty point; each has its own ready-cut image.
enum class PieceKind { LeftUp, RightUp, LeftDown, RightDown, Left, Up, Right, Down, Cross, Star };
inline constexpr int PieceKindCount = 10;

// The kind whose image restores empty point (i, j); first match wins, so a
// corner is never taken for an edge.
PieceKind pieceKindAt(int boardSize, int i, int j);
// The point each piece is cut from on a freshly drawn board.
QPoint pieceSourcePoint(PieceKind kind, int boardSize);
// "BoardLeftUp" .. "BoardStar"
std::string_view pieceName(PieceKind kind);

// Mark sizes: legs of the large and small last-move triangles and the side of
// the (always odd) dead-stone square.
inline int largeTriangleLeg(int chessSize)
{
    return chessSize / 2 - 2;
}
inline int smallTriangleLeg(int chessSize)
{
    return chessSize / 4;
}
inline int blockSide(int chessSize)
{
    const int s = chessSize / 3;
    return s % 2 == 0 ? s - 1 : s;
}

} // namespace zemra
