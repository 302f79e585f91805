// The player pictures: JPEG files decoded with libjpeg, and the neutral
// picture shown in their place when a file is missing or damaged.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace zemra {

// Where a player picture is shown in the player area.
inline constexpr QSize PlayerPictureSize{118, 93};

// The decoded picture (Format_RGB32), or a null image when the data is not a
// complete JPEG: empty, garbage, cut short, absurdly large or in a colour
// space without an RGB conversion. Never prints and never ends the program.
QImage decodeJpeg(const QByteArray& data);

// decodeJpeg of a file's contents; a null image when it cannot be read.
QImage decodeJpegFile(const QString& path);

// A baseline JPEG of the image at quality 1..100; empty for a null image.
QByteArray encodeJpeg(const QImage& image, int quality);

// A quiet grey head-and-shoulders outline on the panel colour, 118 x 93.
QImage playerPicturePlaceholder();

// The picture at path, or the placeholder when it cannot be decoded.
QImage loadPlayerPicture(const QString& path);

} // namespace zemra
