// The board model, the readers and the engine's texts keep UTF-8 in
// std::string; Qt takes QString. The one crossing between the two.
#pragma once

#include <QString>

#include <string_view>

namespace zemra {

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zemra
