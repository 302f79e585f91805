// The six pop-up menus of the toolbar with their exact captions, and the
// height rule used to open them above their buttons.
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>
#include <QStringList>

class QWidget;

namespace zemra {

// "-" stands for a separator.
QStringList gameModeMenuCaptions();
QStringList localMenuCaptions();
QStringList recordMenuCaptions();
QStringList engineMenuCaptions();
QStringList networkMenuCaptions();
QStringList optionsMenuCaptions();

// Builds a menu from captions; each action's objectName is its caption.
// Unstyled menus get their style when first shown (styling costs start-up time).
QMenu* buildMenu(const QStringList& captions, QWidget* parent, bool styled = true);

// The action with this caption (blanks included), or nullptr.
QAction* menuAction(const QMenu* menu, const QString& caption);

// 0 without items; else 6, plus 9 per separator and 17 per other item.
int GetMenuHeight(const QMenu* menu);

// Menus are styled so that GetMenuHeight is their real height.
QString menuStyleSheet();

} // namespace zemra
