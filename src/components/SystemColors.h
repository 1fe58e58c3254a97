#pragma once

#include <QColor>

namespace Dunmorra::SystemColors {

// The named standard colours that icon tiles use, as fixed sRGB values so a
// tile reads the same on every desktop theme.
inline QColor gray() { return QColor(142, 142, 147); }
inline QColor blue() { return QColor(0, 122, 255); }
inline QColor green() { return QColor(52, 199, 89); }
inline QColor indigo() { return QColor(88, 86, 214); }
inline QColor orange() { return QColor(255, 149, 0); }
inline QColor purple() { return QColor(175, 82, 222); }
inline QColor teal() { return QColor(48, 176, 199); }

} // namespace Dunmorra::SystemColors
