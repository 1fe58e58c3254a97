#include "components/ElidedLabel.h"

#include <QPainter>

#include <algorithm>

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

QSize ElidedLabel::minimumSizeHint() const
{
    const int kept = m_keptWidth > 0 ? std::min(TextLabel::sizeHint().width(), m_keptWidth) : 0;
    return {kept, TextLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const
{
    QSize hint = TextLabel::sizeHint();
    if (m_keptWidth > 0)
        hint.setWidth(std::min(hint.width(), m_keptWidth));
    return hint;
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    p.drawText(area, static_cast<int>(alignment() | Qt::TextSingleLine), shown);
}

} // namespace Dunmorra
