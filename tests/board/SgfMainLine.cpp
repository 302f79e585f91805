#include "SgfMainLine.h"

#include <cctype>

namespace zemra::test {

namespace {

class Parser {
public:
    explicit Parser(const std::string& t) : text(t) {}

    bool parseTree(bool mainLine)
    {
        skipSpace();
        if (!eat('(')) return false;
        bool firstChild = true;
        for (;;) {
            skipSpace();
            if (pos >= text.size()) return false;
            const char c = text[pos];
            if (c == ';') {
                ++pos;
                if (!parseNode(mainLine)) return false;
            } else if (c == '(') {
                if (!parseTree(mainLine && firstChild)) return false;
                firstChild = false;
            } else if (c == ')') {
                ++pos;
                return true;
            } else {
                return false;
            }
        }
    }

    SgfGame game;
    bool sizeSeen = false;

private:
    const std::string& text;
    std::size_t pos = 0;

    void skipSpace()
    {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
    }
    bool eat(char c)
    {
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }

    bool parseNode(bool mainLine)
    {
        for (;;) {
            skipSpace();
            std::string id;
            while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) {
                // Old records write ids with lower-case letters that do not count.
                if (std::isupper(static_cast<unsigned char>(text[pos]))) id += text[pos];
                ++pos;
            }
            if (id.empty()) return true;
            std::vector<std::string> values;
            skipSpace();
            while (pos < text.size() && text[pos] == '[') {
                ++pos;
                std::string v;
                while (pos < text.size() && text[pos] != ']') {
                    if (text[pos] == '\\' && pos + 1 < text.size()) ++pos;
                    v += text[pos++];
                }
                if (!eat(']')) return false;
                values.push_back(v);
                skipSpace();
            }
            if (values.empty()) return false;
            if (mainLine) apply(id, values);
        }
    }

    void apply(const std::string& id, const std::vector<std::string>& values)
    {
        if (id == "SZ" && !sizeSeen) {
            sizeSeen = true;
            try {
                game.size = std::stoi(values[0]);
            } catch (...) {
                game.size = -1;
            }
        } else if (id == "B" || id == "W") {
            SgfMove m{id[0], 0, 0};
            point(values[0], m.i, m.j);
            game.moves.push_back(m);
        } else if (id == "AB" || id == "AW") {
            for (const auto& v : values) {
                // "aa:cc" is a rectangle of points.
                int i1, j1, i2, j2;
                if (v.size() == 5 && v[2] == ':') {
                    point(v.substr(0, 2), i1, j1);
                    point(v.substr(3, 2), i2, j2);
                } else {
                    point(v, i1, j1);
                    i2 = i1;
                    j2 = j1;
                }
                for (int i = i1; i <= i2; ++i)
                    for (int j = j1; j <= j2; ++j)
                        if (i > 0) game.setup.push_back({id[1], i, j});
            }
        }
    }

    // "" and "tt" (on boards up to 19) are passes, given as 0.
    void point(const std::string& v, int& i, int& j) const
    {
        i = j = 0;
        if (v.size() < 2) return;
        const int a = v[0] - 'a' + 1;
        const int b = v[1] - 'a' + 1;
        if (a < 1 || b < 1 || a > game.size || b > game.size) return;
        i = a;
        j = b;
    }
};

} // namespace

std::optional<SgfGame> readSgfMainLine(const std::string& text)
{
    const std::size_t start = text.find('(');
    if (start == std::string::npos) return std::nullopt;
    const std::string body = text.substr(start);
    Parser p(body);
    if (!p.parseTree(true)) return std::nullopt;
    if (p.game.size < 5 || p.game.size > 19) return std::nullopt;
    return p.game;
}

} // namespace zemra::test
