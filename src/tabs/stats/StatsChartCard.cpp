#include "tabs/stats/StatsChartCard.h"

#include "components/Symbols.h"
#include "tabs/PagePieces.h"
#include "tabs/stats/StatsChartView.h"
#include "tabs/stats/StatsLegendItem.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

// Holds a chart at the host's own size, without a layout. A chart view
// announces a new size hint whenever its scene is laid out again; through a
// layout that would lay out the whole page again, and with it every other
// chart, on each change of one.
class ChartHost : public QWidget {
public:
    explicit ChartHost(QWidget* chart)
        : m_chart(chart)
    {
        chart->setParent(this);
        setFixedHeight(StatsChartView::kHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return {0, StatsChartView::kHeight}; }

protected:
    void resizeEvent(QResizeEvent*) override { m_chart->setGeometry(rect()); }

private:
    QWidget* m_chart;
};

} // namespace

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
    stack->addWidget(new ChartHost(m_chart));
    auto* legend = PagePieces::row(20);
    legend->addWidget(m_first, 0, Qt::AlignVCenter);
    legend->addWidget(m_second, 0, Qt::AlignVCenter);
    legend->addStretch(1);
    stack->addLayout(legend);
    setContent(content);
}

} // namespace Dunmorra
