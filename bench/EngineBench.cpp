// What one engine move costs beyond the engine's own thinking: the user's
// "play" and the engine's "genmove" through GtpEngine, against the fake
// engine of the tests answering at once, so all that is measured is ours.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

} // namespace

BENCHMARK(BM_EngineClick_BlankLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineClick_QuietPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineGenmove_BlankLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EngineGenmove_QuietPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();
