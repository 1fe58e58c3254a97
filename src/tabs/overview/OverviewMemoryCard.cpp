#include "tabs/overview/OverviewMemoryCard.h"

#include "components/Card.h"
#include "components/ElidedLabel.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/MemoryProvider.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {
constexpr double kBytesToGB = 1.0 / 1073741824.0; // 2^-30

// A figure that cannot be shown as a number reads 0 rather than "nan".
double finite(double value)
{
    return std::isfinite(value) ? value : 0.0;
}
} // namespace

OverviewMemoryCard::OverviewMemoryCard(MemoryProvider& memory, QWidget* parent)
    : QWidget(parent)
    , m_memory(memory)
{
    setObjectName(QStringLiteral("memoryCard"));
    QVBoxLayout* stack = nullptr;
    Card* card = OverviewPieces::metricCard("memoryCardFrame", stack, 10);
    stack->addWidget(OverviewPieces::cardHeader(QStringLiteral("memorychip"), tr("Memory")));

    auto* valueRow = PagePieces::row(4);
    m_value = OverviewPieces::figure(32, "memoryValue");
    auto* unit = new TextLabel(QStringLiteral("GB"), figureFont(14, QFont::Medium), Tone::Secondary);
    unit->setObjectName(QStringLiteral("memoryUnit"));
    // Layouts have no first-baseline alignment: sit both on the bottom and
    // lift the unit by the difference of the two fonts' descents.
    const int lift = QFontMetrics(m_value->font()).descent() - QFontMetrics(unit->font()).descent();
    unit->setContentsMargins(0, 0, 0, std::max(0, lift));
    valueRow->addWidget(OverviewPieces::atLeast(m_value, 90), 0, Qt::AlignBottom);
    valueRow->addWidget(unit, 0, Qt::AlignBottom);
    valueRow->addStretch(1);
    stack->addLayout(valueRow);

    m_bar = new ThinBar(palettePrimary());
    m_bar->setObjectName(QStringLiteral("memoryBar"));
    stack->addWidget(m_bar);
    m_caption = OverviewPieces::caption("memoryCaption", Tone::Secondary);
    stack->addWidget(m_caption);
    PagePieces::stack(this, 0)->addWidget(card);

    // A recorded day's bar follows the total and pressure of now, too.
    connect(&m_memory, &MemoryProvider::currentChanged, this, &OverviewMemoryCard::refresh);
    refresh();
}

void OverviewMemoryCard::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

OverviewMemoryCard::Figures OverviewMemoryCard::liveFigures(const MemorySnapshot& now)
{
    const double total = static_cast<double>(now.totalBytes);
    return {static_cast<double>(now.usedBytes) * kBytesToGB,
            now.totalBytes == 0 ? 0.0 : static_cast<double>(now.usedBytes) / total};
}

OverviewMemoryCard::Figures OverviewMemoryCard::recordedFigures(const DailySummary& day, std::uint64_t totalBytesNow)
{
    const double average = finite(day.avgMemoryGB());
    // Below 1 GB of memory the day is measured against 1 GB.
    const double total = std::max(static_cast<double>(totalBytesNow) * kBytesToGB, 1.0);
    return {average, average / total};
}

QColor OverviewMemoryCard::pressureColor(MemorySnapshot::MemoryPressure pressure)
{
    switch (pressure) {
    case MemorySnapshot::MemoryPressure::warning: return paletteOrange();
    case MemorySnapshot::MemoryPressure::critical: return paletteRed();
    case MemorySnapshot::MemoryPressure::nominal: break;
    }
    return palettePrimary();
}

QString OverviewMemoryCard::liveCaption(const MemorySnapshot& now)
{
    return tr("of %1 GB  ·  %2")
        .arg(fixedPointText(static_cast<double>(now.totalBytes) * kBytesToGB, 0), pressureRawValue(now.pressure));
}

QString OverviewMemoryCard::recordedCaption(double peakGB)
{
    return tr("Avg · Peak %1 GB").arg(fixedPointText(finite(peakGB), 1));
}

void OverviewMemoryCard::refresh()
{
    const MemorySnapshot& now = m_memory.current();
    const Figures figures = m_day.pick([&] { return liveFigures(now); },
                                       [&](const DailySummary& day) { return recordedFigures(day, now.totalBytes); });
    m_value->setTextIfChanged(fixedPointText(figures.valueGB, 1));
    m_bar->setFraction(figures.fraction);
    m_bar->setColor(pressureColor(now.pressure));
    m_caption->setTextIfChanged(m_day.pick([&] { return liveCaption(now); },
                                           [](const DailySummary& day) { return recordedCaption(day.peakMemoryGB()); }));
}

} // namespace Dunmorra
