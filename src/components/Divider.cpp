#include "components/Divider.h"

#include "components/PaintInPieces.h"
#include "components/Palette.h"

#include <QPaintEvent>
#include <QPainter>

namespace Dunmorra {

Divider::Divider(qreal opacity, QWidget* parent)
    : QWidget(parent)
    , m_opacity(opacity)
{
    setObjectName(QStringLiteral("divider"));
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

Divider* Divider::vertical(int length, qreal opacity, QWidget* parent)
{
    auto* line = new Divider(opacity, parent);
    line->m_orientation = Qt::Vertical;
    line->setMinimumHeight(0);
    line->setMaximumHeight(QWIDGETSIZE_MAX);
    line->setFixedSize(1, length);
    return line;
}

QSize Divider::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(10, 1) : QSize(1, height());
}

void Divider::paintEvent(QPaintEvent* event)
{
    // A tall divider's fill would go to Qt's fill pool whole.
    QPainter p(this);
    paintInPieces(p, event->region(), [&] { p.fillRect(rect(), colorAt(m_opacity)); });
}

QColor Divider::colorAt(qreal opacity)
{
    return withAlpha(separatorColor(), opacity);
}

} // namespace Dunmorra
