// The frame shared by the game dialogs: one tab page, an optional line
// under it, and the two buttons at the foot on the right.
#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace zemra {

// Lays out dialog: the tab captioned tabCaption holding page, below (if
// any) under it, then ok and cancel on the right with ok the default. The
// dialog keeps the size of its contents.
void layOutTabbedDialog(QDialog* dialog, QWidget* page, const QString& tabCaption, QPushButton* ok,
                        QPushButton* cancel, QWidget* below = nullptr);

} // namespace zemra
