// Our rules against GNU Go's: the same moves go to both, every refusal of
// ours must be illegal for GNU Go too, every move we accept must be accepted
// there, and the positions and capture counts must agree.
#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/EngineCommand.h"
#include "engine/GtpEngine.h"
#include "engine/GtpProtocol.h"
#include "RandomPlayer.h"
#include "tests/GnuGoGtp.h"
#include "board/Coordinates.h"
#include "board/WeiQiGame.h"
#include "records/RecordFile.h"
#include "records/RecordNode.h"

using namespace zemra;
using namespace zemra::test;
namespace fs = std::filesystem;

namespace {

bool inCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

// GNU Go through the program's own engine session. A reply ends at its
// empty line, so the thousands of commands never wait for a quiet period.
using test::GnuGoGtp;


std::string vertex(const WeiQiGame& g, int i, int j)
{
    return iToGNU(i) + jToGNU(j, g.BoardSize());
}
const char* colourName(Colour c)
{
    return c == Colour::Black ? "black" : "white";
}

std::set<std::string> ourStones(const WeiQiGame& g, PointCode code)
{
    std::set<std::string> out;
    for (int i = 1; i <= g.BoardSize(); ++i)
        for (int j = 1; j <= g.BoardSize(); ++j)
            if (g.pointCode(i, j) == code) out.insert(vertex(g, i, j));
    return out;
}

std::set<std::string> engineStones(GnuGoGtp& gtp, const char* colour)
{
    std::istringstream in(gtp.send(std::string("list_stones ") + colour).text);
    std::set<std::string> out;
    std::string v;
    while (in >> v)
        out.insert(v);
    return out;
}

// Compares the whole position and the capture counts; "" when equal.
std::string compare(const WeiQiGame& g, GnuGoGtp& gtp)
{
    if (ourStones(g, PointCode::BlackChess) != engineStones(gtp, "black")) return "black stones differ";
    if (ourStones(g, PointCode::WhiteChess) != engineStones(gtp, "white")) return "white stones differ";
    // GNU Go counts the stones each colour has taken.
    if (gtp.send("captures black").text != std::to_string(g.WhiteCaptured())) return "white stones captured differ";
    if (gtp.send("captures white").text != std::to_string(g.BlackCaptured())) return "black stones captured differ";
    return {};
}

class GnuGoDifferential : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = findSystemGnuGo();
        if (path.empty()) {
            if (inCi()) {
                FAIL() << "gnugo is not installed; scripts/install-deps installs it";
            }
            GTEST_SKIP() << "gnugo is not installed";
        }
        gtp = std::make_unique<GnuGoGtp>(path);
        ASSERT_TRUE(gtp->running());
        ASSERT_TRUE(gtp->send("protocol_version").ok);
    }

    void newGame(WeiQiGame& game, int size)
    {
        game.newGame(GameSetup::fixed(size, 0));
        ASSERT_TRUE(gtp->send("boardsize " + std::to_string(size)).ok);
        ASSERT_TRUE(gtp->send("clear_board").ok);
    }

    // Plays one move of SideToMove in both; returns our result, or fails the test.
    PlayResult playBoth(WeiQiGame& game, int i, int j, const std::string& context)
    {
        const Colour side = game.SideToMove();
        const std::string v = vertex(game, i, j);
        const PlayResult r = game.PlayChess(i, j, side);
        if (r == PlayResult::OK) {
            const auto reply = gtp->send(std::string("play ") + colourName(side) + " " + v);
            EXPECT_TRUE(reply.ok) << context << ": we accepted " << colourName(side) << " " << v << ", GNU Go said "
                                  << reply.text;
        } else {
            const auto reply = gtp->send(std::string("is_legal ") + colourName(side) + " " + v);
            EXPECT_EQ(reply.text, "0") << context << ": we refused " << colourName(side) << " " << v << " with " << resultWord(r)
                                       << ", GNU Go finds it legal";
        }
        return r;
    }

    std::unique_ptr<GnuGoGtp> gtp;
};

} // namespace

TEST_F(GnuGoDifferential, SeededRandomGamesOnAllSizes)
{
    const int sizes[] = {19, 9, 13, 5, 19, 7, 11, 19, 6, 15, 17, 8};
    int games = 0, refusals = 0, kos = 0, captures = 0;
    for (std::uint32_t seed = 1; seed <= 240; ++seed) {
        WeiQiGame game;
        const int size = sizes[seed % std::size(sizes)];
        newGame(game, size);
        RandomPlayer player(seed * 7919u, 3, 30);
        const int moves = size * size + size * 4;
        for (int k = 0; k < moves; ++k) {
            const std::string context =
                "seed " + std::to_string(seed) + " size " + std::to_string(size) + " move " + std::to_string(game.MoveCount() + 1);
            const RandomMove m = player.propose(game);
            if (m.pass) {
                ASSERT_TRUE(gtp->send(std::string("play ") + colourName(game.SideToMove()) + " pass").ok);
                game.PassMove();
                continue;
            }
            const PlayResult r = playBoth(game, m.i, m.j, context);
            if (::testing::Test::HasFailure()) return;
            if (r == PlayResult::OK) {
                captures += !game.CaptureList().back().empty();
                game.setSideToMove(opponentOf(game.SideToMove()));
            } else {
                ++refusals;
                kos += r == PlayResult::DaJie;
            }
            if (k % 40 == 39) {
                ASSERT_EQ(compare(game, *gtp), "") << context;
            }
        }
        ASSERT_EQ(compare(game, *gtp), "") << "seed " << seed;
        ++games;
    }
    EXPECT_EQ(games, 240);
    EXPECT_GT(kos, 20) << "the games should include ko fights";
    EXPECT_GT(refusals, 200);
    EXPECT_GT(captures, 1000);
    std::cout << "[ compared ] " << games << " games, " << captures << " capturing moves, " << refusals << " refusals (" << kos
              << " ko)\n";
}

TEST_F(GnuGoDifferential, PublishedRecordsReplayTheSame)
{
    const fs::path root = fs::path(std::getenv("ZEMRA_TESTDATA") ? std::getenv("ZEMRA_TESTDATA") : ZEMRA_TESTDATA_DIR);
    if (!fs::is_directory(root / "sgf")) {
        GTEST_SKIP() << "no shared test records at " << root;
    }

    std::vector<fs::path> files;
    for (const auto& dir : {root / "sgf", root / "gib" / "reference-sgf"}) {
        if (!fs::is_directory(dir)) continue;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file() && e.path().extension() == ".sgf") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());

    int replayed = 0, unreadable = 0, moves = 0;
    for (const fs::path& file : files) {
        // The production reader, as the record viewer opens files.
        const ReadOutcome read = ReadingSGFFile(QFile::decodeName(file.c_str()));
        if (!read.ok()) {
            ++unreadable;
            continue;
        }
        const GameRecord& record = read.record;
        WeiQiGame game;
        newGame(game, record.boardSize);
        for (const auto& [stones, code, colour] : {std::tuple{&record.setupBlack, PointCode::BlackChess, "black "},
                                                   std::tuple{&record.setupWhite, PointCode::WhiteChess, "white "}}) {
            for (const BoardPoint& p : *stones) {
                game.setPoint(p.i, p.j, code, 0);
                gtp->send(std::string("play ") + colour + vertex(game, p.i, p.j));
            }
        }
        for (const std::string& node : record.recordNodes) {
            const std::optional<RecordMove> m = readRecordNode(node).move;
            if (!m || (!m->pass && !game.onBoard(m->i, m->j))) continue;
            game.setSideToMove(m->colour);
            const std::string context = file.filename().string() + " move " + std::to_string(game.MoveCount() + 1);
            if (m->pass) {
                gtp->send(std::string("play ") + colourName(game.SideToMove()) + " pass");
                game.PassMove();
            } else {
                playBoth(game, m->i, m->j, context);
                if (::testing::Test::HasFailure()) return;
            }
            ++moves;
        }
        ASSERT_EQ(compare(game, *gtp), "") << file.filename();
        ASSERT_EQ(game.checkInvariants(), "") << file.filename();
        ++replayed;
    }
    EXPECT_GE(replayed, 30) << "most shared records should be readable";
    std::cout << "[ replayed ] " << replayed << " records (" << moves << " moves), " << unreadable << " not readable here\n";
}
