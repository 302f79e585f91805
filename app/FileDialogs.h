// The program's open and save dialogs, set up from one description each.
#pragma once

#include <QString>

class QWidget;

namespace zemra {

// The settings of one open or save dialog.
struct FileDialogSettings {
    QString title;
    QString filter;        // Qt form: "SGF格式棋谱(*.sgf)", several joined by ";;"
    QString defaultSuffix; // without the dot
    QString proposedName;  // file name or path
    bool executablesOnly = false; // list only programs (and folders)
};

// The chosen path, or empty when the user cancels. The save dialog asks
// before overwriting and can be resized. A chosen name that is not UTF-8
// comes as Qt shows it; systemPath (ProgramFiles.h) gives its real bytes.
QString askOpenFile(QWidget* parent, const FileDialogSettings& settings);
QString askSaveFile(QWidget* parent, const FileDialogSettings& settings);

} // namespace zemra
