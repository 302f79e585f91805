#include "net/ChatMessage.h"

#include "net/Wire.h"
#include "text/Gbk.h"

namespace zemra::net {

QString chatMessage(const QString& nickName, const QString& rank, const QString& text)
{
    return wire::format(Command::Chat, {nickName, rank, text});
}

QString chatRefusal(const QString& text)
{
    for (const std::string_view start : {wire::CommandStart, wire::ChatStart, wire::QuitStart})
        if (text.contains(QLatin1StringView(start.data(), static_cast<qsizetype>(start.size()))))
            return QStringLiteral("这句话没有发给棋友：其中的“%1”是网络命令的字样，对方会把它当作命令。")
                .arg(QLatin1StringView(start.data(), static_cast<qsizetype>(start.size() - 1)));
    if (gbk::byteLength(text) > MaxChatBytes)
        return QStringLiteral("这句话太长（超过%1个字节），没有发给棋友。").arg(MaxChatBytes);
    return {};
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
