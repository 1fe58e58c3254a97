#include "history/HistoricalDataStore.h"

#include "history/HistoryRecorder.h"
#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace Dunmorra {

HistoricalDataStore::HistoricalDataStore(QString directory, QObject* parent)
    : QObject(parent)
    , m_directory(std::move(directory))
{
}

std::optional<DailySummary> HistoricalDataStore::summary(QDate day)
{
    if (!day.isValid())
        return std::nullopt;
    if (auto it = m_cache.find(day); it != m_cache.end())
        return it->second;
    std::optional<DailySummary> stored = DayFile::read(DayFile::path(day, m_directory));
    if (!stored)
        return std::nullopt;
    const auto held = m_cache.insert_or_assign(day, std::move(*stored)).first;
    Q_EMIT cacheChanged();
    return held->second;
}

std::optional<DailySummary> HistoricalDataStore::summary(const QDateTime& instant)
{
    return summary(instant.toLocalTime().date());
}

const DailySummary* HistoricalDataStore::held(QDate day) const
{
    const auto it = m_cache.find(day);
    return it == m_cache.end() ? nullptr : &it->second;
}

bool HistoricalDataStore::hasFile(QDate day) const
{
    const QString path = DayFile::path(day, m_directory);
    return !path.isEmpty() && QFileInfo::exists(path);
}

void HistoricalDataStore::request(QDate day)
{
    if (!day.isValid() || held(day) || isReading(day))
        return;
    m_reading.insert(day);
    QPointer<HistoricalDataStore> self(this);
    samplingPool().start([self, day, path = DayFile::path(day, m_directory)] {
        std::optional<DailySummary> stored = DayFile::read(path);
        // The application object outlives the store; the store may not.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, day, stored = std::move(stored)]() mutable {
            if (self)
                self->readFinished(day, std::move(stored));
        }, Qt::QueuedConnection);
    });
}

void HistoricalDataStore::readFinished(QDate day, std::optional<DailySummary> stored)
{
    m_reading.erase(day);
    // A write of the recorder during the read is newer than what was read.
    if (!held(day)) {
        if (!stored) {
            Q_EMIT dayUnavailable(day);
            return;
        }
        m_cache.insert_or_assign(day, std::move(*stored));
        Q_EMIT cacheChanged();
    }
    Q_EMIT dayLoaded(day);
}

void HistoricalDataStore::follow(const HistoryRecorder& recorder)
{
    connect(&recorder, &HistoryRecorder::saved, this, &HistoricalDataStore::dayWritten);
}

void HistoricalDataStore::dayWritten(QDate day, const DailySummary& summary)
{
    auto it = m_cache.find(day);
    if (it == m_cache.end()) {
        // A day being read is taken from the write, which is newer.
        if (isReading(day)) {
            m_cache.emplace(day, summary);
            Q_EMIT cacheChanged();
        }
        return;
    }
    if (it->second == summary)
        return;
    it->second = summary;
    Q_EMIT cacheChanged();
}

} // namespace Dunmorra
