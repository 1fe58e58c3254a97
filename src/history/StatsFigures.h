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

// Date marks of the trend charts: every stride-th calendar day from the
// first row's day to the last's.
std::vector<QDate> trendAxisDays(const std::vector<DayStats>& stats, int strideDays);

// Date marks of the bar charts: local noon of every stride-th row, counted
// by row from the earliest, so days without a record are skipped in the
// count and every mark sits under a recorded bar. A noon that the time zone
// skips moves to the next valid time.
std::vector<QDateTime> barAxisDates(const std::vector<DayStats>& stats, int strideDays);

} // namespace StatsFigures

} // namespace Dunmorra
