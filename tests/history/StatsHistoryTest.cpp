#include "history/StatsHistory.h"

#include "ScopedTimeZone.h"
#include "history/DayFile.h"
#include "history/ReferenceTime.h"
#include "support/TestEnvironment.h"

#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace Dunmorra {
namespace {

// tests/fixtures/history/stats holds, around "today" 2026-03-10:
//   03-02 valid (outside a week)   03-05 a key missing   03-06 zero bytes
//   03-07 valid                    03-08 truncated        03-09 valid
//   03-10 today's file, which must never be read (CPU at 99 %)
const QDate kToday(2026, 3, 10);

QString fixtureDays()
{
    return Dunmorra::Test::fixturePath(QStringLiteral("history/stats"));
}

DailySummary liveDay(QDate day, double cpu)
{
    DailySummary s = DailySummary::emptyFor(day);
    HourBucket b = HourBucket::forHour(10);
    b.cpu.add(cpu, s.date + 36000);
    b.networkUpBytes = 1048576;
    s.hours.push_back(b);
    return s;
}

std::vector<QDate> datesOf(const StatsHistory& h)
{
    std::vector<QDate> dates;
    for (const DayStats& row : h.stats)
        dates.push_back(row.date);
    return dates;
}

class StatsHistoryTest : public ::testing::Test {
protected:
    Dunmorra::Test::ScopedTimeZone zone{"Europe/Berlin"};
};

TEST_F(StatsHistoryTest, ReadsTheRangeSkipsBadDaysAndNeverTodaysFile)
{
    const DailySummary live = liveDay(kToday, 12.5);
    struct Case {
        int days;
        std::vector<QDate> expected;
    } cases[] = {
        {7, {{2026, 3, 7}, {2026, 3, 9}, kToday}},
        {30, {{2026, 3, 2}, {2026, 3, 7}, {2026, 3, 9}, kToday}},
        {1, {kToday}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        const StatsHistory h = StatsHistory::load(kToday, c.days, fixtureDays(), live, kToday);
        EXPECT_EQ(datesOf(h), c.expected);
        ASSERT_EQ(h.summaries.size(), h.stats.size());
        for (std::size_t i = 0; i < h.stats.size(); ++i)
            EXPECT_EQ(h.stats[i], DayStats::from(h.summaries[i]));
        // Today is the recorder's copy, not the file's 99 %.
        EXPECT_EQ(h.summaries.back(), live);
        EXPECT_DOUBLE_EQ(h.stats.back().avgCPU, 12.5);
    }
}

TEST_F(StatsHistoryTest, NoHistoryFolderGivesTodayAlone)
{
    QTemporaryDir tmp;
    const DailySummary empty = DailySummary::emptyFor(kToday);
    const StatsHistory h = StatsHistory::load(kToday, 90, tmp.filePath(QStringLiteral("none")), empty, kToday);
    ASSERT_EQ(h.stats.size(), 1u);
    EXPECT_EQ(h.stats[0], DayStats{kToday});
}

TEST_F(StatsHistoryTest, JustAfterMidnightYesterdayCountsOnceFromTheRecorder)
{
    // The recorder has not yet taken its first step of 03-10: its summary is
    // still 03-09's and newer than 03-09's file.
    const QDate yesterday = kToday.addDays(-1);
    const DailySummary live = liveDay(yesterday, 77);
    const StatsHistory h = StatsHistory::load(kToday, 7, fixtureDays(), live, yesterday);
    EXPECT_EQ(datesOf(h), (std::vector<QDate>{{2026, 3, 7}, yesterday}));
    EXPECT_EQ(h.summaries.back(), live);
}

TEST_F(StatsHistoryTest, RowFiguresComeFromTheDayAggregates)
{
    const StatsHistory h = StatsHistory::load(kToday, 7, fixtureDays(), liveDay(kToday, 0), kToday);
    ASSERT_EQ(h.stats.size(), 3u);
    const DayStats& day = h.stats[0];   // 03-07: one bucket
    EXPECT_EQ(day.date, QDate(2026, 3, 7));
    EXPECT_DOUBLE_EQ(day.avgCPU, 25);
    EXPECT_DOUBLE_EQ(day.peakCPU, 40);
    EXPECT_DOUBLE_EQ(day.avgMemoryGB, 8);
    EXPECT_DOUBLE_EQ(day.peakMemoryGB, 9.5);
    EXPECT_EQ(day.networkUpMB, 1.0);    // 1,048,576 bytes, exactly
    EXPECT_EQ(day.networkDownMB, 5.0);
    EXPECT_EQ(day.diskReadMB, 3.0);
    EXPECT_EQ(day.diskWriteMB, 0.0);
    EXPECT_DOUBLE_EQ(h.stats[1].avgCPU, 20);  // 03-09: the mean of two hourly means
}

TEST_F(StatsHistoryTest, SummaryFromAnotherTimeZoneSortsByItsInstant)
{
    // Midnight of 03-08 in Tokyo is 16:00 on 03-07 here: it sorts after this
    // zone's 03-07 midnight and its row moves to 03-07.
    DailySummary tokyo = DailySummary::emptyFor(QDate(2026, 3, 8));
    tokyo.date = referenceFromUnix(static_cast<double>(
        QDateTime(QDate(2026, 3, 8), QTime(0, 0), QTimeZone("Asia/Tokyo")).toSecsSinceEpoch()));
    const DailySummary berlin = DailySummary::emptyFor(QDate(2026, 3, 7));
    const StatsHistory h = StatsHistory::fromSummaries({tokyo, berlin});
    EXPECT_EQ(h.summaries[0], berlin);
    EXPECT_EQ(h.summaries[1], tokyo);
    EXPECT_EQ(h.stats[1].date, QDate(2026, 3, 7));
}

TEST_F(StatsHistoryTest, AnInstantNoCalendarHoldsIsADayWithoutADate)
{
    // Only an altered file holds such a date; it sorts last and has no day.
    DailySummary altered = DailySummary::emptyFor(QDate(2026, 3, 9));
    altered.date = 1e300;
    const StatsHistory h = StatsHistory::fromSummaries({altered, DailySummary::emptyFor(kToday)});
    ASSERT_EQ(h.stats.size(), 2u);
    EXPECT_EQ(h.stats[0].date, kToday);
    EXPECT_FALSE(h.stats[1].date.isValid());
}

} // namespace
} // namespace Dunmorra
