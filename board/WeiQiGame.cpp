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
    m_moveCount = 0;
    m_sideToMove = Colour::Black;
    m_moveList.clear();
    m_captureList.clear();
    m_blackCaptured = 0;
    m_whiteCaptured = 0;
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
    std::string& text = m_captureList[static_cast<std::size_t>(m_moveCount - 1)];
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
    const auto n = static_cast<std::size_t>(m_moveCount);
    if (n < 2 || m_captureList.size() < n || m_moveList.size() < n) return false;
    const std::string& before = m_captureList[n - 2];
    const std::string& now = m_captureList[n - 1];
    if (before.empty() || now.empty()) return false;
    if (before.find(';', 1) != std::string::npos || now.find(';', 1) != std::string::npos) return false;
    return m_moveList[n - 1] == before && m_moveList[n - 2] == now;
}

void WeiQiGame::countCaptures(const std::string& captureText)
{
    for (const MoveNode& stone : parseCaptureText(captureText)) {
        if (stone.colour == Colour::Black)
            ++m_blackCaptured;
        else
            ++m_whiteCaptured;
    }
}

void WeiQiGame::showCapturedLabels()
{
    m_view->SetLabelBlackDead(capturedCaption(m_blackCaptured));
    m_view->SetLabelWhiteDead(capturedCaption(m_whiteCaptured));
}

PlayResult WeiQiGame::PlayChess(int i, int j, Colour side)
{
    if (!onBoard(i, j)) return PlayResult::YiYouQiZi; // callers never do this; refuse rather than corrupt
    Cell& here = cell(i, j);
    if (here.code != PointCode::Empty) return PlayResult::YiYouQiZi;

    const Colour mover = side;
    const Colour opponent = opponentOf(mover);
    bool captured = false;
    LibertyFound = 0;

    here = Cell{chessCode(mover), m_moveCount + 1};
    FindSerialChess(i, j, mover, m_moverChain);

    if (LibertyFound == 1) {
        here = Cell{chessCode(mover), m_moveCount + 1};
        ResumeChuan(mover, m_moverChain);
        ++m_moveCount;
        m_moveList.push_back(formatMoveNode(mover, i, j));
        m_view->ShowChessNumberAndFlag(m_moveCount - 1);
        m_view->ShowChessNumberAndFlag(m_moveCount);
        m_captureList.emplace_back();
        captured = captureNeighbours(i, j, opponent);
        if (captured) {
            const std::string& text = m_captureList.back();
            countCaptures(text);
            m_view->DeleteDeadChessFromImage(text);
            showCapturedLabels();
        }
    } else {
        // The new group keeps its "Chuan" codes here, so it lends no liberty
        // to the opponent groups being tested.
        ++m_moveCount;
        m_captureList.emplace_back();
        captured = captureNeighbours(i, j, opponent);
        if (!captured) {
            ResumeChuan(mover, m_moverChain);
            m_captureList.pop_back();
            --m_moveCount;
            here = Cell{};
            return PlayResult::BuRuQi;
        }
        here = Cell{chessCode(mover), m_moveCount};
        ResumeChuan(mover, m_moverChain);
        m_moveList.push_back(formatMoveNode(mover, i, j));
        if (ShiDaJieMa()) {
            // Put back the one stone just taken, with its own move number.
            const std::optional<MoveNode> previous = parseMoveNode(m_moveList[static_cast<std::size_t>(m_moveCount - 2)]);
            cell(previous->i, previous->j) = Cell{chessCode(opponent), m_moveCount - 1};
            m_captureList.pop_back();
            m_moveList.pop_back();
            --m_moveCount;
            here = Cell{};
            return PlayResult::DaJie;
        }
        const std::string& text = m_captureList.back();
        countCaptures(text);
        m_view->DeleteDeadChessFromImage(text);
        showCapturedLabels();
        m_view->ShowChessNumberAndFlag(m_moveCount - 1);
        m_view->ShowChessNumberAndFlag(m_moveCount);
    }

    m_view->PlayStoneSound(captured ? "Take" : "Play");
    return PlayResult::OK;
}

int WeiQiGame::findMoveNumber(const std::string& node, int fromIndex) const
{
    for (int k = fromIndex; k >= 0; --k) {
        if (m_moveList[static_cast<std::size_t>(k)] == node) return k + 1;
    }
    return 0;
}

void WeiQiGame::Local_Undo()
{
    if (m_moveCount <= 0 || m_moveList.size() < static_cast<std::size_t>(m_moveCount) ||
        m_captureList.size() < static_cast<std::size_t>(m_moveCount))
        return;
    const int n = m_moveCount;
    const Colour mover = opponentOf(m_sideToMove); // who made move n
    m_sideToMove = mover;
    m_view->ShowSideToMove(mover);

    const std::optional<MoveNode> last = parseMoveNode(m_moveList[static_cast<std::size_t>(n - 1)]);
    // Any node without a point is a pass, whoever the list says made it: a
    // pass by the "wrong" colour must not index the board with -1.
    if (!last || last->pass) {
        m_moveList.pop_back();
        m_captureList.pop_back();
        m_moveCount = n - 1;
        m_view->ShowChessNumberAndFlag(m_moveCount);
        return;
    }

    const int li = last->i;
    const int lj = last->j;
    m_moveList.pop_back();
    cell(li, lj) = Cell{};
    m_view->ClearChessBoard(li, lj);
    m_view->SendImageToFront(li, lj);

    // Put the captured stones back, each with the number of the latest
    // earlier move on its point (0 for a handicap stone).
    int restored[2] = {0, 0};
    for (const MoveNode& stone : parseCaptureText(m_captureList[static_cast<std::size_t>(n - 1)])) {
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

    m_captureList.pop_back();
    m_moveCount = n - 1;
    m_view->ShowChessNumberAndFlag(m_moveCount);

    m_blackCaptured -= restored[0];
    m_whiteCaptured -= restored[1];
    if (opponentOf(mover) == Colour::Black || restored[0] > 0) m_view->SetLabelBlackDead(capturedCaption(m_blackCaptured));
    if (opponentOf(mover) == Colour::White || restored[1] > 0) m_view->SetLabelWhiteDead(capturedCaption(m_whiteCaptured));
}

Colour WeiQiGame::PassMove()
{
    const Colour passer = m_sideToMove;
    m_sideToMove = opponentOf(passer);
    m_view->ShowSideToMove(m_sideToMove);
    m_moveList.push_back(formatPassNode(passer));
    m_captureList.emplace_back();
    ++m_moveCount;
    m_view->ShowChessNumberAndFlag(m_moveCount - 1);
    return passer;
}

void WeiQiGame::SetLocalHandicap()
{
    if (m_handicapCount == 0) return;
    m_view->SetHandicapCell("  " + std::to_string(m_handicapCount));
    for (const BoardPoint s : fixedHandicapPoints(m_handicapCount, m_threeStoneLowerRight)) {
        cell(s.i, s.j) = Cell{PointCode::BlackChess, 0};
        m_view->DrawChess(s.i, s.j, Colour::Black);
        m_view->SendImageToFront(s.i, s.j);
    }
    setSideToMove(Colour::White);
}

void WeiQiGame::setSideToMove(Colour side)
{
    m_sideToMove = side;
    m_view->ShowSideToMove(side);
}

bool WeiQiGame::newGame(const GameSetup& setup, int* removedStones)
{
    if (!setup.valid()) return false;
    m_previousBoardSize = m_boardSize;
    m_boardSize = setup.boardSize;
    m_markingDead = false;
    clearPointMarks();
    InitWeiQiGame();
    m_handicapCount = setup.handicapCount;
    m_threeStoneLowerRight = setup.threeStoneLowerRight;
    int removed = 0;
    if (!setup.hasFreeStones()) {
        SetLocalHandicap();
    } else {
        for (const BoardPoint& p : setup.freeBlack)
            cell(p.i, p.j) = Cell{PointCode::BlackChess, 0};
        for (const BoardPoint& p : setup.freeWhite)
            cell(p.i, p.j) = Cell{PointCode::WhiteChess, 0};
        removed = removeGroupsWithoutLiberties(setup.firstPlayer);
        drawStones(*m_view);
    }
    setSideToMove(setup.firstPlayer);
    if (removedStones) *removedStones = removed;
    return true;
}

int WeiQiGame::removeGroupsWithoutLiberties(Colour first)
{
    int removed = 0;
    for (const Colour colour : {first, opponentOf(first)}) {
        for (int i = 1; i <= m_boardSize; ++i) {
            for (int j = 1; j <= m_boardSize; ++j) {
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
    const auto n = static_cast<std::size_t>(m_moveCount);
    if (m_moveCount < 0) return "m_moveCount is negative";
    if (m_moveList.size() != n)
        return "m_moveList holds " + std::to_string(m_moveList.size()) + " entries, m_moveCount is " + std::to_string(m_moveCount);
    if (m_captureList.size() != n)
        return "m_captureList holds " + std::to_string(m_captureList.size()) + " entries, m_moveCount is " + std::to_string(m_moveCount);
    for (int i = 1; i <= MaxSize; ++i) {
        for (int j = 1; j <= MaxSize; ++j) {
            const Cell& c = cell(i, j);
            const std::string where = "(" + std::to_string(i) + ", " + std::to_string(j) + ")";
            if (c.code == PointCode::BlackChuan || c.code == PointCode::WhiteChuan) return "group-search code left at " + where;
            if (c.code == PointCode::Empty) continue;
            if (!onBoard(i, j)) return "stone off the board at " + where;
            if (c.number < 0 || c.number > m_moveCount)
                return "stone number " + std::to_string(c.number) + " out of range at " + where;
            if (c.number > 0) {
                const std::string expected = formatMoveNode(*stoneColour(c.code), i, j);
                if (m_moveList[static_cast<std::size_t>(c.number - 1)] != expected)
                    return "stone " + BoardPoints(i, j) + " at " + where + " does not match move " +
                           m_moveList[static_cast<std::size_t>(c.number - 1)];
            }
        }
    }

    // Every group at rest has a liberty: derived by a fresh flood fill, not
    // by the search the placement used.
    std::array<bool, MaxSize * MaxSize> seen{};
    std::vector<Pt> stack;
    for (int i = 1; i <= m_boardSize; ++i) {
        for (int j = 1; j <= m_boardSize; ++j) {
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
    for (const std::string& text : m_captureList) {
        const std::vector<MoveNode> stones = parseCaptureText(text);
        if (stones.size() * 6 != text.size()) return "capture text \"" + text + "\" is not a list of stones";
        for (const MoveNode& s : stones)
            ++(s.colour == Colour::Black ? black : white);
    }
    if (black != m_blackCaptured || white != m_whiteCaptured)
        return "captured counters " + std::to_string(m_blackCaptured) + "/" + std::to_string(m_whiteCaptured) +
               " differ from the capture texts' " + std::to_string(black) + "/" + std::to_string(white);
    return {};
}

} // namespace zemra
