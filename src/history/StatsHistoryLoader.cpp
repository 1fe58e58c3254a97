#include "history/StatsHistoryLoader.h"

#include "history/HistoryRecorder.h"
#include "history/ReferenceTime.h"
#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QPointer>

namespace Dunmorra {

StatsHistoryLoader::StatsHistoryLoader(const HistoryRecorder& recorder, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_recorder(recorder)
    , m_clock(clock)
{
}

void StatsHistoryLoader::load(StatsRange range)
{
    const std::uint64_t generation = ++m_generation;
    setLoading(true);
    const QDate today = localDateTimeFromUnix(m_clock.wallSeconds()).date();
    // The job gets copies and a weak reference; it never touches the loader.
    QPointer<StatsHistoryLoader> self(this);
    samplingPool().start([self, generation, today, days = dayCount(range), directory = m_recorder.directory(),
                          live = m_recorder.current(), liveDay = m_recorder.day()] {
        StatsHistory history = StatsHistory::load(today, days, directory, live, liveDay);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, history = std::move(history)]() mutable {
                if (self)
                    self->finish(generation, std::move(history));
            },
            Qt::QueuedConnection);
    });
}

void StatsHistoryLoader::finish(std::uint64_t generation, StatsHistory history)
{
    if (generation != m_generation)
        return;
    Q_EMIT loaded(history);
    setLoading(false);
}

void StatsHistoryLoader::setLoading(bool loading)
{
    if (m_loading == loading)
        return;
    m_loading = loading;
    Q_EMIT loadingChanged(loading);
}

} // namespace Dunmorra
