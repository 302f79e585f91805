// One engine conversation against the scripted fake engine, and a short one
// with the real GNU Go.
#include <gtest/gtest.h>

#include <memory>

#include "EngineTestUtil.h"
#include "engine/EngineCommand.h"
#include "engine/GTPUtils.h"
#include "engine/GtpEngine.h"
#include "engine/GtpProtocol.h"

using namespace zemra;
using namespace zemra::test;

namespace {

void start(GtpEngine& engine, const FakeEngine& fake)
{
    std::string error;
    ASSERT_TRUE(engine.start(fake.argv, error)) << error;
}

} // namespace

TEST(GtpEngine, EveryMoveReplyShapeAfterTheUsersMove)
{
    const struct {
        std::string script;
        ReplyStatus status;
        gtp::MoveKind kind;
        int i = 0;
        int j = 0;
    } rows[] = {
        {"= Q16\\n\\n", ReplyStatus::Answered, gtp::MoveKind::Point, 16, 4},
        {"= Q16\\r\\n\\r\\n", ReplyStatus::Answered, gtp::MoveKind::Point, 16, 4},
        {"= D4\\n\\n", ReplyStatus::Answered, gtp::MoveKind::Point, 4, 16},
        {"= PASS\\n\\n", ReplyStatus::Answered, gtp::MoveKind::Pass},
        {"= resign\\r\\n\\r\\n", ReplyStatus::Answered, gtp::MoveKind::Resign},
        {"? illegal move\\n\\n", ReplyStatus::Refused, gtp::MoveKind::Other},
        {"= T25\\n\\n", ReplyStatus::Answered, gtp::MoveKind::Other},
        {"thinking...\\n", ReplyStatus::Answered, gtp::MoveKind::Other}, // never completes: the quiet period ends it
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.script);
        FakeEngine fake("genmove|" + r.script + "\n");
        GtpEngine engine;
        start(engine, fake);
        EXPECT_EQ(engine.request(gtp::play(Colour::Black, 4, 16, 19), 50).status, ReplyStatus::Answered);
        const GtpReply reply = engine.request(gtp::genmove(Colour::White), 50);
        EXPECT_EQ(reply.status, r.status);
        const gtp::MoveReply move = gtp::readMoveReply(reply.text, 19);
        EXPECT_EQ(move.kind, r.kind);
        EXPECT_EQ(move.i, r.i);
        EXPECT_EQ(move.j, r.j);
        EXPECT_TRUE(engine.running());
        EXPECT_EQ(fake.commands(), "play black D4\ngenmove white\n");
    }
}

TEST(GtpEngine, QuietPeriodModeWaitsForTheQuietAndBlankLineModeDoesNot)
{
    FakeEngine fake("");
    GtpEngine engine;
    start(engine, fake);
    Stopwatch clock;
    EXPECT_EQ(engine.request("undo", 2000).status, ReplyStatus::Answered);
    EXPECT_LT(clock.ms(), 1000);

    engine.setReplyEnd(ReplyEnd::QuietPeriod);
    clock = Stopwatch();
    const GtpReply reply = engine.request("undo", 200);
    EXPECT_EQ(reply.status, ReplyStatus::Answered);
    EXPECT_EQ(reply.text, "= \n\n");
    EXPECT_GE(clock.ms(), 190);
}

TEST(GtpEngine, DeathEndsTheWaitAtOnceAndTheEngineIsGone)
{
    for (const std::string script : {"genmove|@crash", "genmove|@sleep 200 @crash", "genmove|@partial = Q1",
                                     "play|@partial = \\n\\n"}) {
        SCOPED_TRACE(script);
        FakeEngine fake(script + "\n");
        GtpEngine engine;
        start(engine, fake);
        const bool diesAfterPlay = script.rfind("play", 0) == 0;
        EXPECT_EQ(engine.request("play white C3", 50).status, ReplyStatus::Answered);
        const Stopwatch clock;
        const GtpReply reply = engine.request("genmove black", 50);
        EXPECT_EQ(reply.status, ReplyStatus::Exited);
        EXPECT_LT(clock.ms(), 5000) << "the silence limit is five minutes; death must not wait for it";
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(engine.request("genmove black", 50).status, ReplyStatus::NotRunning);
        EXPECT_EQ(fake.commands(), diesAfterPlay ? "play white C3\n" : "play white C3\ngenmove black\n");
    }
}

TEST(GtpEngine, SilenceLimitAsksAndGivesUp)
{
    {
        FakeEngine fake("genmove|@silent\n");
        GtpEngine engine;
        engine.setSilenceLimit(std::chrono::milliseconds(300));
        start(engine, fake);
        const Stopwatch clock;
        EXPECT_EQ(engine.request("genmove white", 50).status, ReplyStatus::Silent);
        EXPECT_GE(clock.ms(), 300);
        EXPECT_LT(clock.ms(), 5000);
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(fake.commands(), "genmove white\nquit\n");
    }
    {
        FakeEngine fake("genmove|@silent\n");
        GtpEngine engine;
        engine.setSilenceLimit(std::chrono::milliseconds(200));
        int asked = 0;
        engine.setSilenceQuestion([&asked] { return ++asked < 2; });
        start(engine, fake);
        const Stopwatch clock;
        EXPECT_EQ(engine.request("genmove white", 50).status, ReplyStatus::Silent);
        EXPECT_EQ(asked, 2);
        EXPECT_GE(clock.ms(), 400);
    }
    {
        FakeEngine fake("genmove|@sleep 500 = C3\\n\\n\n");
        GtpEngine engine;
        engine.setSilenceLimit(std::chrono::milliseconds(150));
        int asked = 0;
        engine.setSilenceQuestion([&asked] { return ++asked > 0; });
        start(engine, fake);
        const GtpReply reply = engine.request("genmove white", 50);
        EXPECT_EQ(reply.status, ReplyStatus::Answered);
        EXPECT_EQ(reply.text, "= C3\n\n");
        EXPECT_GE(asked, 1);
        EXPECT_TRUE(engine.running());
    }
}

TEST(GtpEngine, OnlyOneReplyIsAwaitedAndTheWindowKeepsItsEvents)
{
    FakeEngine fake("genmove|@sleep 300 = D4\\n\\n\n");
    GtpEngine engine;
    start(engine, fake);
    int pumped = 0;
    std::vector<ReplyStatus> nested;
    engine.setEventPump([&] {
        if (pumped++ == 0) {
            EXPECT_TRUE(engine.awaitingReply());
            nested.push_back(engine.request(std::string(gtp::EstimateScore), 30).status);
            nested.push_back(engine.request(gtp::hint(Colour::Black), 30).status);
        }
    });
    const GtpReply reply = engine.request("genmove white", 50);
    EXPECT_EQ(reply.text, "= D4\n\n");
    EXPECT_EQ(nested, (std::vector<ReplyStatus>{ReplyStatus::Busy, ReplyStatus::Busy}));
    EXPECT_GE(pumped, 10) << "events every poll sleep (5 ms) while the engine thinks for 300 ms";
    EXPECT_FALSE(engine.awaitingReply());
    EXPECT_EQ(engine.request(std::string(gtp::EstimateScore), 30).status, ReplyStatus::Answered);
    EXPECT_EQ(fake.commands(), "genmove white\nestimate_score\n");
}

TEST(GtpEngine, QuitOrDestructionInsideAWaitEndsItSafely)
{
    {
        FakeEngine fake("genmove|@silent\n");
        GtpEngine engine;
        start(engine, fake);
        engine.setEventPump([&engine] { engine.quit(); });
        const Stopwatch clock;
        EXPECT_EQ(engine.request("genmove white", 50).status, ReplyStatus::NotRunning);
        EXPECT_LT(clock.ms(), 5000);
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(fake.commands(), "genmove white\nquit\n");
    }
    {
        FakeEngine fake("genmove|@silent\n");
        auto engine = std::make_unique<GtpEngine>();
        start(*engine, fake);
        engine->setEventPump([&engine] { engine.reset(); });
        EXPECT_EQ(engine->request("genmove white", 50).status, ReplyStatus::NotRunning);
        EXPECT_EQ(engine, nullptr);
    }
}

TEST(GtpEngine, AnEngineThatNeverStartedSaysSo)
{
    GtpEngine engine;
    std::string error;
    EXPECT_FALSE(engine.start({"/nonexistent/gnugo", "--mode", "gtp"}, error));
    EXPECT_EQ(error, ECreateChildProcessErr().what());
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(engine.request("genmove black", 50).status, ReplyStatus::NotRunning);
    engine.quit();
}

TEST(GtpEngine, RealGnuGoSpeaksTheShapesWeRead)
{
    const std::string program = defaultEngineProgram("/nonexistent/");
    if (findSystemGnuGo().empty()) {
        if (inCi()) FAIL() << "gnugo is not installed; scripts/install-deps installs it";
        GTEST_SKIP() << "gnugo is not installed";
    }
    const EngineCommand command = engineCommandLine({std::string(DefaultEngineField), true, 1, 9}, program);
    GtpEngine engine;
    std::string error;
    ASSERT_TRUE(engine.start(command.argv, error)) << error;

    EXPECT_EQ(engine.request(gtp::play(Colour::Black, 5, 5, 9), 50).status, ReplyStatus::Answered);
    const GtpReply move = engine.request(gtp::genmove(Colour::White), 50);
    EXPECT_EQ(gtp::readMoveReply(move.text, 9).kind, gtp::MoveKind::Point) << move.text;
    const GtpReply hint = engine.request(gtp::hint(Colour::Black), 30);
    EXPECT_NE(gtp::readHintReply(hint.text, 9).kind, gtp::MoveKind::Other) << hint.text;
    const GtpReply estimate = engine.request(std::string(gtp::EstimateScore), 30);
    EXPECT_TRUE(gtp::estimateSentence(estimate.text).has_value()) << estimate.text;
    EXPECT_EQ(engine.request(gtp::play(Colour::Black, 5, 5, 9), 50).status, ReplyStatus::Refused) << "occupied";
    EXPECT_EQ(engine.request(std::string(gtp::Undo), 50).status, ReplyStatus::Answered);
    EXPECT_EQ(engine.request(std::string(gtp::Undo), 50).status, ReplyStatus::Answered);
    EXPECT_EQ(engine.request(std::string(gtp::Undo), 50).status, ReplyStatus::Refused) << "nothing left to undo";
    engine.quit();
    EXPECT_FALSE(engine.running());
}
