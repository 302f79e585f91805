// Speed of opening records: reading SGF text, and reading plus playing a
// 300-move game to its last move without drawing.
#include <benchmark/benchmark.h>

#include <QFile>

#include <vector>

#include "board/WeiQiGame.h"
#include "records/RecordFile.h"
#include "records/RecordStepper.h"
#include "records/SgfReader.h"

using namespace zemra;

namespace {

const QString BenchData = QStringLiteral(ZEMRA_BENCHDATA_DIR);

// games100.sgf cut into its hundred games.
std::vector<QByteArray> hundredGames()
{
    QFile file(BenchData + QStringLiteral("/games100.sgf"));
    std::vector<QByteArray> games;
    if (!file.open(QIODevice::ReadOnly)) return games;
    const QByteArray all = file.readAll();
    for (qsizetype start = all.indexOf("(;"); start >= 0;) {
        const qsizetype next = all.indexOf("(;", start + 1);
        games.push_back(all.mid(start, (next < 0 ? all.size() : next) - start));
        start = next;
    }
    return games;
}

struct SilentView : RecordView {
    void clearLog() override {}
    void SendOutMessage(const QString&, const QString&) override {}
    void DrawLabel(int, int, const QString&) override {}
    void eraseLabel(int, int) override {}
    void setStoneSoundMuted(bool) override {}
    void stopMarking() override {}
    void trialPlayChanged(bool) override {}
};

} // namespace

static void BM_ReadSgf_Games100(benchmark::State& state)
{
    const std::vector<QByteArray> games = hundredGames();
    if (games.size() != 100) {
        state.SkipWithError("../shared/bench-data/games100.sgf is missing");
        return;
    }
    std::int64_t bytes = 0;
    for (const QByteArray& g : games)
        bytes += g.size();
    for (auto _ : state) {
        for (const QByteArray& g : games) {
            ReadOutcome out = readSgfBytes(g);
            benchmark::DoNotOptimize(out.record.recordNodes.data());
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ReadSgf_Games100)->Unit(benchmark::kMillisecond);

// The user's wait when a record opens, less the drawing: the file read, the
// record read and every node played up to the last move.
static void BM_OpenToLastMove_300_NoDraw(benchmark::State& state)
{
    const QString path = BenchData + QStringLiteral("/game1.sgf");
    if (!QFile::exists(path)) {
        state.SkipWithError("../shared/bench-data/game1.sgf is missing");
        return;
    }
    NullGameView board;
    WeiQiGame game(&board);
    SilentView view;
    RecordStepper stepper(game, board, view);
    for (auto _ : state) {
        ReadOutcome read = ReadingSGFFile(path);
        stepper.load(std::move(read.record));
        benchmark::DoNotOptimize(game.MoveCount);
    }
    if (game.MoveCount != 300) state.SkipWithError("game1.sgf did not play to move 300");
}
BENCHMARK(BM_OpenToLastMove_300_NoDraw)->Unit(benchmark::kMicrosecond);
