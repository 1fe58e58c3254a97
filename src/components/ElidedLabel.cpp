#include "components/ElidedLabel.h"

#include <QPainter>

namespace Dunmorra {

ElidedLabel::ElidedLabel(const QString& text, const QFont& font, Tone tone, QWidget* parent)
    : TextLabel(text, font, tone, parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWordWrap(false);
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, TextLabel::minimumSizeHint().height()};
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
