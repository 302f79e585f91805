// The options menu's three ways to save the position, in every mode: an SGF
// record of the moves, a text diagram and a bitmap of the board picture. Each
// asks for a name in the save dialog and writes the whole file at once; a
// failure stops the command with an error naming the file and the reason,
// and a file that was there before stays as it was.
#pragma once

#include <QByteArray>
#include <QDate>

#include <functional>

#include "app/ModeController.h"

namespace zemra {

class SaveCommands {
public:
    explicit SaveCommands(ModeHost& host) : m_host(host) {}

    // Numbers the proposed SGF names; counts only saves that succeeded.
    int SaveCounter = 1;
    // Today, for the proposed names; tests fix it.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    void Menu_Option_SaveSGFClick();
    void Menu_Option_SaveBMPClick();
    void Menu_Option_SaveTXTClick();

    // The dialog settings of each writer.
    FileDialogSettings sgfDialogSettings() const;
    FileDialogSettings bmpDialogSettings() const;
    FileDialogSettings txtDialogSettings() const;

    // The top-left square of the board picture that the bitmap keeps, as a
    // BMP file.
    QByteArray boardBitmapBytes() const;

private:
    ModeHost& m_host;
};

} // namespace zemra
