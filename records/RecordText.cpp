#include "records/RecordText.h"

#include <QStringDecoder>

#include <cstring>

#include "text/Gbk.h"

namespace zemra {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

bool startsWith(QByteArrayView bytes, std::string_view prefix)
{
    return bytes.size() >= static_cast<qsizetype>(prefix.size()) &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

DecodedText fromUtf8(QByteArrayView bytes)
{
    if (startsWith(bytes, Utf8Bom)) bytes = bytes.sliced(3);
    const std::string_view view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    if (isValidUtf8(view)) return {std::string(view), QStringLiteral("UTF-8"), {}};
    // Declared UTF-8 but broken: keep what can be read.
    return {QString::fromUtf8(bytes).toStdString(), QStringLiteral("UTF-8"), {}};
}

DecodedText fromGbk(QByteArrayView bytes)
{
    return {gbk::decode(bytes).toStdString(), QStringLiteral("GBK"), {}};
}

DecodedText through(QStringConverter::Encoding encoding, QByteArrayView bytes, const QString& name)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return {QString(decoder.decode(bytes)).toStdString(), name, {}};
}

// UTF-8 when valid, otherwise GBK: what the program does without a label.
DecodedText guessed(QByteArrayView bytes)
{
    if (startsWith(bytes, Utf8Bom) ||
        isValidUtf8(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))))
        return fromUtf8(bytes);
    return fromGbk(bytes);
}

// The ICU name for the charset names record programs write.
QByteArray icuName(const QString& charset)
{
    const QString c = charset.trimmed().toUpper().replace(u'_', u'-');
    if (c == u"BIG5" || c == u"BIG-5" || c == u"CP950" || c == u"BIG5-HKSCS") return "Big5";
    if (c == u"EUC-KR" || c == u"EUCKR" || c == u"CP949" || c == u"UHC" || c == u"KS-C-5601-1987") return "windows-949";
    if (c == u"SHIFT-JIS" || c == u"SJIS" || c == u"MS-KANJI" || c == u"CP932" || c == u"WINDOWS-31J") return "Shift_JIS";
    if (c == u"EUC-JP") return "EUC-JP";
    return charset.trimmed().toLatin1();
}

} // namespace

bool isValidUtf8(std::string_view s)
{
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const unsigned char* end = p + s.size();
    while (p < end) {
        // Eight ASCII bytes at a time: most record text is ASCII.
        if (end - p >= 8) {
            std::uint64_t block;
            std::memcpy(&block, p, 8);
            if ((block & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (end - p <= extra) return false;
        if (p[1] < lo || p[1] > hi) return false;
        for (int k = 2; k <= extra; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF) return false;
        p += extra + 1;
    }
    return true;
}

QString declaredCharset(QByteArrayView bytes)
{
    const std::string_view text(bytes.data(), static_cast<std::size_t>(bytes.size()));
    std::size_t at = 0;
    while ((at = text.find("CA[", at)) != std::string_view::npos) {
        // "CA[" must be a whole property name, not the end of a longer one.
        if (at == 0 || !(text[at - 1] >= 'A' && text[at - 1] <= 'Z')) {
            const std::size_t close = text.find(']', at + 3);
            if (close == std::string_view::npos) return {};
            return QString::fromLatin1(text.substr(at + 3, close - at - 3)).trimmed();
        }
        at += 3;
    }
    return {};
}

DecodedText decodeSgfBytes(QByteArrayView bytes)
{
    if (startsWith(bytes, Utf8Bom)) return fromUtf8(bytes);
    if (startsWith(bytes, "\xFF\xFE")) return through(QStringConverter::Utf16LE, bytes.sliced(2), QStringLiteral("UTF-16LE"));
    if (startsWith(bytes, "\xFE\xFF")) return through(QStringConverter::Utf16BE, bytes.sliced(2), QStringLiteral("UTF-16BE"));

    const QString charset = declaredCharset(bytes);
    if (charset.isEmpty()) return guessed(bytes);
    const QString upper = charset.toUpper();
    if (upper == u"UTF-8" || upper == u"UTF8") return fromUtf8(bytes);
    if (upper.startsWith(u"GB") || upper == u"CP936" || upper == u"EUC-CN" || upper == u"EUC_CN") return fromGbk(bytes);
    if (upper == u"ISO-8859-1" || upper == u"LATIN1" || upper == u"ISO8859-1")
        return through(QStringConverter::Latin1, bytes, QStringLiteral("ISO-8859-1"));
    // UTF-16 without a byte-order mark is not told apart here: the bytes decide.
    if (!upper.startsWith(u"UTF")) {
        const QByteArray name = icuName(charset);
        QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) return {QString(decoder.decode(bytes)).toStdString(), QString::fromLatin1(name), {}};
    }
    DecodedText text = guessed(bytes);
    text.problem = QStringLiteral("棋谱声明的字符集“%1”无法识别，已按 %2 读取。").arg(charset, text.encoding);
    return text;
}

DecodedText decodeGibBytes(QByteArrayView bytes)
{
    if (startsWith(bytes, Utf8Bom) ||
        isValidUtf8(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))))
        return fromUtf8(bytes);
    const std::string_view text(bytes.data(), static_cast<std::size_t>(bytes.size()));
    if (text.find("GIBOKIND=Korea") != std::string_view::npos) {
        QStringDecoder decoder("windows-949", QStringDecoder::Flag::Stateless);
        if (decoder.isValid()) return {QString(decoder.decode(bytes)).toStdString(), QStringLiteral("EUC-KR"), {}};
    }
    return fromGbk(bytes);
}

} // namespace zemra
