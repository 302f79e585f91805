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

std::string WeiQiGame::moveNode(Colour c, int i, int j)
{
    if (i < 1 || i > MaxSize || j < 1 || j > MaxSize)
        return std::string(";") + colourLetter(c) + "[" + NumberToLetter(i) + NumberToLetter(j) + "]";
    const char node[6] = {';', colourLetter(c), '[', static_cast<char>('a' + i - 1), static_cast<char>('a' + j - 1), ']'};
    return std::string(node, 6);
}

std::string WeiQiGame::passNode(Colour c)
{
    return c == Colour::Black ? ";B[]" : ";W[]";
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
    const char letter = colourLetter(colour);
    for (const Pt p : chain) {
        cell(p.i, p.j) = Cell{};
        const char node[6] = {';', letter, '[', static_cast<char>('a' + p.i - 1), static_cast<char>('a' + p.j - 1), ']'};
        text.append(node, 6);
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
    for (std::size_t k = 0; k + 1 < captureText.size(); ++k) {
        if (captureText[k] != ';') continue;
        if (captureText[k + 1] == 'B')
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
        MoveList.push_back(moveNode(mover, i, j));
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
        MoveList.push_back(moveNode(mover, i, j));
        if (ShiDaJieMa()) {
            // Put back the one stone just taken, with its own move number.
            const std::string& previous = MoveList[static_cast<std::size_t>(MoveCount - 2)];
            const int pi = LetterToNumber(std::string_view(previous).substr(3));
            const int pj = LetterToNumber(std::string_view(previous).substr(4));
            cell(pi, pj) = Cell{chessCode(opponent), MoveCount - 1};
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

    const std::string last = MoveList[static_cast<std::size_t>(n - 1)];
    const int li = last.size() > 3 ? LetterToNumber(std::string_view(last).substr(3)) : -1;
    const int lj = last.size() > 4 ? LetterToNumber(std::string_view(last).substr(4)) : -1;
    // Any node without a point is a pass, whoever the list says made it: a
    // pass by the "wrong" colour must not index the board with -1.
    if (!inArray(li, lj)) {
        MoveList.pop_back();
        CaptureList.pop_back();
        MoveCount = n - 1;
        m_view->ShowChessNumberAndFlag(MoveCount);
        return;
    }

    MoveList.pop_back();
    cell(li, lj) = Cell{};
    m_view->ClearChessBoard(li, lj);
    m_view->SendImageToFront(li, lj);

    // Put the captured stones back, each with the number of the latest
    // earlier move on its point (0 for a handicap stone).
    const std::string caps = CaptureList[static_cast<std::size_t>(n - 1)];
    int restored[2] = {0, 0};
    for (std::size_t pos = 0; pos + 6 <= caps.size(); pos += 6) {
        const std::string node = caps.substr(pos, 6);
        const int ci = LetterToNumber(std::string_view(node).substr(3));
        const int cj = LetterToNumber(std::string_view(node).substr(4));
        if (node[0] != ';' || !inArray(ci, cj)) break;
        // The node's own letter says whose stone it was; in a consistent game
        // that is always the opponent of the side being taken back.
        const Colour colour = colourFromLetter(node[1]).value_or(opponentOf(mover));
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
    MoveList.push_back(passNode(passer));
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
                const std::string expected = moveNode(*stoneColour(c.code), i, j);
                if (MoveList[static_cast<std::size_t>(c.number - 1)] != expected)
                    return "stone " + BoardPoints(i, j) + " at " + where + " does not match move " +
                           MoveList[static_cast<std::size_t>(c.number - 1)];
            }
        }
    }
    return {};
}

} // namespace zemra
