#include "records/GameRecord.h"

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
    GameSetup s = GameSetup::fixed(boardSize, handicapCount);
    s.threeStoneLowerRight = threeStoneLowerRight;
    const bool fixedLayout = (setupBlack.empty() && setupWhite.empty()) ||
                             isFixedLayout(boardSize, setupBlack, setupWhite, threeStoneLowerRight);
    if (!fixedLayout) {
        s.freeBlack = setupBlack;
        s.freeWhite = setupWhite;
        s.firstPlayer = setupBlack.empty() ? Colour::Black : Colour::White;
    }
    return s;
}

} // namespace zemra
