// The local new-game dialog driven through its real widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/LocalNewGameDialog.h"

using namespace zemra;

namespace {

const QString NicknameMessage = QStringLiteral("请注意：\r昵称中不能含有 ( ) ; [ ] 等符号，\r并且昵称的长度不能超出7个汉字！");
const QString SameNameMessage = QStringLiteral("请注意：\r\r黑方和白方的昵称不能相同！");
const QString SizeMessage = QStringLiteral("\r棋盘大小请输入5..19之间的数字！");

class LocalNewGameDialogTest : public ::testing::Test {
protected:
    TFormLocalNewGame dialog;
    QStringList messages;

    void SetUp() override
    {
        dialog.setMessageSink([this](QWidget*, const QString& text) { messages << text; });
        dialog.show();
    }

    // ASCII arrives as key presses, everything else as an input method's
    // committed text, as Chinese input does.
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        qsizetype k = 0;
        while (k < text.size()) {
            qsizetype end = k;
            const bool ascii = text[k].unicode() < 0x80;
            while (end < text.size() && (text[end].unicode() < 0x80) == ascii)
                ++end;
            if (ascii) {
                QTest::keyClicks(edit, text.mid(k, end - k));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(text.mid(k, end - k));
                QApplication::sendEvent(edit, &commit);
            }
            k = end;
        }
        ASSERT_EQ(edit->text(), text);
    }

    // Fills the three fields, presses "确定" and returns the message shown,
    // or "accepted" when the dialog closed with OK.
    QString confirm(const QString& black, const QString& white, const QString& size)
    {
        type(dialog.EditBlack(), black);
        type(dialog.EditWhite(), white);
        type(dialog.EditBoardSize(), size);
        messages.clear();
        QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
        if (!dialog.isVisible() && dialog.result() == QDialog::Accepted) return QStringLiteral("accepted");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(messages.size(), 1) << messages.join('|').toStdString();
        return messages.value(0);
    }
};

TEST_F(LocalNewGameDialogTest, PresetsAndFixedControls)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("本地对局 - 对局申请"));
    EXPECT_EQ(dialog.EditBlack()->text(), QStringLiteral("山间的清风"));
    EXPECT_EQ(dialog.EditWhite()->text(), QStringLiteral("月下の旅人"));
    EXPECT_EQ(dialog.EditBoardSize()->text(), QStringLiteral("19"));
    EXPECT_TRUE(dialog.CB_Handicap()->isEnabled());
    EXPECT_EQ(dialog.CB_Handicap()->currentText(), QStringLiteral("分 先"));
    EXPECT_EQ(dialog.CB_Handicap()->count(), 9);
    EXPECT_EQ(dialog.CB_Handicap()->itemText(8), QStringLiteral("让9子"));
    EXPECT_EQ(dialog.Button1()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.Button2()->text(), QStringLiteral("取消"));

    const struct {
        QWidget* widget;
        QString text;
    } fixed[] = {
        {dialog.Edit1(), dialog.Edit1()->text()},
        {dialog.ComboBox3(), dialog.ComboBox3()->currentText()},
        {dialog.ComboBox4(), dialog.ComboBox4()->currentText()},
        {dialog.ComboBox5(), dialog.ComboBox5()->currentText()},
    };
    const QString texts[] = {QStringLiteral("贴2又3/4子"), QStringLiteral("无限制"), QStringLiteral("30 秒"),
                             QStringLiteral("0 次")};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(fixed[k].widget->isEnabled()) << k;
        EXPECT_EQ(fixed[k].text, texts[k]);
    }
}

TEST_F(LocalNewGameDialogTest, ChecksStopAtTheFirstFailure)
{
    const struct {
        const char* black;
        const char* white;
        const char* size;
        QString expected;
    } cases[] = {
        // Lengths in GBK bytes: a Chinese character counts two.
        {"一二三四五六七", "白", "19", "accepted"},
        {"一二三四五六七八", "白", "19", NicknameMessage},
        {"abcdefghijklmn", "白", "19", "accepted"},
        {"abcdefghijklmno", "白", "19", NicknameMessage},
        {"黑黑黑黑黑黑ab", "白", "19", "accepted"},
        {"黑黑黑黑黑黑abc", "白", "19", NicknameMessage},
        {"月下の旅人人人", "白", "19", "accepted"}, // kana have GBK codes too
        // Only the five symbols are refused.
        {"a b,c（d）", "白", "19", "accepted"},
        {"a[b", "白", "19", NicknameMessage},
        {"a]b", "白", "19", NicknameMessage},
        {"(ab", "白", "19", NicknameMessage},
        {"ab)", "白", "19", NicknameMessage},
        {"a;b", "白", "19", NicknameMessage},
        {"黑", "w;", "19", NicknameMessage},
        {"黑", "一二三四五六七八", "19", NicknameMessage},
        // Equal names, the empty ones included.
        {"", "", "19", SameNameMessage},
        {"", "白", "19", "accepted"},
        {"黑", "", "19", "accepted"},
        {"同名", "同名", "19", SameNameMessage},
        // Board size.
        {"黑", "白", "4", SizeMessage},
        {"黑", "白", "20", SizeMessage},
        {"黑", "白", "abc", SizeMessage},
        {"黑", "白", "", SizeMessage},
        {"黑", "白", "99999999999", SizeMessage},
        {"黑", "白", "5", "accepted"},
        {"黑", "白", "19", "accepted"},
        // Earlier checks win over later ones.
        {"a[b", "c]d", "abc", NicknameMessage},
        {"同名", "同名", "abc", SameNameMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.black) + " / " + c.white + " / " + c.size);
        dialog.setResult(0);
        dialog.show();
        EXPECT_EQ(confirm(QString::fromUtf8(c.black), QString::fromUtf8(c.white), QString::fromUtf8(c.size)), c.expected);
    }
}

TEST_F(LocalNewGameDialogTest, RefusedInputStaysAsTyped)
{
    EXPECT_EQ(confirm(QStringLiteral("a[b"), QStringLiteral("白"), QStringLiteral("9")), NicknameMessage);
    EXPECT_EQ(dialog.EditBlack()->text(), QStringLiteral("a[b"));
    EXPECT_EQ(dialog.EditBoardSize()->text(), QStringLiteral("9"));
}

TEST_F(LocalNewGameDialogTest, NameWithoutGbkCodeIsRefused)
{
    dialog.EditBlack()->setText(QStringLiteral("星\U0001F600"));
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_NE(messages[0], NicknameMessage);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("昵称")));
}

TEST_F(LocalNewGameDialogTest, HandicapOnlyOnNineteen)
{
    QComboBox* cb = dialog.CB_Handicap();
    cb->setCurrentIndex(2);
    type(dialog.EditBoardSize(), QStringLiteral("9"));
    EXPECT_FALSE(cb->isEnabled());
    EXPECT_EQ(cb->currentIndex(), 0);
    EXPECT_NE(cb->palette().color(QPalette::Base), QColor(Qt::white));

    type(dialog.EditBoardSize(), QStringLiteral("19"));
    EXPECT_TRUE(cb->isEnabled());
    EXPECT_EQ(cb->currentText(), QStringLiteral("分 先"));
    EXPECT_EQ(cb->palette().color(QPalette::Base), QColor(Qt::white));

    // " 19" is the size 19 but not the text "19": no handicap.
    cb->setCurrentIndex(4);
    type(dialog.EditBoardSize(), QStringLiteral(" 19"));
    EXPECT_EQ(dialog.choice().boardSize, 19);
    EXPECT_EQ(dialog.choice().handicapCount, 0);
}

TEST_F(LocalNewGameDialogTest, ChoiceCarriesNamesSizeAndHandicap)
{
    const int expected[] = {0, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int index = 0; index < 9; ++index) {
        dialog.CB_Handicap()->setCurrentIndex(index);
        EXPECT_EQ(dialog.choice().handicapCount, expected[index]) << dialog.CB_Handicap()->currentText().toStdString();
    }
    EXPECT_EQ(confirm(QStringLiteral("黑方"), QStringLiteral("白方"), QStringLiteral("13")), QStringLiteral("accepted"));
    const LocalNewGameChoice c = dialog.choice();
    EXPECT_EQ(c.blackName, QStringLiteral("黑方"));
    EXPECT_EQ(c.whiteName, QStringLiteral("白方"));
    EXPECT_EQ(c.boardSize, 13);
}

TEST_F(LocalNewGameDialogTest, CancelRejects)
{
    QTest::mouseClick(dialog.Button2(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(messages.isEmpty());
}

// Answers the next modal dialog from the event loop.
template <typename Fn> void whenModal(Fn fn)
{
    QTimer::singleShot(0, [fn] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        fn(modal);
    });
}

TEST(LocalNewGameDialogRun, ReturnsTheChoiceOrNothing)
{
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<TFormLocalNewGame*>(w);
        ASSERT_NE(d, nullptr);
        d->EditBoardSize()->setText(QStringLiteral("19"));
        d->CB_Handicap()->setCurrentIndex(2);
        d->Button1()->click();
    });
    std::optional<LocalNewGameChoice> c = TFormLocalNewGame::run(nullptr);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->handicapCount, 3);
    EXPECT_EQ(c->blackName, QStringLiteral("山间的清风"));

    whenModal([](QWidget* w) { qobject_cast<TFormLocalNewGame*>(w)->Button2()->click(); });
    EXPECT_FALSE(TFormLocalNewGame::run(nullptr).has_value());
}

TEST(LocalNewGameDialogRun, DefaultMessageIsAOneButtonInformationBox)
{
    QString shown;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        buttons = static_cast<int>(box->buttons().size());
        icon = box->icon();
        box->buttons().first()->click();
    });
    TFormLocalNewGame::showMessage(nullptr, SameNameMessage);
    EXPECT_EQ(shown, QStringLiteral("请注意：\n\n黑方和白方的昵称不能相同！"));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(icon, QMessageBox::Information);
}

} // namespace
