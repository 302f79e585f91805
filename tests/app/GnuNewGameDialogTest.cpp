// The engine new-game dialog driven through its real widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GnuNewGameDialog.h"

using namespace zemra;

namespace {

class GnuNewGameDialogTest : public ::testing::Test {
protected:
    TFormGNUNewGame dialog;
    QStringList messages;
    std::vector<FileDialogSpec> asked;
    QStringList paths; // answers of the file dialog, cancelled when empty

    void SetUp() override
    {
        dialog.setMessageSink([this](QWidget*, const QString& text) { messages << text; });
        dialog.setFileAsker([this](const FileDialogSpec& spec) {
            asked.push_back(spec);
            return paths.isEmpty() ? QString() : paths.takeFirst();
        });
        dialog.show();
    }
    void typeSize(const QString& text)
    {
        dialog.EditBoardSize()->selectAll();
        QTest::keyClick(dialog.EditBoardSize(), Qt::Key_Backspace);
        QTest::keyClicks(dialog.EditBoardSize(), text);
    }
};

TEST_F(GnuNewGameDialogTest, BoardSizeIsCheckedAndHandicapOnlyOnNineteen)
{
    dialog.CB_Handicap()->setCurrentIndex(2);
    for (const char* size : {"4", "abc", "20", ""}) {
        typeSize(QString::fromLatin1(size));
        EXPECT_FALSE(dialog.CB_Handicap()->isEnabled()) << size;
        EXPECT_EQ(dialog.CB_Handicap()->currentIndex(), 0) << size;
        QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << size;
    }
    EXPECT_EQ(messages, QStringList(4, QStringLiteral("\r棋盘大小请输入5..19之间的数字！")));
    typeSize(QStringLiteral("19"));
    EXPECT_TRUE(dialog.CB_Handicap()->isEnabled());
    dialog.CB_Handicap()->setCurrentIndex(1); // "让2子"
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice().handicapCount, 2);
    EXPECT_EQ(dialog.choice().boardSize, 19);
}

TEST_F(GnuNewGameDialogTest, LevelCaptionEngineFileAndChoice)
{
    EXPECT_EQ(dialog.LabelLevel()->text(), QStringLiteral("电脑棋力（Level 10）："));
    dialog.TrackBar1()->setValue(3);
    EXPECT_EQ(dialog.LabelLevel()->text(), QStringLiteral("电脑棋力（Level 3）："));

    EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("./gnugo"));
    QTest::mouseClick(dialog.Button3(), Qt::LeftButton); // cancelled: nothing changes
    paths << QStringLiteral("/opt/go/gnugo-3.8");
    QTest::mouseClick(dialog.Button3(), Qt::LeftButton);
    QTest::mouseClick(dialog.Button3(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].title, QStringLiteral("查找 GNU GO 文件"));
    EXPECT_TRUE(asked[0].executablesOnly);
    EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("/opt/go/gnugo-3.8"));
    EXPECT_EQ(asked[2].proposedName, QStringLiteral("/opt/go/gnugo-3.8")) << "the dialog opens at the chosen program";

    dialog.RadioButtonWhite()->setChecked(true);
    dialog.CheckBoxResign()->setChecked(false);
    const GnuNewGameChoice c = dialog.choice();
    EXPECT_EQ(c.userColour, Colour::White);
    EXPECT_EQ(c.level, 3);
    EXPECT_FALSE(c.neverResign);
    EXPECT_EQ(c.engineFile, QStringLiteral("/opt/go/gnugo-3.8"));
}

} // namespace
