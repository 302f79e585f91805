#include "app/RtfWriter.h"

#include <stdexcept>

#include "records/AtomicWrite.h"
#include "text/Gbk.h"

namespace zemra {
namespace {

void appendHexByte(QByteArray& out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0x0f];
}

// GBK bytes of one character, or empty when GBK does not have it.
QByteArray gbkBytes(QChar c)
{
    // Only called for non-ASCII characters, so '?' means GBK lacks it.
    const QByteArray bytes = gbk::encode(QString(c));
    return bytes == "?" ? QByteArray() : bytes;
}

// \u with its '?' fallback in a group of its own: unrtf swallows the text
// that follows a fallback character, a closing brace stops it.
void appendUnicode(QByteArray& out, const QString& units)
{
    out += '{';
    for (QChar unit : units) {
        out += "\\u";
        out += QByteArray::number(static_cast<qint16>(unit.unicode()));
        out += '?';
    }
    out += '}';
}

} // namespace

RtfWriter::RtfWriter(const QString& fontFamily, int pointSize) : m_fontFamily(fontFamily), m_pointSize(pointSize) {}

QByteArray RtfWriter::encodeText(const QString& text)
{
    QByteArray out;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        const char16_t u = c.unicode();
        if (u == '\n') {
            out += "\\par\n";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x20 || u == 0x7f) {
            continue; // other control characters have no meaning in a log
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (c.isHighSurrogate() && k + 1 < text.size() && text.at(k + 1).isLowSurrogate()) {
            appendUnicode(out, text.mid(k, 2));
            ++k;
        } else if (c.isSurrogate()) {
            continue; // a lone half of a pair is no character
        } else if (const QByteArray bytes = gbkBytes(c); !bytes.isEmpty()) {
            for (char b : bytes)
                appendHexByte(out, static_cast<unsigned char>(b));
        } else {
            appendUnicode(out, QString(c));
        }
    }
    return out;
}

int RtfWriter::colourIndex(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    for (qsizetype k = 0; k < m_colours.size(); ++k) {
        if (m_colours[k].rgb() == rgb.rgb()) return static_cast<int>(k) + 1;
    }
    m_colours.append(rgb);
    return static_cast<int>(m_colours.size());
}

void RtfWriter::addRun(const QString& text, const QColor& colour)
{
    if (text.isEmpty()) return;
    m_body += "\\cf";
    m_body += QByteArray::number(colourIndex(colour));
    m_body += ' ';
    m_body += encodeText(text);
}

void RtfWriter::addRuns(const QList<RtfRun>& runs)
{
    for (const RtfRun& run : runs)
        addRun(run.text, run.colour);
}

QByteArray RtfWriter::toRtf() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n";
    // fcharset134 is GB2312, the character set Chinese fonts are announced with.
    out += "{\\fonttbl{\\f0\\fnil\\fcharset134 ";
    out += encodeText(m_fontFamily);
    out += ";}}\n{\\colortbl ;";
    for (const QColor& c : m_colours) {
        out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
               QByteArray::number(c.blue()) + ';';
    }
    out += "}\n\\pard\\f0\\fs" + QByteArray::number(m_pointSize * 2) + ' ';
    out += m_body;
    out += "\n}\n";
    return out;
}

void RtfWriter::writeFile(const QString& path) const
{
    const QString reason = writeFileAtomically(path, toRtf());
    if (!reason.isEmpty()) throw std::runtime_error(QStringLiteral("无法保存文件“%1”：%2").arg(path, reason).toStdString());
}

} // namespace zemra
