#pragma once

#include "components/TabPage.h"
#include "history/DailySummary.h"
#include "model/SystemUptime.h"

#include <QDate>
#include <QTimer>

#include <functional>
#include <optional>

namespace Dunmorra {

class AudioProvider;
class BatteryProvider;
class CPUProvider;
class DaySelection;
class DiskProvider;
class HistoricalDataStore;
class MemoryProvider;
class NetworkFilter;
class NetworkProvider;
class OverviewAudioCard;
class OverviewBatteryCard;
class OverviewCpuCard;
class OverviewDayHeader;
class OverviewMemoryCard;
class OverviewNetworkCard;
class OverviewStorageCard;
class OverviewTopProcesses;
class UserSettings;

// What the Overview reads. All of it must outlive the tab.
struct OverviewSources {
    DaySelection& days;
    HistoricalDataStore& history;
    CPUProvider& cpu;
    MemoryProvider& memory;
    BatteryProvider& battery;
    DiskProvider& disk;
    NetworkProvider& network;
    AudioProvider& audio;
    UserSettings& settings;
    std::function<Uptime()> uptime = {};              // none: the machine's own
    std::function<void()> openLocationSettings = {};  // none: nothing to open here
};

// One day at a glance: today live from the providers, or any recorded day
// from its day file, with navigation from day to day. The day shown is the
// shared selection, so it stays chosen while other tabs are shown; the
// network filter is this view's own and is cleared whenever the day changes.
class OverviewTab : public TabPage {
    Q_OBJECT
public:
    // What stands under the header.
    enum class Body {
        Cards,    // live, or a recorded day that was read
        Reading,  // a recorded day whose file is being read
        NoData,   // a recorded day without a readable file
    };

    explicit OverviewTab(OverviewSources sources, QWidget* parent = nullptr);
    ~OverviewTab() override;

    bool isHistorical() const;
    // The recorded day's summary; null while live or while it is being read.
    const DailySummary* historicalSummary() const { return m_summary ? &*m_summary : nullptr; }
    // Whether the day before the one shown has a file (existence only).
    bool hasPreviousDay() const;
    QString dayLabel() const;
    Body body() const { return m_body; }

    // "Live", "Yesterday" or the day as "MMM d, yyyy" in the user's locale.
    static QString dayLabel(QDate selected, QDate today);

    // Looks at the files again: the header's test for the previous day, and
    // the file of a shown day that had no data. A timer calls it every 2 s.
    void recheck();

    const NetworkFilter& networkFilter() const;
    OverviewDayHeader* header() const { return m_header; }
    OverviewNetworkCard* networkCard() const { return m_network; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildNoDataView();
    QWidget* buildContent(OverviewSources& sources);
    void selectionChanged();
    void showSelectedDay();
    void setBody(Body body);
    void refreshHeader();

    DaySelection& m_days;
    HistoricalDataStore& m_history;
    std::optional<DailySummary> m_summary;
    Body m_body = Body::Cards;
    // The header's file test and a day without data are looked at again
    // while the tab is up, so a day file that appears shows by itself.
    QTimer m_recheck;

    OverviewDayHeader* m_header = nullptr;
    QWidget* m_noData = nullptr;
    QWidget* m_content = nullptr;
    OverviewCpuCard* m_cpu = nullptr;
    OverviewMemoryCard* m_memory = nullptr;
    OverviewBatteryCard* m_battery = nullptr;
    OverviewStorageCard* m_storage = nullptr;
    OverviewNetworkCard* m_network = nullptr;
    OverviewAudioCard* m_audio = nullptr;
    OverviewTopProcesses* m_processes = nullptr;
};

} // namespace Dunmorra
