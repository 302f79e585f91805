#include "records/SgfReader.h"

#include <algorithm>
#include <charconv>

#include "records/RecordNode.h"
#include "records/RecordText.h"
#include "records/SgfSyntax.h"
#include "text/Utf8.h"

namespace zemra {

namespace {

QString text(std::string_view raw)
{
    return fromUtf8(unescapeSgfValue(raw));
}

// SZ[n] or the square SZ[n:n]; 0 when it is neither.
int boardSizeValue(std::string_view value)
{
    while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    const std::size_t colon = value.find(':');
    if (colon != std::string_view::npos) {
        if (value.substr(0, colon) != value.substr(colon + 1)) return 0;
        value = value.substr(0, colon);
    }
    int n = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || ec != std::errc() || ptr != value.data() + value.size()) return 0;
    return n;
}

void addPoints(std::vector<BoardPoint>& to, const std::vector<BoardPoint>& points)
{
    bool taken[19][19] = {};
    for (const BoardPoint& p : to)
        taken[p.i - 1][p.j - 1] = true;
    for (const BoardPoint& p : points) {
        if (taken[p.i - 1][p.j - 1]) continue;
        taken[p.i - 1][p.j - 1] = true;
        to.push_back(p);
    }
}

// Takes the AB and AW stones of one node; false when the node also holds a
// move, which ends the set-up.
bool collectSetup(const std::vector<SgfProperty>& props, GameRecord& r)
{
    bool move = false;
    for (const SgfProperty& p : props) {
        if (p.id == "AB") addPoints(r.setupBlack, sgfPointList(p.values, r.boardSize));
        if (p.id == "AW") addPoints(r.setupWhite, sgfPointList(p.values, r.boardSize));
        move |= (p.id == "B" || p.id == "W") && !p.values.empty();
    }
    return !move;
}

} // namespace

ReadOutcome readSgfText(std::string_view utf8)
{
    SgfNodeTexts pieces = splitSgfNodes(utf8, MaxRecordNodes);
    if (pieces.tooLong) return tooManyNodes();
    if (!pieces.found) return ReadOutcome::failure(QStringLiteral("文件里找不到 SGF 棋谱的开头“(;”，它不是 SGF 棋谱。"));

    ReadOutcome out;
    GameRecord& r = out.record;
    const std::vector<SgfProperty> root = sgfProperties(pieces.root);

    struct Field {
        std::string_view id;
        QString GameInfo::*field;
    };
    static const Field fields[] = {
        {"EV", &GameInfo::GameEvent}, {"DT", &GameInfo::GameDate},  {"PC", &GameInfo::GamePlace},
        {"PB", &GameInfo::BlackName}, {"BR", &GameInfo::BlackRank}, {"PW", &GameInfo::WhiteName},
        {"WR", &GameInfo::WhiteRank}, {"KM", &GameInfo::GameKomi},  {"RE", &GameInfo::GameResult},
        {"US", &GameInfo::GameSource},
    };
    for (const Field& f : fields)
        if (const std::string_view* v = firstValue(root, f.id)) r.info.*f.field = text(*v);

    if (const std::string_view* v = firstValue(root, "SZ")) {
        const int n = boardSizeValue(*v);
        if (!GameSetup::validBoardSize(n))
            return ReadOutcome::failure(
                QStringLiteral("棋谱的棋盘大小 SZ[%1] 无法使用：只能打开 5 路到 19 路的棋谱。").arg(text(*v)));
        r.boardSize = n;
    }
    r.info.SizeText = QString::number(r.boardSize);

    if (const std::string_view* v = firstValue(root, "C")) r.rootComment = text(*v);

    // Set-up stones of the root and of move-less nodes before the first move
    // (some servers put the handicap stones into the first node).
    const bool setupFromRoot = collectSetup(root, r);
    bool setupGoesOn = setupFromRoot;
    for (std::size_t k = 0; setupGoesOn && k < pieces.nodes.size(); ++k)
        setupGoesOn = collectSetup(sgfProperties(pieces.nodes[k]), r);
    r.handicapCount = static_cast<int>(r.setupBlack.size());

    // Old files put the first move into the root: it is then also the first node.
    const bool rootMoves = !setupFromRoot;
    if (pieces.nodes.size() + (rootMoves ? 1 : 0) > MaxRecordNodes) return tooManyNodes();
    r.recordNodes.reserve(pieces.nodes.size() + 1);
    if (rootMoves) r.recordNodes.push_back(pieces.root);
    for (std::string& node : pieces.nodes)
        r.recordNodes.push_back(std::move(node));

    if (!pieces.closed && !pieces.unclosedTail.empty())
        r.problems << QStringLiteral("棋谱文件不完整（没有结尾的“)”），最后一个节点没有读入。");
    return out;
}

ReadOutcome readSgfBytes(QByteArrayView bytes)
{
    const DecodedText decoded = decodeSgfBytes(bytes);
    ReadOutcome out = readSgfText(decoded.utf8);
    if (out.ok() && !decoded.problem.isEmpty()) out.record.problems.prepend(decoded.problem);
    return out;
}

} // namespace zemra
