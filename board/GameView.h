// What the board model asks of the display and the player panel. The
// window's presenter implements it; NullGameView stands in where nobody
// watches (benchmarks, record scans, held multi-steps).
#pragma once

#include <string>
#include <string_view>

#include "board/Words.h"

namespace zemra {

class GameView {
public:
    virtual ~GameView() = default;

    // Redraw the stone of move n with its label and, for the last move, its
    // mark, and copy it to the screen. Nothing for 0 or a pass.
    virtual void ShowChessNumberAndFlag(int moveNumber) = 0;
    // Erase every stone named in a capture text from the picture. The model
    // has already counted them.
    virtual void DeleteDeadChessFromImage(const std::string& captureText) = 0;
    // Restore the empty-board picture of one point (screen unchanged).
    virtual void ClearChessBoard(int i, int j) = 0;
    virtual void DrawChess(int i, int j, Colour stone) = 0;
    virtual void SendImageToFront(int i, int j) = 0;
    virtual void DrawSmallTriangle(int i, int j) = 0;
    // The dead-stone square, in the colour of the side that will own the point.
    virtual void DrawBlock(int i, int j, Colour square) = 0;
    // Lay out and draw the empty board for a new game.
    virtual void InitChessBoard() = 0;
    virtual void SetStoneLabelMode(StoneLabelMode mode) = 0;

    // Captions of the captured-stone labels, e.g. "3 个".
    virtual void SetLabelBlackDead(const std::string& caption) = 0;
    virtual void SetLabelWhiteDead(const std::string& caption) = 0;
    // The name label of the side to move turns blue, the other black.
    virtual void ShowSideToMove(Colour side) = 0;
    // "Play" or "Take" after a placement; the window applies the sound option.
    virtual void PlayStoneSound(std::string_view name) = 0;
    // Column 1, row 9 (handicap) of the game-information grid.
    virtual void SetHandicapCell(const std::string& text) = 0;
};

// For the model without a window: benchmarks, record scans, tests of rules.
class NullGameView : public GameView {
public:
    void ShowChessNumberAndFlag(int) override {}
    void DeleteDeadChessFromImage(const std::string&) override {}
    void ClearChessBoard(int, int) override {}
    void DrawChess(int, int, Colour) override {}
    void SendImageToFront(int, int) override {}
    void DrawSmallTriangle(int, int) override {}
    void DrawBlock(int, int, Colour) override {}
    void InitChessBoard() override {}
    void SetStoneLabelMode(StoneLabelMode) override {}
    void SetLabelBlackDead(const std::string&) override {}
    void SetLabelWhiteDead(const std::string&) override {}
    void ShowSideToMove(Colour) override {}
    void PlayStoneSound(std::string_view) override {}
    void SetHandicapCell(const std::string&) override {}
};

} // namespace zemra
