// The chat line: its entries, Enter on typed text, choosing from the list,
// and where the chat goes for each network role.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "app/ChatLine.h"
#include "app/MessageLog.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

// A chat line wired to a log and to two recorders in place of the network.
struct ChatFixture {
    MessageLog log;
    ChatLine chat;
    QStringList toClient;
    QStringList toServer;

    ChatFixture(const QString& mode, const QString& role)
    {
        log.clearLog();
        log.setGameMode(mode);
        log.setLocalIdentity(QStringLiteral("山间的清风"), QStringLiteral("9段"));
        chat.setMessageLog(&log);
        chat.setNetworkRole(role);
        chat.SendMessageToClient = [this](const QString& line) { toClient << line; };
        chat.SendMessageToServer = [this](const QString& line) { toServer << line; };
    }
};

TEST(ChatLineTest, HoldsTheTwentyEntriesAndStartsEmpty)
{
    ChatLine chat;
    ASSERT_EQ(chat.count(), 20);
    EXPECT_EQ(chat.maxVisibleItems(), 20);
    EXPECT_EQ(chat.itemText(0), " ");
    EXPECT_EQ(chat.itemText(1), " 您好！");
    EXPECT_EQ(chat.itemText(12), " 我的鼠标点错了，悔棋一步，可以吗？");
    EXPECT_EQ(chat.itemText(18), " 谢谢您，再见！");
    EXPECT_EQ(chat.itemText(19), " ");
    for (int k = 0; k < chat.count(); ++k)
        EXPECT_TRUE(chat.itemText(k).startsWith(' ')) << k;
    EXPECT_TRUE(chat.currentText().isEmpty());
    EXPECT_TRUE(chat.isEditable());
}

TEST(ChatLineTest, EnterSendsTheTypedLineByRole)
{
    struct Row {
        const char* name;
        QString mode;
        QString role;
        QString typed;
        QString logText; // empty: nothing logged
        QStringList toClient;
        QStringList toServer;
    };
    const Row rows[] = {
        {"hosting", "network", "server", "你好", "山间的清风(9段)> 你好\n", {"CHAT 山间的清风(9段);你好"}, {}},
        {"challenging", "network", "client", "你好", "山间的清风(9段)> 你好\n", {}, {"CHAT 山间的清风(9段);你好"}},
        {"network without a role", "network", "", "你好", "山间的清风(9段)> 你好\n", {}, {}},
        {"local mode", "local", "", "你好", "信息> 你好\n", {}, {}},
        {"role is case-sensitive", "network", "Server", "hi", "山间的清风(9段)> hi\n", {}, {}},
        {"typed text kept exactly", "local", "server", "  a b  ", "信息>   a b  \n", {"CHAT 山间的清风(9段);  a b  "}, {}},
        {"empty line sends nothing", "network", "server", "", "", {}, {}},
    };
    for (const Row& row : rows) {
        ChatFixture f(row.mode, row.role);
        f.chat.setEditText(row.typed);
        QTest::keyClick(&f.chat, Qt::Key_Return);
        EXPECT_EQ(f.log.toPlainText(), row.logText) << row.name;
        EXPECT_EQ(f.toClient, row.toClient) << row.name;
        EXPECT_EQ(f.toServer, row.toServer) << row.name;
        EXPECT_TRUE(f.chat.currentText().isEmpty()) << row.name;
        EXPECT_EQ(f.chat.count(), 20) << row.name; // Enter adds nothing to the list
    }
}

TEST(ChatLineTest, EnterActsOnceWhereverTheKeyArrives)
{
    for (const bool atLineEdit : {false, true}) {
        ChatFixture f("network", "client");
        QWidget* target = atLineEdit ? static_cast<QWidget*>(f.chat.lineEdit()) : &f.chat;
        QTest::keyClicks(target, "ab");
        EXPECT_EQ(f.chat.currentText(), "ab");
        QTest::keyClick(target, Qt::Key_Enter); // the keypad's Enter too
        EXPECT_EQ(f.toServer, QStringList{"CHAT 山间的清风(9段);ab"}) << atLineEdit;
        EXPECT_EQ(f.log.toPlainText(), "山间的清风(9段)> ab\n") << atLineEdit;
        EXPECT_TRUE(f.chat.currentText().isEmpty());
    }
}

TEST(ChatLineTest, ChoosingAnEntrySendsItWithoutItsLeadingSpace)
{
    struct Row {
        int index;
        QString logText;
        QStringList toClient;
    };
    const Row rows[] = {
        {1, "山间的清风(9段)> 您好！\n", {"CHAT 山间的清风(9段);您好！"}},
        {15, "山间的清风(9段)> 我下完，该您下了。\n", {"CHAT 山间的清风(9段);我下完，该您下了。"}},
        {0, "", {}},
        {19, "", {}},
    };
    for (const Row& row : rows) {
        ChatFixture f("network", "server");
        f.chat.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.chat));
        // Chosen as a user does: open the list and click the entry.
        f.chat.showPopup();
        QAbstractItemView* view = f.chat.view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex index = f.chat.model()->index(row.index, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        EXPECT_EQ(f.log.toPlainText(), row.logText) << row.index;
        EXPECT_EQ(f.toClient, row.toClient) << row.index;
        EXPECT_TRUE(f.chat.currentText().isEmpty()) << row.index;
        EXPECT_EQ(f.chat.currentIndex(), -1) << row.index;
    }
}

TEST(ChatLineTest, WithoutNetworkHooksChatOnlyReachesTheLog)
{
    MessageLog log;
    log.clearLog();
    ChatLine chat;
    chat.setMessageLog(&log);
    chat.setNetworkRole("server");
    chat.setEditText("x");
    QTest::keyClick(&chat, Qt::Key_Return);
    EXPECT_EQ(log.toPlainText(), "信息> x\n");
}

TEST(ChatLineTest, OtherKeysBelongToTheEdit)
{
    ChatFixture f("local", "");
    QTest::keyClicks(&f.chat, "abc");
    QTest::keyClick(&f.chat, Qt::Key_Backspace);
    EXPECT_FALSE(f.chat.ChatTextKeyPress(Qt::Key_A));
    EXPECT_EQ(f.chat.currentText(), "ab");
    EXPECT_TRUE(f.log.toPlainText().isEmpty());
}

} // namespace
} // namespace zemra
