#include "folders/FolderSizingPool.h"

#include <QThread>

#include <algorithm>

namespace Dunmorra {

QThreadPool& folderSizingPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        // More parallel walkers than this only adds seeks on a spinning disk
        // and contention on the inode caches.
        p->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 2, 8));
        p->setThreadPriority(QThread::LowPriority);
        p->setExpiryTimeout(30'000);
        return p;
    }();
    return *pool;
}

} // namespace Dunmorra
