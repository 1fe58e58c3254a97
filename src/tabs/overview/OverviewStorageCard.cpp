#include "tabs/overview/OverviewStorageCard.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/Divider.h"
#include "components/DonutRing.h"
#include "components/ElidedLabel.h"
#include "components/FittingPair.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "model/DiskProvider.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr double kBytesToGB = 1.0 / 1073741824.0;

QString gigabytes(std::uint64_t bytes, int digits)
{
    return fixedPointText(static_cast<double>(bytes) * kBytesToGB, digits) + QStringLiteral(" GB");
}

TextLabel* figureValue(const char* name)
{
    auto* label = new ElidedLabel(QString(), figureFont(14, QFont::Medium));
    label->setObjectName(QLatin1String(name));
    label->setKeptWidth(110);
    return label;
}

// A line between the panels over the group's full height, which follows the
// storage panel's arrangement.
Divider* panelDivider()
{
    Divider* line = Divider::vertical(1);
    line->setMinimumHeight(0);
    line->setMaximumHeight(QWIDGETSIZE_MAX);
    line->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return line;
}

struct Figures {
    std::uint64_t total = 0, used = 0, free = 0;
    QString read, write;
    Uptime uptime;
};
} // namespace

OverviewStorageCard::OverviewStorageCard(DiskProvider& disk, std::function<Uptime()> uptime, QWidget* parent)
    : QWidget(parent)
    , m_disk(disk)
    , m_uptime(uptime ? std::move(uptime) : std::function<Uptime()>([] { return systemUptime(); }))
{
    setObjectName(QStringLiteral("storageCard"));
    auto* content = new QWidget;
    auto* group = PagePieces::row(20);
    group->setContentsMargins(0, 10, 0, 10);
    group->addWidget(buildStoragePanel(), 1, Qt::AlignTop);
    group->addWidget(panelDivider());
    group->addWidget(buildIOPanel(), 0, Qt::AlignTop);
    group->addWidget(panelDivider());
    group->addWidget(buildUptimePanel(), 0, Qt::AlignTop);
    content->setLayout(group);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("storageCardFrame"));
    PagePieces::stack(this, 0)->addWidget(card);

    connect(&m_disk, &DiskProvider::currentChanged, this, [this] {
        if (!m_day.isRecorded())
            refresh();
    });
    refresh();
}

QWidget* OverviewStorageCard::buildStoragePanel()
{
    m_ring = new DonutRing(14, accentColor());
    m_ring->setObjectName(QStringLiteral("storageRing"));
    m_ring->setFixedSize(100, 100);
    auto* centre = PagePieces::stack(m_ring, 2);
    centre->setAlignment(Qt::AlignCenter);
    m_percent = new ElidedLabel(QString(), figureFont(18, QFont::DemiBold));
    m_percent->setObjectName(QStringLiteral("storagePercent"));
    m_percent->setAlignment(Qt::AlignCenter);
    centre->addWidget(m_percent, 0, Qt::AlignHCenter);
    auto* used = new TextLabel(tr("used"), Fonts::caption(), Tone::Secondary);
    used->setAlignment(Qt::AlignCenter);
    centre->addWidget(used, 0, Qt::AlignHCenter);

    auto* figures = new QWidget;
    auto* column = PagePieces::stack(figures, 8);
    column->addWidget(new TextLabel(tr("Storage"), Fonts::caption(), Tone::Secondary));
    const auto addRow = [&](const char* symbol, const QString& label, TextLabel*& value, const char* name,
                            SymbolView** symbolView = nullptr) {
        auto* row = PagePieces::row(6);
        auto* mark = new SymbolView(QLatin1String(symbol), 10, withAlpha(palettePrimary(), 0.7), nullptr, 14);
        if (symbolView)
            *symbolView = mark;
        row->addWidget(mark, 0, Qt::AlignVCenter);
        row->addWidget(new TextLabel(label, Fonts::caption(), Tone::Secondary), 0, Qt::AlignVCenter);
        value = figureValue(name);
        row->addWidget(value, 1, Qt::AlignVCenter);
        column->addLayout(row);
    };
    addRow("internaldrive", QStringLiteral("Total"), m_total, "storageTotal");
    addRow("square.fill", tr("Used"), m_used, "storageUsed", &m_usedSymbol);
    addRow("square", tr("Free"), m_free, "storageFree");

    m_storage = new FittingPair(m_ring, figures, 16, 10);
    m_storage->setObjectName(QStringLiteral("storagePanel"));
    return m_storage;
}

QWidget* OverviewStorageCard::buildIOPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("ioPanel"));
    panel->setFixedWidth(110);
    auto* stack = PagePieces::stack(panel, 10);
    m_ioTitle = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_ioTitle->setObjectName(QStringLiteral("ioTitle"));
    stack->addWidget(m_ioTitle);
    const auto addRow = [&](const char* symbol, const QColor& color, const QString& label, TextLabel*& value,
                            const char* name) {
        auto* row = PagePieces::row(6);
        row->addWidget(new SymbolView(QLatin1String(symbol), 12, color), 0, Qt::AlignVCenter);
        auto* texts = PagePieces::stack(1);
        texts->addWidget(new TextLabel(label, Fonts::caption(), Tone::Secondary));
        value = figureValue(name);
        texts->addWidget(value);
        row->addLayout(texts, 1);
        stack->addLayout(row);
    };
    addRow("arrow.down.circle", accentColor(), tr("Read"), m_read, "diskRead");
    addRow("arrow.up.circle", paletteOrange(), tr("Write"), m_write, "diskWrite");
    return panel;
}

QWidget* OverviewStorageCard::buildUptimePanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("uptimePanel"));
    auto* stack = PagePieces::stack(panel, 4);
    stack->addStrut(60);
    // "Tiempo activo" may take two lines: the panel keeps its 60-unit frame.
    stack->addWidget(OverviewPieces::wrappingCaption(tr("Uptime"), Tone::Secondary));
    m_uptimeFigure = OverviewPieces::figure(22, "uptimeValue");
    stack->addWidget(m_uptimeFigure);
    m_uptimeDetail = new ElidedLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_uptimeDetail->setObjectName(QStringLiteral("uptimeDetail"));
    stack->addWidget(m_uptimeDetail);
    return panel;
}

void OverviewStorageCard::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

double OverviewStorageCard::usedFraction(std::uint64_t used, std::uint64_t total)
{
    return total == 0 ? 0.0 : static_cast<double>(used) / static_cast<double>(total);
}

QColor OverviewStorageCard::usageColor(double fraction)
{
    if (fraction < 0.7)
        return accentColor();
    if (fraction < 0.88)
        return paletteOrange();
    return paletteRed();
}

OverviewStorageCard::UptimeTexts OverviewStorageCard::uptimeTexts(const Uptime& uptime)
{
    if (uptime.days >= 1)
        return {tr("%1d").arg(uptime.days), tr("%1h %2m").arg(uptime.hours).arg(uptime.minutes)};
    if (uptime.hours >= 1)
        return {tr("%1h").arg(uptime.hours), tr("%1m").arg(uptime.minutes)};
    return {tr("%1m").arg(uptime.minutes), std::nullopt};
}

void OverviewStorageCard::refresh()
{
    const Figures f = m_day.pick(
        [this] {
            const DiskSnapshot& now = m_disk.current();
            return Figures{now.volumeTotalBytes, now.volumeUsedBytes, now.volumeFreeBytes,
                           QString::fromStdString(formatBytesPerSecond(now.readBytesPerSec)),
                           QString::fromStdString(formatBytesPerSecond(now.writeBytesPerSec)), m_uptime()};
        },
        [](const DailySummary& day) {
            return Figures{day.diskTotalBytes, day.diskUsedBytes, day.diskFreeBytes,
                           QString::fromStdString(formatBytes(toUInt64Clamped(day.totalDiskReadBytes()))),
                           QString::fromStdString(formatBytes(toUInt64Clamped(day.totalDiskWriteBytes()))),
                           Uptime{day.uptimeDays, day.uptimeHours, day.uptimeMinutes}};
        });

    const double fraction = usedFraction(f.used, f.total);
    const QColor usage = usageColor(fraction);
    m_ring->setFraction(fraction);
    m_ring->setColor(usage);
    m_percent->setTextIfChanged(localePercent(fraction, 0));
    m_total->setTextIfChanged(gigabytes(f.total, 0));
    m_used->setTextIfChanged(gigabytes(f.used, 1));
    m_used->setColor(usage);
    m_usedSymbol->setColor(withAlpha(usage, 0.7));
    m_free->setTextIfChanged(gigabytes(f.free, 1));

    m_ioTitle->setTextIfChanged(m_day.isRecorded() ? tr("I/O (total)") : tr("I/O"));
    m_read->setTextIfChanged(f.read);
    m_write->setTextIfChanged(f.write);

    const UptimeTexts uptime = uptimeTexts(f.uptime);
    m_uptimeFigure->setTextIfChanged(uptime.figure);
    m_uptimeDetail->setVisible(uptime.detail.has_value());
    if (uptime.detail)
        m_uptimeDetail->setTextIfChanged(*uptime.detail);
}

} // namespace Dunmorra
