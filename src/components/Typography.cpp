#include "components/Typography.h"

#include "components/Palette.h"

#include <QApplication>
#include <QEvent>

#include <cmath>

namespace Dunmorra {

QFont uiFont(qreal size, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(size)));
    font.setWeight(weight);
    return font;
}

QFont figureFont(qreal size, QFont::Weight weight)
{
    return uiFont(size, weight);
}

TextLabel::TextLabel(const QString& text, const QFont& font, Tone tone, QWidget* parent)
    : QLabel(parent)
    , m_tone(tone)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(font);
    applyColor();
}

void TextLabel::setTone(Tone tone)
{
    m_color.reset();
    m_tone = tone;
    applyColor();
}

void TextLabel::setColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    applyColor();
}

void TextLabel::setTextIfChanged(const QString& value)
{
    if (text() != value)
        setText(value);
}

void TextLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColor();
}

void TextLabel::applyColor()
{
    QColor color;
    if (m_color) {
        color = *m_color;
    } else {
        switch (m_tone) {
        case Tone::Primary: color = palettePrimary(); break;
        case Tone::Secondary: color = secondaryText(); break;
        case Tone::Tertiary: color = tertiaryText(); break;
        }
    }
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

} // namespace Dunmorra
