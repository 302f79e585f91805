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
// sound JPEG: empty, garbage, corrupt, cut short, absurdly large or in a
// colour space without an RGB conversion. With a target size, large pictures
// are decoded at the smallest of libjpeg's reduced scales that still covers
// it, so a huge picture costs little memory. Never prints, never ends the program.
QImage decodeJpeg(const QByteArray& data, QSize target = {});

// decodeJpeg of a regular file's contents (path as the system names it); a
// null image when it cannot be read.
QImage decodeJpegFile(const QByteArray& path, QSize target = {});

// A baseline JPEG of the image at quality 1..100; empty for a null image.
QByteArray encodeJpeg(const QImage& image, int quality);

// A quiet grey head-and-shoulders outline on the panel colour, 118 x 93.
QImage playerPicturePlaceholder();

// The picture at path (as the system names it), decoded for the player area,
// or the placeholder when it cannot be decoded.
QImage loadPlayerPicture(const QByteArray& path);

} // namespace zemra
