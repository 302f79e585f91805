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

std::vector<BoardPoint> standardHandicapPoints(int count, bool threeStoneLowerRight)
{
    if (count < 2 || count > 9) return {};
    std::vector<BoardPoint> points = {{4, 16}, {16, 4}};
    if (count == 3) points.push_back(threeStoneLowerRight ? BoardPoint{16, 16} : BoardPoint{4, 4});
    if (count >= 4) points.insert(points.end(), {{4, 4}, {16, 16}});
    if (count >= 6) points.insert(points.end(), {{4, 10}, {16, 10}});
    if (count >= 8) points.insert(points.end(), {{10, 4}, {10, 16}});
    if (count % 2 == 1 && count != 3) points.push_back({10, 10});
    return points;
}

} // namespace zemra
