#include "model/DiskProvider.h"

#include "model/CounterMath.h"
#include "platform/RootVolumeName.h"

#include <memory>

namespace Dunmorra {

DiskProvider::Readers DiskProvider::linuxReaders(const std::string& root)
{
    auto stats = std::make_shared<Platform::BlockDeviceStats>(root);
    auto name = std::make_shared<Platform::RootVolumeName>(root);
    return Readers{
        [stats] { return stats->read(); },
        [] { return Platform::fileSystemSpace("/"); },
        // The mount table is slow to generate and the label practically never
        // changes, so the name is read again once a minute of passes.
        [name, cached = std::optional<std::string>(), calls = 0]() mutable {
            if (!cached || ++calls >= kVolumeNameRefreshPasses) {
                calls = 0;
                if (auto fresh = name->read())
                    cached = std::move(fresh);
                else
                    return std::optional<std::string>();
            }
            return cached;
        },
    };
}

DiskProvider::DiskProvider(Readers readers, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_readers(std::move(readers))
    , m_clock(clock)
{
}

void DiskProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void DiskProvider::start(std::chrono::milliseconds interval)
{
    m_loop.stop();
    readIOStatistics();
    m_loop.start(interval, [this] {
        if (!m_paused)
            sample();
    });
}

void DiskProvider::sample()
{
    auto snapshot = makeSnapshot();
    if (!snapshot)
        return;
    m_current = std::move(*snapshot);
    emit currentChanged();
    m_history.append(m_clock.wallSeconds(), m_current);
    emit historyChanged();
}

std::optional<DeviceCounters> DiskProvider::readIOStatistics()
{
    const auto disks = m_readers.counters ? m_readers.counters() : std::nullopt;
    if (!disks)
        return std::nullopt;
    DeviceCounters reading;
    for (const Platform::DiskCounters& disk : *disks)
        reading.set(disk.name, ByteCounts{disk.readBytes, disk.writeBytes});
    m_counters = reading;
    m_prevTime = m_clock.monotonicSeconds();
    return reading;
}

std::optional<DiskSnapshot> DiskProvider::makeSnapshot()
{
    const DeviceCounters old = m_counters;
    const double oldTime = m_prevTime;
    const auto reading = readIOStatistics();
    if (!reading)
        return std::nullopt;
    const double elapsed = m_prevTime - oldTime;
    if (!(elapsed > kMinimumInterval))
        return m_current;

    // Disk by disk, as the day's totals are counted: a disk that appears
    // with its counters, or one whose counters were reset, is no burst.
    const ByteCounts moved = reading->since(old);
    const VolumeInfo volume = readVolumeInfo();
    return DiskSnapshot{
        counterRate(moved.in, 0, elapsed),
        counterRate(moved.out, 0, elapsed),
        volume.name, volume.totalBytes, volume.usedBytes, volume.freeBytes,
    };
}

DiskProvider::VolumeInfo DiskProvider::readVolumeInfo() const
{
    VolumeInfo info{m_current.volumeName, m_current.volumeTotalBytes, m_current.volumeUsedBytes,
                    m_current.volumeFreeBytes};
    if (const auto name = m_readers.volumeName ? m_readers.volumeName() : std::nullopt; name && !name->empty())
        info.name = QString::fromStdString(*name);
    if (const auto space = m_readers.space ? m_readers.space() : std::nullopt) {
        info.totalBytes = space->totalBytes;
        info.freeBytes = space->freeBytes;
        // As df counts it: the root reserve is neither used nor free.
        info.usedBytes = subtractClamped(space->totalBytes, addSaturated(space->freeBytes, space->reservedBytes));
    }
    return info;
}

} // namespace Dunmorra
