#include "app/MessageLog.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>

#include "net/ChatMessage.h"
#include "render/Fonts.h"

namespace zemra {
namespace {

// Every line break the callers may send becomes one paragraph break, so
// "\r\n" does not give an empty line.
QString normaliseBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Qt lays out a word wider than the log in time that grows with the square
// of its length (a 300 KB word without a blank took seconds). A break
// chance at least every BreakSpan characters keeps it linear; the zero-width
// space shows nothing and is taken out again of what leaves the log.
constexpr QChar BreakChance(0x200B);
constexpr qsizetype BreakSpan = 64;

QString withBreakChances(const QString& text)
{
    if (text.size() <= BreakSpan) return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    QString out;
    qsizetype copied = 0; // text[0, copied) is in out
    qsizetype chance = 0; // the last break chance
    for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary()) {
        while (next - chance > BreakSpan) {
            qsizetype cut = chance + BreakSpan;
            // Never inside a surrogate pair or before a combining mark.
            while (cut > chance + 1 && (text[cut].isLowSurrogate() || text[cut].isMark()))
                --cut;
            out.append(QStringView(text).sliced(copied, cut - copied));
            out.append(BreakChance);
            copied = chance = cut;
        }
        chance = next;
    }
    if (copied == 0) return text;
    out.append(QStringView(text).sliced(copied));
    return out;
}

QString withoutBreakChances(QString text)
{
    text.remove(BreakChance);
    return text;
}

const QString Separator = QStringLiteral("> ");
const QString InfoHeader = QStringLiteral("信息");

} // namespace

MessageLog::MessageLog(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QTextEdit::WidgetWidth);

    const QFont font = textFont(12);
    setFont(font);
    document()->setDefaultFont(font);

    QPalette pal = palette();
    pal.setColor(QPalette::Base, Background);
    pal.setColor(QPalette::Text, DefaultRed);
    setPalette(pal);

    appendRun(welcomeText() + QStringLiteral("\n\n"), DefaultRed);
}

QString MessageLog::welcomeText()
{
    return QStringLiteral("欢迎使用 Zemra 围棋！主页：") + MakerWebAddress;
}

void MessageLog::appendRun(const QString& text, const QColor& colour)
{
    if (text.isEmpty()) return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontUnderline(false);
    cursor.insertText(withBreakChances(normaliseBreaks(text)), format);
}

void MessageLog::SendOutMessage(const QString& kind, const QString& text)
{
    QString header;
    QColor headerColour;
    QString body = text;
    if (kind == QLatin1String("System")) {
        header = InfoHeader;
        headerColour = Maroon;
    } else if (kind == QLatin1String("Local")) {
        header = m_localHeader ? m_localHeader() : QString();
        if (header.isEmpty()) header = InfoHeader;
        headerColour = Blue;
    } else if (kind == QLatin1String("Remote")) {
        const net::ChatParts parts = net::splitChatMessage(text);
        header = parts.label;
        body = parts.text;
        headerColour = Blue;
    } else if (kind == QLatin1String("Version")) {
        appendRun(text + QLatin1Char('\n'), Blue);
        ensureEndVisible();
        return;
    } else {
        return;
    }
    appendRun(header + Separator, headerColour);
    appendRun(body + QLatin1Char('\n'), Black);
    ensureEndVisible();
}

void MessageLog::ensureEndVisible()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void MessageLog::clearLog()
{
    clear();
}

QList<RtfRun> MessageLog::runs() const
{
    QList<RtfRun> result;
    auto add = [&result](const QString& text, const QTextCharFormat& format) {
        const QColor colour = format.foreground().style() == Qt::NoBrush ? DefaultRed : format.foreground().color();
        if (!result.isEmpty() && result.last().colour == colour)
            result.last().text += text;
        else
            result.append({text, colour});
    };
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid()) add(withoutBreakChances(fragment.text()), fragment.charFormat());
        }
        // A line break has the colour it was inserted with, which the next
        // block reports; the last block is the open line for the next entry.
        if (block.next().isValid()) add(QStringLiteral("\n"), block.next().charFormat());
    }
    return result;
}

QMimeData* MessageLog::createMimeDataFromSelection() const
{
    QMimeData* data = QTextEdit::createMimeDataFromSelection();
    if (data && data->hasText()) data->setText(withoutBreakChances(data->text()));
    if (data && data->hasHtml()) data->setHtml(withoutBreakChances(data->html()));
    return data;
}

void MessageLog::saveToFile(const QString& path) const
{
    RtfWriter writer(SongTi);
    writer.addRuns(runs());
    writer.writeFile(path);
}

QString MessageLog::proposedFileName(const QDate& today)
{
    return QStringLiteral("Game ") + today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".rtf");
}

} // namespace zemra
