#include "app/MyImageUnit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace zemra {

TMyImage::TMyImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void TMyImage::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (m_autoSize) resize(m_picture.deviceIndependentSize().toSize());
    updateGeometry();
    update();
}

void TMyImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void TMyImage::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize && !m_picture.isNull()) resize(m_picture.deviceIndependentSize().toSize());
}

QSize TMyImage::sizeHint() const
{
    return m_picture.isNull() ? QSize(0, 0) : m_picture.deviceIndependentSize().toSize();
}

void TMyImage::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull()) return;
    QPainter painter(this);
    if (m_stretch)
        painter.drawPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

void TMyImage::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    emit mouseEntered(this);
}

void TMyImage::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit mouseLeft(this);
}

void TMyImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) m_leftPressed = true;
    emit mousePressed(this, event->button(), event->position().toPoint());
}

void TMyImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(pos);
    if (event->button() == Qt::LeftButton) m_leftPressed = false;
    // A handler may close the window this control lives in.
    const QPointer<TMyImage> alive(this);
    emit mouseReleased(this, event->button(), pos);
    if (click && alive) emit clicked(this);
}

void TMyImage::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(this, event->buttons(), event->position().toPoint());
}

} // namespace zemra
