// The frame shared by the game dialogs: one tab page, an optional line
// under it, and the two buttons at the foot on the right.
#pragma once

#include <QString>

class QComboBox;
class QDialog;
class QPalette;
class QPushButton;
class QWidget;

namespace zemra {

// Lays out dialog: the tab captioned tabCaption holding page, below (if
// any) under it, then ok and cancel on the right with ok the default. The
// dialog keeps the size of its contents.
void layOutTabbedDialog(QDialog* dialog, QWidget* page, const QString& tabCaption, QPushButton* ok,
                        QPushButton* cancel, QWidget* below = nullptr);

// A field greyed like the dialog's buttons, or white again.
void setGreyed(QWidget* field, bool greyed, const QPalette& dialogPalette);

// The handicap list follows the board size text: anything but "19" greys
// it and resets it to its first entry ("分 先"); "19" whitens it again.
// Returns whether a handicap may be chosen.
bool handicapFollowsBoardSize(const QString& sizeText, QComboBox* handicap, const QPalette& dialogPalette);

// The stones of a handicap list entry: "分 先" 0, "让2子" .. "让9子" 2..9.
int handicapStones(const QComboBox* handicap);

} // namespace zemra
