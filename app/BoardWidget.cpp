#include "app/BoardWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace zemra {

BoardWidget::BoardWidget(QWidget* parent) : TMyImage(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_picture && !m_picture->isNull()) {
        painter.drawImage(event->rect(), *m_picture, event->rect());
    } else {
        painter.fillRect(event->rect(), QColor(239, 239, 247));
    }
}

} // namespace zemra
