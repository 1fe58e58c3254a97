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
#include <string>

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

    // Which threads woke and how often, for a failure's message.
    std::string woken() const
    {
        std::string out;
        for (const auto& [tid, count] : read()) {
            const auto before = m_start.find(tid);
            const long n = count - (before == m_start.end() ? 0 : before->second);
            if (n != 0 && !m_ignored.count(tid))
                out += " thread " + std::to_string(tid) + (before == m_start.end() ? " (new)" : "") + ": "
                    + std::to_string(n);
        }
        return out;
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
    // A reading taken while every watched thread sleeps: asleep, and with
    // the same count, at two readings a moment apart (a thread seen asleep
    // at both cannot have run between them). Each reading takes a thread's
    // state with its counts, from one file. The deadline only keeps a broken
    // test from hanging: past it the last reading stands.
    std::map<int, long> stillReading() const
    {
        std::set<int> awakeBefore;
        std::map<int, long> last = read(&awakeBefore);
        const QDeadlineTimer deadline(30'000);
        while (!deadline.hasExpired()) {
            QThread::msleep(2);
            std::set<int> awake;
            std::map<int, long> now = read(&awake);
            if (now == last && watchesNone(awakeBefore) && watchesNone(awake))
                return now;
            last = std::move(now);
            awakeBefore = std::move(awake);
        }
        return last;
    }

    bool watchesNone(const std::set<int>& threads) const
    {
        for (int tid : threads) {
            if (!m_ignored.count(tid))
                return false;
        }
        return true;
    }

    // Each pool thread's context switches; the ones not asleep go to *awake.
    static std::map<int, long> read(std::set<int>* awake = nullptr)
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
                else if (awake && line.startsWith("State:") && !line.mid(6).trimmed().startsWith('S'))
                    awake->insert(tid.toInt());
            }
            out[tid.toInt()] = switches;
        }
        return out;
    }

    std::map<int, long> m_start;
    std::set<int> m_ignored;
};

} // namespace Dunmorra::Test
