// The GTP words and reply shapes, as tables.
#include <gtest/gtest.h>

#include "engine/GtpProtocol.h"

using namespace zemra;
using namespace zemra::gtp;

TEST(GtpProtocol, CommandsAndTheirQuietPeriods)
{
    const struct {
        std::string command;
        std::string text;
        int timeout;
    } rows[] = {
        {play(Colour::Black, 4, 16, 19), "play black D4", 50},
        {play(Colour::White, 16, 4, 19), "play white Q16", 50},
        {play(Colour::White, 9, 1, 9), "play white J9", 50},
        {playPass(Colour::Black), "play black pass", 50},
        {genmove(Colour::White), "genmove white", 50},
        {hint(Colour::Black), "gg_genmove black", 30},
        {fixedHandicap(3), "fixed_handicap 3", 10},
        {std::string(EstimateScore), "estimate_score", 30},
        {std::string(Undo), "undo", 50},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.command, r.text);
        EXPECT_EQ(replyTimeoutMs(r.command), r.timeout) << r.text;
    }
}

TEST(GtpProtocol, ReplyIsCompleteAtItsEmptyLine)
{
    const struct {
        std::string_view text;
        bool complete;
    } rows[] = {
        {"= \n\n", true}, {"= Q16\r\n\r\n", true}, {"= Q16\r\r", true}, {"? illegal move\n\n", true}, {"= A1 B2\nC3\n\n", true},
        {"", false},      {"= Q16", false},        {"= Q16\n", false},  {"= Q16\r\n", false},         {"= A1\nB2\n", false},
        {"\n\n", false},  {"= Q16\n\r", true},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(replyComplete(r.text), r.complete) << testing::PrintToString(std::string(r.text));
        // However the reads cut it, a CR LF across two of them included.
        for (std::size_t cut = 0; cut <= r.text.size(); ++cut) {
            ReplyScanner scanner;
            scanner.feed(r.text.substr(0, cut));
            for (const char c : r.text.substr(cut))
                scanner.feed(std::string_view(&c, 1));
            EXPECT_EQ(scanner.complete(), r.complete) << testing::PrintToString(std::string(r.text)) << " cut at " << cut;
            EXPECT_FALSE(scanner.tooLong());
        }
    }
}

TEST(GtpProtocol, AReplyMayHoldTheLimitAndNotAByteMore)
{
    const struct {
        std::string_view text;
        bool complete, tooLong;
    } rows[] = {
        {"= D4\n\n", true, false},       // exactly the limit of 6
        {"=D4\r\n\r\n", true, false},    // whole at its sixth byte; the LF after it is past the limit
        {"= D16\n\n", false, true},      // its blank line is the seventh byte
        {"ok\n\n= D4\n\n", true, false}, // whole early; what follows does not count
        {"= D4\r\n", false, false},      // within the limit, not whole yet
    };
    for (const auto& r : rows) {
        ReplyScanner scanner(6);
        scanner.feed(r.text);
        EXPECT_EQ(scanner.complete(), r.complete) << testing::PrintToString(std::string(r.text));
        EXPECT_EQ(scanner.tooLong(), r.tooLong) << testing::PrintToString(std::string(r.text));
        EXPECT_EQ(scanner.size(), r.text.size());
    }
}

TEST(GtpProtocol, ReplyBodyAndErrorReplies)
{
    EXPECT_EQ(replyBody("= A1 B2\n\n"), "A1 B2");
    EXPECT_EQ(replyBody("? illegal move\r\n\r\n"), "illegal move");
    EXPECT_EQ(replyBody("= \n\n"), "");
    EXPECT_EQ(replyBody("=3\n\n"), "3");
    EXPECT_TRUE(isErrorReply("? illegal move\n\n"));
    EXPECT_FALSE(isErrorReply("= ?\n\n"));
    EXPECT_FALSE(isErrorReply(""));
}

TEST(GtpProtocol, MoveReplyShapes)
{
    const struct {
        std::string_view reply;
        int size;
        MoveKind kind;
        int i = 0;
        int j = 0;
    } rows[] = {
        {"= Q16\r\n\r\n", 19, MoveKind::Point, 16, 4},
        {"= Q16\n\n", 19, MoveKind::Point, 16, 4}, // GNU Go on Linux: bare LF
        {"= D4\n\n", 19, MoveKind::Point, 4, 16},
        {"= A1\n\n", 5, MoveKind::Point, 1, 5},
        {"= T19\n\n", 19, MoveKind::Point, 19, 1},
        {"= J9\n\n", 9, MoveKind::Point, 9, 1},
        {"= A1\n\n= B2\n\n", 19, MoveKind::Point, 1, 19},
        {"= PASS\n\n", 19, MoveKind::Pass},
        {"= pass\r\n\r\n", 19, MoveKind::Pass},
        {"= RESIGN\n\n", 19, MoveKind::Resign},
        {"= resign\r\n\r\n", 19, MoveKind::Resign},
        // off this board
        {"= T19\n\n", 9, MoveKind::Other},
        {"= A10\n\n", 9, MoveKind::Other},
        {"= A0\n\n", 19, MoveKind::Other},
        {"= A20\n\n", 19, MoveKind::Other},
        // anything else
        {"= I5\n\n", 19, MoveKind::Other},
        {"= d4\n\n", 19, MoveKind::Other},
        {"= D+4\n\n", 19, MoveKind::Other},
        {"= D4 \n\n", 19, MoveKind::Other},
        {"=  D4\n\n", 19, MoveKind::Other},
        {"= D4", 19, MoveKind::Other},
        {"= Pass\n\n", 19, MoveKind::Other},
        {"? illegal move\n\n", 19, MoveKind::Other},
        {"?=A1\n\n", 19, MoveKind::Other},
        {"hello\n", 19, MoveKind::Other},
        {"\n= D4\n\n", 19, MoveKind::Other},
        {"", 19, MoveKind::Other},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(r.reply)) + " on " + std::to_string(r.size));
        const MoveReply m = readMoveReply(r.reply, r.size);
        EXPECT_EQ(m.kind, r.kind);
        if (r.kind == MoveKind::Point) {
            EXPECT_EQ(m.i, r.i);
            EXPECT_EQ(m.j, r.j);
        }
    }
}

TEST(GtpProtocol, HintReplyShapes)
{
    const struct {
        std::string_view reply;
        MoveKind kind;
    } rows[] = {
        {"= C3\n\n", MoveKind::Point},   {"= H8\r\n\r\n", MoveKind::Point},
        {"= PASS\n\n", MoveKind::Pass},  {"= PASS\r\n\r\n", MoveKind::Pass},
        {"= pass\n\n", MoveKind::Other}, {"= resign\n\n", MoveKind::Other},
        {"= T19\n\n", MoveKind::Other},  {"? unknown command\n\n", MoveKind::Other},
    };
    for (const auto& r : rows)
        EXPECT_EQ(readHintReply(r.reply, 9).kind, r.kind) << testing::PrintToString(std::string(r.reply));
    const MoveReply point = readHintReply("= C3\n\n", 9);
    EXPECT_EQ(point.i, 3);
    EXPECT_EQ(point.j, 7);
}

TEST(GtpProtocol, EstimateSentences)
{
    const struct {
        std::string_view reply;
        std::optional<std::string> sentence;
    } rows[] = {
        {"= W+12.5 (upper bound: 14.5, lower: 10.5)\n\n", "不计贴目时，白棋领先约：12.5目"},
        {"= B+3.5 (upper bound: 6.5, lower: 1.5)\r\n\r\n", "不计贴目时，黑棋领先约：3.5目"},
        {"= B+3.5 (upper", "不计贴目时，黑棋领先约：3.5目"},
        {"= B (x)\n\n", "不计贴目时，黑棋领先约：目"},
        {"= W+12.5\n\n", std::nullopt}, // no "(": no sentence, and the wait still ends
        {"= 0 (upper bound: 1.5, lower: -1.5)\n\n", std::nullopt},
        {"= W+1.5\n(later line)\n\n", std::nullopt},
        {"? unknown command (estimate_score)\n\n", std::nullopt},
        {"(\n\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(estimateSentence(r.reply), r.sentence) << testing::PrintToString(std::string(r.reply));
}
