// The one game state every mode plays on: the board, the side to move, the
// move and capture lists, the counters, handicap settings and the marks used
// for dead stones and counting. Pure C++; it reports to the display through
// GameView.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/GameSetup.h"
#include "board/GameView.h"
#include "board/MoveNode.h"
#include "board/Words.h"

namespace zemra {

// The tallies and the six report lines of one territory count.
struct CountReport {
    int blackDead = 0;   // BD
    int whiteDead = 0;   // WD
    int blackPoints = 0; // BP
    int whitePoints = 0; // WP
    int sharePoints = 0; // SP
    int errorPoints = 0; // EP
    int whiteScore = 0;
    int blackScore = 0;
    std::vector<std::string> lines; // UTF-8
};

class WeiQiGame {
public:
    static constexpr int MaxSize = 19;

    explicit WeiQiGame(GameView* view = nullptr);

    // The view is not owned; nullptr means nobody is watching.
    void setView(GameView* view);

    // --- state: read here, changed only by the operations below ------------
    int BoardSize() const { return m_boardSize; }
    // The size of the game before this one (the picture is laid out anew when they differ).
    int PreviousBoardSize() const { return m_previousBoardSize; }
    Colour SideToMove() const { return m_sideToMove; }
    std::int32_t MoveCount() const { return m_moveCount; }
    const std::vector<std::string>& MoveList() const { return m_moveList; }       // ";B[pd]", passes ";B[]"
    const std::vector<std::string>& CaptureList() const { return m_captureList; } // ";W[qd];W[qe]" or empty
    std::int32_t BlackCaptured() const { return m_blackCaptured; }
    std::int32_t WhiteCaptured() const { return m_whiteCaptured; }
    int HandicapCount() const { return m_handicapCount; }
    bool ThreeStoneLowerRight() const { return m_threeStoneLowerRight; }
    bool MarkingDead() const { return m_markingDead; }

    // "BlackChess" / "WhiteChess"
    std::string_view SideToMoveWord() const { return sideWord(m_sideToMove); }

    // Board points. (i, j) from 1; entries beyond BoardSize exist and stay empty.
    static bool inArray(int i, int j) { return i >= 1 && i <= MaxSize && j >= 1 && j <= MaxSize; }
    bool onBoard(int i, int j) const { return i >= 1 && i <= m_boardSize && j >= 1 && j <= m_boardSize; }
    PointCode pointCode(int i, int j) const { return cell(i, j).code; }
    int pointNumber(int i, int j) const { return cell(i, j).number; }
    bool hasStone(int i, int j) const;
    // The point text: "" for empty, else the state code and the move number ("BlackChess37").
    std::string BoardPoints(int i, int j) const;
    // Points and marks set by hand, for positions built by tests and tools;
    // the game itself goes through newGame, PlayChess and the marking.
    void setPoint(int i, int j, PointCode code, int number);
    void clearPoint(int i, int j) { setPoint(i, j, PointCode::Empty, 0); }

    MarkCode pointMark(int i, int j) const { return m_marks[index(i, j)]; }
    // The mark text: "", "Black Dead", "White Dead", or a count code.
    std::string PointMarks(int i, int j) const { return std::string(markWord(pointMark(i, j))); }
    void setPointMark(int i, int j, MarkCode mark) { m_marks[index(i, j)] = mark; }
    void clearPointMarks();

    // --- game flow -------------------------------------------------------
    // A new game as the setup says: its size, its marks cleared, the empty
    // board drawn, the handicap or the record's own stones down (a group of
    // them without a liberty is taken off as a capture would take it), and
    // the first player to move. False, and nothing changed, for a setup that
    // is not valid(). removedStones counts the stones taken off.
    bool newGame(const GameSetup& setup, int* removedStones = nullptr);

    // Empty the board and the lists of the game on the current BoardSize,
    // Black to move, and draw the empty board. The handicap stays as set.
    void InitWeiQiGame();

    // Place a stone of colour side at (i, j), which must be on the board.
    // Never changes SideToMove; a refusal leaves everything as it was.
    PlayResult PlayChess(int i, int j, Colour side);

    // The move goes to side, and the display says so.
    void setSideToMove(Colour side);

    // Take back the last recorded move or pass; nothing when MoveCount <= 0.
    void Local_Undo();

    // Record a pass for SideToMove and hand the move over. Returns who passed.
    Colour PassMove();

    // --- dead stones and counting ------------------------------------------
    void FlagDeadSerial(int i, int j, PointCode code);
    void UnFlagDeadSerial(int i, int j, PointCode code);
    // A board click while marking: marks or unmarks the clicked group.
    void MarkingClick(int i, int j);
    // Switch the marking state and redraw every stone for it.
    void SetMarkingDead(bool on);
    // Draws every stone into `view`: a stone played as its move (number and
    // last-move mark), a set-up stone plainly. Empty points are left as they are.
    void drawStones(GameView& view) const;

    void FindBlankSerial(int i, int j);
    // Count the position. Without marking, every old mark is forgotten first.
    CountReport DianMu(bool markingOn);

    // Re-derives the rest-state invariants from scratch; "" when they hold,
    // otherwise what is wrong.
    std::string checkInvariants() const;

    static std::string capturedCaption(int count) { return std::to_string(count) + " 个"; }
    // How one border mark changes the verdict of a region being counted.
    static MarkCode nextRegionVerdict(MarkCode before, MarkCode border);

private:
    // The tests spoil a game on purpose to show that checkInvariants sees it.
    friend struct WeiQiGameTestAccess;

    struct Cell {
        PointCode code = PointCode::Empty;
        std::int32_t number = 0;
    };
    struct Pt {
        std::int8_t i;
        std::int8_t j;
    };

    static int index(int i, int j) { return (i - 1) * MaxSize + (j - 1); }
    Cell& cell(int i, int j) { return m_board[index(i, j)]; }
    const Cell& cell(int i, int j) const { return m_board[index(i, j)]; }

    // Put down HandicapCount black stones of the fixed layout and give White the move.
    void SetLocalHandicap();
    // Stones a record sets up may leave a group without liberties, which
    // play never does. Such groups go as a capture takes them: those of
    // `first` (who moves first) before the others, as if the other side had
    // just played, then any still without a liberty. Nothing is recorded or counted. Returns how
    // many stones went.
    int removeGroupsWithoutLiberties(Colour first);

    void FindSerialChess(int i, int j, Colour colour, std::vector<Pt>& chain);
    void ResumeChuan(Colour colour, const std::vector<Pt>& chain);
    void DeleteDeadChessFromMemory(Colour colour, std::vector<Pt>& chain);
    bool captureNeighbours(int i, int j, Colour opponent);
    bool ShiDaJieMa() const;
    void countCaptures(const std::string& captureText);
    void showCapturedLabels();
    int findMoveNumber(const std::string& node, int fromIndex) const;

    GameView* m_view;
    int m_boardSize = 19;
    int m_previousBoardSize = 19;
    Colour m_sideToMove = Colour::Black;
    std::int32_t m_moveCount = 0;
    std::vector<std::string> m_moveList;
    std::vector<std::string> m_captureList;
    std::int32_t m_blackCaptured = 0;
    std::int32_t m_whiteCaptured = 0;
    int m_handicapCount = 0;
    bool m_threeStoneLowerRight = false;
    bool m_markingDead = false;
    // Scratch of the searches: the verdict of the region being counted, and
    // whether the group being searched has a liberty.
    MarkCode RegionVerdict = MarkCode::None;
    int LibertyFound = 0;
    std::array<Cell, MaxSize * MaxSize> m_board{};
    std::array<MarkCode, MaxSize * MaxSize> m_marks{};
    // Scratch for the group searches, kept to avoid allocating per move.
    std::vector<Pt> m_moverChain;
    std::vector<Pt> m_searchChain;
    std::vector<Pt> m_regionPoints;
};

} // namespace zemra
