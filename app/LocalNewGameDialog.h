// The local new-game dialog: both nicknames, the board size and the handicap.
// The komi and time controls are shown for the look only.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zemra {

// Nicknames go into records and onto the wire in GBK: at most 14 GBK bytes
// (7 Chinese characters), none of ( ) [ ] ; which the formats use, and every
// character with a GBK code.
constexpr int MaxNicknameBytes = 14;
enum class NicknameProblem { None, ForbiddenOrLong, Unencodable };
NicknameProblem checkNickname(const QString& name);

struct LocalNewGameChoice {
    QString blackName;
    QString whiteName;
    int boardSize = 19;    // 5..19
    int handicapCount = 0; // 0 or 2..9, only on 19 × 19
};

class TFormLocalNewGame : public QDialog {
    Q_OBJECT
public:
    // Shows one refusal; "\r" in the text is a line break.
    using MessageSink = std::function<void(QWidget* parent, const QString& text)>;

    explicit TFormLocalNewGame(QWidget* parent = nullptr);

    // Runs the dialog modally; nothing when the user cancels.
    static std::optional<LocalNewGameChoice> run(QWidget* parent, MessageSink sink = {});

    // The default refusal box: an information box with one button.
    static void showMessage(QWidget* parent, const QString& text);
    void setMessageSink(MessageSink sink);

    // The values as entered; meaningful once the dialog was accepted.
    LocalNewGameChoice choice() const;

    QLineEdit* EditBlack() const { return m_editBlack; }
    QLineEdit* EditWhite() const { return m_editWhite; }
    QLineEdit* EditBoardSize() const { return m_editBoardSize; }
    QComboBox* CB_Handicap() const { return m_handicap; }
    QLineEdit* Edit1() const { return m_komi; }
    QComboBox* ComboBox3() const { return m_timeLimit; }
    QComboBox* ComboBox4() const { return m_byoYomiTime; }
    QComboBox* ComboBox5() const { return m_byoYomiCount; }
    QPushButton* Button1() const { return m_ok; }
    QPushButton* Button2() const { return m_cancel; }

    // Handicap only on 19 × 19: anything but "19" resets it to "分 先".
    void EditBoardSizeChange();
    // Checks the input; the dialog stays open on the first failed check.
    void Button1Click();
    void Button2Click();

private:
    bool nicknameAcceptable(const QString& name);

    MessageSink m_sink;
    QLineEdit* m_editBlack;
    QLineEdit* m_editWhite;
    QLineEdit* m_editBoardSize;
    QComboBox* m_handicap;
    QLineEdit* m_komi;
    QComboBox* m_timeLimit;
    QComboBox* m_byoYomiTime;
    QComboBox* m_byoYomiCount;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace zemra
