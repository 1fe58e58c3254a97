#pragma once

#include "model/Clock.h"
#include "model/ProcessEntry.h"

#include <QList>

#include <functional>
#include <mutex>

namespace Dunmorra {

// One walk over the process table shared by the CPU and memory providers and
// reused for 2 s. Callers run on a worker thread; requests are serialised, so
// one that arrives during a scan waits and then gets that scan's list.
class ProcessScanCache {
public:
    struct Scan {
        QList<ProcessEntry> entries;  // in the walk's order
        double time = 0;              // when that walk finished, seconds since 2001-01-01
    };
    using Walk = std::function<QList<ProcessEntry>()>;

    static constexpr double kStaleness = 2.0;

    static ProcessScanCache& shared();

    explicit ProcessScanCache(Walk walk, const Clock& clock = Clock::system());

    Scan entries();
    int scanCount() const;

    // The real walk over <root>/proc; the clock-tick rate and page size
    // default to the running kernel's.
    static Walk procfsWalk(const std::string& root = "/", long clockTicksPerSecond = 0, long pageSize = 0);

private:
    Walk m_walk;
    const Clock& m_clock;
    mutable std::mutex m_mutex;
    Scan m_cached;
    double m_lastScanMonotonic = kDistantPast;
    int m_scanCount = 0;
};

} // namespace Dunmorra
