#include <gtest/gtest.h>

#include <QStringEncoder>

#include "records/GibReader.h"
#include "text/Gbk.h"

using namespace zemra;

namespace {
using Nodes = std::vector<std::string>;

// A GIB file: header lines, then the given lines, then the closing line
// (which the reader never reads).
std::string gib(const std::string& header, const std::string& lines)
{
    return "\\HS\n" + header + "\\HE\n\\GS\n" + lines + "\\GE\n";
}
} // namespace

TEST(GibReader, MovePassAndTakeBackLines)
{
    const struct {
        const char* condition;
        const char* lines;
        Nodes nodes;
        int skipped;
    } rows[] = {
        {"", "STO 0 1 1 15 3 \n", {";B[pd]"}, 0},
        {"", "STO 0 1 2 15 3 \n", {";W[pd]"}, 0},
        {"", "STO 0 1 1 15 13\n", {";B[pn]"}, 0}, // without the closing blank y keeps its last digit
        {"", "STO 0 1 1 19 3 \nSTO 0 2 2 3 -1 \nSTO 0 3 1 x 3 \nSTO 0 4 1 3 \nSTO 0 5 2 0 18 \n", {";W[as]"}, 4},
        {"", "SKI 0 1\nSKI 0 2\n", {";B[]", ";W[]"}, 0},
        {"让3子", "SKI 0 1\n", {";W[]"}, 0},
        {"", "STO 0 1 1 15 3 \nSTO 0 2 2 3 3 \nWIT 0 3 1\n", {}, 0},
        {"", "STO 0 1 1 15 3 \nSTO 0 2 2 3 3 \nWIT 0 3 2\n", {";B[pd]"}, 0},
        // After taking back White's move, White is to move again.
        {"", "STO 0 1 1 15 3 \nSTO 0 2 2 3 3 \nWIT 0 3 2\nSKI 0 3\n", {";B[pd]", ";W[]"}, 0},
        {"", "WIT 0 1 1\nWIT 0 1 3\nSTO 0 1 1 0 0 \n", {";B[aa]"}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.lines);
        const ReadOutcome out =
            readGibText(gib(std::string("\\[GAMECONDITION=") + r.condition + "\\]\n", r.lines), "x.gib");
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(out.record.recordNodes, r.nodes);
        EXPECT_EQ(out.record.problems.size(), r.skipped ? 1 : 0);
        if (r.skipped) {
            EXPECT_TRUE(out.record.problems.front().contains(QString::number(r.skipped)));
        }
    }
}

TEST(GibReader, HeaderNamesAndHandicap)
{
    const std::string header = "\\[GAMENAME=让先\\]\n\\[GAMEDATE=2012年11月22日\\]\n\\[GAMEPLACE=弈道\\]\n"
                               "\\[GAMEBLACKNAME=甲(9D)\\]\n\\[GAMEWHITENAME=Menskit (4D)\\]\n"
                               "\\[GAMECONDITION=让2子 让5子 让3子\\]\n\\[GAMERESULT=白11目胜\\]\n";
    const ReadOutcome out = readGibText(gib(header, "INI 0 1 2 &4\n"), "D:\\棋谱\\abc.gib");
    ASSERT_TRUE(out.ok());
    const GameInfo& i = out.record.info;
    EXPECT_EQ(i.GameEvent, u"让先");
    EXPECT_EQ(i.GameDate, u"2012年11月22日");
    EXPECT_EQ(i.GamePlace, u"弈道");
    EXPECT_EQ(i.BlackName, u"甲");
    EXPECT_EQ(i.BlackRank, u"9D");
    EXPECT_EQ(i.WhiteName, u"Menskit "); // the blank before "(" stays
    EXPECT_EQ(i.WhiteRank, u"4D");
    EXPECT_EQ(i.GameKomi, u"让2子 让5子 让3子");
    EXPECT_EQ(i.GameResult, u"白11目胜");
    EXPECT_EQ(i.GameSource, u"abc.gib");
    EXPECT_EQ(out.record.handicapCount, 5); // the highest word wins over the INI line
    EXPECT_EQ(out.record.threeStoneLowerRight, 0);

    const struct {
        const char* condition;
        const char* ini;
        int count;
        int lowerRight;
    } rows[] = {
        {"让3子", "INI 0 1 3 &4\n", 3, 1},
        {"3 Handicap : White Dum(5)", "INI 0 1 3 &4\n", 3, 0}, // international server: upper left
        {"Even : Black 6.5 Dum", "INI 0 1 0 &4\n", 0, 0},
        {"Even", "INI 0 1 1 &4\n", 0, 0},
    };
    for (const auto& r : rows) {
        const ReadOutcome o = readGibText(gib(std::string("\\[GAMECONDITION=") + r.condition + "\\]\n", r.ini), "a/b.gib");
        EXPECT_EQ(o.record.handicapCount, r.count) << r.condition;
        EXPECT_EQ(o.record.threeStoneLowerRight, r.lowerRight) << r.condition;
        EXPECT_EQ(o.record.info.GameSource, u"b.gib");
    }

    QString name, rank;
    splitGibName(QStringLiteral("9D)"), name, rank);
    EXPECT_EQ(name, u"");
    EXPECT_EQ(rank, u"9D");
    splitGibName(QStringLiteral("甲(9D"), name, rank);
    EXPECT_EQ(name, u"甲");
    EXPECT_EQ(rank, u"");
}

TEST(GibReader, LastLineNeverReadAndNonGibRefused)
{
    const ReadOutcome out = readGibText("\\[GAMENAME=a\\]\nSTO 0 1 1 3 3 \n\\[GAMEPLACE=b\\]", "x.gib");
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(out.record.info.GameEvent, u"a");
    EXPECT_EQ(out.record.info.GamePlace, u"");
    EXPECT_EQ(out.record.recordNodes, Nodes{";B[dd]"});
    EXPECT_EQ(readGibText("\\[GAMEBLACKNAME=甲(9D)\n\\GE\n", "x.gib").record.info.BlackName, u""); // no "\]"

    EXPECT_FALSE(readGibText("hello\nworld\n", "x.gib").ok());
}

TEST(GibReader, EncodingByBytesAndServer)
{
    const QString header = QStringLiteral("\\[GIBOKIND=%1\\]\n\\[GAMEBLACKNAME=%2(1D)\\]\n\\GE\n");
    QStringEncoder korean("EUC-KR");
    const struct {
        QByteArray bytes;
        QString name;
    } rows[] = {
        {header.arg(u"Global", u"바둑").toUtf8(), QStringLiteral("바둑")},
        {gbk::encode(header.arg(u"China", u"石下之臣")), QStringLiteral("石下之臣")},
        {QByteArray(korean.encode(header.arg(u"Korea", u"흑"))), QStringLiteral("흑")},
    };
    for (const auto& r : rows)
        EXPECT_EQ(readGibBytes(r.bytes, "x.gib").record.info.BlackName, r.name);
}
