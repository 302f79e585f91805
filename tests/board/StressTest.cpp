#include <gtest/gtest.h>

#include "BoardTestUtil.h"
#include "RandomPlayer.h"

using namespace zemra;
using namespace zemra::test;

// Random games on every board size: the invariants hold after every move and
// refusal, and undoing the whole game gives back every earlier state.
TEST(Stress, RandomGamesKeepInvariantsAndUndoToTheStart)
{
    int captures = 0, kos = 0, suicides = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        WeiQiGame game;
        const int size = 5 + static_cast<int>(seed % 15);
        game.newGame(GameSetup::fixed(size, seed % 7 == 0 && size == 19 ? 2 + static_cast<int>(seed % 8) : 0));
        RandomPlayer player(seed);
        std::vector<Snapshot> history;
        const int moves = game.BoardSize() * game.BoardSize();
        for (int k = 0; k < moves; ++k) {
            const RandomMove m = player.propose(game);
            const Snapshot before = snapshot(game);
            if (m.pass) {
                game.PassMove();
            } else {
                const PlayResult r = game.PlayChess(m.i, m.j, game.SideToMove());
                if (r != PlayResult::OK) {
                    ASSERT_EQ(snapshot(game), before) << "refusal changed the game, seed " << seed;
                    kos += r == PlayResult::DaJie;
                    suicides += r == PlayResult::BuRuQi;
                    continue;
                }
                captures += !game.CaptureList().back().empty();
                game.setSideToMove(opponentOf(game.SideToMove()));
            }
            history.push_back(before);
            ASSERT_EQ(game.checkInvariants(), "") << "seed " << seed << " move " << game.MoveCount();
        }
        while (!history.empty()) {
            game.Local_Undo();
            ASSERT_EQ(snapshot(game), history.back()) << "seed " << seed << " undo to move " << history.size() - 1;
            history.pop_back();
        }
    }
    // The generator must actually reach the interesting paths.
    EXPECT_GT(captures, 100);
    EXPECT_GT(kos, 5);
    EXPECT_GT(suicides, 5);
}

// The checks themselves must see what a corrupt record or peer could leave.
TEST(Stress, InvariantCheckFindsBrokenPositions)
{
    const struct {
        const char* what;
        void (*spoil)(WeiQiGame&);
        const char* says;
    } rows[] = {
        {"a surrounded stone at rest",
         [](WeiQiGame& g) {
             g.setPoint(1, 1, PointCode::BlackChess, 0);
             g.setPoint(2, 1, PointCode::WhiteChess, 0);
             g.setPoint(1, 2, PointCode::WhiteChess, 0);
         },
         "has no liberty"},
        {"a counter without its capture text", [](WeiQiGame& g) { WeiQiGameTestAccess::setCaptured(g, 1, 0); }, "captured counters"},
        {"a search code left behind", [](WeiQiGame& g) { g.setPoint(3, 3, PointCode::WhiteChuan, 0); }, "group-search"},
        {"a capture text that is not stones",
         [](WeiQiGame& g) { WeiQiGameTestAccess::appendMove(g, ";B[]", ";B[pd"); },
         "not a list of stones"},
    };
    for (const auto& r : rows) {
        WeiQiGame game;
        game.InitWeiQiGame();
        r.spoil(game);
        EXPECT_NE(game.checkInvariants().find(r.says), std::string::npos) << r.what << ": " << game.checkInvariants();
    }
}
