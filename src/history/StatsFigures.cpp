#include "history/StatsFigures.h"

#include <algorithm>
#include <cmath>

namespace Dunmorra::StatsFigures {

namespace {
// A trillion of any unit the charts use (percent, GB, MB) is beyond every
// real day; it keeps every axis computation finite.
constexpr double kChartLimit = 1e12;
} // namespace

double average(const std::vector<DayStats>& stats, Field field)
{
    if (stats.empty())
        return 0;
    return total(stats, field) / static_cast<double>(stats.size());
}

double total(const std::vector<DayStats>& stats, Field field)
{
    double sum = 0;
    for (const DayStats& row : stats)
        sum += row.*field;
    return sum;
}

double largest(const std::vector<DayStats>& stats, Field field)
{
    if (stats.empty())
        return 0;
    double top = stats.front().*field;
    for (const DayStats& row : stats)
        top = std::max(top, row.*field);
    return top;
}

double chartable(double value)
{
    if (!std::isfinite(value))
        return 0;
    return std::clamp(value, -kChartLimit, kChartLimit);
}

double memoryChartTop(const std::vector<DayStats>& stats)
{
    if (stats.empty())
        return 1.1;
    return 1.1 * std::max(chartable(largest(stats, &DayStats::peakMemoryGB)), 1.0);
}

int DaySlots::slotOf(QDate day) const
{
    if (!day.isValid() || !first.isValid())
        return -1;
    const qint64 slot = first.daysTo(day);
    return slot >= 0 && slot < count ? static_cast<int>(slot) : -1;
}

DaySlots daySlots(const std::vector<DayStats>& stats, QDate lastDay)
{
    QDate earliest, latest;
    for (const DayStats& row : stats) {
        if (!row.date.isValid() || (lastDay.isValid() && row.date > lastDay))
            continue;
        if (!earliest.isValid() || row.date < earliest)
            earliest = row.date;
        if (!latest.isValid() || row.date > latest)
            latest = row.date;
    }
    DaySlots grid;
    if (!latest.isValid())
        return grid;
    const qint64 span = earliest.daysTo(latest) + 1;
    grid.count = static_cast<int>(std::min<qint64>(span, DaySlots::kMaxDaySlots));
    grid.first = latest.addDays(1 - grid.count);
    return grid;
}

std::vector<QDate> trendAxisDays(const std::vector<DayStats>& stats, int strideDays, QDate lastDay)
{
    std::vector<QDate> days;
    const DaySlots grid = daySlots(stats, lastDay);
    if (strideDays < 1)
        return days;
    for (int i = 0; i < grid.count; i += strideDays)
        days.push_back(grid.first.addDays(i));
    return days;
}

std::vector<QDateTime> barAxisDates(const std::vector<DayStats>& stats, int strideDays)
{
    std::vector<QDateTime> marks;
    if (strideDays < 1)
        return marks;
    for (std::size_t i = 0; i < stats.size(); i += static_cast<std::size_t>(strideDays)) {
        const QDate day = stats[i].date;
        if (!day.isValid())
            continue;
        // A noon that a time-zone change skips is invalid here: the next
        // minute that exists stands in for it.
        for (int minutes = 0; minutes < 12 * 60; ++minutes) {
            const QDateTime noon(day, QTime(12, 0).addSecs(60 * minutes), Qt::LocalTime);
            if (noon.isValid()) {
                marks.push_back(noon);
                break;
            }
        }
    }
    return marks;
}

} // namespace Dunmorra::StatsFigures
