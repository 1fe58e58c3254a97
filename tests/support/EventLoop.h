#pragma once

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

} // namespace Dunmorra::Test
