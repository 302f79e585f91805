#include "net/ChatMessage.h"

#include "net/Wire.h"

namespace zemra::net {

QString chatMessage(const QString& nickName, const QString& rank, const QString& text)
{
    return wire::format(Command::Chat, {nickName, rank, text});
}

ChatParts splitChatMessage(const QString& message)
{
    const qsizetype semicolon = message.indexOf(QLatin1Char(';'));
    if (semicolon < 0) return {QString(), message};
    // The label starts after "CHAT ".
    constexpr qsizetype labelStart = wire::ChatStart.size();
    return {semicolon > labelStart ? message.mid(labelStart, semicolon - labelStart) : QString(), message.mid(semicolon + 1)};
}

} // namespace zemra::net
