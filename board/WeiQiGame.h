// The one game state every mode plays on: the board, the side to move, the
// move and capture lists, the counters, handicap settings and the marks used
// for dead stones and counting. Pure C++; it reports to the display through
// GameView.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

    // --- state -----------------------------------------------------------
    int BoardSize = 19;
    int PreviousBoardSize = 19;
    Colour SideToMove = Colour::Black;
    std::int32_t MoveCount = 0;
    std::vector<std::string> MoveList;    // ";B[pd]", passes ";B[]"
    std::vector<std::string> CaptureList; // ";W[qd];W[qe]" or empty
    std::int32_t BlackCaptured = 0;
    std::int32_t WhiteCaptured = 0;
    int HandicapCount = 0;
    int ThreeStoneLowerRight = 0;
    MarkCode RegionVerdict = MarkCode::None;
    int LibertyFound = 0;
    bool MarkingDead = false;

    // "BlackChess" / "WhiteChess"
    std::string_view SideToMoveWord() const { return sideWord(SideToMove); }

    // Board points. (i, j) from 1; entries beyond BoardSize exist and stay empty.
    static bool inArray(int i, int j) { return i >= 1 && i <= MaxSize && j >= 1 && j <= MaxSize; }
    bool onBoard(int i, int j) const { return i >= 1 && i <= BoardSize && j >= 1 && j <= BoardSize; }
    PointCode pointCode(int i, int j) const { return cell(i, j).code; }
    int pointNumber(int i, int j) const { return cell(i, j).number; }
    bool hasStone(int i, int j) const;
    // The point text: "" for empty, else the state code and the move number ("BlackChess37").
    std::string BoardPoints(int i, int j) const;
    void setPoint(int i, int j, PointCode code, int number);
    void clearPoint(int i, int j) { setPoint(i, j, PointCode::Empty, 0); }

    MarkCode pointMark(int i, int j) const { return m_marks[index(i, j)]; }
    // The mark text: "", "Black Dead", "White Dead", or a count code.
    std::string PointMarks(int i, int j) const { return std::string(markWord(pointMark(i, j))); }
    void setPointMark(int i, int j, MarkCode mark) { m_marks[index(i, j)] = mark; }
    void clearPointMarks();

    // --- game flow -------------------------------------------------------
    // Reset for a new game on the current BoardSize and redraw the empty board.
    void InitWeiQiGame();

    // Place a stone of SideToMove at (i, j), which must be on the board.
    // Never changes SideToMove; a refusal leaves everything as it was.
    PlayResult PlayChess(int i, int j, Colour side);

    // Take back the last recorded move or pass; nothing when MoveCount <= 0.
    void Local_Undo();

    // Record a pass for SideToMove and hand the move over. Returns who passed.
    Colour PassMove();

    // Put down HandicapCount black stones and give White the move.
    void SetLocalHandicap();

    // Stones a record sets up (put with setPoint) may leave a group without
    // liberties, which play never does. Such groups go as a capture takes
    // them: those of the side to move first, as if the other side had just
    // played, then any still without a liberty. Setup stones are not moves:
    // nothing is recorded, counted or drawn. Returns how many stones went.
    int removeGroupsWithoutLiberties();

    // --- dead stones and counting ------------------------------------------
    void FlagDeadSerial(int i, int j, PointCode code);
    void UnFlagDeadSerial(int i, int j, PointCode code);
    // A board click while marking: marks or unmarks the clicked group.
    void MarkingClick(int i, int j);
    // Switch the marking state and redraw every stone for it.
    void SetMarkingDead(bool on);

    void FindBlankSerial(int i, int j);
    // Count the position. Without marking, every old mark is forgotten first.
    CountReport DianMu(bool markingOn);

    // Re-derives the rest-state invariants from scratch; "" when they hold,
    // otherwise what is wrong.
    std::string checkInvariants() const;

    static std::string capturedCaption(int count) { return std::to_string(count) + " 个"; }

private:
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

    void FindSerialChess(int i, int j, Colour colour, std::vector<Pt>& chain);
    void ResumeChuan(Colour colour, const std::vector<Pt>& chain);
    void DeleteDeadChessFromMemory(Colour colour, std::vector<Pt>& chain);
    bool captureNeighbours(int i, int j, Colour opponent);
    bool ShiDaJieMa() const;
    void countCaptures(const std::string& captureText);
    void showCapturedLabels();
    int findMoveNumber(const std::string& node, int fromIndex) const;

    GameView* m_view;
    std::array<Cell, MaxSize * MaxSize> m_board{};
    std::array<MarkCode, MaxSize * MaxSize> m_marks{};
    // Scratch for the group searches, kept to avoid allocating per move.
    std::vector<Pt> m_moverChain;
    std::vector<Pt> m_searchChain;
    std::vector<Pt> m_regionPoints;
};

} // namespace zemra
