#include "app/DialogParts.h"

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

} // namespace zemra
