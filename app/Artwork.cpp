#include "app/Artwork.h"

#include <QImageReader>
#include <QPixmapCache>

namespace zemra {

namespace {

// Our artwork is PNG. Saying so, with format detection off, keeps Qt from
// loading every image plug-in (SVG, GIF, ...) to ask each whether it can
// read the file, which costs start-up time and memory.
QImage readPng(const QString& path)
{
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/ui/") + name + QStringLiteral(".png");
}

QString cacheKey(const QString& name)
{
    return QStringLiteral("zemra/art/") + name;
}

} // namespace

const QStringList& toolbarStripNames()
{
    static const QStringList names{QStringLiteral("ImageGameMode"), QStringLiteral("ImageLocal"),   QStringLiteral("ImageOpen"),
                                   QStringLiteral("ImageGNUGO"),    QStringLiteral("ImageNetwork"), QStringLiteral("ImageNumber"),
                                   QStringLiteral("ImageOption"),   QStringLiteral("ImageExit")};
    return names;
}

const QStringList& artworkNames()
{
    static const QStringList names =
        toolbarStripNames() +
        QStringList{QStringLiteral("FrameTopLeft"),   QStringLiteral("FrameTop"),         QStringLiteral("FrameTopRight"),
                    QStringLiteral("FrameLeft"),      QStringLiteral("FrameRight"),       QStringLiteral("FrameBottomLeft"),
                    QStringLiteral("FrameBottom"),    QStringLiteral("FrameBottomRight"), QStringLiteral("ToolHeader"),
                    QStringLiteral("ToolFooter"),     QStringLiteral("PanelSide"),        QStringLiteral("ImageResize"),
                    QStringLiteral("StoneIconBlack"), QStringLiteral("StoneIconWhite"),   QStringLiteral("SettingsBackground")};
    return names;
}

QImage artworkImage(const QString& name)
{
    // Only known names reach the resource system, so no name can reach
    // another resource.
    if (!artworkNames().contains(name)) return {};
    return readPng(resourcePath(name));
}

QPixmap artworkPixmap(const QString& name)
{
    const QString key = cacheKey(name);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = QPixmap::fromImage(artworkImage(name));
    if (!pixmap.isNull()) QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap buttonFrame(const QString& strip, ButtonFrame frame)
{
    if (!toolbarStripNames().contains(strip)) return {};
    const QRect area(static_cast<int>(frame) * ButtonWidth, 0, ButtonWidth, ButtonHeight);
    // The first picture shows only the normal frames: a strip is kept for
    // the others once its button is first hovered, not from start-up on.
    QPixmap kept;
    if (frame == ButtonFrame::Normal && !QPixmapCache::find(cacheKey(strip), &kept))
        return QPixmap::fromImage(artworkImage(strip).copy(area));
    return artworkPixmap(strip).copy(area);
}

QIcon applicationIcon()
{
    // Pixmaps rather than file names: a file name sends QIcon through every
    // icon-engine plug-in first.
    // No 256-pixel one: no window frame or task bar draws one that large,
    // and the desktop's menus and switchers take the installed theme icon.
    // Sent to the window system with the others it cost a megabyte at start-up.
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(QPixmap::fromImage(readPng(QStringLiteral(":/ui/AppIcon%1.png").arg(size))));
    return icon;
}

} // namespace zemra
