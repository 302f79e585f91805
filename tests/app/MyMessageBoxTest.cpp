// The question dialog: its layout, the three answers, line breaks and plain
// text; and the one-button information box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/MyImageUnit.h"
#include "app/MyMessageBox.h"
#include "tests/app/LogTestUtil.h"

namespace zemra {
namespace {

// Runs the action on the modal dialog of type T as soon as it is up.
template <typename T> void whenModal(std::function<void(T*)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            action(dialog);
        else
            whenModal<T>(action);
    });
}

TEST(MyMessageBoxTest, LayoutAndDefaultCaptions)
{
    TFormMyMessageBox box;
    box.setText("\r您确定要退出游戏吗？");
    EXPECT_EQ(box.size(), QSize(209, 106));
    EXPECT_EQ(box.minimumSize(), box.maximumSize()); // fixed border
    EXPECT_EQ(box.Image1->geometry(), QRect(8, 16, 40, 39));
    EXPECT_EQ(box.Label1->pos(), QPoint(58, 19));
    EXPECT_EQ(box.Button1->geometry(), QRect(30, 75, 60, 22));
    EXPECT_EQ(box.Button2->geometry(), QRect(119, 75, 60, 22));
    EXPECT_EQ(box.Button1->text(), "确定");
    EXPECT_EQ(box.Button2->text(), "取消");
    EXPECT_EQ(box.Label1->font().pixelSize(), 12);
    EXPECT_EQ(box.Button1->font().pixelSize(), 12);
}

TEST(MyMessageBoxTest, CarriageReturnsBreakLinesAndMarkupStaysText)
{
    TFormMyMessageBox box;
    box.setText("\r您确定要退出游戏吗？");
    EXPECT_EQ(box.Label1->text(), "\n您确定要退出游戏吗？");
    box.setText("棋友：<b>x</b>\r\r申请和棋，您同意吗？");
    EXPECT_EQ(box.Label1->text(), "棋友：<b>x</b>\n\n申请和棋，您同意吗？");
    EXPECT_EQ(box.Label1->textFormat(), Qt::PlainText);                      // a peer's nickname is never markup
    EXPECT_GT(box.Label1->height(), 2 * box.Label1->fontMetrics().height()); // three lines tall
    EXPECT_EQ(withLineBreaks("a\r\nb\rc\nd"), "a\nb\nc\nd");
}

TEST(MyMessageBoxTest, OnlyTheFirstButtonAnswersYes)
{
    struct Row {
        const char* name;
        std::function<void(TFormMyMessageBox*)> act;
        TFormMyMessageBox::Answer answer;
    };
    const Row rows[] = {
        {"first button", [](TFormMyMessageBox* b) { QTest::mouseClick(b->Button1, Qt::LeftButton); }, TFormMyMessageBox::OK},
        {"second button", [](TFormMyMessageBox* b) { QTest::mouseClick(b->Button2, Qt::LeftButton); }, TFormMyMessageBox::Cancel},
        {"close control", [](TFormMyMessageBox* b) { b->close(); }, TFormMyMessageBox::NoAnswer},
        {"escape", [](TFormMyMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, TFormMyMessageBox::NoAnswer},
    };
    for (const Row& row : rows) {
        TFormMyMessageBox box;
        box.setWindowTitle("和棋申请");
        box.setButtonCaptions("同意", "拒绝");
        whenModal<TFormMyMessageBox>(row.act);
        EXPECT_EQ(box.exec(), row.answer) << row.name;
        EXPECT_EQ(box.answer(), row.answer) << row.name;

        QString caption, first, second;
        whenModal<TFormMyMessageBox>([&](TFormMyMessageBox* b) {
            caption = b->windowTitle();
            first = b->Button1->text();
            second = b->Button2->text();
            row.act(b);
        });
        EXPECT_EQ(TFormMyMessageBox::ask(nullptr, "悔棋申请", "text", "同意", "拒绝"), row.answer == TFormMyMessageBox::OK)
            << row.name;
        EXPECT_EQ(caption, "悔棋申请");
        EXPECT_EQ(first, "同意");
        EXPECT_EQ(second, "拒绝");
    }
}

TEST(MyMessageBoxTest, OpensCentredOnTheScreen)
{
    TFormMyMessageBox box;
    QPoint centre;
    whenModal<TFormMyMessageBox>([&](TFormMyMessageBox* b) {
        centre = b->frameGeometry().center();
        b->close();
    });
    box.exec();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 2);
}

TEST(MyMessageBoxTest, InformationBoxHasOneButtonAndBreaksLines)
{
    QString text, title;
    int buttons = -1;
    QString buttonText;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        buttons = static_cast<int>(box->buttons().size());
        buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        box->buttons().value(0)->click();
    });
    showInformation(nullptr, "正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！");
    EXPECT_EQ(text, "正在和GNU GO进行对局，\n\n请结束对局后，再切换模式！");
    EXPECT_EQ(title, "信息提示");
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(buttonText, "确定");
}

} // namespace
} // namespace zemra
