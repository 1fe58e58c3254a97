#include "components/ElidedLabel.h"

#include "components/PlainText.h"

#include <QPainter>

namespace Dunmorra {

ElidedLabel::ElidedLabel(const QString& text, const QFont& font, Tone tone, QWidget* parent)
    : TextLabel(text, font, tone, parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWordWrap(false);
}

QSize ElidedLabel::sizeHint() const
{
    // One line whatever the text holds: a name with a line break must not
    // make its row two lines high.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(oneLine(text())) + m.left() + m.right() + 2 * margin(),
            metrics.height() + m.top() + m.bottom() + 2 * margin()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, sizeHint().height()};
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
