#include "text/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zemra::gbk {

namespace {

// Qt finds GBK through ICU. Should a build lack it, text still flows: ASCII
// passes, anything else counts as a two-byte character it cannot keep.
bool codecAvailable()
{
    static const bool available = QStringEncoder("GBK").isValid();
    return available;
}

qsizetype fallbackLength(QStringView text)
{
    qsizetype n = 0;
    for (QChar c : text)
        if (!c.isLowSurrogate()) n += c.unicode() < 0x80 ? 1 : 2;
    return n;
}

// Bytes of one character (one or two UTF-16 units), or empty when GBK has none.
QByteArray characterBytes(QStringView character)
{
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError() || bytes.isEmpty()) return {};
    // ICU substitutes '?' (or 0x1a) for what it cannot map.
    if ((bytes == "?" && character != u"?") || bytes == "\x1a") return {};
    return bytes;
}

} // namespace

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    if (!codecAvailable()) {
        for (QChar c : text) {
            if (c.isLowSurrogate()) continue;
            out += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
        }
        return out;
    }
    // Whole runs go through the converter at once; only a run it refuses is
    // walked character by character, so one odd character costs one '?'.
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() && !bytes.contains('\x1a') && bytes.count('?') == text.count(u'?')) return bytes;
    for (qsizetype k = 0; k < text.size();) {
        const qsizetype len = text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.mid(k, len);
        if (character.front().unicode() < 0x80) {
            out += static_cast<char>(character.front().unicode());
        } else {
            const QByteArray b = characterBytes(character);
            out += b.isEmpty() ? QByteArray("?") : b;
        }
        k += len;
    }
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (!codecAvailable()) return QString::fromLatin1(bytes);
    // GB18030 reads every GBK file the same and a few more.
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    // A character cut off at the end would vanish without a trace; a line
    // break after it makes the decoder report it, and comes off again.
    QByteArray terminated = bytes.toByteArray();
    terminated.append('\n');
    QString text = decoder.decode(terminated);
    text.chop(1);
    return text;
}

qsizetype byteLength(QStringView text)
{
    if (!codecAvailable()) return fallbackLength(text);
    return encode(text).size();
}

bool canEncode(QStringView text)
{
    if (!codecAvailable()) {
        for (QChar c : text)
            if (c.unicode() >= 0x80) return false;
        return true;
    }
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.contains('\x1a')) return false;
    return bytes.count('?') == text.count(u'?');
}

QString truncated(const QString& text, qsizetype maxBytes)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype len = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const qsizetype cost = text[end].unicode() < 0x80 ? 1 : byteLength(QStringView(text).mid(end, len));
        if (used + cost > maxBytes) break;
        used += cost;
        end += len;
    }
    return text.left(end);
}

} // namespace zemra::gbk
