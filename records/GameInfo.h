// The game-information fields of the current game: what the grid shows in
// rows 1 to 12, what records are read into and what the SGF writer saves.
// The handicap count (row 9) is the game's own HandicapCount.
#pragma once

#include <QDate>
#include <QString>

namespace zemra {

struct GameInfo {
    QString GameEvent;
    QString GameDate;
    QString GamePlace;
    QString BlackName;
    QString BlackRank;
    QString WhiteName;
    QString WhiteRank;
    QString SizeText = QStringLiteral("19"); // row 8 shows SizeText×SizeText
    QString GameKomi;
    QString GameResult;
    QString GameSource;

    friend bool operator==(const GameInfo&, const GameInfo&) = default;
};

// "yyyy-mm-dd", the form of every date the program writes.
QString dateText(const QDate& date);
QString todayText();

// The two players of a friendly game until someone names them.
inline const QString DefaultBlackName = QStringLiteral("山间的清风");
inline const QString DefaultWhiteName = QStringLiteral("月下の旅人");

// A friendly game as the local, engine and network games start it: the
// event, today's date, komi, result "正在比赛！" and source, both ranks
// "9 段", with the given place, players and board size.
GameInfo friendlyGameInfo(const QString& place, const QString& blackName, const QString& whiteName, int boardSize);

} // namespace zemra
