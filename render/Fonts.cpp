#include "render/Fonts.h"

#include <algorithm>

namespace zemra {

void installFontSubstitutions()
{
    QFont::insertSubstitution(SongTi, QStringLiteral("AR PL UMing CN"));
    QFont::insertSubstitution(CourierNew, QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(Arial, QStringLiteral("Liberation Sans"));
}

QFont boardFont(const QString& family, int points)
{
    QFont font(family);
    font.setBold(false);
    // Rounded like the Windows point-to-pixel conversion at 96 dpi.
    font.setPixelSize(std::max(1, (points * 96 + 36) / 72));
    return font;
}

QFont textFont(int pixelSize)
{
    QFont font(SongTi);
    font.setPixelSize(pixelSize);
    // Unhinted outlines look the same at these sizes, and hinting would make
    // FreeType read the Ming font's 3 MB of embedded bitmaps at start-up.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace zemra
