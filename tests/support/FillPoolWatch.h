#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <map>
#include <mutex>
#include <set>

#include <unistd.h>

namespace Dunmorra::Test {

// Counts the wakeups of pool threads (every "Thread (pooled)" of this
// process) from its making on. Qt's raster engine hands a fill of more than
// about a hundred spans to its thread pool and waits for it, so in a test
// that runs no job of its own meanwhile, wakeups mean a paint left the
// painting thread.
class FillPoolWatch {
public:
    // Starts once every pool thread sleeps: one that has just finished a
    // job goes to sleep a moment later, and on a busy machine that moment may
    // come long after the job, inside the span the test watches. A sleeping
    // pool thread wakes only for a new job (or its expiry, half a minute on).
    FillPoolWatch() { m_start = stillReading(); }

    // Leaves out the threads of `pool`, one that runs the test's own jobs:
    // each reports itself while all of the pool's threads are held at once.
    void ignoreThreadsOf(QThreadPool& pool)
    {
        const int count = pool.maxThreadCount();
        QSemaphore arrived, released;
        std::mutex lock;
        for (int i = 0; i < count; ++i) {
            pool.start([&] {
                {
                    const std::lock_guard<std::mutex> hold(lock);
                    m_ignored.insert(static_cast<int>(gettid()));
                }
                arrived.release();
                released.acquire();
            });
        }
        arrived.acquire(count);
        released.release(count);
        pool.waitForDone();
        m_start = stillReading();
    }

    // Threads seen at both readings add their own change; threads started
    // meanwhile add all of theirs.
    long wakeups() const
    {
        long n = 0;
        for (const auto& [tid, count] : read()) {
            if (m_ignored.count(tid))
                continue;
            const auto before = m_start.find(tid);
            n += count - (before == m_start.end() ? 0 : before->second);
        }
        return n;
    }

    // Whether this Qt hands large fills to a pool at all: a tall translucent
    // fill must reach it, or checks built on the watch prove nothing.
    static bool fillsGoToAPool()
    {
        QImage image(64, 600, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        const FillPoolWatch watch;
        QPainter(&image).fillRect(image.rect(), QColor(0, 0, 0, 40));
        return watch.wakeups() > 0;
    }

private:
    // A reading taken while every watched thread sleeps, the same at two
    // readings a moment apart. The deadline only keeps a broken test from
    // hanging: past it the last reading stands.
    std::map<int, long> stillReading() const
    {
        std::map<int, long> last = read();
        const QDeadlineTimer deadline(30'000);
        while (!deadline.hasExpired()) {
            QThread::msleep(2);
            std::map<int, long> now = read();
            if (now == last && allAsleep(now))
                return now;
            last = std::move(now);
        }
        return last;
    }

    bool allAsleep(const std::map<int, long>& threads) const
    {
        for (const auto& entry : threads) {
            if (m_ignored.count(entry.first))
                continue;
            QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(entry.first));
            if (!stat.open(QIODevice::ReadOnly))
                continue; // gone
            // "tid (comm) S ...": the state follows the name's closing bracket.
            const QByteArray line = stat.readAll();
            const qsizetype close = line.lastIndexOf(')');
            if (close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'S')
                return false;
        }
        return true;
    }

    static std::map<int, long> read()
    {
        std::map<int, long> out;
        const QString root = QStringLiteral("/proc/self/task/");
        for (const QString& tid : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(root + tid + QStringLiteral("/comm"));
            if (!comm.open(QIODevice::ReadOnly) || !comm.readAll().startsWith("Thread (pooled)"))
                continue;
            QFile status(root + tid + QStringLiteral("/status"));
            if (!status.open(QIODevice::ReadOnly))
                continue;
            long switches = 0;
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.contains("ctxt_switches:"))
                    switches += line.mid(line.indexOf(':') + 1).trimmed().toLong();
            }
            out[tid.toInt()] = switches;
        }
        return out;
    }

    std::map<int, long> m_start;
    std::set<int> m_ignored;
};

} // namespace Dunmorra::Test
