#include "tabs/overview/OverviewCpuCard.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/ElidedLabel.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "model/CPUProvider.h"
#include "tabs/CPUTab.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QVBoxLayout>

namespace Dunmorra {

OverviewCpuCard::OverviewCpuCard(CPUProvider& cpu, QWidget* parent)
    : QWidget(parent)
    , m_cpu(cpu)
{
    setObjectName(QStringLiteral("cpuCard"));
    QVBoxLayout* stack = nullptr;
    Card* card = OverviewPieces::metricCard("cpuCardFrame", stack, 8);
    stack->addWidget(OverviewPieces::cardHeader(QStringLiteral("cpu"), tr("CPU")));
    m_value = OverviewPieces::figure(32, "cpuValue");
    stack->addWidget(OverviewPieces::atLeast(m_value, 80));
    m_trend = new SparklineView(accentColor(), false, SparklineView::trendName());
    m_trend->setObjectName(QStringLiteral("cpuTrend"));
    m_trend->setFixedHeight(28);
    stack->addWidget(m_trend);
    m_caption = OverviewPieces::caption("cpuCaption", Tone::Tertiary);
    stack->addWidget(m_caption);
    PagePieces::stack(this, 0)->addWidget(card);

    const auto live = [this] {
        if (!m_day.isRecorded())
            refresh();
    };
    connect(&m_cpu, &CPUProvider::currentChanged, this, live);
    connect(&m_cpu, &CPUProvider::historyChanged, this, live);
    refresh();
}

void OverviewCpuCard::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

QString OverviewCpuCard::liveCaption(int samples)
{
    if (samples < 10)
        return tr("Collecting…");
    return tr("Last %1 s").arg(samples);
}

QString OverviewCpuCard::recordedCaption(double peakPercent)
{
    return tr("Peak %1  ·  Hourly avg, 24 h").arg(PagePieces::wholePercent(peakPercent));
}

void OverviewCpuCard::refresh()
{
    if (const DailySummary* day = m_day.recorded()) {
        m_value->setTextIfChanged(PagePieces::wholePercent(day->avgCPU()));
        m_trend->setValues(day->cpuHourlySeries());
        m_caption->setTextIfChanged(recordedCaption(day->peakCPU()));
        return;
    }
    m_value->setTextIfChanged(PagePieces::wholePercent(m_cpu.current().usagePercent));
    m_trend->setValues(CPUTab::usageCardSeries(m_cpu.history()));
    m_caption->setTextIfChanged(liveCaption(m_cpu.history().size()));
}

} // namespace Dunmorra
