// The messages of a network game as values: built for sending, and taken
// apart on receipt. Texts are QStrings; net/Wire.h turns them into bytes.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

#include "board/MoveNode.h"
#include "board/Words.h"
#include "net/Wire.h"

namespace zemra::net {

// The terms of a proposed game, as the proposal carries them.
struct GameTerms {
    QString blackName;     // PB: the nickname of the player who takes Black
    QString handicapText;  // the handicap list index as sent, "0".."8"
    QString sizeText;      // the board size as typed, for example "19"
    int handicapIndex = 0; // 0 no handicap, k >= 1 means k + 1 stones
    int boardSize = 19;    // 5..19
    // The message exactly as it came, so an acceptance can copy the fields
    // back byte for byte; empty for terms made here.
    QByteArray received;

    // The handicap stones the index stands for: 0, or 2..9.
    int handicapCount() const { return handicapIndex == 0 ? 0 : handicapIndex + 1; }

    friend bool operator==(const GameTerms&, const GameTerms&) = default;
};

// One received message with its fields.
struct Message {
    Command command = Command::Pass;
    QString nickName; // NAME, QUIT; CHAT: the sender's
    QString address;  // NAME
    QString rank;     // NAME; CHAT: the sender's
    MoveNode move;    // PLAY: the colour and the point (i, j in 1..19)
    GameTerms terms;  // GAME OK? and GAME OK!
    QString text;     // CHAT: the whole message, as the log takes it
};

// --- building -------------------------------------------------------------

QString nameMessage(const QString& nickName, const QString& address, const QString& rank);
// i and j in 1..19.
QString playMessage(Colour colour, int i, int j);
QString proposalMessage(const QString& blackName, int handicapIndex, const QString& sizeText);
QString acceptanceMessage(const GameTerms& terms);
// The bytes of the acceptance of a received proposal: its fields copied back
// exactly as they came, whatever characters they hold.
QByteArray acceptanceWire(const GameTerms& terms);
QString quitMessage(const QString& nickName);
// A message without fields: PASS, GAME NO!, UNDO, UNOK, UNNO, HeQi, HeOK,
// HeNO, SIGN.
QString plainMessage(Command command);

// --- taking apart -----------------------------------------------------------

// A received message, whole and alone (as MessageReader yields them). Nothing
// for what the receiver ignores: unknown words, broken forms, a nickname that
// is empty, contains ( ) [ ] ; or cannot be printed, a handicap index outside
// 0..8, a board size outside 5..19, a handicap on a board other than 19 × 19.
std::optional<Message> parseMessage(QByteArrayView bytes);
// The same for a message as text (its GBK bytes).
std::optional<Message> parseMessageText(const QString& text);

// The board size of a size text as the dialogs read it (blanks around it
// allowed); 0 for anything that is not a number.
int boardSizeValue(const QString& text);

} // namespace zemra::net
