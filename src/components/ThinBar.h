#pragma once

#include "components/FrameAnimation.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace Dunmorra {

// A 5-unit bar filling a share of the full width over a faint track. The
// first fraction is shown at once; later changes ease in and out over 0.4 s
// on its window's frame clock. A change too small to see moves nothing.
class ThinBar : public QWidget {
    Q_OBJECT
public:
    explicit ThinBar(const QColor& color, QWidget* parent = nullptr);

    // The share of the width the fill covers for a fraction: the fraction
    // below 1 (never below 0), the whole width at 1 or more and for NaN.
    static double fillFraction(double fraction);
    static double fillWidth(double fraction, double width) { return fillFraction(fraction) * width; }

    void setFraction(double fraction);
    double fraction() const { return m_fraction; }
    // What is drawn right now (moves during the animation).
    double displayedFillFraction() const { return m_displayed; }
    bool isAnimating() const { return m_animation.isRunning(); }

    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    // The CPU per-core bars use another track and fill strength.
    void setTrackColor(const QColor& color);
    void setFillOpacity(qreal opacity);
    // Corner radius of track and fill (3 by default); the height is the
    // widget's own, so a caller that wants a thicker bar sets a fixed height.
    void setCornerRadius(qreal radius);
    // Off: every fraction is drawn at once, as bars that follow a reading
    // every two seconds want (an easing would never settle).
    void setAnimated(bool animated);

    QSize sizeHint() const override { return {100, 5}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int fillStep(double fraction) const;

    double m_fraction = 0;
    double m_displayed = 0;
    // The fill's end, in quarter device pixels, when last painted.
    int m_paintedStep = -1;
    // Quarter device pixels across the width, as of the last paint; 0 when
    // not known (before a paint, after a resize).
    double m_stepScale = 0;
    // On a card: the card's fill with the track over it, as painted. The
    // track never moves, so each frame copies it and draws only the fill.
    QImage m_track;
    QColor m_trackBackground;
    bool m_hasValue = false;
    QColor m_color;
    QColor m_trackColor;
    qreal m_fillOpacity = 0.85;
    qreal m_radius = 3;
    bool m_animated = true;
    FrameAnimation m_animation;
};

} // namespace Dunmorra
