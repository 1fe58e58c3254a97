#include "components/ThinBar.h"

#include "components/Card.h"
#include "components/Easing.h"
#include "components/Palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

ThinBar::ThinBar(const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_color(color)
    , m_trackColor(withAlpha(palettePrimary(), 0.06))
{
    setFixedHeight(5);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_animation.setDuration(400);
    m_animation.setEasingCurve(easeInOutCurve());
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_displayed = v.toDouble();
        // A frame that moves the fill's end by less than a quarter pixel
        // looks the same, and on a bar 5 pixels high 30 frames a second move
        // as smoothly as 60: most per-second changes are a few pixels, and
        // every repaint is a flush to the display server.
        const int now = m_animation.currentTime();
        const bool last = now >= m_animation.duration();
        if (!last && (fillStep() == m_paintedStep || (m_frameTime >= 0 && now - m_frameTime < kFrameInterval)))
            return;
        m_frameTime = last ? -1 : now;
        update();
    });
}

double ThinBar::fillFraction(double fraction)
{
    // Written as the rule reads so that NaN (fails "< 1") fills the bar.
    if (fraction < 1)
        return std::max(0.0, fraction);
    return 1.0;
}

void ThinBar::setFraction(double fraction)
{
    const double target = fillFraction(fraction);
    const bool first = !m_hasValue;
    m_hasValue = true;
    m_fraction = fraction;
    if (first || !m_animated) {
        m_animation.stop();
        if (!first && m_displayed == target)
            return;
        m_displayed = target;
        update();
        return;
    }
    const double end = m_animation.state() == QAbstractAnimation::Running ? m_animation.endValue().toDouble() : m_displayed;
    if (end == target)
        return;
    m_animation.stop();
    m_frameTime = -1;
    m_animation.setStartValue(m_displayed);
    m_animation.setEndValue(target);
    m_animation.start();
}

void ThinBar::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ThinBar::setTrackColor(const QColor& color)
{
    m_trackColor = color;
    update();
}

void ThinBar::setFillOpacity(qreal opacity)
{
    m_fillOpacity = opacity;
    update();
}

void ThinBar::setCornerRadius(qreal radius)
{
    m_radius = radius;
    update();
}

void ThinBar::setAnimated(bool animated)
{
    m_animated = animated;
}

int ThinBar::fillStep() const
{
    const double quarterPixels = m_displayed * width() * devicePixelRatioF() * 4;
    return std::isfinite(quarterPixels) ? static_cast<int>(std::lround(quarterPixels)) : 0;
}

void ThinBar::showEvent(QShowEvent* event)
{
    // Its animation frames then repaint the bar alone.
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void ThinBar::paintEvent(QPaintEvent*)
{
    m_paintedStep = fillStep();
    QPainter p(this);
    Card::fillBehind(this, p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF track(0, 0, width(), height());
    p.setBrush(m_trackColor);
    p.drawRoundedRect(track, m_radius, m_radius);
    const double w = m_displayed * width();
    if (w <= 0)
        return;
    p.setBrush(withAlpha(m_color, m_fillOpacity));
    p.drawRoundedRect(QRectF(0, 0, w, height()), std::min(m_radius, w / 2), m_radius);
}

} // namespace Dunmorra
