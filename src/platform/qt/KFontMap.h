#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Maps the Windows font names of the layouts ("Tahoma", "MS UI Gothic",
// "Century Gothic", "Calibri", ...) to installed fonts. Japanese text always
// falls back to an installed CJK face.
namespace KFontMap {
// A font for the given face name with its size in points.
QFont PointFont(const QString &windowsFace, int points, bool bold = false);
// A font for the given face name with its height in pixels.
QFont PixelFont(const QString &windowsFace, int pixels, bool bold = false);
// The installed family used for a Windows face name.
QStringList Families(const QString &windowsFace);
} // namespace KFontMap
