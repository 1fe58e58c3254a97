#pragma once

#include "components/FrameAnimation.h"

#include <QColor>
#include <QWidget>

namespace Dunmorra {

// A ring whose arc covers a share of the circle, starting at the top and
// running clockwise over a faint full-circle track. The first fraction is
// shown at once; later changes ease in and out over 0.5 s on its window's
// frame clock.
class DonutRing : public QWidget {
    Q_OBJECT
public:
    DonutRing(qreal lineWidth, const QColor& color, QWidget* parent = nullptr);

    // The arc's end for a fraction: clamped to 0...1, NaN reads 0.
    static double arcEnd(double fraction);

    void setFraction(double fraction);
    double fraction() const { return m_fraction; }
    double displayedArcEnd() const { return m_displayed; }
    bool isAnimating() const { return m_animation.isRunning(); }
    void setColor(const QColor& color);

    QSize sizeHint() const override { return {60, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The arc's end in quarter device pixels along the ring.
    int arcStep(double end) const;

    double m_fraction = 0;
    double m_displayed = 0;
    bool m_hasValue = false;
    int m_paintedStep = -1;
    qreal m_lineWidth;
    QColor m_color;
    FrameAnimation m_animation;
};

} // namespace Dunmorra
