// What one engine move costs beyond the engine's own thinking: the user's
// "play" and the engine's "genmove" through GtpEngine, against the fake
// engine of the tests answering at once, so all that is measured is ours.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/EngineCommand.h"
#include "engine/GtpEngine.h"
#include "engine/GtpProtocol.h"

using namespace zemra;

namespace {

void engineMove(benchmark::State& state, ReplyEnd replyEnd, bool withPlay)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zemra-engine-bench";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "script") << "genmove|@each = Q16\\n\\n\n";
    GtpEngine engine;
    engine.setReplyEnd(replyEnd);
    std::string error;
    if (!engine.start({ZEMRA_FAKE_GTP_ENGINE, (dir / "script").string(), "/dev/null"}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        if (withPlay) engine.request(gtp::play(Colour::Black, 4, 16, 19), 50);
        const GtpReply reply = engine.request(gtp::genmove(Colour::White), 50);
        if (gtp::readMoveReply(reply.text, 19).kind != gtp::MoveKind::Point) {
            state.SkipWithError("no point came back");
            break;
        }
    }
    engine.quit();
    std::filesystem::remove_all(dir);
}

// The board click: "play" then "genmove", both waited for.
void BM_EngineClick_BlankLine(benchmark::State& state)
{
    engineMove(state, ReplyEnd::BlankLine, true);
}
void BM_EngineClick_QuietPeriod(benchmark::State& state)
{
    engineMove(state, ReplyEnd::QuietPeriod, true);
}
// The "genmove" wait alone.
void BM_EngineGenmove_BlankLine(benchmark::State& state)
{
    engineMove(state, ReplyEnd::BlankLine, false);
}
void BM_EngineGenmove_QuietPeriod(benchmark::State& state)
{
    engineMove(state, ReplyEnd::QuietPeriod, false);
}

// The window while GNU Go level 10 thinks about a 19 x 19 middle game: the
// longest time between two turns of the event pump (the window handles its
// events in each), beside the engine's own thinking time.
void BM_EngineThinking_LongestEventGap(benchmark::State& state)
{
    const std::string gnugo = findSystemGnuGo();
    if (gnugo.empty()) {
        state.SkipWithError("GNU Go is not installed");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double longestMs = 0;
    int pumps = 0;
    Clock::time_point last = Clock::now();
    GtpEngine engine;
    engine.setEventPump([&] {
        const Clock::time_point now = Clock::now();
        longestMs = std::max(longestMs, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        ++pumps;
    });
    std::string error;
    if (!engine.start({gnugo, "--mode", "gtp", "--quiet", "--level", "10"}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    engine.request("boardsize 19", 50);
    const char* opening[] = {"play black Q16", "play white D4",  "play black Q3",  "play white D16",
                             "play black C6",  "play white E3",  "play black R10", "play white C14"};
    for (const char* move : opening)
        engine.request(move, 50);
    longestMs = 0;
    pumps = 0;
    for (auto _ : state) {
        last = Clock::now();
        const GtpReply reply = engine.request(gtp::genmove(Colour::Black), gtp::replyTimeoutMs("genmove"));
        if (reply.status != ReplyStatus::Answered) {
            state.SkipWithError("GNU Go gave no move");
            break;
        }
        // The same position for every iteration.
        engine.request("undo", 50);
    }
    state.counters["longest_gap_ms"] = longestMs;
    state.counters["pumps"] = pumps;
    engine.quit();
}

// An engine that prints N MB of debug lines before its answer, read in the
// pieces the pipe hands over: the time per MB must not grow with N.
void BM_EngineFloodedReply(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zemra-engine-flood-bench";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "script") << "genmove|@each @flood " << bytes << " = Q16\\n\\n\n";
    GtpEngine engine;
    engine.setReplyLimit(bytes + 4096);
    std::string error;
    if (!engine.start({ZEMRA_FAKE_GTP_ENGINE, (dir / "script").string(), "/dev/null"}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const GtpReply reply = engine.request(gtp::genmove(Colour::White), 50);
        if (reply.status != ReplyStatus::Answered || reply.text.size() < bytes) {
            state.SkipWithError("the flooded reply did not come whole");
            break;
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    state.counters["ms_per_MB"] = ms / static_cast<double>(state.iterations() * state.range(0));
    engine.quit();
    std::filesystem::remove_all(dir);
}

// The same 32 MB flood under the usual reply limit: from "genmove" until the
// engine is given up and its process group is gone (a fresh engine each time).
void BM_EngineFloodPastTheReplyLimit(benchmark::State& state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zemra-engine-limit-bench";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "script") << "genmove|@flood " << (32 << 20) << " = Q16\\n\\n\n";
    for (auto _ : state) {
        state.PauseTiming();
        GtpEngine engine;
        std::string error;
        if (!engine.start({ZEMRA_FAKE_GTP_ENGINE, (dir / "script").string(), "/dev/null"}, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.ResumeTiming();
        if (engine.request(gtp::genmove(Colour::White), 50).status != ReplyStatus::Unending) {
            state.SkipWithError("the flood was not stopped at the limit");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace

BENCHMARK(BM_EngineFloodPastTheReplyLimit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineFloodedReply)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineThinking_LongestEventGap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_EngineClick_BlankLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineClick_QuietPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineGenmove_BlankLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineGenmove_QuietPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();
