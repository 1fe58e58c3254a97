#include "components/Sparkline.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {
// Whether b -> c goes on in the direction of a -> b.
bool continuesStraight(QPointF a, QPointF b, QPointF c)
{
    const QPointF ab = b - a, bc = c - b;
    const double cross = ab.x() * bc.y() - ab.y() * bc.x();
    const double dot = ab.x() * bc.x() + ab.y() * bc.y();
    return dot > 0 && std::abs(cross) <= 1e-9 * dot;
}

double clampUnit(double v)
{
    if (std::isnan(v))
        return 1.0;
    return std::max(0.0, std::min(v, 1.0));
}
} // namespace

std::vector<double> normalizeSparklineValues(const std::vector<double>& values, bool autoScale)
{
    std::vector<double> out;
    out.reserve(values.size());
    if (!autoScale) {
        for (double v : values)
            out.push_back(clampUnit(v));
        return out;
    }
    // The scale comes from the finite values only, so one bad reading cannot
    // flatten the whole line.
    double lo = 0, hi = 0;
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    const double range = hi - lo;
    for (double v : values) {
        if (range > 0)
            out.push_back(clampUnit((v - lo) / range));
        else
            out.push_back(0.5);
    }
    return out;
}

std::vector<double> normalizeToSharedMax(const std::vector<double>& values, double maximum)
{
    std::vector<double> out(values.size(), 0.0);
    if (!(maximum > 0))
        return out;
    for (std::size_t i = 0; i < values.size(); ++i)
        out[i] = clampUnit(values[i] / maximum);
    return out;
}

QPolygonF sparklinePoints(const std::vector<double>& normalized, double width, double height)
{
    QPolygonF points;
    const std::size_t n = normalized.size();
    if (n < 2)
        return points;
    points.reserve(static_cast<qsizetype>(n));
    const double step = width / static_cast<double>(n - 1);
    for (std::size_t i = 0; i < n; ++i)
        points.append(QPointF(static_cast<double>(i) * step, height - normalized[i] * height));
    return points;
}

void strokeSparkline(QPainter& p, const QPolygonF& points, const QColor& color)
{
    if (points.size() < 2)
        return;
    p.setBrush(Qt::NoBrush);
    if (color.alpha() != 255) {
        p.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(points);
        return;
    }
    p.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    // A straight run (a steady rate: most of an idle disk's or network's
    // minute) is one segment: each segment costs the rasteriser about the
    // same whatever its length, and no joint inside the run is drawn twice.
    QPointF from = points[0];
    for (qsizetype i = 1; i < points.size(); ++i) {
        if (i + 1 < points.size() && continuesStraight(from, points[i], points[i + 1]))
            continue;
        p.drawLine(from, points[i]);
        from = points[i];
    }
}

void setUpSparklineWidget(QWidget* w, const QString& label)
{
    w->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    w->setAccessibleName(label);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace Dunmorra
