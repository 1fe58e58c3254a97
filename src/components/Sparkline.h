#pragma once

#include <QPolygonF>

class QColor;
class QPainter;
class QString;
class QWidget;

#include <vector>

namespace Dunmorra {

// autoScale: each value relative to the series' own minimum and maximum (a
// flat series sits at 0.5); otherwise the values are fractions, clamped to
// 0...1 with a value that is not a number reading 1.
std::vector<double> normalizeSparklineValues(const std::vector<double>& values, bool autoScale);

// Each value over a shared maximum, clamped to 0...1 (not a number reads 1);
// all 0 when the maximum is not above 0.
std::vector<double> normalizeToSharedMax(const std::vector<double>& values, double maximum);

// A polyline from the leading to the trailing edge, 1 at the top and 0 at
// the bottom; empty for fewer than two values.
QPolygonF sparklinePoints(const std::vector<double>& normalized, double width, double height);

// The line both sparkline views draw: 1.5 wide, round caps and joins. An
// opaque colour is drawn a segment at a time, each segment a square-capped
// line that the painter rasterises directly, without building an outline:
// a quarter to half the cost of round-capped segments, and a fifth to a
// fifteenth of the antialiased fill of one long self-crossing outline. The
// caps overlap at every point, and a cap or join of 0.75 reads the same
// either way: the pixels of a whole line differ from round caps by 2 to 4
// of 255 on average. A straight run of points is one segment. A translucent
// colour is drawn as one line, so no joint is covered twice.
void strokeSparkline(QPainter& painter, const QPolygonF& points, const QColor& color);
// Expanding width, fixed height, one accessible element named label.
void setUpSparklineWidget(QWidget* widget, const QString& label);

} // namespace Dunmorra
