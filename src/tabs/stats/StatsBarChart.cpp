#include "tabs/stats/StatsBarChart.h"

#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>

namespace Dunmorra {

namespace {
void fill(QBarSet* set, const QList<qreal>& values)
{
    set->remove(0, set->count());
    set->append(values);
}
} // namespace

StatsBarChart::StatsBarChart(const QColor& firstColor, const QString& firstName, const QColor& secondColor,
                             const QString& secondName, QWidget* parent)
    : StatsChartView(parent)
    , m_first(new QBarSet(firstName))
    , m_second(new QBarSet(secondName))
    , m_series(new QStackedBarSeries)
{
    for (auto [set, color] : {std::pair{m_first, firstColor}, std::pair{m_second, secondColor}}) {
        set->setColor(color);
        set->setBorderColor(Qt::transparent);
        m_series->append(set);
    }
    chart()->addSeries(m_series);
    attach(m_series);
}

void StatsBarChart::setValues(const QList<qreal>& first, const QList<qreal>& second)
{
    fill(m_first, first);
    fill(m_second, second);
}

} // namespace Dunmorra
