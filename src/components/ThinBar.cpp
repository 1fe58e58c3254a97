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
    , m_animation(this, 400, easeInOutCurve(), [this](double value) {
        m_displayed = value;
        // A frame that moves the fill's end by less than a quarter pixel
        // looks the same, the move's end included (the last steps of an
        // ease-in-out are that small): only the bar's own rectangle, and
        // only on a change.
        if (fillStep(m_displayed) != m_paintedStep)
            update();
    })
{
    setFixedHeight(5);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
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
    const double end = m_animation.isRunning() ? m_animation.endValue() : m_displayed;
    if (end == target)
        return;
    // A new reading that draws the same fill starts no move.
    if (!m_animation.isRunning() && fillStep(target) == m_paintedStep) {
        m_displayed = target;
        return;
    }
    m_animation.start(m_displayed, target);
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
    m_track = QImage();
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
    m_track = QImage();
    update();
}

void ThinBar::setAnimated(bool animated)
{
    m_animated = animated;
}

int ThinBar::fillStep(double fraction) const
{
    // The pixel ratio is looked up through the window and its screen: read
    // once a paint rather than at every frame of every bar.
    const double scale = m_stepScale > 0 ? m_stepScale : width() * devicePixelRatioF() * 4;
    const double quarterPixels = fraction * scale;
    return std::isfinite(quarterPixels) ? static_cast<int>(std::lround(quarterPixels)) : 0;
}

void ThinBar::showEvent(QShowEvent* event)
{
    // Its animation frames then repaint the bar alone.
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void ThinBar::resizeEvent(QResizeEvent* event)
{
    m_stepScale = 0;
    QWidget::resizeEvent(event);
}

void ThinBar::paintEvent(QPaintEvent*)
{
    m_stepScale = width() * devicePixelRatioF() * 4;
    m_paintedStep = fillStep(m_displayed);
    QPainter p(this);
    const QRectF track(0, 0, width(), height());
    const auto drawTrack = [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_trackColor);
        painter.drawRoundedRect(track, m_radius, m_radius);
    };
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (m_track.size() != pixels || m_track.devicePixelRatio() != ratio || m_trackBackground != controlBackground()) {
            m_trackBackground = controlBackground();
            m_track = QImage(pixels, QImage::Format_RGB32);
            m_track.setDevicePixelRatio(ratio);
            m_track.fill(m_trackBackground);
            QPainter cache(&m_track);
            drawTrack(cache);
        }
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPointF(0, 0), m_track);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
    } else {
        drawTrack(p);
    }
    const double w = m_displayed * width();
    if (w <= 0)
        return;
    p.setBrush(withAlpha(m_color, m_fillOpacity));
    p.drawRoundedRect(QRectF(0, 0, w, height()), std::min(m_radius, w / 2), m_radius);
}

} // namespace Dunmorra
