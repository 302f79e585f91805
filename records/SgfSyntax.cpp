#include "records/SgfSyntax.h"

#include <cstring>

namespace zemra {

namespace {

// Position of the ';' that opens the first game tree, or npos.
std::size_t treeStart(std::string_view text)
{
    std::size_t open = text.find('(');
    while (open != std::string_view::npos) {
        std::size_t k = open + 1;
        while (k < text.size() && detail::isSgfBlank(text[k]))
            ++k;
        if (k < text.size() && text[k] == ';') return k;
        open = text.find('(', open + 1);
    }
    return std::string_view::npos;
}

// Appends text[from, to) to out without its line breaks.
void appendWithoutBreaks(std::string& out, std::string_view text, std::size_t from, std::size_t to)
{
    std::size_t run = from;
    for (std::size_t k = from; k < to; ++k) {
        const char c = text[k];
        if (c != '\n' && c != '\r') continue;
        out.append(text.data() + run, k - run);
        run = k + 1;
    }
    out.append(text.data() + run, to - run);
}

} // namespace

SgfNodeTexts splitSgfNodes(std::string_view text, std::size_t maxNodes)
{
    SgfNodeTexts out;
    std::size_t pos = treeStart(text);
    if (pos == std::string_view::npos) return out;
    out.found = true;

    std::string current;
    bool first = true;
    auto closePiece = [&]() {
        if (first)
            out.root = std::move(current);
        else
            out.nodes.push_back(std::move(current));
        first = false;
        current.clear();
    };

    const std::size_t n = text.size();
    std::size_t runStart = pos; // start of the run not yet copied into current
    while (pos < n) {
        const char c = text[pos];
        if (c == '[') {
            // A value: only '\' and ']' mean anything inside.
            std::size_t k = pos + 1;
            while (k < n) {
                const char* hit = static_cast<const char*>(std::memchr(text.data() + k, ']', n - k));
                if (!hit) {
                    k = n;
                    break;
                }
                const std::size_t close = static_cast<std::size_t>(hit - text.data());
                // The ']' is escaped when an odd number of backslashes stand before it,
                // line breaks between them not counting.
                std::size_t back = close;
                std::size_t slashes = 0;
                while (back > pos + 1) {
                    const char b = text[back - 1];
                    if (b == '\\')
                        ++slashes;
                    else if (b != '\r' && b != '\n')
                        break;
                    --back;
                }
                if (slashes % 2 == 0) {
                    k = close;
                    break;
                }
                k = close + 1;
            }
            pos = k < n ? k + 1 : n;
            continue;
        }
        if (c == ';' || c == ')') {
            appendWithoutBreaks(current, text, runStart, pos);
            if (!current.empty()) closePiece();
            if (out.nodes.size() > maxNodes) {
                out.tooLong = true;
                return out;
            }
            runStart = pos;
            if (c == ')') {
                out.closed = true;
                return out;
            }
        }
        ++pos;
    }
    appendWithoutBreaks(current, text, runStart, n);
    // Without ')' the last piece is not a node of the record.
    if (first)
        out.root = std::move(current);
    else
        out.unclosedTail = std::move(current);
    return out;
}

std::vector<SgfProperty> sgfProperties(std::string_view node)
{
    std::vector<SgfProperty> props;
    forEachSgfValue(node, [&props](std::string_view id, std::string_view raw, bool first) {
        if (first) props.push_back(SgfProperty{std::string(id), {}});
        props.back().values.push_back(raw);
    });
    return props;
}

const std::string_view* firstValue(const std::vector<SgfProperty>& props, std::string_view id)
{
    for (const SgfProperty& p : props)
        if (p.id == id && !p.values.empty()) return &p.values.front();
    return nullptr;
}

std::string unescapeSgfValue(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (raw[k] == '\\' && k + 1 < raw.size()) ++k;
        else if (raw[k] == '\\') continue;
        out += raw[k];
    }
    return out;
}

std::string escapeSgfValue(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

} // namespace zemra
