// Board drawing: a full layout, a resize with a full board of numbered
// stones, and the redraw of one move.
#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "RandomPlayer.h"
#include "board/WeiQiGame.h"
#include "render/BoardRenderer.h"

namespace {

using zemra::BoardRenderer;
using zemra::WeiQiGame;
using zemra::StoneLabelMode;

using zemra::bench::ensureGuiApplication;

// Panel side that gives the wanted cell size on a 19 x 19 board.
int panelFor(int chessSize)
{
    return chessSize * 20 + 6;
}

int stonesOn(const WeiQiGame& game)
{
    int stones = 0;
    for (int i = 1; i <= game.BoardSize; ++i)
        for (int j = 1; j <= game.BoardSize; ++j)
            stones += game.hasStone(i, j) ? 1 : 0;
    return stones;
}

// A position of the given number of stones from seeded random play.
void playStones(WeiQiGame& game, int stones)
{
    zemra::test::RandomPlayer player(20240611u, 0, 0);
    for (int tries = 0; tries < 5000 && stonesOn(game) < stones; ++tries) {
        const zemra::test::RandomMove move = player.propose(game);
        if (move.pass) continue;
        if (game.PlayChess(move.i, move.j, game.SideToMove) == zemra::PlayResult::OK)
            game.SideToMove = zemra::opponentOf(game.SideToMove);
    }
}

// A game drawn by a renderer at the wanted cell size, with stones played.
struct DrawnGame {
    WeiQiGame game;
    BoardRenderer renderer{game};

    DrawnGame(int chessSize, StoneLabelMode labelMode, int stones)
    {
        ensureGuiApplication();
        game.setView(&renderer);
        renderer.setPanelSize(panelFor(chessSize), panelFor(chessSize));
        game.InitWeiQiGame();
        renderer.SetStoneLabelMode(labelMode);
        playStones(game, stones);
    }
};

void BM_InitChessBoard19(benchmark::State& state)
{
    DrawnGame board(static_cast<int>(state.range(0)), StoneLabelMode::LastMoveMark, 0);
    // Alternate the coordinates so every run does the full layout and cut.
    bool coordinates = false;
    for (auto _ : state) {
        coordinates = !coordinates;
        board.renderer.setShowCoordinates(coordinates);
        board.renderer.InitChessBoard();
        benchmark::DoNotOptimize(board.renderer.PaintBox1().constBits());
    }
}
BENCHMARK(BM_InitChessBoard19)->Arg(37)->Arg(59)->Unit(benchmark::kMicrosecond);

void BM_FormResize19_300Stones(benchmark::State& state)
{
    DrawnGame board(static_cast<int>(state.range(0)), StoneLabelMode::AllNumbers, 300);
    state.counters["stones"] = stonesOn(board.game);
    bool coordinates = false;
    for (auto _ : state) {
        coordinates = !coordinates;
        board.renderer.setShowCoordinates(coordinates);
        board.renderer.FormResize();
        benchmark::DoNotOptimize(board.renderer.PaintBox1().constBits());
    }
}
BENCHMARK(BM_FormResize19_300Stones)->Arg(37)->Arg(59)->Unit(benchmark::kMillisecond);

void BM_MoveRedraw(benchmark::State& state)
{
    DrawnGame board(static_cast<int>(state.range(0)), static_cast<StoneLabelMode>(state.range(1)), 120);
    for (auto _ : state) {
        board.renderer.ShowChessNumberAndFlag(board.game.MoveCount - 1);
        board.renderer.ShowChessNumberAndFlag(board.game.MoveCount);
    }
}
BENCHMARK(BM_MoveRedraw)->Args({37, 1})->Args({37, 2})->Args({59, 2})->Unit(benchmark::kMicrosecond);

} // namespace
