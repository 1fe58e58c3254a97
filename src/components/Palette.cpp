#include "components/Palette.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

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

namespace {

qreal relativeLuminance(const QColor& c)
{
    const auto channel = [](qreal v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

QColor compositeOver(const QColor& tone, const QColor& background)
{
    const qreal a = tone.alphaF();
    return QColor::fromRgbF(static_cast<float>(tone.redF() * a + background.redF() * (1 - a)),
                            static_cast<float>(tone.greenF() * a + background.greenF() * (1 - a)),
                            static_cast<float>(tone.blueF() * a + background.blueF() * (1 - a)));
}

qreal contrastRatio(const QColor& a, const QColor& b)
{
    const qreal la = relativeLuminance(a);
    const qreal lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor tertiaryText()
{
    // The faintest text still reads on a card: at least 3:1 against the card
    // fill, in light and dark themes alike (a third of the text colour's
    // strength falls short of that on white).
    const QColor text = palettePrimary();
    const QColor card = controlBackground();
    qreal alpha = 0.30;
    while (alpha < 1.0 && contrastRatio(compositeOver(withAlpha(text, alpha), card), card) < 3.0)
        alpha += 0.02;
    return withAlpha(text, std::min(alpha, 1.0));
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
