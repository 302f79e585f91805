// The three coordinate notations: board indices (i column from the left,
// j row from the top, both from 1), SGF letters and GTP vertices.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zemra {

// A text that should have been a number or a coordinate but was not.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 1..19 -> "a".."s"; anything else -> "error".
std::string NumberToLetter(int n);

// First character "a".."s" -> 1..19; anything else (also an empty text) -> -1.
int LetterToNumber(std::string_view text);

// 1..19 -> GTP column "A".."T" without "I"; anything else -> "error".
std::string iToGNU(int i);

// Row from the top -> GTP row counted from the bottom, as decimal text.
std::string jToGNU(int j, int boardSize);

// A GTP column letter -> its column; otherwise a decimal row number r ->
// boardSize - r + 1 (not range-checked). Throws EConvertError naming the text
// when it is neither.
int GNUToi(std::string_view text, int boardSize);

// Strict decimal conversion used wherever a text must be a whole number.
// Throws EConvertError naming the text.
int StrToInt(std::string_view text);

} // namespace zemra
