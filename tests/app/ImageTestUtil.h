// Pixel helpers shared by the picture tests.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace zemra::test {

// The average lightness (0..255) of an area of the image.
inline double meanLightness(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += QColor(image.pixel(x, y)).lightness();
    return sum / (area.width() * area.height());
}

} // namespace zemra::test
