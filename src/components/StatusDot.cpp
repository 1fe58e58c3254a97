#include "components/StatusDot.h"

#include <QPainter>

namespace Dunmorra {

StatusDot::StatusDot(const QColor& color, int diameter, QWidget* parent)
    : QWidget(parent)
    , m_color(color)
{
    setFixedSize(diameter, diameter);
}

void StatusDot::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void StatusDot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    p.drawEllipse(rect());
}

} // namespace Dunmorra
