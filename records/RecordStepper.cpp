#include "records/RecordStepper.h"

#include <algorithm>

#include "text/Utf8.h"

namespace zemra {

namespace {
const QString System = QStringLiteral("System");
const QString Version = QStringLiteral("Version");
} // namespace

RecordStepper::RecordStepper(WeiQiGame& game, GameView& board, RecordView& view)
    : m_game(game), m_board(board), m_view(view)
{
}

QStringList RecordStepper::load(GameRecord record)
{
    // Marking and trial play end on the old nodes: their labels are redrawn.
    leaveMarking();
    if (m_trial) toggleTrial();

    m_nodes = std::move(record.recordNodes);
    record.recordNodes = {};
    m_states.assign(m_nodes.size(), NodeState{});
    for (std::size_t k = 0; k < m_nodes.size(); ++k) {
        const RecordNodeFacts facts = readRecordNodeFacts(m_nodes[k]);
        NodeState& s = m_states[k];
        s.hasComment = facts.hasComment;
        s.hasLabels = facts.hasLabels;
        if (facts.move) {
            s.hasMove = true;
            s.pass = facts.move->pass;
            s.colour = facts.move->colour;
            s.i = static_cast<std::int8_t>(facts.move->i);
            s.j = static_cast<std::int8_t>(facts.move->j);
        }
    }
    m_start = std::move(record);
    m_pos = 0;
    return putOnBoard();
}

void RecordStepper::replay()
{
    leaveMarking();
    if (m_trial) toggleTrial();
    m_pos = 0;
    for (NodeState& s : m_states)
        s.placed = false;
    putOnBoard();
}

QStringList RecordStepper::putOnBoard()
{
    m_refused.clear();
    // The fresh game, its setup stones and every node are one held run: the
    // board is drawn once, at the end, and each stone once.
    HeldRun run(*this, true);
    int removed = 0;
    // The readers only hand over starts that are valid; should one not be,
    // the record still goes onto a fresh board rather than the old game's.
    const bool started = m_game.newGame(m_start.setup(), &removed);
    if (!started) m_game.newGame(GameSetup::fixed(GameSetup::validBoardSize(m_start.boardSize) ? m_start.boardSize : 19, 0));
    m_view.recordStarted();
    while (stepForward(StepSender::Other)) {
    }
    run.finish();

    QStringList problems = m_start.problems;
    if (!started) problems << QStringLiteral("棋谱开局摆放的棋子无法使用，已从空棋盘开始。");
    if (removed > 0)
        problems << QStringLiteral("棋谱摆放的棋子中有 %1 子没有气，已像提子一样拿掉。").arg(removed);
    if (!m_refused.empty()) {
        QStringList numbers;
        for (std::size_t k = 0; k < m_refused.size() && k < 5; ++k)
            numbers << QString::number(m_refused[k]);
        if (m_refused.size() > 5) numbers << QStringLiteral("…");
        problems << QStringLiteral("棋谱中有 %1 手棋不合规则或不在棋盘上，没有落子（第 %2 个节点）。")
                        .arg(m_refused.size())
                        .arg(numbers.join(QStringLiteral("、")));
    }
    return problems;
}

void RecordStepper::leaveMarking()
{
    if (!m_game.MarkingDead()) return;
    m_view.stopMarking();
    // Held, the marks went from the model but not from the picture.
    m_held.redraw = true;
}

QString RecordStepper::shownComment(const QString& comment)
{
    if (comment.size() <= ShownCommentLength) return comment;
    qsizetype cut = ShownCommentLength;
    if (comment[cut].isLowSurrogate()) --cut; // a character outside the BMP stays whole
    return comment.left(cut) + QStringLiteral("……\n（这段评注共 %1 字，太长，只显示了前 %2 字。）")
                                   .arg(comment.size())
                                   .arg(cut);
}

void RecordStepper::say(const QString& kind, const QString& text)
{
    if (!m_held.on) {
        m_view.SendOutMessage(kind, text);
        return;
    }
    if (m_held.entries.size() >= HeldLogEntries) {
        ++m_held.dropped;
        return;
    }
    m_held.entries.push_back(HeldEntry{kind, text, -1});
}

QString RecordStepper::commentText(int pos) const
{
    if (pos == 0) return m_start.rootComment;
    if (pos < 0 || !hasComment(pos)) return {};
    return fromUtf8(readRecordNode(m_nodes[static_cast<std::size_t>(pos - 1)]).comment);
}

void RecordStepper::showCommentOf(int pos)
{
    if (m_held.on) {
        // Whatever the log was given before is gone at the end anyway.
        m_held.cleared = true;
        m_held.entries.clear();
        m_held.dropped = 0;
        m_held.entries.push_back(HeldEntry{Version, QString(), -1});
        m_held.entries.push_back(HeldEntry{System, QString(), pos});
        return;
    }
    m_view.clearLog();
    m_view.SendOutMessage(Version, QString());
    m_view.SendOutMessage(System, shownComment(commentText(pos)));
}

void RecordStepper::showRootComment()
{
    showCommentOf(0);
}

bool RecordStepper::hasComment(int pos) const
{
    return pos >= 1 && m_states[static_cast<std::size_t>(pos - 1)].hasComment;
}

void RecordStepper::eraseLabels(int pos)
{
    if (pos < 1 || m_held.on || !m_states[static_cast<std::size_t>(pos - 1)].hasLabels) return;
    for (const NodeLabel& l : readRecordNode(m_nodes[static_cast<std::size_t>(pos - 1)]).labels)
        m_view.eraseLabel(l.i, l.j);
}

void RecordStepper::drawLabels(int pos)
{
    if (pos < 1 || m_held.on || !m_states[static_cast<std::size_t>(pos - 1)].hasLabels) return;
    for (const NodeLabel& l : readRecordNode(m_nodes[static_cast<std::size_t>(pos - 1)]).labels)
        m_view.DrawLabel(l.i, l.j, fromUtf8(l.text));
}

bool RecordStepper::mayStep()
{
    if (m_nodes.empty()) return false;
    if (m_trial) {
        say(System, TrialRefusal);
        return false;
    }
    return true;
}

bool RecordStepper::stepForward(StepSender sender)
{
    if (m_nodes.empty() || m_pos >= static_cast<int>(m_nodes.size())) return false;
    if (!mayStep()) return false;
    leaveMarking();
    if (sender == StepSender::OwnMenuItem)
        say(System, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“左键”来查看下一步！"));

    const bool leftHadComment = m_pos == 0 || hasComment(m_pos);
    const int left = m_pos;
    ++m_pos;
    m_held.redraw = true;
    NodeState& node = m_states[static_cast<std::size_t>(m_pos - 1)];
    if (node.hasComment)
        showCommentOf(m_pos);
    else if (leftHadComment)
        showCommentOf(-1);
    if (m_pos > 1) eraseLabels(left);

    node.sideBefore = m_game.SideToMove();
    node.placed = false;
    if (node.hasMove) {
        // The node's colour plays, whoever the turn was given to.
        m_game.setSideToMove(node.colour);
        if (node.pass) {
            m_game.PassMove();
            node.placed = true;
            say(System, node.colour == Colour::Black ? QStringLiteral("黑棋弃权一手！") : QStringLiteral("白棋弃权一手！"));
        } else {
            node.placed = node.i != 0 && m_game.onBoard(node.i, node.j) &&
                          m_game.PlayChess(node.i, node.j, node.colour) == PlayResult::OK;
            if (!node.placed && !node.refused) {
                node.refused = true;
                m_refused.push_back(m_pos);
            }
        }
        m_game.setSideToMove(opponentOf(node.colour));
    }
    drawLabels(m_pos);
    return true;
}

bool RecordStepper::stepBack(StepSender sender)
{
    if (!mayStep()) return false;
    leaveMarking();
    if (sender == StepSender::OwnMenuItem)
        say(System, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来查看上一步！"));
    if (m_pos == 0) return false;

    m_held.redraw = true;
    eraseLabels(m_pos);
    const NodeState state = m_states[static_cast<std::size_t>(m_pos - 1)];
    // Only a node that really put something into MoveList takes it back.
    if (state.placed) m_game.Local_Undo();
    if (m_game.SideToMove() != state.sideBefore) m_game.setSideToMove(state.sideBefore);
    if (m_pos == 1) {
        showRootComment();
        m_pos = 0;
        return true;
    }
    const bool leftHadComment = hasComment(m_pos);
    --m_pos;
    if (hasComment(m_pos))
        showCommentOf(m_pos);
    else if (leftHadComment)
        showCommentOf(-1);
    drawLabels(m_pos);
    return true;
}

void RecordStepper::next(StepSender sender)
{
    stepForward(sender);
}

void RecordStepper::prev(StepSender sender)
{
    stepBack(sender);
}

RecordStepper::HeldRun::HeldRun(RecordStepper& stepper, bool fresh) : m_stepper(stepper)
{
    m_stepper.m_held = Held{};
    m_stepper.m_held.on = true;
    m_stepper.m_held.fresh = fresh;
    // The game draws nowhere, so it plays no sound either; the board is
    // drawn once from the model when the run ends.
    m_stepper.m_game.setView(nullptr);
}

RecordStepper::HeldRun::~HeldRun()
{
    if (m_stepper.m_held.on) resume();
}

void RecordStepper::HeldRun::resume()
{
    m_stepper.m_game.setView(&m_stepper.m_board);
    m_stepper.m_held.on = false;
}

void RecordStepper::HeldRun::finish()
{
    resume();
    if (m_stepper.m_held.redraw || m_stepper.m_held.fresh) m_stepper.drawHeldBoard();
    m_stepper.flushHeldLog();
}

template <class F> void RecordStepper::held(F&& steps)
{
    HeldRun run(*this, false);
    steps();
    run.finish();
}

void RecordStepper::drawHeldBoard()
{
    // A new game: the empty board for its size, then only the stones.
    if (m_held.fresh) {
        m_board.InitChessBoard();
    } else {
        // Otherwise every point is cleared: stones may have gone anywhere.
        for (int i = 1; i <= m_game.BoardSize(); ++i) {
            for (int j = 1; j <= m_game.BoardSize(); ++j) {
                m_board.ClearChessBoard(i, j);
                if (!m_game.hasStone(i, j)) m_board.SendImageToFront(i, j);
            }
        }
    }
    m_game.drawStones(m_board);
    m_board.SetLabelBlackDead(WeiQiGame::capturedCaption(m_game.BlackCaptured()));
    m_board.SetLabelWhiteDead(WeiQiGame::capturedCaption(m_game.WhiteCaptured()));
    m_board.ShowSideToMove(m_game.SideToMove());
    drawLabels(m_pos);
}

void RecordStepper::flushHeldLog()
{
    Held held = std::move(m_held);
    m_held = Held{};
    if (held.cleared) m_view.clearLog();
    for (const HeldEntry& e : held.entries)
        m_view.SendOutMessage(e.kind, e.commentOf >= 0 ? shownComment(commentText(e.commentOf)) : e.text);
    if (held.dropped > 0)
        m_view.SendOutMessage(System, QStringLiteral("……（还有 %1 条消息，没有显示。）").arg(held.dropped));
}

void RecordStepper::next10()
{
    if (!mayStep()) return;
    held([this] {
        for (int k = 0; k < 10; ++k)
            stepForward(StepSender::Other);
    });
}

void RecordStepper::prev10()
{
    if (!mayStep()) return;
    held([this] {
        for (int k = 0; k < 10; ++k)
            stepBack(StepSender::Other);
    });
}

void RecordStepper::last()
{
    if (!mayStep()) return;
    leaveMarking();
    held([this] {
        while (stepForward(StepSender::Other)) {
        }
    });
}

void RecordStepper::first()
{
    if (!mayStep()) return;
    leaveMarking();
    held([this] {
        showRootComment();
        while (m_pos > 1)
            stepBack(StepSender::Other);
    });
}

void RecordStepper::toggleTrial()
{
    leaveMarking();
    if (!m_trial) {
        m_trial = true;
        m_trialMoves = 0;
        m_view.trialPlayChanged(true);
        return;
    }
    m_trial = false;
    m_view.trialPlayChanged(false);
    while (m_trialMoves > 0) {
        --m_trialMoves;
        m_game.Local_Undo();
    }
    m_view.SendOutMessage(System, QStringLiteral("回到原始棋谱，试下已经被取消。"));
}

void RecordStepper::boardClick(int i, int j, BoardButton button)
{
    if (!m_trial) {
        if (button == BoardButton::Left) stepForward(StepSender::Other);
        if (button == BoardButton::Right) stepBack(StepSender::Other);
        return;
    }
    if (button == BoardButton::Left) {
        const Colour side = m_game.SideToMove();
        if (m_game.onBoard(i, j) && m_game.PlayChess(i, j, side) == PlayResult::OK) {
            m_game.setSideToMove(opponentOf(side));
            ++m_trialMoves;
        }
    } else if (button == BoardButton::Right && m_trialMoves > 0) {
        if (m_trialMoves == 1) {
            m_trial = false;
            m_view.trialPlayChanged(false);
            m_view.SendOutMessage(System, QStringLiteral("回到原始棋谱，试下已被自动取消。"));
        }
        --m_trialMoves;
        m_game.Local_Undo();
    }
}

void RecordStepper::wheel(bool towardUser)
{
    if (m_trial || m_game.MarkingDead()) return;
    if (towardUser)
        stepForward(StepSender::Other);
    else
        stepBack(StepSender::Other);
}

} // namespace zemra
