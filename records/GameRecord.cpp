#include "records/GameRecord.h"

#include <set>

namespace zemra {

GameInfo GameRecord::resetGameInfo()
{
    GameInfo info;
    info.BlackName = QStringLiteral("未知");
    info.WhiteName = QStringLiteral("未知");
    info.SizeText = QStringLiteral("19");
    return info;
}

ReadOutcome ReadOutcome::failure(const QString& message)
{
    ReadOutcome out;
    out.error = message;
    return out;
}

ReadOutcome tooManyNodes()
{
    return ReadOutcome::failure(QStringLiteral("棋谱太长：超过了 %1 万个节点（着手），不能打开。").arg(MaxRecordNodes / 10000));
}

GameSetup GameRecord::setup() const
{
    const auto asSet = [](const std::vector<BoardPoint>& v) { return std::set<BoardPoint>(v.begin(), v.end()); };
    const std::vector<BoardPoint> layout = fixedHandicapPoints(handicapCount, threeStoneLowerRight);
    GameSetup s = GameSetup::fixed(boardSize, handicapCount);
    s.threeStoneLowerRight = threeStoneLowerRight;
    const bool fixedLayout =
        setupWhite.empty() && (setupBlack.empty() || (!layout.empty() && asSet(setupBlack) == asSet(layout)));
    if (!fixedLayout) {
        s.freeBlack = setupBlack;
        s.freeWhite = setupWhite;
        s.firstPlayer = setupBlack.empty() ? Colour::Black : Colour::White;
    }
    return s;
}

} // namespace zemra
