// TMyImage: a picture in a rectangle that reports the mouse entering and
// leaving it besides presses, releases and moves. The toolbar buttons, the
// splitter bar and the board picture are made of it.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace zemra {

class TMyImage : public QWidget {
    Q_OBJECT
public:
    explicit TMyImage(QWidget* parent = nullptr);

    // Shown at the top-left corner, or scaled to the whole control when
    // stretched. Transparent parts show what lies behind the control.
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }

    // Resizes the control to its picture now and whenever the picture changes.
    void setAutoSize(bool autoSize);
    bool autoSize() const { return m_autoSize; }

    QSize sizeHint() const override;

signals:
    // The control's OnMouseEnter and OnMouseLeave: unconnected, nothing happens.
    void mouseEntered(zemra::TMyImage* image);
    void mouseLeft(zemra::TMyImage* image);

    void mousePressed(zemra::TMyImage* image, Qt::MouseButton button, QPoint pos);
    void mouseReleased(zemra::TMyImage* image, Qt::MouseButton button, QPoint pos);
    // Also without a button held, so hover positions are known.
    void mouseMoved(zemra::TMyImage* image, Qt::MouseButtons buttons, QPoint pos);
    // A left press and release both on the control.
    void clicked(zemra::TMyImage* image);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_stretch = false;
    bool m_autoSize = false;
    bool m_leftPressed = false;
};

} // namespace zemra
