// The program's own two-button question dialog, and the one-button
// information box used for every short refusal.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace zemra {

class TMyImage;

class TFormMyMessageBox : public QDialog {
    Q_OBJECT
public:
    // The result of exec(). Closing the dialog by its close control (or
    // Escape) answers neither.
    enum Answer { NoAnswer = 0, OK = 1, Cancel = 2 };

    explicit TFormMyMessageBox(QWidget* parent = nullptr);

    // "\r" in the text breaks the line. The text is shown as plain text: it
    // may carry a peer's nickname.
    void setText(const QString& text);
    void setButtonCaptions(const QString& button1, const QString& button2);

    Answer answer() const { return static_cast<Answer>(result()); }

    void Button1Click();
    void Button2Click();

    // Create, ask, discard: true only when the first button was pressed.
    static bool ask(QWidget* parent, const QString& caption, const QString& text, const QString& button1 = QStringLiteral("确定"),
                    const QString& button2 = QStringLiteral("取消"));

    TMyImage* Image1;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
};

// "\r\n", "\r" and "\n" each become one line break.
QString withLineBreaks(const QString& text);

// The information box with one button "确定", modal, plain text.
void showInformation(QWidget* parent, const QString& text, const QString& caption = QStringLiteral("信息提示"));

} // namespace zemra
