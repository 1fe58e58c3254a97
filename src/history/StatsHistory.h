#pragma once

#include "history/DailySummary.h"
#include "history/DayStats.h"

#include <QDate>
#include <QString>

#include <vector>

namespace Dunmorra {

// A range of recorded days as the Stats tab holds it: the day summaries and
// one row of figures per summary, in the same order, ascending by date.
struct StatsHistory {
    std::vector<DailySummary> summaries;
    std::vector<DayStats> stats;
    // The day the range ends on (today when loaded); invalid when unknown.
    QDate lastDay;

    // The day files of the days - 1 days before today, read from directory
    // through the strict decoder, plus live: the recorder's summary of
    // liveDay, which is always added, so the result is never empty. Today's
    // file is never read. Missing or undecodable files are days without data.
    //
    // Just after midnight, until the recorder's first step of the new day,
    // liveDay is still yesterday: the in-memory copy is then the newer one
    // and that day's file is not read, so no day is counted twice.
    static StatsHistory load(QDate today, int days, const QString& directory, const DailySummary& live,
                             QDate liveDay);

    // Sorts summaries stably by their stored date and computes their rows.
    static StatsHistory fromSummaries(std::vector<DailySummary> summaries);
};

} // namespace Dunmorra
