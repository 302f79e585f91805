// The wire protocol between two copies of the program: the one table of
// message forms, the GBK edge of the connection, and the grammar that tells
// where a message starts and ends in a stream without delimiters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace zemra::net {

enum class Command : std::uint8_t {
    Name,         // CMMD NAME(nick)IP[address]RANK{rank}
    Play,         // CMMD PLAY ;B[pd]
    Pass,         // CMMD PASS
    GameProposal, // CMMD GAME OK? PB[name]Handicap(k)BaordSize{n}
    GameAccepted, // CMMD GAME OK! PB[name]Handicap(k)BaordSize{n}
    GameRefused,  // CMMD GAME NO!
    Undo,         // CMMD UNDO
    UndoAgreed,   // CMMD UNOK
    UndoRefused,  // CMMD UNNO
    DrawOffer,    // CMMD HeQi
    DrawAgreed,   // CMMD HeOK
    DrawRefused,  // CMMD HeNO
    Resign,       // CMMD SIGN
    Chat,         // CHAT nick(rank);text
    Quit,         // QUIT nick
};

namespace wire {

// Every message begins with one of these three.
inline constexpr std::string_view CommandStart = "CMMD ";
inline constexpr std::string_view ChatStart = "CHAT ";
inline constexpr std::string_view QuitStart = "QUIT ";

// Placeholders in a form. A text field runs to the form's next character,
// a node field is one move node (";B[pd]"), the rest runs to the end of the
// message.
inline constexpr char TextField1 = '\1';
inline constexpr char TextField2 = '\2';
inline constexpr char TextField3 = '\3';
inline constexpr char NodeField = '\4';
inline constexpr char RestField = '\5';

// No field of a well-formed message is longer (nicknames have 14 bytes).
inline constexpr qsizetype MaxFieldBytes = 64;

// The form of a message exactly as sent, with placeholders for its fields.
std::string_view form(Command command);

// The message with the placeholders of its form replaced, in order, by the
// fields. Missing fields are empty.
QString format(Command command, std::initializer_list<QString> fields = {});

} // namespace wire

// The bytes sent for a message: GBK, with no terminator.
QByteArray toWire(const QString& message);
// The text of received bytes; bytes that are not GBK become U+FFFD.
QString fromWire(QByteArrayView bytes);

// How the bytes at one position relate to the forms.
enum class Match : std::uint8_t {
    NoStart,    // no message begins here
    Malformed,  // a message word begins here but the rest breaks its form
    Incomplete, // the bytes so far agree with a form; more must arrive
    Closed,     // a whole message of fixed end
    Open,       // a chat or quit whose rest runs to where the stream says
};

struct FieldSpan {
    qsizetype begin = 0; // from the start of the message
    qsizetype size = 0;
};

struct MatchResult {
    Match match = Match::NoStart;
    Command command = Command::Pass;
    // Closed: the message's length. Open: where its rest begins.
    qsizetype length = 0;
    // The text and node fields in form order (the rest is not one of them).
    std::array<FieldSpan, 3> fields{};
};

// Matches the forms against the bytes from pos on. Bytes are read as GBK
// characters from pos, so a trail byte that happens to be "}" or "C" never
// ends a field or starts a message. A field may not contain a message start.
MatchResult matchMessage(QByteArrayView bytes, qsizetype pos);

// Bytes of the GBK character that starts at pos: 2 for a lead byte, else 1.
qsizetype gbkUnitLength(QByteArrayView bytes, qsizetype pos);

} // namespace zemra::net
