// Board drawing: a full layout, a resize with a full board of numbered
// stones, and the redraw of one move.
#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "RandomPlayer.h"
#include "board/WeiQiGame.h"
#include "render/BoardGeometry.h"
#include "render/BoardRenderer.h"

namespace {

using zemra::BoardRenderer;
using zemra::StoneLabelMode;
using zemra::WeiQiGame;

using zemra::bench::ensureGuiApplication;

// Panel side that gives the wanted cell size on a 19 x 19 board.
int panelFor(int chessSize)
{
    return chessSize * 20 + 6;
}

int stonesOn(const WeiQiGame& game)
{
    int stones = 0;
    for (int i = 1; i <= game.BoardSize(); ++i)
        for (int j = 1; j <= game.BoardSize(); ++j)
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
        if (game.PlayChess(move.i, move.j, game.SideToMove()) == zemra::PlayResult::OK)
            game.setSideToMove(zemra::opponentOf(game.SideToMove()));
    }
}

// A game drawn by a renderer at the wanted cell size, with stones played,
// coordinates shown as the window starts.
struct DrawnGame {
    WeiQiGame game;
    BoardRenderer renderer{game};

    DrawnGame(int chessSize, StoneLabelMode labelMode, int stones)
    {
        ensureGuiApplication();
        game.setView(&renderer);
        renderer.setShowCoordinates(true);
        renderer.setPanelSize(panelFor(chessSize), panelFor(chessSize));
        game.InitWeiQiGame();
        renderer.SetStoneLabelMode(labelMode);
        playStones(game, stones);
    }

    // Untimed: lay the board out at a neighbouring cell size, so that the
    // next layout at `chessSize` is a full one, as after a window resize.
    void leave(int chessSize)
    {
        const int other = chessSize < zemra::MaxChessSize ? chessSize + 1 : chessSize - 1;
        renderer.setPanelSize(panelFor(other), panelFor(other));
        renderer.InitChessBoard();
        renderer.setPanelSize(panelFor(chessSize), panelFor(chessSize));
    }
};

// Each figure is the median of five runs; the machine is shared.
constexpr int Repetitions = 5;

// One full layout of the empty board: sizes, pieces, the picture and its copy
// to the screen. Called for every new game and every resize.
void BM_InitChessBoard19(benchmark::State& state)
{
    const int chessSize = static_cast<int>(state.range(0));
    DrawnGame board(chessSize, StoneLabelMode::LastMoveMark, 0);
    for (auto _ : state) {
        state.PauseTiming();
        board.leave(chessSize);
        state.ResumeTiming();
        board.renderer.InitChessBoard();
        benchmark::DoNotOptimize(board.renderer.PaintBox1().constBits());
    }
}
BENCHMARK(BM_InitChessBoard19)
    ->Arg(37)
    ->Arg(59)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);

// A window resize with 300 numbered stones on the board: the layout and every
// stone redrawn at the new size.
void BM_FormResize19_300Stones(benchmark::State& state)
{
    const int chessSize = static_cast<int>(state.range(0));
    DrawnGame board(chessSize, StoneLabelMode::AllNumbers, 300);
    state.counters["stones"] = stonesOn(board.game);
    for (auto _ : state) {
        state.PauseTiming();
        board.leave(chessSize);
        state.ResumeTiming();
        board.renderer.FormResize();
        benchmark::DoNotOptimize(board.renderer.PaintBox1().constBits());
    }
}
BENCHMARK(BM_FormResize19_300Stones)
    ->Arg(37)
    ->Arg(59)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);

// What one move costs the picture: the previous stone loses the last-move
// mark and the new one gains it. Nothing carries over between iterations:
// both stones end as they started.
void BM_MoveRedraw(benchmark::State& state)
{
    DrawnGame board(static_cast<int>(state.range(0)), static_cast<StoneLabelMode>(state.range(1)), 120);
    for (auto _ : state) {
        board.renderer.ShowChessNumberAndFlag(board.game.MoveCount() - 1);
        board.renderer.ShowChessNumberAndFlag(board.game.MoveCount());
        benchmark::DoNotOptimize(board.renderer.PaintBox1().constBits());
    }
}
BENCHMARK(BM_MoveRedraw)
    ->Args({37, 1})
    ->Args({37, 2})
    ->Args({59, 2})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);

} // namespace
