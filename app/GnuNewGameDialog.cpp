#include "app/GnuNewGameDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "app/LocalNewGameDialog.h"
#include "board/GameSetup.h"
#include "engine/EngineCommand.h"
#include "render/Fonts.h"
#include "text/Utf8.h"

namespace zemra {

namespace {

const QString SizeMessage = QStringLiteral("\r棋盘大小请输入5..19之间的数字！");

QString levelCaption(int level)
{
    return QStringLiteral("电脑棋力（Level ") + QString::number(level) + QStringLiteral("）：");
}

} // namespace

TFormGNUNewGame::TFormGNUNewGame(QWidget* parent)
    : QDialog(parent), m_sink(&TFormLocalNewGame::showMessage), m_askFile([this](const FileDialogSettings& settings) {
          return askOpenFile(this, settings);
      }),
      m_group(new QGroupBox(this)), m_black(new QRadioButton(QStringLiteral("执黑棋"), m_group)),
      m_white(new QRadioButton(QStringLiteral("执白棋"), m_group)), m_editBoardSize(new QLineEdit(this)),
      m_handicap(new QComboBox(this)), m_level(new QSlider(Qt::Horizontal, this)), m_labelLevel(new QLabel(this)),
      m_engineFile(new QLineEdit(this)), m_browse(new QPushButton(QStringLiteral("查找"), this)),
      m_resign(new QCheckBox(QStringLiteral("不允许电脑中盘认输"), this)),
      m_ok(new QPushButton(QStringLiteral("确定"), this)), m_cancel(new QPushButton(QStringLiteral("取消"), this))
{
    setWindowTitle(QStringLiteral("人机对弈 - 对局申请"));
    setFont(zemra::textFont(12));
    setModal(true);

    const struct {
        QWidget* widget;
        const char* name;
    } names[] = {{m_group, "GroupBox1"},      {m_black, "RadioButtonBlack"}, {m_white, "RadioButtonWhite"},
                 {m_editBoardSize, "EditBoardSize"}, {m_handicap, "CB_Handicap"}, {m_level, "TrackBar1"},
                 {m_labelLevel, "LabelLevel"}, {m_engineFile, "Edit1"},     {m_browse, "Button3"},
                 {m_resign, "CheckBoxResign"}, {m_ok, "Button1"},           {m_cancel, "Button2"}};
    for (const auto& n : names)
        n.widget->setObjectName(QString::fromLatin1(n.name));

    m_black->setChecked(true);
    m_editBoardSize->setText(QStringLiteral("19"));
    for (const char* item : {"分 先", "让2子", "让3子", "让4子", "让5子", "让6子", "让7子", "让8子", "让9子"})
        m_handicap->addItem(QString::fromUtf8(item));
    m_handicap->setCurrentIndex(0);
    m_level->setRange(1, 10);
    m_level->setPageStep(1);
    m_level->setTickPosition(QSlider::TicksBelow);
    m_level->setTickInterval(1);
    m_level->setValue(10);
    m_engineFile->setText(fromUtf8(DefaultEngineField));
    // Chosen with "查找" only: a typed path is too easily a wrong one.
    m_engineFile->setReadOnly(true);
    m_resign->setChecked(true);

    auto* colours = new QHBoxLayout(m_group);
    colours->addStretch();
    colours->addWidget(m_black);
    colours->addSpacing(24);
    colours->addWidget(m_white);
    colours->addStretch();

    auto* basic = new QGroupBox(QStringLiteral(" 棋局设置 "));
    auto* basicForm = new QFormLayout(basic);
    basicForm->addRow(QStringLiteral("棋盘大小（5..19）："), m_editBoardSize);
    basicForm->addRow(QStringLiteral("让子规则："), m_handicap);

    auto* engine = new QGroupBox(QStringLiteral(" 电脑设置 "));
    auto* engineLayout = new QVBoxLayout(engine);
    engineLayout->addWidget(m_labelLevel);
    engineLayout->addWidget(m_level);
    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel(QStringLiteral("程序文件：")));
    file->addWidget(m_engineFile, 1);
    file->addWidget(m_browse);
    engineLayout->addLayout(file);
    engineLayout->addWidget(m_resign);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(m_group);
    pageLayout->addWidget(basic);
    pageLayout->addWidget(engine);

    layOutTabbedDialog(this, page, QStringLiteral("和电脑对弈"), m_ok, m_cancel);
    m_browse->setAutoDefault(false);
    m_engineFile->setMinimumWidth(m_engineFile->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);

    connect(m_editBoardSize, &QLineEdit::textChanged, this, [this] { EditBoardSizeChange(); });
    connect(m_level, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { Button2Click(); });
    setHostName(QString());
    EditBoardSizeChange();
    TrackBar1Change();
}

std::optional<GnuNewGameChoice> TFormGNUNewGame::run(QWidget* parent, const QString& hostName, MessageSink sink,
                                                     FileAsker askFile)
{
    TFormGNUNewGame dialog(parent);
    dialog.setHostName(hostName);
    if (sink) dialog.setMessageSink(std::move(sink));
    if (askFile) dialog.setFileAsker(std::move(askFile));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

void TFormGNUNewGame::setHostName(const QString& hostName)
{
    m_group->setTitle(QStringLiteral(" 【 ") + hostName + QStringLiteral(" 】 "));
}

void TFormGNUNewGame::setMessageSink(MessageSink sink)
{
    m_sink = sink ? std::move(sink) : MessageSink(&TFormLocalNewGame::showMessage);
}

void TFormGNUNewGame::setFileAsker(FileAsker askFile)
{
    if (askFile) m_askFile = std::move(askFile);
}

GnuNewGameChoice TFormGNUNewGame::choice() const
{
    GnuNewGameChoice c;
    c.userColour = m_white->isChecked() ? Colour::White : Colour::Black;
    bool ok = false;
    const int size = m_editBoardSize->text().toInt(&ok, 10);
    c.boardSize = ok ? size : 0;
    c.handicapCount = handicapStones(m_handicap);
    c.level = m_level->value();
    c.engineFile = m_engineFile->text();
    c.neverResign = m_resign->isChecked();
    return c;
}

FileDialogSettings TFormGNUNewGame::engineFileSpec(const QString& current)
{
    // Start where the engine is: the file chosen before, else the system's GNU Go.
    QString proposed = QFileInfo(current).isAbsolute() ? current : QFile::decodeName(findSystemGnuGo().c_str());
    FileDialogSettings settings{QStringLiteral("查找 GNU GO 文件"), QStringLiteral("GNU GO File (*)"), QString(), proposed};
    settings.executablesOnly = true;
    return settings;
}

void TFormGNUNewGame::EditBoardSizeChange()
{
    handicapFollowsBoardSize(m_editBoardSize->text(), m_handicap, palette());
}

void TFormGNUNewGame::TrackBar1Change()
{
    m_labelLevel->setText(levelCaption(m_level->value()));
}

void TFormGNUNewGame::Button3Click()
{
    const QString path = m_askFile(engineFileSpec(m_engineFile->text()));
    if (!path.isEmpty()) m_engineFile->setText(path);
}

void TFormGNUNewGame::Button1Click()
{
    const int size = choice().boardSize;
    if (!GameSetup::validBoardSize(size)) {
        m_sink(this, SizeMessage);
        return;
    }
    accept();
}

void TFormGNUNewGame::Button2Click()
{
    reject();
}

} // namespace zemra
