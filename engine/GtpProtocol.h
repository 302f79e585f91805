// The GTP words the engine game sends and the shapes of the replies it reads.
// Pure text functions: no process, no window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/Words.h"

namespace zemra::gtp {

// --- commands (one line each, without line end) ---------------------------

// "play black D4": a stone at (i, j) of a board of boardSize lines.
std::string play(Colour side, int i, int j, int boardSize);
// "play white pass"
std::string playPass(Colour side);
// "genmove black": the engine's move for this side.
std::string genmove(Colour side);
// "gg_genmove white": a suggestion that is not played.
std::string hint(Colour side);
// "fixed_handicap 3"
std::string fixedHandicap(int stones);
inline constexpr std::string_view Undo = "undo";
inline constexpr std::string_view EstimateScore = "estimate_score";
inline constexpr std::string_view Quit = "quit";

// The quiet period (ms) a command's reply is read with: 10 for
// fixed_handicap, 30 for estimate_score and gg_genmove, 50 for the rest.
int replyTimeoutMs(std::string_view command);

// --- replies ----------------------------------------------------------------

// A reply is whole once an empty line follows its text; lines end with LF,
// CR LF or a bare CR.
bool replyComplete(std::string_view text);

// The most a reply may hold before the engine counts as broken (1 MiB).
inline constexpr std::size_t DefaultReplyLimit = std::size_t{1} << 20;

// Follows one reply as it arrives in pieces of any size, looking at each
// byte once: whole exactly when replyComplete would say so of everything
// fed so far, too long once more than the limit came without it being whole.
// Bytes after the point where it became whole or too long change nothing.
class ReplyScanner {
public:
    explicit ReplyScanner(std::size_t limit = DefaultReplyLimit) : m_limit(limit) {}

    void feed(std::string_view piece);
    bool complete() const { return m_complete; }
    bool tooLong() const { return m_tooLong; }
    // Bytes fed so far.
    std::size_t size() const { return m_size; }

private:
    std::size_t m_limit;
    std::size_t m_size = 0;
    bool m_content = false; // a byte other than a line end came
    int m_lineEnds = 0;     // line ends since the last such byte
    bool m_afterCr = false; // the last byte was CR: an LF now ends no new line
    bool m_complete = false;
    bool m_tooLong = false;
};

// An error reply: it begins with "?".
bool isErrorReply(std::string_view reply);

// The reply's text after its "=" or "?" sign, without the surrounding
// blanks and line ends ("= A1 B2\n\n" -> "A1 B2").
std::string_view replyBody(std::string_view reply);

enum class MoveKind : std::uint8_t { Point, Pass, Resign, Other };

struct MoveReply {
    MoveKind kind = MoveKind::Other;
    int i = 0; // the point for MoveKind::Point, on the board
    int j = 0;
};

// The reply to "genmove". Its first line (up to LF, CR LF or CR) decides:
// "= " + a column letter + one or two digits naming a point on the board is a
// Point; "= PASS"/"= pass" a Pass; "= RESIGN"/"= resign" a Resign; everything
// else (error replies, junk, a point off this board) is Other.
MoveReply readMoveReply(std::string_view reply, int boardSize);

// The reply to "gg_genmove": a Point as above, Pass only for exactly
// "= PASS", everything else Other (never Resign).
MoveReply readHintReply(std::string_view reply, int boardSize);

// The log sentence for an "estimate_score" reply such as
// "= W+12.5 (upper bound: 14.5, lower: 10.5)": "不计贴目时，白棋领先约：12.5目"
// (UTF-8); nothing when the first line has no "(" or names neither B nor W.
std::optional<std::string> estimateSentence(std::string_view reply);

} // namespace zemra::gtp
