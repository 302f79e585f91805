#include <gtest/gtest.h>

#include "text/Gbk.h"

using namespace zemra;

TEST(Gbk, EncodesDecodesAndCountsBytes)
{
    const struct {
        QString text;
        QByteArray bytes;
        bool encodable;
    } rows[] = {
        {QStringLiteral("山间的清风"), QByteArray::fromHex("c9bdbce4b5c4c7e5b7e7"), true},
        {QStringLiteral("月下の旅人"), QByteArray::fromHex("d4c2cfc2a4cec2c3c8cb"), true}, // kana are in GBK
        {QStringLiteral("abc?"), "abc?", true},
        {QStringLiteral("a☃b"), "a?b", false},
        {QStringLiteral("x😀y"), "x?y", false}, // a surrogate pair is one character
        {QString(), "", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text.toStdString());
        EXPECT_EQ(gbk::encode(r.text), r.bytes);
        EXPECT_EQ(gbk::byteLength(r.text), r.bytes.size());
        EXPECT_EQ(gbk::canEncode(r.text), r.encodable);
        if (r.encodable) {
            EXPECT_EQ(gbk::decode(r.bytes), r.text);
        }
    }
}

TEST(Gbk, BrokenBytesDecodeToReplacementCharacters)
{
    const QString text = gbk::decode(QByteArray("\xc9\xbd\xff ok"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("山")));
    EXPECT_TRUE(text.contains(QChar(0xfffd)));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" ok")));
    // Half a character at the end is broken too, not silently dropped.
    EXPECT_EQ(gbk::decode(QByteArray("ab\xc9")), QStringLiteral("ab\ufffd"));
    EXPECT_EQ(gbk::decode(QByteArray("3\xb6\x36")).left(2), QStringLiteral("3\ufffd"));
}

TEST(Gbk, TruncatesAtWholeCharacters)
{
    const QString name = QStringLiteral("一二三四五六七八");
    EXPECT_EQ(gbk::truncated(name, 14), QStringLiteral("一二三四五六七"));
    EXPECT_EQ(gbk::truncated(name, 15), QStringLiteral("一二三四五六七"));
    EXPECT_EQ(gbk::truncated(QStringLiteral("ab一"), 3), QStringLiteral("ab"));
    EXPECT_EQ(gbk::truncated(QStringLiteral("host"), 64), QStringLiteral("host"));
}
