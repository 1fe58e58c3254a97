#include "tabs/MemoryTab.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/RangeSeries.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/StatusDot.h"
#include "components/Symbols.h"
#include "components/SystemColors.h"
#include "components/ThinBar.h"
#include "model/MemoryProvider.h"
#include "platform/NumberText.h"
#include "tabs/InfoRow.h"
#include "tabs/PagePieces.h"
#include "tabs/ProcessRow.h"
#include "tabs/ProcessTable.h"
#include "tabs/UsageHistoryCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {
constexpr double kGiB = 1073741824.0;
constexpr int kMemoryColumnWidth = 80;

// The bars of this page follow a reading every two seconds: drawn at once,
// on the faint track of the other fraction bars.
ThinBar* meterBar(int height, qreal radius, qreal fillOpacity)
{
    auto* bar = new ThinBar(palettePrimary());
    bar->setFixedHeight(height);
    bar->setCornerRadius(radius);
    bar->setFillOpacity(fillOpacity);
    bar->setTrackColor(quaternaryFill());
    bar->setAnimated(false);
    return bar;
}
} // namespace

// One line of the breakdown: its label, its share of the total as a bar, and
// the amount.
class MemoryBreakdownRow : public QWidget {
public:
    MemoryBreakdownRow(const QString& label, const QColor& color, const QString& name)
    {
        setObjectName(name);
        auto* line = PagePieces::row(12);
        setLayout(line);
        auto* title = new TextLabel(label, Fonts::caption(), Tone::Secondary);
        title->setObjectName(QStringLiteral("breakdownLabel"));
        title->setFixedWidth(110);
        m_bar = meterBar(6, 3, 0.7);
        m_bar->setColor(color);
        m_value = new TextLabel(QString(), Fonts::value());
        m_value->setObjectName(QStringLiteral("breakdownValue"));
        m_value->setFixedWidth(60);
        m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        line->addWidget(title, 0, Qt::AlignVCenter);
        line->addWidget(m_bar, 1, Qt::AlignVCenter);
        line->addWidget(m_value, 0, Qt::AlignVCenter);
    }

    void update(double gigabytes, double totalGigabytes)
    {
        m_bar->setFraction(MemoryTab::breakdownFraction(gigabytes, totalGigabytes));
        m_value->setTextIfChanged(fixedPointText(gigabytes, 1) + QStringLiteral(" GB"));
    }

private:
    ThinBar* m_bar;
    TextLabel* m_value;
};

MemoryTab::MemoryTab(MemoryProvider& memory, UserSettings& settings, QWidget* parent)
    : TabPage(parent)
    , m_memory(memory)
{
    setObjectName(QStringLiteral("tab.memory"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* top = cardRow();
    QWidget* usage = buildUsageCard();
    QWidget* pressure = buildPressureCard();
    shareRowWidth(usage);
    shareRowWidth(pressure);
    top->addWidget(usage, 1, Qt::AlignVCenter);
    top->addWidget(pressure, 1, Qt::AlignVCenter);
    stack()->addLayout(top);
    stack()->addWidget(buildBreakdownSection());
    stack()->addWidget(buildHistoryCard());
    stack()->addWidget(buildProcessSection(settings));

    connect(&m_memory, &MemoryProvider::currentChanged, this, &MemoryTab::refreshCurrent);
    connect(&m_memory, &MemoryProvider::usageHistoryChanged, this, &MemoryTab::refreshUsageHistory);
    refreshCurrent();
    refreshUsageHistory();
}

MemoryTab::~MemoryTab() = default;

QWidget* MemoryTab::buildUsageCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("memorychip"), tr("Memory Used")));
    m_usedText = new TextLabel(QString(), Fonts::bigFigure());
    m_usedText->setObjectName(QStringLiteral("memoryUsed"));
    stack->addWidget(m_usedText);
    m_usageBar = meterBar(8, 4, 0.8);
    m_usageBar->setObjectName(QStringLiteral("usageBar"));
    stack->addWidget(m_usageBar);
    m_totalText = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_totalText->setObjectName(QStringLiteral("memoryTotal"));
    stack->addWidget(m_totalText);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("usageCard"));
    return card;
}

QWidget* MemoryTab::buildPressureCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("gauge.medium"), tr("Pressure")));
    auto* level = PagePieces::row(8);
    m_pressureDot = new StatusDot(palettePrimary(), 10);
    m_pressureDot->setObjectName(QStringLiteral("pressureDot"));
    m_pressureText = new TextLabel(QString(), Fonts::value());
    m_pressureText->setObjectName(QStringLiteral("pressureText"));
    level->addWidget(m_pressureDot, 0, Qt::AlignVCenter);
    level->addWidget(m_pressureText, 0, Qt::AlignVCenter);
    level->addStretch(1);
    stack->addLayout(level);
    m_wired = new InfoRow(tr("Wired"), QStringLiteral("wiredValue"));
    m_compressed = new InfoRow(tr("Compressed"), QStringLiteral("compressedValue"));
    m_swap = new InfoRow(tr("Swap Used"), QStringLiteral("swapValue"));
    for (InfoRow* row : {m_wired, m_compressed, m_swap})
        stack->addWidget(row);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("pressureCard"));
    return card;
}

QWidget* MemoryTab::buildBreakdownSection()
{
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("breakdown"));
    auto* outer = PagePieces::stack(section, 10);
    outer->addWidget(PagePieces::sectionTitle(tr("Memory breakdown")));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    m_breakdown = {
        new MemoryBreakdownRow(tr("App Memory"), accentColor(), QStringLiteral("breakdown:app")),
        new MemoryBreakdownRow(tr("Wired"), secondaryText(), QStringLiteral("breakdown:wired")),
        new MemoryBreakdownRow(tr("Compressed"), paletteOrange(), QStringLiteral("breakdown:compressed")),
        new MemoryBreakdownRow(tr("Free"), paletteGreen(), QStringLiteral("breakdown:free")),
    };
    for (MemoryBreakdownRow* row : m_breakdown)
        stack->addWidget(row);
    outer->addWidget(new Card(content, nullptr));
    return section;
}

QWidget* MemoryTab::buildHistoryCard()
{
    QStringList labels;
    for (MemTimeRange range : allMemTimeRanges)
        labels << rawValue(range);
    auto* card = new UsageHistoryCard(tr("Usage history"), labels, SystemColors::purple(), tr("Memory usage history"));
    m_rangePicker = card->picker();
    m_historySparkline = card->sparkline();
    connect(m_rangePicker, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(allMemTimeRanges.size()))
            setTimeRange(allMemTimeRanges[static_cast<std::size_t>(index)]);
    });
    return card;
}

QWidget* MemoryTab::buildProcessSection(UserSettings& settings)
{
    if (isSandboxed()) {
        return new SandboxFeatureBanner(tr("Top processes unavailable"),
                                        tr("The sandbox does not allow access to per-process memory data."), settings);
    }
    auto* table = new ProcessTable(tr("Top processes by memory"), {{tr("Memory"), kMemoryColumnWidth}});
    m_processRows = std::make_unique<KeyedRows<std::int32_t, ProcessRow>>(table->rows(), ProcessTable::kFirstRow);
    return table;
}

QColor MemoryTab::pressureColor(MemorySnapshot::MemoryPressure pressure)
{
    switch (pressure) {
    case MemorySnapshot::MemoryPressure::nominal: return palettePrimary();
    case MemorySnapshot::MemoryPressure::warning: return paletteOrange();
    case MemorySnapshot::MemoryPressure::critical: return paletteRed();
    }
    return palettePrimary();
}

QString MemoryTab::pressureText(MemorySnapshot::MemoryPressure pressure)
{
    switch (pressure) {
    case MemorySnapshot::MemoryPressure::nominal: return tr("Nominal");
    case MemorySnapshot::MemoryPressure::warning: return tr("Warning");
    case MemorySnapshot::MemoryPressure::critical: return tr("Critical");
    }
    return {};
}

QString MemoryTab::gigabytes(double bytes, int digits)
{
    return fixedPointText(bytes / kGiB, digits) + QStringLiteral(" GB");
}

double MemoryTab::usedFraction(const MemorySnapshot& snapshot)
{
    if (snapshot.totalBytes == 0)
        return 0;
    const double q = static_cast<double>(snapshot.usedBytes) / static_cast<double>(snapshot.totalBytes);
    return std::clamp(q, 0.0, 1.0);
}

QString MemoryTab::swapText(const MemorySnapshot& snapshot)
{
    if (snapshot.swapTotalBytes == 0)
        return tr("None");
    return QString::fromStdString(formatBytes(snapshot.swapUsedBytes));
}

std::array<double, 4> MemoryTab::breakdownGigabytes(const MemorySnapshot& s)
{
    const auto gb = [](std::uint64_t bytes) { return static_cast<double>(bytes) / kGiB; };
    return {gb(s.appBytes), gb(s.wiredBytes), gb(s.compressedBytes), std::max(0.0, gb(s.totalBytes) - gb(s.usedBytes))};
}

double MemoryTab::breakdownFraction(double value, double total)
{
    const double q = value / total;
    if (!(q >= 0))   // negative, or 0/0
        return 0;
    return std::min(q, 1.0);
}

std::vector<double> MemoryTab::historySeries() const
{
    return rangeSeries(m_memory.usageHistory(), sampleCount(m_timeRange), 100.0);
}

void MemoryTab::setTimeRange(MemTimeRange range)
{
    if (range == m_timeRange)
        return;
    m_timeRange = range;
    for (std::size_t i = 0; i < allMemTimeRanges.size(); ++i) {
        if (allMemTimeRanges[i] == range)
            m_rangePicker->setCurrentIndex(static_cast<int>(i));
    }
    refreshUsageHistory();
}

void MemoryTab::refreshCurrent()
{
    const MemorySnapshot& now = m_memory.current();
    const QColor level = pressureColor(now.pressure);
    m_usedText->setTextIfChanged(gigabytes(static_cast<double>(now.usedBytes), 1));
    m_usageBar->setColor(level);
    m_usageBar->setFraction(usedFraction(now));
    m_totalText->setTextIfChanged(tr("of %1 total").arg(gigabytes(static_cast<double>(now.totalBytes), 0)));

    m_pressureDot->setColor(level);
    m_pressureText->setTextIfChanged(pressureText(now.pressure));
    m_wired->setValue(QString::fromStdString(formatBytes(now.wiredBytes)));
    m_compressed->setValue(QString::fromStdString(formatBytes(now.compressedBytes)));
    m_swap->setValue(swapText(now));

    const std::array<double, 4> parts = breakdownGigabytes(now);
    const double total = static_cast<double>(now.totalBytes) / kGiB;
    for (std::size_t i = 0; i < parts.size(); ++i)
        m_breakdown[i]->update(parts[i], total);

    if (m_processRows) {
        m_processRows->sync(
            now.topProcesses, [](const MemorySnapshot::ProcessInfo& p) { return p.id; },
            [](const MemorySnapshot::ProcessInfo&) {
                return new ProcessRow({5, Fonts::value(), {{QStringLiteral("processMemory"), Tone::Secondary, kMemoryColumnWidth}},
                                       0.4, Qt::AlignVCenter});
            },
            [](ProcessRow& row, const MemorySnapshot::ProcessInfo& p, int) {
                row.update(QString::number(p.id), p.name, QString(), {QString::fromStdString(formatBytes(p.memoryBytes))});
            });
    }
}

void MemoryTab::refreshUsageHistory()
{
    m_historySparkline->setValues(historySeries());
}

} // namespace Dunmorra
