// Speed of opening records: reading SGF text, and reading plus playing a
// 300-move game to its last move, without and with drawing; and opening
// records of 10 MB (SGF) and 17 MB (GIB), made at run time in a temp folder.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "board/MoveNode.h"
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
    void stopMarking() override {}
    void trialPlayChanged(bool) override {}
    void recordStarted() override {}
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

// A record stepper on a game drawn on 38-pixel cells, as in the window.
struct DrawnBoard {
    DrawnBoard()
    {
        game.setView(&renderer);
        renderer.setPanelSize(38 * 20 + 6, 38 * 20 + 6);
        game.InitWeiQiGame();
        view.renderer = &renderer;
    }
    ~DrawnBoard() { game.setView(nullptr); }
    std::tuple<WeiQiGame&, BoardRenderer&, RecordStepper&> parts() { return {game, renderer, stepper}; }

    bool app = (bench::ensureGuiApplication(), true);
    WeiQiGame game;
    BoardRenderer renderer{game};
    DrawingView view;
    RecordStepper stepper{game, renderer, view};
};

// One long legal game of random moves (eye-filling allowed, so captures keep
// the board open), written as SGF with a 200-character comment on every
// 10th node, or as GIB move lines, until the file holds at least `bytes`.
QString longRecord(const QString& path, std::int64_t bytes, bool gib, std::int64_t& nodes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    QByteArray out = gib ? QByteArray("\\HS\n\\[GAMEBLACKNAME=甲 (9D)\\]\n\\HE\n\\GS\n")
                         : QByteArray("(;GM[1]FF[4]CA[UTF-8]SZ[19]PB[甲]PW[乙]");
    const QByteArray comment = QByteArray("C[") +
                               QString::fromUtf8("黑棋在此处的应手是本局的关键，白棋随后反击。 Black's reply here [key point\\] "
                                                 "is crucial; white counters \\\\ then tenuki. ")
                                   .repeated(2)
                                   .toUtf8() +
                               "]";
    WeiQiGame game;
    std::uint32_t x = 1;
    const auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    nodes = 0;
    while (out.size() < bytes) {
        const Colour side = game.SideToMove();
        int i = 0, j = 0;
        bool placed = false;
        for (int tries = 0; tries < 60 && !placed; ++tries) {
            i = static_cast<int>(next() % 19) + 1;
            j = static_cast<int>(next() % 19) + 1;
            placed = game.pointCode(i, j) == PointCode::Empty && game.PlayChess(i, j, side) == PlayResult::OK;
        }
        if (placed)
            game.setSideToMove(opponentOf(side));
        else
            game.PassMove();
        ++nodes;
        if (gib) {
            out += placed ? QByteArray("STO 0 ") + QByteArray::number(nodes) + (side == Colour::Black ? " 1 " : " 2 ") +
                                QByteArray::number(i - 1) + ' ' + QByteArray::number(j - 1) + " \n"
                          : QByteArray("SKI 0 ") + QByteArray::number(nodes) + '\n';
        } else {
            out += placed ? formatMoveNode(side, i, j) : formatPassNode(side);
            if (nodes % 10 == 0) out += comment + '\n';
        }
    }
    out += gib ? "\\GE\n" : ")\n";
    file.write(out);
    return path;
}

// A line of /proc/self/status in megabytes (Linux), 0 without it.
double statusMB(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The peak resident size is counted from here, with the memory freed so far
// given back first, so the figure is the opening's and not the making of the
// file or of earlier benchmarks. Returns the resident size now.
double resetPeakMemory()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    return statusMB("VmRSS:");
}

// The user's wait when a big record opens in the window, less the message
// log (a widget): the file read, the record read, every node played and the
// board drawn once at the end on 38-pixel cells.
void openBigRecord(benchmark::State& state, std::int64_t bytes, bool gib)
{
    QTemporaryDir dir;
    std::int64_t nodes = 0;
    const QString path = longRecord(dir.filePath(gib ? "big.gib" : "big.sgf"), bytes, gib, nodes);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the record into a temp folder");
        return;
    }
    DrawnBoard board;
    auto [game, renderer, stepper] = board.parts();
    const double before = resetPeakMemory();
    double firstOpen = 0; // later ones also hold the record opened before
    for (auto _ : state) {
        ReadOutcome read = readRecordFile(path);
        if (!read.ok()) {
            state.SkipWithError(read.error.toStdString().c_str());
            break;
        }
        stepper.load(std::move(read.record));
        benchmark::DoNotOptimize(renderer.PaintBox1().constBits());
        if (firstOpen == 0) firstOpen = statusMB("VmHWM:") - before;
    }
    if (stepper.RecordPos() != nodes) state.SkipWithError("the record did not play to its last node");
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["first_open_peak_MB"] = firstOpen;
    state.counters["reopen_peak_MB"] = statusMB("VmHWM:") - before;
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

} // namespace

static void BM_OpenToLastMove_Sgf10MB(benchmark::State& state)
{
    openBigRecord(state, 10'000'000, false);
}
BENCHMARK(BM_OpenToLastMove_Sgf10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// A GIB record of about 850 000 moves, near the node limit.
static void BM_OpenToLastMove_Gib17MB(benchmark::State& state)
{
    openBigRecord(state, 17'000'000, true);
}
BENCHMARK(BM_OpenToLastMove_Gib17MB)->Unit(benchmark::kMillisecond)->Iterations(3);

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
        benchmark::DoNotOptimize(game.MoveCount());
    }
    if (game.MoveCount() != 300) state.SkipWithError("game1.sgf did not play to move 300");
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
    DrawnBoard board;
    auto [game, renderer, stepper] = board.parts();
    for (auto _ : state) {
        ReadOutcome read = ReadingSGFFile(path);
        stepper.load(std::move(read.record));
        benchmark::DoNotOptimize(renderer.PaintBox1().constBits());
    }
    if (game.MoveCount() != 300) state.SkipWithError("game1.sgf did not play to move 300");
    if (renderer.ChessSize() != 38) state.SkipWithError("the board was not laid out at 38-pixel cells");
}
BENCHMARK(BM_OpenToLastMove_300)->Unit(benchmark::kMillisecond);
