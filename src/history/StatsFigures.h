#pragma once

#include "history/DayStats.h"

#include <QDate>
#include <QDateTime>

#include <vector>

namespace Dunmorra {

// What the Stats tab's cards, legends and chart axes show of a range's rows.
namespace StatsFigures {

using Field = double DayStats::*;

// Mean of a field over the rows, added in row order; 0 without rows.
double average(const std::vector<DayStats>& stats, Field field);
// Sum of a field over the rows; 0 without rows.
double total(const std::vector<DayStats>& stats, Field field);
// Largest value of a field; 0 without rows.
double largest(const std::vector<DayStats>& stats, Field field);

// Values a chart can place: not finite reads 0, and magnitudes are capped
// far above any real figure, so an altered day file cannot stretch an axis
// to infinity.
double chartable(double value);

// Top of the memory chart's scale: a tenth above the highest peak, never
// below 1.1 GB; finite whatever the rows hold.
double memoryChartTop(const std::vector<DayStats>& stats);

// The calendar days the charts lay out, one slot each, from the earliest
// row's day to the latest's. Rows without a valid day have no slot, nor rows
// after lastDay (when valid: the range's last day), so a file dated in the
// future cannot push the real days off the chart; at most kMaxDaySlots days
// are laid out, counted back from the latest, so a day file dated decades
// off cannot stretch the charts to thousands of columns.
struct DaySlots {
    static constexpr int kMaxDaySlots = 400;
    QDate first;
    int count = 0;
    // The day's slot, or -1 when it has none.
    int slotOf(QDate day) const;
};
DaySlots daySlots(const std::vector<DayStats>& stats, QDate lastDay = {});

// Date marks of the trend charts: every stride-th calendar day from the
// first slot's day to the last's.
std::vector<QDate> trendAxisDays(const std::vector<DayStats>& stats, int strideDays, QDate lastDay = {});

// Date marks of the bar charts: local noon of every stride-th row, counted
// by row from the earliest, so days without a record are skipped in the
// count and every mark sits under a recorded bar. A noon that the time zone
// skips moves to the next valid time.
std::vector<QDateTime> barAxisDates(const std::vector<DayStats>& stats, int strideDays);

} // namespace StatsFigures

} // namespace Dunmorra
