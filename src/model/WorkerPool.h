#pragma once

#include <QThreadPool>

namespace Dunmorra {

// Background work of the providers (process scans, audio readings, connection
// resolution) runs here at low priority. Kept apart from the global pool that
// folder sizing uses, so a waiting scan never starves other work.
// Results come back with QMetaObject::invokeMethod(owner, ..., Qt::QueuedConnection):
// the owner as context object drops the result when the owner is gone.
QThreadPool& samplingPool();

// Waits for every queued job; called once at shutdown so that no worker
// outlives the objects it reports to.
void drainSamplingPool();

} // namespace Dunmorra
