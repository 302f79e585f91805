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

TEST(GnuNewGameDialog, ChecksTheSizeAndCarriesEveryChoice)
{
    TFormGNUNewGame dialog;
    QStringList messages, paths{QString(), QStringLiteral("/opt/go/gnugo-3.8")}; // cancelled, then chosen
    std::vector<FileDialogSettings> asked;
    dialog.setMessageSink([&](QWidget*, const QString& text) { messages << text; });
    dialog.setFileAsker([&](const FileDialogSettings& settings) { return asked.push_back(settings), paths.takeFirst(); });
    dialog.show();
    QLineEdit* size = dialog.EditBoardSize();

    dialog.CB_Handicap()->setCurrentIndex(2);
    for (const char* text : {"4", "abc", "20"}) {
        size->selectAll();
        QTest::keyClicks(size, QString::fromLatin1(text));
        EXPECT_FALSE(dialog.CB_Handicap()->isEnabled()) << text;
        EXPECT_EQ(dialog.CB_Handicap()->currentIndex(), 0) << text;
        QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << text;
    }
    EXPECT_EQ(messages, QStringList(3, QStringLiteral("\r棋盘大小请输入5..19之间的数字！")));

    dialog.TrackBar1()->setValue(3);
    EXPECT_EQ(dialog.LabelLevel()->text(), QStringLiteral("电脑棋力（Level 3）："));
    EXPECT_EQ(dialog.Edit1()->text(), QStringLiteral("./gnugo"));
    for (int k = 0; k < 2; ++k)
        QTest::mouseClick(dialog.Button3(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, QStringLiteral("查找 GNU GO 文件"));
    EXPECT_TRUE(asked[0].executablesOnly);

    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("19"));
    dialog.CB_Handicap()->setCurrentIndex(1); // "让2子"
    dialog.RadioButtonWhite()->setChecked(true);
    dialog.CheckBoxResign()->setChecked(false);
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const GnuNewGameChoice c = dialog.choice();
    EXPECT_EQ(c.userColour, Colour::White);
    EXPECT_EQ(c.boardSize, 19);
    EXPECT_EQ(c.handicapCount, 2);
    EXPECT_EQ(c.level, 3);
    EXPECT_FALSE(c.neverResign);
    EXPECT_EQ(c.engineFile, QStringLiteral("/opt/go/gnugo-3.8"));
}
