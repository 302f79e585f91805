// The lexical layers of SGF: the main line cut into node texts, the
// properties of one node, and property values with their escapes removed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zemra {

struct SgfNodeTexts {
    bool found = false;             // a game tree "(;" was found at all
    std::string root;               // the root node, from its ';'
    std::vector<std::string> nodes; // the later nodes of the main line
    bool closed = false;            // the main line ended with ')'
    std::string unclosedTail;       // without ')': the last piece, which is not kept as a node
    bool tooLong = false;           // more nodes than asked for: the split stopped there
};

// The first game tree's main line up to its first ')'. Every node text
// begins with ';' and is kept as written, except that line breaks are
// dropped; a '(' stays at the end of the node before it. ';' and ')' inside
// property values (with "\]" escapes honoured) do not cut. Text before the
// first "(;" is not part of the record. Past maxNodes later nodes the split
// stops and says tooLong, so a huge file costs no more than the limit.
SgfNodeTexts splitSgfNodes(std::string_view text, std::size_t maxNodes = SIZE_MAX);

struct SgfProperty {
    std::string id;                       // the capitals of the name as written
    std::vector<std::string_view> values; // raw, still escaped
};

// Every property of a node text in order. Old
// long names count by their upper-case letters ("PlayerBlack" is "PB");
// stray characters between properties are skipped.
std::vector<SgfProperty> sgfProperties(std::string_view node);

// The same walk without building anything: f(id, raw, first) for every
// value in order, first being true for the first value of a property.
template <class F> void forEachSgfValue(std::string_view node, F&& f);

// The first raw value of the first property with this id, or nothing.
const std::string_view* firstValue(const std::vector<SgfProperty>& props, std::string_view id);

// "\]" -> "]", "\\" -> "\", any "\x" -> "x".
std::string unescapeSgfValue(std::string_view raw);

// "]" -> "\]", "\" -> "\\": what unescapeSgfValue reads back.
std::string escapeSgfValue(std::string_view text);

namespace detail {
inline bool isSgfBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace detail

template <class F> void forEachSgfValue(std::string_view node, F&& f)
{
    std::string id;      // capitals of the name being read
    bool naming = false; // letters seen since the last value or stray character
    bool open = false;   // the last property may take more values
    bool first = false;  // the next value is its property's first
    const std::size_t n = node.size();
    std::size_t pos = 0;
    while (pos < n) {
        const char c = node[pos];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            if (!naming) id.clear();
            naming = true;
            open = false;
            if (c <= 'Z') id += c;
            ++pos;
            continue;
        }
        if (c == '[') {
            if (naming) {
                naming = false;
                open = !id.empty();
                first = true;
            }
            std::size_t k = pos + 1;
            while (k < n && node[k] != ']')
                k += node[k] == '\\' ? 2 : 1;
            const std::size_t end = k < n ? k : n;
            if (open) {
                f(std::string_view(id), node.substr(pos + 1, end - pos - 1), first);
                first = false;
            }
            pos = end + 1;
            continue;
        }
        if (!detail::isSgfBlank(c)) {
            naming = false;
            open = false;
        }
        ++pos;
    }
}

} // namespace zemra
