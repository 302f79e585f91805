// The nickname rule shared by every dialog that asks for a player's name.
// Nicknames travel in records and on the wire in GBK, inside brackets and
// before ";", so those characters and anything GBK cannot carry are refused.
#pragma once

#include <QString>
#include <QStringView>

namespace zemra::nickname {

// At most 14 GBK bytes: 7 Chinese characters.
constexpr qsizetype MaxBytes = 14;

enum class Problem {
    None,
    Empty,
    // Contains ( ) [ ] ; or is longer than MaxBytes.
    ForbiddenOrLong,
    // A character GBK has no code for, one that does not read back as
    // itself, or a control character: the peer or a record would get
    // something else than was typed. Also a name holding "CMMD ", "CHAT "
    // or "QUIT ", which the peer reads as the start of another message.
    Unencodable,
};

// The first problem of a nickname, in the order the dialogs report them.
Problem check(const QString& name);

// Whether every character can be shown as it is: no control characters and
// no U+FFFD left by bytes that were not GBK.
bool isPrintable(QStringView text);

} // namespace zemra::nickname
