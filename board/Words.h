// The fixed ASCII words of the game state: colours, point states, marks and
// placement results. They are compared exactly, so they live in one table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zemra {

enum class Colour : std::uint8_t { Black, White };

constexpr Colour opponentOf(Colour c)
{
    return c == Colour::Black ? Colour::White : Colour::Black;
}

// "Black" / "White"
constexpr std::string_view colourWord(Colour c)
{
    return c == Colour::Black ? "Black" : "White";
}

// 'B' / 'W', the letter of move nodes
constexpr char colourLetter(Colour c)
{
    return c == Colour::Black ? 'B' : 'W';
}

// "BlackChess" / "WhiteChess", the side words and stone codes
constexpr std::string_view sideWord(Colour c)
{
    return c == Colour::Black ? "BlackChess" : "WhiteChess";
}

constexpr std::optional<Colour> colourFromLetter(char letter)
{
    if (letter == 'B') return Colour::Black;
    if (letter == 'W') return Colour::White;
    return std::nullopt;
}

// State of a board point: the first ten characters of its text.
enum class PointCode : std::uint8_t { Empty, BlackChess, WhiteChess, BlackChuan, WhiteChuan };

constexpr std::string_view pointCodeWord(PointCode code)
{
    switch (code) {
    case PointCode::BlackChess: return "BlackChess";
    case PointCode::WhiteChess: return "WhiteChess";
    case PointCode::BlackChuan: return "BlackChuan";
    case PointCode::WhiteChuan: return "WhiteChuan";
    case PointCode::Empty: break;
    }
    return "";
}

constexpr PointCode chessCode(Colour c)
{
    return c == Colour::Black ? PointCode::BlackChess : PointCode::WhiteChess;
}
constexpr PointCode chuanCode(Colour c)
{
    return c == Colour::Black ? PointCode::BlackChuan : PointCode::WhiteChuan;
}

// Colour of a stone code; nothing for an empty point.
constexpr std::optional<Colour> stoneColour(PointCode code)
{
    switch (code) {
    case PointCode::BlackChess:
    case PointCode::BlackChuan: return Colour::Black;
    case PointCode::WhiteChess:
    case PointCode::WhiteChuan: return Colour::White;
    case PointCode::Empty: break;
    }
    return std::nullopt;
}

// Entry of the dead-stone / count marks beside the board.
enum class MarkCode : std::uint8_t {
    None,
    BlackDead,
    WhiteDead,
    TestPoint,
    BlackPoint,
    WhitePoint,
    SharePoint,
    ErrorPoint,
    BlankPoint,
    BlackChess,
    WhiteChess,
};

constexpr std::string_view markWord(MarkCode mark)
{
    switch (mark) {
    case MarkCode::BlackDead: return "Black Dead";
    case MarkCode::WhiteDead: return "White Dead";
    case MarkCode::TestPoint: return "Test Point";
    case MarkCode::BlackPoint: return "BlackPoint";
    case MarkCode::WhitePoint: return "WhitePoint";
    case MarkCode::SharePoint: return "SharePoint";
    case MarkCode::ErrorPoint: return "ErrorPoint";
    case MarkCode::BlankPoint: return "BlankPoint";
    case MarkCode::BlackChess: return "BlackChess";
    case MarkCode::WhiteChess: return "WhiteChess";
    case MarkCode::None: break;
    }
    return "";
}

// How stones are labelled when redrawn: 1 a large last-move triangle, 2 every
// move number, 3 only the last move's number, 4 the marking display.
enum class StoneLabelMode : std::uint8_t { LastMoveMark = 1, AllNumbers = 2, LastNumber = 3, Marking = 4 };

enum class PlayResult : std::uint8_t { OK, YiYouQiZi, BuRuQi, DaJie };

constexpr std::string_view resultWord(PlayResult r)
{
    switch (r) {
    case PlayResult::OK: return "OK";
    case PlayResult::YiYouQiZi: return "YiYouQiZi";
    case PlayResult::BuRuQi: return "BuRuQi";
    case PlayResult::DaJie: return "DaJie";
    }
    return "";
}

} // namespace zemra
