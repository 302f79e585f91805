// Speed of the rules: placements, undo and the count on 19x19.
#include <benchmark/benchmark.h>

#include <vector>

#include "RandomPlayer.h"
#include "board/WeiQiGame.h"

using namespace zemra;
using namespace zemra::test;

namespace {

// A recorded random game: every attempt in order, refused ones included.
struct RecordedGame {
    std::vector<RandomMove> attempts;
    int placements = 0;
};

const std::vector<RecordedGame>& randomGames19()
{
    static const std::vector<RecordedGame> games = [] {
        std::vector<RecordedGame> out;
        for (std::uint32_t seed = 1; seed <= 32; ++seed) {
            WeiQiGame game;
            game.InitWeiQiGame();
            RandomPlayer player(seed, 1, 20);
            RecordedGame rec;
            for (int k = 0; k < 400; ++k) {
                const RandomMove m = player.propose(game);
                rec.attempts.push_back(m);
                if (m.pass) {
                    game.PassMove();
                } else if (game.PlayChess(m.i, m.j, game.SideToMove()) == PlayResult::OK) {
                    game.setSideToMove(opponentOf(game.SideToMove()));
                    ++rec.placements;
                }
            }
            out.push_back(std::move(rec));
        }
        return out;
    }();
    return games;
}

WeiQiGame gameAfter(const RecordedGame& rec, std::size_t attempts)
{
    WeiQiGame game;
    game.InitWeiQiGame();
    for (std::size_t k = 0; k < attempts && k < rec.attempts.size(); ++k) {
        const RandomMove& m = rec.attempts[k];
        if (m.pass) {
            game.PassMove();
        } else if (game.PlayChess(m.i, m.j, game.SideToMove()) == PlayResult::OK) {
            game.setSideToMove(opponentOf(game.SideToMove()));
        }
    }
    return game;
}

void BM_PlayChess_RandomGames19(benchmark::State& state)
{
    const auto& games = randomGames19();
    WeiQiGame game;
    std::int64_t placements = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const RecordedGame& rec = games[next++ % games.size()];
        game.InitWeiQiGame();
        for (const RandomMove& m : rec.attempts) {
            if (m.pass) {
                game.PassMove();
            } else if (game.PlayChess(m.i, m.j, game.SideToMove()) == PlayResult::OK) {
                game.setSideToMove(opponentOf(game.SideToMove()));
            }
        }
        placements += rec.placements;
        benchmark::DoNotOptimize(game.MoveCount());
    }
    state.SetItemsProcessed(placements);
}
BENCHMARK(BM_PlayChess_RandomGames19);

void BM_LocalUndo_Full19(benchmark::State& state)
{
    // The first 250 recorded moves (passes included) of a random game.
    const RecordedGame& rec = randomGames19()[3];
    WeiQiGame full;
    full.InitWeiQiGame();
    for (const RandomMove& m : rec.attempts) {
        if (full.MoveCount() == 250) break;
        if (m.pass) {
            full.PassMove();
        } else if (full.PlayChess(m.i, m.j, full.SideToMove()) == PlayResult::OK) {
            full.setSideToMove(opponentOf(full.SideToMove()));
        }
    }
    const int moves = full.MoveCount();
    for (auto _ : state) {
        state.PauseTiming();
        WeiQiGame game = full;
        state.ResumeTiming();
        while (game.MoveCount() > 0)
            game.Local_Undo();
        benchmark::DoNotOptimize(game.MoveCount());
    }
    state.SetItemsProcessed(state.iterations() * moves);
    state.counters["moves"] = moves;
}
BENCHMARK(BM_LocalUndo_Full19);

void BM_Count19(benchmark::State& state)
{
    WeiQiGame game = gameAfter(randomGames19()[5], 320);
    // Mark a few groups dead so the count meets dead stones and mixed borders.
    game.SetMarkingDead(true);
    int marked = 0;
    for (int i = 1; i <= 19 && marked < 6; i += 3)
        for (int j = 2; j <= 19 && marked < 6; j += 5)
            if (game.hasStone(i, j) && game.pointMark(i, j) == MarkCode::None) {
                game.MarkingClick(i, j);
                ++marked;
            }
    for (auto _ : state) {
        CountReport r = game.DianMu(true);
        benchmark::DoNotOptimize(r.lines.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Count19);

} // namespace
