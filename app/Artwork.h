// The window's artwork, drawn by tools/make-art.cpp and compiled in as Qt
// resources: toolbar sprite strips, frame pieces, the tool panel's header,
// footer and side bars, the splitter bar, the player area's stone icons and
// settings background, and the application icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace zemra {

// A toolbar button and the three frames side by side in its sprite strip.
inline constexpr int ButtonWidth = 44;
inline constexpr int ButtonHeight = 30;
enum class ButtonFrame { Normal = 0, Hover = 1, Pressed = 2 };

// The eight sprite strips, 132 x 30: "ImageGameMode", "ImageLocal",
// "ImageOpen", "ImageGNUGO", "ImageNetwork", "ImageNumber", "ImageOption",
// "ImageExit". Each frame keeps a transparent one-pixel border, so a copy
// one pixel too wide or tall shows nothing of the next frame.
const QStringList& toolbarStripNames();

// Every name artworkImage knows, the strips first. The others:
//   "FrameTopLeft", "FrameTopRight", "FrameBottomLeft", "FrameBottomRight"
//       16 x 12 corners of the window frame;
//   "FrameTop", "FrameBottom" 16 x 12 and "FrameLeft", "FrameRight" 12 x 16,
//       to be stretched along their strip;
//   "ToolHeader" 270 x 19, "ToolFooter" 270 x 20 of the tool panel;
//   "PanelSide" 8 x 16, the bars beside the panel's content, stretched down;
//   "ImageResize" 254 x 11, the splitter bar;
//   "StoneIconBlack", "StoneIconWhite" 19 x 19, transparent around the stone;
//   "SettingsBackground" 245 x 70, behind the time and captured-stone rows.
const QStringList& artworkNames();

// The artwork of that name; a null image for any other name.
QImage artworkImage(const QString& name);

// The same as a pixmap, loaded once and then shared. Needs the application.
QPixmap artworkPixmap(const QString& name);

// One 44 x 30 frame of a sprite strip; a null pixmap for an unknown strip.
QPixmap buttonFrame(const QString& strip, ButtonFrame frame);

// The window's icon at 16, 32 and 64 pixels.
QIcon applicationIcon();

} // namespace zemra
