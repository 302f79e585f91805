// Every published record under ../shared/testdata opens (or, where it is
// broken on purpose, is refused with a message), and the position at its
// last move equals GNU Go's for the same file.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdlib>
#include <set>
#include <sstream>

#include "tests/GnuGoGtp.h"
#include "RecordTestUtil.h"
#include "board/Coordinates.h"
#include "records/GibReader.h"
#include "records/RecordFile.h"
#include "records/RecordNode.h"
#include "records/RecordText.h"
#include "records/RecordWriters.h"
#include "records/SgfSyntax.h"

using namespace zemra;
using namespace zemra::test;

namespace {

QString testdata()
{
    const char* env = std::getenv("ZEMRA_TESTDATA");
    return QString::fromLocal8Bit(env ? env : ZEMRA_TESTDATA_DIR);
}

bool inCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

QStringList recordFiles(const QString& root)
{
    QStringList files;
    QDirIterator it(root, {QStringLiteral("*.sgf"), QStringLiteral("*.gib")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

std::set<std::string> ourStones(const WeiQiGame& g, PointCode code)
{
    std::set<std::string> out;
    for (int i = 1; i <= g.BoardSize(); ++i)
        for (int j = 1; j <= g.BoardSize(); ++j)
            if (g.pointCode(i, j) == code) out.insert(iToGNU(i) + jToGNU(j, g.BoardSize()));
    return out;
}

using test::GnuGoGtp;

std::set<std::string> engineStones(GnuGoGtp& gtp, const char* colour)
{
    return gtp.stones(colour);
}

std::unique_ptr<GnuGoGtp> startGnuGo()
{
    return GnuGoGtp::start();
}

// The files SOURCES.md lists as broken on purpose that cannot be opened.
bool refusedOnPurpose(const QString& path)
{
    return path.endsWith(u"malformed/not-an-sgf.sgf");
}

} // namespace

TEST(RecordFiles, EveryPublishedRecordOpensAndMatchesGnuGo)
{
    const QString root = testdata();
    if (!QDir(root + QStringLiteral("/sgf")).exists()) GTEST_SKIP() << "no shared test records at " << root.toStdString();
    std::unique_ptr<GnuGoGtp> gtp = startGnuGo();
    if (!gtp) {
        if (inCi()) FAIL() << "gnugo is not installed; scripts/install-deps installs it";
        GTEST_SKIP() << "gnugo is not installed";
    }
    QTemporaryDir scratch;

    int opened = 0, compared = 0, replayed = 0;
    for (const QString& path : recordFiles(root)) {
        SCOPED_TRACE(path.toStdString());
        if (path.contains(u"/reference-sgf/")) continue; // the GIB references, compared below
        Viewer v;
        v.game.newGame(GameSetup::fixed(7, 0)); // the previous game must survive a refusal
        v.game.InitWeiQiGame();
        v.game.PlayChess(2, 2, Colour::Black);
        ReadOutcome read = readRecordFile(path);
        if (refusedOnPurpose(path)) {
            EXPECT_FALSE(read.ok());
            EXPECT_TRUE(read.error.contains(QFileInfo(path).fileName())) << read.error.toStdString();
            continue;
        }
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        const bool gib = path.endsWith(u".gib");
        const GameRecord start = read.record;
        const QStringList problems = v.stepper.load(std::move(read.record));
        EXPECT_EQ(v.game.checkInvariants(), "");
        EXPECT_EQ(v.stepper.RecordPos(), static_cast<int>(v.stepper.RecordNodes().size()));
        ++opened;

        // GNU Go reads the same SGF file itself; a GIB is compared with the
        // published conversion where there is one. Where GNU Go cannot read
        // the file, it replays our reading move by move (a check of the rules).
        std::string file = QFile::encodeName(path).toStdString();
        if (gib) {
            const QString reference =
                QDir(root + QStringLiteral("/gib/reference-sgf"))
                    .entryList({QStringLiteral("*%1_*").arg(QFileInfo(path).baseName().section(u'_', 0, 1))})
                    .value(0);
            file = reference.isEmpty() ? std::string()
                                       : QFile::encodeName(root + QStringLiteral("/gib/reference-sgf/") + reference).toStdString();
        } else if (path.contains(u"utf16")) {
            // GNU Go reads bytes: give it the same record in UTF-8.
            QByteArray bytes;
            ASSERT_EQ(readRegularFile(path, bytes), "");
            const QString copy = scratch.filePath(QStringLiteral("utf8.sgf"));
            QFile out(copy);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            QStringDecoder utf16(QStringConverter::Utf16LE);
            out.write(QString(utf16.decode(bytes.mid(2))).toUtf8());
            out.close();
            file = QFile::encodeName(copy).toStdString();
        }
        bool loaded = !file.empty() && gtp->send("loadsgf " + file).ok;
        if (!loaded) {
            if (!gtp->send("protocol_version").ok) gtp = startGnuGo(); // its SGF reader exits on some old files
            ASSERT_TRUE(gtp->send("boardsize " + std::to_string(start.boardSize)).ok);
            ASSERT_TRUE(gtp->send("clear_board").ok);
            for (const BoardPoint& p : start.setupBlack)
                gtp->send("play black " + iToGNU(p.i) + jToGNU(p.j, start.boardSize));
            for (const BoardPoint& p : start.setupWhite)
                gtp->send("play white " + iToGNU(p.i) + jToGNU(p.j, start.boardSize));
            if (gib && start.handicapCount > 0)
                gtp->send("fixed_handicap " + std::to_string(start.handicapCount));
            for (const std::string& node : start.recordNodes) {
                const std::optional<RecordMove> m = readRecordNode(node).move;
                if (!m || (!m->pass && m->i == 0)) continue;
                const std::string colour = m->colour == Colour::Black ? "black " : "white ";
                gtp->send("play " + colour + (m->pass ? std::string("pass") : iToGNU(m->i) + jToGNU(m->j, start.boardSize)));
            }
            ++replayed;
        }
        EXPECT_EQ(ourStones(v.game, PointCode::BlackChess), engineStones(*gtp, "black")) << problems.join(" ").toStdString();
        EXPECT_EQ(ourStones(v.game, PointCode::WhiteChess), engineStones(*gtp, "white"));
        ++compared;
    }
    EXPECT_GE(opened, 55);
    std::cout << "[ records ] " << opened << " opened, " << compared << " compared with GNU Go, " << replayed
              << " of them replayed move by move\n";
}

TEST(RecordFiles, RefusalsKeepNothingHalfReadAndNeverBlock)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.sgf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const ReadOutcome pipe = readRecordFile(fifo); // must return, not wait for a writer
    EXPECT_FALSE(pipe.ok());
    EXPECT_TRUE(pipe.error.contains(u"pipe.sgf"));

    EXPECT_TRUE(readRecordFile(dir.filePath(QStringLiteral("没有.gib"))).error.contains(u"没有.gib"));
    EXPECT_FALSE(readRecordFile(dir.path()).ok());
    const QString other = dir.filePath(QStringLiteral("a.txt"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("(;SZ[19];B[pd])");
    f.close();
    EXPECT_FALSE(readRecordFile(other).ok());
    ASSERT_TRUE(QFile::copy(other, dir.filePath(QStringLiteral("GAME.SGF"))));
    EXPECT_TRUE(readRecordFile(dir.filePath(QStringLiteral("GAME.SGF"))).ok());
}

TEST(RecordFiles, RoundTripThroughTheWriter)
{
    const QString root = testdata();
    if (!QDir(root + QStringLiteral("/sgf")).exists()) GTEST_SKIP() << "no shared test records";
    QTemporaryDir dir;
    for (const char* name : {"/sgf/classic/blood-vomiting_1835_intetsu-vs-jowa_littlego.sgf",
                             "/sgf/handicap/ha9_gnugo-selfplay_passes.sgf", "/sgf/features/9x9_messy_AE-PL-midgame.sgf",
                             "/gib/tygem-global_3-handicap_no-result_2016.gib"}) {
        SCOPED_TRACE(name);
        Viewer first;
        ReadOutcome a = readRecordFile(root + QLatin1String(name));
        ASSERT_TRUE(a.ok());
        const GameInfo info = a.record.info;
        first.stepper.load(std::move(a.record));
        const QString saved = dir.filePath(QStringLiteral("saved.sgf"));
        ASSERT_EQ(writeFileSafely(saved, sgfRecordBytes(first.game, info)), "");

        Viewer second;
        ReadOutcome b = readRecordFile(saved);
        ASSERT_TRUE(b.ok());
        EXPECT_EQ(b.record.info, info);
        second.stepper.load(std::move(b.record));
        EXPECT_EQ(second.game.MoveList(), first.game.MoveList());
        EXPECT_EQ(second.position(), first.position());
        EXPECT_EQ(second.game.HandicapCount(), first.game.HandicapCount());
    }
}

TEST(RecordFiles, HundredGamesReadToTheManifest)
{
    QFile file(QStringLiteral(ZEMRA_BENCHDATA_DIR "/games100.sgf"));
    QFile manifestFile(QStringLiteral(ZEMRA_BENCHDATA_DIR "/manifest.json"));
    if (!file.open(QIODevice::ReadOnly) || !manifestFile.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no bench data";
    const QByteArray all = file.readAll();
    const QByteArray manifest = manifestFile.readAll();

    QByteArray moves, comments;
    int games = 0;
    for (qsizetype start = all.indexOf("(;"); start >= 0; ++games) {
        const qsizetype next = all.indexOf("(;", start + 1);
        const ReadOutcome out = readSgfBytes(QByteArrayView(all).sliced(start, (next < 0 ? all.size() : next) - start));
        ASSERT_TRUE(out.ok());
        for (const std::string& node : out.record.recordNodes) {
            const RecordNodeContent c = readRecordNode(node);
            moves += (c.move->colour == Colour::Black ? "B[" : "W[") +
                     (c.move->pass ? std::string() : NumberToLetter(c.move->i) + NumberToLetter(c.move->j)) + "]\n";
            if (c.hasComment) comments += c.comment + "\n";
        }
        start = next;
    }
    moves.chop(1);
    comments.chop(1);
    EXPECT_EQ(games, 100);
    EXPECT_TRUE(manifest.contains(QCryptographicHash::hash(moves, QCryptographicHash::Sha256).toHex()));
    EXPECT_TRUE(manifest.contains(QCryptographicHash::hash(comments, QCryptographicHash::Sha256).toHex()));
}

TEST(RecordFiles, ShippedClassicGames)
{
    const QString root = testdata();
    if (!QDir(root + QStringLiteral("/sgf")).exists()) GTEST_SKIP() << "no shared test records";
    std::unique_ptr<GnuGoGtp> gtp = startGnuGo();
    if (!gtp && inCi()) FAIL() << "gnugo is not installed";
    const struct {
        const char* file;
        const char* source;
        const char* event;
        int moves;
    } games[] = {
        {"Game1.sgf", "/sgf/classic/ear-reddening_1846_shusaku-vs-gennan_littlego.sgf", "耳赤之局", 325},
        {"Game2.sgf", "/sgf/classic/blood-vomiting_1835_intetsu-vs-jowa_littlego.sgf", "吐血之局", 246},
        {"Game3.sgf", "/sgf/classic/atomic-bomb-game_1945_iwamoto-vs-hashimoto.sgf", "原子弹之局", 240},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.file);
        const QString path = QStringLiteral(ZEMRA_RESOURCE_DIR "/") + QLatin1String(g.file);
        QByteArray bytes;
        ASSERT_EQ(readRegularFile(path, bytes), "");
        EXPECT_FALSE(isValidUtf8(bytes.toStdString())); // GBK, as the program writes
        ReadOutcome ours = readRecordFile(path);
        ReadOutcome source = readRecordFile(root + QLatin1String(g.source));
        ASSERT_TRUE(ours.ok() && source.ok());
        EXPECT_TRUE(ours.record.problems.isEmpty());
        EXPECT_TRUE(ours.record.info.GameEvent.contains(QString::fromUtf8(g.event)));
        EXPECT_FALSE(ours.record.rootComment.isEmpty());
        EXPECT_EQ(ours.record.recordNodes.size(), static_cast<std::size_t>(g.moves));

        Viewer shipped, published;
        shipped.stepper.load(std::move(ours.record));
        published.stepper.load(std::move(source.record));
        EXPECT_EQ(shipped.game.MoveList(), published.game.MoveList());
        if (gtp) {
            ASSERT_TRUE(gtp->send("loadsgf " + QFile::encodeName(path).toStdString()).ok);
            EXPECT_EQ(ourStones(shipped.game, PointCode::BlackChess), engineStones(*gtp, "black"));
            EXPECT_EQ(ourStones(shipped.game, PointCode::WhiteChess), engineStones(*gtp, "white"));
        }
    }
}
