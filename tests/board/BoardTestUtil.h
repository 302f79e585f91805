// Helpers for board tests: positions written as small diagrams, a view that
// records what the model asked it to draw, and snapshots of the whole model.
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/MoveNode.h"
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

// Records every call as a short text, in order, and keeps the picture the
// calls have drawn so far.
class RecordingView : public GameView {
public:
    explicit RecordingView(const WeiQiGame* shownGame = nullptr) : game(shownGame) {}
    std::vector<std::string> calls;
    // What the picture shows at each point: "." nothing, "X" or "O" a stone,
    // then "#" for the dead-stone square and "^" for the last-move mark.
    std::vector<std::string> picture = std::vector<std::string>(19 * 19, ".");
    // Stones are shown by move number from this game's moves.
    const WeiQiGame* game = nullptr;

    std::string shown(int i, int j) const { return picture[at(i, j)]; }

    void clear() { calls.clear(); }
    // The latest call that starts with prefix, or "".
    std::string last(std::string_view prefix) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->starts_with(prefix)) return *it;
        return {};
    }

    void ShowChessNumberAndFlag(int n) override
    {
        calls.push_back("Show(" + std::to_string(n) + ")");
        if (!game || n <= 0 || n > static_cast<int>(game->MoveList().size())) return;
        const auto m = parseMoveNode(game->MoveList()[static_cast<std::size_t>(n - 1)]);
        if (m && !m->pass && game->pointNumber(m->i, m->j) == n)
            draw(m->i, m->j, std::string(m->colour == Colour::Black ? "X" : "O") + (n == game->MoveCount() ? "^" : ""));
    }
    void DeleteDeadChessFromImage(const std::string& t) override
    {
        calls.push_back("Erase(" + t + ")");
        for (const MoveNode& m : parseCaptureText(t))
            draw(m.i, m.j, ".");
    }
    void ClearChessBoard(int i, int j) override { note("Clear", i, j, "."); }
    void DrawChess(int i, int j, Colour c) override { note("Draw" + colour(c), i, j, c == Colour::Black ? "X" : "O"); }
    void SendImageToFront(int i, int j) override { note("Front", i, j, "", true); }
    void DrawSmallTriangle(int i, int j) override { note("Tri", i, j, "^", true); }
    void DrawBlock(int i, int j, Colour c) override { note("Block" + colour(c), i, j, "#", true); }
    void InitChessBoard() override
    {
        calls.push_back("Init");
        picture.assign(19 * 19, ".");
    }
    void SetStoneLabelMode(StoneLabelMode m) override { calls.push_back("Mode" + std::to_string(static_cast<int>(m))); }
    void SetLabelBlackDead(const std::string& s) override { calls.push_back("BlackDead=" + s); }
    void SetLabelWhiteDead(const std::string& s) override { calls.push_back("WhiteDead=" + s); }
    void ShowSideToMove(Colour c) override { calls.push_back("Turn" + colour(c)); }
    void PlayStoneSound(std::string_view s) override { calls.push_back("Sound" + std::string(s)); }
    void SetHandicapCell(const std::string& s) override { calls.push_back("Cell[" + s + "]"); }

private:
    static std::string where(int i, int j) { return "(" + std::to_string(i) + "," + std::to_string(j) + ")"; }
    static std::size_t at(int i, int j) { return static_cast<std::size_t>((i - 1) * 19 + (j - 1)); }
    static std::string colour(Colour c) { return std::string(colourWord(c)); }
    // Paints what at the point, over what is there when on top.
    void draw(int i, int j, const std::string& what, bool onTop = false)
    {
        if (i < 1 || i > 19 || j < 1 || j > 19) return;
        std::string& point = picture[at(i, j)];
        point = onTop ? point + what : what;
    }
    void note(const std::string& call, int i, int j, const std::string& what, bool onTop = false)
    {
        calls.push_back(call + where(i, j));
        draw(i, j, what, onTop);
    }
};

} // namespace zemra::test
