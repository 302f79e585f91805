// Escapes in test scripts and arguments: \r, \n and \\ stand for CR, LF and
// a backslash, so a command line or a script line can carry line ends.
#pragma once

#include <string>
#include <string_view>

namespace zemra::test {

inline std::string unescape(std::string_view text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\' || k + 1 == text.size()) {
            out += text[k];
            continue;
        }
        const char c = text[++k];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

} // namespace zemra::test
