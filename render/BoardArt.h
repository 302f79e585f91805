// The board's artwork, drawn by our own code: stones with their masks, the
// wood tile and the shadow pieces. Deterministic, and each size is drawn once
// and kept for the rest of the run.
#pragma once

#include <QImage>
#include <QString>

namespace zemra {

// A stone of one cell size. The stones stand on black and the mask is black
// inside the circle and white outside, so that AND-ing the mask and then
// OR-ing the stone onto the board puts the stone in and leaves the rest alone.
struct StoneImages {
    QImage BlackChess;
    QImage WhiteChess;
    QImage ChessMask;
};

// The stones for a cell size of 10..59 (clamped). Drawn on first use.
const StoneImages& stoneImages(int chessSize);

// The 50 x 50 wood tile; it tiles without seams.
const QImage& SmallBoard();
inline constexpr int SmallBoardSide = 50;

// The shadow piece "SD4".."SD8"; a null image for other numbers.
const QImage& shadowPiece(int number);

// An artwork by its resource name: "B37", "W10", "M59", "SD4", "SmallBoard".
// A null image for any other name.
QImage boardArt(const QString& name);

// The panel colour the shadow fades into, RGB(239, 239, 247).
inline constexpr QRgb PanelColour = 0xffefeff7;

} // namespace zemra
