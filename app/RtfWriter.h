// A small writer of rich text (RTF) for the message log: coloured runs in one
// font, paragraphs, and Chinese text that Chinese word processors and unrtf
// both read back.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

namespace zemra {

// One piece of text in one colour; '\n' inside the text ends a paragraph.
struct RtfRun {
    QString text;
    QColor colour;
};

class RtfWriter {
public:
    // The font is named in the document; points as word processors count them.
    explicit RtfWriter(const QString& fontFamily, int pointSize = 9);

    void addRun(const QString& text, const QColor& colour);
    void addRuns(const QList<RtfRun>& runs);

    // The whole document. Code page 936 (GBK) is declared and used for every
    // character it has; anything else goes out as \u so nothing is lost.
    QByteArray toRtf() const;

    // Replaces the file in one step. Throws std::runtime_error with a message
    // for the user when the file cannot be written.
    void writeFile(const QString& path) const;

    // The text of one run as RTF body text: control characters escaped,
    // paragraphs as \par. Exposed for tests.
    static QByteArray encodeText(const QString& text);

private:
    int colourIndex(const QColor& colour);

    QString m_fontFamily;
    int m_pointSize;
    QList<QColor> m_colours; // \colortbl entries, index 1 upwards
    QByteArray m_body;
};

} // namespace zemra
