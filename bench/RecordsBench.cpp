// Speed of opening records: reading SGF text, and reading plus playing a
// 300-move game to its last move, without and with drawing.
#include <benchmark/benchmark.h>

#include <QFile>

#include <vector>

#include "board/WeiQiGame.h"
#include "records/RecordFile.h"
#include "records/RecordStepper.h"
#include "records/SgfReader.h"
#include "render/BoardRenderer.h"

#include "GuiApplication.h"

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

// The labels go onto the picture, as in the window.
struct DrawingView : SilentView {
    BoardRenderer* renderer = nullptr;
    void DrawLabel(int i, int j, const QString& text) override { renderer->DrawLabel(i, j, text); }
    void eraseLabel(int i, int j) override
    {
        renderer->ClearChessBoard(i, j);
        renderer->SendImageToFront(i, j);
    }
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

// The user's wait when a record opens in the window: as above, with every
// stone, capture, mark and label drawn on a board of 38-pixel cells (the
// message log, a widget, is left out).
static void BM_OpenToLastMove_300(benchmark::State& state)
{
    const QString path = BenchData + QStringLiteral("/game1.sgf");
    if (!QFile::exists(path)) {
        state.SkipWithError("../shared/bench-data/game1.sgf is missing");
        return;
    }
    bench::ensureGuiApplication();
    WeiQiGame game;
    BoardRenderer renderer(game);
    game.setView(&renderer);
    renderer.setPanelSize(38 * 20 + 6, 38 * 20 + 6);
    game.InitWeiQiGame();
    DrawingView view;
    view.renderer = &renderer;
    RecordStepper stepper(game, renderer, view);
    for (auto _ : state) {
        ReadOutcome read = ReadingSGFFile(path);
        stepper.load(std::move(read.record));
        benchmark::DoNotOptimize(renderer.PaintBox1().constBits());
    }
    if (game.MoveCount != 300) state.SkipWithError("game1.sgf did not play to move 300");
    if (renderer.ChessSize() != 38) state.SkipWithError("the board was not laid out at 38-pixel cells");
    game.setView(nullptr);
}
BENCHMARK(BM_OpenToLastMove_300)->Unit(benchmark::kMillisecond);
