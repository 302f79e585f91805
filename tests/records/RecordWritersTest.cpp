#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "RecordTestUtil.h"
#include "records/RecordWriters.h"
#include "text/Gbk.h"

using namespace zemra;
using namespace zemra::test;

namespace {

WeiQiGame handicapGame(int size, int count, bool lowerRight = false)
{
    WeiQiGame g;
    GameSetup setup = GameSetup::fixed(size, count);
    setup.threeStoneLowerRight = lowerRight;
    EXPECT_TRUE(g.newGame(setup));
    return g;
}

QList<QByteArray> lines(const QByteArray& file)
{
    EXPECT_TRUE(file.endsWith("\r\n"));
    QList<QByteArray> out = file.split('\n');
    out.removeLast();
    for (QByteArray& l : out) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return out;
}

} // namespace

TEST(RecordWriters, SgfRootMovesAndTheEmptyGame)
{
    WeiQiGame g;
    g.InitWeiQiGame();
    EXPECT_EQ(sgfRecordBytes(g, GameInfo{}),
              QByteArray("(;GM[1]FF[1]SZ[19]EV[]DT[]PC[]PB[]BR[]PW[]WR[]KM[]RE[]US[]CA[GBK]\r\n)\r\n"));

    WeiQiGame h = handicapGame(19, 2);
    h.PlayChess(4, 4, Colour::White);
    h.setSideToMove(Colour::Black);
    h.PlayChess(16, 16, Colour::Black);
    h.setSideToMove(Colour::White);
    h.PassMove();
    GameInfo info;
    info.BlackName = QStringLiteral("甲]\\乙");
    info.GameKomi = QStringLiteral("贴3¾子"); // not in GBK: becomes '?'
    const QByteArray bytes = sgfRecordBytes(h, info);
    EXPECT_EQ(lines(bytes), (QList<QByteArray>{gbk::encode(u"(;GM[1]FF[1]SZ[19]EV[]DT[]PC[]PB[甲\\]\\\\乙]BR[]PW[]"
                                                             u"WR[]KM[贴3?子]RE[]US[]CA[GBK]"),
                                                "AB[dp][pd]", ";W[dd]", ";B[pp]", ";W[]", ")"}));
    const ReadOutcome back = readSgfBytes(bytes);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.record.info.BlackName, info.BlackName);

    // "未知" in GBK is valid UTF-8 as well: only the declaration reads it back.
    const GameInfo unknown = GameRecord::resetGameInfo();
    EXPECT_EQ(readSgfBytes(sgfRecordBytes(g, unknown)).record.info, unknown);
    EXPECT_EQ(back.record.handicapCount, 2);
    EXPECT_EQ(back.record.recordNodes, (std::vector<std::string>{";W[dd]", ";B[pp]", ";W[]"}));
}

TEST(RecordWriters, SetupLineFixedForTheStandardLayoutElseTheRealStones)
{
    const char* fixed[] = {"AB[dp][pd]",
                           "AB[dp][pd][dd]",
                           "AB[dp][pd][dd][pp]",
                           "AB[dp][pd][dd][pp][jj]",
                           "AB[dp][pd][dd][pp][dj][pj]",
                           "AB[dp][pd][dd][pp][dj][pj][jj]",
                           "AB[dp][pd][dd][pp][dj][pj][jd][jp]",
                           "AB[dp][pd][dd][pp][dj][pj][jd][jp][jj]"};
    for (int n = 2; n <= 9; ++n)
        EXPECT_EQ(setupLine(handicapGame(19, n)), fixed[n - 2]) << n;
    EXPECT_EQ(setupLine(handicapGame(19, 0)), "");
    // GIB's three stones stand on the lower right: the line says so.
    EXPECT_EQ(setupLine(handicapGame(19, 3, 1)), "AB[dp][pd][pp]");

    Viewer v;
    v.open("(;SZ[9]AB[cc][gg]AW[ee];W[dc];B[ed])");
    EXPECT_EQ(setupLine(v.game), "AB[cc][gg]AW[ee]");

    // A handicap stone captured later is still a starting stone.
    Viewer c;
    c.open("(;SZ[19]AB[dp][pd];W[pc];B[aa];W[qd];B[bb];W[pe];B[cc];W[od])");
    EXPECT_EQ(c.game.pointCode(16, 4), PointCode::Empty);
    EXPECT_EQ(setupLine(c.game), "AB[dp][pd]");
}

TEST(RecordWriters, TextDiagramBytes)
{
    const QByteArray tl = QByteArray::fromHex("a9b0"), top = QByteArray::fromHex("a9d0"), tr = QByteArray::fromHex("a9b4");
    const QByteArray l = QByteArray::fromHex("a9c0"), x = QByteArray::fromHex("a9e0"), r = QByteArray::fromHex("a9c8");
    const QByteArray star = QByteArray::fromHex("a980"), bl = QByteArray::fromHex("a9b8");
    const QByteArray bottom = QByteArray::fromHex("a9d8"), br = QByteArray::fromHex("a9bc");
    const QByteArray black = QByteArray::fromHex("a1f1"), white = QByteArray::fromHex("a1f0");

    WeiQiGame g;
    g.newGame(GameSetup::fixed(9, 0));
    g.PlayChess(1, 9, Colour::Black);
    g.setSideToMove(Colour::White);
    g.PlayChess(5, 5, Colour::White);
    const QList<QByteArray> nine = lines(boardDiagramBytes(g));
    ASSERT_EQ(nine.size(), 11);
    for (const QByteArray& line : nine)
        EXPECT_EQ(line.size(), 21);
    EXPECT_EQ(nine[0], QByteArray(21, ' '));
    EXPECT_EQ(nine[1], " " + tl + top.repeated(7) + tr + " 1");
    EXPECT_EQ(nine[3], " " + l + x + star + x + x + x + star + x + r + " 3");
    EXPECT_EQ(nine[5], " " + l + x + x + x + white + x + x + x + r + " 5");
    EXPECT_EQ(nine[9], " " + black + bottom.repeated(7) + br + " 9");
    EXPECT_EQ(nine[10], " " + QByteArray(" A B C D E F G H I") + "  ");

    WeiQiGame big;
    big.InitWeiQiGame();
    const QList<QByteArray> nineteen = lines(boardDiagramBytes(big));
    ASSERT_EQ(nineteen.size(), 21);
    for (const QByteArray& line : nineteen)
        EXPECT_EQ(line.size(), 41);
    EXPECT_EQ(nineteen[10], " " + l + x + x + star + x.repeated(5) + star + x.repeated(5) + star + x + x + r + "10");
    EXPECT_EQ(nineteen[4].mid(1 + 2 * 3, 2), star);
    EXPECT_TRUE(nineteen[20].endsWith("Q R S  "));
    EXPECT_TRUE(nineteen[19].startsWith(" " + bl));

    const struct {
        int n;
        int stars;
    } counts[] = {{5, 0}, {6, 0}, {7, 4}, {9, 4}, {10, 4}, {13, 5}, {15, 9}, {17, 9}, {18, 4}, {19, 9}};
    for (const auto& c : counts) {
        int stars = 0;
        for (int i = 2; i < c.n; ++i)
            for (int j = 2; j < c.n; ++j)
                stars += diagramStarPoint(c.n, i, j);
        EXPECT_EQ(stars, c.stars) << c.n;
    }
    EXPECT_TRUE(diagramStarPoint(13, 7, 7));
    EXPECT_TRUE(diagramStarPoint(18, 15, 4));
}

TEST(RecordWriters, ProposedNamesAndBitmapSide)
{
    const QDate day(2026, 12, 7);
    EXPECT_EQ(proposedSgfName(day, 1), u"Game 2026-12-07_01.sgf");
    EXPECT_EQ(proposedSgfName(day, 2), u"Game 2026-12-07_02.sgf");
    EXPECT_EQ(proposedSgfName(day, 9), u"Game 2026-12-07_09.sgf");
    EXPECT_EQ(proposedSgfName(day, 10), u"Game 2026-12-07_10.sgf");
    EXPECT_EQ(proposedSgfName(day, 123), u"Game 2026-12-07_123.sgf");
    EXPECT_EQ(proposedTxtName(day), u"Game 2026-12-07.txt");
    EXPECT_EQ(proposedBmpName(day), u"Game 2026-12-07.bmp");
    EXPECT_EQ(bitmapSide(30, 19, 3), 576);
}

TEST(RecordWriters, SafeWriteReplacesWholeOrReportsTheFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("棋谱.sgf"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    EXPECT_EQ(writeFileSafely(target, "(;)\r\n"), "");
    QFile back(target);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), "(;)\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("棋谱.sgf")}); // no leftovers

    const QString missing = writeFileSafely(dir.filePath(QStringLiteral("无/a.sgf")), "x");
    EXPECT_TRUE(missing.contains(u"a.sgf")) << missing.toStdString();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sgf")));
    EXPECT_TRUE(writeFileSafely(dir.filePath(QStringLiteral("folder.sgf")), "x").contains(u"folder.sgf"));
}

TEST(RecordWriters, SafeWriteKeepsLinksModesAndSpecialFiles)
{
    QTemporaryDir dir;
    const QByteArray real = QFile::encodeName(dir.filePath(QStringLiteral("real.sgf")));
    const QString link = dir.filePath(QStringLiteral("link.sgf"));
    QFile old(QFile::decodeName(real));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    ASSERT_EQ(::chmod(real.constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("real.sgf"), link));

    // Saving through a link replaces the file it points to, with its mode.
    EXPECT_EQ(writeFileSafely(link, "(;)\r\n"), "");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat st {};
    ASSERT_EQ(::stat(real.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_size, 5);

    // A new file gets what the umask allows.
    const mode_t mask = ::umask(0022);
    EXPECT_EQ(writeFileSafely(dir.filePath(QStringLiteral("new.sgf")), "x"), "");
    ::umask(mask);
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(QStringLiteral("new.sgf"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // A FIFO is refused, never replaced by a regular file.
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe.sgf")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_TRUE(writeFileSafely(QFile::decodeName(fifo), "x").contains(u"pipe.sgf"));
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 4);
}
