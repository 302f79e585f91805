// The chat line: its entries, Enter on typed text, choosing from the list,
// and what leaves the line.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "app/ChatLine.h"

namespace zemra {
namespace {

// A chat line and what it sent.
struct ChatFixture {
    ChatLine chat;
    QStringList sent;

    ChatFixture()
    {
        QObject::connect(&chat, &ChatLine::lineSent, [this](const QString& line) { sent << line; });
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

TEST(ChatLineTest, EnterSendsTheTypedLineAsItIs)
{
    const struct {
        QString typed;
        QStringList sent;
    } rows[] = {{"你好", {"你好"}}, {"  a b  ", {"  a b  "}}, {"", {}}};
    for (const auto& row : rows) {
        ChatFixture f;
        f.chat.setEditText(row.typed);
        QTest::keyClick(&f.chat, Qt::Key_Return);
        EXPECT_EQ(f.sent, row.sent) << row.typed.toStdString();
        EXPECT_TRUE(f.chat.currentText().isEmpty());
        EXPECT_EQ(f.chat.count(), 20); // Enter adds nothing to the list
    }
}

TEST(ChatLineTest, EnterActsOnceWhereverTheKeyArrives)
{
    for (const bool atLineEdit : {false, true}) {
        ChatFixture f;
        QWidget* target = atLineEdit ? static_cast<QWidget*>(f.chat.lineEdit()) : &f.chat;
        QTest::keyClicks(target, "ab");
        EXPECT_EQ(f.chat.currentText(), "ab");
        QTest::keyClick(target, Qt::Key_Enter); // the keypad's Enter too
        EXPECT_EQ(f.sent, QStringList{"ab"}) << atLineEdit;
        EXPECT_TRUE(f.chat.currentText().isEmpty());
    }
}

TEST(ChatLineTest, ChoosingAnEntrySendsItWithoutItsLeadingSpace)
{
    struct Row {
        int index;
        QStringList sent;
    };
    const Row rows[] = {{1, {"您好！"}}, {15, {"我下完，该您下了。"}}, {0, {}}, {19, {}}};
    for (const Row& row : rows) {
        ChatFixture f;
        f.chat.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.chat));
        // Chosen as a user does: open the list and click the entry.
        f.chat.showPopup();
        QAbstractItemView* view = f.chat.view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex index = f.chat.model()->index(row.index, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        EXPECT_EQ(f.sent, row.sent) << row.index;
        EXPECT_TRUE(f.chat.currentText().isEmpty()) << row.index;
        EXPECT_EQ(f.chat.currentIndex(), -1) << row.index;
    }
}

TEST(ChatLineTest, OtherKeysBelongToTheEdit)
{
    ChatFixture f;
    QTest::keyClicks(&f.chat, "abc");
    QTest::keyClick(&f.chat, Qt::Key_Backspace);
    EXPECT_FALSE(f.chat.ChatTextKeyPress(Qt::Key_A));
    EXPECT_EQ(f.chat.currentText(), "ab");
    EXPECT_TRUE(f.sent.isEmpty());
}

} // namespace
} // namespace zemra
