#include "board/WeiQiGame.h"

#include <algorithm>

#include "board/Coordinates.h"

namespace zemra {

namespace {
NullGameView g_nobody;
}

WeiQiGame::WeiQiGame(GameView* view) : m_view(view ? view : &g_nobody)
{
    m_moverChain.reserve(MaxSize * MaxSize);
    m_searchChain.reserve(MaxSize * MaxSize);
    m_regionPoints.reserve(MaxSize * MaxSize);
}

void WeiQiGame::setView(GameView* view)
{
    m_view = view ? view : &g_nobody;
}

bool WeiQiGame::hasStone(int i, int j) const
{
    const PointCode c = cell(i, j).code;
    return c == PointCode::BlackChess || c == PointCode::WhiteChess;
}

std::string WeiQiGame::BoardPoints(int i, int j) const
{
    const Cell& c = cell(i, j);
    if (c.code == PointCode::Empty) return {};
    std::string text(pointCodeWord(c.code));
    text += std::to_string(c.number);
    return text;
}

void WeiQiGame::setPoint(int i, int j, PointCode code, int number)
{
    cell(i, j) = Cell{code, code == PointCode::Empty ? 0 : number};
}

void WeiQiGame::clearPointMarks()
{
    m_marks.fill(MarkCode::None);
}

void WeiQiGame::InitWeiQiGame()
{
    MoveCount = 0;
    SideToMove = Colour::Black;
    MoveList.clear();
    CaptureList.clear();
    BlackCaptured = 0;
    WhiteCaptured = 0;
    m_board.fill(Cell{});
    m_view->InitChessBoard();
}

// Group search: every stone reached gets its "Chuan" code, so the codes are
// the visited set; the chain list only saves full-board scans afterwards.
// Every caller only asks whether the group has a liberty, or needs the whole
// group when it has none, so the search may stop at the first liberty.
void WeiQiGame::FindSerialChess(int i0, int j0, Colour colour, std::vector<Pt>& chain)
{
    chain.clear();
    if (!onBoard(i0, j0)) return;
    const PointCode chess = chessCode(colour);
    const PointCode chuan = chuanCode(colour);
    Cell& start = cell(i0, j0);
    if (start.code == PointCode::Empty) {
        LibertyFound = 1;
        return;
    }
    if (start.code != chess) return;
    start.code = chuan;
    chain.push_back(Pt{static_cast<std::int8_t>(i0), static_cast<std::int8_t>(j0)});
    for (std::size_t k = 0; k < chain.size(); ++k) {
        const int i = chain[k].i;
        const int j = chain[k].j;
        const int ni[4] = {i - 1, i + 1, i, i};
        const int nj[4] = {j, j, j - 1, j + 1};
        for (int d = 0; d < 4; ++d) {
            if (!onBoard(ni[d], nj[d])) continue;
            Cell& c = cell(ni[d], nj[d]);
            if (c.code == PointCode::Empty) {
                LibertyFound = 1;
                return;
            } else if (c.code == chess) {
                c.code = chuan;
                chain.push_back(Pt{static_cast<std::int8_t>(ni[d]), static_cast<std::int8_t>(nj[d])});
            }
        }
    }
}

void WeiQiGame::ResumeChuan(Colour colour, const std::vector<Pt>& chain)
{
    const PointCode chuan = chuanCode(colour);
    const PointCode chess = chessCode(colour);
    for (const Pt p : chain) {
        Cell& c = cell(p.i, p.j);
        if (c.code == chuan) c.code = chess;
    }
}

// Removes the searched group and appends its nodes to this move's capture
// text, by column and within a column by row.
void WeiQiGame::DeleteDeadChessFromMemory(Colour colour, std::vector<Pt>& chain)
{
    std::sort(chain.begin(), chain.end(), [](Pt a, Pt b) { return a.i != b.i ? a.i < b.i : a.j < b.j; });
    std::string& text = CaptureList[static_cast<std::size_t>(MoveCount - 1)];
    for (const Pt p : chain) {
        cell(p.i, p.j) = Cell{};
        text += formatMoveNode(colour, p.i, p.j);
    }
}

bool WeiQiGame::captureNeighbours(int i, int j, Colour opponent)
{
    bool captured = false;
    const PointCode oppChess = chessCode(opponent);
    const int ni[4] = {i - 1, i, i + 1, i};
    const int nj[4] = {j, j - 1, j, j + 1};
    for (int d = 0; d < 4; ++d) {
        if (!onBoard(ni[d], nj[d]) || cell(ni[d], nj[d]).code != oppChess) continue;
        LibertyFound = 0;
        FindSerialChess(ni[d], nj[d], opponent, m_searchChain);
        if (LibertyFound == 0) {
            captured = true;
            DeleteDeadChessFromMemory(opponent, m_searchChain);
        } else {
            ResumeChuan(opponent, m_searchChain);
        }
    }
    return captured;
}

bool WeiQiGame::ShiDaJieMa() const
{
    const auto n = static_cast<std::size_t>(MoveCount);
    if (n < 2 || CaptureList.size() < n || MoveList.size() < n) return false;
    const std::string& before = CaptureList[n - 2];
    const std::string& now = CaptureList[n - 1];
    if (before.empty() || now.empty()) return false;
    if (before.find(';', 1) != std::string::npos || now.find(';', 1) != std::string::npos) return false;
    return MoveList[n - 1] == before && MoveList[n - 2] == now;
}

void WeiQiGame::countCaptures(const std::string& captureText)
{
    for (const MoveNode& stone : parseCaptureText(captureText)) {
        if (stone.colour == Colour::Black)
            ++BlackCaptured;
        else
            ++WhiteCaptured;
    }
}

void WeiQiGame::showCapturedLabels()
{
    m_view->SetLabelBlackDead(capturedCaption(BlackCaptured));
    m_view->SetLabelWhiteDead(capturedCaption(WhiteCaptured));
}

PlayResult WeiQiGame::PlayChess(int i, int j, Colour /*side: the stone's colour is SideToMove*/)
{
    if (!onBoard(i, j)) return PlayResult::YiYouQiZi; // callers never do this; refuse rather than corrupt
    Cell& here = cell(i, j);
    if (here.code != PointCode::Empty) return PlayResult::YiYouQiZi;

    const Colour mover = SideToMove;
    const Colour opponent = opponentOf(mover);
    bool captured = false;
    LibertyFound = 0;

    here = Cell{chessCode(mover), MoveCount + 1};
    FindSerialChess(i, j, mover, m_moverChain);

    if (LibertyFound == 1) {
        here = Cell{chessCode(mover), MoveCount + 1};
        ResumeChuan(mover, m_moverChain);
        ++MoveCount;
        MoveList.push_back(formatMoveNode(mover, i, j));
        m_view->ShowChessNumberAndFlag(MoveCount - 1);
        m_view->ShowChessNumberAndFlag(MoveCount);
        CaptureList.emplace_back();
        captured = captureNeighbours(i, j, opponent);
        if (captured) {
            const std::string& text = CaptureList.back();
            countCaptures(text);
            m_view->DeleteDeadChessFromImage(text);
            showCapturedLabels();
        }
    } else {
        // The new group keeps its "Chuan" codes here, so it lends no liberty
        // to the opponent groups being tested.
        ++MoveCount;
        CaptureList.emplace_back();
        captured = captureNeighbours(i, j, opponent);
        if (!captured) {
            ResumeChuan(mover, m_moverChain);
            CaptureList.pop_back();
            --MoveCount;
            here = Cell{};
            return PlayResult::BuRuQi;
        }
        here = Cell{chessCode(mover), MoveCount};
        ResumeChuan(mover, m_moverChain);
        MoveList.push_back(formatMoveNode(mover, i, j));
        if (ShiDaJieMa()) {
            // Put back the one stone just taken, with its own move number.
            const std::optional<MoveNode> previous = parseMoveNode(MoveList[static_cast<std::size_t>(MoveCount - 2)]);
            cell(previous->i, previous->j) = Cell{chessCode(opponent), MoveCount - 1};
            CaptureList.pop_back();
            MoveList.pop_back();
            --MoveCount;
            here = Cell{};
            return PlayResult::DaJie;
        }
        const std::string& text = CaptureList.back();
        countCaptures(text);
        m_view->DeleteDeadChessFromImage(text);
        showCapturedLabels();
        m_view->ShowChessNumberAndFlag(MoveCount - 1);
        m_view->ShowChessNumberAndFlag(MoveCount);
    }

    m_view->PlayStoneSound(captured ? "Take" : "Play");
    return PlayResult::OK;
}

int WeiQiGame::findMoveNumber(const std::string& node, int fromIndex) const
{
    for (int k = fromIndex; k >= 0; --k) {
        if (MoveList[static_cast<std::size_t>(k)] == node) return k + 1;
    }
    return 0;
}

void WeiQiGame::Local_Undo()
{
    if (MoveCount <= 0 || MoveList.size() < static_cast<std::size_t>(MoveCount) ||
        CaptureList.size() < static_cast<std::size_t>(MoveCount))
        return;
    const int n = MoveCount;
    const Colour mover = opponentOf(SideToMove); // who made move n
    SideToMove = mover;
    m_view->ShowSideToMove(mover);

    const std::optional<MoveNode> last = parseMoveNode(MoveList[static_cast<std::size_t>(n - 1)]);
    // Any node without a point is a pass, whoever the list says made it: a
    // pass by the "wrong" colour must not index the board with -1.
    if (!last || last->pass) {
        MoveList.pop_back();
        CaptureList.pop_back();
        MoveCount = n - 1;
        m_view->ShowChessNumberAndFlag(MoveCount);
        return;
    }

    const int li = last->i;
    const int lj = last->j;
    MoveList.pop_back();
    cell(li, lj) = Cell{};
    m_view->ClearChessBoard(li, lj);
    m_view->SendImageToFront(li, lj);

    // Put the captured stones back, each with the number of the latest
    // earlier move on its point (0 for a handicap stone).
    int restored[2] = {0, 0};
    for (const MoveNode& stone : parseCaptureText(CaptureList[static_cast<std::size_t>(n - 1)])) {
        const int ci = stone.i;
        const int cj = stone.j;
        // The node's own letter says whose stone it was; in a consistent game
        // that is always the opponent of the side being taken back.
        const Colour colour = stone.colour;
        const std::string node = formatMoveNode(stone);
        m_view->DrawChess(ci, cj, colour);
        m_view->SendImageToFront(ci, cj);
        const int number = findMoveNumber(node, n - 2);
        cell(ci, cj) = Cell{chessCode(colour), number};
        m_view->ShowChessNumberAndFlag(number);
        m_view->SendImageToFront(ci, cj);
        ++restored[colour == Colour::Black ? 0 : 1];
    }

    CaptureList.pop_back();
    MoveCount = n - 1;
    m_view->ShowChessNumberAndFlag(MoveCount);

    BlackCaptured -= restored[0];
    WhiteCaptured -= restored[1];
    if (opponentOf(mover) == Colour::Black || restored[0] > 0) m_view->SetLabelBlackDead(capturedCaption(BlackCaptured));
    if (opponentOf(mover) == Colour::White || restored[1] > 0) m_view->SetLabelWhiteDead(capturedCaption(WhiteCaptured));
}

Colour WeiQiGame::PassMove()
{
    const Colour passer = SideToMove;
    SideToMove = opponentOf(passer);
    m_view->ShowSideToMove(SideToMove);
    MoveList.push_back(formatPassNode(passer));
    CaptureList.emplace_back();
    ++MoveCount;
    m_view->ShowChessNumberAndFlag(MoveCount - 1);
    return passer;
}

void WeiQiGame::SetLocalHandicap()
{
    if (HandicapCount == 0) return;
    if (HandicapCount >= 2 && HandicapCount <= 9) {
        struct Stone {
            int i, j;
        };
        std::vector<Stone> stones = {{4, 16}, {16, 4}};
        const int n = HandicapCount;
        if (n == 3) stones.push_back(ThreeStoneLowerRight == 1 ? Stone{16, 16} : Stone{4, 4});
        if (n >= 4) {
            stones.push_back({4, 4});
            stones.push_back({16, 16});
        }
        if (n >= 6) {
            stones.push_back({4, 10});
            stones.push_back({16, 10});
        }
        if (n >= 8) {
            stones.push_back({10, 4});
            stones.push_back({10, 16});
        }
        if (n == 5 || n == 7 || n == 9) stones.push_back({10, 10});

        m_view->SetHandicapCell("  " + std::to_string(n));
        for (const Stone s : stones) {
            cell(s.i, s.j) = Cell{PointCode::BlackChess, 0};
            m_view->DrawChess(s.i, s.j, Colour::Black);
            m_view->SendImageToFront(s.i, s.j);
        }
    }
    SideToMove = Colour::White;
    m_view->ShowSideToMove(Colour::White);
}

int WeiQiGame::removeGroupsWithoutLiberties()
{
    int removed = 0;
    for (const Colour colour : {SideToMove, opponentOf(SideToMove)}) {
        for (int i = 1; i <= BoardSize; ++i) {
            for (int j = 1; j <= BoardSize; ++j) {
                if (cell(i, j).code != chessCode(colour)) continue;
                LibertyFound = 0;
                FindSerialChess(i, j, colour, m_searchChain);
                if (LibertyFound == 1) {
                    ResumeChuan(colour, m_searchChain);
                    continue;
                }
                for (const Pt p : m_searchChain)
                    cell(p.i, p.j) = Cell{};
                removed += static_cast<int>(m_searchChain.size());
            }
        }
    }
    return removed;
}

std::string WeiQiGame::checkInvariants() const
{
    const auto n = static_cast<std::size_t>(MoveCount);
    if (MoveCount < 0) return "MoveCount is negative";
    if (MoveList.size() != n)
        return "MoveList holds " + std::to_string(MoveList.size()) + " entries, MoveCount is " + std::to_string(MoveCount);
    if (CaptureList.size() != n)
        return "CaptureList holds " + std::to_string(CaptureList.size()) + " entries, MoveCount is " + std::to_string(MoveCount);
    for (int i = 1; i <= MaxSize; ++i) {
        for (int j = 1; j <= MaxSize; ++j) {
            const Cell& c = cell(i, j);
            const std::string where = "(" + std::to_string(i) + ", " + std::to_string(j) + ")";
            if (c.code == PointCode::BlackChuan || c.code == PointCode::WhiteChuan) return "group-search code left at " + where;
            if (c.code == PointCode::Empty) continue;
            if (!onBoard(i, j)) return "stone off the board at " + where;
            if (c.number < 0 || c.number > MoveCount)
                return "stone number " + std::to_string(c.number) + " out of range at " + where;
            if (c.number > 0) {
                const std::string expected = formatMoveNode(*stoneColour(c.code), i, j);
                if (MoveList[static_cast<std::size_t>(c.number - 1)] != expected)
                    return "stone " + BoardPoints(i, j) + " at " + where + " does not match move " +
                           MoveList[static_cast<std::size_t>(c.number - 1)];
            }
        }
    }

    // Every group at rest has a liberty: derived by a fresh flood fill, not
    // by the search the placement used.
    std::array<bool, MaxSize * MaxSize> seen{};
    std::vector<Pt> stack;
    for (int i = 1; i <= BoardSize; ++i) {
        for (int j = 1; j <= BoardSize; ++j) {
            const PointCode code = cell(i, j).code;
            if (code == PointCode::Empty || seen[index(i, j)]) continue;
            bool liberty = false;
            stack.assign(1, Pt{static_cast<std::int8_t>(i), static_cast<std::int8_t>(j)});
            seen[index(i, j)] = true;
            while (!stack.empty()) {
                const Pt p = stack.back();
                stack.pop_back();
                const int ni[4] = {p.i - 1, p.i + 1, p.i, p.i};
                const int nj[4] = {p.j, p.j, p.j - 1, p.j + 1};
                for (int d = 0; d < 4; ++d) {
                    if (!onBoard(ni[d], nj[d])) continue;
                    const PointCode n = cell(ni[d], nj[d]).code;
                    if (n == PointCode::Empty) {
                        liberty = true;
                    } else if (n == code && !seen[index(ni[d], nj[d])]) {
                        seen[index(ni[d], nj[d])] = true;
                        stack.push_back(Pt{static_cast<std::int8_t>(ni[d]), static_cast<std::int8_t>(nj[d])});
                    }
                }
            }
            if (!liberty)
                return "group of " + BoardPoints(i, j) + " at (" + std::to_string(i) + ", " + std::to_string(j) +
                       ") has no liberty";
        }
    }

    // The counters are the sums of the capture texts.
    int black = 0;
    int white = 0;
    for (const std::string& text : CaptureList) {
        const std::vector<MoveNode> stones = parseCaptureText(text);
        if (stones.size() * 6 != text.size()) return "capture text \"" + text + "\" is not a list of stones";
        for (const MoveNode& s : stones)
            ++(s.colour == Colour::Black ? black : white);
    }
    if (black != BlackCaptured || white != WhiteCaptured)
        return "captured counters " + std::to_string(BlackCaptured) + "/" + std::to_string(WhiteCaptured) +
               " differ from the capture texts' " + std::to_string(black) + "/" + std::to_string(white);
    return {};
}

} // namespace zemra
