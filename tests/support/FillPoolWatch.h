#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <map>

namespace Dunmorra::Test {

// Counts the wakeups of pool threads (every "Thread (pooled)" of this
// process) from its making on. Qt's raster engine hands a fill of more than
// about a hundred spans to its thread pool and waits for it, so in a test
// that runs no job of its own meanwhile, wakeups mean a paint left the
// painting thread.
class FillPoolWatch {
public:
    FillPoolWatch()
        : m_start(read())
    {
    }

    // Threads seen at both readings add their own change; threads started
    // meanwhile add all of theirs.
    long wakeups() const
    {
        long n = 0;
        for (const auto& [tid, count] : read()) {
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
};

} // namespace Dunmorra::Test
