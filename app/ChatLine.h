// The chat line under the message log: an editable list of canned phrases.
// Enter sends what is typed, choosing an entry sends that phrase; the window
// shows the line in the log and hands it to the peer when there is one.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace zemra {

class ChatLine : public QComboBox {
    Q_OBJECT
public:
    // The 20 entries; each begins with a space, the first and last are " ".
    static const QStringList& cannedPhrases();

    explicit ChatLine(QWidget* parent = nullptr);

    // Enter sends the typed text as it is; every other key belongs to the
    // edit. Returns true when the key was taken (Enter is always swallowed).
    bool ChatTextKeyPress(int key);

    // An entry was chosen from the list.
    void ChatTextClick(int index);

signals:
    // The one place a chat line leaves, exactly as typed or chosen.
    void lineSent(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zemra
