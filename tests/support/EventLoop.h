#pragma once

#include "model/ProcessEntry.h"
#include "model/ProcessScanCache.h"
#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

#include <functional>

namespace Dunmorra::Test {

// Lets background jobs finish and their queued hand-backs run. The deadline
// only stops a broken test from hanging; nothing is asserted on time.
inline bool settle(const std::function<bool()>& done = {}, int deadlineMs = 30'000)
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

// Runs the event loop through `count` turns of a timer of `interval`: as
// many chances as a loop of that interval had to run its passes, however
// busy the machine (a fixed wait may give it none). For checks that
// something does not happen.
inline bool waitIntervals(std::chrono::milliseconds interval, int count, int deadlineMs = 30'000)
{
    int turns = 0;
    QEventLoop loop;
    QTimer witness;
    QObject::connect(&witness, &QTimer::timeout, &loop, [&] {
        if (++turns >= count)
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    witness.start(interval);
    deadline.start(deadlineMs);
    loop.exec();
    return turns >= count;
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
