#include "model/MemoryProvider.h"

#include "model/CounterMath.h"
#include "model/ProcessScanCache.h"
#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <memory>

namespace Dunmorra {

MemoryProvider::Reader MemoryProvider::procReader(const std::string& root)
{
    auto reader = std::make_shared<Platform::VmStatsReader>(root);
    return [reader] { return reader->read(); };
}

MemoryProvider::MemoryProvider(Reader reader, ProcessScanCache* scanCache, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_reader(std::move(reader))
    , m_scanCache(scanCache ? *scanCache : ProcessScanCache::shared())
    , m_clock(clock)
{
}

void MemoryProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void MemoryProvider::setCurrent(MemorySnapshot snapshot)
{
    m_current = std::move(snapshot);
    emit currentChanged();
}

void MemoryProvider::setIsScanning(bool scanning)
{
    if (m_isScanning == scanning)
        return;
    m_isScanning = scanning;
    emit isScanningChanged();
}

void MemoryProvider::start(std::chrono::milliseconds interval)
{
    m_loop.stop();
    sample();
    m_loop.start(interval, [this] {
        if (!m_paused)
            sample();
    });
}

MemorySnapshot::MemoryPressure MemoryProvider::pressureFor(std::uint64_t used, std::uint64_t total)
{
    if (total == 0)
        return MemorySnapshot::MemoryPressure::nominal;
    const double ratio = static_cast<double>(used) / static_cast<double>(total);
    if (ratio < 0.75)
        return MemorySnapshot::MemoryPressure::nominal;
    if (ratio < 0.9)
        return MemorySnapshot::MemoryPressure::warning;
    return MemorySnapshot::MemoryPressure::critical;
}

MemorySnapshot MemoryProvider::snapshotFrom(const Platform::VmStats& s, QList<MemorySnapshot::ProcessInfo> topProcesses)
{
    // Kernels before 3.14 have no MemAvailable; estimate it the way it is defined.
    const std::uint64_t available = s.hasMemAvailable
        ? s.memAvailable
        : subtractClamped(addSaturated(addSaturated(s.memFree, s.buffers), addSaturated(s.cached, s.sReclaimable)), s.shmem);
    const std::uint64_t inUse = subtractClamped(s.memTotal, available);

    // Memory the kernel cannot page out. Unevictable/Mlocked are left out: they
    // are already part of the anonymous pages counted as app memory.
    std::uint64_t wired = addSaturated(s.sUnreclaim, s.kernelStack);
    wired = addSaturated(wired, s.pageTables);
    wired = addSaturated(wired, s.secPageTables);
    wired = addSaturated(wired, s.percpu);
    const std::uint64_t compressed = addSaturated(s.zswap, s.zramUsed);

    MemorySnapshot out;
    out.totalBytes = s.memTotal;
    out.wiredBytes = wired;
    out.compressedBytes = compressed;
    out.appBytes = subtractClamped(inUse, addSaturated(wired, compressed));
    out.usedBytes = std::min(addSaturated(out.appBytes, addSaturated(wired, compressed)), s.memTotal);
    out.swapTotalBytes = s.swapTotal;
    out.swapUsedBytes = subtractClamped(s.swapTotal, s.swapFree);
    out.pressure = pressureFor(out.usedBytes, out.totalBytes);
    out.topProcesses = std::move(topProcesses);
    return out;
}

void MemoryProvider::sample()
{
    const auto stats = m_reader ? m_reader() : std::nullopt;
    if (!stats)
        return;
    setCurrent(snapshotFrom(*stats, m_current.topProcesses));

    const double now = m_clock.wallSeconds();
    m_history.append(now, m_current);
    emit historyChanged();
    const double usedPercent = m_current.totalBytes == 0
        ? 0.0
        : static_cast<double>(m_current.usedBytes) / static_cast<double>(m_current.totalBytes) * 100.0;
    m_usageHistory.append(m_clock.wallSeconds(), usedPercent);
    emit usageHistoryChanged();

    ++m_pollsSinceLastScan;
    if (m_pollsSinceLastScan >= kScanEveryPasses && !m_isScanning) {
        m_pollsSinceLastScan = 0;
        setIsScanning(true);
        scanTopProcesses();
    }
}

QList<MemorySnapshot::ProcessInfo> MemoryProvider::topByResidentSize(const QList<ProcessEntry>& entries)
{
    QList<const ProcessEntry*> kept;
    kept.reserve(entries.size());
    for (const auto& e : entries) {
        if (e.memoryBytes > kListedAboveBytes)
            kept.push_back(&e);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const ProcessEntry* a, const ProcessEntry* b) { return a->memoryBytes > b->memoryBytes; });
    QList<MemorySnapshot::ProcessInfo> out;
    const auto count = std::min<qsizetype>(kept.size(), kTopCount);
    out.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        out.push_back({kept[i]->pid, kept[i]->name, kept[i]->memoryBytes});
    return out;
}

void MemoryProvider::scanTopProcesses()
{
    // The job sees only the cache; the provider may be gone when it finishes,
    // which the QPointer checks on the GUI thread.
    QPointer<MemoryProvider> self(this);
    ProcessScanCache* cache = &m_scanCache;
    samplingPool().start([self, cache] {
        auto list = topByResidentSize(cache->entries().entries);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, list = std::move(list)]() mutable {
                if (self)
                    self->applyTopProcesses(std::move(list));
            },
            Qt::QueuedConnection);
    });
}

void MemoryProvider::applyTopProcesses(QList<MemorySnapshot::ProcessInfo> list)
{
    setIsScanning(false);
    MemorySnapshot next = m_current;
    next.topProcesses = std::move(list);
    setCurrent(std::move(next));
}

} // namespace Dunmorra
