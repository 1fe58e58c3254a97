#include "components/DonutRing.h"

#include "components/Card.h"
#include "components/Easing.h"
#include "components/Palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

DonutRing::DonutRing(qreal lineWidth, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_lineWidth(lineWidth)
    , m_color(color)
    , m_animation(this, 500, easeInOutCurve(), [this](double value) {
        m_displayed = value;
        // As the bar does: a frame that moves the arc's end by less than a
        // quarter pixel looks the same.
        if (arcStep(m_displayed) != m_paintedStep)
            update();
    })
{
}

double DonutRing::arcEnd(double fraction)
{
    const double start = fraction >= 0 ? fraction : 0.0; // NaN fails ">= 0"
    return std::min(start, 1.0);
}

void DonutRing::setFraction(double fraction)
{
    const double target = arcEnd(fraction);
    const bool first = !m_hasValue;
    m_hasValue = true;
    m_fraction = fraction;
    if (first) {
        m_displayed = target;
        update();
        return;
    }
    const double end = m_animation.isRunning() ? m_animation.endValue() : m_displayed;
    if (end == target)
        return;
    // A change too small to see is taken without an animation.
    if (!m_animation.isRunning() && arcStep(target) == m_paintedStep) {
        m_displayed = target;
        return;
    }
    m_animation.start(m_displayed, target);
}

void DonutRing::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

int DonutRing::arcStep(double end) const
{
    const double quarterPixels = end * M_PI * std::max(0.0, std::min(width(), height()) - m_lineWidth)
        * devicePixelRatioF() * 4;
    return std::isfinite(quarterPixels) ? static_cast<int>(std::lround(quarterPixels)) : 0;
}

void DonutRing::showEvent(QShowEvent* event)
{
    // Its frames then repaint the ring's square alone.
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void DonutRing::paintEvent(QPaintEvent*)
{
    m_paintedStep = arcStep(m_displayed);
    QPainter p(this);
    Card::fillBehind(this, p);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    const qreal inset = m_lineWidth / 2;
    const QRectF circle((width() - side) / 2 + inset, (height() - side) / 2 + inset, side - m_lineWidth, side - m_lineWidth);

    QPen track(withAlpha(palettePrimary(), 0.07), m_lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(track);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);

    if (m_displayed <= 0)
        return;
    QPen arc(m_color, m_lineWidth, Qt::SolidLine, Qt::RoundCap);
    p.setPen(arc);
    // Qt angles run counter-clockwise from three o'clock in 1/16 degree.
    const int span = -static_cast<int>(std::lround(m_displayed * 360.0 * 16.0));
    p.drawArc(circle, 90 * 16, span);
}

} // namespace Dunmorra
