#pragma once

#include <QColor>

namespace Dunmorra {

// Status colours shared by the views. The primary colour and the text tones
// follow the application palette, so a dark desktop theme reads well; orange,
// red and green are fixed.
QColor palettePrimary();
QColor paletteOrange();
QColor paletteRed();
QColor paletteGreen();   // sRGB 0.18 / 0.76 / 0.34
QColor paletteBlue();

// The application's own accent (trend lines, badges, the audio device tint).
QColor accentColor();
// The desktop's selection colour, for marks that follow the user's theme.
QColor platformAccentColor();

// Card fill: the palette's base (control background) colour.
QColor controlBackground();

// Foreground tones: the text colour at decreasing strength. The tertiary
// tone keeps a contrast of at least 3:1 on the card fill.
QColor secondaryText();
QColor tertiaryText();
QColor quaternaryFill();

// Hairlines between rows and sections: the text colour, faint.
QColor separatorColor();

QColor withAlpha(QColor color, qreal alpha);

// A translucent tone as the opaque colour it shows on a background.
QColor compositeOver(const QColor& tone, const QColor& background);

// The contrast ratio of two opaque colours (1 to 21), as WCAG defines it.
qreal contrastRatio(const QColor& a, const QColor& b);

} // namespace Dunmorra
