#pragma once

#include "model/Clock.h"
#include "model/HistoryRing.h"
#include "model/MemorySnapshot.h"
#include "model/PollLoop.h"
#include "model/ProcessEntry.h"
#include "platform/VmStats.h"

#include <QList>
#include <QObject>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace Dunmorra {

class ProcessScanCache;

// Memory use every 2 s from the kernel's counters, and every third successful
// pass the ten largest processes by resident size, from the shared scan.
class MemoryProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
public:
    using Reader = std::function<std::optional<Platform::VmStats>()>;

    static constexpr int kHistoryCapacity = 60;
    static constexpr int kUsageHistoryCapacity = 43'200;
    static constexpr int kScanEveryPasses = 3;
    static constexpr std::uint64_t kListedAboveBytes = 1'048'576;
    static constexpr int kTopCount = 10;

    // Reads <root>/proc/meminfo and the zram devices.
    static Reader procReader(const std::string& root = "/");

    explicit MemoryProvider(Reader reader = procReader(), ProcessScanCache* scanCache = nullptr,
                            const Clock& clock = Clock::system(), QObject* parent = nullptr);

    const MemorySnapshot& current() const { return m_current; }
    const HistoryRing<MemorySnapshot>& history() const { return m_history; }
    const HistoryRing<double>& usageHistory() const { return m_usageHistory; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused);
    bool isScanning() const { return m_isScanning; }
    int pollsSinceLastScan() const { return m_pollsSinceLastScan; }
    const PollLoop& loop() const { return m_loop; }

    void start(std::chrono::milliseconds interval);
    // One pass: read, publish, and every third success start a process pass.
    void sample();

    // The Linux mapping of the counters onto used/app/wired/compressed; every
    // subtraction is clamped so a skewed reading never wraps, and used never
    // exceeds total.
    static MemorySnapshot snapshotFrom(const Platform::VmStats& stats, QList<MemorySnapshot::ProcessInfo> topProcesses);
    static MemorySnapshot::MemoryPressure pressureFor(std::uint64_t used, std::uint64_t total);
    // The ten largest entries above 1 MiB, largest first, ties in scan order.
    static QList<MemorySnapshot::ProcessInfo> topByResidentSize(const QList<ProcessEntry>& entries);

signals:
    void currentChanged();
    void historyChanged();
    void usageHistoryChanged();
    void pausedChanged();
    void isScanningChanged();

private:
    void setCurrent(MemorySnapshot snapshot);
    void setIsScanning(bool scanning);
    void scanTopProcesses();
    void applyTopProcesses(QList<MemorySnapshot::ProcessInfo> list);

    Reader m_reader;
    ProcessScanCache& m_scanCache;
    const Clock& m_clock;
    MemorySnapshot m_current = MemorySnapshot::initial();
    HistoryRing<MemorySnapshot> m_history{kHistoryCapacity};
    HistoryRing<double> m_usageHistory{kUsageHistoryCapacity};
    PollLoop m_loop;
    bool m_paused = false;
    bool m_isScanning = false;
    int m_pollsSinceLastScan = 0;
};

} // namespace Dunmorra
