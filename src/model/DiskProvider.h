#pragma once

#include "model/Clock.h"
#include "model/DeviceCounters.h"
#include "model/DiskSnapshot.h"
#include "model/HistoryRing.h"
#include "model/PollLoop.h"
#include "platform/BlockDeviceStats.h"
#include "platform/FileSystemSpace.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace Dunmorra {

// Disk throughput of the physical disks and the size of the volume at "/".
class DiskProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
public:
    struct Readers {
        std::function<std::optional<std::vector<Platform::DiskCounters>>()> counters;
        std::function<std::optional<Platform::FileSystemSpace>()> space;
        std::function<std::optional<std::string>()> volumeName;
    };

    static constexpr int kHistoryCapacity = 60;
    // Passes closer than this to the previous reading republish the last rates.
    static constexpr double kMinimumInterval = 0.1;
    static constexpr int kVolumeNameRefreshPasses = 60;

    // diskstats and sysfs under <root>, statvfs and the label of "/".
    static Readers linuxReaders(const std::string& root = "/");

    explicit DiskProvider(Readers readers = linuxReaders(), const Clock& clock = Clock::system(),
                          QObject* parent = nullptr);

    const DiskSnapshot& current() const { return m_current; }
    const HistoryRing<DiskSnapshot>& history() const { return m_history; }
    // The disks' cumulative counters at the latest successful reading (the
    // start's, until a pass reads them): bytes read as `in`, written as `out`.
    const DeviceCounters& counters() const { return m_counters; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused);
    const PollLoop& loop() const { return m_loop; }

    void start(std::chrono::milliseconds interval);
    // One pass: publish a new snapshot and append it, unless the counters cannot be read.
    void sample();
    // The rates since the previous reading with the volume's figures; none when
    // the counters cannot be read.
    std::optional<DiskSnapshot> makeSnapshot();
    // Reads the counters and makes the reading the new baseline.
    std::optional<DeviceCounters> readIOStatistics();

    struct VolumeInfo {
        QString name;
        std::uint64_t totalBytes = 0;
        std::uint64_t usedBytes = 0;
        std::uint64_t freeBytes = 0;
    };
    VolumeInfo readVolumeInfo() const;

signals:
    void currentChanged();
    void historyChanged();
    void pausedChanged();

private:
    Readers m_readers;
    const Clock& m_clock;
    DiskSnapshot m_current = DiskSnapshot::initial();
    HistoryRing<DiskSnapshot> m_history{kHistoryCapacity};
    PollLoop m_loop;
    bool m_paused = false;
    DeviceCounters m_counters;
    double m_prevTime = kDistantPast; // monotonic seconds, so a clock change cannot distort a rate
};

} // namespace Dunmorra
