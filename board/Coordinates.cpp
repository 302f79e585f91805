#include "board/Coordinates.h"

#include <charconv>

namespace zemra {

namespace {
constexpr std::string_view kGtpColumns = "ABCDEFGHJKLMNOPQRST";
}

std::string NumberToLetter(int n)
{
    if (n < 1 || n > 19) return "error";
    return std::string(1, static_cast<char>('a' + n - 1));
}

int LetterToNumber(std::string_view text)
{
    if (text.empty()) return -1;
    const char c = text.front();
    if (c < 'a' || c > 's') return -1;
    return c - 'a' + 1;
}

std::string iToGNU(int i)
{
    if (i < 1 || i > 19) return "error";
    return std::string(1, kGtpColumns[static_cast<std::size_t>(i - 1)]);
}

std::string jToGNU(int j, int boardSize)
{
    return std::to_string(boardSize - j + 1);
}

int StrToInt(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    // from_chars takes a leading '-' but no '+'; "+-5" must still fail.
    const bool signAfterPlus = digits.size() != text.size() && !digits.empty() && digits.front() == '-';
    if (digits.empty() || ec != std::errc() || ptr != last || signAfterPlus) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return value;
}

int GNUToi(std::string_view text, int boardSize)
{
    if (text.size() == 1) {
        const auto pos = kGtpColumns.find(text.front());
        if (pos != std::string_view::npos) return static_cast<int>(pos) + 1;
    }
    return boardSize - StrToInt(text) + 1;
}

} // namespace zemra
