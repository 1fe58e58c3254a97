#include "tabs/network/NetworkTab.h"

#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/Typography.h"
#include "history/HistoryRecorder.h"
#include "model/NetworkProvider.h"
#include "tabs/RateTile.h"
#include "tabs/network/ConnectionCard.h"
#include "tabs/network/InterfacesSection.h"
#include "tabs/network/ThroughputHistoryCard.h"
#include "tabs/network/TodaysNetworksCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
template <typename Field>
std::vector<double> trendOf(const HistoryRing<NetworkSnapshot>& history, Field field)
{
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(history.size()));
    history.forEachOrdered([&](const Sample<NetworkSnapshot>& s) { out.push_back(s.value.*field); });
    return out;
}
} // namespace

NetworkTab::NetworkTab(NetworkProvider& network, HistoryRecorder& recorder, QWidget* parent)
    : TabPage(parent)
    , m_network(network)
    , m_recorder(recorder)
{
    setObjectName(QStringLiteral("tab.network"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* tiles = cardRow();
    auto* upload = new RateTile(QStringLiteral("arrow.up.circle"), tr("Upload"), "uploadRate",
                                withAlpha(paletteOrange(), 0.9));
    auto* download = new RateTile(QStringLiteral("arrow.down.circle"), tr("Download"), "downloadRate", accentColor());
    m_uploadRate = upload->rate();
    m_uploadTrend = upload->trend();
    m_downloadRate = download->rate();
    m_downloadTrend = download->trend();
    shareRowWidth(upload);
    shareRowWidth(download);
    tiles->addWidget(upload, 1, Qt::AlignVCenter);
    tiles->addWidget(download, 1, Qt::AlignVCenter);
    stack()->addLayout(tiles);

    m_connection = new ConnectionCard;
    stack()->addWidget(m_connection);
    m_networks = new TodaysNetworksCard;
    stack()->addWidget(m_networks);
    m_history = new ThroughputHistoryCard;
    stack()->addWidget(m_history);
    m_interfaces = new InterfacesSection;
    stack()->addWidget(m_interfaces);

    connect(m_connection, &ConnectionCard::reloadRequested, this, &NetworkTab::reload);
    connect(m_connection, &ConnectionCard::locationSettingsRequested, this, &NetworkTab::locationSettingsRequested);
    connect(m_history, &ThroughputHistoryCard::timeRangeChanged, this, &NetworkTab::refreshHistory);
    connect(&m_network, &NetworkProvider::currentChanged, this, &NetworkTab::refreshCurrent);
    connect(&m_network, &NetworkProvider::historyChanged, this, &NetworkTab::refreshTrends);
    // Both rings grow in the same pass, download last: one redraw for the pair.
    connect(&m_network, &NetworkProvider::downloadHistoryChanged, this, &NetworkTab::refreshHistory);
    // The summary changes only in the recorder's minute step.
    connect(&m_recorder, &HistoryRecorder::recorded, this, &NetworkTab::refreshNetworks);
    refreshCurrent();
    refreshTrends();
    refreshHistory();
    refreshNetworks();
}

NetTimeRange NetworkTab::timeRange() const
{
    return m_history->timeRange();
}

void NetworkTab::setTimeRange(NetTimeRange range)
{
    m_history->setTimeRange(range);
}

std::optional<QString> NetworkTab::selectedSSID() const
{
    return m_networks->selectedSSID();
}

void NetworkTab::setSelectedSSID(std::optional<QString> name)
{
    m_networks->setSelectedSSID(std::move(name));
}

void NetworkTab::reload()
{
    m_network.setConnectionRefreshed(kDistantPast);
    m_network.refreshConnection();
}

std::vector<double> NetworkTab::uploadTrend(const HistoryRing<NetworkSnapshot>& history)
{
    return trendOf(history, &NetworkSnapshot::uploadBytesPerSec);
}

std::vector<double> NetworkTab::downloadTrend(const HistoryRing<NetworkSnapshot>& history)
{
    return trendOf(history, &NetworkSnapshot::downloadBytesPerSec);
}

void NetworkTab::refreshCurrent()
{
    const NetworkSnapshot& now = m_network.current();
    m_uploadRate->setTextIfChanged(QString::fromStdString(formatBytesPerSecond(now.uploadBytesPerSec)));
    m_downloadRate->setTextIfChanged(QString::fromStdString(formatBytesPerSecond(now.downloadBytesPerSec)));
    m_connection->setSnapshot(now);
    m_interfaces->setInterfaces(now.interfaces);
}

void NetworkTab::refreshTrends()
{
    m_uploadTrend->setValues(uploadTrend(m_network.history()));
    m_downloadTrend->setValues(downloadTrend(m_network.history()));
}

void NetworkTab::refreshHistory()
{
    m_history->setRings(m_network.downloadHistory(), m_network.uploadHistory());
}

void NetworkTab::refreshNetworks()
{
    m_networks->setNetworks(m_recorder.current().sortedNetworks());
}

} // namespace Dunmorra
