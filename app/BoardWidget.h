// PaintBox1 on screen: an image control that shows the renderer's screen
// picture in place, so a move repaints only the squares it changed.
#pragma once

#include <QImage>

#include "app/MyImageUnit.h"

namespace zemra {

class BoardWidget : public TMyImage {
    Q_OBJECT
public:
    explicit BoardWidget(QWidget* parent = nullptr);

    // The picture to show; the widget keeps a pointer, the owner keeps it alive.
    void setBoardPicture(const QImage* picture) { m_picture = picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* m_picture = nullptr;
};

} // namespace zemra
