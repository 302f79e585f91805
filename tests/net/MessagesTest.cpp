#include <gtest/gtest.h>

#include "net/ChatMessage.h"
#include "net/Messages.h"
#include "net/NetworkTexts.h"

using namespace zemra;
using namespace zemra::net;

namespace {

const QString Moon = QStringLiteral("月下の旅人");
const QString Wind = QStringLiteral("山间的清风");

} // namespace

TEST(Messages, AreBuiltExactly)
{
    const GameTerms terms{Moon, QStringLiteral("2"), QStringLiteral("19"), 2, 19, {}};
    const struct {
        QString built;
        const char* expected;
    } rows[] = {
        {nameMessage(Moon, QStringLiteral("192.168.0.7"), QStringLiteral("3段")),
         "CMMD NAME(月下の旅人)IP[192.168.0.7]RANK{3段}"},
        {playMessage(Colour::Black, 16, 4), "CMMD PLAY ;B[pd]"},
        {playMessage(Colour::White, 1, 19), "CMMD PLAY ;W[as]"},
        {plainMessage(Command::Pass), "CMMD PASS"},
        {proposalMessage(Moon, 2, QStringLiteral("19")), "CMMD GAME OK? PB[月下の旅人]Handicap(2)BaordSize{19}"},
        {acceptanceMessage(terms), "CMMD GAME OK! PB[月下の旅人]Handicap(2)BaordSize{19}"},
        {plainMessage(Command::GameRefused), "CMMD GAME NO!"},
        {plainMessage(Command::Undo), "CMMD UNDO"},
        {plainMessage(Command::UndoAgreed), "CMMD UNOK"},
        {plainMessage(Command::UndoRefused), "CMMD UNNO"},
        {plainMessage(Command::DrawOffer), "CMMD HeQi"},
        {plainMessage(Command::DrawAgreed), "CMMD HeOK"},
        {plainMessage(Command::DrawRefused), "CMMD HeNO"},
        {plainMessage(Command::Resign), "CMMD SIGN"},
        {chatMessage(Wind, QStringLiteral("9段"), QStringLiteral("你好;再见")), "CHAT 山间的清风(9段);你好;再见"},
        {quitMessage(Wind), "QUIT 山间的清风"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.built, QString::fromUtf8(r.expected));
}

TEST(Messages, GbkNicknamesAreByteExactOnTheWire)
{
    EXPECT_EQ(toWire(nameMessage(Moon, QStringLiteral("192.168.0.7"), QStringLiteral("3段"))),
              QByteArray("CMMD NAME(\xd4\xc2\xcf\xc2\xa4\xce\xc2\xc3\xc8\xcb)IP[192.168.0.7]RANK{3\xb6\xce}"));
    EXPECT_EQ(toWire(quitMessage(Wind)), QByteArray("QUIT \xc9\xbd\xbc\xe4\xb5\xc4\xc7\xe5\xb7\xe7"));
}

TEST(Messages, AreTakenApartIntoTheirFields)
{
    const auto parse = [](const char* text) { return parseMessageText(QString::fromUtf8(text)); };

    const auto name = parse("CMMD NAME(月下の旅人)IP[192.168.0.7]RANK{3段}");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->command, Command::Name);
    EXPECT_EQ(name->nickName, Moon);
    EXPECT_EQ(name->address, QStringLiteral("192.168.0.7"));
    EXPECT_EQ(name->rank, QStringLiteral("3段"));

    // Second bytes of these characters are "]", "}" and "C".
    const auto odd = parse("CMMD NAME(乚亇丆)IP[1.2.3.4]RANK{亇}");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->nickName, QStringLiteral("乚亇丆"));
    EXPECT_EQ(odd->rank, QStringLiteral("亇"));

    const auto play = parse("CMMD PLAY ;W[pd]");
    ASSERT_TRUE(play);
    EXPECT_EQ(play->move, (MoveNode{Colour::White, false, 16, 4}));

    const auto proposal = parse("CMMD GAME OK? PB[月下の旅人]Handicap(3)BaordSize{19}");
    ASSERT_TRUE(proposal);
    EXPECT_EQ(proposal->command, Command::GameProposal);
    EXPECT_EQ(proposal->terms.blackName, Moon);
    EXPECT_EQ(proposal->terms.handicapIndex, 3);
    EXPECT_EQ(proposal->terms.sizeText, QStringLiteral("19"));
    EXPECT_EQ(proposal->terms.handicapCount(), 4);

    const auto accepted = parse("CMMD GAME OK! PB[a]Handicap(0)BaordSize{ 9}");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->command, Command::GameAccepted);
    EXPECT_EQ(accepted->terms.boardSize, 9);
    EXPECT_EQ(acceptanceMessage(accepted->terms), QStringLiteral("CMMD GAME OK! PB[a]Handicap(0)BaordSize{ 9}"));

    // The acceptance copies the fields byte for byte, even a character that
    // would not come back the same from text.
    const QByteArray euroBytes = QByteArray("CMMD GAME OK? PB[a\xa2\xe3]Handicap(0)BaordSize{19}");
    const auto euro = parseMessage(euroBytes);
    ASSERT_TRUE(euro);
    EXPECT_EQ(acceptanceWire(euro->terms), QByteArray("CMMD GAME OK! PB[a\xa2\xe3]Handicap(0)BaordSize{19}"));

    const auto chat = parse("CHAT 月下の旅人(3段);谢谢;(再见)\tCMMDX");
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->command, Command::Chat);
    EXPECT_EQ(chat->nickName, Moon);
    EXPECT_EQ(chat->text, QStringLiteral("CHAT 月下の旅人(3段);谢谢;(再见) CMMDX")); // the tab could break the log

    const auto quit = parse("QUIT 山间的清风");
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->command, Command::Quit);
    EXPECT_EQ(quit->nickName, Wind);

    const struct {
        const char* text;
        Command command;
    } plain[] = {
        {"CMMD PASS", Command::Pass},       {"CMMD GAME NO!", Command::GameRefused}, {"CMMD UNDO", Command::Undo},
        {"CMMD UNOK", Command::UndoAgreed}, {"CMMD UNNO", Command::UndoRefused},     {"CMMD HeQi", Command::DrawOffer},
        {"CMMD HeOK", Command::DrawAgreed}, {"CMMD HeNO", Command::DrawRefused},     {"CMMD SIGN", Command::Resign},
    };
    for (const auto& r : plain) {
        const auto m = parse(r.text);
        ASSERT_TRUE(m) << r.text;
        EXPECT_EQ(m->command, r.command) << r.text;
    }
}

TEST(Messages, WhatTheReceiverIgnores)
{
    const char* ignored[] = {
        "CMMD GAME XY",
        "CMMDX",
        "CMMD",
        "hello",
        "",
        "CMMD pass",
        "CMMD PASSX",
        "CMMD PLAY ;B[tt]", // no point
        "CMMD PLAY ;B[]",
        "CMMD PLAY ;X[pd]",
        "CMMD NAME()IP[1]RANK{1}",    // empty nickname
        "CMMD NAME(a;b)IP[1]RANK{1}", // forbidden characters
        "CMMD NAME(a(b)IP[1]RANK{1}",
        "CMMD NAME(a\x01)IP[1]RANK{1}", // not printable
        "CMMD NAME(a)IP[1\x1b]RANK{1}",
        "CMMD GAME OK? PB[a]Handicap(9)BaordSize{19}",
        "CMMD GAME OK? PB[a]Handicap(1)BaordSize{9}", // handicap only on 19 × 19
        "CMMD GAME OK? PB[a]Handicap(0)BaordSize{4}",
        "CMMD GAME OK? PB[a]Handicap(0)BaordSize{abc}",
        "CMMD GAME OK? PB[a]Handicap(0)BoardSize{19}",
        "CMMD GAME OK? PB[]Handicap(0)BaordSize{19}",
        "CHAT hello",
        "CHAT a(1段);",
        "CHAT \x02(1段);hi",
        "QUIT ",
    };
    for (const char* text : ignored)
        EXPECT_FALSE(parseMessageText(QString::fromUtf8(text))) << text;
    // Bytes that are no GBK character in a nickname.
    EXPECT_FALSE(parseMessage(QByteArrayView("CMMD NAME(a\x80)IP[1]RANK{1}")));
    EXPECT_FALSE(parseMessage(QByteArrayView("CMMD NAME(a)IP[1]RANK{3\xb6\x36}"))); // half a character
}

// A chat line that the peer would cut into a command, or that could reach
// its unread-bytes limit, is not sent.
TEST(Messages, ChatLinesThatMustNotBeSent)
{
    const struct {
        QString text;
        bool refused;
    } rows[] = {
        {QStringLiteral("您好！"), false},
        {QStringLiteral("CMMD PASS"), true},
        {QStringLiteral("请看 CHAT 这个词"), true},
        {QStringLiteral("QUIT 了"), true},
        {QStringLiteral("CMMD"), false},      // no blank: starts nothing
        {QStringLiteral("cmmd pass"), false}, // the starts are capitals
        {QString(2000, QChar(0x56F4)), false}, // 4000 GBK bytes
        {QString(2000, QChar(0x56F4)) + QLatin1Char('a'), true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(!net::chatRefusal(row.text).isEmpty(), row.refused) << row.text.left(20).toStdString();
}

TEST(NetworkTexts, RankEntriesAndStoredRanks)
{
    const QStringList& ranks = texts::rankEntries();
    ASSERT_EQ(ranks.size(), 27);
    EXPECT_EQ(ranks.first(), QStringLiteral("9 段"));
    EXPECT_EQ(ranks[8], QStringLiteral("1 段"));
    EXPECT_EQ(ranks[9], QStringLiteral("1 级"));
    EXPECT_EQ(ranks.last(), QStringLiteral("18 级"));
    EXPECT_EQ(texts::storedRank(ranks.first()), QStringLiteral("9段"));
    EXPECT_EQ(texts::storedRank(ranks.last()), QStringLiteral("18级"));
    EXPECT_EQ(texts::handicapEntries().size(), 9);
    EXPECT_EQ(texts::handicapEntries()[3], QStringLiteral("让4子"));
}
