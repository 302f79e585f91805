// The chat line under the message log: an editable list of canned phrases.
// Enter sends what is typed, choosing an entry sends that phrase; both go to
// the log and, when a connection role is set, to the peer.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>
#include <functional>

namespace zemra {

class MessageLog;

class ChatLine : public QComboBox {
    Q_OBJECT
public:
    // The 20 entries; each begins with a space, the first and last are " ".
    static const QStringList& cannedPhrases();

    explicit ChatLine(QWidget* parent = nullptr);

    // Where chat lines are shown, and whose nickname and rank they carry.
    // Not owned; without a log nothing is shown.
    void setMessageLog(MessageLog* log) { m_log = log; }

    // "server", "client" or anything else (no peer).
    void setNetworkRole(const QString& role) { m_networkRole = role; }
    QString networkRole() const { return m_networkRole; }

    // The network side fills these in; each takes one protocol line.
    std::function<void(const QString& line)> SendMessageToClient;
    std::function<void(const QString& line)> SendMessageToServer;

    // Enter sends the typed text as it is; every other key belongs to the
    // edit. Returns true when the key was taken (Enter is always swallowed).
    bool ChatTextKeyPress(int key);

    // An entry was chosen from the list.
    void ChatTextClick(int index);

    // The one place a chat line leaves: a "Local" log entry, then the chat
    // message to the peer according to the role.
    void sendChat(const QString& text);

    // "CHAT " + nickname + "(" + rank + ");" + text
    static QString chatMessage(const QString& nickName, const QString& rank, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageLog* m_log = nullptr;
    QString m_networkRole;
};

} // namespace zemra
