#include "board/MoveNode.h"

#include "board/Coordinates.h"

namespace zemra {

namespace {

int letterValue(char c)
{
    return c >= 'a' && c <= 's' ? c - 'a' + 1 : 0;
}

// Length of the UTF-8 character that starts with this byte (1 for a stray byte).
std::size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xf0 && lead < 0xf8) return 4;
    if (lead >= 0xe0) return lead < 0xf0 ? 3 : 1;
    if (lead >= 0xc0) return 2;
    return 1;
}

} // namespace

std::string formatMoveNode(Colour colour, int i, int j)
{
    if (i < 1 || i > 19 || j < 1 || j > 19)
        return std::string(";") + colourLetter(colour) + "[" + NumberToLetter(i) + NumberToLetter(j) + "]";
    const char node[6] = {';', colourLetter(colour), '[', static_cast<char>('a' + i - 1), static_cast<char>('a' + j - 1), ']'};
    return std::string(node, 6);
}

std::string formatPassNode(Colour colour)
{
    return colour == Colour::Black ? ";B[]" : ";W[]";
}

std::string formatMoveNode(const MoveNode& node)
{
    return node.pass ? formatPassNode(node.colour) : formatMoveNode(node.colour, node.i, node.j);
}

std::optional<MoveNode> parseMoveNode(std::string_view node)
{
    if (node.size() < 4 || node[0] != ';' || node[2] != '[') return std::nullopt;
    const std::optional<Colour> colour = colourFromLetter(node[1]);
    if (!colour) return std::nullopt;
    if (node.size() == 4) {
        if (node[3] != ']') return std::nullopt;
        return MoveNode{*colour, true, 0, 0};
    }
    if (node.size() != 6 || node[5] != ']') return std::nullopt;
    const int i = letterValue(node[3]);
    const int j = letterValue(node[4]);
    if (i == 0 || j == 0) return std::nullopt;
    return MoveNode{*colour, false, i, j};
}

std::vector<MoveNode> parseCaptureText(std::string_view captureText)
{
    std::vector<MoveNode> stones;
    stones.reserve(captureText.size() / 6);
    for (std::size_t pos = 0; pos + 6 <= captureText.size(); pos += 6) {
        const std::optional<MoveNode> stone = parseMoveNode(captureText.substr(pos, 6));
        if (!stone || stone->pass) break;
        stones.push_back(*stone);
    }
    return stones;
}

std::optional<NodeLabel> parseLabelValue(std::string_view value)
{
    // "pd:A": two letters, a colon, the text.
    if (value.size() < 4 || value[2] != ':') return std::nullopt;
    const int i = letterValue(value[0]);
    const int j = letterValue(value[1]);
    if (i == 0 || j == 0) return std::nullopt;
    const std::size_t len = std::min(utf8Length(static_cast<unsigned char>(value[3])), value.size() - 3);
    return NodeLabel{i, j, std::string(value.substr(3, len))};
}

std::vector<NodeLabel> parseNodeLabels(std::string_view node)
{
    std::vector<NodeLabel> labels;
    std::size_t at = node.find("LB[");
    if (at == std::string_view::npos) return labels;
    std::size_t open = at + 2;
    while (open < node.size() && node[open] == '[') {
        const std::size_t close = node.find(']', open);
        const std::string_view value =
            node.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
        if (std::optional<NodeLabel> label = parseLabelValue(value)) labels.push_back(std::move(*label));
        if (close == std::string_view::npos) break;
        open = close + 1;
        // Blanks may stand between the values of one property.
        while (open < node.size() && (node[open] == ' ' || node[open] == '\n' || node[open] == '\r' || node[open] == '\t'))
            ++open;
        if (open < node.size() && node[open] == '[') continue;
        const std::size_t next = node.find("LB[", open);
        if (next == std::string_view::npos) break;
        open = next + 2;
    }
    return labels;
}

} // namespace zemra
