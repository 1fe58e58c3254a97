#include "tabs/stats/StatsChartCard.h"

#include "components/Symbols.h"
#include "tabs/PagePieces.h"
#include "tabs/stats/StatsChartView.h"
#include "tabs/stats/StatsLegendItem.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

StatsChartCard::StatsChartCard(const QString& symbol, const QString& title, StatsChartView* chart,
                               const Legend& first, const Legend& second, QWidget* parent)
    : Card(parent)
    , m_chart(chart)
    , m_first(new StatsLegendItem(first.color, first.label))
    , m_second(new StatsLegendItem(second.color, second.label))
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->addWidget(PagePieces::cardTitle(symbol, title));
    stack->addWidget(m_chart);
    auto* legend = PagePieces::row(20);
    legend->addWidget(m_first, 0, Qt::AlignVCenter);
    legend->addWidget(m_second, 0, Qt::AlignVCenter);
    legend->addStretch(1);
    stack->addLayout(legend);
    setContent(content);
}

} // namespace Dunmorra
