#include "model/ProcessScanCache.h"

#include "platform/ProcessTable.h"

#include <memory>

namespace Dunmorra {

ProcessScanCache& ProcessScanCache::shared()
{
    static ProcessScanCache cache(procfsWalk());
    return cache;
}

ProcessScanCache::ProcessScanCache(Walk walk, const Clock& clock)
    : m_walk(std::move(walk))
    , m_clock(clock)
{
}

ProcessScanCache::Scan ProcessScanCache::entries()
{
    std::lock_guard lock(m_mutex);
    // Staleness on the monotonic clock: a clock set back must not freeze the list.
    if (m_clock.monotonicSeconds() - m_lastScanMonotonic >= kStaleness) {
        m_cached.entries = m_walk();
        m_cached.time = m_clock.wallSeconds() - kReferenceDateOffset;
        m_lastScanMonotonic = m_clock.monotonicSeconds();
        ++m_scanCount;
    }
    return m_cached;
}

int ProcessScanCache::scanCount() const
{
    std::lock_guard lock(m_mutex);
    return m_scanCount;
}

ProcessScanCache::Walk ProcessScanCache::procfsWalk(const std::string& root, long clockTicksPerSecond, long pageSize)
{
    // Shared so that copies of the walk reuse one set of buffers; calls are
    // serialised by the cache's mutex.
    auto table = std::make_shared<Platform::ProcessTable>(root, clockTicksPerSecond, pageSize);
    return [table]() {
        QList<ProcessEntry> out;
        const auto records = table->read();
        out.reserve(static_cast<qsizetype>(records.size()));
        for (const auto& r : records) {
            if (r.pid < 1 || r.name.empty())
                continue;
            out.push_back(ProcessEntry{
                r.pid,
                QString::fromUtf8(r.name.data(), static_cast<qsizetype>(r.name.size())),
                QString::fromUtf8(r.executablePath.data(), static_cast<qsizetype>(r.executablePath.size())),
                r.residentBytes, r.userNanos, r.systemNanos, r.startTime,
            });
        }
        return out;
    };
}

} // namespace Dunmorra
