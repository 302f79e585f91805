// Move nodes as the game keeps them (";B[pd]", a pass ";W[]"), capture texts
// (";W[qd];W[qe]") and record labels (LB[pd:A][qd:B]). The one reader and
// writer of these texts: nothing else cuts them at fixed offsets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/Words.h"

namespace zemra {

struct MoveNode {
    Colour colour = Colour::Black;
    bool pass = false;
    int i = 0; // column from the left, 1..19; 0 for a pass
    int j = 0; // row from the top, 1..19; 0 for a pass

    friend bool operator==(const MoveNode&, const MoveNode&) = default;
};

// ";B[pd]" for a point (i, j in 1..19), ";B[]" for a pass.
std::string formatMoveNode(Colour colour, int i, int j);
std::string formatPassNode(Colour colour);
std::string formatMoveNode(const MoveNode& node);

// A node exactly of the form ";X[]" or ";X[ab]" (X = B or W, a and b in
// "a".."s"); anything else, also trailing text, gives nothing.
std::optional<MoveNode> parseMoveNode(std::string_view node);

// The stones of a capture text in the order they were written; stops at the
// first piece that is not a whole stone node.
std::vector<MoveNode> parseCaptureText(std::string_view captureText);

// One label of a record node: its point and its text (the first character
// after the colon, a whole UTF-8 character).
struct NodeLabel {
    int i = 0;
    int j = 0;
    std::string text;

    friend bool operator==(const NodeLabel&, const NodeLabel&) = default;
};

// One label value as it stands between the brackets, already unescaped:
// "pd:A" gives (16, 4) and "A". Nothing when it does not name a point on
// the 19 × 19 array or has no text after the colon.
std::optional<NodeLabel> parseLabelValue(std::string_view value);

// Every label of a node, from each "LB[" property and each further value
// that follows one ("LB[pd:A][qd:B]LB[dd:C]" gives three). Values that do
// not name a point on the 19 × 19 array are skipped.
std::vector<NodeLabel> parseNodeLabels(std::string_view node);

} // namespace zemra
