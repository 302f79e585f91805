// The chat message of the wire: "CHAT " + nickname + "(" + rank + ");" +
// text. Built by the sender, taken apart by the log that shows it.
#pragma once

#include <QString>

namespace zemra::net {

QString chatMessage(const QString& nickName, const QString& rank, const QString& text);

// A received chat message as the log shows it: the label (the sender's
// "nickname(rank)") and the text. Without ";" the label is empty and the
// whole message, "CHAT " included, is the text.
struct ChatParts {
    QString label;
    QString text;
};
ChatParts splitChatMessage(const QString& message);

// Why a chat line must not go to the peer, or an empty text. The receiver
// keeps messages apart by their starts, so a line containing "CMMD ",
// "CHAT " or "QUIT " would be cut there and the rest acted on as the
// sender's command; and a line longer than MaxChatBytes (in GBK) could
// reach the peer's limit for what may wait unread.
inline constexpr qsizetype MaxChatBytes = 4000;
QString chatRefusal(const QString& text);

} // namespace zemra::net
