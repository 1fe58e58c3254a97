#include "components/Palette.h"

#include <QGuiApplication>
#include <QPalette>

namespace Dunmorra {

namespace {
QPalette appPalette()
{
    return QGuiApplication::palette();
}
} // namespace

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

QColor palettePrimary()
{
    return appPalette().color(QPalette::Active, QPalette::WindowText);
}

QColor paletteOrange()
{
    return QColor(255, 149, 0);
}

QColor paletteRed()
{
    return QColor(255, 59, 48);
}

QColor paletteGreen()
{
    static const QColor green = QColor::fromRgbF(0.18f, 0.76f, 0.34f, 1.0f);
    return green;
}

QColor paletteBlue()
{
    return QColor(0, 122, 255);
}

QColor accentColor()
{
    return QColor(47, 124, 246);
}

QColor platformAccentColor()
{
    return appPalette().color(QPalette::Active, QPalette::Highlight);
}

QColor controlBackground()
{
    return appPalette().color(QPalette::Active, QPalette::Base);
}

QColor secondaryText()
{
    return withAlpha(palettePrimary(), 0.55);
}

QColor tertiaryText()
{
    return withAlpha(palettePrimary(), 0.30);
}

QColor separatorColor()
{
    return withAlpha(palettePrimary(), 0.1);
}

QColor quaternaryFill()
{
    return withAlpha(palettePrimary(), 0.12);
}

} // namespace Dunmorra
