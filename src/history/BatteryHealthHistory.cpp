#include "history/BatteryHealthHistory.h"

#include "history/DayFile.h"

namespace Dunmorra {

std::vector<std::int64_t> recordedBatteryHealth(QDate today, const QString& directory)
{
    std::vector<std::int64_t> out;
    if (!today.isValid() || directory.isEmpty())
        return out;
    out.reserve(kHealthTrendPastDays);
    for (int offset = -kHealthTrendPastDays; offset < 0; ++offset) {
        const QDate day = today.addDays(offset);
        if (!day.isValid())
            continue;
        const std::optional<DailySummary> summary = DayFile::read(DayFile::path(day, directory));
        if (summary && summary->batteryHealthPercent >= 1)
            out.push_back(summary->batteryHealthPercent);
    }
    return out;
}

} // namespace Dunmorra
