#include <gtest/gtest.h>

#include <QStringList>

#include "net/MessageReader.h"
#include "net/Messages.h"

using namespace zemra;
using namespace zemra::net;

namespace {

// Feeds each chunk as one receive notification and collects every message.
QList<QByteArray> read(MessageReader& reader, const QList<QByteArray>& chunks)
{
    QList<QByteArray> out;
    for (const QByteArray& chunk : chunks) {
        EXPECT_TRUE(reader.append(chunk));
        while (std::optional<QByteArray> m = reader.next())
            out << *m;
    }
    return out;
}

QList<QByteArray> read(const QList<QByteArray>& chunks)
{
    MessageReader reader;
    return read(reader, chunks);
}

QByteArray gbkBytes(const char* utf8)
{
    return toWire(QString::fromUtf8(utf8));
}

const QByteArray ChatHeader = gbkBytes("CHAT 月下の旅人(3段);");

// Every kind of message, with GBK in its fields; the chats carry ";", a
// "C" that is the second byte of 丆, and a message word in lower case.
const QList<QByteArray> Closed = {
    gbkBytes("CMMD NAME(月下の旅人)IP[192.168.0.7]RANK{3段}"),
    gbkBytes("CMMD NAME(亇乚)IP[10.0.0.1]RANK{亇}"),
    gbkBytes("CMMD PLAY ;B[pd]"),
    gbkBytes("CMMD PLAY ;W[aa]"),
    gbkBytes("CMMD PASS"),
    gbkBytes("CMMD GAME OK? PB[山间的清风]Handicap(2)BaordSize{19}"),
    gbkBytes("CMMD GAME OK! PB[山间的清风]Handicap(0)BaordSize{9}"),
    gbkBytes("CMMD GAME NO!"),
    gbkBytes("CMMD UNDO"),
    gbkBytes("CMMD UNOK"),
    gbkBytes("CMMD UNNO"),
    gbkBytes("CMMD HeQi"),
    gbkBytes("CMMD HeOK"),
    gbkBytes("CMMD HeNO"),
    gbkBytes("CMMD SIGN"),
};
const QList<QByteArray> Chats = {
    ChatHeader + gbkBytes("谢谢;再见"),
    ChatHeader + gbkBytes("丆MMD PASS cmmd pass"),
    gbkBytes("CHAT abc(18级);C"),
};
const QByteArray Quit = gbkBytes("QUIT 山间的清风");

QList<QByteArray> allMessages()
{
    return Closed + Chats + QList<QByteArray>{Quit};
}

} // namespace

TEST(MessageReader, EveryPairInOneReadYieldsBoth)
{
    for (const QByteArray& a : allMessages()) {
        for (const QByteArray& b : allMessages()) {
            const QList<QByteArray> got = read({a + b});
            // A chat or quit runs on unless a closed message or a whole chat
            // header follows: a quit after one becomes part of its text.
            const bool runsOn = (Chats.contains(a) || a == Quit) && b == Quit;
            const QList<QByteArray> expected = runsOn ? QList<QByteArray>{a + b} : QList<QByteArray>{a, b};
            EXPECT_EQ(got, expected) << a.toStdString() << " | " << b.toStdString();
        }
    }
}

TEST(MessageReader, ClosedMessagesSplitAnywhereComeOutWhole)
{
    for (const QByteArray& m : Closed) {
        for (qsizetype k = 1; k < m.size(); ++k) {
            EXPECT_EQ(read({m.first(k), m.sliced(k)}), QList<QByteArray>{m}) << m.toStdString() << " split at " << k;
            // A message that follows in the second read is not held up.
            EXPECT_EQ(read({m.first(k), m.sliced(k) + Closed[4]}), (QList<QByteArray>{m, Closed[4]})) << k;
        }
    }
}

TEST(MessageReader, AQuitSplitInItsNicknameKeepsTheWholeCharactersSoFar)
{
    for (qsizetype k = 1; k < Quit.size(); ++k) {
        const QList<QByteArray> got = read({Quit.first(k), Quit.sliced(k) + Closed[4]});
        // "QUIT " and half a character wait for more.
        const qsizetype kept = k <= 6 ? Quit.size() : k - (k - 5) % 2;
        EXPECT_EQ(got, (QList<QByteArray>{Quit.first(kept), Closed[4]})) << k;
    }
}

TEST(MessageReader, ChatsSplitAnywhereLoseNothingAndNeverCutACharacter)
{
    for (const QByteArray& chat : Chats) {
        const qsizetype headerEnd = chat.indexOf(';') + 1;
        for (qsizetype k = 1; k < chat.size(); ++k) {
            SCOPED_TRACE(k);
            const QList<QByteArray> got = read({chat.first(k), chat.sliced(k) + Closed[2]});
            ASSERT_GE(got.size(), 2);
            EXPECT_EQ(got.last(), Closed[2]);
            QByteArray body;
            for (qsizetype n = 0; n + 1 < got.size(); ++n) {
                EXPECT_TRUE(got[n].startsWith(chat.first(headerEnd))) << got[n].toStdString();
                EXPECT_FALSE(fromWire(got[n]).contains(QChar::ReplacementCharacter));
                body += got[n].sliced(headerEnd);
            }
            EXPECT_EQ(body, chat.sliced(headerEnd));
        }
    }
}

TEST(MessageReader, AMessageSplitRightAfterAChatIsRecovered)
{
    const QByteArray pass = gbkBytes("CMMD PASS");
    for (qsizetype k = 1; k < pass.size(); ++k) {
        const QList<QByteArray> got = read({ChatHeader + "hi" + pass.first(k), pass.sliced(k)});
        // From "CMMD " on the chat is cut before it; shorter beginnings were
        // shown with the chat.
        const QByteArray chat = ChatHeader + "hi" + (k < 5 ? pass.first(k) : QByteArray());
        EXPECT_EQ(got, (QList<QByteArray>{chat, pass})) << k;
    }
    // A chat that simply ends in "C" goes on as a chat, nothing held back.
    EXPECT_EQ(read({ChatHeader + "ABC", "ello"}), (QList<QByteArray>{ChatHeader + "ABC", ChatHeader + "ello"}));
}

TEST(MessageReader, LongChatsComeThroughWhole)
{
    QByteArray text;
    while (text.size() < 20000)
        text += gbkBytes("一盘好棋，abc;CMMD,丆MMD PASS;");
    const QByteArray chat = ChatHeader + text;
    EXPECT_EQ(read({chat + Closed[0]}), (QList<QByteArray>{chat, Closed[0]}));

    QList<QByteArray> segments;
    for (qsizetype at = 0; at < chat.size(); at += 1448)
        segments << chat.mid(at, 1448);
    QByteArray body;
    for (const QByteArray& line : read(segments))
        body += line.sliced(ChatHeader.size());
    EXPECT_EQ(body, text);
}

TEST(MessageReader, SkipsJunkBetweenMessages)
{
    const QList<QByteArray> junk = {"hello",         "CMMD GAME XY",    "CMMDX",          "\r\n",        "QUIT",
                                    "CMMD NAME(abc", "CHAT no header ", "CMMD PLAY ;B[z", gbkBytes("山")};
    for (const QByteArray& j : junk) {
        EXPECT_EQ(read({Closed[4] + j + Closed[0] + j + Closed[2]}), (QList<QByteArray>{Closed[4], Closed[0], Closed[2]}))
            << j.toStdString();
        EXPECT_EQ(read({j, Closed[8]}), QList<QByteArray>{Closed[8]}) << j.toStdString();
    }
}

TEST(MessageReader, OverflowIsReportedAndEmptiesTheReader)
{
    MessageReader reader;
    const QByteArray chat = ChatHeader + QByteArray(MessageReader::MaxPending - ChatHeader.size(), 'x');
    EXPECT_TRUE(reader.append(chat));
    EXPECT_FALSE(reader.append("y"));
    EXPECT_TRUE(reader.overflowed());
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.append(Closed[4]));
    reader.reset();
    EXPECT_EQ(read(reader, {Closed[4]}), QList<QByteArray>{Closed[4]});
}
