// Test-side extraction of the main line of an SGF record: size, setup
// stones and moves. Enough to replay published games against the rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zemra::test {

struct SgfMove {
    char colour = 'B'; // 'B' or 'W'
    int i = 0;         // 0 for a pass
    int j = 0;
};

struct SgfGame {
    int size = 19;
    std::vector<SgfMove> setup; // AB / AW stones
    std::vector<SgfMove> moves;
};

// The first game of the text; nothing when it cannot be read.
std::optional<SgfGame> readSgfMainLine(const std::string& text);

} // namespace zemra::test
