#pragma once

#include "model/ProcessEntry.h"
#include "model/ProcessScanCache.h"
#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace Dunmorra::Test {

// Lets background jobs finish and their queued hand-backs run. The deadline
// only stops a broken test from hanging; nothing is asserted on time.
inline bool settle(const std::function<bool()>& done = {}, int deadlineMs = 10'000)
{
    QDeadlineTimer deadline(deadlineMs);
    do {
        samplingPool().waitForDone(50);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (done ? done() : samplingPool().activeThreadCount() == 0)
            return true;
    } while (!deadline.hasExpired());
    return false;
}

// Waits for the jobs on the sampling pool, then delivers their hand-backs once.
inline void finishBackgroundJobs()
{
    samplingPool().waitForDone();
    QCoreApplication::processEvents();
}

// A scan cache over an empty process table, so a provider's process pass
// never reads the machine's own.
inline ProcessScanCache& emptyScanCache()
{
    static ProcessScanCache cache([] { return QList<ProcessEntry>{}; });
    return cache;
}

} // namespace Dunmorra::Test
