// The three fonts the program asks for by their Windows names, mapped to the
// free fonts installed with it, and font sizes in points for the board.
#pragma once

#include <QFont>
#include <QString>

namespace zemra {

inline const QString SongTi = QStringLiteral("宋体");
inline const QString CourierNew = QStringLiteral("Courier New");
inline const QString Arial = QStringLiteral("Arial");

// "宋体" -> AR PL UMing CN, "Courier New" -> Liberation Mono, "Arial" ->
// Liberation Sans. Call once at start-up, after the application object exists.
void installFontSubstitutions();

// A font of the given points as the board picture measures them: 96 pixels
// to the inch, whatever the screen says, so layouts do not depend on it.
QFont boardFont(const QString& family, int points);

// The Song face of the window's texts (panels, log, chat, dialogs) at a
// pixel size.
QFont textFont(int pixelSize);

} // namespace zemra
