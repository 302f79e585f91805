// A model wired to a renderer at a chosen cell size, and pixel helpers.
#pragma once

#include <QImage>
#include <QRect>
#include <memory>

#include "BoardTestUtil.h"
#include "board/WeiQiGame.h"
#include "render/BoardRenderer.h"

namespace zemra::test {

// A panel side that gives cell size s on an n x n board (35 and 36 are
// reached from the size below them).
inline int panelFor(int n, int s)
{
    const int base = s == 35 || s == 36 ? s - 1 : s;
    return base * (n + 1) + 6;
}

struct RenderedGame {
    WeiQiGame game;
    BoardRenderer renderer{game};

    RenderedGame(int boardSize, int chessSize, bool coordinates = false)
    {
        // Twice, so that the size is not new to the picture (as for a window
        // that has shown a board of this size before).
        game.newGame(GameSetup::fixed(boardSize, 0));
        game.setView(&renderer);
        renderer.setShowCoordinates(coordinates);
        renderer.setPanelSize(panelFor(boardSize, chessSize), panelFor(boardSize, chessSize));
        game.newGame(GameSetup::fixed(boardSize, 0));
    }
    RenderedGame(const RenderedGame&) = delete;
    RenderedGame& operator=(const RenderedGame&) = delete;

    QRect cell(int i, int j) const { return renderer.layout().cellRect(i, j); }
    QPoint centre(int i, int j) const { return renderer.layout().intersection(i, j); }
    QImage cellImage(int i, int j) const { return renderer.BoardImage().copy(cell(i, j)); }
    QRgb pixel(int x, int y) const { return renderer.BoardImage().pixel(x, y) & 0xffffff; }
};

// A second renderer on the same model, laid out and drawn from scratch.
inline std::unique_ptr<BoardRenderer> drawnFresh(const WeiQiGame& game, const BoardRenderer& like)
{
    auto fresh = std::make_unique<BoardRenderer>(game);
    fresh->setShowCoordinates(like.showCoordinates());
    const int panel = panelFor(like.layout().boardSize, like.ChessSize());
    fresh->setPanelSize(panel, panel);
    fresh->SetStoneLabelMode(like.StoneLabelMode());
    fresh->FormResize();
    return fresh;
}

constexpr QRgb RedMark = 0xff0000;
constexpr QRgb BlueMark = 0x0000ff;

} // namespace zemra::test
