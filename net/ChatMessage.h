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

} // namespace zemra::net
