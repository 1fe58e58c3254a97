#pragma once

#include "history/DailySummary.h"
#include "history/DayFile.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <map>
#include <optional>

namespace Dunmorra {

class HistoryRecorder;

// Read access to recorded past days: a day's file is read on its first
// request and kept for the rest of the process. A missing or undecodable file
// is no data and is tried again on the next request.
class HistoricalDataStore : public QObject {
    Q_OBJECT
public:
    explicit HistoricalDataStore(QString directory = DayFile::historyDirectory(), QObject* parent = nullptr);

    // The local day's summary, from the cache or its file.
    std::optional<DailySummary> summary(QDate day);
    // The summary of the local day that holds the instant.
    std::optional<DailySummary> summary(const QDateTime& instant);

    const std::map<QDate, DailySummary>& cache() const { return m_cache; }
    // Where the day files are read from.
    const QString& directory() const { return m_directory; }

    // Takes the recorder's writes of a day already held, so a day read while
    // it was still being recorded (yesterday, a minute after midnight) does
    // not stay incomplete for the life of the process.
    void follow(const HistoryRecorder& recorder);

public Q_SLOTS:
    // Replaces the held copy of that day; a day not held stays unread.
    void dayWritten(QDate day, const Dunmorra::DailySummary& summary);

Q_SIGNALS:
    void cacheChanged();

private:
    QString m_directory;
    std::map<QDate, DailySummary> m_cache;
};

} // namespace Dunmorra
