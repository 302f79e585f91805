// Helpers of the log, chat and dialog tests: readable QString failures, and
// RTF files read back with the real unrtf, so tests see what another program
// sees in our files.
#pragma once

#include <ostream>

#include <QColor>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

#include "app/RtfWriter.h"

// Found by argument lookup, so failures print texts instead of bytes.
static inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zemra::testing {

inline bool unrtfInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty();
}

// unrtf --html output of the file, or an empty text when unrtf failed.
inline QString unrtfHtml(const QString& path)
{
    QProcess unrtf;
    unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    if (!unrtf.waitForFinished(10000) || unrtf.exitStatus() != QProcess::NormalExit || unrtf.exitCode() != 0) return {};
    return QString::fromUtf8(unrtf.readAllStandardOutput());
}

// unrtf's HTML as runs of one colour each (adjacent runs of the same colour
// merged), with '\n' for each line break. Text without a colour has an
// invalid colour.
inline QList<RtfRun> runsFromUnrtfHtml(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    QList<RtfRun> runs;
    auto add = [&runs](QString text, const QColor& colour) {
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        if (text.isEmpty()) return;
        if (!runs.isEmpty() && runs.last().colour == colour)
            runs.last().text += text;
        else
            runs.append({text, colour});
    };
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            add(it.fragment().text(), format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color());
        }
    }
    return runs;
}

// Adjacent runs of the same colour merged, empty runs dropped.
inline QList<RtfRun> mergedRuns(const QList<RtfRun>& in)
{
    QList<RtfRun> out;
    for (const RtfRun& run : in) {
        if (run.text.isEmpty()) continue;
        if (!out.isEmpty() && out.last().colour == run.colour)
            out.last().text += run.text;
        else
            out.append(run);
    }
    return out;
}

// unrtf shows every run of blanks as one blank, whatever the file says.
inline QList<RtfRun> blanksCollapsed(QList<RtfRun> runs)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    for (RtfRun& run : runs)
        run.text.replace(blanks, QStringLiteral(" "));
    return runs;
}

inline std::string describe(const QList<RtfRun>& runs)
{
    QString s;
    for (const RtfRun& run : runs)
        s += QStringLiteral("[%1 \"%2\"]").arg(run.colour.isValid() ? run.colour.name() : QStringLiteral("none"), run.text);
    return s.toStdString();
}

} // namespace zemra::testing
