#pragma once

#include "tabs/stats/StatsChartView.h"

#include <QColor>
#include <QList>
#include <QPointF>

class QAreaSeries;
class QLineSeries;

namespace Dunmorra {

// One day's peak as a faint area from 0 and its average as a line, both in
// one colour. A day without a record breaks both: each run of consecutive
// recorded days is a line and an area of its own, so a missing day reads as
// no data rather than as a value between its neighbours or as zero.
class StatsTrendChart : public StatsChartView {
    Q_OBJECT
public:
    StatsTrendChart(const QColor& color, const QString& peakName, const QString& averageName,
                    QWidget* parent = nullptr);

    // Points are (day slot, value), in slot order; slots without a point are
    // the days without a record.
    void setPoints(const QList<QPointF>& peaks, const QList<QPointF>& averages);

    // One of each per run of consecutive days, oldest first.
    const QList<QAreaSeries*>& peakAreas() const { return m_areas; }
    const QList<QLineSeries*>& averageLines() const { return m_lines; }

private:
    void clearSeries();

    QColor m_color;
    QString m_peakName;
    QString m_averageName;
    QList<QAreaSeries*> m_areas;
    QList<QLineSeries*> m_lines;
};

} // namespace Dunmorra
