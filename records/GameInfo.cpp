#include "records/GameInfo.h"

namespace zemra {

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString todayText()
{
    return dateText(QDate::currentDate());
}

GameInfo friendlyGameInfo(const QString& place, const QString& blackName, const QString& whiteName, int boardSize)
{
    GameInfo info;
    info.GameEvent = QStringLiteral("围棋友谊赛");
    info.GameDate = todayText();
    info.GamePlace = place;
    info.BlackName = blackName;
    info.BlackRank = QStringLiteral("9 段");
    info.WhiteName = whiteName;
    info.WhiteRank = QStringLiteral("9 段");
    info.SizeText = QString::number(boardSize);
    info.GameKomi = QStringLiteral("贴2又3/4子");
    info.GameResult = QStringLiteral("正在比赛！");
    info.GameSource = QStringLiteral("岚石围棋网");
    return info;
}

} // namespace zemra
