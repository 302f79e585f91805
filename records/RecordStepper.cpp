#include "records/RecordStepper.h"

#include <algorithm>
#include <set>


namespace zemra {

namespace {
const QString System = QStringLiteral("System");
const QString Version = QStringLiteral("Version");

QString qs(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

RecordStepper::RecordStepper(WeiQiGame& game, GameView& board, RecordView& view)
    : m_game(game), m_board(board), m_view(view)
{
}

QStringList RecordStepper::load(GameRecord record)
{
    leaveMarking();
    if (m_trial) toggleTrial();

    m_nodes = std::move(record.recordNodes);
    m_states.assign(m_nodes.size(), NodeState{});
    m_content.clear();
    m_content.reserve(m_nodes.size());
    for (const std::string& node : m_nodes)
        m_content.push_back(readRecordNode(node));
    m_rootComment = record.rootComment;
    m_pos = 0;
    m_refused.clear();

    m_game.PreviousBoardSize = m_game.BoardSize;
    m_game.BoardSize = record.boardSize;
    m_game.HandicapCount = record.handicapCount;
    m_game.ThreeStoneLowerRight = record.threeStoneLowerRight;
    m_game.InitWeiQiGame();
    placeSetup(record);

    last();

    QStringList problems = record.problems;
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

void RecordStepper::placeSetup(const GameRecord& record)
{
    const auto asSet = [](const std::vector<BoardPoint>& v) { return std::set<BoardPoint>(v.begin(), v.end()); };
    const std::vector<BoardPoint> standard =
        standardHandicapPoints(record.handicapCount, record.threeStoneLowerRight == 1);
    // The fixed layout (and GIB, which names no stones) goes the usual way.
    if (record.setupWhite.empty() &&
        (record.setupBlack.empty() || (!standard.empty() && asSet(record.setupBlack) == asSet(standard)))) {
        m_game.SetLocalHandicap();
        return;
    }
    for (const BoardPoint& p : record.setupBlack) {
        m_game.setPoint(p.i, p.j, PointCode::BlackChess, 0);
        m_board.DrawChess(p.i, p.j, Colour::Black);
        m_board.SendImageToFront(p.i, p.j);
    }
    for (const BoardPoint& p : record.setupWhite) {
        m_game.setPoint(p.i, p.j, PointCode::WhiteChess, 0);
        m_board.DrawChess(p.i, p.j, Colour::White);
        m_board.SendImageToFront(p.i, p.j);
    }
    if (!record.setupBlack.empty()) setSide(Colour::White);
}

void RecordStepper::setSide(Colour side)
{
    m_game.SideToMove = side;
    m_board.ShowSideToMove(side);
}

void RecordStepper::leaveMarking()
{
    if (m_game.MarkingDead) m_view.stopMarking();
}

void RecordStepper::showComment(const QString& text)
{
    m_view.clearLog();
    m_view.SendOutMessage(Version, QString());
    m_view.SendOutMessage(System, text);
}

void RecordStepper::showRootComment()
{
    showComment(m_rootComment);
}

bool RecordStepper::hasComment(int pos) const
{
    return pos >= 1 && m_content[static_cast<std::size_t>(pos - 1)].hasComment;
}

void RecordStepper::eraseLabels(int pos)
{
    if (pos < 1) return;
    for (const NodeLabel& l : m_content[static_cast<std::size_t>(pos - 1)].labels)
        m_view.eraseLabel(l.i, l.j);
}

void RecordStepper::drawLabels(int pos)
{
    if (pos < 1) return;
    for (const NodeLabel& l : m_content[static_cast<std::size_t>(pos - 1)].labels)
        m_view.DrawLabel(l.i, l.j, qs(l.text));
}

bool RecordStepper::mayStep()
{
    if (m_nodes.empty()) return false;
    if (m_trial) {
        m_view.SendOutMessage(System, TrialRefusal);
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
        m_view.SendOutMessage(System, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“左键”来查看下一步！"));

    const bool leftHadComment = m_pos == 0 || hasComment(m_pos);
    const int left = m_pos;
    ++m_pos;
    const RecordNodeContent& node = m_content[static_cast<std::size_t>(m_pos - 1)];
    if (node.hasComment)
        showComment(qs(node.comment));
    else if (leftHadComment)
        showComment(QString());
    if (m_pos > 1) eraseLabels(left);

    NodeState& state = m_states[static_cast<std::size_t>(m_pos - 1)];
    state.sideBefore = m_game.SideToMove;
    state.placed = false;
    if (node.move) {
        const RecordMove& m = *node.move;
        // The node's colour plays, whoever the turn was given to.
        m_game.SideToMove = m.colour;
        if (m.pass) {
            m_game.PassMove();
            state.placed = true;
            m_view.SendOutMessage(System, m.colour == Colour::Black ? QStringLiteral("黑棋弃权一手！")
                                                                      : QStringLiteral("白棋弃权一手！"));
        } else {
            state.placed = m.i != 0 && m_game.onBoard(m.i, m.j) && m_game.PlayChess(m.i, m.j, m.colour) == PlayResult::OK;
            if (!state.placed && !state.refused) {
                state.refused = true;
                m_refused.push_back(m_pos);
            }
        }
        setSide(opponentOf(m.colour));
    }
    drawLabels(m_pos);
    return true;
}

bool RecordStepper::stepBack(StepSender sender)
{
    if (!mayStep()) return false;
    leaveMarking();
    if (sender == StepSender::OwnMenuItem)
        m_view.SendOutMessage(System, QStringLiteral("您也可以在棋盘的任意位置单击鼠标“右键”来查看上一步！"));
    if (m_pos == 0) return false;

    eraseLabels(m_pos);
    const NodeState state = m_states[static_cast<std::size_t>(m_pos - 1)];
    // Only a node that really put something into MoveList takes it back.
    if (state.placed) m_game.Local_Undo();
    if (m_game.SideToMove != state.sideBefore) setSide(state.sideBefore);
    if (m_pos == 1) {
        showRootComment();
        m_pos = 0;
        return true;
    }
    const bool leftHadComment = hasComment(m_pos);
    --m_pos;
    if (hasComment(m_pos))
        showComment(qs(m_content[static_cast<std::size_t>(m_pos - 1)].comment));
    else if (leftHadComment)
        showComment(QString());
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

template <class F> void RecordStepper::muted(F&& steps)
{
    m_view.setStoneSoundMuted(true);
    steps();
    m_view.setStoneSoundMuted(false);
}

void RecordStepper::next10()
{
    if (!mayStep()) return;
    muted([this] {
        for (int k = 0; k < 10; ++k)
            stepForward(StepSender::Other);
    });
}

void RecordStepper::prev10()
{
    if (!mayStep()) return;
    for (int k = 0; k < 10; ++k)
        stepBack(StepSender::Other);
}

void RecordStepper::last()
{
    if (!mayStep()) return;
    leaveMarking();
    muted([this] {
        while (stepForward(StepSender::Other)) {
        }
    });
}

void RecordStepper::first()
{
    if (!mayStep()) return;
    leaveMarking();
    showRootComment();
    while (m_pos > 1)
        stepBack(StepSender::Other);
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
        const Colour side = m_game.SideToMove;
        if (m_game.onBoard(i, j) && m_game.PlayChess(i, j, side) == PlayResult::OK) {
            setSide(opponentOf(side));
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
    if (m_trial || m_game.MarkingDead) return;
    if (towardUser)
        stepForward(StepSender::Other);
    else
        stepBack(StepSender::Other);
}

} // namespace zemra
