#pragma once

#include <QEasingCurve>

#include <cmath>

namespace Dunmorra {

// The standard ease-in-out timing curve, cubic Bezier (0.42, 0, 0.58, 1).
inline QEasingCurve easeInOutCurve()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

// How far a damped spring has gone, t seconds after its start: 0 at the
// start, settling at 1. `response` is the period of the undamped spring in
// seconds; a damping fraction below 1 overshoots a little before it settles.
inline double springProgress(double t, double response, double damping)
{
    if (t <= 0)
        return 0;
    const double omega = 2 * M_PI / response;
    const double decay = std::exp(-damping * omega * t);
    if (damping >= 1)
        return 1 - decay * (1 + omega * t);
    const double omegaD = omega * std::sqrt(1 - damping * damping);
    return 1 - decay * (std::cos(omegaD * t) + damping * omega / omegaD * std::sin(omegaD * t));
}

// When that spring is close enough to 1 to stop drawing it (within 0.1 %).
inline double springSettleSeconds(double response, double damping)
{
    return std::log(1000.0) * response / (2 * M_PI * damping);
}

} // namespace Dunmorra
