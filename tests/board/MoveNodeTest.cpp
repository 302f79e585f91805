#include <gtest/gtest.h>

#include "board/MoveNode.h"

using namespace zemra;

TEST(MoveNode, ParsesOnlyWholeNodes)
{
    const struct {
        const char* text;
        std::optional<MoveNode> node;
    } rows[] = {
        {";B[pd]", MoveNode{Colour::Black, false, 16, 4}},
        {";W[aa]", MoveNode{Colour::White, false, 1, 1}},
        {";W[ss]", MoveNode{Colour::White, false, 19, 19}},
        {";B[]", MoveNode{Colour::Black, true, 0, 0}},
        {";W[]", MoveNode{Colour::White, true, 0, 0}},
        {";B[tt]", std::nullopt}, // beyond "s": not a point of the array
        {";B[pd]C[x]", std::nullopt},
        {";X[pd]", std::nullopt},
        {";B[p]", std::nullopt},
        {"B[pd]", std::nullopt},
        {";B(pd)", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(parseMoveNode(r.text), r.node) << r.text;
        if (r.node) {
            EXPECT_EQ(formatMoveNode(*r.node), r.text);
        }
    }
}

TEST(MoveNode, CaptureTextsStopAtTheFirstBrokenPiece)
{
    EXPECT_EQ(parseCaptureText(";W[qd];W[qe]"),
              (std::vector<MoveNode>{{Colour::White, false, 17, 4}, {Colour::White, false, 17, 5}}));
    EXPECT_EQ(parseCaptureText(";B[aa];B[]x;B[bb]").size(), 1u);
    EXPECT_TRUE(parseCaptureText("").empty());
    EXPECT_TRUE(parseCaptureText(";B[a").empty());
}

TEST(MoveNode, LabelsFromEveryValueAndEveryProperty)
{
    const struct {
        const char* node;
        std::vector<NodeLabel> labels;
    } rows[] = {
        {";W[qd]LB[pd:A][dd:B]", {{16, 4, "A"}, {4, 4, "B"}}},
        {";B[aa]LB[pd:A]C[x]LB[qd:B]", {{16, 4, "A"}, {17, 4, "B"}}},
        {";B[aa]LB[pd:A] [qd:B]", {{16, 4, "A"}, {17, 4, "B"}}},
        {";LB[pd:天元]", {{16, 4, "天"}}}, // the first whole character
        {";LB[pd:]LB[zz:A][qd:C]", {{17, 4, "C"}}},
        {";LB[pd:A", {{16, 4, "A"}}},
        {";B[pd]", {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parseNodeLabels(r.node), r.labels) << r.node;
}

TEST(MoveNode, OneLabelValue)
{
    EXPECT_EQ(parseLabelValue("pd:A"), (NodeLabel{16, 4, "A"}));
    EXPECT_EQ(parseLabelValue("aa:]x"), (NodeLabel{1, 1, "]"})); // an unescaped value may hold ']'
    EXPECT_EQ(parseLabelValue("ss:甲乙"), (NodeLabel{19, 19, "甲"}));
    EXPECT_EQ(parseLabelValue("tt:A"), std::nullopt);
    EXPECT_EQ(parseLabelValue("pd:"), std::nullopt);
    EXPECT_EQ(parseLabelValue("pdA"), std::nullopt);
}
