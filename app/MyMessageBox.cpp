#include "app/MyMessageBox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

#include "app/MyImageUnit.h"
#include "render/Fonts.h"

namespace zemra {
namespace {

// Our information icon: a blue disc with a white "i", 40 × 39.
QPixmap informationIcon()
{
    QPixmap icon(40, 39);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(15, 12), 26);
    shade.setColorAt(0, QColor(120, 170, 255));
    shade.setColorAt(1, QColor(20, 70, 190));
    p.setPen(QPen(QColor(10, 40, 120), 1));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2.5, 1.5, 34, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(17, 7.5, 5, 5));
    p.drawRoundedRect(QRectF(17, 15, 5, 15), 1.5, 1.5);
    return icon;
}

QFont dialogFont()
{
    return textFont(12);
}

} // namespace

QString withLineBreaks(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

TFormMyMessageBox::TFormMyMessageBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
{
    setFixedSize(209, 106);
    setSizeGripEnabled(false);

    Image1 = new TMyImage(this);
    Image1->setAutoSize(true);
    Image1->setPicture(informationIcon());
    Image1->move(8, 16);

    Label1 = new QLabel(this);
    Label1->setFont(dialogFont());
    Label1->setTextFormat(Qt::PlainText);
    Label1->move(58, 19);

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    for (QPushButton* button : {Button1, Button2}) {
        button->setFont(dialogFont());
        button->setFixedSize(60, 22);
    }
    Button1->move(30, 75);
    Button2->move(119, 75);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TFormMyMessageBox::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormMyMessageBox::Button2Click);
}

void TFormMyMessageBox::setText(const QString& text)
{
    Label1->setText(withLineBreaks(text));
    Label1->adjustSize();
}

void TFormMyMessageBox::setButtonCaptions(const QString& button1, const QString& button2)
{
    Button1->setText(button1);
    Button2->setText(button2);
}

void TFormMyMessageBox::Button1Click()
{
    done(OK);
}

void TFormMyMessageBox::Button2Click()
{
    done(Cancel);
}

void TFormMyMessageBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the desktop, not on the owner.
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

bool TFormMyMessageBox::ask(QWidget* parent, const QString& caption, const QString& text, const QString& button1,
                            const QString& button2)
{
    TFormMyMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setButtonCaptions(button1, button2);
    return box.exec() == OK;
}

void showInformation(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, withLineBreaks(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace zemra
