// Splits the byte stream of a connection into messages. The protocol has no
// delimiter, so messages are kept apart by their own forms (net/Wire.h):
//
// - A message starts with "CMMD ", "CHAT " or "QUIT ". Fixed commands have
//   fixed lengths, PLAY is one move node, NAME and GAME end at their closing
//   "}". Such a message is yielded once it is whole; a part of one waits for
//   the rest.
// - A chat (or quit) has no end of its own. It ends where the next complete
//   message starts (a closed CMMD message, a chat with its whole
//   "CHAT nick(rank);" header, or at least "CMMD " of a message still
//   arriving); otherwise it runs to the end of what has arrived and is
//   yielded at once, as the other copy expects. Consequences:
//   * chat text that itself contains a whole message (say "CMMD PASS") is
//     cut there, and that message is acted on;
//   * a long chat that the network delivers in two reads is shown as two
//     chat lines with the same sender: bytes that follow a chat and start
//     no message continue it, they are never dropped;
//   * when a read ends inside "CMMD" right after a chat, those bytes were
//     already shown in the chat; the next read completes the message from
//     them, so the message is not lost;
//   * a quit is never continued: what follows it without a start is junk.
// - Bytes between messages that start none are skipped.
// - Bytes are GBK: matching steps over whole characters, so the second
//   byte of a Chinese character ("C", "}", "]") never starts or ends a
//   message; a chat never ends inside a character.
// - At most MaxPending bytes wait at any time; more means the peer floods.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace zemra::net {

class MessageReader {
public:
    static constexpr qsizetype MaxPending = 64 * 1024;

    // Adds the bytes of one receive notification. False when the waiting
    // bytes would pass MaxPending: the reader then stays overflowed (and
    // empty) until reset, and the connection should be dropped.
    bool append(QByteArrayView bytes);

    // The next whole message, or nothing until more bytes arrive.
    std::optional<QByteArray> next();

    bool overflowed() const { return m_overflowed; }
    qsizetype pendingBytes() const { return m_buffer.size() - m_start; }

    // Forget everything, for a new connection.
    void reset();

private:
    QByteArrayView pending() const;
    void consume(qsizetype n);
    void recoverSplitStart();
    std::optional<QByteArray> takeOpenEnded(qsizetype bodyStart, const QByteArray& prefix, bool chat);

    QByteArray m_buffer;
    qsizetype m_start = 0;
    // The header of the chat yielded last, while what follows may continue it.
    QByteArray m_chatHeader;
    // The end of that chat when it could be the beginning of a message start.
    QByteArray m_chatTail;
    bool m_overflowed = false;
};

} // namespace zemra::net
