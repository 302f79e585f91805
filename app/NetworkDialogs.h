// The two dialogs of the network mode: TFormNetworkStart asks for the
// nickname, rank and address before hosting or challenging; TFormNetworkNewGame
// makes a game proposal, or shows a received one locked for agreeing or
// refusing. Both only check their own input.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

#include "net/NetworkSession.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zemra {

// Shows one refusal; "\r" in the text is a line break.
using DialogMessageSink = std::function<void(const QString& text)>;

// What the settings dialog opens with.
struct NetworkStartSetup {
    bool hosting = true;
    QString nickName;   // the host name
    QString ownAddress; // hosting: shown, not editable; challenging: unused
};

struct NetworkStartChoice {
    QString nickName;
    QString rankEntry; // "9 段" … "18 级"
    QString address;   // hosting: the own address; challenging: the peer's
};

class TFormNetworkStart : public QDialog {
    Q_OBJECT
public:
    TFormNetworkStart(const NetworkStartSetup& setup, DialogMessageSink sink, QWidget* parent = nullptr);

    // Runs the dialog modally; nothing when the user cancels.
    static std::optional<NetworkStartChoice> run(QWidget* parent, const NetworkStartSetup& setup, DialogMessageSink sink);

    NetworkStartChoice choice() const;

    QLabel* LabelName() const { return m_labelName; }
    QLabel* LabelIPAddress() const { return m_labelAddress; }
    QLineEdit* EditName() const { return m_editName; }
    QComboBox* ComboBox1() const { return m_rank; }
    QLineEdit* EditIPAddress() const { return m_editAddress; }

    // The nickname is checked; the dialog stays open on a refusal.
    void Button1Click();
    void Button2Click();

private:
    DialogMessageSink m_sink;
    QLabel* m_labelName;
    QLabel* m_labelAddress;
    QLineEdit* m_editName;
    QComboBox* m_rank;
    QLineEdit* m_editAddress;
};

class TFormNetworkNewGame : public QDialog {
    Q_OBJECT
public:
    // A proposal to make: the choice starts at Black, no handicap, 19.
    TFormNetworkNewGame(const QString& localNickName, const QString& peerNickName, DialogMessageSink sink,
                        QWidget* parent = nullptr);

    // Shows a received proposal: fields locked, the hint shown, "同意"/"拒绝".
    void showReceived(const net::ProposalChoice& shown);

    // Runs the dialog modally; nothing when the user cancels.
    static std::optional<net::ProposalChoice> ask(QWidget* parent, const QString& localNickName,
                                                  const QString& peerNickName, DialogMessageSink sink);
    // True when the user agrees to a received proposal.
    static bool answer(QWidget* parent, const net::Question& question, const QString& localNickName,
                       DialogMessageSink sink);

    net::ProposalChoice choice() const;

    QGroupBox* GroupBox3() const { return m_colourGroup; }
    QRadioButton* RadioButtonBlack() const { return m_black; }
    QRadioButton* RadioButtonWhite() const { return m_white; }
    QComboBox* CB_Handicap() const { return m_handicap; }
    QLineEdit* EditBoardSize() const { return m_editBoardSize; }
    QLabel* HintLabel() const { return m_hint; }
    QPushButton* Button1() const { return m_ok; }
    QPushButton* Button2() const { return m_cancel; }

    // A handicap only on 19 × 19: any other size text resets it to "分 先".
    void EditBoardSizeChange();
    // The board size must be 5..19; the dialog stays open otherwise.
    void Button1Click();
    void Button2Click();

private:
    DialogMessageSink m_sink;
    QGroupBox* m_colourGroup;
    QRadioButton* m_black;
    QRadioButton* m_white;
    QComboBox* m_handicap;
    QLineEdit* m_editBoardSize;
    QLabel* m_hint;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace zemra
