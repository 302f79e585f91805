#include "records/RecordNode.h"

#include <algorithm>

namespace zemra {

namespace {

int letter(char c)
{
    return c >= 'a' && c <= 's' ? c - 'a' + 1 : 0;
}

RecordMove moveOf(Colour colour, std::string_view value)
{
    RecordMove m{colour, false, 0, 0};
    if (value.empty() || value == "tt") {
        m.pass = true;
    } else if (value.size() == 2 && letter(value[0]) && letter(value[1])) {
        m.i = letter(value[0]);
        m.j = letter(value[1]);
    }
    return m;
}

} // namespace

RecordNodeContent readRecordNode(std::string_view node)
{
    RecordNodeContent out;
    for (const SgfProperty& p : sgfProperties(node)) {
        if (p.values.empty()) continue;
        if (!out.move && (p.id == "B" || p.id == "W")) {
            out.move = moveOf(p.id == "B" ? Colour::Black : Colour::White, p.values.front());
        } else if (!out.hasComment && p.id == "C") {
            out.hasComment = true;
            out.comment = unescapeSgfValue(p.values.front());
        } else if (p.id == "LB") {
            for (std::string_view raw : p.values)
                if (std::optional<NodeLabel> label = parseLabelValue(unescapeSgfValue(raw)))
                    out.labels.push_back(std::move(*label));
        }
    }
    return out;
}

RecordNodeFacts readRecordNodeFacts(std::string_view node)
{
    RecordNodeFacts out;
    forEachSgfValue(node, [&out](std::string_view id, std::string_view raw, bool) {
        if (!out.move && (id == "B" || id == "W"))
            out.move = moveOf(id == "B" ? Colour::Black : Colour::White, raw);
        else if (id == "C")
            out.hasComment = true;
        else if (id == "LB")
            out.hasLabels = true;
    });
    return out;
}

std::vector<BoardPoint> sgfPointList(const std::vector<std::string_view>& values, int boardSize)
{
    std::vector<BoardPoint> points;
    bool taken[19][19] = {};
    auto onBoard = [boardSize](int v) { return v >= 1 && v <= boardSize; };
    for (std::string_view v : values) {
        if (v.size() != 2 && !(v.size() == 5 && v[2] == ':')) continue;
        const int i1 = letter(v[0]), j1 = letter(v[1]);
        const int i2 = v.size() == 5 ? letter(v[3]) : i1;
        const int j2 = v.size() == 5 ? letter(v[4]) : j1;
        if (!onBoard(i1) || !onBoard(j1) || !onBoard(i2) || !onBoard(j2)) continue;
        for (int i = std::min(i1, i2); i <= std::max(i1, i2); ++i)
            for (int j = std::min(j1, j2); j <= std::max(j1, j2); ++j)
                if (!taken[i - 1][j - 1]) {
                    taken[i - 1][j - 1] = true;
                    points.push_back({i, j});
                }
    }
    return points;
}

} // namespace zemra
