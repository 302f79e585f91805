// The message boxes and dialogs the window and its mode controllers put to
// the user. The window shows the real ones; tests answer them themselves.
#pragma once

#include <QString>

#include "app/FileDialogs.h"

class QWidget;

namespace zemra {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The one-button information box for short refusals.
    virtual void ShowInformation(const QString& text) = 0;
    // The program's own question dialog; true only for the first button.
    virtual bool askQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no) = 0;
    // A Yes/No question in the platform's message box.
    virtual bool askYesNo(const QString& text) = 0;
    // The file dialogs; an empty path when the user cancels.
    virtual QString askOpenFileName(const FileDialogSettings& settings) = 0;
    virtual QString askSaveFileName(const FileDialogSettings& settings) = 0;
};

// The real boxes and dialogs, each modal over the parent window.
class WindowDialogs final : public UserDialogs {
public:
    explicit WindowDialogs(QWidget* parent) : m_parent(parent) {}

    void ShowInformation(const QString& text) override;
    bool askQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no) override;
    bool askYesNo(const QString& text) override;
    QString askOpenFileName(const FileDialogSettings& settings) override;
    QString askSaveFileName(const FileDialogSettings& settings) override;

private:
    QWidget* m_parent;
};

} // namespace zemra
