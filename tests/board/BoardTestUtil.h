// Helpers for board tests: positions written as small diagrams, a view that
// records what the model asked it to draw, and snapshots of the whole model.
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/WeiQiGame.h"

#include "GameTestAccess.h"

namespace zemra::test {

// Rows from the top; '.' empty, 'X' black, 'O' white, other characters
// ignored. Stones are set with move number 0, as stones no move placed.
inline void setDiagram(WeiQiGame& game, std::string_view diagram)
{
    int j = 0;
    std::istringstream in{std::string(diagram)};
    std::string line;
    while (std::getline(in, line)) {
        std::string row;
        for (char c : line)
            if (c == '.' || c == 'X' || c == 'O') row += c;
        if (row.empty()) continue;
        ++j;
        for (int i = 1; i <= static_cast<int>(row.size()); ++i) {
            const char c = row[static_cast<std::size_t>(i - 1)];
            game.setPoint(i, j, c == 'X' ? PointCode::BlackChess : c == 'O' ? PointCode::WhiteChess : PointCode::Empty, 0);
        }
    }
}

// The board as a diagram of BoardSize rows, each ending in a newline.
inline std::string diagramOf(const WeiQiGame& game)
{
    std::string out;
    for (int j = 1; j <= game.BoardSize(); ++j) {
        for (int i = 1; i <= game.BoardSize(); ++i) {
            const PointCode c = game.pointCode(i, j);
            out += c == PointCode::BlackChess ? 'X' : c == PointCode::WhiteChess ? 'O' : c == PointCode::Empty ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

// Plays SGF-lettered points in turn ("dd pd pass ..."), flipping the side on
// every success as the local game does. Returns the result words joined.
inline std::string play(WeiQiGame& game, std::string_view moves)
{
    std::istringstream in{std::string(moves)};
    std::string word, results;
    while (in >> word) {
        if (!results.empty()) results += ' ';
        if (word == "pass") {
            game.PassMove();
            results += "pass";
            continue;
        }
        const int i = word[0] - 'a' + 1;
        const int j = word[1] - 'a' + 1;
        const PlayResult r = game.PlayChess(i, j, game.SideToMove());
        if (r == PlayResult::OK) game.setSideToMove(opponentOf(game.SideToMove()));
        results += resultWord(r);
    }
    return results;
}

struct Snapshot {
    std::vector<std::string> points;
    std::vector<std::string> marks;
    std::vector<std::string> moves;
    std::vector<std::string> captures;
    int moveCount = 0;
    int blackCaptured = 0;
    int whiteCaptured = 0;
    Colour side = Colour::Black;
    bool operator==(const Snapshot&) const = default;
};

inline Snapshot snapshot(const WeiQiGame& g)
{
    Snapshot s;
    for (int i = 1; i <= WeiQiGame::MaxSize; ++i)
        for (int j = 1; j <= WeiQiGame::MaxSize; ++j) {
            s.points.push_back(g.BoardPoints(i, j));
            s.marks.push_back(g.PointMarks(i, j));
        }
    s.moves = g.MoveList();
    s.captures = g.CaptureList();
    s.moveCount = g.MoveCount();
    s.blackCaptured = g.BlackCaptured();
    s.whiteCaptured = g.WhiteCaptured();
    s.side = g.SideToMove();
    return s;
}

// Records every call as a short text, in order.
class RecordingView : public GameView {
public:
    std::vector<std::string> calls;

    std::string joined() const
    {
        std::string out;
        for (const auto& c : calls)
            out += (out.empty() ? "" : " ") + c;
        return out;
    }
    void clear() { calls.clear(); }
    // The latest call that starts with prefix, or "".
    std::string last(std::string_view prefix) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->starts_with(prefix)) return *it;
        return {};
    }
    int count(std::string_view prefix) const
    {
        int n = 0;
        for (const auto& c : calls)
            n += c.starts_with(prefix);
        return n;
    }

    void ShowChessNumberAndFlag(int n) override { calls.push_back("Show(" + std::to_string(n) + ")"); }
    void DeleteDeadChessFromImage(const std::string& t) override { calls.push_back("Erase(" + t + ")"); }
    void ClearChessBoard(int i, int j) override { calls.push_back("Clear" + at(i, j)); }
    void DrawChess(int i, int j, Colour c) override { calls.push_back("Draw" + std::string(colourWord(c)) + at(i, j)); }
    void SendImageToFront(int i, int j) override { calls.push_back("Front" + at(i, j)); }
    void DrawSmallTriangle(int i, int j) override { calls.push_back("Tri" + at(i, j)); }
    void DrawBlock(int i, int j, Colour c) override { calls.push_back("Block" + std::string(colourWord(c)) + at(i, j)); }
    void InitChessBoard() override { calls.push_back("Init"); }
    void SetStoneLabelMode(StoneLabelMode m) override { calls.push_back("Mode" + std::to_string(static_cast<int>(m))); }
    void SetLabelBlackDead(const std::string& s) override { calls.push_back("BlackDead=" + s); }
    void SetLabelWhiteDead(const std::string& s) override { calls.push_back("WhiteDead=" + s); }
    void ShowSideToMove(Colour c) override { calls.push_back("Turn" + std::string(colourWord(c))); }
    void PlayStoneSound(std::string_view s) override { calls.push_back("Sound" + std::string(s)); }
    void SetHandicapCell(const std::string& s) override { calls.push_back("Cell[" + s + "]"); }

private:
    static std::string at(int i, int j) { return "(" + std::to_string(i) + "," + std::to_string(j) + ")"; }
};

} // namespace zemra::test
