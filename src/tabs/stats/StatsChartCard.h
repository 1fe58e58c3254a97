#pragma once

#include "components/Card.h"

#include <QColor>

namespace Dunmorra {

class StatsChartView;
class StatsLegendItem;

// One chart of the Stats tab in its card: the title with its symbol, the
// chart, and a legend of two entries under it.
class StatsChartCard : public Card {
    Q_OBJECT
public:
    struct Legend {
        QColor color;
        QString label;
    };

    StatsChartCard(const QString& symbol, const QString& title, StatsChartView* chart, const Legend& first,
                   const Legend& second, QWidget* parent = nullptr);

    StatsChartView* chart() const { return m_chart; }
    StatsLegendItem* firstLegend() const { return m_first; }
    StatsLegendItem* secondLegend() const { return m_second; }

private:
    StatsChartView* m_chart;
    StatsLegendItem* m_first;
    StatsLegendItem* m_second;
};

} // namespace Dunmorra
