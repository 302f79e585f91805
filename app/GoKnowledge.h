// The Go-knowledge text of the game-mode menu ("  围棋知识"): seven sections
// of rules, moving, opening, life and death, capturing races, middle game and
// endgame, written to the message log as "Version" lines.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zemra {

// One section: its heading and verse lines, both without the leading blanks.
struct GoKnowledgeSection {
    QString heading;
    QStringList verses;
};

// The seven sections in their order.
const QList<GoKnowledgeSection>& goKnowledgeSections();

// The text line by line: for each section an empty line, the heading, an empty
// line and its verse lines; headings and verse lines begin with five blanks.
// The last line is the last verse line.
QStringList goKnowledgeLines();

// The same lines joined by '\n', without a final line break.
QString goKnowledgeText();

// N1Click: every line to the log with the sender kind "Version".
void writeGoKnowledge(const std::function<void(const QString& kind, const QString& text)>& sendOutMessage);

} // namespace zemra
