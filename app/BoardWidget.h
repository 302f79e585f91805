// PaintBox1 on screen: shows the renderer's screen picture and reports
// presses, releases and the pointer entering or leaving it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace zemra {

class BoardWidget : public QWidget {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent = nullptr);

    // The picture to show; the widget keeps a pointer, the owner keeps it alive.
    void setPicture(const QImage* picture) { m_picture = picture; }

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button, int x, int y);
    void entered();
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QImage* m_picture = nullptr;
};

} // namespace zemra
