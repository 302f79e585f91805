// What one record node means to the viewer: its move, its comment, its
// labels, and (for the reader) the stones it sets up.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/MoveNode.h"
#include "records/GameRecord.h"
#include "records/SgfSyntax.h"

namespace zemra {

struct RecordMove {
    Colour colour = Colour::Black;
    bool pass = false; // B[] or, on boards up to 19 × 19, B[tt]
    int i = 0;         // 1..19, or 0 when the value names no point (nothing is placed)
    int j = 0;
};

struct RecordNodeContent {
    std::optional<RecordMove> move; // the node's first B or W property
    bool hasComment = false;
    std::string comment;            // first C[] value, unescaped, UTF-8
    std::vector<NodeLabel> labels;  // every LB value that names a point
};

RecordNodeContent readRecordNode(std::string_view node);

// What stepping needs to know of every node, read without building the
// comment or the labels (they are read when the node is shown).
struct RecordNodeFacts {
    std::optional<RecordMove> move;
    bool hasComment = false;
    bool hasLabels = false; // an LB value, which may still name no point
};
RecordNodeFacts readRecordNodeFacts(std::string_view node);

// The points of AB/AW/AE values: "dd" or a rectangle "dd:ff"; values that
// do not name points of a boardSize board are skipped.
std::vector<BoardPoint> sgfPointList(const std::vector<std::string_view>& values, int boardSize);

} // namespace zemra
