#include "app/UserDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "app/MyMessageBox.h"

namespace zemra {

void WindowDialogs::ShowInformation(const QString& text)
{
    showInformation(m_parent, text);
}

bool WindowDialogs::askQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no)
{
    return TFormMyMessageBox::ask(m_parent, caption, text, yes, no);
}

bool WindowDialogs::askYesNo(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return QMessageBox::question(m_parent, QApplication::applicationName(), shown, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString WindowDialogs::askOpenFileName(const FileDialogSettings& settings)
{
    return askOpenFile(m_parent, settings);
}

QString WindowDialogs::askSaveFileName(const FileDialogSettings& settings)
{
    return askSaveFile(m_parent, settings);
}

} // namespace zemra
