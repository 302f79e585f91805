// Dead-stone marking and the territory count (no komi).
#include "board/WeiQiGame.h"

namespace zemra {

void WeiQiGame::FlagDeadSerial(int i, int j, PointCode code)
{
    if (!onBoard(i, j) || pointCode(i, j) == PointCode::Empty || pointMark(i, j) != MarkCode::None) return;
    const PointCode s = pointCode(i, j);
    if (code != s) return;
    if (s == PointCode::BlackChess) {
        setPointMark(i, j, MarkCode::BlackDead);
        m_view->DrawBlock(i, j, Colour::White);
    } else if (s == PointCode::WhiteChess) {
        setPointMark(i, j, MarkCode::WhiteDead);
        m_view->DrawBlock(i, j, Colour::Black);
    } else {
        return;
    }
    FlagDeadSerial(i - 1, j, code);
    FlagDeadSerial(i + 1, j, code);
    FlagDeadSerial(i, j - 1, code);
    FlagDeadSerial(i, j + 1, code);
}

void WeiQiGame::UnFlagDeadSerial(int i, int j, PointCode code)
{
    if (!onBoard(i, j) || pointCode(i, j) == PointCode::Empty || pointMark(i, j) == MarkCode::None) return;
    const PointCode s = pointCode(i, j);
    if (code != s || (s != PointCode::BlackChess && s != PointCode::WhiteChess)) return;
    const Colour colour = *stoneColour(s);
    const MarkCode dead = colour == Colour::Black ? MarkCode::BlackDead : MarkCode::WhiteDead;
    if (pointMark(i, j) == dead) {
        setPointMark(i, j, MarkCode::None);
        m_view->ClearChessBoard(i, j);
        m_view->DrawChess(i, j, colour);
        // Only a stone some move placed can be the last move: at move 0 a
        // handicap stone would otherwise get the last-move mark.
        if (pointNumber(i, j) > 0 && pointNumber(i, j) == m_moveCount) m_view->DrawSmallTriangle(i, j);
        m_view->SendImageToFront(i, j);
    }
    UnFlagDeadSerial(i - 1, j, code);
    UnFlagDeadSerial(i + 1, j, code);
    UnFlagDeadSerial(i, j - 1, code);
    UnFlagDeadSerial(i, j + 1, code);
}

void WeiQiGame::MarkingClick(int i, int j)
{
    if (!inArray(i, j) || !hasStone(i, j)) return;
    const PointCode s = pointCode(i, j);
    if (pointMark(i, j) == MarkCode::None)
        FlagDeadSerial(i, j, s);
    else
        UnFlagDeadSerial(i, j, s);
}

void WeiQiGame::SetMarkingDead(bool on)
{
    if (on) {
        m_markingDead = true;
        m_view->SetStoneLabelMode(StoneLabelMode::Marking);
        for (int i = 1; i <= m_boardSize; ++i)
            for (int j = 1; j <= m_boardSize; ++j)
                if (hasStone(i, j)) m_view->ShowChessNumberAndFlag(pointNumber(i, j));
        return;
    }
    m_markingDead = false;
    clearPointMarks();
    m_view->SetStoneLabelMode(StoneLabelMode::LastMoveMark);
    drawStones(*m_view);
}

void WeiQiGame::drawStones(GameView& view) const
{
    for (int i = 1; i <= m_boardSize; ++i) {
        for (int j = 1; j <= m_boardSize; ++j) {
            if (!hasStone(i, j)) continue;
            if (pointNumber(i, j) != 0) {
                view.ShowChessNumberAndFlag(pointNumber(i, j));
            } else {
                view.DrawChess(i, j, *stoneColour(pointCode(i, j)));
                view.SendImageToFront(i, j);
            }
        }
    }
}

MarkCode WeiQiGame::nextRegionVerdict(MarkCode before, MarkCode border)
{
    // A dead stone borders the region like a stone of the other colour.
    MarkCode owner;
    bool dead = false;
    switch (border) {
    case MarkCode::BlackChess: owner = MarkCode::BlackPoint; break;
    case MarkCode::WhiteChess: owner = MarkCode::WhitePoint; break;
    case MarkCode::BlackDead:
        owner = MarkCode::WhitePoint;
        dead = true;
        break;
    case MarkCode::WhiteDead:
        owner = MarkCode::BlackPoint;
        dead = true;
        break;
    default: return before;
    }
    switch (before) {
    case MarkCode::BlankPoint: return owner;
    case MarkCode::BlackPoint:
    case MarkCode::WhitePoint:
        if (owner == before) return before;
        // A live stone against an earlier verdict is shared ground; a dead
        // stone that contradicts the verdict means the marks are wrong.
        return dead ? MarkCode::ErrorPoint : MarkCode::SharePoint;
    case MarkCode::SharePoint:
    case MarkCode::ErrorPoint: return before;
    default: return before;
    }
}

void WeiQiGame::FindBlankSerial(int i, int j)
{
    if (!onBoard(i, j)) return;
    const MarkCode m = pointMark(i, j);
    switch (m) {
    case MarkCode::BlackPoint:
    case MarkCode::WhitePoint:
    case MarkCode::SharePoint:
    case MarkCode::ErrorPoint:
    case MarkCode::TestPoint: return;
    case MarkCode::None:
        setPointMark(i, j, MarkCode::TestPoint);
        m_regionPoints.push_back(Pt{static_cast<std::int8_t>(i), static_cast<std::int8_t>(j)});
        FindBlankSerial(i - 1, j);
        FindBlankSerial(i, j - 1);
        FindBlankSerial(i + 1, j);
        FindBlankSerial(i, j + 1);
        return;
    default: RegionVerdict = nextRegionVerdict(RegionVerdict, m); return;
    }
}

CountReport WeiQiGame::DianMu(bool markingOn)
{
    if (!markingOn) clearPointMarks();

    for (int i = 1; i <= MaxSize; ++i)
        for (int j = 1; j <= MaxSize; ++j)
            if (hasStone(i, j) && pointMark(i, j) == MarkCode::None)
                setPointMark(i, j, pointCode(i, j) == PointCode::BlackChess ? MarkCode::BlackChess : MarkCode::WhiteChess);

    for (int i = 1; i <= MaxSize; ++i) {
        for (int j = 1; j <= MaxSize; ++j) {
            if (pointMark(i, j) != MarkCode::None) continue;
            RegionVerdict = MarkCode::BlankPoint;
            m_regionPoints.clear();
            FindBlankSerial(i, j);
            // Only the points of this region can carry "Test Point".
            for (const Pt p : m_regionPoints)
                setPointMark(p.i, p.j, RegionVerdict);
        }
    }

    CountReport r;
    for (const MarkCode m : m_marks) {
        switch (m) {
        case MarkCode::BlackDead: ++r.blackDead; break;
        case MarkCode::WhiteDead: ++r.whiteDead; break;
        case MarkCode::BlackPoint: ++r.blackPoints; break;
        case MarkCode::WhitePoint: ++r.whitePoints; break;
        case MarkCode::SharePoint: ++r.sharePoints; break;
        case MarkCode::ErrorPoint: ++r.errorPoints; break;
        default: break;
        }
    }
    r.whiteScore = 2 * r.blackDead + r.whitePoints + m_blackCaptured;
    r.blackScore = 2 * r.whiteDead + r.blackPoints + m_whiteCaptured;

    const std::string rule(38, '-');
    const auto num = [](int v) { return std::to_string(v); };
    r.lines.push_back(rule);
    r.lines.push_back("白方：" + num(r.whitePoints + r.blackDead) + "(空)+" + num(m_blackCaptured + r.blackDead) + "(黑子)" +
                      "+0(贴目) = " + num(r.whiteScore) + " 目");
    r.lines.push_back("黑方：" + num(r.blackPoints + r.whiteDead) + "(空)+" + num(r.whiteDead + m_whiteCaptured) +
                      "(白子) = " + num(r.blackScore) + " 目");
    r.lines.push_back("公共地域：" + num(r.sharePoints) + " 目" + "    " + "未知地域：" + num(r.errorPoints) + " 目");
    if (r.blackScore > r.whiteScore)
        r.lines.push_back("=> 点目结果：不计贴目时，黑棋胜 " + num(r.blackScore - r.whiteScore) + " 目");
    else if (r.blackScore < r.whiteScore)
        r.lines.push_back("=> 点目结果：不计贴目时，白棋胜 " + num(r.whiteScore - r.blackScore) + " 目");
    else
        r.lines.push_back("=> 点目结果：不计贴目时，结果为和棋！");
    r.lines.push_back(rule);

    for (MarkCode& m : m_marks)
        if (m != MarkCode::BlackDead && m != MarkCode::WhiteDead) m = MarkCode::None;
    return r;
}

} // namespace zemra
