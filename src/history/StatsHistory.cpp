#include "history/StatsHistory.h"

#include "history/DayFile.h"

#include <algorithm>

namespace Dunmorra {

StatsHistory StatsHistory::load(QDate today, int days, const QString& directory, const DailySummary& live,
                                QDate liveDay)
{
    std::vector<DailySummary> summaries;
    summaries.reserve(static_cast<std::size_t>(std::max(days, 1)));
    for (int k = 1; k < days; ++k) {
        const QDate day = today.addDays(-k);
        if (!day.isValid() || day == liveDay)
            continue;
        if (std::optional<DailySummary> stored = DayFile::read(DayFile::path(day, directory)))
            summaries.push_back(std::move(*stored));
    }
    summaries.push_back(live);
    StatsHistory history = fromSummaries(std::move(summaries));
    history.lastDay = today;
    return history;
}

StatsHistory StatsHistory::fromSummaries(std::vector<DailySummary> summaries)
{
    std::stable_sort(summaries.begin(), summaries.end(),
                     [](const DailySummary& a, const DailySummary& b) { return a.date < b.date; });
    StatsHistory history;
    history.stats.reserve(summaries.size());
    for (const DailySummary& summary : summaries)
        history.stats.push_back(DayStats::from(summary));
    history.summaries = std::move(summaries);
    return history;
}

} // namespace Dunmorra
