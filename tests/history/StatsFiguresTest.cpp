#include "history/StatsFigures.h"

#include "ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <limits>

namespace Dunmorra {
namespace {

using namespace StatsFigures;

std::vector<DayStats> rowsOn(const std::vector<int>& dayOffsets, QDate first = QDate(2026, 3, 1))
{
    std::vector<DayStats> rows;
    for (int offset : dayOffsets)
        rows.push_back(DayStats{first.addDays(offset)});
    return rows;
}

TEST(StatsFigures, AveragesTotalsAndPeaksCoverTheRowsOnly)
{
    std::vector<DayStats> rows = rowsOn({0, 1, 5, 9});
    const double cpu[] = {10, 20, 30, 40};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].avgCPU = cpu[i];
        rows[i].peakCPU = cpu[i] * 2;
        rows[i].networkDownMB = 100;
    }
    EXPECT_DOUBLE_EQ(average(rows, &DayStats::avgCPU), 25);
    EXPECT_DOUBLE_EQ(largest(rows, &DayStats::peakCPU), 80);
    EXPECT_DOUBLE_EQ(total(rows, &DayStats::networkDownMB), 400);
    EXPECT_EQ(average({}, &DayStats::avgCPU), 0);
    EXPECT_EQ(largest({}, &DayStats::peakCPU), 0);
    EXPECT_EQ(total({}, &DayStats::diskReadMB), 0);
}

TEST(StatsFigures, MemoryScaleTopIsATenthAboveThePeakAndFinite)
{
    struct Case {
        std::vector<double> peaks;
        double top;
    } cases[] = {
        {{}, 1.1},
        {{0.4, 1.0}, 1.1},
        {{3, 16, 8}, 17.6},
        {{std::numeric_limits<double>::infinity()}, 1.1},
        {{1e300}, 1.1e12},
    };
    for (const Case& c : cases) {
        std::vector<DayStats> rows = rowsOn(std::vector<int>(c.peaks.size(), 0));
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i].peakMemoryGB = c.peaks[i];
        EXPECT_DOUBLE_EQ(memoryChartTop(rows), c.top);
    }
}

TEST(StatsFigures, BarMarksCountRecordedRowsNotCalendarDays)
{
    Dunmorra::Test::ScopedTimeZone zone("America/New_York");
    // Ten rows over twenty calendar days, in a 30-day range: rows 0 and 7.
    const std::vector<DayStats> rows = rowsOn({0, 2, 4, 6, 8, 10, 12, 14, 17, 19});
    const std::vector<QDateTime> marks = barAxisDates(rows, 7);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0], QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
    EXPECT_EQ(marks[1], QDateTime(QDate(2026, 3, 15), QTime(12, 0)));  // a day after the DST change
    EXPECT_EQ(barAxisDates(rows, 1).size(), 10u);
    EXPECT_EQ(barAxisDates(rows, 14).size(), 1u);
}

TEST(StatsFigures, TrendMarksStepByCalendarDays)
{
    const std::vector<DayStats> rows = rowsOn({0, 2, 4, 6, 8, 10, 12, 14, 17, 19});
    EXPECT_EQ(trendAxisDays(rows, 7),
              (std::vector<QDate>{{2026, 3, 1}, {2026, 3, 8}, {2026, 3, 15}}));
    EXPECT_EQ(trendAxisDays(rowsOn({0, 1, 2, 3, 4, 5, 6}), 1).size(), 7u);
    EXPECT_TRUE(trendAxisDays({}, 7).empty());
}

} // namespace
} // namespace Dunmorra
