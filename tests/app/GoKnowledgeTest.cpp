// The Go-knowledge text: the section layout of the game-mode menu's help,
// the five-blank indent, the verse form, and the lines reaching the log.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "app/GoKnowledge.h"
#include "app/MessageLog.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

const QString Blanks = QStringLiteral("     ");

struct Expected {
    const char* heading;
    int verses;
};
const Expected Sections[] = {
    {"     一、围棋规则", 4}, {"     二、行棋", 10}, {"     三、布局", 12}, {"     四、死活", 9},
    {"     五、对杀", 7},     {"     六、中盘", 10}, {"     七、收官", 9},
};

TEST(GoKnowledgeTest, SevenSectionsWithTheirHeadingsAndVerseCounts)
{
    const QStringList lines = goKnowledgeLines();
    qsizetype at = 0;
    for (const Expected& section : Sections) {
        SCOPED_TRACE(section.heading);
        ASSERT_LT(at + 2, lines.size());
        EXPECT_EQ(lines[at], QString());
        EXPECT_EQ(lines[at + 1], QString::fromUtf8(section.heading));
        EXPECT_EQ(lines[at + 2], QString());
        at += 3;
        int verses = 0;
        while (at < lines.size() && !lines[at].isEmpty()) {
            ++verses;
            ++at;
        }
        EXPECT_EQ(verses, section.verses);
    }
    EXPECT_EQ(at, lines.size()) << "lines after the seventh section";
}

TEST(GoKnowledgeTest, EveryLineHasFiveLeadingBlanks)
{
    for (const QString& line : goKnowledgeLines()) {
        if (line.isEmpty()) continue;
        EXPECT_TRUE(line.startsWith(Blanks) && line.at(5) != QLatin1Char(' ')) << line.toStdString();
    }
}

TEST(GoKnowledgeTest, VerseLinesAreThreeCharacterPhrasesJoinedByChineseCommas)
{
    static const QRegularExpression phrase(QStringLiteral("^\\p{Han}{3}$"));
    QSet<QString> seen;
    for (const GoKnowledgeSection& section : goKnowledgeSections()) {
        for (const QString& verse : section.verses) {
            const QStringList phrases = verse.split(QStringLiteral("，"));
            EXPECT_GE(phrases.size(), 2) << verse.toStdString();
            for (const QString& p : phrases)
                EXPECT_TRUE(phrase.match(p).hasMatch()) << verse.toStdString();
            EXPECT_FALSE(seen.contains(verse)) << "repeated: " << verse.toStdString();
            seen.insert(verse);
        }
    }
}

TEST(GoKnowledgeTest, TextEndsWithTheLastVerseLine)
{
    const QString text = goKnowledgeText();
    EXPECT_FALSE(text.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(text.split(QLatin1Char('\n')), goKnowledgeLines());
    EXPECT_EQ(goKnowledgeLines().last(), Blanks + goKnowledgeSections().last().verses.last());
}

TEST(GoKnowledgeTest, WritesEveryLineToTheLogAsVersion)
{
    MessageLog log;
    log.clearLog();
    int calls = 0;
    writeGoKnowledge([&](const QString& kind, const QString& text) {
        EXPECT_EQ(kind, QStringLiteral("Version"));
        ++calls;
        log.SendOutMessage(kind, text);
    });
    EXPECT_EQ(calls, goKnowledgeLines().size());
    // The log shows the lines as they are, blanks and empty lines included.
    EXPECT_EQ(log.toPlainText(), goKnowledgeText() + QLatin1Char('\n'));
    for (const RtfRun& run : log.runs())
        EXPECT_EQ(run.colour, MessageLog::Blue) << run.text.toStdString();
}

} // namespace
} // namespace zemra
