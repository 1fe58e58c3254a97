#include "history/HistoricalDataStore.h"

#include "history/HistoryRecorder.h"

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

void HistoricalDataStore::follow(const HistoryRecorder& recorder)
{
    connect(&recorder, &HistoryRecorder::saved, this, &HistoricalDataStore::dayWritten);
}

void HistoricalDataStore::dayWritten(QDate day, const DailySummary& summary)
{
    auto it = m_cache.find(day);
    if (it == m_cache.end() || it->second == summary)
        return;
    it->second = summary;
    Q_EMIT cacheChanged();
}

} // namespace Dunmorra
