#pragma once

#include "tabs/stats/StatsChartView.h"

#include <QColor>
#include <QPointF>

class QAreaSeries;
class QLineSeries;

namespace Dunmorra {

// One day's peak as a faint area from 0 and its average as a line, both in
// one colour.
class StatsTrendChart : public StatsChartView {
    Q_OBJECT
public:
    StatsTrendChart(const QColor& color, const QString& peakName, const QString& averageName,
                    QWidget* parent = nullptr);

    // Points are (day slot, value), in slot order.
    void setPoints(const QList<QPointF>& peaks, const QList<QPointF>& averages);

    QAreaSeries* peakArea() const { return m_area; }
    QLineSeries* averageLine() const { return m_average; }

private:
    QLineSeries* m_peaks;
    QAreaSeries* m_area;
    QLineSeries* m_average;
};

} // namespace Dunmorra
