#pragma once

#include "tabs/stats/StatsChartView.h"

#include <QColor>
#include <QList>

class QBarSet;
class QStackedBarSeries;

namespace Dunmorra {

// Two values per day stacked into one column, the first at the bottom. A
// calendar day without a record keeps its empty slot.
class StatsBarChart : public StatsChartView {
    Q_OBJECT
public:
    StatsBarChart(const QColor& firstColor, const QString& firstName, const QColor& secondColor,
                  const QString& secondName, QWidget* parent = nullptr);

    // One value per day slot, from slot 0.
    void setValues(const QList<qreal>& first, const QList<qreal>& second);

    QBarSet* firstSet() const { return m_first; }
    QBarSet* secondSet() const { return m_second; }

private:
    QBarSet* m_first;
    QBarSet* m_second;
    QStackedBarSeries* m_series;
};

} // namespace Dunmorra
