#include "tabs/stats/StatsTrendChart.h"

#include "components/Palette.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>

namespace Dunmorra {

namespace {

// Splits points at every slot that has none: (0, 1, 3, 4) gives (0, 1) and
// (3, 4). Two points of one slot (a day recorded twice) stay in one run.
QList<QList<QPointF>> runsOfConsecutiveDays(const QList<QPointF>& points)
{
    QList<QList<QPointF>> runs;
    for (const QPointF& p : points) {
        if (runs.isEmpty() || p.x() - runs.last().last().x() > 1)
            runs.append(QList<QPointF>());
        runs.last().append(p);
    }
    return runs;
}

} // namespace

StatsTrendChart::StatsTrendChart(const QColor& color, const QString& peakName, const QString& averageName,
                                 QWidget* parent)
    : StatsChartView(parent)
    , m_color(color)
    , m_peakName(peakName)
    , m_averageName(averageName)
{
}

void StatsTrendChart::clearSeries()
{
    for (QAreaSeries* area : std::as_const(m_areas)) {
        chart()->removeSeries(area);
        delete area;
    }
    for (QLineSeries* line : std::as_const(m_lines)) {
        chart()->removeSeries(line);
        delete line;
    }
    m_areas.clear();
    m_lines.clear();
}

void StatsTrendChart::setPoints(const QList<QPointF>& peaks, const QList<QPointF>& averages)
{
    clearSeries();
    for (const QList<QPointF>& run : runsOfConsecutiveDays(peaks)) {
        auto* upper = new QLineSeries;
        upper->replace(run);
        auto* area = new QAreaSeries(upper);
        upper->setParent(area);
        area->setName(m_peakName);
        area->setPen(Qt::NoPen);
        area->setBrush(withAlpha(m_color, 0.08));
        // A lone day draws no area: a dot shows it.
        area->setPointsVisible(run.size() == 1);
        chart()->addSeries(area);
        attach(area);
        m_areas.append(area);
    }
    QPen pen(m_color, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    for (const QList<QPointF>& run : runsOfConsecutiveDays(averages)) {
        auto* line = new QLineSeries;
        line->setName(m_averageName);
        line->setPen(pen);
        line->replace(run);
        line->setPointsVisible(run.size() == 1);
        chart()->addSeries(line);
        attach(line);
        m_lines.append(line);
    }
}

} // namespace Dunmorra
