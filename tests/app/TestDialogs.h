// The message boxes and dialogs answered by a test: what was asked is kept,
// questions and file dialogs are answered from queues.
#pragma once

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "app/UserDialogs.h"

namespace zemra::testing {

class TestDialogs : public UserDialogs {
public:
    void ShowInformation(const QString& text) override { boxes << text; }
    bool askQuestion(const QString& caption, const QString& text, const QString&, const QString&) override
    {
        return answer(caption + QLatin1Char('|') + text);
    }
    bool askYesNo(const QString& text) override { return answer(text); }
    QString askOpenFileName(const FileDialogSettings& settings) override { return choose(settings); }
    QString askSaveFileName(const FileDialogSettings& settings) override { return choose(settings); }

    QStringList boxes;     // information boxes shown
    QStringList questions; // "caption|text", or the text of a yes/no question
    std::vector<FileDialogSettings> files;
    std::deque<bool> answers; // questions answered in order, then defaultAnswer
    bool defaultAnswer = false;
    std::deque<QString> paths;        // file dialogs answered in order; cancelled when empty
    std::function<void()> whileAsked; // what happens while a question is open (before it counts)

private:
    bool answer(const QString& question)
    {
        if (whileAsked) whileAsked();
        questions << question;
        if (answers.empty()) return defaultAnswer;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    QString choose(const FileDialogSettings& settings)
    {
        files.push_back(settings);
        if (paths.empty()) return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

} // namespace zemra::testing
