#include "app/ChatLine.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/MessageLog.h"
#include "render/Fonts.h"

namespace zemra {

const QStringList& ChatLine::cannedPhrases()
{
    static const QStringList phrases = {
        QStringLiteral(" "),
        QStringLiteral(" 您好！"),
        QStringLiteral(" 很高兴认识您！"),
        QStringLiteral(" 但愿能和您在一起度过美好的时光。"),
        QStringLiteral(" 很高兴能和您在一起切磋棋艺！"),
        QStringLiteral(" 您这一步下得太好了！"),
        QStringLiteral(" 太精彩了，居然还有这样的妙手！"),
        QStringLiteral(" 难道这就是传说中的手筋吗？"),
        QStringLiteral(" 难道这就是传说中的鬼手吗？"),
        QStringLiteral(" 我们再下一局好吗！"),
        QStringLiteral(" 君子下棋，落子无悔呀！"),
        QStringLiteral(" 我下错了，悔棋一步，可以吗？"),
        QStringLiteral(" 我的鼠标点错了，悔棋一步，可以吗？"),
        QStringLiteral(" 我需要好好考虑一下，麻烦您稍等。"),
        QStringLiteral(" 我有事需要离开一下，麻烦您稍等。"),
        QStringLiteral(" 我下完，该您下了。"),
        QStringLiteral(" 哈哈，我居然侥幸赢了！"),
        QStringLiteral(" 呜呜，看来我只好认输了！"),
        QStringLiteral(" 谢谢您，再见！"),
        QStringLiteral(" "),
    };
    return phrases;
}

ChatLine::ChatLine(QWidget* parent) : QComboBox(parent)
{
    // The font before the phrases: a font change lays out every item of the
    // list, which would shape a hundred glyphs of the Ming font at start-up.
    setFont(textFont(12));
    setEditable(true);
    // The list is fixed: Enter must not add typed lines to it, and typed text
    // must not be completed into a phrase the user did not choose.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    addItems(cannedPhrases());
    setMaxVisibleItems(20);
    // The panel gives the line its width; measuring every phrase for a size
    // hint would lay out a hundred glyphs of the Ming font at start-up.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    setCurrentIndex(-1);
    clearEditText();

    QPalette pal = palette();
    pal.setColor(QPalette::Base, MessageLog::Background);
    setPalette(pal);
    lineEdit()->setPalette(pal);

    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &ChatLine::ChatTextClick);
}

bool ChatLine::ChatTextKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    const QString text = currentText();
    if (!text.isEmpty()) emit lineSent(text);
    setCurrentIndex(-1);
    clearEditText();
    return true;
}

void ChatLine::ChatTextClick(int index)
{
    const QString text = index >= 0 && index < count() ? itemText(index) : currentText();
    // The blank first and last entries send nothing; the others lose their
    // leading space.
    if (!text.isEmpty() && text != QLatin1String(" ")) emit lineSent(text.mid(1));
    setCurrentIndex(-1);
    clearEditText();
}

void ChatLine::keyPressEvent(QKeyEvent* event)
{
    if (ChatTextKeyPress(event->key())) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

bool ChatLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (ChatTextKeyPress(key->key())) return true;
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace zemra
