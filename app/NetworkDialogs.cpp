#include "app/NetworkDialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "app/LocalNewGameDialog.h"
#include "board/GameSetup.h"
#include "net/Messages.h"
#include "net/NetworkTexts.h"
#include "render/Fonts.h"
#include "text/Nickname.h"

namespace zemra {

namespace {

namespace texts = net::texts;

DialogMessageSink orDefault(DialogMessageSink sink, QWidget* parent)
{
    if (sink) return sink;
    return [parent](const QString& text) { TFormLocalNewGame::showMessage(parent, text); };
}

QLineEdit* fixedField(const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setEnabled(false);
    return field;
}

} // namespace

// --- TFormNetworkStart ----------------------------------------------------------

TFormNetworkStart::TFormNetworkStart(const NetworkStartSetup& setup, DialogMessageSink sink, QWidget* parent)
    : QDialog(parent), m_sink(orDefault(std::move(sink), this)),
      m_labelName(new QLabel(texts::NameLabel, this)),
      m_labelAddress(new QLabel(setup.hosting ? texts::OwnAddressLabel : texts::PeerAddressLabel, this)),
      m_editName(new QLineEdit(setup.nickName, this)), m_rank(new QComboBox(this)), m_editAddress(new QLineEdit(this))
{
    setWindowTitle(setup.hosting ? texts::HostCaption : texts::ChallengeCaption);
    setFont(textFont(12));
    setModal(true);
    m_rank->addItems(texts::rankEntries());
    m_rank->setCurrentIndex(0);
    if (setup.hosting) {
        m_editAddress->setText(setup.ownAddress);
        m_editAddress->setReadOnly(true);
        m_editAddress->setEnabled(false);
    }
    setGreyed(m_editAddress, setup.hosting, palette());

    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->addRow(m_labelName, m_editName);
    form->addRow(new QLabel(texts::RankLabel, page), m_rank);
    form->addRow(m_labelAddress, m_editAddress);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    layOutTabbedDialog(this, page, texts::StartPage, ok, cancel);
    connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Button2Click(); });
}

std::optional<NetworkStartChoice> TFormNetworkStart::run(QWidget* parent, const NetworkStartSetup& setup,
                                                         DialogMessageSink sink)
{
    TFormNetworkStart dialog(setup, std::move(sink), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

NetworkStartChoice TFormNetworkStart::choice() const
{
    return {m_editName->text(), m_rank->currentText(), m_editAddress->text().trimmed()};
}

void TFormNetworkStart::Button1Click()
{
    const nickname::Problem problem = nickname::check(m_editName->text());
    if (problem != nickname::Problem::None) {
        m_sink(texts::nicknameRefusal(problem));
        return;
    }
    accept();
}

void TFormNetworkStart::Button2Click()
{
    reject();
}

// --- TFormNetworkNewGame ---------------------------------------------------------

TFormNetworkNewGame::TFormNetworkNewGame(const QString& localNickName, const QString& peerNickName,
                                         DialogMessageSink sink, QWidget* parent)
    : QDialog(parent), m_sink(orDefault(std::move(sink), this)),
      m_colourGroup(new QGroupBox(texts::proposalGroupTitle(localNickName), this)),
      m_black(new QRadioButton(texts::TakeBlack, m_colourGroup)),
      m_white(new QRadioButton(texts::TakeWhite, m_colourGroup)), m_handicap(new QComboBox(this)),
      m_editBoardSize(new QLineEdit(QStringLiteral("19"), this)), m_hint(new QLabel(texts::AnswerHint, this)),
      m_ok(new QPushButton(texts::ProposeButton, this)), m_cancel(new QPushButton(texts::CancelButton, this))
{
    setWindowTitle(texts::proposalCaption(localNickName, peerNickName));
    setFont(textFont(12));
    setModal(true);
    m_black->setChecked(true);
    m_handicap->addItems(texts::handicapEntries());
    m_handicap->setCurrentIndex(0);
    m_hint->setVisible(false);

    auto* colours = new QHBoxLayout(m_colourGroup);
    colours->addWidget(m_black);
    colours->addWidget(m_white);

    auto* page = new QWidget;
    auto* basic = new QGroupBox(QStringLiteral(" 基本设置 "), page);
    auto* basicForm = new QFormLayout(basic);
    basicForm->addRow(QStringLiteral("让子规则："), m_handicap);
    basicForm->addRow(QStringLiteral("黑棋贴目："), fixedField(QStringLiteral("贴2又3/4子"), basic));
    basicForm->addRow(QStringLiteral("棋盘大小："), m_editBoardSize);
    auto* time = new QGroupBox(QStringLiteral(" 时间设置 "), page);
    auto* timeForm = new QFormLayout(time);
    timeForm->addRow(QStringLiteral("时间限制："), fixedField(QStringLiteral("无限制"), time));
    timeForm->addRow(QStringLiteral("读秒时间："), fixedField(QStringLiteral("30 秒"), time));
    timeForm->addRow(QStringLiteral("读秒次数："), fixedField(QStringLiteral("0 次"), time));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(m_colourGroup);
    pageLayout->addWidget(basic);
    pageLayout->addWidget(time);
    layOutTabbedDialog(this, page, texts::ProposalPage, m_ok, m_cancel, m_hint);

    connect(m_editBoardSize, &QLineEdit::textChanged, this, [this] { EditBoardSizeChange(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Button2Click(); });
    EditBoardSizeChange();
}

void TFormNetworkNewGame::showReceived(const net::ProposalChoice& shown)
{
    m_black->setChecked(shown.takeBlack);
    m_white->setChecked(!shown.takeBlack);
    // The size first: a size other than 19 resets the handicap list.
    m_editBoardSize->setText(shown.sizeText);
    m_handicap->setCurrentIndex(shown.handicapIndex);
    m_colourGroup->setEnabled(false);
    m_handicap->setEnabled(false);
    m_editBoardSize->setReadOnly(true);
    m_editBoardSize->setEnabled(false);
    m_hint->setVisible(true);
    m_ok->setText(texts::AgreeButton);
    m_cancel->setText(texts::RefuseButton);
}

std::optional<net::ProposalChoice> TFormNetworkNewGame::ask(QWidget* parent, const QString& localNickName,
                                                            const QString& peerNickName, DialogMessageSink sink)
{
    TFormNetworkNewGame dialog(localNickName, peerNickName, std::move(sink), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

bool TFormNetworkNewGame::answer(QWidget* parent, const net::Question& question, const QString& localNickName,
                                 DialogMessageSink sink)
{
    TFormNetworkNewGame dialog(localNickName, QString(), std::move(sink), parent);
    dialog.setWindowTitle(question.caption);
    dialog.showReceived(question.shown);
    return dialog.exec() == QDialog::Accepted;
}

net::ProposalChoice TFormNetworkNewGame::choice() const
{
    return {m_black->isChecked(), m_handicap->currentIndex(), m_editBoardSize->text()};
}

void TFormNetworkNewGame::EditBoardSizeChange()
{
    // A received proposal is shown locked, whatever its size.
    const bool nineteen = handicapFollowsBoardSize(m_editBoardSize->text(), m_handicap, palette());
    m_handicap->setEnabled(nineteen && !m_hint->isVisibleTo(this));
}

void TFormNetworkNewGame::Button1Click()
{
    const int size = net::boardSizeValue(m_editBoardSize->text());
    if (!GameSetup::validBoardSize(size)) {
        m_sink(texts::BoardSizeRefusal);
        return;
    }
    accept();
}

void TFormNetworkNewGame::Button2Click()
{
    reject();
}

} // namespace zemra
