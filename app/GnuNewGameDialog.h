// The engine new-game dialog: the user's colour, the board size and handicap,
// GNU Go's level, which engine program to run and whether it may resign.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

#include "app/FileDialogs.h"
#include "board/Words.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace zemra {

struct GnuNewGameChoice {
    Colour userColour = Colour::Black;
    int boardSize = 19;    // 5..19
    int handicapCount = 0; // 0 or 2..9, only on 19 × 19
    int level = 10;        // 1..10
    QString engineFile;    // "./gnugo" (the default) or a chosen program's full path
    bool neverResign = true;
};

class TFormGNUNewGame : public QDialog {
    Q_OBJECT
public:
    // Shows one refusal; "\r" in the text is a line break.
    using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
    // Asks for a file; empty when the user cancels.
    using FileAsker = std::function<QString(const FileDialogSettings& settings)>;

    explicit TFormGNUNewGame(QWidget* parent = nullptr);

    // Runs the dialog modally with the host name in the group title;
    // nothing when the user cancels.
    static std::optional<GnuNewGameChoice> run(QWidget* parent, const QString& hostName, MessageSink sink = {},
                                               FileAsker askFile = {});

    void setHostName(const QString& hostName);
    void setMessageSink(MessageSink sink);
    void setFileAsker(FileAsker askFile);

    // The values as entered; meaningful once the dialog was accepted.
    GnuNewGameChoice choice() const;

    // The engine file dialog "查找" opens: executables only.
    static FileDialogSettings engineFileSpec(const QString& current);

    QGroupBox* GroupBox1() const { return m_group; }
    QRadioButton* RadioButtonBlack() const { return m_black; }
    QRadioButton* RadioButtonWhite() const { return m_white; }
    QLineEdit* EditBoardSize() const { return m_editBoardSize; }
    QComboBox* CB_Handicap() const { return m_handicap; }
    QSlider* TrackBar1() const { return m_level; }
    QLabel* LabelLevel() const { return m_labelLevel; }
    QLineEdit* Edit1() const { return m_engineFile; }
    QPushButton* Button3() const { return m_browse; }
    QCheckBox* CheckBoxResign() const { return m_resign; }
    QPushButton* Button1() const { return m_ok; }
    QPushButton* Button2() const { return m_cancel; }

    // Handicap only on 19 × 19: anything but "19" resets it to "分 先".
    void EditBoardSizeChange();
    void TrackBar1Change();
    // "查找": a chosen program replaces the engine file.
    void Button3Click();
    // Checks the board size; the dialog stays open when it is out of range.
    void Button1Click();
    void Button2Click();

private:
    MessageSink m_sink;
    FileAsker m_askFile;
    QGroupBox* m_group;
    QRadioButton* m_black;
    QRadioButton* m_white;
    QLineEdit* m_editBoardSize;
    QComboBox* m_handicap;
    QSlider* m_level;
    QLabel* m_labelLevel;
    QLineEdit* m_engineFile;
    QPushButton* m_browse;
    QCheckBox* m_resign;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace zemra
