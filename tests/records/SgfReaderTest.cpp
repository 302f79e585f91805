#include <gtest/gtest.h>

#include <QStringEncoder>

#include "records/GibReader.h"
#include "records/RecordNode.h"
#include "records/RecordText.h"
#include "records/SgfReader.h"
#include "records/SgfSyntax.h"
#include "text/Gbk.h"

using namespace zemra;

namespace {
using Nodes = std::vector<std::string>;
}

TEST(SgfReader, NodeTextsOfTheMainLine)
{
    const struct {
        const char* sgf;
        Nodes nodes;
        bool problem;
    } rows[] = {
        {"(;GM[1]SZ[19]PB[甲]PW[乙];B[pd];W[dd])", {";B[pd]", ";W[dd]"}, false},
        {"(;GM[1]\r\n;B[pd]\n;W[d\nd])\n", {";B[pd]", ";W[dd]"}, false}, // a broken value loses the break
        {"(;SZ[19];B[pd](;W[dd];B[pp])(;W[dp]))", {";B[pd](", ";W[dd]", ";B[pp]"}, false},
        {"( ; GM[1] ; B[pd] )", {"; B[pd] "}, false},
        // ';' and ')' inside values, and an escaped ']', do not cut.
        {"(;SZ[19];B[pd]C[a;b];W[dd])", {";B[pd]C[a;b]", ";W[dd]"}, false},
        {"(;B[pd]C[see (a)];W[dd])", {";B[pd]C[see (a)]", ";W[dd]"}, false},
        {"(;;B[pd]C[x\\];y)\\\\];W[dd])", {";B[pd]C[x\\];y)\\\\]", ";W[dd]"}, false},
        {"(;LB[pd:\\]];W[aa])", {";W[aa]"}, false},
        // A file ending without ')' loses its last node, and says so.
        {"(;SZ[19];B[pd];W[dd]", {";B[pd]"}, true},
        {"(;SZ[19]PB[x])", {}, false},
        {"licence; see (below)\n(;GM[1];B[aa])", {";B[aa]"}, false},
        // Old files play the first move in the root.
        {"(;SZ[9]B[ee];W[ff])", {";SZ[9]B[ee]", ";W[ff]"}, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.sgf);
        const ReadOutcome out = readSgfText(r.sgf);
        ASSERT_TRUE(out.ok()) << out.error.toStdString();
        EXPECT_EQ(out.record.recordNodes, r.nodes);
        EXPECT_EQ(!out.record.problems.isEmpty(), r.problem);
    }
}

TEST(SgfReader, RootFieldsCommentAndSize)
{
    const ReadOutcome a = readSgfText("(;GM[1]EV[名人战]DT[2026-12-07]PC[北京]C[评注 \\] 完]PB[a\\]b]BR[9段]"
                                      "PW[乙]WR[1d]KM[6.5]RE[B+R]US[网]SZ[9];B[ee])");
    ASSERT_TRUE(a.ok());
    const GameInfo& i = a.record.info;
    EXPECT_EQ(i.GameEvent, u"名人战");
    EXPECT_EQ(i.GameDate, u"2026-12-07");
    EXPECT_EQ(i.GamePlace, u"北京");
    EXPECT_EQ(a.record.rootComment, u"评注 ] 完");
    EXPECT_EQ(i.BlackName, u"a]b"); // the writer's escape reads back
    EXPECT_EQ(i.BlackRank, u"9段");
    EXPECT_EQ(i.WhiteName, u"乙");
    EXPECT_EQ(i.WhiteRank, u"1d");
    EXPECT_EQ(i.GameKomi, u"6.5");
    EXPECT_EQ(i.GameResult, u"B+R");
    EXPECT_EQ(i.GameSource, u"网");
    EXPECT_EQ(i.SizeText, u"9");
    EXPECT_EQ(a.record.boardSize, 9);

    const ReadOutcome b = readSgfText("(;PC[北京])");
    EXPECT_EQ(b.record.info.GamePlace, u"北京");
    EXPECT_TRUE(b.record.rootComment.isEmpty());
    EXPECT_EQ(b.record.info.BlackName, u"未知");
    EXPECT_EQ(b.record.info.SizeText, u"19");

    // Old long names count by their capitals.
    const ReadOutcome c = readSgfText("(;SiZe[9]PlayerBlack[hi]GaMe[1];Black[ff])");
    EXPECT_EQ(c.record.boardSize, 9);
    EXPECT_EQ(c.record.info.BlackName, u"hi");
    EXPECT_EQ(readRecordNode(c.record.recordNodes.at(0)).move->i, 6);
}

TEST(SgfReader, BoardSizeOutsideFiveToNineteenIsRefused)
{
    const struct {
        const char* sgf;
        int size; // 0: refused
    } rows[] = {
        {"(;GM[1])", 19}, {"(;SZ[9])", 9}, {"(;SZ[ 13 ])", 13}, {"(;SZ[19:19])", 19}, {"(;SZ[5])", 5},
        {"(;SZ[])", 0},   {"(;SZ[4])", 0}, {"(;SZ[20])", 0},    {"(;SZ[abc])", 0},   {"(;SZ[9:13])", 0},
    };
    for (const auto& r : rows) {
        const ReadOutcome out = readSgfText(r.sgf);
        EXPECT_EQ(out.ok(), r.size != 0) << r.sgf;
        if (r.size) {
            EXPECT_EQ(out.record.boardSize, r.size) << r.sgf;
        } else {
            EXPECT_TRUE(out.error.contains(u"SZ[")) << out.error.toStdString();
        }
    }
    EXPECT_FALSE(readSgfText("this is not an .sgf file\n").ok());
}

TEST(SgfReader, SetupStonesAtTheNamedPoints)
{
    using P = std::vector<BoardPoint>;
    const struct {
        const char* sgf;
        P black;
        P white;
    } rows[] = {
        {"(;AB[dd][pp])", {{4, 4}, {16, 16}}, {}},
        {"(;AB[dd][pp][pd]AP[x])", {{4, 4}, {16, 16}, {16, 4}}, {}},
        {"(;AB[dd][pp]PW[x])", {{4, 4}, {16, 16}}, {}}, // counted by stones, not by characters
        {"(;SZ[9]AB[cc][pp])", {{3, 3}}, {}},           // never off the board
        {"(;AB[aa:bb]AW[cc])", {{1, 1}, {1, 2}, {2, 1}, {2, 2}}, {{3, 3}}},
        {"(;SZ[19]HA[2];AB[pd][dp];W[dc];AB[aa])", {{16, 4}, {4, 16}}, {}}, // up to the first move
        {"(;HA[1]KM[0])", {}, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.sgf);
        const ReadOutcome out = readSgfText(r.sgf);
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(out.record.setupBlack, r.black);
        EXPECT_EQ(out.record.setupWhite, r.white);
        EXPECT_EQ(out.record.handicapCount, static_cast<int>(r.black.size()));
    }
}

TEST(SgfReader, NodeMovesCommentsAndLabels)
{
    const struct {
        const char* node;
        bool move;
        RecordMove m;
        bool comment;
        std::string text;
        std::vector<NodeLabel> labels;
    } rows[] = {
        {";B[pd]", true, {Colour::Black, false, 16, 4}, false, "", {}},
        {";W[]", true, {Colour::White, true, 0, 0}, false, "", {}},
        {";B[tt]", true, {Colour::Black, true, 0, 0}, false, "", {}},
        {";W[zz]", true, {Colour::White, false, 0, 0}, false, "", {}},
        {";B[pd]C[好棋]LB[qd:A][dd:B]", true, {Colour::Black, false, 16, 4}, true, "好棋", {{17, 4, "A"}, {4, 4, "B"}}},
        {";C[B[aa\\] is \\]fine\\\\]", false, {}, true, "B[aa] is ]fine\\", {}},
        {";C[]LB[pd:\\]x]", false, {}, true, "", {{16, 4, "]"}}},
        {"; Black[qc] Comment[x]", true, {Colour::Black, false, 17, 3}, true, "x", {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.node);
        const RecordNodeContent c = readRecordNode(r.node);
        ASSERT_EQ(c.move.has_value(), r.move);
        if (r.move) {
            EXPECT_EQ(c.move->colour, r.m.colour);
            EXPECT_EQ(c.move->pass, r.m.pass);
            EXPECT_EQ(c.move->i, r.m.i);
            EXPECT_EQ(c.move->j, r.m.j);
        }
        EXPECT_EQ(c.hasComment, r.comment);
        EXPECT_EQ(c.comment, r.text);
        EXPECT_EQ(c.labels, r.labels);
    }
    EXPECT_EQ(unescapeSgfValue(escapeSgfValue("a]b\\c\\]")), "a]b\\c\\]");
}

TEST(SgfReader, EncodingsByMarkDeclarationAndDetection)
{
    auto encoded = [](const char* codec, const QString& text) {
        QStringEncoder e(codec);
        return QByteArray(e.encode(text));
    };
    const QString body = QStringLiteral(";B[pd]C[%1;)])");
    const struct {
        QString name;
        QByteArray bytes;
        QString expected;
        bool problem;
    } rows[] = {
        {"utf-8 undeclared", (QStringLiteral("(;PB[围棋]") + body.arg(u"评注")).toUtf8(), QStringLiteral("围棋"), false},
        {"gbk undeclared", gbk::encode(QStringLiteral("(;PB[围棋]") + body.arg(u"评注")), QStringLiteral("围棋"), false},
        {"gb2312 declared after PB", gbk::encode(QStringLiteral("(;PB[围棋]CA[gb2312]") + body.arg(u"评注")),
         QStringLiteral("围棋"), false},
        {"big5", encoded("Big5", QStringLiteral("(;CA[Big5]PB[圍棋]") + body.arg(u"評註")), QStringLiteral("圍棋"), false},
        {"euc-kr", encoded("EUC-KR", QStringLiteral("(;CA[EUC-KR]PB[바둑]") + body.arg(u"평")), QStringLiteral("바둑"), false},
        // ソ is 0x83 0x5C in Shift-JIS: its second byte is a backslash.
        {"shift-jis", encoded("Shift_JIS", QStringLiteral("(;CA[SJIS]PB[ソ]") + body.arg(u"囲碁")), QStringLiteral("ソ"), false},
        {"utf-8 bom", QByteArray("\xEF\xBB\xBF") + (QStringLiteral("(;PB[围棋]") + body.arg(u"x")).toUtf8(),
         QStringLiteral("围棋"), false},
        {"utf-16le bom", encoded("UTF-16LE", QStringLiteral("\uFEFF(;PB[围棋]") + body.arg(u"x")), QStringLiteral("围棋"), false},
        {"unknown charset", (QStringLiteral("(;CA[foo]PB[围棋]") + body.arg(u"x")).toUtf8(), QStringLiteral("围棋"), true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name.toStdString());
        const ReadOutcome out = readSgfBytes(r.bytes);
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(out.record.info.BlackName, r.expected);
        ASSERT_EQ(out.record.recordNodes.size(), 1u);
        EXPECT_EQ(out.record.problems.isEmpty(), !r.problem);
    }
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("abcdefgh\xE4\xB8")); // cut at the end
    EXPECT_TRUE(isValidUtf8("abcdefgh\xE4\xB8\xAD\xF0\x9F\x98\x80"));
}

TEST(SgfReader, RecordsLongerThanTheLimitAreRefusedNamingIt)
{
    const auto passes = [](std::size_t n) {
        std::string s = "(;SZ[19]";
        for (std::size_t k = 0; k < n; ++k)
            s += k % 2 ? ";W[]" : ";B[]";
        return s + ")";
    };
    const ReadOutcome atLimit = readSgfText(passes(MaxRecordNodes));
    ASSERT_TRUE(atLimit.ok()) << atLimit.error.toStdString();
    EXPECT_EQ(atLimit.record.recordNodes.size(), MaxRecordNodes);

    std::string gibLines = "\\HS\n\\HE\n";
    for (std::size_t k = 0; k <= MaxRecordNodes; ++k)
        gibLines += "SKI 0 1\n";
    const ReadOutcome refused[] = {
        readSgfText(passes(MaxRecordNodes + 1)),
        readSgfText("(;SZ[19]B[aa]" + passes(MaxRecordNodes).substr(8)), // the root's move is a node too
        readGibText(gibLines + "\\GE\n", QStringLiteral("a.gib")),
    };
    for (const ReadOutcome& r : refused) {
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.error.contains(QStringLiteral("100 万"))) << r.error.toStdString();
    }
}
