#include "net/MessageReader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "net/Wire.h"

namespace zemra::net {

namespace {

// Whether a message that ends a chat starts at pos (see the header).
bool startsAfterChat(QByteArrayView bytes, qsizetype pos)
{
    if (bytes[pos] != 'C') return false;
    const MatchResult r = matchMessage(bytes, pos);
    if (r.match == Match::Closed) return true;
    if (r.match == Match::Open) return r.command == Command::Chat;
    const QByteArrayView commandStart(wire::CommandStart.data(), static_cast<qsizetype>(wire::CommandStart.size()));
    return r.match == Match::Incomplete && bytes.sliced(pos).startsWith(commandStart);
}

struct OpenEnd {
    qsizetype end = 0;    // where the chat or quit ends
    bool atStart = false; // a message starts there
    // Where the last four characters before end start, for the split tail.
    std::array<qsizetype, 4> lastStarts{-1, -1, -1, -1};
};

// Walks the characters from bodyStart; the first never ends the message, so
// a body is never empty.
OpenEnd findOpenEnd(QByteArrayView bytes, qsizetype bodyStart)
{
    OpenEnd e;
    const qsizetype n = bytes.size();
    qsizetype q = bodyStart;
    while (q < n) {
        if (q > bodyStart && startsAfterChat(bytes, q)) {
            e.end = q;
            e.atStart = true;
            return e;
        }
        const qsizetype unit = gbkUnitLength(bytes, q);
        if (q + unit > n) break; // half a character: wait for its other byte
        std::rotate(e.lastStarts.begin(), e.lastStarts.begin() + 1, e.lastStarts.end());
        e.lastStarts.back() = q;
        q += unit;
    }
    e.end = q;
    return e;
}

// The longest end of text, from a character start, that may be the first
// bytes of "CMMD " or "CHAT ".
QByteArray possibleStartTail(QByteArrayView text, const std::array<qsizetype, 4>& starts, qsizetype end)
{
    for (const qsizetype s : starts) {
        if (s < 0) continue;
        const QByteArrayView tail = text.sliced(s, end - s);
        for (const std::string_view word : {wire::CommandStart, wire::ChatStart})
            if (QByteArrayView(word.data(), static_cast<qsizetype>(word.size())).startsWith(tail)) return tail.toByteArray();
    }
    return {};
}

} // namespace

bool MessageReader::append(QByteArrayView bytes)
{
    if (m_overflowed) return false;
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    if (m_buffer.size() + bytes.size() > MaxPending) {
        reset();
        m_overflowed = true;
        return false;
    }
    m_buffer.append(bytes);
    return true;
}

void MessageReader::reset()
{
    m_buffer.clear();
    m_start = 0;
    m_chatHeader.clear();
    m_chatTail.clear();
    m_overflowed = false;
}

QByteArrayView MessageReader::pending() const
{
    return QByteArrayView(m_buffer).sliced(m_start);
}

void MessageReader::consume(qsizetype n)
{
    m_start += n;
}

void MessageReader::recoverSplitStart()
{
    const QByteArray tail = std::exchange(m_chatTail, {});
    const QByteArrayView view = pending();
    const Match head = matchMessage(view, 0).match;
    if (head != Match::NoStart && head != Match::Malformed) return;
    for (qsizetype k = tail.size(); k >= 1; --k) {
        QByteArray joined = tail.right(k);
        joined.append(view);
        const MatchResult r = matchMessage(joined, 0);
        if (r.match == Match::Closed || r.match == Match::Incomplete || (r.match == Match::Open && r.command == Command::Chat)) {
            m_buffer = joined;
            m_start = 0;
            return;
        }
    }
}

std::optional<QByteArray> MessageReader::takeOpenEnded(qsizetype bodyStart, const QByteArray& prefix, bool chat)
{
    const QByteArrayView view = pending();
    const OpenEnd e = findOpenEnd(view, bodyStart);
    if (e.end <= bodyStart) return std::nullopt;
    QByteArray message = prefix;
    message.append(view.first(e.end));
    m_chatHeader = chat ? (prefix.isEmpty() ? view.first(bodyStart).toByteArray() : prefix) : QByteArray();
    m_chatTail = chat && !e.atStart && e.end == view.size() ? possibleStartTail(view, e.lastStarts, e.end) : QByteArray();
    consume(e.end);
    return message;
}

std::optional<QByteArray> MessageReader::next()
{
    if (m_overflowed) return std::nullopt;
    while (true) {
        if (!m_chatTail.isEmpty() && pendingBytes() > 0) recoverSplitStart();
        const QByteArrayView view = pending();
        if (view.isEmpty()) return std::nullopt;
        const MatchResult r = matchMessage(view, 0);
        switch (r.match) {
        case Match::Closed: {
            QByteArray message = view.first(r.length).toByteArray();
            consume(r.length);
            m_chatHeader.clear();
            m_chatTail.clear();
            return message;
        }
        case Match::Open: return takeOpenEnded(r.length, {}, r.command == Command::Chat);
        case Match::Incomplete: return std::nullopt;
        case Match::NoStart:
        case Match::Malformed: break;
        }
        if (!m_chatHeader.isEmpty()) return takeOpenEnded(0, m_chatHeader, true);
        // Junk: skip to the next character where a message may start. Half
        // a character at the end stays, to pair with its second byte.
        const auto noStartAt = [&view](qsizetype q) {
            const Match m = matchMessage(view, q).match;
            return m == Match::NoStart || m == Match::Malformed;
        };
        qsizetype q = 0;
        do {
            const qsizetype unit = gbkUnitLength(view, q);
            if (q + unit > view.size()) break;
            q += unit;
        } while (q < view.size() && noStartAt(q));
        if (q == 0) return std::nullopt;
        consume(q);
    }
}

} // namespace zemra::net
