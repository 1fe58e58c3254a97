#include "tabs/network/ThroughputHistoryCard.h"

#include "components/DualSparklineView.h"
#include "components/Palette.h"
#include "components/RangeSeries.h"
#include "components/SegmentedPicker.h"
#include "components/Symbols.h"
#include "tabs/LegendItem.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
QColor uploadColor()
{
    return withAlpha(paletteOrange(), 0.8);
}
} // namespace

ThroughputHistoryCard::ThroughputHistoryCard(QWidget* parent)
    : Card(parent)
{
    setObjectName(QStringLiteral("throughputHistory"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);

    auto* header = PagePieces::row();
    header->addWidget(PagePieces::cardTitle(QStringLiteral("chart.xyaxis.line"), tr("Throughput history")));
    header->addStretch(1);
    QStringList labels;
    for (NetTimeRange range : allNetTimeRanges)
        labels << rawValue(range);
    m_picker = new SegmentedPicker(labels);
    m_picker->setObjectName(QStringLiteral("timeRangePicker"));
    header->addWidget(m_picker, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    m_chart = new DualSparklineView(accentColor(), uploadColor(), DualSparklineView::trendName());
    m_chart->setObjectName(QStringLiteral("throughputChart"));
    m_chart->setFixedHeight(60);
    stack->addWidget(m_chart);

    m_leftAxis = new TextLabel(leftAxisLabel(m_timeRange), Fonts::caption(), Tone::Tertiary);
    m_leftAxis->setObjectName(QStringLiteral("leftAxisLabel"));
    stack->addLayout(PagePieces::edgeRow(m_leftAxis, new TextLabel(tr("Now"), Fonts::caption(), Tone::Tertiary)));

    auto* legend = PagePieces::row(12);
    legend->addWidget(new LegendItem(accentColor(), tr("Download")));
    legend->addWidget(new LegendItem(uploadColor(), tr("Upload")));
    legend->addStretch(1);
    stack->addLayout(legend);
    setContent(content);

    connect(m_picker, &SegmentedPicker::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(allNetTimeRanges.size()))
            setTimeRange(allNetTimeRanges[static_cast<std::size_t>(index)]);
    });
}

void ThroughputHistoryCard::setTimeRange(NetTimeRange range)
{
    if (range == m_timeRange)
        return;
    m_timeRange = range;
    for (std::size_t i = 0; i < allNetTimeRanges.size(); ++i) {
        if (allNetTimeRanges[i] == range)
            m_picker->setCurrentIndex(static_cast<int>(i));
    }
    m_leftAxis->setTextIfChanged(leftAxisLabel(range));
    Q_EMIT timeRangeChanged();
}

void ThroughputHistoryCard::setRings(const HistoryRing<double>& download, const HistoryRing<double>& upload)
{
    m_chart->setValues(series(download, m_timeRange), series(upload, m_timeRange));
}

std::vector<double> ThroughputHistoryCard::series(const HistoryRing<double>& ring, NetTimeRange range)
{
    return rangeSeries(ring, sampleCount(range), 1.0);
}

} // namespace Dunmorra
