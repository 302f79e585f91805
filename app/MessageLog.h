// The message log under the information grid: every report to the user is
// appended here as one coloured line, and the whole log can be saved as RTF.
#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QTextEdit>

#include <functional>

#include "app/RtfWriter.h"

namespace zemra {

// Fictional addresses of the maker; they fit the 38-column start-up banner
// (20 and 17 columns).
inline const QString MakerWebAddress = QStringLiteral("http://zemra.example");
inline const QString MakerMailAddress = QStringLiteral("ask@zemra.example");

class MessageLog : public QTextEdit {
    Q_OBJECT
public:
    static inline const QColor Maroon{128, 0, 0};
    static inline const QColor Blue{0, 0, 255};
    static inline const QColor Black{0, 0, 0};
    static inline const QColor DefaultRed{255, 0, 0};
    static inline const QColor Background{239, 239, 247};

    // Starts with the welcome line (in red) and one empty line.
    explicit MessageLog(QWidget* parent = nullptr);

    // Appends one entry. kind is "System", "Local", "Remote" or "Version";
    // any other word writes nothing. "\r", "\n" and "\r\n" in text break lines.
    void SendOutMessage(const QString& kind, const QString& text);

    // Removes all text, the welcome line included.
    void clearLog();

    // Where the "Local" header comes from: the user's nickname(rank) in the
    // network mode, read when the entry is written; "信息" when it gives
    // nothing.
    void setLocalHeader(std::function<QString()> header) { m_localHeader = std::move(header); }

    static QString welcomeText();

    // The log as coloured runs, one '\n' after each line.
    QList<RtfRun> runs() const;

    // Writes the log as RTF. Throws std::runtime_error when the file cannot be
    // written; the log itself is never touched.
    void saveToFile(const QString& path) const;

    // "Game yyyy-mm-dd.rtf"
    static QString proposedFileName(const QDate& today);


protected:
    // Copies leave out the break chances put into long words.
    QMimeData* createMimeDataFromSelection() const override;

private:
    void appendRun(const QString& text, const QColor& colour);
    void ensureEndVisible();

    std::function<QString()> m_localHeader;
};

} // namespace zemra
