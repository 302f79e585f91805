// The record viewer without its window: it owns the loaded record and moves
// a pointer through it, playing node moves onto the one game with PlayChess
// and taking them back with Local_Undo, shows comments in the log and labels
// on the board, and runs trial play on the current position. The window's
// record-mode controller forwards its menu items, board clicks and wheel here
// and implements RecordView.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "board/GameView.h"
#include "board/WeiQiGame.h"
#include "records/GameRecord.h"
#include "records/RecordNode.h"

namespace zemra {

// What the viewer needs from the window besides the board's own GameView.
class RecordView {
public:
    virtual ~RecordView() = default;
    // Empty the message log.
    virtual void clearLog() = 0;
    // Append a log entry; kind is "System" or "Version".
    virtual void SendOutMessage(const QString& kind, const QString& text) = 0;
    // Draw a record label (one character) at a point of the board picture.
    virtual void DrawLabel(int i, int j, const QString& text) = 0;
    // Restore the point's picture without the label; a stone there stays.
    virtual void eraseLabel(int i, int j) = 0;
    // Switch dead-stone marking off as the record menu's marking item does.
    // Called only while the game's MarkingDead is set.
    virtual void stopMarking() = 0;
    // Trial play went on or off: the tick of the trial item.
    virtual void trialPlayChanged(bool on) = 0;
    // The record's starting position is on the board and no node is played
    // yet: show the record's information.
    virtual void recordStarted() = 0;
};

// Who asked for a single step: only the step's own menu item earns the hint.
enum class StepSender { OwnMenuItem, Other };

enum class BoardButton { Left, Right, Other };

class RecordStepper {
public:
    // None is owned. board must be the GameView the game draws through.
    RecordStepper(WeiQiGame& game, GameView& board, RecordView& view);

    // Puts a successfully read record on the board: trial play and marking
    // off, the record's board size, a fresh game, the setup or handicap
    // stones, then every node, all as one multi-step. Returns what the user
    // should hear: the record's own problems, setup stones without
    // liberties that were taken off, and the moves the rules refused.
    QStringList load(GameRecord record);
    // The loaded record on the board again from its start to its last node,
    // as load put it (after another mode used the board).
    void replay();

    // --- the record menu -------------------------------------------------
    // One node forward / back. Nothing past either end.
    void next(StepSender sender);
    void prev(StepSender sender);
    // The multi-steps run held: the game draws nothing and plays no sound
    // while they step, the log is given only what still stands at the end,
    // and the board is drawn once afterwards.
    void next10();
    void prev10();
    void last();
    // Back to node 1 (not to the empty board), with the root comment shown.
    void first();
    // Trial play on, or off with every trial stone taken back.
    void toggleTrial();

    // A release on point (i, j) of the board while not marking dead stones.
    void boardClick(int i, int j, BoardButton button);
    // The wheel over the board: toward the user steps forward.
    void wheel(bool towardUser);

    // Empty the log, an empty "Version" entry, then a "System" entry with
    // the root comment (after opening a classic game, and at node 0).
    void showRootComment();
    // Draw the current node's labels again (after the picture was redrawn).
    void redrawLabels() { drawLabels(m_pos); }

    // --- state -----------------------------------------------------------
    const std::vector<std::string>& RecordNodes() const { return m_nodes; }
    int RecordPos() const { return m_pos; }
    const QString& RootComment() const { return m_start.rootComment; }
    int TrialMoves() const { return m_trialMoves; }
    bool trialPlay() const { return m_trial; }

    static inline const QString TrialRefusal = QStringLiteral("请您先取消“试下”状态！");

    // A comment longer than this many characters is shown cut, with a note:
    // the log cannot show more usefully, and laying it out costs time.
    static constexpr qsizetype ShownCommentLength = 4000;
    static QString shownComment(const QString& comment);
    // A held run keeps at most this many log entries after its last clear;
    // a note says how many more there were.
    static constexpr std::size_t HeldLogEntries = 100;

private:
    // What the steps need of one node, read once at load; the comment and
    // the labels are read from the text when the node is shown.
    struct NodeState {
        std::int8_t i = 0; // the move's point, 0 when it names none
        std::int8_t j = 0;
        bool hasMove = false;
        bool pass = false;
        Colour colour = Colour::Black; // of the move
        bool hasComment = false;
        bool hasLabels = false;
        bool placed = false;  // the node put a stone or a pass into MoveList
        bool refused = false; // its move was refused at least once
        Colour sideBefore = Colour::Black;
    };
    // A log entry held back during a multi-step: a text, or the comment of
    // a node (0 for the root), read only if it is still shown at the end.
    struct HeldEntry {
        QString kind;
        QString text;
        int commentOf = -1;
    };
    struct Held {
        bool on = false;
        bool fresh = false;   // a new game was set up: lay the board out anew
        bool redraw = false;  // the board changed: draw it at the end
        bool cleared = false; // the log is to be emptied first
        std::deque<HeldEntry> entries;
        std::size_t dropped = 0;
    };

    QStringList putOnBoard();
    bool stepForward(StepSender sender);
    bool stepBack(StepSender sender);
    // The checks every stepping command starts with; false to stop.
    bool mayStep();
    void leaveMarking();
    void say(const QString& kind, const QString& text);
    // Empty the log, an empty "Version" entry, then a "System" entry with
    // the comment of node pos (0: the root), or an empty one for -1.
    void showCommentOf(int pos);
    QString commentText(int pos) const;
    void eraseLabels(int pos);
    void drawLabels(int pos);
    bool hasComment(int pos) const;
    // One held run: from its start the game draws through no view (nothing
    // drawn, no sound) and the log is held; finish() draws the board once
    // and gives the log what still stands. Left by an exception, it only
    // gives the game its view back.
    class HeldRun {
    public:
        HeldRun(RecordStepper& stepper, bool fresh);
        ~HeldRun();
        HeldRun(const HeldRun&) = delete;
        HeldRun& operator=(const HeldRun&) = delete;
        void finish();

    private:
        void resume();
        RecordStepper& m_stepper;
    };
    template <class F> void held(F&& steps);
    void drawHeldBoard();
    void flushHeldLog();

    WeiQiGame& m_game;
    GameView& m_board;
    RecordView& m_view;
    std::vector<std::string> m_nodes;
    std::vector<NodeState> m_states;
    GameRecord m_start; // the loaded record without its nodes: size, setup, problems
    int m_pos = 0;
    bool m_trial = false;
    int m_trialMoves = 0;
    std::vector<int> m_refused; // nodes whose move the rules refused, from 1
    Held m_held;
};

} // namespace zemra
