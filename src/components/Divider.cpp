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

void Divider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), withAlpha(separatorColor(), m_opacity));
}

} // namespace Dunmorra
