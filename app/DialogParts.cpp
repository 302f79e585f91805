#include "app/DialogParts.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zemra {

void layOutTabbedDialog(QDialog* dialog, QWidget* page, const QString& tabCaption, QPushButton* ok,
                        QPushButton* cancel, QWidget* below)
{
    auto* tabs = new QTabWidget(dialog);
    tabs->addTab(page, tabCaption);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(tabs);
    if (below) layout->addWidget(below);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void setGreyed(QWidget* field, bool greyed, const QPalette& dialogPalette)
{
    QPalette pal = field->palette();
    const QColor back = greyed ? dialogPalette.color(QPalette::Button) : QColor(Qt::white);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Button, back);
    field->setPalette(pal);
}

bool handicapFollowsBoardSize(const QString& sizeText, QComboBox* handicap, const QPalette& dialogPalette)
{
    const bool nineteen = sizeText == QStringLiteral("19");
    setGreyed(handicap, !nineteen, dialogPalette);
    handicap->setEnabled(nineteen);
    if (!nineteen) handicap->setCurrentIndex(0);
    return nineteen;
}

int handicapStones(const QComboBox* handicap)
{
    const int index = handicap->currentIndex();
    return index <= 0 ? 0 : index + 1;
}

} // namespace zemra
