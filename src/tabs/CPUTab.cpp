#include "tabs/CPUTab.h"

#include "components/AdaptiveGridLayout.h"
#include "components/Card.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "platform/NumberText.h"
#include "components/RangeSeries.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "model/CPUProvider.h"
#include "tabs/CoreBar.h"
#include "tabs/PagePieces.h"
#include "tabs/ProcessRow.h"
#include "tabs/ProcessTable.h"
#include "tabs/UsageHistoryCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace Dunmorra {

namespace {
constexpr int kCpuColumnWidth = 60;
constexpr int kMemoryColumnWidth = 80;

ProcessRow::Style processRowStyle()
{
    return {5, Fonts::value(),
            {{QStringLiteral("processCpu"), Tone::Primary, kCpuColumnWidth},
             {QStringLiteral("processMemory"), Tone::Secondary, kMemoryColumnWidth}},
            0.4};
}
} // namespace

CPUTab::CPUTab(CPUProvider& cpu, UserSettings& settings, QWidget* parent)
    : TabPage(parent)
    , m_cpu(cpu)
{
    setObjectName(QStringLiteral("tab.cpu"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* top = cardRow();
    QWidget* usage = buildUsageCard();
    QWidget* chip = buildChipCard();
    shareRowWidth(usage);
    shareRowWidth(chip);
    top->addWidget(usage, 1, Qt::AlignVCenter);
    top->addWidget(chip, 1, Qt::AlignVCenter);
    stack()->addLayout(top);
    stack()->addWidget(buildPerCoreSection());
    stack()->addWidget(buildHistoryCard());
    stack()->addWidget(buildProcessSection(settings));

    connect(&m_cpu, &CPUProvider::currentChanged, this, &CPUTab::refreshCurrent);
    connect(&m_cpu, &CPUProvider::historyChanged, this, &CPUTab::refreshHistory);
    connect(&m_cpu, &CPUProvider::usageHistoryChanged, this, &CPUTab::refreshUsageHistory);
    refreshCurrent();
    refreshHistory();
    refreshUsageHistory();
}

CPUTab::~CPUTab() = default;

QWidget* CPUTab::buildUsageCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("cpu"), tr("CPU Usage")));
    m_usageText = new TextLabel(QString(), Fonts::bigFigure());
    m_usageText->setObjectName(QStringLiteral("usagePercent"));
    m_usageText->holdSizeFor(PagePieces::widestWholePercents());
    stack->addWidget(m_usageText);
    m_usageSparkline = new SparklineView(accentColor(), false, SparklineView::trendName());
    m_usageSparkline->setObjectName(QStringLiteral("usageSparkline"));
    m_usageSparkline->setFixedHeight(40);
    stack->addWidget(m_usageSparkline);
    stack->addLayout(PagePieces::edgeRow(new TextLabel(tr("60s ago"), Fonts::caption(), Tone::Tertiary),
                                         new TextLabel(tr("Now"), Fonts::caption(), Tone::Tertiary)));
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("usageCard"));
    return card;
}

QWidget* CPUTab::buildChipCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("memorychip"), tr("Chip")));
    const ChipInfo& chip = m_cpu.chipInfo();
    const auto addRow = [&](const QString& title, const QString& value, const char* name) {
        auto* valueLabel = new TextLabel(value, Fonts::value());
        valueLabel->setObjectName(QLatin1String(name));
        valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        stack->addLayout(PagePieces::edgeRow(new TextLabel(title, Fonts::caption(), Tone::Secondary), valueLabel));
    };
    addRow(tr("Model"), chip.name, "chipModel");
    addRow(tr("Cores"), chip.coreSummary(), "chipCores");
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("chipCard"));
    return card;
}

QWidget* CPUTab::buildPerCoreSection()
{
    m_perCoreSection = new QWidget;
    m_perCoreSection->setObjectName(QStringLiteral("perCoreSection"));
    auto* stack = PagePieces::stack(m_perCoreSection, 10);
    stack->addWidget(PagePieces::sectionTitle(tr("Per-core usage")));
    auto* gridHost = new QWidget;
    m_coreGrid = new AdaptiveGridLayout(180, 10, gridHost);
    stack->addWidget(gridHost);
    m_perCoreSection->hide();
    return m_perCoreSection;
}

QWidget* CPUTab::buildHistoryCard()
{
    QStringList labels;
    for (CPUTimeRange range : allCPUTimeRanges)
        labels << rawValue(range);
    auto* card = new UsageHistoryCard(tr("Usage history"), labels, accentColor(), SparklineView::trendName());
    m_rangePicker = card->picker();
    m_historySparkline = card->sparkline();
    connect(m_rangePicker, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(allCPUTimeRanges.size()))
            setTimeRange(allCPUTimeRanges[static_cast<std::size_t>(index)]);
    });
    return card;
}

QWidget* CPUTab::buildProcessSection(UserSettings& settings)
{
    if (isSandboxed()) {
        return new SandboxFeatureBanner(tr("Top processes unavailable"),
                                        tr("The sandbox does not allow access to per-process CPU data."), settings);
    }
    auto* table = new ProcessTable(tr("Top processes"), {{tr("CPU"), kCpuColumnWidth}, {tr("Memory"), kMemoryColumnWidth}});
    m_processRowsLayout = table->rows();
    m_processRows = std::make_unique<KeyedRows<std::int32_t, ProcessRow>>(m_processRowsLayout, ProcessTable::kFirstRow);
    return table;
}

std::optional<CoreKind> CPUTab::coreKind(int index, const std::vector<CoreKind>& kinds)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kinds.size())
        return std::nullopt;
    return kinds[static_cast<std::size_t>(index)];
}

QString CPUTab::coreLabel(int index, const std::vector<CoreKind>& kinds)
{
    const std::optional<CoreKind> kind = coreKind(index, kinds);
    if (!kind)
        return QStringLiteral("C%1").arg(index + 1);
    const auto end = kinds.begin() + index + 1;
    const auto ordinal = std::count(kinds.begin(), end, *kind);
    return (*kind == CoreKind::efficiency ? QStringLiteral("E%1") : QStringLiteral("P%1")).arg(ordinal);
}

std::vector<double> CPUTab::coreHistory(const HistoryRing<CPUSnapshot>& history, int index)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    const auto wanted = static_cast<std::size_t>(index);
    history.forEachOrdered([&](const Sample<CPUSnapshot>& s) {
        if (index >= 0 && s.value.coreUsages.size() > wanted)
            out.push_back(s.value.coreUsages[wanted] / 100.0);
    });
    return out;
}

std::vector<double> CPUTab::usageCardSeries(const HistoryRing<CPUSnapshot>& history)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    history.forEachOrdered([&](const Sample<CPUSnapshot>& s) { out.push_back(s.value.usagePercent / 100.0); });
    return out;
}

std::vector<double> CPUTab::historySeries() const
{
    return rangeSeries(m_cpu.usageHistory(), sampleCount(m_timeRange), 100.0);
}

void CPUTab::setTimeRange(CPUTimeRange range)
{
    if (range == m_timeRange)
        return;
    m_timeRange = range;
    for (std::size_t i = 0; i < allCPUTimeRanges.size(); ++i) {
        if (allCPUTimeRanges[i] == range)
            m_rangePicker->setCurrentIndex(static_cast<int>(i));
    }
    refreshUsageHistory();
}

CoreBar* CPUTab::coreBar(int index) const
{
    if (index < 0 || index >= coreBarCount())
        return nullptr;
    return m_coreBars[static_cast<std::size_t>(index)];
}

void CPUTab::refreshCurrent()
{
    const CPUSnapshot& now = m_cpu.current();
    m_usageText->setTextIfChanged(PagePieces::wholePercent(now.usagePercent));
    refreshCores();
    if (m_processRows) {
        m_processRows->sync(
            now.topProcesses, [](const CPUSnapshot::ProcessInfo& p) { return p.id; },
            [](const CPUSnapshot::ProcessInfo&) { return new ProcessRow(processRowStyle()); },
            [](ProcessRow& row, const CPUSnapshot::ProcessInfo& p, int) {
                row.update(QString::number(p.id), p.name, plainToolTip(p.executablePath.isEmpty() ? p.name : p.executablePath),
                           {localePercent(p.cpuPercent / 100.0, 1), QString::fromStdString(formatBytes(p.memoryBytes))});
            });
    }
}

void CPUTab::refreshHistory()
{
    m_usageSparkline->setValues(usageCardSeries(m_cpu.history()));
    for (int i = 0; i < coreBarCount(); ++i)
        m_coreBars[static_cast<std::size_t>(i)]->setHistory(coreHistory(m_cpu.history(), i));
}

void CPUTab::refreshUsageHistory()
{
    m_historySparkline->setValues(historySeries());
}

void CPUTab::refreshCores()
{
    const std::vector<double>& usages = m_cpu.current().coreUsages;
    const int count = static_cast<int>(usages.size());
    // Bars stay per index, so a bar's easing runs across refreshes.
    while (coreBarCount() > count) {
        CoreBar* bar = m_coreBars.back();
        m_coreBars.pop_back();
        m_coreGrid->removeWidget(bar);
        delete bar;
    }
    while (coreBarCount() < count) {
        auto* bar = new CoreBar;
        bar->setObjectName(QStringLiteral("coreBar:%1").arg(coreBarCount()));
        bar->setHistory(coreHistory(m_cpu.history(), coreBarCount()));
        m_coreGrid->addWidget(bar);
        m_coreBars.push_back(bar);
    }
    const std::vector<CoreKind>& kinds = m_cpu.chipInfo().coreKinds;
    for (int i = 0; i < count; ++i) {
        m_coreBars[static_cast<std::size_t>(i)]->setUsage(coreLabel(i, kinds), usages[static_cast<std::size_t>(i)],
                                                          coreKind(i, kinds));
    }
    m_perCoreSection->setVisible(count > 0);
}

} // namespace Dunmorra
