#include "tabs/stats/StatsTrendChart.h"

#include "components/Palette.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>

namespace Dunmorra {

StatsTrendChart::StatsTrendChart(const QColor& color, const QString& peakName, const QString& averageName,
                                 QWidget* parent)
    : StatsChartView(parent)
    , m_peaks(new QLineSeries(this))
    , m_area(new QAreaSeries(m_peaks))
    , m_average(new QLineSeries)
{
    m_area->setName(peakName);
    m_area->setPen(Qt::NoPen);
    m_area->setBrush(withAlpha(color, 0.08));
    m_average->setName(averageName);
    QPen line(color, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    line.setMiterLimit(10);
    m_average->setPen(line);
    chart()->addSeries(m_area);
    chart()->addSeries(m_average);
    attach(m_area);
    attach(m_average);
}

void StatsTrendChart::setPoints(const QList<QPointF>& peaks, const QList<QPointF>& averages)
{
    m_peaks->replace(peaks);
    m_average->replace(averages);
    // A single day draws no line or area: a dot shows it.
    m_average->setPointsVisible(averages.size() == 1);
    m_area->setPointsVisible(peaks.size() == 1);
}

} // namespace Dunmorra
