// The engine's replies under libFuzzer: arbitrary bytes cut into arbitrary
// reads go through the reply scanner the engine wait uses, and the reply it
// would return through every reader of reply shapes. Aborts when the scanner
// disagrees with the whole-text rule on any prefix, holds more than its limit,
// or a reader names a point off the board or a shape the reply does not have.
//
// Input: two bytes of reply limit (big-endian), then reads, each one length
// byte and that many bytes (the last one may be cut short).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GtpProtocol.h"

using namespace zemra;

namespace {

void check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// The rule as a look at the whole text, written apart from the scanner: the
// reply is whole once an empty line follows content; CR LF, LF and a bare CR
// each end a line.
bool wholeTextComplete(std::string_view text)
{
    bool content = false;
    int lineEnds = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
            if (content && ++lineEnds == 2) return true;
        } else {
            content = true;
            lineEnds = 0;
        }
    }
    return false;
}

// The shortest prefix that is whole, or npos; whole-ness only grows with the text.
std::size_t firstWhole(std::string_view text)
{
    if (!wholeTextComplete(text)) return std::string_view::npos;
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (wholeTextComplete(text.substr(0, mid))) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    check(low == 0 || !wholeTextComplete(text.substr(0, low - 1)), "whole-ness did not only grow");
    return low;
}

std::string_view firstLine(std::string_view reply)
{
    return reply.substr(0, reply.find_first_of("\r\n"));
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A point must be the one the reply's first line names: "= " + column + row.
void checkPoint(std::string_view reply, const gtp::MoveReply& move, int boardSize)
{
    check(move.i >= 1 && move.i <= boardSize && move.j >= 1 && move.j <= boardSize, "a point off the board");
    check(reply.find_first_of("\r\n") != std::string_view::npos, "a point from a line not yet ended");
    const std::string_view line = firstLine(reply);
    check(line.size() >= 4 && line.size() <= 5 && line.substr(0, 2) == "= ", "a point from another shape");
    const char letter = line[2];
    const int column = letter - 'A' + 1 - (letter > 'I' ? 1 : 0);
    int row = 0;
    for (const char c : line.substr(3)) {
        check(c >= '0' && c <= '9', "a point whose row is no number");
        row = row * 10 + (c - '0');
    }
    check(letter != 'I' && column == move.i && boardSize + 1 - row == move.j, "a point other than the one named");
}

void checkReaders(std::string_view reply)
{
    for (const int boardSize : {5, 9, 13, 19}) {
        const gtp::MoveReply move = gtp::readMoveReply(reply, boardSize);
        const std::string_view line = firstLine(reply);
        switch (move.kind) {
        case gtp::MoveKind::Point: checkPoint(reply, move, boardSize); break;
        case gtp::MoveKind::Pass: check(line == "= PASS" || line == "= pass", "a pass from another line"); break;
        case gtp::MoveKind::Resign: check(line == "= RESIGN" || line == "= resign", "a resignation from another line"); break;
        case gtp::MoveKind::Other: break;
        }
        const gtp::MoveReply hint = gtp::readHintReply(reply, boardSize);
        check(hint.kind != gtp::MoveKind::Resign, "a hint that resigns");
        if (hint.kind == gtp::MoveKind::Pass) check(line == "= PASS", "a hint's pass from another line");
        if (hint.kind == gtp::MoveKind::Point) checkPoint(reply, hint, boardSize);
    }

    if (const auto sentence = gtp::estimateSentence(reply)) {
        check(firstLine(reply).find('(') != std::string_view::npos, "an estimate without its bounds");
        check(sentence->rfind("不计贴目时，", 0) == 0, "an estimate sentence that begins otherwise");
        check(sentence->size() >= 3 && sentence->compare(sentence->size() - 3, 3, "目") == 0,
              "an estimate sentence that ends otherwise");
    }

    const std::string_view body = gtp::replyBody(reply);
    if (!body.empty()) {
        check(body.data() >= reply.data() && body.data() + body.size() <= reply.data() + reply.size(),
              "a body from outside the reply");
        check(!isBlank(body.front()) && !isBlank(body.back()), "a body with blanks around it");
    }
    check(gtp::isErrorReply(reply) == (!reply.empty() && reply.front() == '?'), "an error reply told wrong");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::size_t limit = std::size_t{data[0]} << 8 | data[1];
    std::vector<std::string_view> reads;
    std::string all;
    for (std::size_t at = 2; at < size;) {
        const std::size_t n = std::min<std::size_t>(data[at], size - at - 1);
        reads.emplace_back(reinterpret_cast<const char*>(data + at + 1), n);
        all.append(reads.back());
        at += 1 + n;
    }

    // What the engine wait sees: the scanner after every read, and the reply
    // it returns ending with the read that made the reply whole or too long.
    const std::size_t whole = firstWhole(all);
    gtp::ReplyScanner scanner(limit);
    std::size_t fed = 0;
    std::size_t replyEnd = all.size();
    for (const std::string_view piece : reads) {
        scanner.feed(piece);
        fed += piece.size();
        const bool complete = whole != std::string_view::npos && whole <= fed && whole <= limit;
        check(scanner.size() == fed, "the scanner miscounted");
        check(scanner.complete() == complete, "the scanner and the whole-text rule disagree");
        check(scanner.tooLong() == (!complete && fed > limit), "the limit was not kept");
        if ((scanner.complete() || scanner.tooLong()) && replyEnd == all.size()) replyEnd = fed;
    }
    check(gtp::replyComplete(all) == (whole != std::string_view::npos), "replyComplete and the whole-text rule disagree");

    checkReaders(std::string_view(all).substr(0, replyEnd));
    checkReaders(all);
    return 0;
}
