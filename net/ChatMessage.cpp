#include "net/ChatMessage.h"

namespace zemra::net {

QString chatMessage(const QString& nickName, const QString& rank, const QString& text)
{
    return QStringLiteral("CHAT ") + nickName + QLatin1Char('(') + rank + QStringLiteral(");") + text;
}

ChatParts splitChatMessage(const QString& message)
{
    const qsizetype semicolon = message.indexOf(QLatin1Char(';'));
    if (semicolon < 0) return {QString(), message};
    // The label starts after the five characters "CHAT ".
    return {semicolon > 5 ? message.mid(5, semicolon - 5) : QString(), message.mid(semicolon + 1)};
}

} // namespace zemra::net
