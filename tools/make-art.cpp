// Draws the window's artwork and the two player pictures and writes them
// under resources/: the toolbar sprite strips, the frame pieces, the tool
// panel's header and footer, the splitter bar, the stone icons, the settings
// background, the application icon, ImageBlack.jpg and ImageWhite.jpg, and
// the record-file icons SGF.ico and GIB.ico with their PNG sizes.
// Run once after a change and commit the output; nothing here runs in the
// program. Deterministic: the same fonts give the same bytes.
//
//   cmake --build build --target zemra-make-art && build/zemra-make-art resources
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>

#include "app/JpegImage.h"
#include "render/BoardArt.h"
#include "render/Fonts.h"

namespace {

using namespace zemra;

const QColor Navy(28, 40, 84);
const QColor Panel(239, 239, 247);

QFont labelFont()
{
    QFont font(SongTi);
    font.setPixelSize(12);
    // UMing carries hand-tuned bitmaps at 12 pixels; they are crisper than
    // any smoothing of the outlines.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage transparentImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// ---------------------------------------------------------------- stones ---

// A lit stone: highlight up and to the left, darker rim, soft edge.
void drawStone(QPainter& p, QPointF centre, double radius, bool black)
{
    QRadialGradient g(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.35);
    if (black) {
        g.setColorAt(0.0, QColor(112, 112, 118));
        g.setColorAt(0.25, QColor(52, 52, 56));
        g.setColorAt(1.0, QColor(8, 8, 10));
    } else {
        g.setColorAt(0.0, QColor(255, 255, 255));
        g.setColorAt(0.45, QColor(240, 240, 236));
        g.setColorAt(1.0, QColor(176, 176, 172));
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(black ? QPen(QColor(0, 0, 0, 160), radius * 0.06) : QPen(QColor(120, 120, 116), radius * 0.06));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void drawStoneShadow(QPainter& p, QPointF centre, double radius)
{
    QRadialGradient g(centre, radius * 1.15);
    g.setColorAt(0.75, QColor(40, 24, 8, 120));
    g.setColorAt(1.0, QColor(40, 24, 8, 0));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius * 1.15, radius * 1.15);
    p.restore();
}

// ----------------------------------------------------------------- icons ---

// Each icon is drawn into a 14 x 14 box at the origin.
using Icon = std::function<void(QPainter&)>;

void iconGameMode(QPainter& p)
{
    // A corner of a board with a black and a white stone.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(222, 180, 110));
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 2, 2);
    p.setPen(QPen(QColor(90, 60, 30), 1));
    for (double v : {3.5, 7.0, 10.5}) {
        p.drawLine(QPointF(v, 1), QPointF(v, 13));
        p.drawLine(QPointF(1, v), QPointF(13, v));
    }
    drawStone(p, {3.5, 3.5}, 3, true);
    drawStone(p, {10.5, 10.5}, 3, false);
}

void iconLocal(QPainter& p)
{
    // Two players sharing one board: a black and a white stone side by side.
    drawStone(p, {4.5, 7.5}, 4.3, true);
    drawStone(p, {9.5, 7.5}, 4.3, false);
}

void iconOpen(QPainter& p)
{
    // An open book of records.
    p.setPen(QPen(QColor(60, 72, 120), 1));
    p.setBrush(QColor(250, 250, 240));
    QPainterPath left, right;
    left.moveTo(7, 3);
    left.quadTo(4, 1.5, 0.5, 2.5);
    left.lineTo(0.5, 12);
    left.quadTo(4, 11, 7, 12.5);
    left.closeSubpath();
    right.moveTo(7, 3);
    right.quadTo(10, 1.5, 13.5, 2.5);
    right.lineTo(13.5, 12);
    right.quadTo(10, 11, 7, 12.5);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 156, 180), 1));
    for (double y : {5.0, 7.5, 10.0}) {
        p.drawLine(QPointF(2, y), QPointF(5.5, y + 0.5));
        p.drawLine(QPointF(8.5, y + 0.5), QPointF(12, y));
    }
}

void iconComputer(QPainter& p)
{
    // A monitor on its stand.
    p.setPen(QPen(QColor(50, 58, 90), 1));
    p.setBrush(QColor(190, 198, 220));
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 9.5), 1.5, 1.5);
    QLinearGradient screen(0, 2, 0, 9);
    screen.setColorAt(0, QColor(120, 170, 235));
    screen.setColorAt(1, QColor(40, 90, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(2, 2, 10, 6.5));
    p.setBrush(QColor(50, 58, 90));
    p.drawRect(QRectF(6, 10, 2, 2));
    p.drawRoundedRect(QRectF(3, 12, 8, 1.8), 0.8, 0.8);
}

void iconNetwork(QPainter& p)
{
    // A globe.
    QRadialGradient g(QPointF(5, 5), 9);
    g.setColorAt(0, QColor(150, 205, 250));
    g.setColorAt(1, QColor(30, 100, 180));
    p.setPen(QPen(QColor(25, 70, 140), 1));
    p.setBrush(g);
    p.drawEllipse(QPointF(7, 7), 6.3, 6.3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(235, 245, 255, 220), 0.9));
    p.drawEllipse(QPointF(7, 7), 2.8, 6.3);
    p.drawLine(QPointF(7, 0.9), QPointF(7, 13.1));
    p.drawLine(QPointF(0.9, 7), QPointF(13.1, 7));
    p.drawLine(QPointF(2, 3.8), QPointF(12, 3.8));
    p.drawLine(QPointF(2, 10.2), QPointF(12, 10.2));
}

void iconNumber(QPainter& p)
{
    // A white stone carrying a move number.
    drawStone(p, {7, 7}, 6.3, false);
    QFont font(Arial);
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 20, 20));
    p.drawText(QRectF(0, 0.5, 14, 14), Qt::AlignCenter, QStringLiteral("1"));
}

void iconOption(QPainter& p)
{
    // A gear.
    QPainterPath gear;
    const QPointF c(7, 7);
    const int teeth = 8;
    for (int k = 0; k < teeth * 2; ++k) {
        const double a0 = (k - 0.5) * M_PI / teeth, a1 = (k + 0.5) * M_PI / teeth;
        const double r = k % 2 == 0 ? 6.6 : 4.9;
        const QPointF p0 = c + QPointF(std::cos(a0), std::sin(a0)) * r;
        const QPointF p1 = c + QPointF(std::cos(a1), std::sin(a1)) * r;
        if (k == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.0, 2.0);
    QLinearGradient g(0, 0, 14, 14);
    g.setColorAt(0, QColor(170, 180, 205));
    g.setColorAt(1, QColor(80, 92, 128));
    p.setPen(QPen(QColor(50, 58, 90), 0.9));
    p.setBrush(g);
    p.drawPath(gear.subtracted(hole));
}

void iconExit(QPainter& p)
{
    // The power sign, in a muted red.
    const QColor red(190, 40, 36);
    p.setPen(QPen(red, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 2, 11, 11), 55 * 16, -290 * 16);
    p.drawLine(QPointF(7, 0.8), QPointF(7, 6.5));
}

// ------------------------------------------------------------ the toolbar ---

enum class Frame { Normal, Hover, Pressed };

// One 44 x 30 frame. The face leaves a clear one-pixel border so that a copy
// one pixel wider or taller than a frame brings in only transparent pixels.
void drawButtonFrame(QPainter& p, int x0, Frame frame, const Icon& icon, const QString& label)
{
    const QRectF face(x0 + 1.5, 1.5, 41, 27);
    QLinearGradient g(0, 1, 0, 29);
    QColor border;
    switch (frame) {
    case Frame::Normal:
        g.setColorAt(0, QColor(252, 252, 255));
        g.setColorAt(1, QColor(214, 220, 238));
        border = QColor(150, 160, 192);
        break;
    case Frame::Hover:
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(218, 232, 255));
        border = QColor(82, 120, 210);
        break;
    case Frame::Pressed:
        g.setColorAt(0, QColor(188, 198, 224));
        g.setColorAt(1, QColor(218, 224, 240));
        border = QColor(84, 98, 140);
        break;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(face, 4, 4);
    if (frame == Frame::Pressed) {
        // An inner shadow along the top and left makes the face look pushed in.
        p.setPen(QPen(QColor(60, 70, 110, 90), 1));
        p.drawLine(QPointF(x0 + 4, 2.5), QPointF(x0 + 40, 2.5));
        p.drawLine(QPointF(x0 + 2.5, 4), QPointF(x0 + 2.5, 26));
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawLine(QPointF(x0 + 4, 2.5), QPointF(x0 + 40, 2.5));
    }
    p.restore();

    const int shift = frame == Frame::Pressed ? 1 : 0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Icon above, label below: rows 2..14 and 16..26 inside the 27-row face.
    constexpr double iconScale = 12.5 / 14;
    p.translate(x0 + 22 - 7 * iconScale + shift, 2 + shift);
    p.scale(iconScale, iconScale);
    icon(p);
    p.restore();

    p.save();
    p.setFont(labelFont());
    p.setPen(frame == Frame::Hover ? QColor(20, 52, 150) : Navy);
    p.drawText(QRect(x0 + shift, 15 + shift, 44, 12), Qt::AlignHCenter | Qt::AlignVCenter, label);
    p.restore();
}

QImage spriteStrip(const Icon& icon, const QString& label)
{
    QImage image = transparentImage(132, 30);
    QPainter p(&image);
    drawButtonFrame(p, 0, Frame::Normal, icon, label);
    drawButtonFrame(p, 44, Frame::Hover, icon, label);
    drawButtonFrame(p, 88, Frame::Pressed, icon, label);
    return image;
}

// ------------------------------------------------------------- the frame ---

// The band's colour at a distance from the window's outer edge, 0..11: a dark
// outline, a highlight, a steel-blue body and a dark line against the content.
QColor frameBand(int d)
{
    if (d <= 0) return QColor(44, 54, 84);
    if (d == 1) return QColor(176, 190, 222);
    if (d >= 11) return QColor(52, 62, 94);
    if (d == 10) return QColor(84, 98, 140);
    const double t = (d - 2) / 7.0;
    return QColor::fromRgbF(static_cast<float>((136 - 40 * t) / 255), static_cast<float>((152 - 40 * t) / 255),
                            static_cast<float>((196 - 40 * t) / 255));
}

// A frame piece: colour from the distances to the horizontal and vertical
// outer edges; a corner is mitred along its diagonal.
QImage framePiece(int w, int h, const std::function<int(int, int)>& horizontalDistance,
                  const std::function<int(int, int)>& verticalDistance)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dh = horizontalDistance ? horizontalDistance(x, y) : 99;
            const int dv = verticalDistance ? verticalDistance(x, y) : 99;
            image.setPixel(x, y, frameBand(std::min(dh, dv)).rgb());
        }
    }
    return image;
}

// Corner ornaments: the two stone colours, black at the top.
void cornerStone(QImage& image, QPointF centre, bool black)
{
    QPainter p(&image);
    drawStone(p, centre, 3.2, black);
}

// ------------------------------------------------------------ the panels ---

QImage toolHeader()
{
    QImage image(270, 19, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 19);
    g.setColorAt(0, QColor(226, 231, 245));
    g.setColorAt(1, QColor(188, 198, 224));
    p.fillRect(image.rect(), g);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, 0, 269, 0);
    p.setPen(QColor(140, 152, 186));
    p.drawLine(0, 18, 269, 18);
    drawStone(p, {10.5, 9.5}, 4.5, true);
    drawStone(p, {18.5, 9.5}, 4.5, false);
    p.setFont(labelFont());
    p.setPen(Navy);
    p.drawText(QRect(28, 3, 200, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zemra 围棋 · 对局"));
    return image;
}

QImage toolFooter()
{
    QImage image(270, 20, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, QColor(188, 198, 224));
    g.setColorAt(1, QColor(214, 220, 238));
    p.fillRect(image.rect(), g);
    p.setPen(QColor(140, 152, 186));
    p.drawLine(0, 0, 269, 0);
    p.setPen(QColor(236, 240, 250));
    p.drawLine(0, 1, 269, 1);
    // A row of small grip dots in the middle.
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = -3; k <= 3; ++k) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(135.5 + k * 6 + 0.6, 10.6), 1.3, 1.3);
        p.setBrush(QColor(120, 132, 170));
        p.drawEllipse(QPointF(135.5 + k * 6, 10), 1.3, 1.3);
    }
    return image;
}

// The 8-pixel bars beside the tool panel's content, stretched downwards.
QImage panelSide()
{
    QImage image(8, 16, QImage::Format_RGB32);
    const QColor columns[8] = {QColor(216, 220, 236), QColor(230, 233, 244), QColor(239, 239, 247), QColor(239, 239, 247),
                               QColor(239, 239, 247), QColor(239, 239, 247), QColor(230, 233, 244), QColor(216, 220, 236)};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, columns[x].rgb());
    return image;
}

QImage splitterBar()
{
    QImage image = transparentImage(254, 11);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 11);
    g.setColorAt(0, QColor(232, 236, 248));
    g.setColorAt(1, QColor(184, 194, 222));
    p.setPen(QPen(QColor(140, 152, 186), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 253, 10), 3, 3);
    // A grip of short ridges in the middle says it can be dragged.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int k = -4; k <= 4; ++k) {
        const int x = 127 + k * 4;
        p.setPen(QColor(255, 255, 255));
        p.drawLine(x, 3, x, 7);
        p.setPen(QColor(112, 124, 164));
        p.drawLine(x + 1, 3, x + 1, 7);
    }
    return image;
}

QImage stoneIcon(bool black)
{
    QImage image = transparentImage(19, 19);
    QPainter p(&image);
    drawStone(p, {9.5, 9.5}, 8.3, black);
    return image;
}

// Behind the three rows of time settings and captured stones; the rows'
// texts stand at y 10, 31 and 53 of this picture.
QImage settingsBackground()
{
    QImage image = transparentImage(245, 70);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 70);
    g.setColorAt(0, QColor(250, 250, 254));
    g.setColorAt(1, QColor(228, 231, 243));
    p.setPen(QPen(QColor(176, 184, 210), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 244, 69), 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y : {26, 47}) {
        for (int x = 6; x < 239; x += 2)
            image.setPixel(x, y, qRgb(188, 194, 218));
    }
    // The captions' column, set apart by a pale band.
    p.fillRect(QRect(98, 2, 50, 66), QColor(214, 220, 238, 110));
    return image;
}

// --------------------------------------------------- icon and pictures ---

QImage appIcon(int size)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient wood(0, 0, s, s);
    wood.setColorAt(0, QColor(238, 200, 134));
    wood.setColorAt(1, QColor(206, 158, 92));
    p.setPen(QPen(QColor(120, 78, 36), std::max(1.0, s / 48)));
    p.setBrush(wood);
    const double m = s / 32;
    p.drawRoundedRect(QRectF(m, m, s - 2 * m, s - 2 * m), s / 7, s / 7);
    if (size >= 32) {
        p.setPen(QPen(QColor(96, 62, 28, 200), std::max(1.0, s / 64)));
        for (int k = 1; k <= 3; ++k) {
            const double v = s * k / 4.0;
            p.drawLine(QPointF(v, s * 0.12), QPointF(v, s * 0.88));
            p.drawLine(QPointF(s * 0.12, v), QPointF(s * 0.88, v));
        }
    }
    drawStone(p, {s * 0.38, s * 0.40}, s * 0.25, true);
    drawStone(p, {s * 0.64, s * 0.62}, s * 0.25, false);
    return image;
}

// A record file: a sheet with a folded corner, a corner of a board with a
// stone, and a band with the format's name. SGF is navy with a black stone,
// GIB dark red with a white one, so the two differ even at 16 pixels.
QImage recordFileIcon(int size, const QString& format, bool sgf)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const double left = s * 0.13, right = s * 0.87, top = s * 0.03, bottom = s * 0.97;
    const double fold = s * 0.24;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    QLinearGradient paper(0, 0, 0, s);
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(226, 228, 236));
    p.setPen(QPen(QColor(92, 96, 112), std::max(1.0, s / 32)));
    p.setBrush(paper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    p.setBrush(QColor(200, 204, 216));
    p.drawPath(corner);

    // A wooden corner of a board in the upper part of the sheet.
    const QRectF wood(left + s * 0.08, top + fold + s * 0.02, right - left - s * 0.16, s * 0.34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 184, 112));
    p.drawRect(wood);
    if (size >= 32) {
        p.setPen(QPen(QColor(96, 62, 28), std::max(1.0, s / 96)));
        for (int k = 1; k <= 3; ++k) {
            const double x = wood.left() + wood.width() * k / 4.0;
            const double y = wood.top() + wood.height() * k / 4.0;
            p.drawLine(QPointF(x, wood.top()), QPointF(x, wood.bottom()));
            p.drawLine(QPointF(wood.left(), y), QPointF(wood.right(), y));
        }
    }
    const QPointF centre(wood.left() + wood.width() * 0.5, wood.top() + wood.height() * 0.5);
    drawStone(p, centre, wood.height() * 0.36, sgf);

    const QColor band = sgf ? QColor(28, 40, 84) : QColor(140, 24, 24);
    const QRectF label(left, s * 0.66, right - left, s * 0.26);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(label);
    if (size >= 32) {
        QFont font(Arial);
        font.setBold(true);
        font.setPixelSize(std::max(8, static_cast<int>(label.height() * 0.78)));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(label, Qt::AlignCenter, format);
    }
    return image;
}

// A Windows icon file around the images: 32-bit DIBs with their AND masks for
// the small sizes, which every reader knows, and PNG for 256, as Windows
// itself writes them. Qt's own writer keeps only one image.
QByteArray icoFile(const QList<QImage>& images)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QDataStream data(&buffer);
    data.setByteOrder(QDataStream::LittleEndian);
    QList<QByteArray> blobs;
    for (const QImage& source : images) {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        QByteArray blob;
        if (image.width() >= 256) {
            QBuffer png(&blob);
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
        } else {
            QBuffer dib(&blob);
            dib.open(QIODevice::WriteOnly);
            QDataStream d(&dib);
            d.setByteOrder(QDataStream::LittleEndian);
            const int w = image.width(), h = image.height();
            const int maskStride = ((w + 31) / 32) * 4;
            d << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(32) << quint32(0)
              << quint32(w * h * 4 + maskStride * h) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
            for (int y = h - 1; y >= 0; --y) {
                const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < w; ++x)
                    d << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x])) << quint8(qAlpha(line[x]));
            }
            for (int y = h - 1; y >= 0; --y) {
                QByteArray row(maskStride, '\0');
                const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < w; ++x)
                    if (qAlpha(line[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
                d.writeRawData(row.constData(), static_cast<int>(row.size()));
            }
        }
        blobs << blob;
    }
    data << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (int k = 0; k < images.size(); ++k) {
        const int w = images[k].width(), h = images[k].height();
        data << quint8(w >= 256 ? 0 : w) << quint8(h >= 256 ? 0 : h) << quint8(0) << quint8(0) << quint16(1) << quint16(32)
             << quint32(blobs[k].size()) << offset;
        offset += static_cast<quint32>(blobs[k].size());
    }
    for (const QByteArray& blob : blobs)
        data.writeRawData(blob.constData(), static_cast<int>(blob.size()));
    return out;
}

bool saveBytes(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A stone on a wooden board, the other colour's stone at the edge of the view.
QImage playerPicture(bool black)
{
    QImage image(PlayerPictureSize, QImage::Format_RGB32);
    QPainter p(&image);
    const QImage& tile = SmallBoard();
    for (int y = 0; y < image.height(); y += tile.height())
        for (int x = 0; x < image.width(); x += tile.width())
            p.drawImage(x, y, tile);
    // Grid lines 28 apart; the main stone stands on the crossing at (59, 46).
    const int step = 28;
    p.setPen(QPen(QColor(70, 46, 22), 1));
    for (int x = 59 - 2 * step; x < image.width(); x += step)
        p.drawLine(x, 0, x, image.height());
    for (int y = 46 - step; y < image.height(); y += step)
        p.drawLine(0, y, image.width(), y);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 46, 22));
    p.drawEllipse(QPointF(59 - step + 0.5, 46 + step + 0.5), 2.2, 2.2);
    const QPointF main(59.5, 46.5);
    const QPointF other(59.5 + 2 * step, 46.5 - step);
    drawStoneShadow(p, other + QPointF(2, 3), 13);
    drawStone(p, other, 13, !black);
    drawStoneShadow(p, main + QPointF(3, 4), 25);
    drawStone(p, main, 25, black);
    // A soft darkening towards the edges keeps the eye on the stone.
    QRadialGradient vignette(main, 80);
    vignette.setColorAt(0.5, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(30, 16, 0, 90));
    p.setBrush(vignette);
    p.drawRect(image.rect());
    return image;
}

bool writePng(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeJpeg(const QImage& image, const QString& path)
{
    QFile file(path);
    const QByteArray data = encodeJpeg(image, 90);
    if (data.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources"));
    const QString ui = out.filePath(QStringLiteral("ui"));
    QDir().mkpath(ui);
    auto uiPath = [&](const char* name) { return ui + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"); };

    bool ok = true;
    const struct {
        const char* name;
        Icon icon;
        const char* label;
    } strips[] = {
        {"ImageGameMode", iconGameMode, "模式"}, {"ImageLocal", iconLocal, "本地"},     {"ImageOpen", iconOpen, "棋谱"},
        {"ImageGNUGO", iconComputer, "电脑"},    {"ImageNetwork", iconNetwork, "网络"}, {"ImageNumber", iconNumber, "手数"},
        {"ImageOption", iconOption, "选项"},     {"ImageExit", iconExit, "退出"},
    };
    for (const auto& strip : strips)
        ok &= writePng(spriteStrip(strip.icon, QString::fromUtf8(strip.label)), uiPath(strip.name));

    // Distances from the outer edges; the top and bottom corners are 16 wide.
    auto fromTop = [](int, int y) { return y; };
    auto fromBottom = [](int, int y) { return 11 - y; };
    auto fromLeft = [](int x, int) { return x; };
    auto fromRight16 = [](int x, int) { return 15 - x; };
    auto fromRight12 = [](int x, int) { return 11 - x; };
    QImage topLeft = framePiece(16, 12, fromTop, fromLeft);
    QImage topRight = framePiece(16, 12, fromTop, fromRight16);
    QImage bottomLeft = framePiece(16, 12, fromBottom, fromLeft);
    QImage bottomRight = framePiece(16, 12, fromBottom, fromRight16);
    cornerStone(topLeft, {6, 6}, true);
    cornerStone(topRight, {10, 6}, false);
    cornerStone(bottomLeft, {6, 6}, false);
    cornerStone(bottomRight, {10, 6}, true);
    ok &= writePng(topLeft, uiPath("FrameTopLeft"));
    ok &= writePng(framePiece(16, 12, fromTop, nullptr), uiPath("FrameTop"));
    ok &= writePng(topRight, uiPath("FrameTopRight"));
    ok &= writePng(bottomLeft, uiPath("FrameBottomLeft"));
    ok &= writePng(framePiece(16, 12, fromBottom, nullptr), uiPath("FrameBottom"));
    ok &= writePng(bottomRight, uiPath("FrameBottomRight"));
    ok &= writePng(framePiece(12, 16, nullptr, fromLeft), uiPath("FrameLeft"));
    ok &= writePng(framePiece(12, 16, nullptr, fromRight12), uiPath("FrameRight"));

    ok &= writePng(toolHeader(), uiPath("ToolHeader"));
    ok &= writePng(toolFooter(), uiPath("ToolFooter"));
    ok &= writePng(panelSide(), uiPath("PanelSide"));
    ok &= writePng(splitterBar(), uiPath("ImageResize"));
    ok &= writePng(stoneIcon(true), uiPath("StoneIconBlack"));
    ok &= writePng(stoneIcon(false), uiPath("StoneIconWhite"));
    ok &= writePng(settingsBackground(), uiPath("SettingsBackground"));
    for (int size : {16, 32, 64, 256})
        ok &= writePng(appIcon(size), ui + QStringLiteral("/AppIcon%1.png").arg(size));

    // The record-file icons beside the program, and the same sizes as PNG for
    // the icon theme of an installation.
    const QString icons = out.filePath(QStringLiteral("icons"));
    QDir().mkpath(icons);
    for (const auto& [format, sgf] : {std::pair{QStringLiteral("SGF"), true}, std::pair{QStringLiteral("GIB"), false}}) {
        QList<QImage> sizes;
        for (int size : {16, 32, 48, 256}) {
            sizes << recordFileIcon(size, format, sgf);
            ok &= writePng(sizes.last(), icons + QStringLiteral("/zemra-%1-%2.png").arg(format.toLower()).arg(size));
        }
        ok &= saveBytes(icoFile(sizes), out.filePath(format + QStringLiteral(".ico")));
    }

    ok &= writeJpeg(playerPicture(true), out.filePath(QStringLiteral("ImageBlack.jpg")));
    ok &= writeJpeg(playerPicture(false), out.filePath(QStringLiteral("ImageWhite.jpg")));
    return ok ? 0 : 1;
}
