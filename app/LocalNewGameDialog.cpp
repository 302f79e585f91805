#include "app/LocalNewGameDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

#include "app/DialogParts.h"
#include "board/GameSetup.h"
#include "records/GameInfo.h"
#include "render/Fonts.h"
#include "text/Gbk.h"

namespace zemra {

namespace {

const QString NicknameMessage = QStringLiteral("请注意：\r昵称中不能含有 ( ) ; [ ] 等符号，\r并且昵称的长度不能超出7个汉字！");
// Records, the log file and the network all carry names in GBK: a
// character without a GBK code would come back as "?".
const QString UnencodableMessage = QStringLiteral("请注意：\r昵称中含有无法保存的字符！");
const QString SameNameMessage = QStringLiteral("请注意：\r\r黑方和白方的昵称不能相同！");
const QString SizeMessage = QStringLiteral("\r棋盘大小请输入5..19之间的数字！");


// "棋盘大小（     ）：" with the range written into the blank between the brackets.
class SizeCaption : public QLabel {
public:
    explicit SizeCaption(QWidget* parent) : QLabel(QStringLiteral("棋盘大小（     ）："), parent) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics fm(font());
        const QRect cr = contentsRect();
        const QRect blank(cr.left() + fm.horizontalAdvance(QStringLiteral("棋盘大小（")), cr.top(),
                          fm.horizontalAdvance(QStringLiteral("     ")), cr.height());
        p.drawText(blank, Qt::AlignCenter | Qt::TextDontClip, QStringLiteral("5..19"));
    }
};

QComboBox* fixedCombo(const QString& text, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItem(text);
    box->setEnabled(false);
    return box;
}

} // namespace

TFormLocalNewGame::TFormLocalNewGame(QWidget* parent)
    : QDialog(parent), m_sink(&TFormLocalNewGame::showMessage), m_editBlack(new QLineEdit(this)),
      m_editWhite(new QLineEdit(this)), m_editBoardSize(new QLineEdit(this)), m_handicap(new QComboBox(this)),
      m_komi(new QLineEdit(this)), m_timeLimit(fixedCombo(QStringLiteral("无限制"), this)),
      m_byoYomiTime(fixedCombo(QStringLiteral("30 秒"), this)), m_byoYomiCount(fixedCombo(QStringLiteral("0 次"), this)),
      m_ok(new QPushButton(QStringLiteral("确定"), this)), m_cancel(new QPushButton(QStringLiteral("取消"), this))
{
    setWindowTitle(QStringLiteral("本地对局 - 对局申请"));
    setFont(zemra::textFont(12));
    setModal(true);

    m_editBlack->setObjectName(QStringLiteral("EditBlack"));
    m_editWhite->setObjectName(QStringLiteral("EditWhite"));
    m_editBoardSize->setObjectName(QStringLiteral("EditBoardSize"));
    m_handicap->setObjectName(QStringLiteral("CB_Handicap"));
    m_komi->setObjectName(QStringLiteral("Edit1"));
    m_timeLimit->setObjectName(QStringLiteral("ComboBox3"));
    m_byoYomiTime->setObjectName(QStringLiteral("ComboBox4"));
    m_byoYomiCount->setObjectName(QStringLiteral("ComboBox5"));
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_cancel->setObjectName(QStringLiteral("Button2"));

    m_editBlack->setText(DefaultBlackName);
    m_editWhite->setText(DefaultWhiteName);
    m_editBoardSize->setText(QStringLiteral("19"));
    for (const char* item : {"分 先", "让2子", "让3子", "让4子", "让5子", "让6子", "让7子", "让8子", "让9子"})
        m_handicap->addItem(QString::fromUtf8(item));
    m_handicap->setCurrentIndex(0);
    m_komi->setText(QStringLiteral("贴2又3/4子"));
    m_komi->setEnabled(false);

    auto* page = new QWidget;
    auto* names = new QFormLayout;
    names->addRow(QStringLiteral("黑方昵称："), m_editBlack);
    names->addRow(QStringLiteral("白方昵称："), m_editWhite);

    auto* basic = new QGroupBox(QStringLiteral(" 基本设置 "), page);
    auto* basicForm = new QFormLayout(basic);
    basicForm->addRow(new SizeCaption(basic), m_editBoardSize);
    basicForm->addRow(QStringLiteral("让子规则："), m_handicap);
    basicForm->addRow(QStringLiteral("黑棋贴目："), m_komi);

    auto* time = new QGroupBox(QStringLiteral(" 时间设置 "), page);
    auto* timeForm = new QFormLayout(time);
    timeForm->addRow(QStringLiteral("时间限制："), m_timeLimit);
    timeForm->addRow(QStringLiteral("读秒时间："), m_byoYomiTime);
    timeForm->addRow(QStringLiteral("读秒次数："), m_byoYomiCount);

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addLayout(names);
    pageLayout->addWidget(basic);
    pageLayout->addWidget(time);

    layOutTabbedDialog(this, page, QStringLiteral("友谊对局"), m_ok, m_cancel);

    connect(m_editBoardSize, &QLineEdit::textChanged, this, [this] { EditBoardSizeChange(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Button2Click(); });
    EditBoardSizeChange();
}

std::optional<LocalNewGameChoice> TFormLocalNewGame::run(QWidget* parent, MessageSink sink)
{
    TFormLocalNewGame dialog(parent);
    if (sink) dialog.setMessageSink(std::move(sink));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

void TFormLocalNewGame::showMessage(QWidget* parent, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::information(parent, QStringLiteral("信息提示"), shown, QMessageBox::Ok);
}

void TFormLocalNewGame::setMessageSink(MessageSink sink)
{
    m_sink = sink ? std::move(sink) : MessageSink(&TFormLocalNewGame::showMessage);
}

LocalNewGameChoice TFormLocalNewGame::choice() const
{
    LocalNewGameChoice c;
    c.blackName = m_editBlack->text();
    c.whiteName = m_editWhite->text();
    bool ok = false;
    const int size = m_editBoardSize->text().toInt(&ok, 10);
    c.boardSize = ok ? size : 0;
    c.handicapCount = handicapStones(m_handicap);
    return c;
}

void TFormLocalNewGame::EditBoardSizeChange()
{
    handicapFollowsBoardSize(m_editBoardSize->text(), m_handicap, palette());
}

NicknameProblem checkNickname(const QString& name)
{
    static const QString forbidden = QStringLiteral("()[];");
    const bool hasForbidden = std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); });
    if (hasForbidden || gbk::byteLength(name) > MaxNicknameBytes) return NicknameProblem::ForbiddenOrLong;
    if (!gbk::canEncode(name)) return NicknameProblem::Unencodable;
    return NicknameProblem::None;
}

bool TFormLocalNewGame::nicknameAcceptable(const QString& name)
{
    switch (checkNickname(name)) {
    case NicknameProblem::None: return true;
    case NicknameProblem::ForbiddenOrLong: m_sink(this, NicknameMessage); break;
    case NicknameProblem::Unencodable: m_sink(this, UnencodableMessage); break;
    }
    return false;
}

void TFormLocalNewGame::Button1Click()
{
    if (!nicknameAcceptable(m_editBlack->text())) return;
    if (!nicknameAcceptable(m_editWhite->text())) return;
    if (m_editBlack->text() == m_editWhite->text()) {
        m_sink(this, SameNameMessage);
        return;
    }
    const int size = choice().boardSize;
    if (!GameSetup::validBoardSize(size)) {
        m_sink(this, SizeMessage);
        return;
    }
    accept();
}

void TFormLocalNewGame::Button2Click()
{
    reject();
}

} // namespace zemra
