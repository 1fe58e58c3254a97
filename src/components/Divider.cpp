#include "components/Divider.h"

#include "components/Palette.h"

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

Divider::Divider(Qt::Orientation orientation, qreal opacity, QWidget* parent)
    : Divider(opacity, parent)
{
    if (orientation == Qt::Vertical) {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void Divider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), withAlpha(palettePrimary(), 0.1 * m_opacity));
}

} // namespace Dunmorra
