#include <gtest/gtest.h>

#include "board/Coordinates.h"

using namespace zemra;

TEST(Coordinates, NumberToLetter)
{
    const struct {
        int n;
        const char* text;
    } rows[] = {{1, "a"}, {2, "b"}, {9, "i"}, {19, "s"}, {0, "error"}, {20, "error"}, {-1, "error"}};
    for (const auto& r : rows)
        EXPECT_EQ(NumberToLetter(r.n), r.text) << r.n;
}

TEST(Coordinates, LetterToNumberLooksAtFirstCharacterOnly)
{
    const struct {
        const char* text;
        int n;
    } rows[] = {{"a", 1}, {"s", 19}, {"t", -1}, {"pd", 16}, {"A", -1}, {"", -1}, {"]", -1}, {"[", -1}};
    for (const auto& r : rows)
        EXPECT_EQ(LetterToNumber(r.text), r.n) << r.text;
}

TEST(Coordinates, GtpColumnsSkipI)
{
    EXPECT_EQ(iToGNU(1), "A");
    EXPECT_EQ(iToGNU(8), "H");
    EXPECT_EQ(iToGNU(9), "J");
    EXPECT_EQ(iToGNU(19), "T");
    EXPECT_EQ(iToGNU(0), "error");
    EXPECT_EQ(iToGNU(20), "error");
    for (int i = 1; i <= 19; ++i) {
        EXPECT_NE(iToGNU(i), "I");
        EXPECT_EQ(GNUToi(iToGNU(i), 19), i);
    }
}

TEST(Coordinates, GtpRowsCountFromTheBottom)
{
    EXPECT_EQ(jToGNU(1, 19), "19");
    EXPECT_EQ(jToGNU(19, 19), "1");
    EXPECT_EQ(jToGNU(9, 9), "1");
    EXPECT_EQ(GNUToi("9", 9), 1);
    EXPECT_EQ(GNUToi("4", 19), 16);
    for (int size : {5, 9, 13, 19}) {
        EXPECT_EQ(GNUToi("T", size), 19) << size;
        for (int j = 1; j <= size; ++j)
            EXPECT_EQ(GNUToi(jToGNU(j, size), size), j);
    }
    // D4 on 19x19 is column 4, row 16 from the top.
    EXPECT_EQ(iToGNU(4) + jToGNU(16, 19), "D4");
    // No range check: a row above the board gives an index below 1.
    EXPECT_EQ(GNUToi("20", 19), 0);
}

TEST(Coordinates, GnuToiRejectsWhatIsNeitherColumnNorNumber)
{
    for (const char* bad : {"PASS", "I", "a", "", "4x", " 4", "+", "-", "+-4", "99999999999"}) {
        try {
            GNUToi(bad, 19);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("'" + std::string(bad) + "'"), std::string::npos) << e.what();
        }
    }
}
