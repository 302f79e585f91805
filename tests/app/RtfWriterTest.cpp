// The RTF writer: escaping of every kind of character, and files that the
// real unrtf reads back with their text and colours.
#include <gtest/gtest.h>

#include "tests/MissingTool.h"

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "app/RtfWriter.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

using testing::describe;
using testing::mergedRuns;
using testing::runsFromUnrtfHtml;

TEST(RtfWriterTest, EncodesEachKindOfCharacter)
{
    struct Row {
        QString text;
        QByteArray rtf;
    };
    const Row rows[] = {
        {QStringLiteral("plain text 123"), "plain text 123"},
        {QStringLiteral("a{b}c\\d"), "a\\{b\\}c\\\\d"},
        {QStringLiteral("one\ntwo"), "one\\par\ntwo"},
        {QStringLiteral("a\tb"), "a\\tab b"},
        {QStringLiteral("信息"), "\\'d0\\'c5\\'cf\\'a2"},    // GBK bytes
        {QStringLiteral("の"), "\\'a4\\'ce"},                // kana are in GBK too
        {QStringLiteral("☃x"), "{\\u9731?}x"},               // not in GBK
        {QStringLiteral("😀"), "{\\u-10179?\\u-8704?}"},      // beyond the BMP: both halves
        {QString(QChar(0x0001)) + "a" + QChar(0x007f), "a"}, // control characters dropped
        {QString(QChar(0xd83d)) + "b", "b"},                 // a lone surrogate is no character
    };
    for (const Row& row : rows)
        EXPECT_EQ(RtfWriter::encodeText(row.text), row.rtf) << row.text.toStdString();
}

TEST(RtfWriterTest, DocumentDeclaresChineseCodePageFontAndEachColourOnce)
{
    RtfWriter writer(QStringLiteral("宋体"), 9);
    writer.addRun(QStringLiteral("a"), QColor(128, 0, 0));
    writer.addRun(QStringLiteral("b"), QColor(0, 0, 255));
    writer.addRun(QStringLiteral("c"), QColor(128, 0, 0));
    writer.addRun(QString(), QColor(0, 255, 0)); // empty runs add no colour
    const QByteArray rtf = writer.toRtf();

    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936"));
    EXPECT_TRUE(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue255;}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\cf1 a\\cf2 b\\cf1 c")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fs18 "));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
}

TEST(RtfWriterTest, UnrtfReadsBackTextAndColours)
{
    if (!testing::unrtfInstalled()) ZEMRA_SKIP_OR_FAIL_IN_CI("unrtf (Debian package unrtf) is needed to check RTF files");
    const QColor maroon(128, 0, 0), blue(0, 0, 255), black(0, 0, 0), red(255, 0, 0);
    const QList<RtfRun> runs = {
        {QStringLiteral("欢迎 welcome\n\n"), red},
        {QStringLiteral("信息> "), maroon},
        {QStringLiteral("棋子 {braces} back\\slash 100%\n"), black},
        {QStringLiteral("月下の旅人(3段)> "), blue},
        {QStringLiteral("谢谢☃> & <tag> 😀\n"), black},
        {QStringLiteral("-    ●╭○╮      version 3.3.7     -\n"), blue},
        {QStringLiteral("\n"), blue},
        {QStringLiteral("end\n"), black},
    };
    RtfWriter writer(QStringLiteral("宋体"));
    writer.addRuns(runs);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("log.rtf"));
    writer.writeFile(path);

    const QList<RtfRun> read = runsFromUnrtfHtml(testing::unrtfHtml(path));
    const QList<RtfRun> expected = testing::blanksCollapsed(mergedRuns(runs));
    EXPECT_EQ(describe(read), describe(expected));
}

TEST(RtfWriterTest, UnwritableFileThrowsWithTheFileName)
{
    RtfWriter writer(QStringLiteral("宋体"));
    writer.addRun(QStringLiteral("x"), Qt::black);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("no such folder/log.rtf"));
    try {
        writer.writeFile(path);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(path)) << e.what();
    }
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace zemra
