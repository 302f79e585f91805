#include "records/RecordWriters.h"

#include <QFileInfo>

#include <algorithm>

#include "records/AtomicWrite.h"
#include "records/GameRecord.h"
#include "records/SgfSyntax.h"
#include "text/Gbk.h"

namespace zemra {

namespace {

QString escaped(const QString& value)
{
    return QString::fromStdString(escapeSgfValue(value.toStdString()));
}

QString points(const char* id, const std::vector<BoardPoint>& stones)
{
    if (stones.empty()) return {};
    QString out = QLatin1String(id);
    for (const BoardPoint& p : stones)
        out += u'[' + QChar(u'a' + p.i - 1) + QChar(u'a' + p.j - 1) + u']';
    return out;
}

QByteArray withCrLf(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += gbk::encode(line);
        out += "\r\n";
    }
    return out;
}

} // namespace

QString setupLine(const WeiQiGame& game)
{
    // The stones the game started with: whatever stands at move number 0
    // once every move is taken back (captured handicap stones come back).
    WeiQiGame start(game);
    start.setView(nullptr);
    while (start.MoveCount() > 0) {
        const std::int32_t before = start.MoveCount();
        start.Local_Undo();
        if (start.MoveCount() == before) break;
    }
    std::vector<BoardPoint> black, white;
    for (int i = 1; i <= WeiQiGame::MaxSize; ++i) {
        for (int j = 1; j <= WeiQiGame::MaxSize; ++j) {
            if (!start.hasStone(i, j) || start.pointNumber(i, j) != 0) continue;
            (start.pointCode(i, j) == PointCode::BlackChess ? black : white).push_back({i, j});
        }
    }
    if (isFixedLayout(game.BoardSize(), black, white, false))
        return points("AB", fixedHandicapPoints(static_cast<int>(black.size()), false));
    return points("AB", black) + points("AW", white);
}

QStringList sgfRecordLines(const WeiQiGame& game, const GameInfo& info)
{
    QString root = QStringLiteral("(;GM[1]FF[1]SZ[%1]").arg(game.BoardSize());
    const std::pair<const char*, const QString*> fields[] = {
        {"EV", &info.GameEvent}, {"DT", &info.GameDate},  {"PC", &info.GamePlace},
        {"PB", &info.BlackName}, {"BR", &info.BlackRank}, {"PW", &info.WhiteName},
        {"WR", &info.WhiteRank}, {"KM", &info.GameKomi},  {"RE", &info.GameResult},
        {"US", &info.GameSource},
    };
    for (const auto& [id, value] : fields)
        root += QLatin1String(id) + u'[' + escaped(*value) + u']';
    // Short GBK texts are often valid UTF-8 too ("未知" is): say what the bytes are.
    root += QStringLiteral("CA[GBK]");
    QStringList lines{root};
    const QString setup = setupLine(game);
    if (!setup.isEmpty()) lines << setup;
    for (const std::string& node : game.MoveList())
        lines << QString::fromStdString(node);
    lines << QStringLiteral(")");
    return lines;
}

QByteArray sgfRecordBytes(const WeiQiGame& game, const GameInfo& info)
{
    return withCrLf(sgfRecordLines(game, info));
}

bool diagramStarPoint(int n, int i, int j)
{
    auto among = [](int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); };
    switch (n) {
    case 7:
    case 8:
    case 9: return among(i, {3, n - 2}) && among(j, {3, n - 2});
    case 13: return (i == 7 && j == 7) || (among(i, {4, 10}) && among(j, {4, 10}));
    case 15: return among(i, {4, 8, 12}) && among(j, {4, 8, 12});
    case 17: return among(i, {4, 9, 14}) && among(j, {4, 9, 14});
    case 19: return among(i, {4, 10, 16}) && among(j, {4, 10, 16});
    case 10:
    case 11:
    case 12:
    case 14:
    case 16:
    case 18: return among(i, {4, n - 3}) && among(j, {4, n - 3});
    default: return false;
    }
}

QByteArray boardDiagramBytes(const WeiQiGame& game)
{
    const int n = game.BoardSize();
    QStringList lines;
    lines << QString(1 + 2 * (n + 1), u' ');
    for (int j = 1; j <= n; ++j) {
        QString row = QStringLiteral(" ");
        for (int i = 1; i <= n; ++i) {
            const PointCode code = game.pointCode(i, j);
            if (code == PointCode::BlackChess) {
                row += u'●';
            } else if (code == PointCode::WhiteChess) {
                row += u'○';
            } else {
                const int col = i == 1 ? 0 : i == n ? 2 : 1;
                const int line = j == 1 ? 0 : j == n ? 2 : 1;
                static const char16_t grid[3][3] = {{u'┌', u'┬', u'┐'}, {u'├', u'┼', u'┤'}, {u'└', u'┴', u'┘'}};
                row += line == 1 && col == 1 && diagramStarPoint(n, i, j) ? QChar(u'﹢') : QChar(grid[line][col]);
            }
        }
        row += j < 10 ? QStringLiteral(" %1").arg(j) : QString::number(j);
        lines << row;
    }
    QString letters = QStringLiteral(" ");
    for (int i = 1; i <= n; ++i)
        letters += u' ' + QChar(u'A' + i - 1);
    lines << letters + QStringLiteral("  ");
    return withCrLf(lines);
}

QString proposedSgfName(const QDate& today, int saveCounter)
{
    return QStringLiteral("Game %1_%2.sgf").arg(dateText(today)).arg(saveCounter, 2, 10, QLatin1Char('0'));
}

QString proposedTxtName(const QDate& today)
{
    return QStringLiteral("Game %1.txt").arg(dateText(today));
}

QString proposedBmpName(const QDate& today)
{
    return QStringLiteral("Game %1.bmp").arg(dateText(today));
}

QString writeFileSafely(const QString& path, const QByteArray& bytes)
{
    const QString reason = writeFileAtomically(path, bytes);
    if (reason.isEmpty()) return {};
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    return QStringLiteral("无法保存文件“%1”：%2").arg(name, reason);
}

} // namespace zemra
