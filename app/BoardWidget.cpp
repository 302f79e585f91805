#include "app/BoardWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace zemra {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent)
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

void BoardWidget::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit released(event->button(), p.x(), p.y());
}

void BoardWidget::enterEvent(QEnterEvent*)
{
    emit entered();
}

void BoardWidget::leaveEvent(QEvent*)
{
    emit left();
}

} // namespace zemra
