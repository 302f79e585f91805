// The lexical layers of SGF: the main line cut into node texts, the
// properties of one node, and property values with their escapes removed.
#pragma once

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
};

// The first game tree's main line up to its first ')'. Every node text
// begins with ';' and is kept as written, except that line breaks are
// dropped; a '(' stays at the end of the node before it. ';' and ')' inside
// property values (with "\]" escapes honoured) do not cut. Text before the
// first "(;" is not part of the record.
SgfNodeTexts splitSgfNodes(std::string_view text);

struct SgfProperty {
    std::string id;                       // the capitals of the name as written
    std::vector<std::string_view> values; // raw, still escaped
};

// Every property of a node text in order. Old
// long names count by their upper-case letters ("PlayerBlack" is "PB");
// stray characters between properties are skipped.
std::vector<SgfProperty> sgfProperties(std::string_view node);

// The first raw value of the first property with this id, or nothing.
const std::string_view* firstValue(const std::vector<SgfProperty>& props, std::string_view id);

// "\]" -> "]", "\\" -> "\", any "\x" -> "x".
std::string unescapeSgfValue(std::string_view raw);

// "]" -> "\]", "\" -> "\\": what unescapeSgfValue reads back.
std::string escapeSgfValue(std::string_view text);

} // namespace zemra
