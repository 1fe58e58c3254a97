#pragma once

#include "model/CPUSnapshot.h"
#include "model/Clock.h"
#include "model/HistoryRing.h"
#include "model/PollLoop.h"
#include "model/ProcessEntry.h"
#include "model/ProcessScanCache.h"
#include "platform/ChipFacts.h"
#include "platform/CpuTicks.h"

#include <QHash>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace Dunmorra {

// Total and per-core processor load once a pass from the kernel's tick
// counters, and every third pass the eight busiest processes from the shared
// process scan. Lives on the GUI thread; the process pass runs on the
// sampling pool and hands its rows back with a queued call.
class CPUProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(double menuBarUsagePercent READ menuBarUsagePercent NOTIFY menuBarUsagePercentChanged)
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
public:
    using TickReader = std::function<std::optional<std::vector<Platform::CoreTicks>>()>;
    using ChipReader = std::function<Platform::ChipFacts()>;
    using ProcessTicks = QHash<std::int32_t, ProcessTick>;

    static constexpr int kHistoryCapacity = 60;
    static constexpr int kUsageHistoryCapacity = 86'400;
    static constexpr int kTopProcessCount = 8;
    static constexpr double kMinProcessPercent = 0.05;
    static constexpr double kMaxProcessPercent = 999.0;

    // Empty readers read the machine's own /proc and /sys; a null cache is
    // ProcessScanCache::shared(), which must outlive the provider's scans.
    explicit CPUProvider(TickReader ticks = {}, ChipReader chip = {}, ProcessScanCache* scanCache = nullptr,
                         const Clock& clock = Clock::system(), QObject* parent = nullptr);

    const CPUSnapshot& current() const { return m_current; }
    const HistoryRing<CPUSnapshot>& history() const { return m_history; }
    const HistoryRing<double>& usageHistory() const { return m_usageHistory; }
    const ChipInfo& chipInfo() const { return m_chipInfo; }
    double menuBarUsagePercent() const { return m_menuBarUsagePercent; }
    // Whether menuBarUsagePercent is a measured load; until the first
    // reading after the baseline it is the initial snapshot's placeholder.
    // menuBarUsagePercentChanged is sent when this turns true, too.
    bool menuBarUsageMeasured() const { return m_menuBarMeasured; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused);
    bool isScanning() const { return m_isScanning; }
    bool prevReady() const { return m_prevReady; }
    const ProcessTicks& prevProcTicks() const { return m_prevProcTicks; }
    const PollLoop& loop() const { return m_loop; }

    // Replaces a running loop, samples once at once (which only stores the
    // tick baseline), then samples every interval.
    void start(std::chrono::milliseconds interval);

    // One pass: total and per-core load, both rings, the menu-bar value every
    // third pass, and the process pass every third pass.
    void sample();

    static ChipInfo readChipInfo(const ChipReader& reader);

    // The process rows of one scan against the ticks of the previous one:
    // shares above 0.05 % of one core, capped at 999, highest first (equal
    // shares keep the scan's order), at most eight. newTicks receives the
    // scan's ticks for the next pass.
    static QList<CPUSnapshot::ProcessInfo> topProcesses(const ProcessScanCache::Scan& scan,
                                                        const ProcessTicks& previous, ProcessTicks& newTicks);

Q_SIGNALS:
    void currentChanged();
    void historyChanged();
    void usageHistoryChanged();
    void menuBarUsagePercentChanged();
    void pausedChanged();
    void isScanningChanged();

private:
    std::pair<double, std::vector<double>> sampleTicks();
    void setCurrent(CPUSnapshot snapshot);
    void setMenuBarUsagePercent(double value, bool measured);
    void setIsScanning(bool scanning);
    void launchProcessPass();
    void applyProcessPass(ProcessTicks ticks, QList<CPUSnapshot::ProcessInfo> rows);

    TickReader m_readTicks;
    ProcessScanCache* m_scanCache;
    const Clock& m_clock;

    CPUSnapshot m_current = CPUSnapshot::initial();
    HistoryRing<CPUSnapshot> m_history{kHistoryCapacity};
    HistoryRing<double> m_usageHistory{kUsageHistoryCapacity};
    ChipInfo m_chipInfo;
    double m_menuBarUsagePercent = 0;
    bool m_menuBarMeasured = false;
    bool m_hasMeasured = false; // a total has been computed from two readings
    PollLoop m_loop;
    bool m_paused = false;
    std::int64_t m_prevBusy = 0;
    std::int64_t m_prevTotal = 0;
    std::vector<std::int64_t> m_prevCoreBusy;
    std::vector<std::int64_t> m_prevCoreTotal;
    std::vector<int> m_prevCoreIds; // the cpuN of each baseline entry
    bool m_prevReady = false;
    ProcessTicks m_prevProcTicks;
    int m_menuBarUpdateCount = 2;
    bool m_isScanning = false;
    int m_pollsSinceLastScan = 0;
};

} // namespace Dunmorra
