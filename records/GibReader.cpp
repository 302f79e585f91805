#include "records/GibReader.h"

#include <charconv>
#include <vector>

#include "board/MoveNode.h"
#include "records/RecordText.h"
#include "text/Utf8.h"

namespace zemra {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t'))
            ++k;
        const std::size_t start = k;
        while (k < line.size() && line[k] != ' ' && line[k] != '\t')
            ++k;
        if (k > start) out.push_back(line.substr(start, k - start));
    }
    return out;
}

bool number(std::string_view text, int& value)
{
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

// The value of a header line: after the first '=' up to the first "\]".
QString headerValue(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    const std::string_view rest = line.substr(eq + 1);
    const std::size_t end = rest.find("\\]");
    if (end == std::string_view::npos) return {};
    return fromUtf8(rest.substr(0, end));
}

Colour nodeColour(const std::string& node)
{
    return node.size() > 1 && node[1] == 'B' ? Colour::Black : Colour::White;
}

} // namespace

QString gameSourceFromPath(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

void splitGibName(const QString& value, QString& name, QString& rank)
{
    const qsizetype open = value.indexOf(u'(');
    if (open < 0) {
        name.clear();
        const qsizetype close = value.indexOf(u')');
        rank = close < 0 ? QString() : value.left(close);
        return;
    }
    name = value.left(open);
    const qsizetype close = value.indexOf(u')', open + 1);
    rank = close < 0 ? QString() : value.mid(open + 1, close - open - 1);
}

ReadOutcome readGibText(std::string_view utf8, const QString& filePath)
{
    std::vector<std::string_view> lines = splitLines(utf8);
    if (!lines.empty()) lines.pop_back(); // the last line is never read

    ReadOutcome out;
    GameRecord& r = out.record;
    GameInfo& info = r.info;
    bool headerSeen = false;

    auto findKey = [&](std::string_view key) -> const std::string_view* {
        for (const std::string_view& line : lines)
            if (line.find(key) != std::string_view::npos) return &line;
        return nullptr;
    };
    struct Key {
        std::string_view key;
        QString GameInfo::*field;
    };
    static const Key keys[] = {{"GAMENAME", &GameInfo::GameEvent},
                               {"GAMEDATE", &GameInfo::GameDate},
                               {"GAMEPLACE", &GameInfo::GamePlace}};
    for (const Key& k : keys) {
        if (const std::string_view* line = findKey(k.key)) {
            info.*k.field = headerValue(*line);
            headerSeen = true;
        }
    }
    if (const std::string_view* line = findKey("GAMEBLACKNAME")) {
        splitGibName(headerValue(*line), info.BlackName, info.BlackRank);
        headerSeen = true;
    }
    if (const std::string_view* line = findKey("GAMEWHITENAME")) {
        splitGibName(headerValue(*line), info.WhiteName, info.WhiteRank);
        headerSeen = true;
    }
    if (const std::string_view* line = findKey("GAMECONDITION")) {
        info.GameKomi = headerValue(*line);
        headerSeen = true;
    }
    if (const std::string_view* line = findKey("GAMERESULT")) {
        info.GameResult = headerValue(*line);
        headerSeen = true;
    }

    // The handicap words of the Chinese server; the highest one found wins.
    for (int n = 2; n <= 9; ++n)
        if (info.GameKomi.contains(QStringLiteral("让%1子").arg(n))) r.handicapCount = n;
    if (r.handicapCount == 3) {
        r.threeStoneLowerRight = true;
    } else if (r.handicapCount == 0) {
        // The international server states it only on the INI line ("INI 0 1 3"),
        // with the third stone of three on the upper left as usual.
        for (const std::string_view& line : lines) {
            if (line.substr(0, 3) != "INI") continue;
            const std::vector<std::string_view> w = words(line);
            int n = 0;
            if (w.size() >= 4 && number(w[3], n) && n >= 2 && n <= 9) r.handicapCount = n;
            break;
        }
    }
    info.GameSource = gameSourceFromPath(filePath);

    const Colour firstSide = r.handicapCount != 0 ? Colour::White : Colour::Black;
    Colour side = firstSide;
    int skipped = 0;
    bool movesSeen = false;
    std::vector<std::string>& nodes = r.recordNodes;
    for (const std::string_view& line : lines) {
        const std::string_view kind = line.substr(0, 3);
        if (kind == "STO") {
            movesSeen = true;
            // STO 0 <number> <colour> <x> <y>, x and y from 0 at the top left.
            const std::vector<std::string_view> w = words(line);
            int x = -1, y = -1;
            if (w.size() < 6 || !number(w[4], x) || !number(w[5], y) || x < 0 || x > 18 || y < 0 || y > 18) {
                ++skipped;
                continue;
            }
            const Colour colour = w[3] == "1" ? Colour::Black : Colour::White;
            nodes.push_back(formatMoveNode(colour, x + 1, y + 1));
            side = opponentOf(colour);
            if (nodes.size() > MaxRecordNodes) return tooManyNodes();
        } else if (kind == "SKI") {
            movesSeen = true;
            nodes.push_back(formatPassNode(side));
            side = opponentOf(side);
            if (nodes.size() > MaxRecordNodes) return tooManyNodes();
        } else if (kind == "WIT") {
            movesSeen = true;
            const std::vector<std::string_view> w = words(line);
            if (w.size() < 4 || (w[3].front() != '1' && w[3].front() != '2')) continue;
            const Colour colour = w[3].front() == '1' ? Colour::Black : Colour::White;
            if (nodes.empty()) continue;
            // The side's own last move goes; when the last one is the
            // opponent's reply, that reply goes with it.
            const bool own = nodeColour(nodes.back()) == colour;
            nodes.pop_back();
            if (!own && !nodes.empty()) nodes.pop_back();
            side = nodes.empty() ? firstSide : opponentOf(nodeColour(nodes.back()));
        }
    }
    if (!headerSeen && !movesSeen)
        return ReadOutcome::failure(QStringLiteral("文件里没有 GIB 棋谱的对局信息和着法，它不是 GIB 棋谱。"));
    if (skipped > 0)
        r.problems << QStringLiteral("有 %1 行着法的坐标不在棋盘上或无法识别，已跳过。").arg(skipped);
    return out;
}

ReadOutcome readGibBytes(QByteArrayView bytes, const QString& filePath)
{
    const DecodedText decoded = decodeGibBytes(bytes);
    return readGibText(decoded.utf8, filePath);
}

} // namespace zemra
