#include "text/Nickname.h"

#include <algorithm>

#include "text/Gbk.h"

namespace zemra::nickname {

bool isPrintable(QStringView text)
{
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter; });
}

Problem check(const QString& name)
{
    if (name.isEmpty()) return Problem::Empty;
    static const QString forbidden = QStringLiteral("()[];");
    const bool hasForbidden = std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); });
    if (hasForbidden || gbk::byteLength(name) > MaxBytes) return Problem::ForbiddenOrLong;
    // What the peer or a record reads back must be what was typed.
    if (!gbk::canEncode(name) || gbk::decode(gbk::encode(name)) != name || !isPrintable(name)) return Problem::Unencodable;
    // The peer takes these words for the start of a new message, so a
    // greeting or chat carrying such a name would never be understood.
    for (const QLatin1StringView start : {QLatin1StringView("CMMD "), QLatin1StringView("CHAT "), QLatin1StringView("QUIT ")})
        if (name.contains(start)) return Problem::Unencodable;
    return Problem::None;
}

} // namespace zemra::nickname
