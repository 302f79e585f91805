#include "engine/GtpProtocol.h"

#include "board/Coordinates.h"

namespace zemra::gtp {

namespace {

std::string_view colourName(Colour side)
{
    return side == Colour::Black ? "black" : "white";
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The first line, or nothing when no line end came yet.
std::optional<std::string_view> firstLine(std::string_view reply)
{
    const std::size_t end = reply.find_first_of("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    return reply.substr(0, end);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "= Q16" / "= D4" naming a point of this board.
std::optional<MoveReply> readPoint(std::string_view line, int boardSize)
{
    if ((line.size() != 4 && line.size() != 5) || !startsWith(line, "= ")) return std::nullopt;
    const std::string_view column = line.substr(2, 1);
    const std::string_view row = line.substr(3);
    const char letter = column.front();
    if (letter < 'A' || letter > 'T' || letter == 'I') return std::nullopt;
    for (const char c : row)
        if (!isDigit(c)) return std::nullopt;
    const int i = GNUToi(column, boardSize);
    const int j = GNUToi(row, boardSize);
    // Another engine, or one set up for a larger board, may name a point we do not have.
    if (i < 1 || i > boardSize || j < 1 || j > boardSize) return std::nullopt;
    return MoveReply{MoveKind::Point, i, j};
}

} // namespace

std::string play(Colour side, int i, int j, int boardSize)
{
    return "play " + std::string(colourName(side)) + " " + iToGNU(i) + jToGNU(j, boardSize);
}

std::string playPass(Colour side)
{
    return "play " + std::string(colourName(side)) + " pass";
}

std::string genmove(Colour side)
{
    return "genmove " + std::string(colourName(side));
}

std::string hint(Colour side)
{
    return "gg_genmove " + std::string(colourName(side));
}

std::string fixedHandicap(int stones)
{
    return "fixed_handicap " + std::to_string(stones);
}

int replyTimeoutMs(std::string_view command)
{
    const std::string_view word = command.substr(0, command.find(' '));
    if (word == "fixed_handicap") return 10;
    if (word == EstimateScore || word == "gg_genmove") return 30;
    return 50;
}

bool replyComplete(std::string_view text)
{
    ReplyScanner scanner(text.size());
    scanner.feed(text);
    return scanner.complete();
}

void ReplyScanner::feed(std::string_view piece)
{
    const std::size_t before = m_size;
    m_size += piece.size();
    if (m_complete || m_tooLong) return;
    for (std::size_t k = 0; k < piece.size(); ++k) {
        if (before + k == m_limit) {
            m_tooLong = true;
            return;
        }
        const char c = piece[k];
        if (c == '\n' && m_afterCr) {
            m_afterCr = false; // the LF of a CR LF
        } else if (c == '\r' || c == '\n') {
            m_afterCr = c == '\r';
            if (m_content && ++m_lineEnds == 2) {
                m_complete = true;
                return;
            }
        } else {
            m_content = true;
            m_lineEnds = 0;
            m_afterCr = false;
        }
    }
}

bool isErrorReply(std::string_view reply)
{
    return startsWith(reply, "?");
}

std::string_view replyBody(std::string_view reply)
{
    if (startsWith(reply, "=") || startsWith(reply, "?")) reply.remove_prefix(1);
    constexpr std::string_view space = " \t\r\n";
    const std::size_t first = reply.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    const std::size_t last = reply.find_last_not_of(space);
    return reply.substr(first, last - first + 1);
}

MoveReply readMoveReply(std::string_view reply, int boardSize)
{
    const auto line = firstLine(reply);
    if (!line) return {};
    if (const auto point = readPoint(*line, boardSize)) return *point;
    if (*line == "= PASS" || *line == "= pass") return {MoveKind::Pass};
    if (*line == "= RESIGN" || *line == "= resign") return {MoveKind::Resign};
    return {};
}

MoveReply readHintReply(std::string_view reply, int boardSize)
{
    const auto line = firstLine(reply);
    if (!line) return {};
    if (const auto point = readPoint(*line, boardSize)) return *point;
    if (*line == "= PASS") return {MoveKind::Pass};
    return {};
}

std::optional<std::string> estimateSentence(std::string_view reply)
{
    const std::string_view line = firstLine(reply).value_or(reply);
    const std::size_t paren = line.find('(');
    // The estimate is what stands before the blank ahead of "(".
    if (paren == std::string_view::npos || paren < 2) return std::nullopt;
    const std::string_view estimate = line.substr(0, paren - 1);
    const std::string margin(estimate.size() > 4 ? estimate.substr(4) : std::string_view());
    if (estimate.find('B') != std::string_view::npos) return "不计贴目时，黑棋领先约：" + margin + "目";
    if (estimate.find('W') != std::string_view::npos) return "不计贴目时，白棋领先约：" + margin + "目";
    return std::nullopt;
}

} // namespace zemra::gtp
