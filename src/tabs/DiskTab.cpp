#include "tabs/DiskTab.h"

#include "components/Card.h"
#include "components/Formatters.h"
#include "components/OverlaidSparklineView.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/DiskProvider.h"
#include "tabs/LegendItem.h"
#include "tabs/PagePieces.h"
#include "tabs/RateTile.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
QColor writeCurveColor()
{
    return withAlpha(paletteOrange(), 0.8);
}
} // namespace

DiskTab::DiskTab(DiskProvider& disk, QWidget* parent)
    : TabPage(parent)
    , m_disk(disk)
{
    setObjectName(QStringLiteral("tab.disk"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* tiles = cardRow();
    auto* read = new RateTile(QStringLiteral("arrow.down.circle"), tr("Read"), "readRate", accentColor());
    auto* write = new RateTile(QStringLiteral("arrow.up.circle"), tr("Write"), "writeRate", accentColor());
    m_readRate = read->rate();
    m_readTileLine = read->trend();
    m_writeRate = write->rate();
    m_writeTileLine = write->trend();
    shareRowWidth(read);
    shareRowWidth(write);
    tiles->addWidget(read, 1, Qt::AlignVCenter);
    tiles->addWidget(write, 1, Qt::AlignVCenter);
    stack()->addLayout(tiles);
    stack()->addWidget(buildHistoryCard());
    stack()->addWidget(buildVolumeSection());

    connect(&m_disk, &DiskProvider::currentChanged, this, &DiskTab::refreshCurrent);
    connect(&m_disk, &DiskProvider::historyChanged, this, &DiskTab::refreshHistory);
    refreshCurrent();
    refreshHistory();
}

QWidget* DiskTab::buildHistoryCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("chart.xyaxis.line"), tr("I/O history  (last 60 s)")));

    // Both curves in one view, the write curve over the read one, each on
    // its own scale.
    m_ioChart = new OverlaidSparklineView(accentColor(), writeCurveColor(), SparklineView::trendName());
    m_ioChart->setObjectName(QStringLiteral("ioChart"));
    m_ioChart->setFixedHeight(60);
    stack->addWidget(m_ioChart);

    auto* legend = PagePieces::row(12);
    legend->addWidget(new LegendItem(accentColor(), tr("Read")));
    legend->addWidget(new LegendItem(writeCurveColor(), tr("Write")));
    legend->addStretch(1);
    stack->addLayout(legend);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("ioCard"));
    return card;
}

QWidget* DiskTab::buildVolumeSection()
{
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("volumes"));
    auto* outer = PagePieces::stack(section, 10);
    outer->addWidget(PagePieces::sectionTitle(tr("Volumes")));

    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);
    m_volumeName = new IconLabel(QStringLiteral("internaldrive"), QString(), Fonts::sectionTitle(), palettePrimary());
    m_volumeName->label()->setObjectName(QStringLiteral("volumeName"));
    m_free = new TextLabel(QString(), Fonts::value());
    m_free->setObjectName(QStringLiteral("volumeFree"));
    stack->addLayout(PagePieces::edgeRow(m_volumeName, m_free));
    m_volumeBar = new ThinBar(accentColor());
    m_volumeBar->setObjectName(QStringLiteral("volumeBar"));
    stack->addWidget(m_volumeBar);
    m_used = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_used->setObjectName(QStringLiteral("volumeUsed"));
    m_total = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_total->setObjectName(QStringLiteral("volumeTotal"));
    stack->addLayout(PagePieces::edgeRow(m_used, m_total));
    outer->addWidget(new Card(content, nullptr));
    return section;
}

double DiskTab::volumeFraction(const DiskSnapshot& snapshot)
{
    if (snapshot.volumeTotalBytes == 0)
        return 0;
    return static_cast<double>(snapshot.volumeUsedBytes) / static_cast<double>(snapshot.volumeTotalBytes);
}

std::vector<double> DiskTab::readSeries(const HistoryRing<DiskSnapshot>& history)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    history.forEachOrdered([&](const Sample<DiskSnapshot>& s) { out.push_back(s.value.readBytesPerSec); });
    return out;
}

std::vector<double> DiskTab::writeSeries(const HistoryRing<DiskSnapshot>& history)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    history.forEachOrdered([&](const Sample<DiskSnapshot>& s) { out.push_back(s.value.writeBytesPerSec); });
    return out;
}

void DiskTab::refreshCurrent()
{
    const DiskSnapshot& now = m_disk.current();
    m_readRate->setTextIfChanged(QString::fromStdString(formatBytesPerSecond(now.readBytesPerSec)));
    m_writeRate->setTextIfChanged(QString::fromStdString(formatBytesPerSecond(now.writeBytesPerSec)));
    m_volumeName->label()->setTextIfChanged(oneLine(now.volumeName));
    m_free->setTextIfChanged(tr("%1 free").arg(QString::fromStdString(formatBytes(now.volumeFreeBytes))));
    m_volumeBar->setFraction(volumeFraction(now));
    m_used->setTextIfChanged(tr("%1 used").arg(QString::fromStdString(formatBytes(now.volumeUsedBytes))));
    m_total->setTextIfChanged(tr("%1 total").arg(QString::fromStdString(formatBytes(now.volumeTotalBytes))));
}

void DiskTab::refreshHistory()
{
    std::vector<double> reads = readSeries(m_disk.history());
    std::vector<double> writes = writeSeries(m_disk.history());
    m_readTileLine->setValues(reads);
    m_writeTileLine->setValues(writes);
    m_ioChart->setValues(std::move(reads), std::move(writes));
}

} // namespace Dunmorra
