#include "model/WorkerPool.h"

namespace Dunmorra {

QThreadPool& samplingPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(4);
        p->setThreadPriority(QThread::LowPriority);
        p->setExpiryTimeout(30'000);
        return p;
    }();
    return *pool;
}

void drainSamplingPool()
{
    samplingPool().waitForDone();
}

} // namespace Dunmorra
