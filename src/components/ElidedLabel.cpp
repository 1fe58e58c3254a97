#include "components/ElidedLabel.h"

#include "components/PlainText.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

ElidedLabel::ElidedLabel(const QString& text, const QFont& font, Tone tone, QWidget* parent)
    : TextLabel(text, font, tone, parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWordWrap(false);
}

void ElidedLabel::setKeptWidth(int pixels)
{
    m_keptWidth = std::max(0, pixels);
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const
{
    // One line whatever the text holds: a name with a line break must not
    // make its row two lines high.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    // Rounded up from the exact advance: the integer one may be a pixel
    // short of what elidedText measures, which then cuts a text that fits.
    const int advance = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(oneLine(text()))));
    int width = advance + m.left() + m.right() + 2 * margin();
    if (m_keptWidth > 0)
        width = std::min(width, m_keptWidth);
    return {width, metrics.height() + m.top() + m.bottom() + 2 * margin()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize hint = sizeHint();
    return {m_keptWidth > 0 ? hint.width() : 0, hint.height()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(oneLine(text()), Qt::ElideRight, area.width());
    p.drawText(area, static_cast<int>(alignment() | Qt::TextSingleLine), shown);
}

} // namespace Dunmorra
