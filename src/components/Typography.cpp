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

void TextLabel::holdSizeFor(const QStringList& texts)
{
    if (m_heldFor.isEmpty() && minimumWidth() == maximumWidth())
        m_heldWidth = minimumWidth();
    m_heldFor = texts;
    const QString shown = text();
    QSize size;
    for (const QString& sample : texts) {
        setText(sample);
        size = size.expandedTo(sizeHint());
    }
    setText(shown);
    setFixedSize(m_heldWidth.value_or(size.width()), size.height());
}

void TextLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColor();
    if (event->type() == QEvent::FontChange && !m_heldFor.isEmpty())
        holdSizeFor(m_heldFor);
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
