#include <gtest/gtest.h>

#include "RecordTestUtil.h"

using namespace zemra;
using namespace zemra::test;

namespace {
using Log = std::vector<std::pair<QString, QString>>;
const QString Sys = QStringLiteral("System");
const QString Ver = QStringLiteral("Version");

std::string movesRecord(int n)
{
    std::string sgf = "(;SZ[19]C[根]";
    for (int k = 0; k < n; ++k) {
        const int i = k % 19 + 1, j = k / 19 * 2 + 1;
        sgf += std::string(";") + (k % 2 ? "W" : "B") + "[" + char('a' + i - 1) + char('a' + j - 1) + "]";
    }
    return sgf + ")";
}
} // namespace

TEST(RecordStepper, StepsBackToTheHandicapAndForwardToTheEnd)
{
    Viewer v;
    ASSERT_TRUE(v.open("(;SZ[19]AB[dp][pd]C[开局];W[dd];B[pp];W[qq])").isEmpty());
    EXPECT_EQ(v.stepper.RecordPos(), 3);
    EXPECT_EQ(v.game.MoveCount(), 3);
    EXPECT_EQ(v.board.sounds, 0) << "opening plays no stone sounds";

    for (int k = 0; k < 3; ++k)
        v.stepper.prev(StepSender::OwnMenuItem);
    EXPECT_EQ(v.stepper.RecordPos(), 0);
    EXPECT_EQ(v.game.MoveCount(), 0);
    EXPECT_EQ(v.game.SideToMove(), Colour::White);
    EXPECT_EQ(v.game.BoardPoints(4, 16), "BlackChess0");
    EXPECT_EQ(v.game.BoardPoints(16, 4), "BlackChess0");
    EXPECT_EQ(v.shown.log, (Log{{Ver, ""}, {Sys, "开局"}}));

    v.stepper.prev(StepSender::OwnMenuItem); // only the hint
    EXPECT_EQ(v.shown.log.size(), 3u);
    EXPECT_TRUE(v.shown.lastSystem().contains(u"右键"));
    EXPECT_EQ(v.game.checkInvariants(), "");

    v.stepper.next(StepSender::OwnMenuItem); // the hint goes with the log the empty comment clears
    EXPECT_EQ(v.shown.log, (Log{{Ver, ""}, {Sys, ""}}));
    v.stepper.prev(StepSender::Other);
    v.stepper.first();
    v.stepper.next(StepSender::Other);
    v.stepper.next(StepSender::OwnMenuItem);
    EXPECT_TRUE(v.shown.lastSystem().contains(u"左键"));
    v.stepper.wheel(true);
    EXPECT_EQ(v.stepper.RecordPos(), 3);
    v.stepper.wheel(false);
    v.stepper.boardClick(1, 1, BoardButton::Right);
    EXPECT_EQ(v.stepper.RecordPos(), 1);
    EXPECT_EQ(v.game.MoveList(), (std::vector<std::string>{";W[dd]"}));
}

TEST(RecordStepper, FirstKeepsNodeOneAndMultiStepsStopAtTheEnds)
{
    Viewer v;
    v.open(movesRecord(50));
    v.stepper.first();
    EXPECT_EQ(v.stepper.RecordPos(), 1);
    EXPECT_EQ(v.game.MoveList(), (std::vector<std::string>{";B[aa]"}));
    EXPECT_EQ(v.position().find('O'), std::string::npos);

    v.stepper.prev(StepSender::Other);
    v.stepper.first(); // from node 0 nothing moves
    EXPECT_EQ(v.stepper.RecordPos(), 0);

    v.stepper.last();
    v.stepper.prev10();
    v.stepper.prev10();
    EXPECT_EQ(v.stepper.RecordPos(), 30);
    v.stepper.next10();
    v.stepper.next10();
    EXPECT_EQ(v.stepper.RecordPos(), 50);
    EXPECT_EQ(v.board.sounds, 0) << "multi-steps are silent";
    v.stepper.prev(StepSender::Other);
    v.stepper.next(StepSender::Other);
    EXPECT_EQ(v.board.sounds, 1) << "a single step is heard";
    v.stepper.next10(); // four left would stop at the end; none left does nothing
    EXPECT_EQ(v.stepper.RecordPos(), 50);
    EXPECT_EQ(v.game.MoveCount(), 50);
}

TEST(RecordStepper, PassesCommentsAndLabels)
{
    Viewer v;
    v.open("(;SZ[19];B[pd]C[妙手];W[qd]LB[pd:A][dd:B];B[];W[cc];B[dd])");
    v.stepper.first();
    EXPECT_EQ(v.shown.log, (Log{{Ver, ""}, {Sys, "妙手"}}));

    const int clears = v.shown.clears;
    v.stepper.next(StepSender::Other); // W[qd]: no comment after one
    EXPECT_EQ(v.shown.log, (Log{{Ver, ""}, {Sys, ""}}));
    EXPECT_EQ(v.shown.labels, (std::map<std::pair<int, int>, QString>{{{16, 4}, "A"}, {{4, 4}, "B"}}));

    v.stepper.next(StepSender::Other); // B[]: the log stays, the pass is told
    EXPECT_EQ(v.shown.clears, clears + 1);
    EXPECT_EQ(v.shown.log.back(), std::make_pair(Sys, QStringLiteral("黑棋弃权一手！")));
    EXPECT_TRUE(v.shown.labels.empty());
    EXPECT_EQ(v.game.MoveList().back(), ";B[]");
    EXPECT_EQ(v.game.SideToMove(), Colour::White);

    v.stepper.prev(StepSender::Other); // the pass goes, node 2's labels come back
    EXPECT_EQ(v.game.MoveList().back(), ";W[qd]");
    EXPECT_EQ(v.game.SideToMove(), Colour::Black);
    EXPECT_EQ(v.shown.labels.size(), 2u);
    v.stepper.prev(StepSender::Other);
    EXPECT_EQ(v.shown.log, (Log{{Ver, ""}, {Sys, "妙手"}}));
    EXPECT_TRUE(v.shown.labels.empty());
}

TEST(RecordStepper, TrialPlayTakesItsStonesBack)
{
    Viewer v;
    v.open("(;SZ[9];B[ee];W[ce])");
    const std::string record = v.position();

    v.stepper.toggleTrial();
    EXPECT_TRUE(v.shown.trial);
    v.stepper.boardClick(5, 5, BoardButton::Left); // occupied: nothing, silently
    v.stepper.boardClick(3, 3, BoardButton::Left);
    v.stepper.boardClick(7, 7, BoardButton::Left);
    EXPECT_EQ(v.stepper.TrialMoves(), 2);
    EXPECT_EQ(v.game.pointCode(3, 3), PointCode::BlackChess);
    EXPECT_EQ(v.game.pointCode(7, 7), PointCode::WhiteChess);

    v.stepper.next(StepSender::Other);
    v.stepper.last();
    v.stepper.wheel(false);
    EXPECT_EQ(v.shown.lastSystem(), RecordStepper::TrialRefusal);
    EXPECT_EQ(v.stepper.RecordPos(), 2);

    v.stepper.boardClick(1, 1, BoardButton::Right);
    EXPECT_TRUE(v.stepper.trialPlay());
    v.stepper.boardClick(1, 1, BoardButton::Right);
    EXPECT_FALSE(v.stepper.trialPlay());
    EXPECT_FALSE(v.shown.trial);
    EXPECT_EQ(v.shown.lastSystem(), u"回到原始棋谱，试下已被自动取消。");
    EXPECT_EQ(v.position(), record);
    EXPECT_EQ(v.game.SideToMove(), Colour::Black);

    v.stepper.toggleTrial();
    v.stepper.boardClick(1, 1, BoardButton::Right); // nothing to take back
    v.stepper.toggleTrial();
    EXPECT_EQ(v.shown.lastSystem(), u"回到原始棋谱，试下已经被取消。");
    v.stepper.toggleTrial();
    v.stepper.boardClick(2, 2, BoardButton::Left);
    v.stepper.toggleTrial();
    EXPECT_EQ(v.position(), record);
    EXPECT_EQ(v.game.checkInvariants(), "");
}

TEST(RecordStepper, RefusedMovesAreNotTakenBack)
{
    Viewer v;
    const QStringList problems = v.open("(;SZ[9];B[ee];W[ee];B[cc];W[zz];B[dd])");
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().contains(u"2")) << problems.front().toStdString();
    EXPECT_EQ(v.game.MoveList(), (std::vector<std::string>{";B[ee]", ";B[cc]", ";B[dd]"}));
    EXPECT_EQ(v.game.SideToMove(), Colour::White);

    v.stepper.prev(StepSender::Other);
    v.stepper.prev(StepSender::Other); // W[zz] placed nothing
    EXPECT_EQ(v.game.MoveList().size(), 2u);
    EXPECT_EQ(v.game.SideToMove(), Colour::White);
    v.stepper.prev(StepSender::Other);
    v.stepper.prev(StepSender::Other); // W[ee] placed nothing: B[ee] stays
    EXPECT_EQ(v.game.MoveList(), (std::vector<std::string>{";B[ee]"}));
    EXPECT_EQ(v.game.SideToMove(), Colour::White);
    EXPECT_EQ(v.game.checkInvariants(), "");
}

TEST(RecordStepper, NodeColourPlaysAndSetupOnTheNamedPoints)
{
    Viewer v;
    v.open("(;SZ[9]AB[cc][gg]AW[ee];B[aa];B[bb];W[ii])");
    EXPECT_EQ(v.game.HandicapCount(), 2);
    EXPECT_EQ(v.game.BoardPoints(3, 3), "BlackChess0");
    EXPECT_EQ(v.game.BoardPoints(5, 5), "WhiteChess0");
    EXPECT_EQ(v.game.BoardPoints(2, 2), "BlackChess2"); // two black moves in a row stay black
    EXPECT_EQ(v.game.BoardPoints(9, 9), "WhiteChess3");
    v.stepper.prev(StepSender::Other);
    v.stepper.prev(StepSender::Other);
    EXPECT_EQ(v.game.pointCode(2, 2), PointCode::Empty);
    EXPECT_EQ(v.game.BoardPoints(1, 1), "BlackChess1");
    EXPECT_EQ(v.game.SideToMove(), Colour::White);

    // The standard layout puts down exactly what a handicap game does.
    Viewer s;
    s.open("(;SZ[19]AB[pp][dp][pd][dd][jj])");
    WeiQiGame local;
    local.newGame(GameSetup::fixed(19, 5));
    for (int i = 1; i <= 19; ++i)
        for (int j = 1; j <= 19; ++j)
            EXPECT_EQ(s.game.BoardPoints(i, j), local.BoardPoints(i, j));
    EXPECT_EQ(s.game.SideToMove(), Colour::White);

    // The same points on a smaller board are set-up stones, not a handicap
    // that board cannot have: the record goes onto its own board.
    s.open("(;SZ[17]AB[dp][pd];W[cc])");
    EXPECT_EQ(s.game.BoardSize(), 17);
    EXPECT_EQ(s.game.BoardPoints(4, 16), "BlackChess0");
    EXPECT_EQ(s.game.MoveList(), (std::vector<std::string>{";W[cc]"}));
}

TEST(RecordStepper, LoadingLeavesMarkingAndTrialFirst)
{
    Viewer v;
    v.open("(;SZ[9];B[ee])");
    v.stepper.toggleTrial();
    v.stepper.boardClick(1, 1, BoardButton::Left);
    v.game.SetMarkingDead(true);
    v.open("(;SZ[13];B[aa])");
    EXPECT_FALSE(v.game.MarkingDead());
    EXPECT_FALSE(v.stepper.trialPlay());
    EXPECT_EQ(v.game.BoardSize(), 13);
    EXPECT_EQ(v.game.PreviousBoardSize(), 9);
    EXPECT_EQ(v.game.MoveList(), (std::vector<std::string>{";B[aa]"}));

    v.game.SetMarkingDead(true);
    v.stepper.prev(StepSender::Other);
    EXPECT_FALSE(v.game.MarkingDead());
}

TEST(RecordStepper, SetupGroupsWithoutLibertiesGoAsCapturesTakeThem)
{
    const struct {
        const char* sgf;
        const char* position; // after the last node, top row first
        int removed;
    } rows[] = {
        // The lone white corner stone has no liberty; Black then plays on.
        {"(;SZ[5]AB[ba][ab]AW[aa];B[cc])", ".X...\nX....\n..X..\n.....\n.....\n", 1},
        // Both colours fill the board: the side to move (White, as after
        // handicap stones) goes first, and Black then has liberties again.
        {"(;SZ[5]AB[aa:ae]AW[ba:ee];W[cc])", "X....\nX....\nX.O..\nX....\nX....\n", 20},
        {"(;SZ[5]AW[aa]AB[ba][ab];W[aa])", ".X...\nX....\n.....\n.....\n.....\n", 1}, // the empty point refuses W[aa]
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.sgf);
        Viewer v;
        const QStringList problems = v.open(r.sgf);
        EXPECT_EQ(v.game.checkInvariants(), "");
        EXPECT_EQ(v.position(), r.position);
        ASSERT_FALSE(problems.isEmpty());
        EXPECT_TRUE(problems.front().contains(QString::number(r.removed))) << problems.front().toStdString();
        EXPECT_EQ(v.game.BlackCaptured() + v.game.WhiteCaptured(), 0) << "setup stones are not captured by a move";

        // Stepping, trial play and a count run on a position the rules allow.
        v.stepper.first();
        v.stepper.prev(StepSender::Other);
        v.stepper.toggleTrial();
        v.stepper.boardClick(5, 5, BoardButton::Left);
        v.stepper.boardClick(4, 5, BoardButton::Left);
        EXPECT_EQ(v.game.checkInvariants(), "");
        v.stepper.toggleTrial();
        v.stepper.last();
        EXPECT_EQ(v.position(), r.position);
        EXPECT_EQ(v.game.checkInvariants(), "");
    }
}
