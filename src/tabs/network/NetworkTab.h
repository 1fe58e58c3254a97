#pragma once

#include "components/TabPage.h"
#include "model/HistoryRing.h"
#include "model/NetworkSnapshot.h"
#include "tabs/network/NetTimeRange.h"

#include <optional>
#include <vector>

namespace Dunmorra {

class ConnectionCard;
class HistoryRecorder;
class InterfacesSection;
class NetworkProvider;
class SparklineView;
class TextLabel;
class ThroughputHistoryCard;
class TodaysNetworksCard;

// The Network page: upload and download with their last minute, the current
// connection with its reload, today's totals per network, the throughput
// history over a chosen range and the interfaces. Its only write to the
// model is the reload.
class NetworkTab : public TabPage {
    Q_OBJECT
public:
    NetworkTab(NetworkProvider& network, HistoryRecorder& recorder, QWidget* parent = nullptr);

    NetTimeRange timeRange() const;
    void setTimeRange(NetTimeRange range);
    std::optional<QString> selectedSSID() const;
    void setSelectedSSID(std::optional<QString> name);

    // Forgets when the connection was resolved, then resolves it again. It
    // never waits and is never refused: each call starts one resolution.
    void reload();

    // A tile's trend: that rate of every snapshot in the ring, oldest first.
    static std::vector<double> uploadTrend(const HistoryRing<NetworkSnapshot>& history);
    static std::vector<double> downloadTrend(const HistoryRing<NetworkSnapshot>& history);

    ConnectionCard* connectionCard() const { return m_connection; }
    TodaysNetworksCard* networksCard() const { return m_networks; }
    ThroughputHistoryCard* historyCard() const { return m_history; }

Q_SIGNALS:
    // "Allow location for Wi-Fi name" was pressed. Reading the Wi-Fi name
    // needs no permission on Linux, so nothing is connected to it there.
    void locationSettingsRequested();

private:
    void refreshCurrent();
    void refreshTrends();
    void refreshHistory();
    void refreshNetworks();

    NetworkProvider& m_network;
    HistoryRecorder& m_recorder;
    TextLabel* m_uploadRate = nullptr;
    TextLabel* m_downloadRate = nullptr;
    SparklineView* m_uploadTrend = nullptr;
    SparklineView* m_downloadTrend = nullptr;
    ConnectionCard* m_connection = nullptr;
    TodaysNetworksCard* m_networks = nullptr;
    ThroughputHistoryCard* m_history = nullptr;
    InterfacesSection* m_interfaces = nullptr;
};

} // namespace Dunmorra
