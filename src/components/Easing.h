#pragma once

#include <QEasingCurve>

namespace Dunmorra {

// The standard ease-in-out timing curve, cubic Bezier (0.42, 0, 0.58, 1).
inline QEasingCurve easeInOutCurve()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

} // namespace Dunmorra
